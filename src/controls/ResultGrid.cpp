#include "controls/ResultGrid.h"

#include "controls/ThumbnailDelegate.h"

TResultGrid::TResultGrid(TResultRows* rows, QWidget* parent) : QListView(parent), FRows(rows)
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
    setMouseTracking(true); // the hovered cell shows its credit
    Fetches.Side = Side;
    setItemDelegate(new TThumbnailDelegate(Cache, Fetches, [this](int row) { return RowUrl(row); }, Side, this));
    Fetches.OnHashed = [this](const std::string& url, uint64_t hash, int64_t pixels) { Hashed(url, hash, pixels); };
    Fetches.OnReady = [this](const std::string&) {
        viewport()->update();
        FetchMore();
    };
    rows->LookAlikeOf = [this](int row) {
        const int count = LookAlikes.CountOf(row);
        return count > 1 ? QStringLiteral("%1 of %2").arg(LookAlikes.RankOf(row)).arg(count) : QString();
    };
    connect(rows, &QAbstractItemModel::rowsInserted, this, [this] { FetchMore(); });
}

void TResultGrid::Clear()
{
    Fetches.Clear();
    Cache.Clear();
    LookAlikes.Clear();
    FRowOf.clear();
    FNextRow = 0;
}

std::string TResultGrid::RowUrl(int row)
{
    if (!UrlOf)
        return {};
    std::string url = UrlOf(row);
    FRowOf.emplace(url, row);
    return url;
}

void TResultGrid::Hashed(const std::string& url, uint64_t hash, int64_t pixels)
{
    const auto at = FRowOf.find(url);
    if (at == FRowOf.end())
        return;
    // The dimensions a check or a source told count before the thumbnail
    // file's own (a source's thumbnail is smaller than its picture).
    const QSize known = FRows->DimensionsOf ? FRows->DimensionsOf(at->second) : QSize();
    LookAlikes.Add(at->second, hash, known.isEmpty() ? pixels : int64_t{known.width()} * known.height());
    for (const int row : LookAlikes.MembersOf(at->second)) {
        FRows->LookAlikeChanged(row);
        if (OnGrouped)
            OnGrouped(row);
    }
}

void TResultGrid::FetchEveryRow(bool on)
{
    FEveryRow = on;
    FetchMore();
}

bool TResultGrid::ViewDrawn()
{
    if (Fetches.Running() != 0 || Fetches.Waiting() != 0)
        return false;
    const QRect view = viewport()->rect();
    QImage cached;
    for (int row = 0; row < FRows->rowCount(); ++row)
        if (visualRect(FRows->index(row, 0)).intersects(view)
            && Cache.Find(RowUrl(row), cached) == TThumbnailCache::TState::Missing)
            return false;
    return true;
}

// Keeps the fetches busy with the rows not yet asked for, never past their
// limit: the rows on screen, asked for as they are drawn, come first.
void TResultGrid::FetchMore()
{
    while (FEveryRow && FNextRow < FRows->rowCount()
           && Fetches.Running() + Fetches.Waiting() < Fetches.MaxRunning()) {
        const int row = FNextRow++;
        const std::string url = RowUrl(row);
        QImage cached;
        if (!LookAlikes.Hashed(row) && Cache.Find(url, cached) == TThumbnailCache::TState::Missing)
            Fetches.Want(url);
    }
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
