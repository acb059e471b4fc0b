#include "RatioReporter.h"
#include "core/TextHelpers.h"
#include "extract/LinkExtractor.h"
#include "extract/PageGenerator.h"

#include <benchmark/benchmark.h>
#include <algorithm>
#include <libxml/HTMLparser.h>

#include <cstdio>
#include <cstring>
#include <functional>
#include <map>
#include <unordered_set>

// The extractor on ordinary and hostile pages beside two yardsticks: an HTML
// parser's SAX handler taking every a@href and img@src, and the floor of any
// ".jpg" finder, one lower-cased copy searched once.
namespace {

constexpr size_t kMB = 1000 * 1000;

struct TBenchPage {
    std::string name;
    std::string body;
    std::vector<std::string> lines;
};

std::vector<TBenchPage>& Pages()
{
    static std::vector<TBenchPage> pages = [] {
        std::vector<TBenchPage> made{
            {"gallery_1MB", PageGenerator::Gallery(1, kMB), {}},
            {"gallery_10MB", PageGenerator::Gallery(1, 10 * kMB), {}},
            {"one_line_10MB", PageGenerator::OneLine(1, 10 * kMB), {}},
            {"unmatched_quotes_10MB", PageGenerator::UnmatchedQuotes(1, 10 * kMB), {}},
            {"unclosed_anchors_10MB", PageGenerator::UnclosedAnchors(1, 10 * kMB), {}},
        };
        for (TBenchPage& page : made)
            LoadMemoFromMemoryStream(page.lines, page.body);
        return made;
    }();
    return pages;
}

char Lower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c; }

struct TCaseHash {
    size_t operator()(const std::string& s) const
    {
        size_t hash = 14695981039346656037ull;
        for (char c : s)
            hash = (hash ^ static_cast<unsigned char>(Lower(c))) * 1099511628211ull;
        return hash;
    }
};

struct TCaseEqual {
    bool operator()(const std::string& a, const std::string& b) const
    {
        return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
                   return Lower(x) == Lower(y);
               });
    }
};

// The result list's part of the work: FoundFiles as a hash set.
class TCountingSink : public TSearchSink {
public:
    void QueuePageFetch(const std::string&, EngineCode) override { ++Pages; }
    void QueueLinkCheck(const std::string&) override {}
    void AddToListView(const std::string& url, TPictureSize) override { FFound.insert(url); }
    bool IsFound(const std::string& url) const override { return FFound.count(url) > 0; }
    bool CheckLinksTicked() const override { return false; }
    bool RecursiveSearchActive() const override { return true; }
    std::string LycosBaseAddress() const override { return {}; }
    std::string ScourNetBaseAddress() const override { return {}; }
    size_t Found() const { return FFound.size(); }
    size_t Pages = 0;

private:
    std::unordered_set<std::string, TCaseHash, TCaseEqual> FFound;
};

// The extractor's own work: a sink that only counts, with "Check Links"
// ticked as it is by default. Like the window's queues, it takes a repeated
// call in one step.
class TNullSink : public TSearchSink {
public:
    void QueuePageFetch(const std::string&, EngineCode) override {}
    void QueueLinkCheck(const std::string&) override { ++Checks; }
    void QueuePageFetchTimes(const std::string&, EngineCode, uint64_t) override {}
    void QueueLinkCheckTimes(const std::string&, uint64_t times) override { Checks += times; }
    void AddToListView(const std::string&, TPictureSize) override {}
    bool IsFound(const std::string&) const override { return false; }
    bool CheckLinksTicked() const override { return true; }
    bool RecursiveSearchActive() const override { return true; }
    std::string LycosBaseAddress() const override { return {}; }
    std::string ScourNetBaseAddress() const override { return {}; }
    uint64_t Checks = 0;
};

const std::string kOrigin = "http://example.test/gallery/index.html";

void Extractor(benchmark::State& state, const TBenchPage& page)
{
    uint64_t checks = 0;
    for (auto _ : state) {
        TNullSink sink;
        StartExtractLoop(page.lines, kOrigin, sink);
        checks = sink.Checks;
    }
    state.counters["checks"] = static_cast<double>(checks);
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(page.body.size()));
}

