#pragma once
#include "advert/AdvertAbi.h"
#include "controls/AdImageSize.h"
#include "controls/AdOptions.h"

#include <QImage>
#include <QWidget>
#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>

class TSharedLibrary;

// The advertising banner. The advertising library, loaded at creation,
// draws into an off-screen picture that the control shows; the control
// forwards clicks and settings to it and turns its callbacks into a repaint
// or an event. Every call into the library is skipped when the library or
// that entry point is missing: the banner then stays black.
class TAdImage : public QWidget {
    Q_OBJECT
public:
    using TCallbackEvent = std::function<void(TAdImage* sender)>;

    explicit TAdImage(QWidget* parent = nullptr);
    ~TAdImage() override;

    // Where the library is looked for; empty (the default) means along the
    // executable's run path.
    static void SetLibraryFolder(const std::string& folder);

    bool AutoLoad() const { return FAutoLoad; }
    void SetAutoLoad(bool on) { FAutoLoad = on; }
    TAdOptionSet Options() const { return AdOptionsFromWord(FOptionFlags); }
    void SetOptions(const TAdOptionSet& options) { FOptionFlags = AdOptionWord(options); }
    uint32_t OptionFlags() const { return FOptionFlags; }
    int32_t ProgramID() const { return FProgramID; }
    void SetProgramID(int32_t id) { FProgramID = id; }
    int32_t BandwidthThrottle() const { return FBandwidthThrottle; }
    void SetBandwidthThrottle(int32_t bytesPerSecond);
    int32_t MinimumAdDisplayTime() const { return FMinimumAdDisplayTime; }
    void SetMinimumAdDisplayTime(int32_t ms);
    bool NetworkIsUp() const; // false until started
    void SetNetworkIsUp(bool up);
    TAdImageSize Size() const { return FSize; }
    void SetSize(TAdImageSize size);
    bool Started() const { return FStarted; }

    TCallbackEvent OnNetworkRequest;
    TCallbackEvent OnAdCounted;
    TCallbackEvent OnClick;

    // Applies the bounds, then snaps to the nearest standard size there.
    void SetBounds(int left, int top, int width, int height);
    // The owner has set the properties: starts the advertisements when AutoLoad is on.
    void Loaded();
    // Starts the library once: a later call only repeats the first result.
    bool StartAds();
    void Click();

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    enum TProc {
        pStartup,
        pPaint,
        pOnClick,
        pSetCallback,
        pSetNetworkCallback,
        pSetAdRecordedCallback,
        pSetBandwidthThrottle,
        pSetMinimumAdDisplayTime,
        pIsConnectOkay,
        pRetryConnect,
        pSetNetworkState,
        pSetProxy,
        pShutdown,
        pDebugTriggerEvent,
        kProcCount
    };
    // The entry point's result, or 0 when it is missing.
    template <class Proc, class... Args>
    int32_t Call(TProc which, Args... args) const
    {
        const auto proc = reinterpret_cast<Proc>(FProcs[which]);
        return proc ? proc(&FContext, args...) : 0;
    }
    void LoadLibrary();
    bool StartLibrary();
    void ApplySize(TAdImageSize size);

    bool FAutoLoad = true;
    uint32_t FOptionFlags = 0;
    int32_t FProgramID = 0;
    int32_t FBandwidthThrottle = 2147483647;
    int32_t FMinimumAdDisplayTime = 0;
    TAdImageSize FSize = TAdImageSize::ADS468x60;
    bool FStarted = false;
    std::optional<bool> FStartResult; // set by the one start
    bool FPressed = false;
    QImage FOffscreen;
    std::unique_ptr<TSharedLibrary> FAdLibrary;
    std::array<void*, kProcCount> FProcs{};
    void* FState = nullptr; // the library's per-banner state
    mutable AdContext FContext{&FState, 0};
    // What the library hands back to the callbacks: a number never reused,
    // so a call for a control that is gone finds nothing.
    void* FCallbackToken;
};
