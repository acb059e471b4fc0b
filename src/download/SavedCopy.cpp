#include "download/SavedCopy.h"

#include <QCryptographicHash>
#include <cerrno>
#include <fcntl.h>
#include <filesystem>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

bool Holds(const fs::path& path, const std::string& digest, int64_t size)
{
    std::error_code ec;
    return fs::is_regular_file(path, ec) && static_cast<int64_t>(fs::file_size(path, ec)) == size && !ec
           && FileDigest(path.string()) == digest;
}

} // namespace

std::string FileDigest(const std::string& path)
{
    // Names are bytes on disk; read them as they are.
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return {};
    QCryptographicHash hash(QCryptographicHash::Sha256);
    char buffer[64 * 1024];
    ssize_t n;
    while ((n = ::read(fd, buffer, sizeof buffer)) > 0 || (n < 0 && errno == EINTR))
        if (n > 0)
            hash.addData(QByteArrayView(buffer, n));
    ::close(fd);
    return n == 0 ? hash.result().toStdString() : std::string();
}

std::string FindSavedCopy(const TSavedHistory& history, const std::string& folder, const std::string& digest,
                          int64_t size)
{
    for (const TSavedEntry& entry : history.Find(digest, size))
        if (Holds(entry.Path, digest, size))
            return entry.Path;
    std::error_code ec;
    for (const fs::directory_entry& entry : fs::directory_iterator(folder, ec)) {
        // Hidden names are unfinished downloads (and the user's own business).
        if (entry.path().filename().string().starts_with('.'))
            continue;
        std::error_code sizeError;
        if (entry.is_regular_file(sizeError) && static_cast<int64_t>(entry.file_size(sizeError)) == size && !sizeError
            && FileDigest(entry.path().string()) == digest)
            return entry.path().string();
    }
    return {};
}
