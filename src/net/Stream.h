#pragma once
#include <cstdint>
#include <cstddef>
#include <stdexcept>

class EStreamError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

enum TSeekOrigin { soBeginning, soCurrent, soEnd };

// A byte stream owned by whoever created it; components only borrow it.
class TStream {
public:
    virtual ~TStream() = default;
    // Up to Count bytes from the position; returns how many were read.
    virtual size_t Read(void* Buffer, size_t Count) = 0;
    // All Count bytes at the position, or EStreamError.
    virtual void Write(const void* Buffer, size_t Count) = 0;
    virtual int64_t Seek(int64_t Offset, TSeekOrigin Origin) = 0;
    virtual int64_t Size() const = 0;
    // A writer announces how many bytes will follow, so that a stream can
    // make room once instead of growing piece by piece.
    virtual void ExpectBytes(int64_t) {}
};
