#pragma once
#include <QStyledItemDelegate>
#include <functional>
#include <string>

class TThumbnailCache;
class TThumbnailFetches;

// Draws one grid cell: the thumbnail from the cache (asking for it when it
// is missing), a cross when it failed, its place among its look-alikes, and
// the file name below (the credit, while the mouse is over a picture a source
// described).
class TThumbnailDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    TThumbnailDelegate(TThumbnailCache& cache, TThumbnailFetches& fetches, std::function<std::string(int)> urlOf,
                       int side, QObject* parent);

    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override;
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;

private:
    TThumbnailCache& FCache;
    TThumbnailFetches& FFetches;
    std::function<std::string(int)> FUrlOf;
    int FSide;
};
