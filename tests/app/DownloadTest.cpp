#include "PictureWorkFixture.h"

#include "controls/Gauge.h"

#include <QElapsedTimer>
#include <QListWidget>
#include <QTimer>
#include <filesystem>

namespace {

using sampleweb::Host;
namespace fs = std::filesystem;

class Downloads : public PictureWork {
protected:
    // Runs the Save button; the modal download window is inspected (and, if
    // still open, closed) once `ready` holds, or after 15 s. True when it
    // closed by itself before that, its queue run empty.
    bool Save(const std::function<bool()>& ready, const std::function<void()>& inspect)
    {
        bool inspected = false;
        QElapsedTimer waited;
        waited.start();
        QTimer poll;
        QObject::connect(&poll, &QTimer::timeout, [&] {
            if (inspected || !((ready && ready()) || waited.elapsed() > 15000))
                return;
            inspected = true;
            if (inspect)
                inspect();
            if (download->isVisible())
                download->BitBtn1Click();
        });
        poll.start(1);
        form->LuminFade4Click();
        return !inspected;
    }
    // Every download started has ended and been shown.
    bool AllEnded() const { return form->FileFetches.Running() == 0; }
};

TEST_F(Downloads, NumberedNamesContinueAfterAnExistingFile)
{
    const std::string save = dir.File("images");
    settings->WriteString("Options", "SavePath", save);
    settings->WriteBool("Options", "SubDir", true);
    settings->WriteBool("Options", "NumberedList", true);
    fs::create_directories(save + "/red cars");
    WriteFile(save + "/red cars/red cars_1.jpg", "mine");
    form->Engine.Start("red cars", false); // the search names the folder
    const std::string a = Url(Host::SiteA, "/gallery/pics/sunset-20000.jpg");
    const std::string b = Url(Host::SiteB, "/stock/boat-45000.jpg");
    ListAndSelect({a, b});

    EXPECT_TRUE(Save(nullptr, nullptr));
    EXPECT_EQ(ReadFile(save + "/red cars/red cars_1.jpg"), "mine");
    EXPECT_EQ(ReadFile(save + "/red cars/red cars_2.jpg"), Bytes(a));
    EXPECT_EQ(ReadFile(save + "/red cars/red cars_3.jpg"), Bytes(b));
    EXPECT_EQ(download->ListBox1->count() + download->ListBox2->count(), 0); // emptied on close
}

// With saving once switched on, the window tells where a picture saved
// before lies and writes no second copy.
TEST_F(Downloads, APictureSavedBeforeIsToldNotSavedAgain)
{
    const std::string save = dir.File("images");
    settings->WriteString("Options", "SavePath", save);
    settings->WriteBool("Options", "NumberedList", true);
    settings->WriteBool("Options", "SaveOnce", true);
    form->Engine.Start("red cars", false);
    const std::string a = Url(Host::SiteA, "/gallery/pics/sunset-20000.jpg");
    ListAndSelect({a});
    EXPECT_TRUE(Save(nullptr, nullptr));
    EXPECT_EQ(ReadFile(save + "/red cars_1.jpg"), Bytes(a));

    QStringList downloaded;
    EXPECT_FALSE(Save([&] { return AllEnded() && download->ListBox1->count() == 0; }, [&] {
        for (int i = 0; i < download->ListBox2->count(); ++i)
            downloaded << download->ListBox2->item(i)->text();
    }));
    EXPECT_EQ(downloaded, QStringList{QString::fromStdString("sunset-20000.jpg: already saved as " + save + "/red cars_1.jpg")});
    EXPECT_FALSE(fs::exists(save + "/red cars_2.jpg"));
}

TEST_F(Downloads, FoldersAreCreatedOneLevelAtATime)
{
    settings->WriteString("Options", "SavePath", dir.File("new"));
    settings->WriteBool("Options", "SubDir", true);
    form->Engine.Start("cats", false);
    const std::string a = Url(Host::SiteA, "/gallery/pics/sunset-20000.jpg");
    ListAndSelect({a});
    EXPECT_TRUE(Save(nullptr, nullptr));
    EXPECT_EQ(ReadFile(dir.File("new/cats/sunset-20000.jpg")), Bytes(a));

    // A missing parent is not created: nothing is written, the entry stays.
    settings->WriteString("Options", "SavePath", dir.File("missing/deeper"));
    QStringList queued;
    Save([&] { return AllEnded(); }, [&] {
        for (int i = 0; i < download->ListBox1->count(); ++i)
            queued << download->ListBox1->item(i)->text();
    });
    EXPECT_EQ(queued, QStringList{"sunset-20000.jpg"});
    EXPECT_FALSE(fs::exists(dir.File("missing")));
    EXPECT_EQ(ErrorLog::Lines().back(), "error code : #0053 (GetFile)");
}

// 200 letters of two bytes each make a folder name longer than a disk holds.
TEST_F(Downloads, AFolderNameTheDiskRefusesIsTold)
{
    const std::string save = dir.File("images");
    settings->WriteString("Options", "SavePath", save);
    settings->WriteBool("Options", "SubDir", true);
    std::string phrase;
    for (int i = 0; i < 200; ++i)
        phrase += "\xD0\xA4";
    form->Engine.Start(phrase, false);
    ListAndSelect({Url(Host::SiteA, "/gallery/pics/sunset-20000.jpg")});
    Save([&] { return AllEnded(); }, nullptr);
    ASSERT_FALSE(dialogs.empty());
    EXPECT_EQ(dialogs.back().text, "Couldn\xC2\xB4t create directory " + save + "/" + form->Engine.SearchDirName());
    EXPECT_TRUE(fs::is_empty(save));
}

TEST_F(Downloads, TwoEqualNamesWithoutNumberingNeverShareAFile)
{
    settings->WriteString("Options", "SavePath", dir.Path());
    const std::string a = Url(Host::SiteA, "/gallery/pics/sunset-20000.jpg");
    const std::string other = Url(Host::SiteB, "/elsewhere/sunset-20000.jpg"); // a 404 of another host
    ListAndSelect({a, other});
    QStringList queued, done;
    Save([&] { return AllEnded(); }, [&] {
        for (int i = 0; i < download->ListBox1->count(); ++i)
            queued << download->ListBox1->item(i)->text();
        for (int i = 0; i < download->ListBox2->count(); ++i)
            done << download->ListBox2->item(i)->text();
    });
    EXPECT_EQ(ReadFile(dir.File("sunset-20000.jpg")), Bytes(a));
    EXPECT_EQ(queued, QStringList{"sunset-20000.jpg"});
    EXPECT_EQ(done, QStringList{"sunset-20000.jpg"});
    EXPECT_NE(std::find(ErrorLog::Lines().begin(), ErrorLog::Lines().end(), "error code : #0053 (GetFile)"),
              ErrorLog::Lines().end());
}

TEST_F(Downloads, A404KeepsTheWindowOpenWithItsEntry)
{
    settings->WriteString("Options", "SavePath", dir.Path());
    ListAndSelect({Url(Host::SiteA, "/errors/missing.jpg"), Url(Host::SiteB, "/stock/kite-70000.jpg")});
    bool open = false;
    QStringList queued;
    int percent = -1;
    Save([&] { return AllEnded(); }, [&] {
        open = download->isVisible();
        for (int i = 0; i < download->ListBox1->count(); ++i)
            queued << download->ListBox1->item(i)->text();
        percent = download->Gauge1->PercentDone();
    });
    EXPECT_TRUE(open);
    EXPECT_EQ(queued, QStringList{"missing.jpg"});
    EXPECT_EQ(percent, 50);
}

TEST_F(Downloads, NoSelectionOpensAnEmptyWindowAtZero)
{
    settings->WriteString("Options", "SavePath", dir.Path());
    bool open = false;
    int rows = -1, percent = -1;
    QString path = "unset";
    Save([&] { return AllEnded(); }, [&] {
        open = download->isVisible();
        rows = download->ListBox1->count() + download->ListBox2->count();
        percent = download->Gauge1->PercentDone();
        path = download->Label2->text();
    });
    EXPECT_TRUE(open);
    EXPECT_EQ(rows, 0);
    EXPECT_EQ(percent, 0);
    EXPECT_EQ(path, "");
}

TEST_F(Downloads, NoSavePathAsksForOneAndDownloadsNothing)
{
    ListAndSelect({Url(Host::SiteA, "/gallery/pics/sunset-20000.jpg")});
    QTimer closer; // the options dialog is answered as soon as it shows
    QObject::connect(&closer, &QTimer::timeout, [&] {
        if (options->isVisible())
            options->reject();
    });
    closer.start(1);
    form->LuminFade4Click();
    ASSERT_FALSE(dialogs.empty());
    EXPECT_EQ(dialogs[0].text, "You must specify a directory first!");
    EXPECT_FALSE(download->isVisible());
    EXPECT_EQ(download->ListBox1->count(), 0);
}

} // namespace
