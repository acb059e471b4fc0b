#include "net/TlsSession.h"

#include "net/TlsContext.h"
#include "net/TlsReason.h"

#include <openssl/err.h>
#include <openssl/ssl.h>

#include <cerrno>
#include <cstring>

namespace {
// What a failed call leaves behind tells a failure from the peer's plain close.
void ClearErrors()
{
    ERR_clear_error();
    errno = 0;
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
    if (!FSsl || SSL_set_fd(FSsl, Fd) != 1) {
        FFailure = "TLS set-up failed";
        return;
    }
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
