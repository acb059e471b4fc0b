#include "RatioReporter.h"
#include "HtmlBody.h"
#include "core/TextHelpers.h"
#include <benchmark/benchmark.h>
#include <cstdio>
#include <cstring>
#include <map>

// Splitting a 10 MB page into lines beside the floor of any splitter:
// counting its LF bytes with memchr. The ratio (of CPU times, steadier on a
// shared machine) is the figure to watch.
namespace {

const std::string& Body()
{
    static const std::string body = MakeHtmlBody(10 * 1000 * 1000);
    return body;
}

void BM_LoadMemoFromMemoryStream(benchmark::State& state)
{
    const std::string& body = Body();
    for (auto _ : state) {
        std::vector<std::string> lines;
        LoadMemoFromMemoryStream(lines, body);
        benchmark::DoNotOptimize(lines.data());
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(body.size()));
}
BENCHMARK(BM_LoadMemoFromMemoryStream)->Unit(benchmark::kMillisecond)->ComputeStatistics("min", MinStatistic);

void BM_MemchrLineCount(benchmark::State& state)
{
    const std::string& body = Body();
    for (auto _ : state) {
        size_t count = 0;
        const char* p = body.data();
        const char* end = p + body.size();
        while (const void* hit = std::memchr(p, '\n', end - p)) {
            ++count;
            p = static_cast<const char*>(hit) + 1;
        }
        benchmark::DoNotOptimize(count);
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(body.size()));
}
BENCHMARK(BM_MemchrLineCount)->Unit(benchmark::kMillisecond)->ComputeStatistics("min", MinStatistic);
}

int main(int argc, char** argv)
{
    benchmark::Initialize(&argc, argv);
    TRatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    const auto split = reporter.Times.find("BM_LoadMemoFromMemoryStream");
    const auto count = reporter.Times.find("BM_MemchrLineCount");
    if (split != reporter.Times.end() && count != reporter.Times.end() && count->second > 0)
        std::printf("LoadMemoFromMemoryStream / memchr line count: %.2f\n", split->second / count->second);
    benchmark::Shutdown();
}
