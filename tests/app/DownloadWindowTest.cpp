#include "app/DownloadWindow.h"

#include <gtest/gtest.h>

namespace {

QStringList Items(const QListWidget* list)
{
    QStringList items;
    for (int i = 0; i < list->count(); ++i)
        items << list->item(i)->text();
    return items;
}

TEST(DownloadWindow, ArrivalsMoveEntriesAndAnEmptyQueueCloses)
{
    Tfrm_Download window;
    window.SetSavePath("/save/cats");
    for (const char* name : {"ba.jpg", "a.jpg", "c.jpg"})
        window.AddToQueue(name);
    window.open();
    EXPECT_EQ(window.Gauge1->MaxValue(), 3);
    EXPECT_EQ(window.Gauge1->Progress(), 0);
    EXPECT_EQ(window.Label2->text(), "/save/cats");

    window.FileDownloaded("a.jpg"); // takes the first entry containing it
    EXPECT_EQ(Items(window.ListBox1), (QStringList{"a.jpg", "c.jpg"}));
    EXPECT_EQ(Items(window.ListBox2), (QStringList{"a.jpg"}));
    EXPECT_EQ(window.Gauge1->PercentDone(), 33);
    window.FileDownloaded("a.jpg");
    EXPECT_TRUE(window.isVisible());
    window.FileDownloaded("c.jpg");
    EXPECT_FALSE(window.isVisible());
    EXPECT_EQ(window.result(), QDialog::Accepted);
    EXPECT_EQ(window.ListBox1->count() + window.ListBox2->count(), 0);
}

// A picture not saved again is told where it lies; the window waits for
// the user to read it, once.
TEST(DownloadWindow, APictureSavedBeforeSaysWhereAndKeepsTheWindowOpen)
{
    Tfrm_Download window;
    for (const char* name : {"a.jpg", "b.jpg"})
        window.AddToQueue(name);
    window.open();
    window.FileAlreadySaved("a.jpg", "/save/cats/old \xC3\xA9.jpg");
    window.FileDownloaded("b.jpg");
    EXPECT_EQ(Items(window.ListBox2), (QStringList{"a.jpg: already saved as /save/cats/old \u00E9.jpg", "b.jpg"}));
    EXPECT_EQ(window.Gauge1->PercentDone(), 100);
    EXPECT_TRUE(window.isVisible());
    window.BitBtn1Click();

    window.AddToQueue("c.jpg");
    window.open();
    window.FileDownloaded("c.jpg");
    EXPECT_FALSE(window.isVisible());
}

TEST(DownloadWindow, AbortClosesAndLateArrivalsStillCount)
{
    Tfrm_Download window;
    window.AddToQueue("a.jpg");
    window.AddToQueue("b.jpg");
    window.open();
    window.BitBtn1->click();
    EXPECT_FALSE(window.isVisible());
    EXPECT_EQ(window.ListBox1->count(), 0);
    window.FileDownloaded("a.jpg");
    EXPECT_EQ(window.Gauge1->Progress(), 1);
    EXPECT_EQ(Items(window.ListBox2), (QStringList{"a.jpg"}));

    // Nothing selected: the window still opens, empty, at 0%.
    window.open();
    EXPECT_EQ(window.Gauge1->MaxValue(), 0);
    EXPECT_EQ(window.Gauge1->PercentDone(), 0);
    window.reject();
}

TEST(DownloadWindow, ResizeSplitsTheListsAndCentresAbort)
{
    Tfrm_Download window;
    window.resize(400, 400);
    window.FormResize();
    EXPECT_EQ(window.ListBox1->width(), 178); // 400 / 2 - 22
    EXPECT_EQ(window.ListBox2->x() - window.ListBox1->geometry().right() - 1, Tfrm_Download::ListGap);
    EXPECT_EQ(window.BitBtn1->x(), 162); // 200 - 37.5, halves to even
    EXPECT_EQ(window.Gauge1->width(), 370);
    window.resize(501, 400);
    window.FormResize();
    EXPECT_EQ(window.ListBox1->width(), 228); // 228.5 to even
}

} // namespace
