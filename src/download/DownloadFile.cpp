#include "download/DownloadFile.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <set>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// Targets held by an open download of this process.
std::set<std::string>& Held()
{
    static std::set<std::string> held;
    return held;
}

[[noreturn]] void Fail(const std::string& what, const std::string& path, int error)
{
    throw EStreamError(what + " " + path + ": " + std::strerror(error));
}

// A hidden name beside target, unique in this process; O_EXCL settles any
// clash with another.
std::string TempName(const std::string& target, unsigned serial)
{
    const size_t slash = target.rfind('/');
    const std::string folder = slash == std::string::npos ? std::string() : target.substr(0, slash + 1);
    // Room for the suffix within the 255 bytes a name may have.
    const std::string name = target.substr(folder.size(), 200);
    return folder + "." + name + "." + std::to_string(::getpid()) + "-" + std::to_string(serial) + ".part";
}

// Moves from to a target that must not exist. Where the file system knows
// no such rename, a hard link does it; where it has no links either, a look
// first, with the small race that leaves.
int MoveNoReplace(const char* from, const char* to)
{
    if (::renameat2(AT_FDCWD, from, AT_FDCWD, to, RENAME_NOREPLACE) == 0)
        return 0;
    if (errno != EINVAL)
        return -1;
    if (::link(from, to) == 0) {
        ::unlink(from);
        return 0;
    }
    if (errno == EEXIST)
        return -1;
    struct stat st {};
    if (::lstat(to, &st) == 0) {
        errno = EEXIST;
        return -1;
    }
    return ::rename(from, to);
}

} // namespace

TDownloadFile::TDownloadFile(int handle, std::string tempName, std::string target, bool replace)
    : TFileStream(handle, std::move(tempName)), FTarget(std::move(target)), FReplace(replace), FHandle(handle)
{
    Held().insert(FTarget);
}

TDownloadFile::~TDownloadFile()
{
    Held().erase(FTarget);
    if (!FCommitted)
        ::unlink(FileName().c_str());
}

std::unique_ptr<TDownloadFile> TDownloadFile::Open(const std::string& target, bool replace)
{
    static unsigned serial = 0;
    for (;;) {
        const std::string temp = TempName(target, ++serial);
        // O_NONBLOCK: a named pipe planted under that name must not hang us.
        const int fd = ::open(temp.c_str(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC | O_NONBLOCK, 0666);
        if (fd >= 0)
            return std::unique_ptr<TDownloadFile>(new TDownloadFile(fd, temp, target, replace));
        if (errno != EEXIST)
            Fail("Cannot create file", target, errno);
    }
}

std::unique_ptr<TDownloadFile> TDownloadFile::Create(const std::string& target)
{
    if (Held().contains(target))
        Fail("Cannot create file", target, EBUSY);
    struct stat st {};
    if (::stat(target.c_str(), &st) == 0 && !S_ISREG(st.st_mode))
        Fail("Cannot create file", target, EISDIR);
    return Open(target, true);
}

std::unique_ptr<TDownloadFile> TDownloadFile::CreateNew(const std::string& target)
{
    struct stat st {};
    if (Held().contains(target) || ::lstat(target.c_str(), &st) == 0)
        return nullptr;
    return Open(target, false);
}

void TDownloadFile::Write(const void* Buffer, size_t Count)
{
    TFileStream::Write(Buffer, Count);
    FHash.addData(QByteArrayView(static_cast<const char*>(Buffer), static_cast<qsizetype>(Count)));
    FWritten += static_cast<int64_t>(Count);
}

void TDownloadFile::Commit()
{
    // On disk before it takes the target's place, so a crash right after
    // leaves the old file or the whole new one, never an empty one.
    if (::fsync(FHandle) != 0)
        Fail("Cannot write file", FTarget, errno);
    const int moved = FReplace ? ::rename(FileName().c_str(), FTarget.c_str())
                               : MoveNoReplace(FileName().c_str(), FTarget.c_str());
    if (moved != 0)
        Fail("Cannot create file", FTarget, errno);
    FCommitted = true;
}
