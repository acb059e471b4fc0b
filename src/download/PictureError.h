#pragma once
#include "platform/ComponentException.h"

// A picture file that cannot be shown: missing, unreadable, malformed,
// truncated, or larger than the viewer accepts.
class EPictureError : public EComponentException {
public:
    using EComponentException::EComponentException;
};
