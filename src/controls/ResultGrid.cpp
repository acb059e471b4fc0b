#include "controls/ResultGrid.h"

#include "controls/ThumbnailDelegate.h"

TResultGrid::TResultGrid(TResultRows* rows, QWidget* parent) : QListView(parent)
{
    setModel(rows);
    setViewMode(QListView::IconMode);
    setResizeMode(QListView::Adjust);
    setMovement(QListView::Static);
    setUniformItemSizes(true);
    setWrapping(true);
    setSpacing(4);
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setVerticalScrollMode(QAbstractItemView::ScrollPerPixel);
    Fetches.Side = Side;
    setItemDelegate(new TThumbnailDelegate(Cache, Fetches, [this](int row) { return UrlOf ? UrlOf(row) : std::string(); },
                                           Side, this));
    Fetches.OnReady = [this](const std::string&) { viewport()->update(); };
}

void TResultGrid::Clear()
{
    Fetches.Clear();
    Cache.Clear();
}

void TResultGrid::scrollContentsBy(int dx, int dy)
{
    Fetches.ForgetWanted();
    QListView::scrollContentsBy(dx, dy);
    viewport()->update(); // every row on screen asks again, not only the uncovered ones
}

void TResultGrid::resizeEvent(QResizeEvent* event)
{
    Fetches.ForgetWanted();
    QListView::resizeEvent(event);
}
