#include "download/Downloads.h"

#include "core/TextHelpers.h"
#include "download/SmartSave.h"
#include "platform/CatchAll.h"
#include "platform/IniFile.h"

std::string QueueDownloads(const std::vector<std::string>& urls, const TIniFile& ini,
                           const std::string& searchDirName,
                           const std::function<void(const std::string&)>& AddToQueue, TFileFetches& fetches)
{
    std::string folder;
    for (const std::string& url : urls) {
        const SmartSave::TSettings settings = SmartSave::ReadSettings(ini);
        folder = SmartSave::SaveFolder(settings, searchDirName);
        std::string name;
        ExtractFileNameFromURL(url, name);
        AddToQueue(name);
        CatchAll("error code : #0053 (GetFile)", [&] {
            fetches.Start(url, TFetchKind::Download, SmartSave::CreateTarget(settings, folder, searchDirName, name));
        });
    }
    return folder;
}
