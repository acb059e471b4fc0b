// Thumbnails, in one run:
// - a thumbnail of a 5 MB JPEG against a full decode of it (goal: at most
//   1/6 of its time). The full decode is the viewer's own (DecodeJpeg:
//   accurate integer IDCT, smooth upsampling, every scan), the entropy
//   decoding alone the floor of any decode that reads every scan;
// - scrolling a grid of 10,000 results with every thumbnail cached, one
//   screen a frame, each frame painted at once (goal: at most 16.7 ms);
// - the cache's memory after 10,000 thumbnails were seen (goal: at most its
//   bound, 64 MB).
#include "RatioReporter.h"
#include "controls/ResultGrid.h"
#include "controls/ResultList.h"
#include "download/DcOnlyCoefficients.h"
#include "download/JpegDecoder.h"
#include "download/Thumbnail.h"
#include "support/TestSupport.h"
#include "support/pictures/JpegSamples.h"

#include <QApplication>
#include <QScrollBar>
#include <QWindow>
#include <benchmark/benchmark.h>
#include <cstdio>
#include <jpeglib.h>
#include <string>

namespace {

constexpr int Results = 10000;

// About 5 MB each: a 19-megapixel photograph at high quality, written
// sequentially (baseline), progressively, and as a camera writes it
// (baseline, with an EXIF block holding its own 160x120 thumbnail).
enum TFile { Baseline, Progressive, Camera, Files };
const char* const FileNames[Files] = {"baseline", "progressive", "camera (EXIF thumbnail)"};

const std::string& BigJpeg(int file)
{
    static const std::string files[Files] = {
        EncodeJpeg(5000, 3750, 97, false),
        EncodeJpeg(5000, 3750, 97, true),
        EncodeCameraJpeg(5000, 3750, 97, false, EncodeJpeg(160, 120, 90, false)),
    };
    return files[file];
}

void BM_FullDecode(benchmark::State& state)
{
    const std::string& jpeg = BigJpeg(static_cast<int>(state.range(0)));
    for (auto _ : state)
        benchmark::DoNotOptimize(DecodeJpeg(reinterpret_cast<const unsigned char*>(jpeg.data()), jpeg.size()));
    state.counters["bytes"] = static_cast<double>(jpeg.size());
}
BENCHMARK(BM_FullDecode)->Unit(benchmark::kMillisecond)->ArgName("file")->DenseRange(0, Files - 1);

// The floor of a thumbnail that reads every scan: the entropy decoding alone
// (every coefficient decoded), no picture made. Into the library's
// whole-picture buffers, as jpeg_read_coefficients does, or keeping only the
// DC coefficients (only for a single scan: later scans refine the others).
void BM_EntropyOnly(benchmark::State& state)
{
    const std::string& jpeg = BigJpeg(static_cast<int>(state.range(0)));
    const bool dcOnly = state.range(1) != 0;
    for (auto _ : state) {
        jpeg_decompress_struct c{};
        jpeg_error_mgr err{};
        TDcOnlyBuffers buffers;
        c.err = jpeg_std_error(&err);
        jpeg_create_decompress(&c);
        jpeg_mem_src(&c, reinterpret_cast<const unsigned char*>(jpeg.data()), jpeg.size());
        jpeg_read_header(&c, TRUE);
        if (dcOnly)
            KeepDcOnly(&c, buffers);
        benchmark::DoNotOptimize(jpeg_read_coefficients(&c));
        jpeg_destroy_decompress(&c);
    }
}
BENCHMARK(BM_EntropyOnly)
    ->Unit(benchmark::kMillisecond)
    ->ArgNames({"file", "dc_only"})
    ->Args({Baseline, 0})
    ->Args({Baseline, 1})
    ->Args({Progressive, 0});

void BM_Thumbnail(benchmark::State& state)
{
    const std::string& jpeg = BigJpeg(static_cast<int>(state.range(0)));
    for (auto _ : state)
        benchmark::DoNotOptimize(MakeThumbnail(jpeg, TResultGrid::Side));
}
BENCHMARK(BM_Thumbnail)->Unit(benchmark::kMillisecond)->ArgName("file")->DenseRange(0, Files - 1);

std::string UrlOf(int row) { return "http://127.0.0.1:9/pictures/" + std::to_string(row) + ".jpg"; }

// The grid of a long search, every thumbnail in the cache.
struct TFullGrid {
    TResultList list;
    TResultGrid* grid;
    TFullGrid()
    {
        list.Rows->NameOf = [](int row) { return std::to_string(row) + ".jpg"; };
        for (int i = 0; i < Results; ++i)
            list.Rows->Append(0);
        grid = new TResultGrid(list.Rows);
        grid->UrlOf = UrlOf;
        grid->Cache = TThumbnailCache(int64_t(1) << 40); // all of them, for this run only
        QImage tile(TResultGrid::Side, TResultGrid::Side * 3 / 4, QImage::Format_ARGB32_Premultiplied);
        for (int i = 0; i < Results; ++i) {
            tile.fill(QColor::fromHsv(i % 360, 160, 200));
            grid->Cache.Put(UrlOf(i), tile.copy());
        }
        grid->resize(800, 600);
        grid->show();
        WaitUntil([&] { return grid->windowHandle() && grid->windowHandle()->isExposed(); });
    }
    ~TFullGrid() { delete grid; }
};

TFullGrid* Full = nullptr;

void BM_ScrollCachedGrid(benchmark::State& state)
{
    TFullGrid& full = *Full;
    QScrollBar* bar = full.grid->verticalScrollBar();
    for (auto _ : state) {
        const int next = bar->value() + bar->pageStep();
        bar->setValue(next > bar->maximum() ? 0 : next);
        full.grid->viewport()->repaint();
    }
    state.counters["fetches"] = static_cast<double>(full.grid->Fetches.Running() + full.grid->Fetches.Waiting());
}
BENCHMARK(BM_ScrollCachedGrid)->Unit(benchmark::kMillisecond)->UseRealTime();

// What the default cache holds after every one of 10,000 thumbnails was put.
int64_t CacheBytesAfterAllSeen(int64_t& bound)
{
    TThumbnailCache cache;
    const QImage thumbnail = MakeThumbnail(EncodeJpeg(1600, 1200, 85, false), TResultGrid::Side);
    int64_t most = 0;
    for (int i = 0; i < Results; ++i) {
        cache.Put(UrlOf(i), thumbnail.copy());
        most = std::max(most, cache.Bytes());
    }
    bound = cache.MaxBytes();
    return most;
}

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    TRatioReporter reporter;
    TRatioReporter wall(true);
    benchmark::RunSpecifiedBenchmarks(&reporter, "BM_(FullDecode|EntropyOnly|Thumbnail)");
    Full = new TFullGrid;
    benchmark::RunSpecifiedBenchmarks(&wall, "BM_ScrollCachedGrid");
    delete Full;
    std::printf("\nPlatform: %s\n", qPrintable(QGuiApplication::platformName()));
    for (int file = 0; file < Files; ++file) {
        const std::string arg = "/file:" + std::to_string(file);
        const double full = reporter.Time("BM_FullDecode" + arg);
        const double thumb = reporter.Time("BM_Thumbnail" + arg);
        if (full > 0 && thumb > 0)
            std::printf("Thumbnail of a %.1f MB %s JPEG: %.1f ms, full decode %.1f ms: %.3f of its time (goal: at most %.3f)\n",
                        BigJpeg(file).size() / 1e6, FileNames[file], thumb, full, thumb / full, 1.0 / 6);
        for (const int dcOnly : {0, 1}) {
            const double entropy = reporter.Time("BM_EntropyOnly" + arg + "/dc_only:" + std::to_string(dcOnly));
            if (full > 0 && entropy > 0)
                std::printf("  entropy decoding alone, %s: %.1f ms, %.3f of the full decode\n",
                            dcOnly ? "DC coefficients kept" : "every coefficient kept", entropy, entropy / full);
        }
    }
    const double frame = wall.Time("BM_ScrollCachedGrid/real_time");
    if (frame > 0)
        std::printf("Scrolling %d cached results: %.2f ms a screen (goal: at most 16.7 ms)\n", Results, frame);
    int64_t bound = 0;
    const int64_t most = CacheBytesAfterAllSeen(bound);
    std::printf("Cache after %d thumbnails: at most %.1f MB held (goal: at most its bound, %.1f MB)\n", Results,
                most / 1048576.0, bound / 1048576.0);
    benchmark::Shutdown();
    return 0;
}
