#include "core/SourceFolder.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sys/stat.h>

namespace fs = std::filesystem;

namespace {

// Larger than any description; what is larger is not read at all.
constexpr uintmax_t MostBytes = 256 * 1024;

std::vector<fs::path> DescriptionFiles(const std::string& folder)
{
    std::vector<fs::path> files;
    std::error_code ec;
    for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec))
        if (it->path().extension() == ".json")
            files.push_back(it->path());
    std::sort(files.begin(), files.end());
    return files;
}

} // namespace

TSourceFolderRead ReadSourceFolder(const std::string& folder)
{
    TSourceFolderRead read;
    for (const fs::path& file : DescriptionFiles(folder)) {
        const std::string name = file.string();
        std::error_code ec;
        const uintmax_t size = fs::file_size(file, ec);
        if (ec) {
            read.Faults.push_back({name, 0, "not a file that can be read"});
            continue;
        }
        if (size > MostBytes) {
            read.Faults.push_back({name, 0, "larger than a description can be (256 KiB)"});
            continue;
        }
        std::ifstream in(file, std::ios::binary);
        const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        if (!in.good() && !in.eof()) {
            read.Faults.push_back({name, 0, "could not be read"});
            continue;
        }
        TDescriptionRead one = ReadSourceDescription(name, text);
        if (one.Description)
            read.Descriptions.push_back(std::move(*one.Description));
        else
            read.Faults.push_back(std::move(one.Fault));
    }
    return read;
}

std::string SourceFolderStamp(const std::string& folder)
{
    std::string stamp;
    for (const fs::path& file : DescriptionFiles(folder)) {
        struct stat st {};
        if (::stat(file.c_str(), &st) != 0)
            continue;
        stamp += file.filename().string() + '\t' + std::to_string(st.st_size) + '\t' + std::to_string(st.st_mtim.tv_sec)
            + '.' + std::to_string(st.st_mtim.tv_nsec) + '\n';
    }
    return stamp;
}
