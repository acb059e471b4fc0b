#include "net/MemoryStream.h"

#include <algorithm>
#include <cstring>

size_t TMemoryStream::Read(void* Buffer, size_t Count)
{
    const size_t n = FPosition < FData.size() ? std::min(Count, FData.size() - FPosition) : 0;
    if (n > 0)
        std::memcpy(Buffer, FData.data() + FPosition, n);
    FPosition += n;
    return n;
}

void TMemoryStream::Write(const void* Buffer, size_t Count)
{
    if (static_cast<int64_t>(FPosition + Count) > FMaxSize)
        throw EStreamError("Memory stream size limit reached");
    const size_t end = FPosition + Count;
    if (end > FData.size()) {
        if (end > FData.capacity())
            FData.reserve(std::max(end, std::min(FData.capacity() * 2, static_cast<size_t>(FMaxSize))));
        FData.resize(end);
    }
    if (Count > 0)
        std::memcpy(FData.data() + FPosition, Buffer, Count);
    FPosition = end;
}

int64_t TMemoryStream::Seek(int64_t Offset, TSeekOrigin Origin)
{
    const int64_t base = Origin == soBeginning ? 0 : Origin == soCurrent ? static_cast<int64_t>(FPosition) : Size();
    FPosition = static_cast<size_t>(std::max<int64_t>(0, base + Offset));
    return static_cast<int64_t>(FPosition);
}

void TMemoryStream::ExpectBytes(int64_t Count)
{
    const int64_t want = std::min(static_cast<int64_t>(FPosition) + std::max<int64_t>(Count, 0), FMaxSize);
    if (want > static_cast<int64_t>(FData.capacity()))
        FData.reserve(static_cast<size_t>(want));
}

void TMemoryStream::Clear()
{
    FData.clear();
    FData.shrink_to_fit();
    FPosition = 0;
}
