// THttpCli beside curl and wget against the same nginx on loopback:
//  (a) one 200 MB body into a file (MB/s, CPU seconds), and into a memory
//      stream with a 100 ms timer beside it (largest lateness);
//  (b) 20,000 files of 10 kB with 45 requests at once (requests/s, CPU).
// Each figure after a warm-up round, the tools alternating, best of the rounds.
// Usage: http_bench [rounds] [bigMB] [files]
#include "ClientRuns.h"
#include "net/FileStream.h"
#include "net/HttpCli.h"
#include "net/MemoryStream.h"
#include "net/winsock/WinSockDns.h"
#include "support/TestSupport.h"
#include "support/net/HttpPeers.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTimer>
#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <memory>

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    WSocketSetDnsLookups("f");
    const int rounds = argc > 1 ? std::atoi(argv[1]) : 3;
    const int64_t bigBytes = (argc > 2 ? std::atoll(argv[2]) : 200) * 1000 * 1000;
    const int files = argc > 3 ? std::atoi(argv[3]) : 20000;

    TempDir dir;
    TNginx nginx(dir.Path());
    if (!nginx.Running()) {
        std::fprintf(stderr, "nginx is not available\n");
        return 1;
    }
    WriteBig(nginx.Root() + "/big.bin", bigBytes);
    const std::vector<std::string> urls = WriteSmallFiles(nginx, files, dir.File("list.txt"));
    const std::string bigUrl = nginx.Url("/big.bin");
    const std::string out = dir.File("out.bin");
    const double mb = static_cast<double>(bigBytes) / 1e6;

    // (a) one big body into a file.
    std::vector<TRun> ours, curl, wget;
    for (int round = 0; round <= rounds; ++round) {
        TRun o;
        {
            TFileStream file(out, fmCreate);
            o = FetchOne(bigUrl, file, bigBytes);
        }
        const TRun c = RunTool({"curl", "-s", "--http1.0", "-o", out, bigUrl});
        const TRun w = RunTool({"wget", "-q", "-O", out, bigUrl});
        if (round == 0)
            continue; // warm-up
        ours.push_back(o);
        curl.push_back(c);
        wget.push_back(w);
    }
    const TRun o = Best(ours), c = Best(curl), w = Best(wget);
    std::printf("(a) %.0f MB into a file, best of %d after a warm-up\n", mb, rounds);
    std::printf("    THttpCli %8.1f MB/s  %.2f s  CPU %.2f s\n", mb / o.Seconds, o.Seconds, o.Cpu);
    std::printf("    curl     %8.1f MB/s  %.2f s  CPU %.2f s\n", mb / c.Seconds, c.Seconds, c.Cpu);
    std::printf("    wget     %8.1f MB/s  %.2f s  CPU %.2f s\n", mb / w.Seconds, w.Seconds, w.Cpu);
    std::printf("    speed THttpCli/curl %.2f (goal >= 0.8), THttpCli/wget %.2f (goal >= 1)\n", c.Seconds / o.Seconds,
                w.Seconds / o.Seconds);
    std::printf("    CPU THttpCli/curl %.2f (goal <= 1.5)\n", o.Cpu / c.Cpu);

    // The same body into memory, with a 100 ms timer beside it.
    {
        QElapsedTimer sinceTick;
        qint64 worstLate = 0;
        QTimer timer;
        timer.setTimerType(Qt::PreciseTimer);
        QObject::connect(&timer, &QTimer::timeout, [&] {
            worstLate = std::max(worstLate, sinceTick.elapsed() - 100);
            sinceTick.restart();
        });
        TMemoryStream memory(bigBytes + 1);
        sinceTick.start();
        timer.start(100);
        const TRun m = FetchOne(bigUrl, memory, bigBytes);
        std::printf("    into memory %8.1f MB/s, a 100 ms timer fired at most %lld ms late (goal <= 10)\n",
                    mb / m.Seconds, static_cast<long long>(worstLate));
    }

    // (b) many small files, 45 at once.
    std::vector<TRun> manyOurs, manyCurl;
    for (int round = 0; round <= rounds; ++round) {
        const TRun mo = FetchMany(urls, 45);
        const TRun mc = RunTool({"curl", "-s", "--no-progress-meter", "--http1.0", "--parallel", "--parallel-max", "45", "-K", dir.File("list.txt")});
        if (round == 0)
            continue;
        manyOurs.push_back(mo);
        manyCurl.push_back(mc);
    }
    const TRun mo = Best(manyOurs), mc = Best(manyCurl);
    std::printf("(b) %d files of 10 kB, 45 at once, best of %d after a warm-up\n", files, rounds);
    std::printf("    THttpCli %8.0f requests/s  %.2f s  CPU %.2f s\n", files / mo.Seconds, mo.Seconds, mo.Cpu);
    std::printf("    curl     %8.0f requests/s  %.2f s  CPU %.2f s\n", files / mc.Seconds, mc.Seconds, mc.Cpu);
    std::printf("    THttpCli/curl %.2f (goal >= 1)\n", mc.Seconds / mo.Seconds);
    return 0;
}
