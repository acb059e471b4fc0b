#include "cli/CliSave.h"

#include "download/PictureFileName.h"
#include "download/SmartSave.h"
#include "platform/IniFile.h"

#include <algorithm>
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

TCliSave::TCliSave(const TIniFile& settings, std::string folder, int limit, std::ostream& err)
    : FSettings(settings), FFolder(std::move(folder)), FErr(err),
      FWaiting(static_cast<size_t>(std::max(limit, 1)), [this] { return FFetches->Running(); },
               [this](const TPicture& picture) { Start(picture); })
{
    FFetches->OnDone = [this](const TFileFetches::TResult& result) { Done(result); };
    FFetches->ReadProxy = [this] { return ReadProxySettings(FSettings); };
}

TCliSave::~TCliSave() { Abandon(); }

void TCliSave::Save(const std::string& url, const std::string& searchDirName)
{
    if (!FFetches)
        return;
    FWaiting.Waiting.push_back({url, searchDirName});
    FWaiting.StartMore();
}

// The file is made only now, so numbered names follow the order of starts.
void TCliSave::Start(const TPicture& picture)
{
    try {
        SmartSave::TSettings settings = SmartSave::ReadSettings(FSettings);
        settings.SavePath = FFolder;
        const std::string folder = SmartSave::SaveFolder(settings, picture.SearchDirName);
        const std::string name = PictureFileName(picture.Url);
        auto file = CreateUnused(settings, folder, picture.SearchDirName, name);
        const std::string path = file->FileName();
        FRunning[path] = picture.Url;
        try {
            FFetches->Start(picture.Url, TFetchKind::Download, std::move(file));
        } catch (...) {
            FRunning.erase(path);
            ::unlink(path.c_str());
            throw;
        }
    } catch (const std::exception& e) {
        Report(picture.Url, e.what());
    }
}

void TCliSave::Tick()
{
    if (FFetches)
        FFetches->CutOverdue(Timeout);
}

void TCliSave::Done(const TFileFetches::TResult& result)
{
    FRunning.erase(result.Path);
    if (result.TimedOut)
        Report(result.Url, "no answer within " + std::to_string(Timeout / 1000) + " s");
    else if (result.Failed)
        Report(result.Url, result.TlsFailure.empty() ? "the download failed" : "TLS: " + result.TlsFailure);
    else
        ++FSaved;
    FWaiting.StartMore();
}

void TCliSave::Abandon()
{
    FFetches.reset(); // ends the transfers and closes their files
    for (const auto& [path, url] : FRunning) {
        ::unlink(path.c_str());
        Report(url, "still downloading at the end");
    }
    FRunning.clear();
    for (const TPicture& picture : FWaiting.Waiting)
        Report(picture.Url, "still waiting at the end");
    FWaiting.Waiting.clear();
}

void TCliSave::Report(const std::string& url, const std::string& why)
{
    ++FFailed;
    FErr << "not saved: " << url << " (" << why << ")\n" << std::flush;
}
