#include "net/WSockBuf.h"

#include <algorithm>
#include <cstring>

namespace {
constexpr int kDefaultBlockSize = 1514;
}

TBuffer::TBuffer(int Size)
    : FBlockSize(Size > 0 ? Size : kDefaultBlockSize)
{
    FBlock.reset(new char[FBlockSize]);
}

void TBuffer::SetSize(int NewSize)
{
    if (NewSize == FBlockSize)
        return;
    std::unique_ptr<char[]> block(new char[NewSize]);
    if (FRdCount != FWrCount)
        std::memcpy(block.get(), FBlock.get(), std::min(FWrCount, NewSize));
    else
        FWrCount = FRdCount = 0;
    FWrCount = std::min(FWrCount, NewSize);
    FRdCount = std::min(FRdCount, FWrCount);
    FBlock = std::move(block);
    FBlockSize = NewSize;
}

int TBuffer::Write(const void* Data, int Len)
{
    const int n = std::min(Len, FBlockSize - FWrCount);
    if (n <= 0)
        return 0;
    std::memcpy(FBlock.get() + FWrCount, Data, n);
    FWrCount += n;
    return n;
}

const char* TBuffer::Peek(int& Len) const
{
    Len = FWrCount - FRdCount;
    return Len > 0 ? FBlock.get() + FRdCount : nullptr;
}

int TBuffer::Remove(int Len)
{
    const int n = std::clamp(Len, 0, FWrCount - FRdCount);
    FRdCount += n;
    if (FRdCount >= FWrCount)
        FRdCount = FWrCount = 0;
    return n;
}
