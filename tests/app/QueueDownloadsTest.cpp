#include "download/Downloads.h"
#include "app/DownloadWindow.h"
#include "support/net/HttpTestServer.h"
#include "net/winsock/WinSockDns.h"
#include "platform/ErrorLog.h"
#include "platform/IniFile.h"
#include "support/TestSupport.h"

#include <filesystem>
#include <gtest/gtest.h>

namespace fs = std::filesystem;

namespace {

class QueuedDownloads : public ::testing::Test {
protected:
    void SetUp() override
    {
        WSocketSetDnsLookups("f");
        ErrorLog::ClearForTest();
        ini.WriteString("Options", "SavePath", dir.File("images"));
        fetches.OnDone = [this](const TFileFetches::TResult& r) {
            if (!r.Failed && r.Kind == TFetchKind::Download)
                window.FileDownloaded(r.FileName);
        };
    }

    // Answers the next request with the body named in its path.
    void Serve()
    {
        ASSERT_TRUE(server.Accept());
        const std::string request = server.ReadRequest();
        const std::string path = request.substr(4, request.find(' ', 4) - 4);
        server.Send("HTTP/1.0 200 OK\r\nContent-Type: image/jpeg\r\n\r\nbytes of " + path);
        server.Close();
    }

    std::function<void(const std::string&)> AddToWindow()
    {
        return [this](const std::string& name) { window.AddToQueue(name); };
    }

    TempDir dir;
    TIniFile ini{dir.File("g.ini")};
    THttpTestServer server;
    TFileFetches fetches;
    Tfrm_Download window;
};

TEST_F(QueuedDownloads, NumberedNamesInTheSearchFolderFollowTheFilesThere)
{
    ini.WriteBool("Options", "SubDir", true);
    ini.WriteBool("Options", "NumberedList", true);
    fs::create_directories(dir.File("images/red cars"));
    WriteFile(dir.File("images/red cars/red cars_1.jpg"), "older");

    const std::string folder =
        QueueDownloads({server.Url("/a/ferrari.jpg"), server.Url("/b/mustang.jpg")}, ini, "red cars", AddToWindow(), fetches);
    EXPECT_EQ(folder, dir.File("images/red cars"));
    EXPECT_EQ(window.ListBox1->count(), 2);
    window.open();
    Serve();
    Serve();
    ASSERT_TRUE(WaitUntil([&] { return !window.isVisible(); }));
    EXPECT_EQ(ReadFile(dir.File("images/red cars/red cars_2.jpg")), "bytes of /a/ferrari.jpg");
    EXPECT_EQ(ReadFile(dir.File("images/red cars/red cars_3.jpg")), "bytes of /b/mustang.jpg");
    EXPECT_EQ(ReadFile(dir.File("images/red cars/red cars_1.jpg")), "older");
    EXPECT_TRUE(ErrorLog::Lines().empty());
}

TEST_F(QueuedDownloads, TheSecondOfTwoEqualNamesIsNotStarted)
{
    QueueDownloads({server.Url("/a/same.jpg"), server.Url("/b/same.jpg")}, ini, "cats", AddToWindow(), fetches);
    EXPECT_EQ(ErrorLog::Lines(), (std::vector<std::string>{"error code : #0053 (GetFile)"}));
    EXPECT_EQ(fetches.Running(), 1u);
    window.open();
    Serve();
    ASSERT_TRUE(WaitUntil([&] { return window.ListBox2->count() == 1; }));
    EXPECT_EQ(window.ListBox1->count(), 1); // stays queued; the window stays open
    EXPECT_TRUE(window.isVisible());
    EXPECT_EQ(ReadFile(dir.File("images/same.jpg")), "bytes of /a/same.jpg");
    window.reject();
}

TEST_F(QueuedDownloads, NothingSelectedQueuesNothing)
{
    EXPECT_EQ(QueueDownloads({}, ini, "cats", AddToWindow(), fetches), "");
    EXPECT_EQ(window.ListBox1->count(), 0);
    EXPECT_FALSE(fs::exists(dir.File("images")));
}

} // namespace
