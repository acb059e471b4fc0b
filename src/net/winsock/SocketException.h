#pragma once
#include "platform/ComponentException.h"

// Raised by the socket component for misuse and failed calls, and by the
// stand-in when its start-up fails.
class ESocketException : public EComponentException {
public:
    using EComponentException::EComponentException;
};
