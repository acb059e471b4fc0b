#include "controls/AdImage.h"

#include "platform/SharedLibrary.h"
#include "platform/ui/Dialogs.h"

#include <QMouseEvent>
#include <QPainter>
#include <cstdint>
#include <unordered_map>

namespace {

// In the order they are resolved, which is the order of the boxes for missing ones.
constexpr const char* kProcNames[] = {"_Startup",
                                      "_Paint",
                                      "_OnClick",
                                      "_SetCallback",
                                      "_SetNetworkCallback",
                                      "_SetAdRecordedCallback",
                                      "_SetBandwidthThrottle",
                                      "_SetMinimumAdDisplayTime",
                                      "_IsConnectOkay",
                                      "_RetryConnect",
                                      "_SetNetworkState",
                                      "_SetProxy",
                                      "_Shutdown",
                                      "_debugTriggerEvent"};

std::string& LibraryFolder()
{
    static std::string folder;
    return folder;
}

// Controls alive, by callback token.
std::unordered_map<void*, TAdImage*>& LiveControls()
{
    static std::unordered_map<void*, TAdImage*> live;
    return live;
}

void* NewCallbackToken()
{
    static uintptr_t last = 0;
    return reinterpret_cast<void*>(++last);
}

TAdImage* ControlOf(void* token)
{
    const auto it = LiveControls().find(token);
    return it == LiveControls().end() ? nullptr : it->second;
}

void Raise(const TAdImage::TCallbackEvent& event, TAdImage* sender)
{
    if (event)
        event(sender);
}

void RepaintCallback(void* token)
{
    if (TAdImage* c = ControlOf(token))
        c->update();
}

void NetworkCallback(void* token)
{
    if (TAdImage* c = ControlOf(token))
        Raise(c->OnNetworkRequest, c);
}

void RecordedCallback(void* token)
{
    if (TAdImage* c = ControlOf(token))
        Raise(c->OnAdCounted, c);
}

void Assertion(const std::string& text) { Dialogs::ShowMessageBox("Assertion Failed", text); }

} // namespace

void TAdImage::SetLibraryFolder(const std::string& folder) { LibraryFolder() = folder; }

TAdImage::TAdImage(QWidget* parent) : QWidget(parent), FCallbackToken(NewCallbackToken())
{
    setAttribute(Qt::WA_OpaquePaintEvent);
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    ApplySize(FSize);
    LiveControls()[FCallbackToken] = this;
    LoadLibrary();
}

TAdImage::~TAdImage()
{
    // First, so that whatever the library calls back from here on finds nothing.
    LiveControls().erase(FCallbackToken);
    if (FStarted)
        Call<AdShutdownProc>(pShutdown);
    FProcs = {};
    FAdLibrary.reset();
}

void TAdImage::LoadLibrary()
{
    // A bare name is looked for along the executable's run path: beside it in
    // the build and in a portable copy, in the program's library folder when installed.
    FAdLibrary = std::make_unique<TSharedLibrary>(
        LibraryFolder().empty() ? std::string(ADVERT_LIBRARY_FILE) : LibraryFolder() + "/" + ADVERT_LIBRARY_FILE);
    if (!FAdLibrary->Loaded())
        Assertion("Couldn't load " ADVERT_LIBRARY_FILE);
    for (int i = 0; i < kProcCount; ++i) {
        FProcs[i] = FAdLibrary->Resolve(kProcNames[i]);
        if (!FProcs[i])
            Assertion(std::string("Couldn't find address of ") + kProcNames[i]);
    }
}

void TAdImage::Loaded()
{
    if (FAutoLoad)
        StartAds();
}

bool TAdImage::StartAds()
{
    if (!FStartResult)
        FStartResult = StartLibrary();
    return *FStartResult;
}

