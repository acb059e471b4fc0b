// The fourteen entry points. No exception may cross into the caller: a
// failure becomes a result of 0.
#include "AdvertAbi.h"
#include "Banner.h"

#include <algorithm>

namespace {


TBanner* BannerOf(AdContext* context)
{
    return context && context->State ? static_cast<TBanner*>(*context->State) : nullptr;
}

template <class Body>
int32_t OnBanner(AdContext* context, Body&& body) noexcept
{
    TBanner* banner = BannerOf(context);
    if (!banner)
        return 0;
    try {
        return body(*banner);
    } catch (...) {
        return 0;
    }
}

int32_t Register(AdContext* context, int event, AdCallback callback, void* control)
{
    return OnBanner(context, [&](TBanner& b) {
        b.SetCallback(event, callback, control);
        return 1;
    });
}

} // namespace

extern "C" {

int32_t _Startup(AdContext* context, void* /*module*/, uint32_t /*reserved*/, int32_t programId, uint32_t size,
                 uint32_t options)
{
    if (!context || !context->State || (size & 0xff) >= ADVERT_SIZE_COUNT)
        return 0;
    try {
        if (!*context->State)
            *context->State = new TBanner(programId, options, size & 0xff);
        return 1;
    } catch (...) {
        return 0;
    }
}

int32_t _Paint(AdContext* context, AdSurface* surface, int32_t, int32_t)
{
    return OnBanner(context, [&](TBanner& b) {
        if (!surface || !surface->Pixels || surface->Width <= 0 || surface->Height <= 0
            || surface->BytesPerLine / 4 < surface->Width)
            return 0;
        QImage target(surface->Pixels, surface->Width, surface->Height, surface->BytesPerLine, QImage::Format_RGB32);
        b.Paint(target);
        return 1;
    });
}

int32_t _OnClick(AdContext* context)
{
    return OnBanner(context, [](TBanner& b) {
        b.Click();
        return 1;
    });
}

int32_t _SetCallback(AdContext* context, AdCallback callback, void* control)
{
    return Register(context, ADVERT_EVENT_REPAINT, callback, control);
}

int32_t _SetNetworkCallback(AdContext* context, AdCallback callback, void* control)
{
    return Register(context, ADVERT_EVENT_NETWORK, callback, control);
}

int32_t _SetAdRecordedCallback(AdContext* context, AdCallback callback, void* control)
{
    return Register(context, ADVERT_EVENT_RECORDED, callback, control);
}

// House advertisements download nothing and need no proxy: both are accepted and have no effect.
int32_t _SetBandwidthThrottle(AdContext* context, int32_t)
{
    return OnBanner(context, [](TBanner&) { return 1; });
}

int32_t _SetProxy(AdContext* context, const char*, int32_t)
{
    return OnBanner(context, [](TBanner&) { return 1; });
}

int32_t _SetMinimumAdDisplayTime(AdContext* context, int32_t milliseconds)
{
    return OnBanner(context, [&](TBanner& b) { return b.SetMinimumDisplayTime(milliseconds) ? 1 : 0; });
}

int32_t _IsConnectOkay(AdContext* context, uint32_t* up)
{
    return OnBanner(context, [&](TBanner& b) {
        if (!up)
            return 0;
        *up = b.NetworkUp() ? 1 : 0;
        return 1;
    });
}

int32_t _RetryConnect(AdContext* context)
{
    return OnBanner(context, [](TBanner& b) {
        b.RetryConnect();
        return 1;
    });
}

int32_t _SetNetworkState(AdContext* context, uint32_t up)
{
    return OnBanner(context, [&](TBanner& b) {
        b.SetNetworkUp(up != 0);
        return 1;
    });
}

int32_t _Shutdown(AdContext* context)
{
    TBanner* banner = BannerOf(context);
    if (!banner)
        return 0;
    *context->State = nullptr;
    delete banner;
    return 1;
}

int32_t _debugTriggerEvent(AdContext* context, int32_t event)
{
    if (event < ADVERT_EVENT_REPAINT || event > ADVERT_EVENT_ROTATE)
        return 0;
    const auto trigger = [event](TBanner& b) {
        if (event == ADVERT_EVENT_ROTATE)
            b.Rotate();
        else
            b.Raise(event);
        return 1;
    };
    if (context)
        return OnBanner(context, trigger);
    const std::vector<TBanner*> all = TBanner::Live();
    const auto alive = [](TBanner* b) { // a callback may have shut it down
        return std::find(TBanner::Live().begin(), TBanner::Live().end(), b) != TBanner::Live().end();
    };
    try {
        for (TBanner* b : all)
            if (alive(b))
                trigger(*b);
    } catch (...) {
        return 0;
    }
    return 1;
}

} // extern "C"
