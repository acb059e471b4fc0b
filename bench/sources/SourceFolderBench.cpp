#include "RatioReporter.h"
#include "core/SourceFolder.h"

#include <benchmark/benchmark.h>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <unistd.h>

// Reading a folder of 50 description files at start, as a user with many
// sources of their own has it, beside the floor of any reader: reading the
// same files' bytes. The goal: at most 5 ms for the folder, in CPU time
// (steadier than the wall clock on a shared machine).
namespace {

namespace fs = std::filesystem;

// A description as long as the built-in ones, paging and a made address included.
std::string Description(int n)
{
    const std::string id = std::to_string(n);
    return R"({
  "name": "Museum )" + id + R"(",
  "shortName": "museum)" + id + R"(",
  "homePage": "https://museum)" + id + R"(.example/collection",
  "licences": "Public domain (CC0) pictures; each names its own credit line.",
  "request": {
    "url": "https://api.museum)" + id + R"(.example/v1/artworks/search?q={searchTerms}&limit={count}&page={startPage}&fields=id,title,image_id,artist_title",
    "headers": {"Accept": "application/json", "X-Client": "picture finder"},
    "intervalMs": 1000
  },
  "paging": {"by": "page", "count": 50, "maxPages": 10, "page": "$.pagination.current_page", "pages": "$.pagination.total_pages"},
  "answer": {
    "expect": ["$.pagination", "$.data"],
    "error": "$.detail",
    "results": "$.data[*]",
    "order": "@._score",
    "picture": {"template": "{iiif}/{id}/full/843,/0/default.jpg", "values": {"iiif": "$.config.iiif_url", "id": "@.image_id"}},
    "thumbnail": {"template": "{iiif}/{id}/full/200,/0/default.jpg", "values": {"iiif": "$.config.iiif_url", "id": "@.image_id"}},
    "width": "@.thumbnail.width",
    "height": "@.thumbnail.height",
    "type": "@.image_type",
    "page": "@.web_url",
    "title": "@.title",
    "creator": "@.artist_title",
    "licence": "@.licence['name']",
    "licenceUrl": "@.licence.links[0].href"
  }
})";
}

const std::string& Folder()
{
    static const std::string folder = [] {
        const fs::path dir = fs::temp_directory_path() / ("gs-bench-sources-" + std::to_string(::getpid()));
        fs::create_directories(dir);
        for (int n = 0; n < 50; ++n)
            std::ofstream(dir / ("museum" + std::to_string(n) + ".json")) << Description(n);
        return dir.string();
    }();
    return folder;
}

void BM_ReadSourceFolder(benchmark::State& state)
{
    const std::string& folder = Folder();
    for (auto _ : state) {
        const TSourceFolderRead read = ReadSourceFolder(folder);
        if (read.Descriptions.size() != 50) {
            state.SkipWithError(read.Faults.empty() ? "files missing" : read.Faults[0].Text().c_str());
            break;
        }
        benchmark::DoNotOptimize(read.Descriptions.data());
    }
}
BENCHMARK(BM_ReadSourceFolder)->Unit(benchmark::kMillisecond)->ComputeStatistics("min", MinStatistic);

void BM_ReadFilesOnly(benchmark::State& state)
{
    const std::string& folder = Folder();
    for (auto _ : state) {
        size_t bytes = 0;
        for (const auto& entry : fs::directory_iterator(folder)) {
            std::ifstream in(entry.path(), std::ios::binary);
            bytes += std::string(std::istreambuf_iterator<char>(in), {}).size();
        }
        benchmark::DoNotOptimize(bytes);
    }
}
BENCHMARK(BM_ReadFilesOnly)->Unit(benchmark::kMillisecond)->ComputeStatistics("min", MinStatistic);

} // namespace

int main(int argc, char** argv)
{
    benchmark::Initialize(&argc, argv);
    TRatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    const double folder = reporter.Time("BM_ReadSourceFolder");
    const double files = reporter.Time("BM_ReadFilesOnly");
    if (folder > 0 && files > 0)
        std::printf("50 descriptions read and checked: %.2f ms (goal at most 5 ms: %.2f of it); "
                    "reading their bytes alone: %.2f ms (ratio %.1f)\n",
                    folder, folder / 5.0, files, folder / files);
    fs::remove_all(Folder());
    benchmark::Shutdown();
}