void ExtractorWithFoundFiles(benchmark::State& state, const TBenchPage& page)
{
    size_t found = 0;
    for (auto _ : state) {
        TCountingSink sink;
        StartExtractLoop(page.lines, kOrigin, sink);
        found = sink.Found();
    }
    state.counters["found"] = static_cast<double>(found);
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(page.body.size()));
}

void TakeLinks(void* context, const xmlChar* name, const xmlChar** attributes)
{
    const char* wanted = xmlStrcasecmp(name, BAD_CAST "a") == 0     ? "href"
                         : xmlStrcasecmp(name, BAD_CAST "img") == 0 ? "src"
                                                                      : nullptr;
    if (!wanted || !attributes)
        return;
    for (const xmlChar** a = attributes; a[0]; a += 2)
        if (xmlStrcasecmp(a[0], BAD_CAST wanted) == 0 && a[1])
            static_cast<std::vector<std::string>*>(context)->emplace_back(reinterpret_cast<const char*>(a[1]));
}

void Quiet(void*, const char*, ...) {}

void LibXml2(benchmark::State& state, const TBenchPage& page)
{
    htmlSAXHandler handler;
    std::memset(&handler, 0, sizeof handler);
    handler.startElement = TakeLinks;
    handler.error = Quiet;
    handler.warning = Quiet;
    size_t found = 0;
    for (auto _ : state) {
        std::vector<std::string> links;
        htmlParserCtxtPtr parser =
            htmlCreatePushParserCtxt(&handler, &links, nullptr, 0, nullptr, XML_CHAR_ENCODING_8859_1);
        htmlCtxtUseOptions(parser, HTML_PARSE_NOERROR | HTML_PARSE_NOWARNING | HTML_PARSE_NONET);
        htmlParseChunk(parser, page.body.data(), static_cast<int>(page.body.size()), 0);
        htmlParseChunk(parser, nullptr, 0, 1);
        htmlFreeParserCtxt(parser);
        found = links.size();
    }
    state.counters["links"] = static_cast<double>(found);
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(page.body.size()));
}

void PlainPass(benchmark::State& state, const TBenchPage& page)
{
    size_t found = 0;
    for (auto _ : state) {
        std::string lower = page.body;
        for (char& c : lower)
            if (c >= 'A' && c <= 'Z')
                c = static_cast<char>(c + 32);
        found = 0;
        for (size_t at = lower.find(".jpg"); at != std::string::npos; at = lower.find(".jpg", at + 4))
            ++found;
        benchmark::DoNotOptimize(found);
    }
    state.counters["jpg"] = static_cast<double>(found);
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(page.body.size()));
}
}

int main(int argc, char** argv)
{
    benchmark::Initialize(&argc, argv);
    xmlInitParser();
    using TBench = void (*)(benchmark::State&, const TBenchPage&);
    const std::pair<const char*, TBench> kinds[] = {
        {"Extractor", Extractor}, {"ExtractorWithFoundFiles", ExtractorWithFoundFiles},
        {"LibXml2", LibXml2}, {"PlainPass", PlainPass}};
    for (const TBenchPage& page : Pages())
        for (const auto& [kind, bench] : kinds)
            benchmark::RegisterBenchmark((std::string(kind) + "/" + page.name).c_str(), bench, std::cref(page))
                ->Unit(benchmark::kMillisecond)
                ->ComputeStatistics("min", MinStatistic);
    TRatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);

    std::printf("\n%-24s %14s %18s\n", "page", "libxml2/extractor", "extractor/plain");
    for (const TBenchPage& page : Pages()) {
        const double extractor = reporter.Time("Extractor/" + page.name);
        if (extractor <= 0)
            continue;
        std::printf("%-24s %14.2f %18.2f\n", page.name.c_str(), reporter.Time("LibXml2/" + page.name) / extractor,
                    reporter.Time("PlainPass/" + page.name) / extractor > 0
                        ? extractor / reporter.Time("PlainPass/" + page.name)
                        : 0.0);
    }
    const double small = reporter.Time("Extractor/gallery_1MB");
    if (small > 0)
        std::printf("extractor 10 MB / 1 MB: %.2f\n", reporter.Time("Extractor/gallery_10MB") / small);
    std::printf("goals: libxml2/extractor >= 3, extractor/plain <= 2.5, 10 MB / 1 MB <= 11\n");
    benchmark::Shutdown();
}
