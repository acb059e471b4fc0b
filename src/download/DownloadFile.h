#pragma once
#include "net/FileStream.h"

#include <QCryptographicHash>
#include <memory>
#include <string>

// The file a fetch writes into (a client's DocStream). The bytes go to a
// temporary file in the target's folder; Commit puts it in the target's
// place once the fetch is whole, and a file never committed is removed
// with the object. So a fetch that fails leaves the target as it was: a
// picture the user already had under that name is neither emptied nor
// deleted. While one is open no other download of this process may take the
// same target, as the original platform refused a second open of a file.
// Failures raise EStreamError.
class TDownloadFile : public TFileStream {
public:
    // Will replace target, which may exist; raises when the temporary file
    // cannot be created or another download holds the target.
    static std::unique_ptr<TDownloadFile> Create(const std::string& target);
    // Only for a target that does not exist and is not held; nullptr when
    // it is. Commit then never replaces a file that appeared meanwhile.
    static std::unique_ptr<TDownloadFile> CreateNew(const std::string& target);
    ~TDownloadFile() override;

    void Write(const void* Buffer, size_t Count) override;

    const std::string& Target() const { return FTarget; }
    int64_t Written() const { return FWritten; }
    // The SHA-256 of what was written.
    std::string Digest() const { return FHash.result().toStdString(); }

    // Moves the finished file to its target, its bytes on disk first.
    void Commit();

private:
    TDownloadFile(int handle, std::string tempName, std::string target, bool replace);
    static std::unique_ptr<TDownloadFile> Open(const std::string& target, bool replace);

    std::string FTarget;
    bool FReplace;
    int FHandle; // the stream's, for fsync
    bool FCommitted = false;
    int64_t FWritten = 0;
    QCryptographicHash FHash{QCryptographicHash::Sha256};
};
