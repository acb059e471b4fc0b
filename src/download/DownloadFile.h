#pragma once
#include "net/FileStream.h"

#include <memory>
#include <string>

// The file a fetch writes into (a client's DocStream). While one is open no
// other download can open the same file (an exclusive lock, as the original
// platform refused a second open), so two fetches never write into one file.
// Failures raise EStreamError.
class TDownloadFile : public TFileStream {
public:
    // Creates path, or empties an existing file; raises when the file
    // cannot be created or another download is writing it.
    static std::unique_ptr<TDownloadFile> Create(const std::string& path);
    // Creates path only if nothing of that name exists (one atomic step);
    // nullptr when it exists, raises on any other failure.
    static std::unique_ptr<TDownloadFile> CreateNew(const std::string& path);

private:
    TDownloadFile(int handle, std::string fileName) : TFileStream(handle, std::move(fileName)) {}
};
