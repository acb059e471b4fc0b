#include "download/SmartSave.h"

#include "platform/AnsiText.h"
#include "platform/IniFile.h"
#include "platform/ProgramFiles.h"
#include "platform/SettingsKeys.h"

#include <filesystem>
#include <sys/stat.h>

namespace SmartSave {
namespace {

void MakeFolder(const std::string& path) { mkdir(path.c_str(), 0777); }

std::string PlainName(const std::string& name)
{
    const std::string safe = SafeFileName(name);
    if (safe.empty())
        throw EStreamError("Unusable file name '" + name + "'");
    return safe;
}

} // namespace

TSettings ReadSettings(const TIniFile& ini)
{
    TSettings s;
    s.SavePath = StoredPath(ini);
    s.SubDir = Read(ini, Setting::SubDir);
    s.NumberedList = Read(ini, Setting::NumberedList);
    return s;
}

std::string StoredPath(const TIniFile& ini)
{
    const std::string stored =
        ini.ReadString(Setting::SavePath.Section, Setting::SavePath.Key, ProgramFiles().DefaultSavePath);
    std::error_code ec;
    return std::filesystem::is_directory(stored, ec) ? stored : AsUtf8(stored);
}

std::string SaveFolder(const TSettings& settings, const std::string& searchDirName)
{
    if (!settings.SubDir) {
        MakeFolder(settings.SavePath);
        return settings.SavePath;
    }
    std::string folder = settings.SavePath;
    if (folder.empty() || folder.back() != '/')
        folder += '/';
    MakeFolder(folder);
    // A phrase like "..." must not lead out of the save folder; it then
    // saves into the save folder itself, as an empty phrase does.
    folder += SafeFileName(searchDirName);
    MakeFolder(folder);
    return folder;
}

std::string SafeFileName(const std::string& name)
{
    std::string safe = AsUtf8(name);
    for (char& c : safe)
        if (c == '/' || c == '\\' || static_cast<unsigned char>(c) < 0x20 || c == 0x7F)
            c = '_';
    if (safe == "." || safe == "..")
        return {};
    return safe;
}

std::unique_ptr<TDownloadFile> CreateTarget(const TSettings& settings, const std::string& folder,
                                            const std::string& searchDirName, const std::string& fileName)
{
    if (!settings.NumberedList)
        return TDownloadFile::Create(folder + "/" + PlainName(fileName));
    // The name's last four characters, which hold a ".jpg" (five for ".webp").
    const size_t kept = fileName.ends_with(".webp") ? 5 : 4;
    const std::string ext = fileName.size() > kept ? fileName.substr(fileName.size() - kept) : fileName;
    for (unsigned long number = 1;; ++number) {
        auto file = TDownloadFile::CreateNew(folder + "/" + PlainName(searchDirName + "_" + std::to_string(number) + ext));
        if (file)
            return file;
    }
}

std::unique_ptr<TDownloadFile> CreateScratchFile(const std::string& scratchFolder, const std::string& fileName)
{
    // An installed copy's folder lies below cache or runtime folders that a
    // fresh account may not have yet.
    std::error_code ec;
    std::filesystem::create_directories(scratchFolder, ec);
    return TDownloadFile::Create(scratchFolder + PlainName(fileName));
}

} // namespace SmartSave
