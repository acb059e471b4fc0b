#include "controls/ThumbnailDelegate.h"

#include "controls/ResultRows.h"
#include "download/ThumbnailCache.h"
#include "download/ThumbnailFetches.h"

#include <QPainter>

namespace {
constexpr int Margin = 4;
constexpr int NameHeight = 16;
}

TThumbnailDelegate::TThumbnailDelegate(TThumbnailCache& cache, TThumbnailFetches& fetches,
                                       std::function<std::string(int)> urlOf, int side, QObject* parent)
    : QStyledItemDelegate(parent), FCache(cache), FFetches(fetches), FUrlOf(std::move(urlOf)), FSide(side)
{
}

QSize TThumbnailDelegate::sizeHint(const QStyleOptionViewItem&, const QModelIndex&) const
{
    return {FSide + 2 * Margin, FSide + NameHeight + 2 * Margin};
}

void TThumbnailDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const
{
    const QRect cell = option.rect;
    if (option.state & QStyle::State_Selected)
        painter->fillRect(cell, option.palette.highlight());
    const QRect box(cell.left() + Margin, cell.top() + Margin, FSide, FSide);
    const std::string url = FUrlOf ? FUrlOf(index.row()) : std::string();
    QImage thumbnail;
    switch (FCache.Find(url, thumbnail)) {
    case TThumbnailCache::TState::Ready: {
        const QSize size = thumbnail.size();
        painter->drawImage(QPoint(box.left() + (FSide - size.width()) / 2, box.top() + (FSide - size.height()) / 2),
                           thumbnail);
        break;
    }
    case TThumbnailCache::TState::Failed:
        // A clear mark: a red cross over the empty frame.
        painter->setPen(QPen(QColor(200, 0, 0), 3));
        painter->drawRect(box.adjusted(1, 1, -2, -2));
        painter->drawLine(box.topLeft() + QPoint(12, 12), box.bottomRight() - QPoint(12, 12));
        painter->drawLine(box.topRight() + QPoint(-12, 12), box.bottomLeft() + QPoint(12, -12));
        break;
    case TThumbnailCache::TState::Missing:
        painter->setPen(QPen(QColor(128, 128, 128), 1, Qt::DashLine));
        painter->drawRect(box.adjusted(0, 0, -1, -1));
        FFetches.Want(url);
        break;
    }
    // The row's place among its look-alikes, on the thumbnail's corner; the
    // group's largest ("1 of N") in gold.
    const QString mark = index.siblingAtColumn(TResultRows::LookAlikeColumn).data(Qt::DisplayRole).toString();
    if (!mark.isEmpty()) {
        const QRect badge(box.left() + 2, box.top() + 2, option.fontMetrics.horizontalAdvance(mark) + 10,
                          option.fontMetrics.height() + 4);
        painter->setPen(Qt::NoPen);
        painter->setBrush(mark.startsWith(QLatin1String("1 of ")) ? QColor(255, 176, 0) : QColor(60, 60, 60, 220));
        painter->drawRoundedRect(badge, 4, 4);
        painter->setPen(mark.startsWith(QLatin1String("1 of ")) ? Qt::black : Qt::white);
        painter->drawText(badge, Qt::AlignCenter, mark);
    }
    const QRect nameRect(cell.left() + Margin, box.bottom() + 2, FSide, NameHeight);
    painter->setPen(option.state & QStyle::State_Selected ? option.palette.highlightedText().color()
                                                          : option.palette.text().color());
    // Hovered, a picture a source described shows its credit instead of its name.
    const QString credit = index.siblingAtColumn(TResultRows::CreditColumn).data(Qt::DisplayRole).toString();
    const QString name =
        (option.state & QStyle::State_MouseOver) && !credit.isEmpty() ? credit : index.data(Qt::DisplayRole).toString();
    painter->drawText(nameRect, Qt::AlignHCenter | Qt::AlignVCenter,
                      option.fontMetrics.elidedText(name, Qt::ElideMiddle, FSide));
}
