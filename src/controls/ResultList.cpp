#include "controls/ResultList.h"

#include <QEvent>
#include <QHeaderView>
#include <QStyle>
#include <algorithm>

TResultList::TResultList(QWidget* parent) : QTreeView(parent), Rows(new TResultRows(this))
{
    setModel(Rows);
    setRootIsDecorated(false);
    setItemsExpandable(false);
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSortingEnabled(false);
    setUniformRowHeights(true);
    // The name takes what the figures leave, its middle cut where it is
    // long, so the figures show whole and nothing scrolls sideways.
    setTextElideMode(Qt::ElideMiddle);
    header()->setStretchLastSection(false);
    header()->setSectionResizeMode(0, QHeaderView::Stretch);
    FitFigureColumns();
}

// Wide enough for the widest figure the column can hold, from the font
// alone: measuring the rows would read every one of them.
void TResultList::FitFigureColumns()
{
    const int margins = 2 * (style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, this) + 1) + 6;
    const auto fit = [&](int column, std::initializer_list<const char*> widest, int least) {
        int width = std::max(least, header()->sectionSizeHint(column));
        for (const char* text : widest)
            width = std::max(width, fontMetrics().horizontalAdvance(QString::fromLatin1(text)) + margins);
        setColumnWidth(column, width);
    };
    fit(1, {"UNKNOWN", "0000000000"}, 80);
    fit(2, {"00000 x 00000"}, 0);
}

void TResultList::changeEvent(QEvent* event)
{
    QTreeView::changeEvent(event);
    if (event->type() == QEvent::FontChange || event->type() == QEvent::StyleChange)
        FitFigureColumns();
}

void TResultList::SelectRow(int row)
{
    selectionModel()->select(Rows->index(row, 0), QItemSelectionModel::Select | QItemSelectionModel::Rows);
}

std::vector<int> TResultList::SelectedRows() const
{
    std::vector<int> rows;
    for (const QModelIndex& index : selectionModel()->selectedRows())
        rows.push_back(index.row());
    std::sort(rows.begin(), rows.end());
    return rows;
}
