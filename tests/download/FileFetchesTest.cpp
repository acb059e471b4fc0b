#include "download/FileFetches.h"
#include "download/SmartSave.h"
#include "support/net/HttpTestServer.h"
#include "net/winsock/WinSockDns.h"
#include "platform/TickCount.h"
#include "support/Loopback.h"
#include "support/TestSupport.h"

#include <csignal>
#include <filesystem>
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <vector>

namespace {

class FileFetches : public ::testing::Test {
protected:
    void SetUp() override
    {
        WSocketSetDnsLookups("f");
        fetches.OnDone = [this](const TFileFetches::TResult& r) { results.push_back(r); };
    }

    // Serves one response to the next request.
    void Answer(const std::string& response)
    {
        ASSERT_TRUE(server.Accept());
        ASSERT_FALSE(server.ReadRequest().empty());
        server.Send(response);
        server.Close();
    }

    TempDir dir;
    THttpTestServer server;
    TFileFetches fetches;
    std::vector<TFileFetches::TResult> results;
};

TEST_F(FileFetches, APictureArrivesWholeWhateverItsBytes)
{
    const std::string picture = std::string("\xFF\xD8 HTTP/1.0 404 Not Found\0\x01", 27) + std::string(20000, 'x');
    WriteFile(dir.File("a.jpg"), "an older picture, replaced once the new one is whole");
    fetches.Start(server.Url("/cars/a.jpg"), TFetchKind::Download, TDownloadFile::Create(dir.File("a.jpg")));
    Answer("HTTP/1.0 200 OK\r\nContent-Type: image/jpeg\r\n\r\n" + picture);
    ASSERT_TRUE(WaitUntil([&] { return !results.empty(); }));
    EXPECT_FALSE(results[0].Failed);
    EXPECT_EQ(results[0].Kind, TFetchKind::Download);
    EXPECT_EQ(results[0].FileName, "a.jpg");
    EXPECT_EQ(results[0].Url, server.Url("/cars/a.jpg"));
    EXPECT_EQ(results[0].Path, dir.File("a.jpg"));
    EXPECT_EQ(fetches.Running(), 0u);
    EXPECT_EQ(ReadFile(dir.File("a.jpg")), picture);
    // The file was closed before the result was told: it can be opened again.
    EXPECT_NO_THROW(TDownloadFile::Create(dir.File("a.jpg")));
}

TEST_F(FileFetches, ErrorStatusesAndRefusedConnectionsFail)
{
    fetches.Start(server.Url("/gone.jpg"), TFetchKind::Viewer,
                  SmartSave::CreateScratchFile(dir.File("slideshow/"), "gone.jpg"));
    Answer("HTTP/1.0 404 Not Found\r\n\r\n<html>gone</html>");
    fetches.Start(server.Url("/err.jpg"), TFetchKind::SlideShow, TDownloadFile::Create(dir.File("err.jpg")));
    Answer("HTTP/1.0 500 Server Error\r\n\r\n<html>oops</html>");
    fetches.Start("http://127.0.0.1:" + std::to_string(FreeLoopbackPort()) + "/x.jpg", TFetchKind::Download,
                  TDownloadFile::Create(dir.File("x.jpg")));
    ASSERT_TRUE(WaitUntil([&] { return results.size() == 3; }));
    for (const auto& r : results)
        EXPECT_TRUE(r.Failed) << r.Url;
    EXPECT_EQ(results[0].Path, dir.File("slideshow/gone.jpg"));
}

// Files of this process may not grow beyond a size, for the scope: a disk
// that fills up, without a file system of its own.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes)
    {
        getrlimit(RLIMIT_FSIZE, &FBefore);
        FSignal = std::signal(SIGXFSZ, SIG_IGN); // the write fails instead
        const rlimit limit{bytes, FBefore.rlim_max};
        setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~FileSizeLimit()
    {
        setrlimit(RLIMIT_FSIZE, &FBefore);
        std::signal(SIGXFSZ, FSignal);
    }

private:
    rlimit FBefore{};
    void (*FSignal)(int) = nullptr;
};

TEST_F(FileFetches, APictureThatCannotBeWrittenWholeLeavesNoFile)
{
    {
        FileSizeLimit full(10000);
        fetches.Start(server.Url("/big.jpg"), TFetchKind::Download, TDownloadFile::Create(dir.File("big.jpg")));
        Answer("HTTP/1.0 200 OK\r\nContent-Type: image/jpeg\r\n\r\n\xFF\xD8" + std::string(30000, 'x'));
        ASSERT_TRUE(WaitUntil([&] { return !results.empty(); }));
    }
    EXPECT_TRUE(results[0].Failed);
    EXPECT_FALSE(std::filesystem::exists(dir.File("big.jpg")));
}

// A server that closes before the length it announced sent part of the
// picture, whatever status it gave.
TEST_F(FileFetches, ABodyShorterThanItsLengthIsNeverSaved)
{
    const std::string picture = "\xFF\xD8" + std::string(2998, 'p');
    struct TCase {
        const char* name;
        size_t sent;
    } const cases[] = {{"a third", 1000}, {"half", 1500}, {"one byte short", 2999}};
    for (const TCase& c : cases) {
        results.clear();
        fetches.Start(server.Url("/cut.jpg"), TFetchKind::Download, TDownloadFile::Create(dir.File("cut.jpg")));
        Answer("HTTP/1.0 200 OK\r\nContent-Length: 3000\r\n\r\n" + picture.substr(0, c.sent));
        ASSERT_TRUE(WaitUntil([&] { return !results.empty(); })) << c.name;
        EXPECT_TRUE(results[0].Failed) << c.name;
        EXPECT_TRUE(std::filesystem::is_empty(dir.Path())) << c.name;
    }
}

// What the user had under the target's name stays as it was when the fetch
// fails, for a download and for the viewer's copy alike.
TEST_F(FileFetches, AFailedFetchLeavesTheFileItWouldHaveReplaced)
{
    const std::string before = "\xFF\xD8 the picture the user had";
    enum TEnd { Cut, Refused, TimedOut };
    struct TCase {
        const char* name;
        TFetchKind kind;
        TEnd end;
    } const cases[] = {
        {"download cut", TFetchKind::Download, Cut},         {"download refused", TFetchKind::Download, Refused},
        {"download timed out", TFetchKind::Download, TimedOut}, {"viewer cut", TFetchKind::Viewer, Cut},
        {"viewer refused", TFetchKind::Viewer, Refused},       {"viewer timed out", TFetchKind::Viewer, TimedOut},
    };
    const uint32_t offset = TickCountOffset();
    for (const TCase& c : cases) {
        results.clear();
        const bool viewer = c.kind == TFetchKind::Viewer;
        const std::string target = viewer ? dir.File("slideshow/a.jpg") : dir.File("a.jpg");
        if (viewer)
            std::filesystem::create_directories(dir.File("slideshow"));
        WriteFile(target, before);
        auto file = viewer ? SmartSave::CreateScratchFile(dir.File("slideshow/"), "a.jpg")
                           : TDownloadFile::Create(target);
        const std::string url = c.end == Refused
                                    ? "http://127.0.0.1:" + std::to_string(FreeLoopbackPort()) + "/a.jpg"
                                    : server.Url("/a.jpg");
        fetches.Start(url, c.kind, std::move(file));
        if (c.end == Cut) {
            Answer("HTTP/1.0 200 OK\r\nContent-Length: 5000\r\n\r\n\xFF\xD8" + std::string(2000, 'n'));
        } else if (c.end == TimedOut) {
            ASSERT_TRUE(server.Accept()) << c.name;
            SetTickCountOffset(offset + 31000);
            fetches.CutOverdue(30000);
            SetTickCountOffset(offset);
            server.Close();
        }
        ASSERT_TRUE(WaitUntil([&] { return !results.empty(); })) << c.name;
        EXPECT_TRUE(results[0].Failed) << c.name;
        EXPECT_EQ(results[0].TimedOut, c.end == TimedOut) << c.name;
        EXPECT_EQ(ReadFile(target), before) << c.name;
        EXPECT_EQ(std::distance(std::filesystem::directory_iterator(std::filesystem::path(target).parent_path()),
                                std::filesystem::directory_iterator()),
                  1)
            << c.name << ": the unfinished copy is gone";
    }
}

// Downloads are recorded; asked to save once, a download whose bytes the
// history or the target's folder holds is not written.
TEST_F(FileFetches, ADownloadSavedBeforeIsNotSavedAgain)
{
    TSavedHistory history(dir.File("data/saved.txt"));
    bool once = true;
    fetches.History = &history;
    fetches.SaveOnce = [&] { return once; };
    std::filesystem::create_directories(dir.File("save"));
    std::filesystem::create_directories(dir.File("other"));
    const std::string a = "\xFF\xD8 picture a", b = "\xFF\xD8 picture b", c = "\xFF\xD8 picture c";
    struct TCase {
        const char* name;
        std::function<void()> before;
        std::string target, bytes, alreadySavedAs;
    } const cases[] = {
        {"the first save", [] {}, "save/a.jpg", a, ""},
        {"the same bytes under another name", [] {}, "save/b.jpg", a, "save/a.jpg"},
        {"the same bytes into another folder", [] {}, "other/a.jpg", a, "save/a.jpg"},
        {"other bytes", [] {}, "save/c.jpg", b, ""},
        {"a copy the user put into the folder", [&] { WriteFile(dir.File("other/mine.jpg"), c); }, "other/d.jpg", c,
         "other/mine.jpg"},
        {"the saved file is gone", [&] { std::filesystem::remove(dir.File("save/a.jpg")); }, "save/e.jpg", a, ""},
        {"the saved file was changed", [&] { WriteFile(dir.File("save/c.jpg"), a); }, "save/f.jpg", b, ""},
        {"saving once switched off", [&] { once = false; }, "save/g.jpg", b, ""},
    };
    for (const TCase& t : cases) {
        results.clear();
        t.before();
        const size_t recorded = history.Size();
        fetches.Start(server.Url("/p.jpg"), TFetchKind::Download, TDownloadFile::Create(dir.File(t.target)));
        Answer("HTTP/1.0 200 OK\r\nContent-Length: " + std::to_string(t.bytes.size()) + "\r\n\r\n" + t.bytes);
        ASSERT_TRUE(WaitUntil([&] { return !results.empty(); })) << t.name;
        EXPECT_FALSE(results[0].Failed) << t.name;
        if (t.alreadySavedAs.empty()) {
            EXPECT_EQ(results[0].AlreadySavedAs, "") << t.name;
            EXPECT_EQ(ReadFile(dir.File(t.target)), t.bytes) << t.name;
            ASSERT_EQ(history.Size(), recorded + 1) << t.name;
            EXPECT_EQ(history.Entry(history.Size() - 1).Path, dir.File(t.target)) << t.name;
            EXPECT_EQ(history.Entry(history.Size() - 1).Url, server.Url("/p.jpg")) << t.name;
        } else {
            EXPECT_EQ(results[0].AlreadySavedAs, dir.File(t.alreadySavedAs)) << t.name;
            EXPECT_FALSE(std::filesystem::exists(dir.File(t.target))) << t.name;
            EXPECT_EQ(history.Size(), recorded) << t.name;
        }
    }
}

// A download its source credits gets the credit beside it; the picture is
// the server's bytes; the viewer's copy gets none.
TEST_F(FileFetches, ASourcesCreditIsWrittenBesideTheDownload)
{
    TPictureRecord credit;
    credit.Title = "Harbour";
    credit.Licence = "CC0";
    fetches.CreditOf = [&](const std::string&) { return &credit; };
    const std::string picture = "\xFF\xD8 harbour";
    fetches.Start(server.Url("/harbour.jpg"), TFetchKind::Download, TDownloadFile::Create(dir.File("harbour.jpg")));
    Answer("HTTP/1.0 200 OK\r\n\r\n" + picture);
    fetches.Start(server.Url("/harbour.jpg"), TFetchKind::Viewer, SmartSave::CreateScratchFile(dir.File("view/"), "h.jpg"));
    Answer("HTTP/1.0 200 OK\r\n\r\n" + picture);
    ASSERT_TRUE(WaitUntil([&] { return results.size() == 2; }));
    EXPECT_EQ(results[0].Sidecar, dir.File("harbour.jpg.xmp"));
    EXPECT_NE(ReadFile(dir.File("harbour.jpg.xmp")).find("Harbour"), std::string::npos);
    EXPECT_EQ(ReadFile(dir.File("harbour.jpg")), picture);
    EXPECT_EQ(results[1].Sidecar, "");
    EXPECT_FALSE(std::filesystem::exists(dir.File("view/h.jpg.xmp")));
}

// The proxy settings are asked for at every start, so a change counts at once.
TEST_F(FileFetches, EachStartGoesThroughTheProxyOfTheMoment)
{
    TProxySettings proxy;
    fetches.ReadProxy = [&] { return proxy; };
    proxy.ProxyServer = "127.0.0.1";
    proxy.ProxyPort = std::to_string(server.Port());
    fetches.Start("http://pictures.example/a.jpg", TFetchKind::Download, TDownloadFile::Create(dir.File("a.jpg")));
    ASSERT_TRUE(server.Accept());
    EXPECT_EQ(server.ReadRequest().rfind("GET http://pictures.example/a.jpg HTTP/1.0\r\n", 0), 0u);
    server.Close();

    proxy = {};
    fetches.Start(server.Url("/b.jpg"), TFetchKind::Download, TDownloadFile::Create(dir.File("b.jpg")));
    ASSERT_TRUE(server.Accept());
    EXPECT_EQ(server.ReadRequest().rfind("GET /b.jpg HTTP/1.0\r\n", 0), 0u);
}

TEST_F(FileFetches, FreeingTheFetchesTellsNothing)
{
    auto own = std::make_unique<TFileFetches>();
    bool told = false;
    own->OnDone = [&](const TFileFetches::TResult&) { told = true; };
    own->Start(server.Url("/slow.jpg"), TFetchKind::Download, TDownloadFile::Create(dir.File("slow.jpg")));
    ASSERT_TRUE(server.Accept());
    own.reset();
    RunPendingEvents();
    EXPECT_FALSE(told);
    EXPECT_NO_THROW(TDownloadFile::Create(dir.File("slow.jpg")));
}

} // namespace
