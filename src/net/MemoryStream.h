#pragma once
#include "net/Stream.h"

#include <vector>

// A stream in memory. Writing past MaxSize fails, so that a peer that sends
// without end cannot take all memory.
class TMemoryStream : public TStream {
public:
    // Pages and pictures are far smaller; several fetches run at once.
    static constexpr int64_t DefaultMaxSize = 64 * 1024 * 1024;

    explicit TMemoryStream(int64_t maxSize = DefaultMaxSize) : FMaxSize(maxSize) {}

    size_t Read(void* Buffer, size_t Count) override;
    void Write(const void* Buffer, size_t Count) override;
    int64_t Seek(int64_t Offset, TSeekOrigin Origin) override;
    int64_t Size() const override { return static_cast<int64_t>(FData.size()); }
    void ExpectBytes(int64_t Count) override;

    const char* Data() const { return FData.data(); }
    int64_t MaxSize() const { return FMaxSize; }
    void Clear();

private:
    std::vector<char> FData;
    size_t FPosition = 0;
    int64_t FMaxSize;
};
