#pragma once
#include "controls/ResultRows.h"
#include "download/ThumbnailCache.h"
#include "download/ThumbnailFetches.h"

#include <QListView>
#include <functional>
#include <string>

// The found pictures as a grid of thumbnails, over the same rows and the
// same selection as the result list. A row fetches its thumbnail only when
// it is drawn, that is when it is on screen; drawing never waits: a row
// shows a frame until its thumbnail is there, and a cross when it failed.
class TResultGrid : public QListView {
    Q_OBJECT
public:
    static constexpr int Side = 128; // a thumbnail's longer side

    TResultGrid(TResultRows* rows, QWidget* parent = nullptr);

    std::function<std::string(int row)> UrlOf; // the row's picture
    TThumbnailCache Cache;
    TThumbnailFetches Fetches{Cache};

    void Clear(); // a new search: thumbnails and fetches go

protected:
    void scrollContentsBy(int dx, int dy) override;
    void resizeEvent(QResizeEvent* event) override;
};
