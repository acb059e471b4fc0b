#include "TlsTestServer.h"

#include "support/Loopback.h"

#include <openssl/err.h>
#include <openssl/pem.h>
#include <openssl/ssl.h>

#include <linux/sockios.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <sys/ioctl.h>

#include <chrono>
#include <stdexcept>

struct TTlsTestServer::TContext {
    SSL_CTX* Ctx = nullptr;
    ~TContext() { SSL_CTX_free(Ctx); }
};

namespace {

constexpr auto kLimit = std::chrono::seconds(10);

bool PastTheLimit(std::chrono::steady_clock::time_point since) { return std::chrono::steady_clock::now() - since > kLimit; }

// Sends the bytes in pieces; each piece waits until the one before has left
// the socket (acknowledged by the peer), bounded in time.
bool SendInPieces(int fd, const char* data, size_t size, size_t piece)
{
    const auto start = std::chrono::steady_clock::now();
    for (size_t at = 0; at < size;) {
        const size_t n = piece == 0 ? size - at : std::min(piece, size - at);
        const ssize_t sent = send(fd, data + at, n, MSG_NOSIGNAL);
        if (sent <= 0)
            return false;
        at += static_cast<size_t>(sent);
        int unsent = 1;
        while (piece != 0 && ioctl(fd, SIOCOUTQ, &unsent) == 0 && unsent > 0 && !PastTheLimit(start))
            std::this_thread::yield();
    }
    return true;
}

} // namespace

TTlsTestServer::TTlsTestServer(const certificates::Identity& identity) : FContext(std::make_unique<TContext>())
{
    FContext->Ctx = SSL_CTX_new(TLS_server_method());
    BIO* cert = BIO_new_mem_buf(identity.CertificatePem.data(), static_cast<int>(identity.CertificatePem.size()));
    BIO* key = BIO_new_mem_buf(identity.KeyPem.data(), static_cast<int>(identity.KeyPem.size()));
    X509* x509 = PEM_read_bio_X509(cert, nullptr, nullptr, nullptr);
    EVP_PKEY* pkey = PEM_read_bio_PrivateKey(key, nullptr, nullptr, nullptr);
    const bool ok = SSL_CTX_use_certificate(FContext->Ctx, x509) == 1 && SSL_CTX_use_PrivateKey(FContext->Ctx, pkey) == 1;
    X509_free(x509);
    EVP_PKEY_free(pkey);
    BIO_free(cert);
    BIO_free(key);
    if (!ok)
        throw std::runtime_error("test TLS server: unusable certificate");
    FListen = BoundLoopbackSocket(SOCK_STREAM, FPort);
    listen(FListen, 16);
    FThread = std::thread([this] { Run(); });
}

TTlsTestServer::~TTlsTestServer()
{
    FStop = true;
    FThread.join();
    close(FListen);
}

std::string TTlsTestServer::Url(const std::string& path) const
{
    return "https://127.0.0.1:" + std::to_string(FPort) + path;
}

void TTlsTestServer::SetReply(const TReply& reply)
{
    const std::lock_guard<std::mutex> guard(FLock);
    FReply = reply;
}

std::string TTlsTestServer::LastRequest() const
{
    const std::lock_guard<std::mutex> guard(FLock);
    return FLastRequest;
}

void TTlsTestServer::Run()
{
    while (!FStop) {
        pollfd p{FListen, POLLIN, 0};
        if (poll(&p, 1, 50) <= 0)
            continue;
        const int fd = accept4(FListen, nullptr, nullptr, SOCK_CLOEXEC);
        if (fd < 0)
            continue;
        const int one = 1;
        setsockopt(fd, IPPROTO_TCP, TCP_NODELAY, &one, sizeof one);
        timeval limit{10, 0};
        setsockopt(fd, SOL_SOCKET, SO_RCVTIMEO, &limit, sizeof limit);
        Serve(fd);
        close(fd);
    }
}

// The TLS library reads from and writes to memory, so this server chooses
// how its bytes leave, and can make its own TLS end fail.
void TTlsTestServer::Serve(int fd)
{
    TReply reply;
    {
        const std::lock_guard<std::mutex> guard(FLock);
        reply = FReply;
    }
    SSL* ssl = SSL_new(FContext->Ctx);
    BIO* in = BIO_new(BIO_s_mem());
    BIO* out = BIO_new(BIO_s_mem());
    SSL_set_bio(ssl, in, out);
    SSL_set_accept_state(ssl);
    auto flush = [&] {
        char buffer[32768];
        for (int n; (n = BIO_read(out, buffer, sizeof buffer)) > 0;)
            if (!SendInPieces(fd, buffer, static_cast<size_t>(n), reply.Piece))
                return false;
        return true;
    };
    auto fill = [&] {
        char buffer[16384];
        const ssize_t n = recv(fd, buffer, sizeof buffer, 0);
        if (n > 0)
            BIO_write(in, buffer, static_cast<int>(n));
        return n > 0;
    };
    // A step that waits for the peer reads more; any other failure ends the connection.
    auto step = [&](int result) {
        if (!flush())
            return false;
        return result > 0 || (SSL_get_error(ssl, result) == SSL_ERROR_WANT_READ && fill());
    };

    bool alive = true;
    int r = 0;
    while (alive && (r = SSL_do_handshake(ssl)) != 1)
        alive = step(r);
    std::string request;
    while (alive && request.find("\r\n\r\n") == std::string::npos) {
        char buffer[4096];
        r = SSL_read(ssl, buffer, sizeof buffer);
        if (r > 0)
            request.append(buffer, static_cast<size_t>(r));
        alive = step(r);
    }
    if (alive) {
        {
            const std::lock_guard<std::mutex> guard(FLock);
            FLastRequest = request;
        }
        for (size_t at = 0; alive && at < reply.Bytes.size();) {
            const size_t left = reply.Bytes.size() - at;
            r = SSL_write(ssl, reply.Bytes.data() + at, static_cast<int>(reply.Record ? std::min(reply.Record, left) : left));
            at += r > 0 ? static_cast<size_t>(r) : 0;
            alive = r > 0 && flush();
        }
    }
    if (alive && (reply.End == CloseNotify || reply.End == CloseNotifyThenBytes)) {
        SSL_shutdown(ssl);
        flush();
        const std::string after = "bytes after the end";
        if (reply.End == CloseNotifyThenBytes)
            SendInPieces(fd, after.data(), after.size(), reply.Piece);
    } else if (alive && reply.End == Alert) {
        // A record that fails its check makes this end send a fatal alert.
        const std::string forged = std::string("\x17\x03\x03\x00\x20", 5) + std::string(32, '\x5A');
        BIO_write(in, forged.data(), static_cast<int>(forged.size()));
        char buffer[64];
        SSL_read(ssl, buffer, sizeof buffer);
        flush();
    }
    ERR_clear_error();
    SSL_free(ssl);
    shutdown(fd, SHUT_WR);
    // The client closes once it has read everything.
    char drain[4096];
    while (recv(fd, drain, sizeof drain, 0) > 0) {
    }
}
