// The thumbnail grid of 500 pictures a live source listed, in one run:
// filling the visible grid from the thumbnails the source serves (Commons'
// thumburl at the grid's width, Openverse's thumbnail) against fetching and
// scaling down the pictures themselves, as the grid does for a page's
// pictures. Bytes fetched (goal: at most a tenth) and the time until every
// visible cell shows its thumbnail. A server on 127.0.0.1 serves a 1600 x
// 1200 photograph and its 128 x 96 thumbnail at every address.
#include "RatioReporter.h"
#include "controls/ResultGrid.h"
#include "controls/ResultList.h"
#include "support/TestSupport.h"
#include "support/pictures/JpegSamples.h"

#include <QApplication>
#include <QWindow>
#include <atomic>
#include <benchmark/benchmark.h>
#include <cstdio>
#include <httplib.h>
#include <string>
#include <thread>

namespace {

constexpr int Pictures = 500;

struct TServer {
    httplib::Server server;
    std::thread thread;
    int port = 0;
    std::atomic<int64_t> bytes{0};
    const std::string picture = EncodeJpeg(1600, 1200, 90, false);
    const std::string thumbnail = EncodeJpeg(128, 96, 85, false);

    TServer()
    {
        server.Get(R"(/(files|thumbs)/\d+\.jpg)", [this](const httplib::Request& req, httplib::Response& res) {
            const std::string& body = req.matches[1] == "thumbs" ? thumbnail : picture;
            bytes += static_cast<int64_t>(body.size());
            res.set_content(body, "image/jpeg");
        });
        port = server.bind_to_any_port("127.0.0.1");
        thread = std::thread([this] { server.listen_after_bind(); });
        WaitUntil([this] { return server.is_running(); });
    }
    ~TServer()
    {
        server.stop();
        thread.join();
    }
    std::string Url(const char* folder, int row) const
    {
        return "http://127.0.0.1:" + std::to_string(port) + "/" + folder + "/" + std::to_string(row) + ".jpg";
    }
};

TServer* Server = nullptr;

// Every cell in view shows its thumbnail (or its failure).
bool VisibleFilled(TResultGrid& grid)
{
    const QRect view = grid.viewport()->rect();
    for (int row = 0; row < Pictures; ++row) {
        const QModelIndex index = grid.model()->index(row, 0);
        if (!grid.visualRect(index).intersects(view))
            continue;
        QImage image;
        if (grid.Cache.Find(Server->Url("files", row), image) == TThumbnailCache::TState::Missing)
            return false;
    }
    return true;
}

// One fill of a fresh grid: the sources' thumbnails (1) or the pictures (0).
void BM_FillVisibleGrid(benchmark::State& state)
{
    const bool sourceThumbnails = state.range(0) != 0;
    int64_t bytes = 0;
    int cells = 0;
    for (auto _ : state) {
        state.PauseTiming();
        TResultList list;
        list.Rows->NameOf = [](int row) { return std::to_string(row) + ".jpg"; };
        for (int i = 0; i < Pictures; ++i)
            list.Rows->Append(TPictureSize::Told(400000));
        auto* grid = new TResultGrid(list.Rows);
        grid->UrlOf = [](int row) { return Server->Url("files", row); };
        if (sourceThumbnails)
            grid->Fetches.AddressOf = [](const std::string& url) {
                return Server->Url("thumbs", std::stoi(url.substr(url.rfind('/') + 1)));
            };
        grid->resize(800, 600);
        const int64_t before = Server->bytes;
        state.ResumeTiming();
        grid->show();
        WaitUntil([&] { return grid->windowHandle() && grid->windowHandle()->isExposed() && VisibleFilled(*grid); },
                  std::chrono::seconds(60));
        state.PauseTiming();
        bytes = Server->bytes - before;
        cells = 0;
        for (int row = 0; row < Pictures; ++row)
            cells += grid->visualRect(grid->model()->index(row, 0)).intersects(grid->viewport()->rect());
        delete grid;
        state.ResumeTiming();
    }
    state.counters["bytes"] = static_cast<double>(bytes);
    state.counters["cells"] = cells;
}
BENCHMARK(BM_FillVisibleGrid)->ArgName("source_thumbnails")->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(5);

// The bytes of the last fill of each side, kept by a reporter of its own.
class TBytesReporter : public TRatioReporter {
public:
    TBytesReporter() : TRatioReporter(true) {}
    void ReportRuns(const std::vector<Run>& runs) override
    {
        TRatioReporter::ReportRuns(runs);
        for (const Run& run : runs) {
            const auto it = run.counters.find("bytes");
            if (it != run.counters.end())
                Bytes[run.run_name.str()] = it->second.value;
        }
    }
    std::map<std::string, double> Bytes;
};

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    Server = new TServer;
    TBytesReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    const std::string pictures = "BM_FillVisibleGrid/source_thumbnails:0/iterations:5/real_time";
    const std::string thumbnails = "BM_FillVisibleGrid/source_thumbnails:1/iterations:5/real_time";
    const double pictureBytes = reporter.Bytes[pictures], thumbnailBytes = reporter.Bytes[thumbnails];
    if (pictureBytes > 0 && thumbnailBytes > 0)
        std::printf("\nVisible grid of %d source pictures: %.0f KB from the sources' thumbnails, %.0f KB from the "
                    "pictures: %.3f of the bytes (goal: at most %.3f); %.0f ms against %.0f ms: %.3f of the time\n",
                    Pictures, thumbnailBytes / 1024, pictureBytes / 1024, thumbnailBytes / pictureBytes, 0.1,
                    reporter.Time(thumbnails), reporter.Time(pictures),
                    reporter.Time(thumbnails) / std::max(reporter.Time(pictures), 1e-9));
    delete Server;
    benchmark::Shutdown();
    return 0;
}
