/* The advertising library's binary interface, shared by the library and the
 * banner control that loads it at run time. Every entry point has C linkage
 * and the platform's C calling convention. Arguments that carry an address
 * or a handle are pointer-sized; all others are 32 bits. A result of
 * "16 bits" is tested in its low 16 bits only: non-zero is success. */
#ifndef GLIMMERSCOUT_ADVERT_ABI_H
#define GLIMMERSCOUT_ADVERT_ABI_H

#include <stdint.h>

#ifdef __cplusplus
extern "C" {
#endif

/* The file name of the library, found along the executable's run path. */
#define ADVERT_LIBRARY_FILE "libadvert.so"

/* First argument of every entry point. State points to a pointer-sized slot
 * in the control, null until the library stores its per-banner state there;
 * Reserved is 0. */
typedef struct AdContext {
    void** State;
    uint32_t Reserved;
} AdContext;

/* The "device context" the library paints into: Height lines of Width
 * pixels, BytesPerLine apart, each pixel 32 bits 0xffRRGGBB in native byte
 * order. The caller owns the pixels. */
typedef struct AdSurface {
    int32_t Width;
    int32_t Height;
    int32_t BytesPerLine;
    uint8_t* Pixels;
} AdSurface;

/* Called on the user-interface thread with the control given at registration. */
typedef void (*AdCallback)(void* control);

/* Option word bits of _Startup. */
#define ADVERT_NO_CONNECT 0x1u        /* start with the network down, never ask for it */
#define ADVERT_NO_DIAL_ON_DEMAND 0x2u /* never ask for the network */
#define ADVERT_DELAYED_STARTUP 0x4u   /* stay blank until the first rotation */

/* Events of _debugTriggerEvent. */
#define ADVERT_EVENT_REPAINT 0
#define ADVERT_EVENT_NETWORK 1
#define ADVERT_EVENT_RECORDED 2
#define ADVERT_EVENT_ROTATE 3 /* the next advertisement now, as the rotation timer does */

/* The banner sizes in their fixed order: width and height in design pixels. */
#define ADVERT_SIZE_COUNT 12
static const int32_t AdvertSizes[ADVERT_SIZE_COUNT][2] = {{150, 40}, {468, 60}, {300, 50}, {70, 70},
                                                          {50, 200}, {392, 72}, {234, 60}, {125, 125},
                                                          {120, 90}, {120, 60}, {88, 31}, {120, 240}};

/* size: 0 to 11 in the low byte (the index in AdvertSizes).
 * 16-bit result: started. */
typedef int32_t (*AdStartupProc)(AdContext* context, void* module, uint32_t reserved, int32_t programId,
                                 uint32_t size, uint32_t options);
/* Draws the banner into the surface. x and y are 0. A surface larger than
 * the banner's size (a dense screen's device pixels) is drawn at that scale. */
typedef int32_t (*AdPaintProc)(AdContext* context, AdSurface* surface, int32_t x, int32_t y);
typedef int32_t (*AdOnClickProc)(AdContext* context);
/* The three registrations: repaint, network wanted, advertisement recorded. */
typedef int32_t (*AdSetCallbackProc)(AdContext* context, AdCallback callback, void* control);
typedef int32_t (*AdSetBandwidthThrottleProc)(AdContext* context, int32_t bytesPerSecond);
/* milliseconds; 16-bit result: accepted. */
typedef int32_t (*AdSetMinimumAdDisplayTimeProc)(AdContext* context, int32_t milliseconds);
/* 16-bit result and *up, both non-zero: the network is up. */
typedef int32_t (*AdIsConnectOkayProc)(AdContext* context, uint32_t* up);
typedef int32_t (*AdRetryConnectProc)(AdContext* context);
/* up: all bits set for up, 0 for down. */
typedef int32_t (*AdSetNetworkStateProc)(AdContext* context, uint32_t up);
typedef int32_t (*AdSetProxyProc)(AdContext* context, const char* host, int32_t port);
typedef int32_t (*AdShutdownProc)(AdContext* context);
/* Raises one of the ADVERT_EVENT_* events of the banner, or of every banner
 * when context is null. */
typedef int32_t (*AdDebugTriggerEventProc)(AdContext* context, int32_t event);

#ifdef __cplusplus
}
#endif

#endif
