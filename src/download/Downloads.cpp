#include "download/Downloads.h"

#include "download/PictureFileName.h"
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
        const std::string name = PictureFileName(url);
        AddToQueue(name);
        CatchAll("error code : #0053 (GetFile)", [&] {
            fetches.Start(url, TFetchKind::Download, SmartSave::CreateTarget(settings, folder, searchDirName, name));
        });
    }
    return folder;
}
