#include "support/TestSupport.h"

#include <QProcess>
#include <QProcessEnvironment>
#include <filesystem>
#include <gtest/gtest.h>
#include <httplib.h>
#include <mutex>
#include <thread>

namespace {

// An image API the program knows nothing of, on 127.0.0.1: five pictures,
// two a page ("from" the offset), each with its bytes.
class TTileApi {
public:
    TTileApi()
    {
        FServer.Get("/api/v2/search", [this](const httplib::Request& req, httplib::Response& res) {
            const std::lock_guard<std::mutex> lock(FLock);
            FQueries.push_back(req.get_param_value("text"));
            const int from = req.has_param("from") ? std::stoi(req.get_param_value("from")) : 0;
            std::string hits;
            for (int i = from; i < std::min(from + 2, 5); ++i)
                hits += std::string(hits.empty() ? "" : ",") + R"({"caption": "Tile )" + std::to_string(i)
                        + R"(", "file": {"href": ")" + Base() + "/img/tile-" + std::to_string(i)
                        + R"(.jpg", "bytes": )" + std::to_string(40000 + i) + "}}";
            res.set_content(R"({"hits": {"total": 5, "items": [)" + hits + "]}}", "application/json");
        });
        FPort = FServer.bind_to_any_port("127.0.0.1");
        // Bound and listening: connections wait in the backlog until the loop takes them.
        FThread = std::thread([this] { FServer.listen_after_bind(); });
    }
    ~TTileApi()
    {
        FServer.stop();
        FThread.join();
    }
    std::string Base() const { return "http://127.0.0.1:" + std::to_string(FPort); }
    std::vector<std::string> Queries() const
    {
        const std::lock_guard<std::mutex> lock(FLock);
        return FQueries;
    }

private:
    httplib::Server FServer;
    int FPort = 0;
    std::thread FThread;
    mutable std::mutex FLock;
    std::vector<std::string> FQueries; // each request's phrase
};

// A description written into a fresh settings folder is a source at the
// next run, without a rebuild; a refused one is said on standard error.
TEST(UserSource, ADescriptionInTheSettingsFolderListsItsPictures)
{
    TTileApi api;
    TempDir dir;
    const std::string ini = dir.File("glimmerscout.ini");
    WriteFile(ini, "[Options]\nTilesBaseAddress=" + api.Base() + "\n");
    std::filesystem::create_directory(dir.File("sources"));
    WriteFile(dir.File("sources/tiles.json"), R"({
  "name": "Tile Archive",
  "shortName": "tiles",
  "request": {"url": "https://tiles.example/api/v2/search?text={searchTerms}&from={startIndex}"},
  "paging": {"by": "offset", "count": 2, "total": "$.hits.total"},
  "answer": {
    "expect": "$.hits",
    "results": "$.hits.items[*]",
    "picture": "@.file.href",
    "size": "@.file.bytes",
    "title": "@.caption"
  },
  "hostsFiles": true
})");
    WriteFile(dir.File("sources/broken.json"), "{\"name\": \"Broken\",\n \"shortName\": \"Broken\"}");

    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
        env.remove(name);
    p.setProcessEnvironment(env);
    p.start(QString(std::getenv("GS_BINARY_DIR")) + "/bin/glimmerscout",
            {"--search", "red tiles", "--settings", QString::fromStdString(ini), "--sources", "tiles", "--no-check"});
    ASSERT_TRUE(p.waitForFinished(60000));
    const std::string out = p.readAllStandardOutput().toStdString();
    const std::string err = p.readAllStandardError().toStdString();
    EXPECT_EQ(p.exitCode(), 0) << err;
    std::string expected;
    for (int i = 0; i < 5; ++i)
        expected += std::to_string(40000 + i) + "\t" + api.Base() + "/img/tile-" + std::to_string(i) + ".jpg\n";
    EXPECT_EQ(out, expected);
    EXPECT_EQ(api.Queries(), (std::vector<std::string>{"red tiles", "red tiles", "red tiles"}));
    EXPECT_NE(err.find("glimmerscout: source refused: " + dir.File("sources/broken.json")
                       + ":2: shortName: a short name is a small letter"),
              std::string::npos)
        << err;
    EXPECT_NE(err.find("Tile Archive: 3 pages, 5 links"), std::string::npos) << err;
}

} // namespace
