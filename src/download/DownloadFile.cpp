#include "download/DownloadFile.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

[[noreturn]] void Fail(const std::string& what, const std::string& path, int error)
{
    throw EStreamError(what + " " + path + ": " + std::strerror(error));
}

// Locks the freshly opened handle for this download; closes it on failure.
int Claim(int fd, const std::string& path)
{
    struct stat st {};
    if (fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        close(fd);
        Fail("Cannot create file", path, EISDIR);
    }
    if (flock(fd, LOCK_EX | LOCK_NB) != 0) {
        const int error = errno == EWOULDBLOCK ? EBUSY : errno;
        close(fd);
        Fail("Cannot create file", path, error);
    }
    return fd;
}

} // namespace

std::unique_ptr<TDownloadFile> TDownloadFile::Create(const std::string& path)
{
    // No O_TRUNC: the file may belong to a running download; empty it only
    // once the lock is ours. O_NONBLOCK keeps a named pipe from hanging us.
    const int fd = open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NONBLOCK, 0666);
    if (fd < 0)
        Fail("Cannot create file", path, errno);
    Claim(fd, path);
    if (ftruncate(fd, 0) != 0) {
        const int error = errno;
        close(fd);
        Fail("Cannot create file", path, error);
    }
    return std::unique_ptr<TDownloadFile>(new TDownloadFile(fd, path));
}

std::unique_ptr<TDownloadFile> TDownloadFile::CreateNew(const std::string& path)
{
    const int fd = open(path.c_str(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd < 0) {
        if (errno == EEXIST)
            return nullptr;
        Fail("Cannot create file", path, errno);
    }
    return std::unique_ptr<TDownloadFile>(new TDownloadFile(Claim(fd, path), path));
}

TDownloadFile::~TDownloadFile() { close(FHandle); }

size_t TDownloadFile::Read(void* Buffer, size_t Count)
{
    ssize_t n;
    do
        n = read(FHandle, Buffer, Count);
    while (n < 0 && errno == EINTR);
    if (n < 0)
        Fail("Cannot read file", FFileName, errno);
    return static_cast<size_t>(n);
}

void TDownloadFile::Write(const void* Buffer, size_t Count)
{
    const char* p = static_cast<const char*>(Buffer);
    while (Count > 0) {
        const ssize_t n = write(FHandle, p, Count);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            Fail("Cannot write file", FFileName, n < 0 ? errno : ENOSPC);
        p += n;
        Count -= static_cast<size_t>(n);
    }
}

int64_t TDownloadFile::Seek(int64_t Offset, TSeekOrigin Origin)
{
    const int whence = Origin == soBeginning ? SEEK_SET : Origin == soCurrent ? SEEK_CUR : SEEK_END;
    const off_t pos = lseek(FHandle, Offset, whence);
    if (pos < 0)
        Fail("Cannot seek in file", FFileName, errno);
    return pos;
}

int64_t TDownloadFile::Size() const
{
    struct stat st {};
    if (fstat(FHandle, &st) != 0)
        Fail("Cannot read file", FFileName, errno);
    return st.st_size;
}
