#include "controls/ResultList.h"

#include <QHeaderView>
#include <algorithm>

TResultList::TResultList(QWidget* parent) : QTreeView(parent), Rows(new TResultRows(this))
{
    setModel(Rows);
    setColumnWidth(0, 300);
    setColumnWidth(1, 80);
    setColumnWidth(2, 100);
    setRootIsDecorated(false);
    setItemsExpandable(false);
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSortingEnabled(false);
    setUniformRowHeights(true);
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
