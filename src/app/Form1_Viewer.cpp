#include "app/CallBrowser.h"
#include "app/Form1.h"

#include "core/TextHelpers.h"
#include "download/PictureFileName.h"
#include "controls/PictureView.h"
#include "controls/ResultList.h"
#include "platform/CatchAll.h"
#include "platform/ui/Dialogs.h"

#include <algorithm>

std::vector<std::string> TForm1::SelectedUrls() const
{
    std::vector<std::string> urls;
    for (int row : ResultList->SelectedRows())
        urls.push_back(Engine.FoundFiles()[static_cast<size_t>(row)]);
    return urls;
}

void TForm1::ViewImages(const std::string& path)
{
    if (ViewPictureFile(*ViewImage, path))
        ShowPanel(panel_Viewer);
}

void TForm1::LuminFade6Click()
{
    CatchAll("error code : #0046 (LuminFade6Click)", [&] {
        ViewImages(DataFolder + "/loading.bmp");
        const std::vector<std::string> selected = SelectedUrls();
        if (selected.empty()) {
            Dialogs::ShowMessage("Please select a file first!");
            return;
        }
        SlideShowList.push_back(selected.front());
        GetFile(SlideShowList.front(), PictureFileName(SlideShowList.front()), TFetchKind::Viewer);
    });
}

void TForm1::LuminFade8Click()
{
    SlideShowList.clear();
    const std::vector<std::string> selected = SelectedUrls();
    if (selected.size() < 2) {
        Dialogs::ShowMessage("You must select at least two files first!");
        return;
    }
    SlideShowList = selected;
    ViewImages(DataFolder + "/loading.bmp");
    StartSlideShow();
}

void TForm1::StartSlideShow()
{
    SlideShowStopped = false;
    FetchFirstSlide();
}

void TForm1::FetchFirstSlide()
{
    if (SlideShowList.empty())
        return;
    GetFile(SlideShowList.front(), PictureFileName(SlideShowList.front()), TFetchKind::SlideShow);
}

void TForm1::LuminFade5Click()
{
    CatchAll("error code : #0045 (Button3Click)", [&] {
        const std::vector<std::string> selected = SelectedUrls();
        if (selected.empty()) {
            Dialogs::ShowMessage("Please select a file first!");
            return;
        }
        std::string page;
        ExtractPageLinkFromURL(selected.front(), page);
        CallBrowser(page);
    });
}
