#include "platform/ProgramFiles.h"

#include <QCoreApplication>
#include <filesystem>
#include <fstream>
#include <pwd.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

const char* const kName = "glimmerscout";
const char* const kLoadingPicture = "loading.bmp";
const char* const kHistory = "saved-pictures.txt";

std::string WithoutTrailingSlash(std::string path)
{
    while (path.size() > 1 && path.back() == '/')
        path.pop_back();
    return path;
}

// An XDG base folder: the variable when it holds an absolute path (relative
// ones are invalid and ignored), else the fallback below the home folder.
std::string BaseFolder(const TEnvironment& env, const char* variable, const char* belowHome)
{
    const std::string value = env(variable);
    if (value.starts_with('/'))
        return WithoutTrailingSlash(value);
    return WithoutTrailingSlash(env("HOME")) + "/" + belowHome;
}

// One value of user-dirs.dirs: "$HOME/..." or an absolute path, in quotes.
std::string UserDirValue(std::string value, const std::string& home)
{
    if (value.size() >= 2 && value.front() == '"' && value.back() == '"')
        value = value.substr(1, value.size() - 2);
    if (value.starts_with("$HOME"))
        return WithoutTrailingSlash(home + value.substr(5));
    return value.starts_with('/') ? WithoutTrailingSlash(value) : std::string();
}

std::string SharedDataFolder(const fs::path& exe)
{
    return (exe.parent_path().parent_path() / "share" / kName).lexically_normal().string();
}

std::string ProcessEnvironment(const std::string& name)
{
    if (const char* value = std::getenv(name.c_str()))
        return value;
    if (name == "HOME")
        if (const passwd* user = getpwuid(getuid()))
            return user->pw_dir;
    return {};
}

} // namespace

std::string PicturesFolder(const TEnvironment& env)
{
    const std::string home = WithoutTrailingSlash(env("HOME"));
    std::ifstream dirs(BaseFolder(env, "XDG_CONFIG_HOME", ".config") + "/user-dirs.dirs");
    std::string found;
    for (std::string line; std::getline(dirs, line);) {
        const size_t start = line.find_first_not_of(" \t");
        if (start == std::string::npos || line.compare(start, 17, "XDG_PICTURES_DIR=") != 0)
            continue;
        const std::string value = UserDirValue(line.substr(start + 17), home);
        if (!value.empty())
            found = value; // the last one counts, as when the shell reads the file
    }
    return found.empty() ? home + "/Pictures" : found;
}

TProgramFiles ProgramFilesFor(const TProgramPlace& place, const TEnvironment& env)
{
    const fs::path exe(place.Executable);
    const std::string folder = exe.parent_path().string();
    TProgramFiles files;
    // An installed layout stays installed for a user who may write to its
    // folder too (root in /usr/bin, a prefix in the home folder).
    files.Portable = place.SettingsBeside || (place.FolderWritable && !place.InstalledData);
    files.DataFolder = place.DataBeside ? folder : SharedDataFolder(exe);
    if (files.Portable) {
        files.SettingsFile = (exe.parent_path() / exe.stem()).string() + ".ini";
        files.ScratchFolder = folder + "/slideshow/";
        files.HistoryFile = folder + "/" + kHistory;
        return files;
    }
    files.SettingsFile = BaseFolder(env, "XDG_CONFIG_HOME", ".config") + "/" + kName + "/" + kName + ".ini";
    // The runtime folder lives in memory and goes with the session; the cache stays.
    const std::string runtime = env("XDG_RUNTIME_DIR");
    const std::string scratchBase =
        runtime.starts_with('/') ? WithoutTrailingSlash(runtime) : BaseFolder(env, "XDG_CACHE_HOME", ".cache");
    files.ScratchFolder = scratchBase + "/" + kName + "/slideshow/";
    files.HistoryFile = BaseFolder(env, "XDG_DATA_HOME", ".local/share") + "/" + kName + "/" + kHistory;
    files.DefaultSavePath = PicturesFolder(env);
    return files;
}

const TProgramFiles& ProgramFiles()
{
    static const TProgramFiles files = [] {
        TProgramPlace place;
        place.Executable = QCoreApplication::applicationFilePath().toStdString();
        const fs::path exe(place.Executable);
        std::error_code ec;
        place.SettingsBeside = fs::is_regular_file((exe.parent_path() / exe.stem()).string() + ".ini", ec);
        place.FolderWritable = ::access(exe.parent_path().c_str(), W_OK) == 0;
        place.DataBeside = fs::is_regular_file(exe.parent_path() / kLoadingPicture, ec);
        place.InstalledData = fs::is_regular_file(fs::path(SharedDataFolder(exe)) / kLoadingPicture, ec);
        return ProgramFilesFor(place, ProcessEnvironment);
    }();
    return files;
}

void CreateSettingsFolder(const TProgramFiles& files)
{
    if (files.Portable)
        return;
    std::error_code ec;
    fs::create_directories(fs::path(files.SettingsFile).parent_path(), ec);
}
