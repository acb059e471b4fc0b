#pragma once
#include <memory>

// One block of the send queue: bytes are written at the end and taken from
// the front; an emptied block starts again from its beginning.
class TBuffer {
public:
    explicit TBuffer(int Size);

    int Size() const { return FBlockSize; }
    void SetSize(int NewSize);
    int Write(const void* Data, int Len);
    // Pending bytes (nullptr, 0 when none).
    const char* Peek(int& Len) const;
    int Remove(int Len);
    bool Full() const { return FWrCount >= FBlockSize; }

private:
    std::unique_ptr<char[]> FBlock;
    int FBlockSize;
    int FWrCount = 0; // bytes stored
    int FRdCount = 0; // bytes already handed to the network
};
