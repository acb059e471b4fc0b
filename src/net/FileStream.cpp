#include "net/FileStream.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

TFileStream::TFileStream(const std::string& FileName, TFileMode Mode) : FFileName(FileName)
{
    const int flags = Mode == fmCreate ? O_RDWR | O_CREAT | O_TRUNC : Mode == fmOpenRead ? O_RDONLY : O_RDWR;
    FHandle = ::open(FileName.c_str(), flags | O_CLOEXEC, 0644);
    if (FHandle < 0)
        throw EStreamError((Mode == fmCreate ? "Cannot create file " : "Cannot open file ") + FileName + ". " +
                           std::strerror(errno));
}

TFileStream::~TFileStream()
{
    ::close(FHandle);
}

size_t TFileStream::Read(void* Buffer, size_t Count)
{
    for (;;) {
        const ssize_t n = ::read(FHandle, Buffer, Count);
        if (n >= 0)
            return static_cast<size_t>(n);
        if (errno != EINTR)
            throw EStreamError("Read error on " + FFileName + ". " + std::strerror(errno));
    }
}

void TFileStream::Write(const void* Buffer, size_t Count)
{
    const char* p = static_cast<const char*>(Buffer);
    while (Count > 0) {
        const ssize_t n = ::write(FHandle, p, Count);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            throw EStreamError("Write error on " + FFileName + ". " + std::strerror(errno));
        p += n;
        Count -= static_cast<size_t>(n);
    }
}

int64_t TFileStream::Seek(int64_t Offset, TSeekOrigin Origin)
{
    const int whence = Origin == soBeginning ? SEEK_SET : Origin == soCurrent ? SEEK_CUR : SEEK_END;
    const off_t r = ::lseek(FHandle, Offset, whence);
    if (r < 0)
        throw EStreamError("Seek error on " + FFileName + ". " + std::strerror(errno));
    return r;
}

int64_t TFileStream::Size() const
{
    struct stat st {};
    if (::fstat(FHandle, &st) != 0)
        throw EStreamError("Cannot read the size of " + FFileName + ". " + std::strerror(errno));
    return st.st_size;
}
