// Drives the client side of the TLS layer (TTlsSession) over a loopback TCP
// connection. The server is OpenSSL in this process on memory buffers, so
// every byte it sends passes the harness, where the input may alter it or
// add bytes of its own; the certificates are made at start.
//
// Input: byte 0 sets up: bits 0-2 the server (0: a certificate for the host
// from the trusted CA; 1 expired; 2 not yet valid; 3 self-signed; 4 for
// another host; 5 from a CA nobody trusts; 6 none: the input plays the
// server; 7 a CA file that cannot be read); bit 3 the host by its IPv4
// address; bit 4 a server that stops at TLS 1.2; bit 5 a clean connection
// first, whose session the next one resumes; bit 6 the server sends its
// issuer's certificate too; bit 7 the server reads nothing after the
// handshake, and the sockets' buffers are small. Then steps, a byte each and
// its arguments, each followed by moving bytes until none move:
//   0 n    the server sends n bytes of the input (raw without a server)
//   1 k v  byte k (two bytes) of all the server sends is xored with v
//   2 n    n bytes of the input go to the client as they are
//   3 n    the client reads into n+1 bytes
//   4 n    the client writes n+1 bytes
//   5      the server sends close_notify
//   6 r    the server's end closes; with a reset when r is odd
//   7      the client shuts its side down
// Whatever the server sends unaltered is read unaltered; a handshake that
// nothing disturbs succeeds with a good certificate and fails with the
// reason for a bad one; a failure always says why.
#include "../FuzzCheck.h"
#include "net/TlsSession.h"
#include "sampleweb/certificates/Certificates.h"

#include <openssl/bio.h>
#include <openssl/pem.h>
#include <openssl/rand.h>
#include <openssl/ssl.h>

#include <algorithm>
#include <arpa/inet.h>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <memory>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <string>
#include <sys/socket.h>
#include <unistd.h>

