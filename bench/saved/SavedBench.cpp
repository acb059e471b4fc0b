// The history of saved pictures, in one run: opening a history of 100,000
// entries (goal: at most 50 ms), beside reading its bytes alone, the floor
// of any reading of the file.
#include "RatioReporter.h"
#include "download/SavedHistory.h"
#include "support/TestSupport.h"

#include <benchmark/benchmark.h>
#include <cstdio>
#include <string>

namespace {

constexpr int Entries = 100000;

// Addresses and paths as long as a search's usually are.
const std::string& HistoryFile()
{
    static TempDir dir;
    static const std::string path = [] {
        std::vector<TSavedEntry> entries;
        entries.reserve(Entries);
        for (int i = 0; i < Entries; ++i) {
            std::string digest(32, '\0');
            for (size_t b = 0; b < digest.size(); ++b)
                digest[b] = static_cast<char>((i * 2654435761u) >> (b % 4 * 8));
            entries.push_back({digest, 20000 + i, "http://pictures.example.com/gallery/2026/" + std::to_string(i) + ".jpg",
                               "/home/ann/Pictures/red cars/red cars_" + std::to_string(i) + ".jpg", 1760000000 + i});
        }
        const std::string file = dir.File("saved-pictures.txt");
        WriteFile(file, TSavedHistory::Text(entries));
        return file;
    }();
    return path;
}

void BM_OpenHistory(benchmark::State& state)
{
    for (auto _ : state) {
        TSavedHistory history(HistoryFile());
        if (history.Size() != Entries || !history.Damage().empty())
            state.SkipWithError("the history was not read whole");
    }
}
BENCHMARK(BM_OpenHistory)->Unit(benchmark::kMillisecond);

void BM_ReadBytes(benchmark::State& state)
{
    for (auto _ : state)
        benchmark::DoNotOptimize(ReadFile(HistoryFile()));
}
BENCHMARK(BM_ReadBytes)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    benchmark::Initialize(&argc, argv);
    TRatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    const double open = reporter.Time("BM_OpenHistory");
    const double bytes = reporter.Time("BM_ReadBytes");
    std::printf("\nA history of %d entries (%.1f MB): opened in %.1f ms of CPU time (goal: at most 50 ms), %.1f times reading its bytes\n",
                Entries, static_cast<double>(ReadFile(HistoryFile()).size()) / 1e6, open, bytes > 0 ? open / bytes : 0.0);
    benchmark::Shutdown();
    return 0;
}
