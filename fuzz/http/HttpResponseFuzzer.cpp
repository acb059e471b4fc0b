// Feeds arbitrary response bytes, split at arbitrary points, to a THttpCli
// over a loopback connection, and checks that every request ends once, in
// the ready state, with the body handed on exactly as it was counted.
//
// Input: byte 0 holds options (bit 0: a 64 kB memory stream, bit 1: abort
// and free after the chunk named by byte 1); bytes 2..9 are the chunk
// lengths, cycled; the rest is what the server sends.
#include "../FuzzCheck.h"
#include "net/HttpCli.h"
#include "net/MemoryStream.h"
#include "net/winsock/WinSockDns.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <arpa/inet.h>
#include <cstdlib>
#include <fcntl.h>
#include <memory>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <sys/socket.h>
#include <unistd.h>

namespace {
int gListen = -1;
uint16_t gPort = 0;

template <class Cond>
bool Spin(Cond cond, int limitMs = 2000)
{
    QElapsedTimer t;
    t.start();
    while (!cond()) {
        if (t.elapsed() > limitMs)
            return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents);
    }
    return true;
}

}

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv)
{
    // The replay in the tests already has its application.
    if (!QCoreApplication::instance())
        static QCoreApplication app(*argc, *argv);
    WSocketSetDnsLookups("f");
    gListen = socket(AF_INET, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
    sockaddr_in a{};
    a.sin_family = AF_INET;
    a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    bind(gListen, reinterpret_cast<sockaddr*>(&a), sizeof a);
    listen(gListen, 8);
    socklen_t len = sizeof a;
    getsockname(gListen, reinterpret_cast<sockaddr*>(&a), &len);
    gPort = ntohs(a.sin_port);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size < 10)
        return 0;
    const uint8_t options = data[0];
    const size_t abortAfter = data[1];
    const uint8_t* lengths = data + 2;
    const uint8_t* response = data + 10;
    const size_t responseSize = size - 10;

    auto stream = std::make_unique<TMemoryStream>(options & 1 ? 64 * 1024 : TMemoryStream::DefaultMaxSize);
    auto cli = std::make_unique<THttpCli>();
    int done = 0;
    int64_t delivered = 0;
    cli->URL = "http://127.0.0.1:" + std::to_string(gPort) + "/fuzz";
    cli->DocStream = stream.get();
    cli->OnDocData = [&](THttpCli*, const char*, int n) { delivered += n; };
    cli->OnRequestDone = [&](THttpCli*, THttpRequest, uint16_t) { ++done; };
    cli->GetAsync();

    int conn = -1;
    Check(Spin([&] { return (conn = accept4(gListen, nullptr, nullptr, SOCK_CLOEXEC)) >= 0; }));
    const int one = 1; // every piece goes out at once, as its own segment
    setsockopt(conn, IPPROTO_TCP, TCP_NODELAY, &one, sizeof one);
    size_t offset = 0;
    for (size_t chunk = 0; offset < responseSize && done == 0; ++chunk) {
        if ((options & 2) && chunk == abortAfter) {
            cli->Abort();
            cli.reset();
            break;
        }
        const size_t n = std::min<size_t>(lengths[chunk % 8] + 1u, responseSize - offset);
        if (send(conn, response + offset, n, MSG_NOSIGNAL) != static_cast<ssize_t>(n))
            break;
        offset += n;
        // Let the client read this piece on its own.
        Spin([&] { return !cli || cli->CtrlSocket().ReadCount() >= static_cast<int>(offset) ||
                          cli->CtrlSocket().State() == wsClosed; }, 200);
    }
    close(conn);
    if (cli) {
        // A relocation comes back for more: its connections close unanswered.
        Check(Spin([&] {
            const int extra = accept4(gListen, nullptr, nullptr, SOCK_CLOEXEC);
            if (extra >= 0)
                close(extra);
            return done > 0;
        }));
        QCoreApplication::processEvents(QEventLoop::AllEvents);
        Check(done == 1);
        Check(cli->HttpState() == hsReady);
        Check(cli->ReceivedBytes() == delivered);
        Check(stream->Size() <= delivered && stream->Size() <= stream->MaxSize());
    }
    return 0;
}
