#pragma once
#include "platform/ComponentException.h"

#include <cstdint>
#include <string>

enum THttpRequest : uint8_t { rqNone = 0, rqGet = 1, rqPost = 2, rqHead = 3 };

enum THttpState : uint8_t {
    hsReady = 0,
    hsNotConnected = 1,
    hsConnected = 2,
    hsDnsLookup = 3,
    hsDnsLookupDone = 4,
    hsWaitingHeader = 5,
    hsWaitingBody = 6,
    hsAborting = 7,
};

// Error codes of EHttpException and of OnRequestDone's Error argument.
// Failed lookups and connections report the sockets error number instead.
enum : uint16_t {
    hcBusy = 1,
    hcNothingToPost = 2,
    hcAborted = 3,
    hcLineTooLong = 4,      // a header line or the whole header too long
    hcDocStreamFailed = 5,  // DocStream refused a write (full or failing)
    hcCutBody = 6,          // https: the body ended without close_notify and without a length proving it whole
    hcTunnelRefused = 7,    // the HTTP proxy would not open a tunnel to the https host
    hcInsecureRelocation = 8, // an https response relocated to http://, which is not followed
};

class EHttpException : public EComponentException {
public:
    EHttpException(const std::string& msg, int errorCode)
        : EComponentException(msg), FErrorCode(errorCode) {}
    int ErrorCode() const { return FErrorCode; }

private:
    int FErrorCode;
};
