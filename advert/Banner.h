#pragma once
#include "AdvertAbi.h"

#include <QImage>
#include <QTimer>
#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

// One started banner: which house advertisement it shows, when it rotates,
// when the one shown counts as seen, and the control's three callbacks.
// Everything runs on the thread that started it (the UI thread).
class TBanner {
public:
    static constexpr int RotationMs = 15000;

    // size: the index in AdvertSizes.
    TBanner(int32_t programId, uint32_t options, uint32_t size);
    ~TBanner();
    TBanner(const TBanner&) = delete;
    TBanner& operator=(const TBanner&) = delete;

    void Paint(QImage& target);
    void Click();
    void SetCallback(int event, AdCallback callback, void* control);
    void Raise(int event);
    void Rotate(); // the next advertisement, then a repaint
    bool SetMinimumDisplayTime(int32_t ms);
    void SetNetworkUp(bool up) { FNetworkUp = up; }
    bool NetworkUp() const { return FNetworkUp; }
    void RetryConnect();

    // Every banner alive; those still alive when the library is unloaded
    // (their control never shut them down) are freed then.
    static const std::vector<TBanner*>& Live();

private:
    void Show(size_t ad);
    void AskForNetwork();

    struct TRegistration {
        AdCallback Callback = nullptr;
        void* Control = nullptr;
    };
    std::array<TRegistration, 3> FCallbacks{};
    uint32_t FOptions;
    int32_t FWidth; // design pixels
    size_t FAd;
    bool FBlank;
    bool FSeen = false; // painted since it came up
    int32_t FMinimumDisplayMs = 0;
    bool FNetworkUp;
    QTimer FRotation;
    QTimer FCount;
};
