#pragma once
#include "net/Stream.h"

#include <memory>
#include <string>

// The file a fetch writes into (a client's DocStream). While one is open no
// other download can open the same file (an exclusive lock, as the original
// platform refused a second open), so two fetches never write into one file.
// Failures raise EStreamError.
class TDownloadFile : public TStream {
public:
    // Creates path, or empties an existing file; raises when the file
    // cannot be created or another download is writing it.
    static std::unique_ptr<TDownloadFile> Create(const std::string& path);
    // Creates path only if nothing of that name exists (one atomic step);
    // nullptr when it exists, raises on any other failure.
    static std::unique_ptr<TDownloadFile> CreateNew(const std::string& path);

    ~TDownloadFile() override;
    TDownloadFile(const TDownloadFile&) = delete;
    TDownloadFile& operator=(const TDownloadFile&) = delete;

    size_t Read(void* Buffer, size_t Count) override;
    void Write(const void* Buffer, size_t Count) override;
    int64_t Seek(int64_t Offset, TSeekOrigin Origin) override;
    int64_t Size() const override;
    const std::string& FileName() const { return FFileName; }

private:
    TDownloadFile(int handle, std::string fileName) : FHandle(handle), FFileName(std::move(fileName)) {}
    int FHandle;
    std::string FFileName;
};
