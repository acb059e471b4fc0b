#include "net/TlsSession.h"

#include "net/TlsContext.h"
#include "net/TlsReason.h"

#include <openssl/err.h>
#include <openssl/ssl.h>

#include <cerrno>
#include <cstdint>
#include <cstring>
#include <sys/socket.h>

namespace {
// What a failed call leaves behind tells a failure from the peer's plain close.
void ClearErrors()
{
    ERR_clear_error();
    errno = 0;
}

// OpenSSL's own socket writes with write(2), so a peer that has gone would end
// the program with SIGPIPE. This one sends with MSG_NOSIGNAL, as the plain
// socket does: the write fails with EPIPE instead. Like OpenSSL's, it never
// closes the descriptor, and it marks the peer's end for the failure's reason.
int SocketOf(BIO* bio)
{
    return static_cast<int>(reinterpret_cast<intptr_t>(BIO_get_data(bio)));
}

bool Transient()
{
    return errno == EAGAIN || errno == EWOULDBLOCK || errno == EINTR;
}

int SocketWrite(BIO* bio, const char* data, int length)
{
    BIO_clear_retry_flags(bio);
    const ssize_t n = ::send(SocketOf(bio), data, static_cast<size_t>(length), MSG_NOSIGNAL);
    if (n < 0 && Transient())
        BIO_set_retry_write(bio);
    return static_cast<int>(n);
}

int SocketRead(BIO* bio, char* buffer, int length)
{
    BIO_clear_retry_flags(bio);
    const ssize_t n = ::recv(SocketOf(bio), buffer, static_cast<size_t>(length), 0);
    if (n < 0 && Transient())
        BIO_set_retry_read(bio);
    if (n == 0)
        BIO_set_flags(bio, BIO_FLAGS_IN_EOF);
    return static_cast<int>(n);
}

long SocketControl(BIO* bio, int command, long, void*)
{
    if (command == BIO_CTRL_FLUSH)
        return 1;
    if (command == BIO_CTRL_EOF)
        return BIO_test_flags(bio, BIO_FLAGS_IN_EOF) != 0;
    return 0;
}

BIO* NewSocketBio(int fd)
{
    static BIO_METHOD* const method = [] {
        BIO_METHOD* m = BIO_meth_new(BIO_get_new_index() | BIO_TYPE_SOURCE_SINK, "socket without SIGPIPE");
        if (m) {
            BIO_meth_set_write(m, SocketWrite);
            BIO_meth_set_read(m, SocketRead);
            BIO_meth_set_ctrl(m, SocketControl);
        }
        return m;
    }();
    BIO* bio = method ? BIO_new(method) : nullptr;
    if (bio) {
        BIO_set_data(bio, reinterpret_cast<void*>(static_cast<intptr_t>(fd)));
        BIO_set_init(bio, 1);
    }
    return bio;
}
}

TTlsSession::TTlsSession(int Fd, const std::string& Host, const std::string& Port, const std::string& CaFile)
    : FSessionKey(Host + ":" + Port)
{
    ERR_clear_error();
    FContext = TTlsContext::For(CaFile, FFailure);
    if (!FContext)
        return;
    FSsl = FContext->NewConnection(Host, FSessionKey);
    BIO* socket = FSsl ? NewSocketBio(Fd) : nullptr;
    if (!socket) {
        FFailure = "TLS set-up failed";
        return;
    }
    SSL_set_bio(FSsl, socket, socket);
    SSL_set_connect_state(FSsl);
}

TTlsSession::~TTlsSession()
{
    SSL_free(FSsl);
}

TTlsSession::TStep TTlsSession::Handshake()
{
    if (!FSsl)
        return tsFailed;
    ClearErrors();
    return Outcome(SSL_do_handshake(FSsl), true);
}

TTlsSession::TStep TTlsSession::Read(void* Buffer, int Len, int& Count)
{
    Count = 0;
    if (!FSsl)
        return tsFailed;
    ClearErrors();
    const int n = SSL_read(FSsl, Buffer, Len);
    if (n > 0) {
        Count = n;
        return tsDone;
    }
    return Outcome(n, false);
}

TTlsSession::TStep TTlsSession::Write(const void* Data, int Len, int& Count)
{
    Count = 0;
    if (!FSsl)
        return tsFailed;
    ClearErrors();
    const int n = SSL_write(FSsl, Data, Len);
    if (n > 0) {
        Count = n;
        return tsDone;
    }
    return Outcome(n, false);
}

bool TTlsSession::Pending() const
{
    return FSsl && SSL_pending(FSsl) > 0;
}

bool TTlsSession::Resumed() const
{
    return FSsl && SSL_session_reused(FSsl) == 1;
}

void TTlsSession::KeepSession()
{
    if (FSsl)
        SSL_set_shutdown(FSsl, SSL_get_shutdown(FSsl) | SSL_SENT_SHUTDOWN);
}

void TTlsSession::Shutdown()
{
    if (FSsl && SSL_is_init_finished(FSsl)) {
        ERR_clear_error();
        SSL_shutdown(FSsl);
        ERR_clear_error();
    }
}

TTlsSession::TStep TTlsSession::Outcome(int Result, bool Handshaking)
{
    const int error = SSL_get_error(FSsl, Result);
    switch (error) {
    case SSL_ERROR_NONE:
        return tsDone;
    case SSL_ERROR_WANT_READ:
        return tsWantRead;
    case SSL_ERROR_WANT_WRITE:
        return tsWantWrite;
    case SSL_ERROR_ZERO_RETURN:
        return tsClosed;
    default:
        break;
    }
    const unsigned long queued = ERR_peek_error();
    ERR_clear_error();
    const bool eof = (error == SSL_ERROR_SYSCALL && queued == 0 && errno == 0) ||
                     (ERR_GET_LIB(queued) == ERR_LIB_SSL && ERR_GET_REASON(queued) == SSL_R_UNEXPECTED_EOF_WHILE_READING);
    if (eof && !Handshaking)
        return tsCut;
    if (error == SSL_ERROR_SYSCALL && queued == 0 && !eof)
        FFailure = std::string("TLS connection failed: ") + std::strerror(errno);
    else
        FFailure = TlsFailureReason(queued, SSL_get_verify_result(FSsl));
    return tsFailed;
}
