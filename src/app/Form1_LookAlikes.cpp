#include "app/Form1.h"

#include "controls/ResultGrid.h"
#include "controls/ResultList.h"

#include <QCheckBox>
#include <QItemSelectionModel>

void TForm1::HideLookAlikes(bool on)
{
    ResultGrid->FetchEveryRow(on);
    for (int row = 0; row < ResultList->RowCount(); ++row)
        ShowOrHideRow(row);
}

// With the box ticked a row shows only while it is its group's largest; a
// row hidden leaves the selection, so nothing unseen is saved or viewed.
void TForm1::ShowOrHideRow(int row)
{
    const bool hidden = CheckBox_HideLookAlikes->isChecked() && ResultGrid->LookAlikes.RankOf(row) != 1;
    if (ResultGrid->isRowHidden(row) == hidden)
        return;
    ResultList->setRowHidden(row, {}, hidden);
    ResultGrid->setRowHidden(row, hidden);
    if (hidden)
        ResultList->selectionModel()->select(ResultList->Rows->index(row, 0),
                                             QItemSelectionModel::Deselect | QItemSelectionModel::Rows);
}