namespace {

enum TServer { svGood, svExpired, svNotYet, svSelfSigned, svOtherHost, svUnknownCa, svNone, svNoCaFile };

const char* const kExpectedFailure[] = {"", "certificate has expired", "certificate is not yet valid",
                                        "self-signed certificate", "host name mismatch", "unknown CA"};

struct TIdentity {
    X509* Cert = nullptr;
    EVP_PKEY* Key = nullptr;
    X509* Issuer = nullptr; // null for a self-signed one
};

TIdentity gIdentities[6];
std::string gCaFile;
int gListen = -1;
sockaddr_in gAddress{};

X509* ReadCertificate(const std::string& pem)
{
    BIO* bio = BIO_new_mem_buf(pem.data(), static_cast<int>(pem.size()));
    X509* cert = PEM_read_bio_X509(bio, nullptr, nullptr, nullptr);
    BIO_free(bio);
    Check(cert != nullptr);
    return cert;
}

TIdentity Load(const certificates::Identity& identity, const certificates::Identity* issuer)
{
    BIO* key = BIO_new_mem_buf(identity.KeyPem.data(), static_cast<int>(identity.KeyPem.size()));
    TIdentity loaded{ReadCertificate(identity.CertificatePem), PEM_read_bio_PrivateKey(key, nullptr, nullptr, nullptr),
                     issuer ? ReadCertificate(issuer->CertificatePem) : nullptr};
    BIO_free(key);
    Check(loaded.Key != nullptr);
    return loaded;
}

// A connected pair of non-blocking loopback TCP sockets.
bool Connect(int& client, int& server)
{
    client = socket(AF_INET, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
    if (connect(client, reinterpret_cast<const sockaddr*>(&gAddress), sizeof gAddress) != 0 && errno != EINPROGRESS) {
        close(client);
        return false;
    }
    server = accept4(gListen, nullptr, nullptr, SOCK_NONBLOCK | SOCK_CLOEXEC);
    // Every piece goes out at once: what one side sent is there for the other to read.
    const int one = 1;
    setsockopt(client, IPPROTO_TCP, TCP_NODELAY, &one, sizeof one);
    setsockopt(server, IPPROTO_TCP, TCP_NODELAY, &one, sizeof one);
    return server >= 0;
}

class TInput {
public:
    TInput(const uint8_t* data, size_t size) : FData(data), FSize(size) {}
    bool Empty() const { return FAt >= FSize; }
    uint8_t Byte() { return FAt < FSize ? FData[FAt++] : 0; }
    std::string Bytes(size_t n)
    {
        n = std::min(n, FSize - FAt);
        std::string bytes(reinterpret_cast<const char*>(FData + FAt), n);
        FAt += n;
        return bytes;
    }

private:
    const uint8_t* FData;
    size_t FSize;
    size_t FAt = 0;
};

// One connection: the session under test, its socket, the server's end.
class TConnection {
public:
    TConnection(SSL_CTX* serverCtx, const std::string& host, bool trusted, bool deaf = false)
        : FRaw(!serverCtx), FTrusted(trusted), FDeaf(deaf)
    {
        Check(Connect(FClientFd, FServerFd));
        if (deaf) { // the client's writes soon wait for room
            const int small = 4096;
            setsockopt(FClientFd, SOL_SOCKET, SO_SNDBUF, &small, sizeof small);
            setsockopt(FServerFd, SOL_SOCKET, SO_RCVBUF, &small, sizeof small);
        }
        FTls = std::make_unique<TTlsSession>(FClientFd, host, "443", gCaFile);
        if (serverCtx) {
            FServer = SSL_new(serverCtx);
            SSL_set_bio(FServer, BIO_new(BIO_s_mem()), BIO_new(BIO_s_mem()));
            SSL_set_accept_state(FServer);
        }
    }
    ~TConnection()
    {
        SSL_free(FServer);
        close(FClientFd);
        if (FServerFd >= 0)
            close(FServerFd);
    }

    TTlsSession& Tls() { return *FTls; }
    bool Altered() const { return FAltered; }
    bool Interrupted() const { return FInterrupted; }
    bool HandshakeDone() const { return FHandshake == TTlsSession::tsDone; }
    bool HandshakeFailed() const { return FHandshake == TTlsSession::tsFailed; }

    void Flip(uint16_t at, uint8_t value)
    {
        if (value != 0)
            FFlips[at] ^= value;
    }

    void ServerSends(const std::string& bytes)
    {
        if (FRaw)
            Inject(bytes);
        else if (FServerFd >= 0 && !bytes.empty() && SSL_is_init_finished(FServer) &&
                 SSL_write(FServer, bytes.data(), static_cast<int>(bytes.size())) > 0)
            FSent += bytes;
    }

    void Inject(const std::string& bytes)
    {
        if (bytes.empty() || FServerFd < 0)
            return;
        FAltered = true;
        (void)send(FServerFd, bytes.data(), bytes.size(), MSG_NOSIGNAL);
    }

    void CloseNotify()
    {
        if (FServer && FServerFd >= 0 && SSL_is_init_finished(FServer) && SSL_shutdown(FServer) >= 0)
            FCloseNotified = true;
    }

    void Cut(bool reset)
    {
        if (FServerFd < 0)
            return;
        if (!HandshakeDone())
            FInterrupted = true;
        if (reset) {
            const linger abort{1, 0};
            setsockopt(FServerFd, SOL_SOCKET, SO_LINGER, &abort, sizeof abort);
        }
        FReset = reset || FDeaf; // closing on bytes never read resets too
        close(FServerFd);
        FServerFd = -1;
        FCut = true;
    }

    // The socket layer reads and writes only between a finished handshake and
    // the end of the connection, and after shutting down it closes.
    void Read(int room)
    {
        if (!HandshakeDone() || FEnded)
            return;
        char buffer[256];
        int count = -1;
        const TTlsSession::TStep step = FTls->Read(buffer, room, count);
        Check(step == TTlsSession::tsDone ? count > 0 && count <= room : count == 0);
        // Bytes said to be held are there without the descriptor's help.
        if (FHeld)
            Check(step == TTlsSession::tsDone);
        CheckStep(step);
        FHeld = step == TTlsSession::tsDone && FTls->Pending();
        if (step == TTlsSession::tsDone)
            FReceived.append(buffer, static_cast<size_t>(count));
        if (step == TTlsSession::tsClosed)
            FTls->KeepSession(); // as the socket does: the session stays good for the next connection
        if (!FTrusted || FAltered || FReset)
            return;
        // What came is what the server sent, in order, and its end is told as it happened.
        Check(FSent.compare(0, FReceived.size(), FReceived) == 0);
        if (step == TTlsSession::tsClosed)
            Check(FCloseNotified && FReceived == FSent);
        if (step == TTlsSession::tsCut)
            Check(FCut && !FCloseNotified && FReceived == FSent);
        Check(step != TTlsSession::tsFailed);
    }

    void Write(int length)
    {
        if (!HandshakeDone() || FEnded)
            return;
        const std::string bytes(static_cast<size_t>(length), 'w');
        int count = -1;
        const TTlsSession::TStep step = FTls->Write(bytes.data(), length, count);
        Check(step == TTlsSession::tsDone ? count > 0 && count <= length : count == 0);
        CheckStep(step);
        if (step == TTlsSession::tsDone)
            FWritten.append(bytes, 0, static_cast<size_t>(count));
    }

    void Shutdown()
    {
        if (!HandshakeDone() || FEnded)
            return;
        FTls->Shutdown();
        FEnded = true;
    }

    // Moves bytes both ways and steps both handshakes until nothing moves.
    void Pump()
    {
        for (int round = 0; round < 64; ++round) {
            if (FHandshake == TTlsSession::tsWantRead || FHandshake == TTlsSession::tsWantWrite) {
                FHandshake = FTls->Handshake();
                Check(FHandshake != TTlsSession::tsCut);
                CheckStep(FHandshake);
            }
            bool moved = false;
            char buffer[16384];
            ssize_t n;
            const bool listening = !(FDeaf && HandshakeDone());
            while (listening && FServerFd >= 0 && (n = recv(FServerFd, buffer, sizeof buffer, MSG_DONTWAIT)) > 0) {
                moved = true;
                if (FServer)
                    BIO_write(SSL_get_rbio(FServer), buffer, static_cast<int>(n));
            }
            if (FServer) {
                if (!SSL_is_init_finished(FServer))
                    SSL_do_handshake(FServer);
                while (SSL_is_init_finished(FServer) && (n = SSL_read(FServer, buffer, sizeof buffer)) > 0)
                    FServerGot.append(buffer, static_cast<size_t>(n));
                // The client's bytes arrive as it wrote them.
                Check(FWritten.compare(0, FServerGot.size(), FServerGot) == 0);
                moved |= Flush();
            }
            if (!moved)
                break;
        }
    }

private:
    void CheckStep(TTlsSession::TStep step)
    {
        if (step == TTlsSession::tsFailed)
            Check(!FTls->Failure().empty());
        if (step == TTlsSession::tsFailed || step == TTlsSession::tsClosed || step == TTlsSession::tsCut)
            FEnded = true;
    }

    // Sends what the server wrote, with the input's alterations.
    bool Flush()
    {
        BIO* out = SSL_get_wbio(FServer);
        const int pending = static_cast<int>(BIO_pending(out));
        if (pending <= 0)
            return false;
        std::string bytes(static_cast<size_t>(pending), '\0');
        BIO_read(out, bytes.data(), pending);
        for (auto flip = FFlips.lower_bound(FStreamAt); flip != FFlips.end() && flip->first < FStreamAt + bytes.size();
             ++flip) {
            bytes[flip->first - FStreamAt] = static_cast<char>(bytes[flip->first - FStreamAt] ^ flip->second);
            FAltered = true;
        }
        FStreamAt += bytes.size();
        if (FServerFd >= 0)
            (void)send(FServerFd, bytes.data(), bytes.size(), MSG_NOSIGNAL);
        return true;
    }

    bool FRaw;
    bool FTrusted; // a good certificate: the handshake must succeed
    bool FDeaf;
    int FClientFd = -1, FServerFd = -1;
    std::unique_ptr<TTlsSession> FTls;
    SSL* FServer = nullptr;
    TTlsSession::TStep FHandshake = TTlsSession::tsWantRead;
    std::map<size_t, uint8_t> FFlips;
    size_t FStreamAt = 0;
    std::string FSent, FReceived, FWritten, FServerGot;
    bool FAltered = false, FInterrupted = false, FCloseNotified = false, FCut = false, FReset = false, FEnded = false;
    bool FHeld = false;
};

// The server's settings, made once per certificate and protocol range (making
// them costs more than a handshake). Its ticket keys are new for each input,
// so only a session of the same input resumes.
SSL_CTX* ServerContext(int identity, bool upToTls12, bool withIssuer)
{
    static SSL_CTX* contexts[6][2][2] = {};
    SSL_CTX*& ctx = contexts[identity][upToTls12][withIssuer];
    if (!ctx) {
        ctx = SSL_CTX_new(TLS_server_method());
        Check(ctx && SSL_CTX_use_certificate(ctx, gIdentities[identity].Cert) == 1 &&
              SSL_CTX_use_PrivateKey(ctx, gIdentities[identity].Key) == 1);
        if (withIssuer && gIdentities[identity].Issuer)
            Check(SSL_CTX_add1_chain_cert(ctx, gIdentities[identity].Issuer) == 1);
        SSL_CTX_set_session_cache_mode(ctx, SSL_SESS_CACHE_OFF);
        if (upToTls12)
            SSL_CTX_set_max_proto_version(ctx, TLS1_2_VERSION);
    }
    unsigned char keys[80];
    Check(RAND_bytes(keys, sizeof keys) == 1 && SSL_CTX_set_tlsext_ticket_keys(ctx, keys, sizeof keys) == 1);
    return ctx;
}

// A connection nothing disturbs, ended by close_notify: its session is kept.
void CleanConnection(SSL_CTX* serverCtx, const std::string& host)
{
    TConnection c(serverCtx, host, true);
    c.Pump();
    Check(c.HandshakeDone());
    c.ServerSends("x");
    c.CloseNotify();
    c.Pump();
    c.Read(1);
    c.Read(1);
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    using namespace certificates;
    const Identity ca = MakeCa("Fuzz CA");
    const Identity stranger = MakeCa("Stranger CA");
    const std::vector<std::string> names = {"tls.test", "127.0.0.1"};
    gIdentities[svGood] = Load(MakeLeaf(names, &ca), &ca);
    gIdentities[svExpired] = Load(MakeLeaf(names, &ca, {-7200, -3600}), &ca);
    gIdentities[svNotYet] = Load(MakeLeaf(names, &ca, {3600, 7200}), &ca);
    gIdentities[svSelfSigned] = Load(MakeLeaf(names, nullptr), nullptr);
    gIdentities[svOtherHost] = Load(MakeLeaf({"elsewhere.test", "127.0.0.2"}, &ca), &ca);
    gIdentities[svUnknownCa] = Load(MakeLeaf(names, &stranger), &stranger);
    char folder[] = "/tmp/tls-fuzz-XXXXXX";
    Check(mkdtemp(folder) != nullptr);
    gCaFile = std::string(folder) + "/ca.pem";
    WritePem(gCaFile, ca.CertificatePem);
    std::atexit([] {
        std::error_code ignored;
        std::filesystem::remove_all(std::filesystem::path(gCaFile).parent_path(), ignored);
    });

    gListen = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    gAddress.sin_family = AF_INET;
    gAddress.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof gAddress;
    Check(bind(gListen, reinterpret_cast<sockaddr*>(&gAddress), sizeof gAddress) == 0 && listen(gListen, 16) == 0 &&
          getsockname(gListen, reinterpret_cast<sockaddr*>(&gAddress), &length) == 0);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    TInput in(data, size);
    const uint8_t setup = in.Byte();
    const int server = setup & 7;
    const std::string host = setup & 8 ? "127.0.0.1" : "tls.test";
    if (server == svNoCaFile) {
        TTlsSession tls(-1, host, "443", gCaFile + ".missing");
        Check(tls.Handshake() == TTlsSession::tsFailed && tls.Failure().starts_with("cannot read the CA file"));
        return 0;
    }
    SSL_CTX* serverCtx = server == svNone ? nullptr : ServerContext(server, setup & 16, setup & 64);
    const bool resume = (setup & 32) && server == svGood;
    if (resume)
        CleanConnection(serverCtx, host);
    {
        TConnection c(serverCtx, host, server == svGood, setup & 128);
        while (!in.Empty()) {
            switch (in.Byte() & 7) {
            case 0:
                c.ServerSends(in.Bytes(in.Byte()));
                break;
            case 1: {
                const uint8_t high = in.Byte();
                const uint16_t at = static_cast<uint16_t>(high << 8 | in.Byte());
                c.Flip(at, in.Byte());
                break;
            }
            case 2:
                c.Inject(in.Bytes(in.Byte()));
                break;
            case 3:
                c.Read(in.Byte() + 1);
                break;
            case 4:
                c.Write(in.Byte() + 1);
                break;
            case 5:
                c.CloseNotify();
                break;
            case 6:
                c.Cut(in.Byte() & 1);
                break;
            case 7:
                c.Shutdown();
                break;
            }
            c.Pump();
        }
        c.Pump();
        if (server != svNone && !c.Altered() && !c.Interrupted()) {
            if (server == svGood) {
                Check(c.HandshakeDone());
                if (resume)
                    Check(c.Tls().Resumed());
            } else {
                // A CA nobody trusts, sent along, is a self-signed certificate in the chain.
                const bool chain = server == svUnknownCa && (setup & 64);
                Check(c.HandshakeFailed() &&
                      c.Tls().Failure() == (chain ? "self-signed certificate" : kExpectedFailure[server]));
            }
        }
    }
    return 0;
}
