#include "ClientRuns.h"

#include "net/HttpCli.h"
#include "net/Stream.h"
#include "support/net/HttpPeers.h"
#include "net/MemoryStream.h"
#include "support/TestSupport.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <algorithm>
#include <filesystem>
#include <fstream>
#include <cstdio>

TRun FetchMany(const std::vector<std::string>& urls, int parallel, const std::function<void(THttpCli&)>& Configure)
{
    size_t next = 0, finished = 0, failed = 0;
    std::function<void()> startOne = [&] {
        auto* cli = new THttpCli;
        auto* body = new TMemoryStream;
        cli->URL = urls[next++];
        cli->DocStream = body;
        if (Configure)
            Configure(*cli);
        cli->OnRequestDone = [&, body](THttpCli* c, THttpRequest, uint16_t e) {
            failed += e != 0 || c->ReceivedBytes() != 10000;
            ++finished;
            delete c; // freed inside its own OnRequestDone, as the program does
            delete body;
            if (next < urls.size())
                startOne();
        };
        cli->GetAsync();
    };
    const double cpu = SelfCpu();
    QElapsedTimer t;
    t.start();
    for (int i = 0; i < parallel && next < urls.size(); ++i)
        startOne();
    while (finished < urls.size())
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    if (failed)
        std::fprintf(stderr, "THttpCli: %zu requests failed\n", failed);
    return {static_cast<double>(t.nsecsElapsed()) / 1e9, SelfCpu() - cpu};
}

TRun Best(const std::vector<TRun>& runs)
{
    return *std::min_element(runs.begin(), runs.end(), [](const TRun& a, const TRun& b) { return a.Seconds < b.Seconds; });
}

std::vector<std::string> WriteSmallFiles(const TNginx& nginx, int files, const std::string& curlList)
{
    std::filesystem::create_directories(nginx.Root() + "/s");
    std::vector<std::string> urls;
    std::ofstream list(curlList);
    const std::string small(10000, 's');
    for (int i = 0; i < files; ++i) {
        const std::string name = "/s/" + std::to_string(i) + ".bin";
        WriteFile(nginx.Root() + name, small);
        urls.push_back(nginx.Url(name));
        list << "url = \"" << urls.back() << "\"\noutput = \"/dev/null\"\n";
    }
    return urls;
}

TRun FetchOne(const std::string& url, TStream& stream, int64_t expected, const std::string& caFile)
{
    THttpCli cli;
    bool done = false;
    cli.URL = url;
    cli.TlsCaFile = caFile;
    cli.DocStream = &stream;
    cli.OnRequestDone = [&](THttpCli* c, THttpRequest, uint16_t e) {
        if (e != 0)
            std::fprintf(stderr, "THttpCli failed: %d %s\n", e, c->TlsFailure().c_str());
        done = true;
    };
    const double cpu = SelfCpu();
    QElapsedTimer t;
    t.start();
    cli.GetAsync();
    while (!done)
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    const TRun r{static_cast<double>(t.nsecsElapsed()) / 1e9, SelfCpu() - cpu};
    if (cli.ReceivedBytes() != expected)
        std::fprintf(stderr, "THttpCli got %lld of %lld bytes\n", static_cast<long long>(cli.ReceivedBytes()),
                     static_cast<long long>(expected));
    return r;
}

void WriteBig(const std::string& path, int64_t bytes)
{
    std::ofstream out(path, std::ios::binary);
    std::string block(1 << 20, '\0');
    uint64_t x = 88172645463325252ull;
    for (auto& c : block) {
        x ^= x << 13, x ^= x >> 7, x ^= x << 17;
        c = static_cast<char>(x);
    }
    for (int64_t done = 0; done < bytes; done += static_cast<int64_t>(block.size()))
        out.write(block.data(), static_cast<std::streamsize>(std::min<int64_t>(bytes - done, block.size())));
}
