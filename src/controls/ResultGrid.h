#pragma once
#include "controls/ResultRows.h"
#include "download/ThumbnailCache.h"
#include "download/LookAlikes.h"
#include "download/ThumbnailFetches.h"

#include <QListView>
#include <functional>
#include <string>
#include <unordered_map>

// The found pictures as a grid of thumbnails, over the same rows and the
// same selection as the result list. A row fetches its thumbnail only when
// it is drawn, that is when it is on screen; drawing never waits: a row
// shows a frame until its thumbnail is there, and a cross when it failed.
// Each thumbnail made puts its row into a group of look-alikes, which the
// rows show ("1 of 3": the largest first).
class TResultGrid : public QListView {
    Q_OBJECT
public:
    static constexpr int Side = 128; // a thumbnail's longer side

    TResultGrid(TResultRows* rows, QWidget* parent = nullptr);

    std::function<std::string(int row)> UrlOf; // the row's picture
    TThumbnailCache Cache;
    TThumbnailFetches Fetches{Cache};
    TLookAlikes LookAlikes;
    std::function<void(int row)> OnGrouped; // the row's group (or its place in it) changed

    void Clear(); // a new search: thumbnails, fetches and groups go
    // On: every row's thumbnail is fetched, those on screen first, as the
    // fetches have room, so that every row finds its group.
    void FetchEveryRow(bool on);
    // Every cell on screen shows its thumbnail or its cross, and no fetch
    // runs or waits: what a user sees no longer changes.
    bool ViewDrawn();

protected:
    void scrollContentsBy(int dx, int dy) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    std::string RowUrl(int row); // UrlOf, remembered for the hash that comes back
    void Hashed(const std::string& url, uint64_t hash, int64_t pixels);
    void FetchMore();

    TResultRows* FRows;
    std::unordered_map<std::string, int> FRowOf;
    bool FEveryRow = false;
    int FNextRow = 0; // every row before it has been asked for
};
