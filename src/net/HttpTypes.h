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
};

class EHttpException : public EComponentException {
public:
    EHttpException(const std::string& msg, int errorCode)
        : EComponentException(msg), FErrorCode(errorCode) {}
    int ErrorCode() const { return FErrorCode; }

private:
    int FErrorCode;
};