bool TAdImage::StartLibrary()
{
    const int32_t started = Call<AdStartupProc>(pStartup, FAdLibrary->Handle(), 0u, FProgramID,
                                                static_cast<uint32_t>(FSize), FOptionFlags);
    if (!(started & 0xFFFF))
        return false;
    FStarted = true;
    update();
    Call<AdSetCallbackProc>(pSetCallback, &RepaintCallback, FCallbackToken);
    Call<AdSetCallbackProc>(pSetNetworkCallback, &NetworkCallback, FCallbackToken);
    Call<AdSetCallbackProc>(pSetAdRecordedCallback, &RecordedCallback, FCallbackToken);
    Call<AdSetBandwidthThrottleProc>(pSetBandwidthThrottle, FBandwidthThrottle);
    return Call<AdSetMinimumAdDisplayTimeProc>(pSetMinimumAdDisplayTime, FMinimumAdDisplayTime) & 0xFFFF;
}

void TAdImage::SetBandwidthThrottle(int32_t bytesPerSecond)
{
    FBandwidthThrottle = bytesPerSecond;
    if (FStarted)
        Call<AdSetBandwidthThrottleProc>(pSetBandwidthThrottle, bytesPerSecond);
}

void TAdImage::SetMinimumAdDisplayTime(int32_t ms)
{
    FMinimumAdDisplayTime = ms;
    if (FStarted)
        Call<AdSetMinimumAdDisplayTimeProc>(pSetMinimumAdDisplayTime, ms);
}

bool TAdImage::NetworkIsUp() const
{
    if (!FStarted)
        return false;
    uint32_t up = 0;
    return (Call<AdIsConnectOkayProc>(pIsConnectOkay, &up) & 0xFFFF) && up;
}

void TAdImage::SetNetworkIsUp(bool up)
{
    if (FStarted)
        Call<AdSetNetworkStateProc>(pSetNetworkState, up ? 0xFFFFFFFFu : 0u);
}

void TAdImage::SetSize(TAdImageSize size) { ApplySize(size); }

void TAdImage::ApplySize(TAdImageSize size)
{
    FSize = size;
    const TAdDimensions d = AdImageDimensions(size);
    if (width() != d.Width || height() != d.Height)
        resize(d.Width, d.Height);
}

void TAdImage::SetBounds(int left, int top, int width, int height)
{
    setGeometry(left, top, width, height);
    ApplySize(ChooseAdImageSize(width, height));
}

// Layouts and plain resizes snap too; a standard size maps to itself.
void TAdImage::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    ApplySize(ChooseAdImageSize(width(), height()));
}

void TAdImage::paintEvent(QPaintEvent*)
{
    // In device pixels: the library draws a dense screen's banner at its scale.
    const qreal ratio = devicePixelRatioF();
    if (FOffscreen.size() != size() * ratio || FOffscreen.devicePixelRatio() != ratio) {
        FOffscreen = QImage(size() * ratio, QImage::Format_RGB32);
        FOffscreen.setDevicePixelRatio(ratio);
        FOffscreen.fill(Qt::black);
    }
    if (FOffscreen.isNull())
        return;
    AdSurface surface{FOffscreen.width(), FOffscreen.height(), static_cast<int32_t>(FOffscreen.bytesPerLine()),
                      FOffscreen.bits()};
    Call<AdPaintProc>(pPaint, &surface, 0, 0);
    QPainter(this).drawImage(0, 0, FOffscreen);
}

void TAdImage::Click()
{
    Raise(OnClick, this);
    Call<AdOnClickProc>(pOnClick);
}

void TAdImage::mousePressEvent(QMouseEvent* event)
{
    FPressed = event->button() == Qt::LeftButton;
}

// No double clicks: the second press of one is a press like the first.
void TAdImage::mouseDoubleClickEvent(QMouseEvent* event) { mousePressEvent(event); }

void TAdImage::mouseReleaseEvent(QMouseEvent* event)
{
    const bool click = FPressed && event->button() == Qt::LeftButton && rect().contains(event->position().toPoint());
    FPressed = false;
    if (click)
        Click();
}
