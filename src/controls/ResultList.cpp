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
    for (int column : {TResultRows::LookAlikeColumn, TResultRows::CreditColumn})
        setColumnHidden(column, true);
    FitFigureColumns();
    connect(Rows, &QAbstractItemModel::rowsInserted, this,
            [this](const QModelIndex&, int first, int last) { ShowColumnsInUse(first, last); });
    connect(Rows, &QAbstractItemModel::dataChanged, this,
            [this](const QModelIndex& from, const QModelIndex& to) { ShowColumnsInUse(from.row(), to.row()); });
    connect(Rows, &QAbstractItemModel::modelReset, this, [this] {
        for (int column : {TResultRows::LookAlikeColumn, TResultRows::CreditColumn})
            setColumnHidden(column, true);
    });
}

void TResultList::ShowColumnsInUse(int first, int last)
{
    for (int column : {TResultRows::LookAlikeColumn, TResultRows::CreditColumn})
        for (int row = first; row <= last && isColumnHidden(column); ++row)
            if (!Rows->Text(row, column).isEmpty())
                setColumnHidden(column, false);
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
    fit(TResultRows::LookAlikeColumn, {"0000 of 0000"}, 0);
    fit(TResultRows::CreditColumn, {"CC BY-NC-SA 4.0, A. Creator"}, 0);
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
