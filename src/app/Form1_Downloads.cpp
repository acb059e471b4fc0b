#include "app/Form1.h"
#include "app/Options.h"
#include "app/CreateDirMessage.h"

#include "app/DownloadWindow.h"
#include "download/Downloads.h"
#include "download/SmartSave.h"
#include "platform/CatchAll.h"
#include "platform/IniFile.h"
#include "platform/MessageWindow.h"
#include "platform/SettingsKeys.h"
#include "platform/ui/Dialogs.h"

#include <QTimer>
#include <cstdio>
#include <filesystem>

void TForm1::LuminFade4Click()
{
    const std::vector<std::string> work = SelectedUrls();
    if (!work.empty() && SmartSave::ReadSettings(*IniFile).SavePath.empty()) {
        Dialogs::ShowMessage("You must specify a directory first!");
        if (frm_Options)
            frm_Options->exec();
        return;
    }
    if (!work.empty())
        OpenSavedHistory();
    const std::string folder = QueueDownloads(
        work, *IniFile, Engine.SearchDirName(), [](const std::string& name) { frm_Download->AddToQueue(name); },
        FileFetches);
    frm_Download->SetSavePath(folder);
    // A folder name the file system refuses (too long, say) is told once, not
    // only logged for each file; a missing parent stays the log's matter.
    std::error_code ec;
    const std::filesystem::path made(folder);
    if (!work.empty() && std::filesystem::is_directory(made.parent_path(), ec)
        && !std::filesystem::is_directory(made, ec))
        Dialogs::ShowMessage(CouldNotCreateDirectory(folder));
    frm_Download->exec();
}

void TForm1::OpenSavedHistory()
{
    if (SavedHistory)
        return;
    SavedHistory = std::make_unique<TSavedHistory>(HistoryFile);
    FileFetches.History = SavedHistory.get();
    FileFetches.SaveOnce = [this] { return Read(*IniFile, Setting::SaveOnce); };
    if (!SavedHistory->Damage().empty())
        Dialogs::ShowMessage(SavedHistory->Damage());
}

// Viewer and slide-show fetches into the scratch folder; downloads are
// started by QueueDownloads.
void TForm1::GetFile(const std::string& url, const std::string& target, TFetchKind kind)
{
    CatchAll("error code : #0053 (GetFile)",
             [&] { FileFetches.Start(url, kind, SmartSave::CreateScratchFile(ScratchFolder, target)); });
}

void TForm1::GetFileRequestDone(const TFileFetches::TResult& result)
{
    // A failed viewer fetch left no file, so viewing it reports a picture
    // that cannot be shown, and a slide show goes on with the next one.
    CatchAll("error code : #0054 (GetFileRequestDone)", [&] {
        switch (result.Kind) {
        case TFetchKind::Download:
            if (!result.AlreadySavedAs.empty())
                frm_Download->FileAlreadySaved(result.FileName, result.AlreadySavedAs);
            else if (!result.Failed)
                frm_Download->FileDownloaded(result.FileName);
            break;
        case TFetchKind::Viewer:
            ViewImages(result.Path);
            std::remove(result.Path.c_str());
            break;
        case TFetchKind::SlideShow:
            if (SlideShowStopped) {
                SlideShowTimer->stop();
                std::remove(result.Path.c_str()); // a scratch copy nobody will show
                return;
            }
            // The picture on screen keeps its minimum time; the program stays responsive meanwhile.
            while (SlideShowTimer->isActive())
                WaitAndProcessMessages();
            ViewImages(result.Path);
            std::remove(result.Path.c_str());
            SlideShowTimer->start();
            if (!SlideShowList.empty())
                SlideShowList.erase(SlideShowList.begin());
            FetchFirstSlide();
            break;
        }
    });
}
