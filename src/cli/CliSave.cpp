#include "cli/CliSave.h"

#include "core/TextHelpers.h"
#include "download/SmartSave.h"
#include "platform/IniFile.h"

#include <unistd.h>

namespace {

std::unique_ptr<TDownloadFile> CreateUnused(SmartSave::TSettings settings, const std::string& folder,
                                            const std::string& searchDirName, const std::string& fileName)
{
    if (!settings.NumberedList) {
        if (auto file = TDownloadFile::CreateNew(folder + "/" + SmartSave::SafeFileName(fileName)))
            return file;
        settings.NumberedList = true; // the picture's own name is taken
    }
    return SmartSave::CreateTarget(settings, folder, searchDirName, fileName);
}

} // namespace

TCliSave::TCliSave(const TIniFile& settings, std::string folder, std::ostream& err)
    : FSettings(settings), FFolder(std::move(folder)), FErr(err)
{
    FFetches->OnDone = [this](const TFileFetches::TResult& result) { Done(result); };
    FFetches->ReadProxy = [this] { return ReadProxySettings(FSettings); };
}

TCliSave::~TCliSave() { Abandon(); }

void TCliSave::Save(const std::string& url, const std::string& searchDirName)
{
    if (!FFetches)
        return;
    try {
        SmartSave::TSettings settings = SmartSave::ReadSettings(FSettings);
        settings.SavePath = FFolder;
        const std::string folder = SmartSave::SaveFolder(settings, searchDirName);
        std::string name;
        ExtractFileNameFromURL(url, name);
        auto file = CreateUnused(settings, folder, searchDirName, name);
        const std::string path = file->FileName();
        FRunning[path] = url;
        try {
            FFetches->Start(url, 3, std::move(file));
        } catch (...) {
            FRunning.erase(path);
            ::unlink(path.c_str());
            throw;
        }
    } catch (const std::exception& e) {
        Report(url, e.what());
    }
}

void TCliSave::Done(const TFileFetches::TResult& result)
{
    FRunning.erase(result.Path);
    if (result.Failed)
        Report(result.Url, result.TlsFailure.empty() ? "the download failed" : "TLS: " + result.TlsFailure);
    else
        ++FSaved;
}

void TCliSave::Abandon()
{
    FFetches.reset(); // ends the transfers and closes their files
    for (const auto& [path, url] : FRunning) {
        ::unlink(path.c_str());
        Report(url, "still downloading at the end");
    }
    FRunning.clear();
}

void TCliSave::Report(const std::string& url, const std::string& why)
{
    ++FFailed;
    FErr << "not saved: " << url << " (" << why << ")\n" << std::flush;
}
