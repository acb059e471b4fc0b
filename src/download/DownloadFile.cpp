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
