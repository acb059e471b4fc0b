#pragma once
#include <initializer_list>

// A set of the values of a small enumeration.
template <class E>
class TEnumSet {
public:
    TEnumSet() = default;
    TEnumSet(std::initializer_list<E> values)
    {
        for (E v : values)
            FBits |= Bit(v);
    }
    bool Contains(E v) const { return (FBits & Bit(v)) != 0; }
    bool operator==(const TEnumSet&) const = default;

private:
    static unsigned Bit(E v) { return 1u << static_cast<unsigned>(v); }
    unsigned FBits = 0;
};
