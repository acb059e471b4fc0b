// The fading button's costs, in one process:
// - BlendRow beside memcpy of the same bytes (goal: at least 0.5 of memcpy's bytes per second);
// - a whole hover as the main window runs it: the Blend of a 130 x 27 menu button
//   (33 repaints) and the Dissolve of the 99 x 83 logo (514 repaints), real time,
//   on the platform it runs on (offscreen by default; run under xvfb-run with
//   QT_QPA_PLATFORM=xcb for an X server). Goals: a hover within one 60 Hz frame
//   (16.7 ms), the logo dissolve within 250 ms.
#include "RatioReporter.h"
#include "app/Program.h"
#include "controls/AdImage.h"
#include "controls/BlendRow.h"
#include "support/TestSupport.h"

#include <QApplication>
#include <QWindow>
#include <cstdio>
#include <cstring>
#include <vector>

namespace {

struct TBuffers {
    explicit TBuffers(size_t bytes) : face(bytes), source(bytes, 40), target(bytes, 200) {}
    std::vector<uint8_t> face, source, target;
};

size_t Bytes(int width, int height)
{
    return size_t((width * 3 + 3) / 4 * 4) * height; // rows padded to 4 bytes
}

void BM_BlendRow(benchmark::State& state)
{
    TBuffers b(Bytes(int(state.range(0)), int(state.range(1))));
    int w = 1;
    for (auto _ : state) {
        BlendRow(b.face.data(), b.source.data(), b.target.data(), b.face.size(), w);
        benchmark::DoNotOptimize(b.face.data());
        w = w % 32 + 1;
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(b.face.size()));
}

void BM_Memcpy(benchmark::State& state)
{
    TBuffers b(Bytes(int(state.range(0)), int(state.range(1))));
    for (auto _ : state) {
        std::memcpy(b.face.data(), b.target.data(), b.face.size());
        benchmark::DoNotOptimize(b.face.data());
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(b.face.size()));
}

BENCHMARK(BM_BlendRow)->Args({130, 27})->Args({640, 480})->ComputeStatistics("min", MinStatistic);
BENCHMARK(BM_Memcpy)->Args({130, 27})->Args({640, 480})->ComputeStatistics("min", MinStatistic);

TProgram* Program = nullptr;

void BM_HoverBlendMenuButton(benchmark::State& state)
{
    TLuminFade* button = Program->form1.OptionsButton;
    for (auto _ : state)
        button->Blend(); // starts from rest every time: Blend resets first
}

void BM_HoverDissolveLogo(benchmark::State& state)
{
    TLuminFade* logo = Program->form1.LogoButton;
    logo->SetDisolvRate(500);
    for (auto _ : state)
        logo->Dissolve();
}

BENCHMARK(BM_HoverBlendMenuButton)->UseRealTime()->Unit(benchmark::kMillisecond)->ComputeStatistics("min", MinStatistic);
BENCHMARK(BM_HoverDissolveLogo)->UseRealTime()->Unit(benchmark::kMillisecond)->ComputeStatistics("min", MinStatistic);

class TTimeReporter : public TRatioReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override
    {
        TRatioReporter::ReportRuns(runs);
        for (const Run& run : runs)
            if (run.run_type == Run::RT_Iteration || run.aggregate_name == "min")
                RealMs[run.run_name.function_name] = run.GetAdjustedRealTime();
    }
    std::map<std::string, double> RealMs;
};

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    TAdImage::SetLibraryFolder(GS_PROGRAM_DIR); // else the banner's load failure boxes block the run
    TempDir dir;
    TProgram program(dir.File("glimmerscout.ini"));
    program.form1.show();
    // Repaints reach the screen only once the window is exposed.
    WaitUntil([&] { return program.form1.windowHandle() && program.form1.windowHandle()->isExposed(); });
    Program = &program;

    benchmark::Initialize(&argc, argv);
    TTimeReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    std::printf("\nPlatform: %s\n", qPrintable(QGuiApplication::platformName()));
    for (const char* size : {"130/27", "640/480"}) {
        const double blend = reporter.Time(std::string("BM_BlendRow/") + size);
        const double copy = reporter.Time(std::string("BM_Memcpy/") + size);
        if (blend > 0 && copy > 0)
            std::printf("BlendRow %s: %.2f of memcpy's bytes per second (goal: at least 0.5)\n", size, copy / blend);
    }
    const double hover = reporter.RealMs["BM_HoverBlendMenuButton"];
    const double logo = reporter.RealMs["BM_HoverDissolveLogo"];
    if (hover > 0)
        std::printf("Menu button hover (Blend, 33 repaints): %.2f ms (goal: at most 16.7 ms)\n", hover);
    if (logo > 0)
        std::printf("Logo hover (Dissolve, 514 repaints): %.2f ms (goal: at most 250 ms)\n", logo);
    Program = nullptr;
    benchmark::Shutdown();
    return 0;
}
