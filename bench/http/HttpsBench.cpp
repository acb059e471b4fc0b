// THttpCli beside curl over HTTPS, against the same nginx on loopback:
//  (a) one 200 MB body into a file (MB/s, CPU seconds);
//  (b) 2,000 files of 10 kB, 10 at once, each request on its own connection
//      on both sides (requests/s, CPU).
// Each figure after a warm-up round, the tools alternating, best of the rounds.
// Usage: https_bench [rounds] [bigMB] [files]
#include "ClientRuns.h"
#include "net/FileStream.h"
#include "net/HttpCli.h"
#include "net/winsock/WinSockDns.h"
#include "sampleweb/certificates/Certificates.h"
#include "support/TestSupport.h"
#include "support/net/HttpPeers.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <cstdio>
#include <fstream>

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    WSocketSetDnsLookups("f");
    const int rounds = argc > 1 ? std::atoi(argv[1]) : 3;
    const int64_t bigBytes = (argc > 2 ? std::atoll(argv[2]) : 200) * 1000 * 1000;
    const int files = argc > 3 ? std::atoi(argv[3]) : 2000;

    TempDir dir;
    const certificates::Identity ca = certificates::MakeCa("Bench CA");
    const certificates::Identity leaf = certificates::MakeLeaf({"127.0.0.1"}, &ca);
    const std::string caFile = dir.File("ca.pem");
    certificates::WritePem(caFile, ca.CertificatePem);
    certificates::WritePem(dir.File("site.crt"), leaf.CertificatePem);
    certificates::WritePem(dir.File("site.key"), leaf.KeyPem);
    TNginx nginx(dir.Path(), {{dir.File("site.crt"), dir.File("site.key")}});
    if (!nginx.Running()) {
        std::fprintf(stderr, "nginx is not available\n");
        return 1;
    }
    WriteBig(nginx.Root() + "/big.bin", bigBytes);
    WriteSmallFiles(nginx, files, dir.File("plain-list.txt"));
    std::vector<std::string> urls;
    {
        std::ofstream list(dir.File("list.txt"));
        for (int i = 0; i < files; ++i) {
            urls.push_back(nginx.TlsUrl(0, "/s/" + std::to_string(i) + ".bin"));
            list << "url = \"" << urls.back() << "\"\noutput = \"/dev/null\"\n";
        }
    }
    const std::string bigUrl = nginx.TlsUrl(0, "/big.bin");
    const std::string out = dir.File("out.bin");
    const double mb = static_cast<double>(bigBytes) / 1e6;

    // (a) one big body into a file.
    std::vector<TRun> ours, curl;
    for (int round = 0; round <= rounds; ++round) {
        TRun o;
        {
            TFileStream file(out, fmCreate);
            o = FetchOne(bigUrl, file, bigBytes, caFile);
        }
        const TRun c = RunTool({"curl", "-s", "--http1.0", "--cacert", caFile, "-o", out, bigUrl});
        if (round == 0)
            continue; // warm-up
        ours.push_back(o);
        curl.push_back(c);
    }
    const TRun o = Best(ours), c = Best(curl);
    std::printf("(a) %.0f MB over HTTPS into a file, best of %d after a warm-up\n", mb, rounds);
    std::printf("    THttpCli %8.1f MB/s  %.2f s  CPU %.2f s\n", mb / o.Seconds, o.Seconds, o.Cpu);
    std::printf("    curl     %8.1f MB/s  %.2f s  CPU %.2f s\n", mb / c.Seconds, c.Seconds, c.Cpu);
    std::printf("    speed THttpCli/curl %.2f (goal >= 1), CPU THttpCli/curl %.2f (goal <= 1)\n", c.Seconds / o.Seconds,
                o.Cpu / c.Cpu);

    // (b) many small files, 10 at once, a connection each.
    std::vector<TRun> manyOurs, manyCurl;
    for (int round = 0; round <= rounds; ++round) {
        const TRun mo = FetchMany(urls, 10, [&](THttpCli& cli) { cli.TlsCaFile = caFile; });
        const TRun mc = RunTool({"curl", "-s", "--no-progress-meter", "--http1.0", "-H", "Connection: close",
                                 "--cacert", caFile, "--parallel", "--parallel-max", "10", "-K", dir.File("list.txt")});
        if (round == 0)
            continue;
        manyOurs.push_back(mo);
        manyCurl.push_back(mc);
    }
    const TRun mo = Best(manyOurs), mc = Best(manyCurl);
    std::printf("(b) %d files of 10 kB over HTTPS, 10 at once, a connection each, best of %d after a warm-up\n", files,
                rounds);
    std::printf("    THttpCli %8.0f requests/s  %.2f s  CPU %.2f s\n", files / mo.Seconds, mo.Seconds, mo.Cpu);
    std::printf("    curl     %8.0f requests/s  %.2f s  CPU %.2f s\n", files / mc.Seconds, mc.Seconds, mc.Cpu);
    std::printf("    THttpCli/curl %.2f (goal >= 1), CPU THttpCli/curl %.2f\n", mc.Seconds / mo.Seconds, mo.Cpu / mc.Cpu);
    return 0;
}
