#pragma once
#include "net/Stream.h"

#include <string>

enum TFileMode { fmCreate, fmOpenRead, fmOpenReadWrite };

// A stream on a file: fmCreate creates it or empties an existing one.
// Failing to open or write raises EStreamError.
class TFileStream : public TStream {
public:
    TFileStream(const std::string& FileName, TFileMode Mode);
    ~TFileStream() override;
    TFileStream(const TFileStream&) = delete;
    TFileStream& operator=(const TFileStream&) = delete;

    size_t Read(void* Buffer, size_t Count) override;
    void Write(const void* Buffer, size_t Count) override;
    int64_t Seek(int64_t Offset, TSeekOrigin Origin) override;
    int64_t Size() const override;
    const std::string& FileName() const { return FFileName; }

protected:
    // Takes over a handle its caller opened.
    TFileStream(int Handle, std::string FileName) : FFileName(std::move(FileName)), FHandle(Handle) {}

private:
    std::string FFileName;
    int FHandle = -1;
};
