#include "Banner.h"

#include "AdPainter.h"

#include <QDesktopServices>
#include <QUrl>
#include <algorithm>

namespace {

struct TLiveBanners {
    std::vector<TBanner*> List;
    ~TLiveBanners()
    {
        while (!List.empty())
            delete List.back();
    }
};

TLiveBanners& LiveBanners()
{
    static TLiveBanners live;
    return live;
}

} // namespace

const std::vector<TBanner*>& TBanner::Live() { return LiveBanners().List; }

TBanner::TBanner(int32_t programId, uint32_t options, uint32_t size)
    : FOptions(options), FWidth(AdvertSizes[size][0]), FAd(static_cast<uint32_t>(programId) % HouseAds.size()),
      FBlank(options & ADVERT_DELAYED_STARTUP), FNetworkUp(!(options & ADVERT_NO_CONNECT))
{
    LiveBanners().List.push_back(this);
    FRotation.setInterval(RotationMs);
    QObject::connect(&FRotation, &QTimer::timeout, [this] { Rotate(); });
    FCount.setSingleShot(true);
    QObject::connect(&FCount, &QTimer::timeout, [this] { Raise(ADVERT_EVENT_RECORDED); });
    FRotation.start();
}

TBanner::~TBanner()
{
    auto& list = LiveBanners().List;
    list.erase(std::remove(list.begin(), list.end(), this), list.end());
}

void TBanner::Rotate()
{
    Show(FBlank ? FAd : (FAd + 1) % HouseAds.size());
    Raise(ADVERT_EVENT_REPAINT);
}

void TBanner::Show(size_t ad)
{
    FAd = ad;
    FBlank = false;
    FSeen = false;
    FCount.stop();
}

void TBanner::Paint(QImage& target)
{
    if (target.width() > FWidth)
        target.setDevicePixelRatio(static_cast<qreal>(target.width()) / FWidth);
    if (FBlank) {
        target.fill(Qt::black);
        return;
    }
    PaintHouseAd(target, HouseAds[FAd]);
    if (!FSeen) {
        // Counted once it has stayed up for the minimum time; raised from the
        // event loop, never from inside the paint.
        FSeen = true;
        FCount.start(FMinimumDisplayMs);
    }
}

void TBanner::Click()
{
    if (FBlank)
        return;
    if (FNetworkUp)
        QDesktopServices::openUrl(QUrl(QString::fromLatin1(HouseAds[FAd].Address)));
    else
        AskForNetwork();
}

void TBanner::SetCallback(int event, AdCallback callback, void* control)
{
    FCallbacks[static_cast<size_t>(event)] = {callback, control};
}

void TBanner::Raise(int event)
{
    const TRegistration r = FCallbacks[static_cast<size_t>(event)];
    if (r.Callback)
        r.Callback(r.Control);
}

bool TBanner::SetMinimumDisplayTime(int32_t ms)
{
    if (ms < 0)
        return false;
    FMinimumDisplayMs = ms;
    FRotation.setInterval(std::max(RotationMs, ms));
    return true;
}

void TBanner::AskForNetwork()
{
    if (!(FOptions & (ADVERT_NO_CONNECT | ADVERT_NO_DIAL_ON_DEMAND)))
        Raise(ADVERT_EVENT_NETWORK);
}

void TBanner::RetryConnect()
{
    if (!FNetworkUp)
        AskForNetwork();
}
