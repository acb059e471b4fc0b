// Look-alikes, in one run:
// - the hash of a thumbnail against the decode that made the thumbnail, of
//   a 1600 x 1200 JPEG as the web serves them (goal: at most 5% of it);
// - grouping 10,000 pictures, one in five a look-alike of another (goal:
//   at most 20 ms);
// - how many pairs of the sample web's different pictures the threshold
//   takes for look-alikes (its false-match rate), at it and at others.
#include "RatioReporter.h"
#include "download/LookAlikeHash.h"
#include "download/LookAlikes.h"
#include "download/Thumbnail.h"
#include "sampleweb/Catalogue.h"
#include "sampleweb/SampleWeb.h"
#include "support/pictures/JpegSamples.h"

#include <QCoreApplication>
#include <benchmark/benchmark.h>
#include <cstdio>
#include <random>
#include <set>

namespace {

constexpr int Side = 128; // the grid's thumbnails
constexpr int Pictures = 10000;

const std::string& WebJpeg()
{
    static const std::string file = EncodeJpeg(1600, 1200, 85, false);
    return file;
}

void BM_ThumbnailDecode(benchmark::State& state)
{
    for (auto _ : state)
        benchmark::DoNotOptimize(MakeThumbnail(WebJpeg(), Side));
}
BENCHMARK(BM_ThumbnailDecode)->Unit(benchmark::kMicrosecond);

void BM_Hash(benchmark::State& state)
{
    const QImage thumbnail = MakeThumbnail(WebJpeg(), Side);
    for (auto _ : state)
        benchmark::DoNotOptimize(LookAlikeHash(thumbnail));
}
BENCHMARK(BM_Hash)->Unit(benchmark::kMicrosecond);

// Random hashes; every fifth a few bits from an earlier one.
std::vector<uint64_t> Hashes()
{
    std::mt19937_64 random(7);
    std::vector<uint64_t> hashes(Pictures);
    for (int i = 0; i < Pictures; ++i) {
        hashes[i] = random();
        if (i % 5 == 4)
            hashes[i] = hashes[random() % i] ^ (uint64_t{1} << (random() % 64)) ^ (uint64_t{1} << (random() % 64));
    }
    return hashes;
}

void BM_Group(benchmark::State& state)
{
    const std::vector<uint64_t> hashes = Hashes();
    for (auto _ : state) {
        TLookAlikes groups;
        for (int i = 0; i < Pictures; ++i)
            groups.Add(i, hashes[i], 1000 + i);
        benchmark::DoNotOptimize(groups.CountOf(Pictures - 1));
    }
}
BENCHMARK(BM_Group)->Unit(benchmark::kMillisecond);

// Every picture a search of the sample web finds, by its bytes (a picture
// listed under two addresses counts once).
void SampleWebPairs()
{
    sampleweb::SampleWeb web;
    web.Start();
    const sampleweb::Catalogue catalogue(web.GetAddresses());
    std::set<std::string> files;
    for (const auto& row : catalogue.Listing({false, true, {}}))
        if (const std::string bytes = catalogue.PictureBytes(row.url); !bytes.empty())
            files.insert(bytes);
    std::vector<uint64_t> hashes;
    for (const std::string& file : files)
        try {
            hashes.push_back(LookAlikeHash(MakeThumbnail(file, Side)));
        } catch (const std::exception&) {
        }
    size_t pairs = 0, alike = 0, within[5] = {};
    int nearest = 64;
    for (size_t a = 0; a < hashes.size(); ++a)
        for (size_t b = a + 1; b < hashes.size(); ++b) {
            const int d = HashDistance(hashes[a], hashes[b]);
            ++pairs;
            alike += d <= TLookAlikes::Threshold;
            nearest = std::min(nearest, d);
            for (int t = 0; t <= 8; t += 2)
                within[t / 2] += d <= t;
        }
    std::printf("Sample web: %zu different pictures, %zu pairs; %zu within %d bits (false-match rate %.4f), "
                "the nearest pair %d bits apart\n",
                hashes.size(), pairs, alike, TLookAlikes::Threshold, pairs ? double(alike) / pairs : 0.0, nearest);
    for (int t = 0; t <= 8; t += 2)
        std::printf("  within %d bits: %zu pairs\n", t, within[t / 2]);
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    TRatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    const double decode = reporter.Time("BM_ThumbnailDecode"), hash = reporter.Time("BM_Hash");
    std::printf("\nHash of a thumbnail: %.1f us, its decode %.1f us: %.3f of it (goal: at most 0.050)\n", hash, decode,
                decode > 0 ? hash / decode : 0.0);
    std::printf("Grouping %d pictures: %.2f ms (goal: at most 20 ms)\n", Pictures, reporter.Time("BM_Group"));
    SampleWebPairs();
    benchmark::Shutdown();
    return 0;
}
