#pragma once
#include "platform/ComponentException.h"

// Raised by the fading button's effects when its rates do not fit its size.
class ELuminFade : public EComponentException {
public:
    using EComponentException::EComponentException;
};
