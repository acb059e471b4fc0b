// THttpCli beside curl through the same microsocks (SOCKS 5, names resolved
// by the server) to nginx on loopback: 2,000 files of 10 kB with 10 requests
// at once (requests/s, CPU seconds). Each figure after a warm-up round, the
// tools alternating, best of the rounds.
// Usage: socks_bench [rounds] [files]
#include "ClientRuns.h"
#include "net/HttpCli.h"
#include "support/net/HttpPeers.h"
#include "support/net/SocksPeers.h"
#include "net/winsock/WinSockDns.h"
#include "support/TestSupport.h"

#include <QCoreApplication>
#include <cstdio>

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    WSocketSetDnsLookups("f");
    const int rounds = argc > 1 ? std::atoi(argv[1]) : 3;
    const int files = argc > 2 ? std::atoi(argv[2]) : 2000;
    constexpr int parallel = 10;

    TempDir dir;
    TNginx nginx(dir.Path());
    TMicrosocks socks;
    if (!nginx.Running() || !socks.Running()) {
        std::fprintf(stderr, "nginx or microsocks is not available\n");
        return 1;
    }
    const std::vector<std::string> urls = WriteSmallFiles(nginx, files, dir.File("list.txt"));
    const std::string port = std::to_string(socks.Port());
    const auto throughSocks = [&](THttpCli& cli) {
        cli.SocksServer = "127.0.0.1";
        cli.SocksPort = port;
    };

    std::vector<TRun> ours, curl;
    for (int round = 0; round <= rounds; ++round) {
        const TRun o = FetchMany(urls, parallel, throughSocks);
        const TRun c = RunTool({"curl", "-s", "--no-progress-meter", "--http1.0", "--socks5-hostname",
                                "127.0.0.1:" + port, "--parallel", "--parallel-max", std::to_string(parallel), "-K",
                                dir.File("list.txt")});
        if (round == 0)
            continue; // warm-up
        ours.push_back(o);
        curl.push_back(c);
    }
    const TRun o = Best(ours), c = Best(curl);
    std::printf("%d files of 10 kB through microsocks, %d at once, best of %d after a warm-up\n", files, parallel,
                rounds);
    std::printf("    THttpCli %8.0f requests/s  %.2f s  CPU %.2f s\n", files / o.Seconds, o.Seconds, o.Cpu);
    std::printf("    curl     %8.0f requests/s  %.2f s  CPU %.2f s\n", files / c.Seconds, c.Seconds, c.Cpu);
    std::printf("    THttpCli/curl requests/s %.2f (goal >= 1)\n", c.Seconds / o.Seconds);
    return 0;
}
