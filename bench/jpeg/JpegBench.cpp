// Decoding time of the viewer's JPEG decoder against the library's own
// benchmark tool on the same files: 2000 x 1500 pictures at quality 90,
// quality 75 and progressive. Goal: at most 1.1 times the tool's time.
#include "download/JpegDecoder.h"
#include "download/JpegSamples.h"
#include "support/TestSupport.h"

#include <algorithm>
#include <benchmark/benchmark.h>
#include <cstdio>
#include <map>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

namespace {

constexpr int Width = 2000;
constexpr int Height = 1500;

struct TSample {
    std::string name;
    std::string bytes;
    std::string path;
};

// Milliseconds per decode as the tool reports it, or a negative number.
double ToolMilliseconds(const std::string& path)
{
    const std::string command = std::string(TJBENCH) + " '" + path + "' -rgb -quiet -nowrite -benchtime 1 -warmup 0.3 2>&1";
    std::unique_ptr<FILE, int (*)(FILE*)> pipe(popen(command.c_str(), "r"), pclose);
    if (!pipe)
        return -1;
    std::string last;
    char line[512];
    while (fgets(line, sizeof line, pipe.get()))
        if (std::string(line).find("(TD)") != std::string::npos)
            last = line;
    std::istringstream fields(last);
    std::vector<std::string> words;
    for (std::string w; fields >> w;)
        words.push_back(w);
    if (words.empty())
        return -1;
    const double megapixelsPerSecond = std::stod(words.back());
    return Width * Height / megapixelsPerSecond / 1000.0;
}

// Keeps the mean time of every run, by benchmark name, in milliseconds.
class TRecorder : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override
    {
        for (const Run& run : runs)
            if (run.run_type == Run::RT_Iteration && !run.error_occurred) {
                const auto [at, fresh] = Millis.emplace(run.benchmark_name(), run.GetAdjustedRealTime());
                if (!fresh)
                    at->second = std::min(at->second, run.GetAdjustedRealTime());
            }
        ConsoleReporter::ReportRuns(runs);
    }
    std::map<std::string, double> Millis;
};

} // namespace

int main(int argc, char** argv)
{
    benchmark::Initialize(&argc, argv);
    TempDir dir;
    std::vector<TSample> samples{{"quality90", EncodeJpeg(Width, Height, 90, false), {}},
                                 {"quality75", EncodeJpeg(Width, Height, 75, false), {}},
                                 {"progressive", EncodeJpeg(Width, Height, 90, true), {}}};
    for (TSample& s : samples) {
        s.path = dir.File(s.name + ".jpg");
        WriteFile(s.path, s.bytes);
        benchmark::RegisterBenchmark(("DecodeJpeg/" + s.name).c_str(), [&s](benchmark::State& state) {
            const auto* data = reinterpret_cast<const unsigned char*>(s.bytes.data());
            // As in the viewer, the picture on screen stays until the next
            // one replaces it (the tool likewise keeps its output buffer).
            QImage shown;
            for (auto _ : state) {
                QImage next = DecodeJpeg(data, s.bytes.size());
                shown = next;
                benchmark::DoNotOptimize(shown.constBits());
            }
        })->Unit(benchmark::kMillisecond)->MinTime(1.0);
    }
    // Each file's two measurements run back to back, so that a busy
    // machine weighs on both alike; the best of three rounds counts.
    TRecorder recorder;
    std::map<std::string, double> toolMillis;
    for (int round = 0; round < 3; ++round)
        for (const TSample& s : samples) {
            benchmark::RunSpecifiedBenchmarks(&recorder, "DecodeJpeg/" + s.name + "/");
            const double tool = ToolMilliseconds(s.path);
            if (tool > 0 && (!toolMillis.count(s.name) || tool < toolMillis[s.name]))
                toolMillis[s.name] = tool;
        }

    std::printf("\n%-12s %8s %10s %10s %7s\n", "file", "bytes", "ours ms", "tool ms", "ratio");
    for (const TSample& s : samples) {
        const auto ours = recorder.Millis.find("DecodeJpeg/" + s.name + "/min_time:1.000");
        const double tool = toolMillis.count(s.name) ? toolMillis[s.name] : -1;
        if (ours == recorder.Millis.end() || tool <= 0) {
            std::printf("%-12s %8zu %10s\n", s.name.c_str(), s.bytes.size(), "n/a");
            continue;
        }
        std::printf("%-12s %8zu %10.2f %10.2f %6.2fx\n", s.name.c_str(), s.bytes.size(), ours->second, tool,
                    ours->second / tool);
    }
    benchmark::Shutdown();
    return 0;
}
