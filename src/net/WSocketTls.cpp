#include "net/WSocketTls.h"

#include "net/TlsSession.h"

TCustomTlsWSocket::TCustomTlsWSocket() = default;

TCustomTlsWSocket::~TCustomTlsWSocket() = default;

void TCustomTlsWSocket::Connect()
{
    FTlsFailure.clear();
    FTlsCloseNotified = false;
    TCustomSocksWSocket::Connect();
}

void TCustomTlsWSocket::StartTls(const std::string& Host)
{
    if (State() != wsConnected || Handle() == INVALID_SOCKET || FTlsState != tlsOff || SocksBusy()) {
        ReportError("TLS can start only on an established connection");
        return;
    }
    FTlsFailure.clear();
    FTlsCloseNotified = false;
    FTlsResumed = false;
    FReadPosted = false;
    FTls = std::make_unique<TTlsSession>(Handle(), Host, Port(), FTlsCaFile);
    SetTlsState(tlsHandshaking);
    if (!FTls->Failure().empty()) {
        FailTls(FTls->Failure());
        return;
    }
    HandshakeStep();
}

void TCustomTlsWSocket::HandshakeStep()
{
    const TTlsSession::TStep step = FTls->Handshake();
    NoteRawRead();
    switch (step) {
    case TTlsSession::tsDone:
        SetTlsState(tlsUp);
        FTlsResumed = FTls->Resumed();
        if (!InTurn([&] { FireTlsDone(0); }) || Handle() == INVALID_SOCKET)
            return;
        // What was sent meanwhile, and data that came with the last handshake record.
        if (InTurn([&] { TryToSend(); }) && FTls && FTls->Pending())
            PostReadEvent();
        return;
    case TTlsSession::tsWantRead:
        return;
    case TTlsSession::tsWantWrite:
        ArmWrite();
        return;
    case TTlsSession::tsFailed:
        FailTls(FTls->Failure());
        return;
    default:
        FailTls("connection closed during the TLS handshake");
        return;
    }
}

void TCustomTlsWSocket::FailTls(const std::string& Reason)
{
    FTlsFailure = Reason;
    SetTlsState(tlsEnded);
    if (InTurn([&] { FireTlsDone(WSOCKET_TLS_FAILED); }))
        CloseSocketInternal(false, WSOCKET_TLS_FAILED);
}

bool TCustomTlsWSocket::FireDataAvailable(uint16_t Error)
{
    FReadPosted = false;
    if (FTlsState == tlsHandshaking) {
        HandshakeStep();
        return true;
    }
    if (FTlsState == tlsOff)
        return TCustomSocksWSocket::FireDataAvailable(Error);
    bool handled = false;
    // An alert ended the connection while the user read: close it now.
    if (InTurn([&] { handled = TCustomSocksWSocket::FireDataAvailable(Error); }) && !FTlsFailure.empty() &&
        Handle() != INVALID_SOCKET)
        CloseSocketInternal(false, WSOCKET_TLS_FAILED);
    return handled;
}

void TCustomTlsWSocket::FireDataSent(uint16_t Error)
{
    if (FTlsState == tlsHandshaking) {
        HandshakeStep();
        return;
    }
    TCustomSocksWSocket::FireDataSent(Error);
}

void TCustomTlsWSocket::FireSessionClosed(uint16_t Error)
{
    TCustomSocksWSocket::FireSessionClosed(FTlsFailure.empty() ? Error : WSOCKET_TLS_FAILED);
}

int TCustomTlsWSocket::RecvRaw(void* Buffer, int Len, int Flags)
{
    if (FTlsState == tlsOff)
        return TCustomSocksWSocket::RecvRaw(Buffer, Len, Flags);
    if (FTlsState == tlsEnded && FTlsFailure.empty())
        return ReadAfterEnd();
    if (FTlsState != tlsUp) {
        WSASetLastError(FTlsState == tlsHandshaking ? WSAEWOULDBLOCK : WSAECONNRESET);
        return -1;
    }
    int count = 0;
    const TTlsSession::TStep step = FTls->Read(Buffer, Len, count);
    NoteRawRead();
    return ReadOutcome(step, count);
}

int TCustomTlsWSocket::ReadAfterEnd()
{
    // The socket itself is still read, as every receive does: that re-enables
    // the readiness that tells the connection's own close, which would
    // otherwise go unseen after a read that found nothing. Whatever follows
    // close_notify is no data of the stream, and is dropped.
    char scrap[4096];
    TCustomSocksWSocket::RecvRaw(scrap, sizeof scrap, 0);
    return 0;
}

int TCustomTlsWSocket::ReadOutcome(int Step, int Count)
{
    switch (Step) {
    case TTlsSession::tsDone:
        // The rest of a record waits inside TLS, where no readiness announces it.
        if (FTls->Pending() && !FReadPosted) {
            FReadPosted = true;
            PostReadEvent();
        }
        return Count;
    case TTlsSession::tsWantWrite:
        ArmWrite();
        [[fallthrough]];
    case TTlsSession::tsWantRead:
        WSASetLastError(WSAEWOULDBLOCK);
        return -1;
    case TTlsSession::tsClosed:
        FTls->KeepSession();
        FTlsCloseNotified = true;
        SetTlsState(tlsEnded);
        return 0;
    case TTlsSession::tsCut:
        SetTlsState(tlsEnded);
        return 0;
    default:
        FTlsFailure = FTls->Failure();
        SetTlsState(tlsEnded);
        WSASetLastError(WSAECONNRESET);
        return -1;
    }
}

int TCustomTlsWSocket::SendChunk(const void* Data, int Len)
{
    if (FTlsState == tlsOff)
        return TCustomSocksWSocket::SendChunk(Data, Len);
    if (FTlsState == tlsHandshaking)
        return 0; // sent once the handshake is over
    if (FTlsState != tlsUp) {
        WSASetLastError(WSAECONNRESET);
        return -1;
    }
    int count = 0;
    switch (FTls->Write(Data, Len, count)) {
    case TTlsSession::tsDone:
        if (count < Len)
            ArmWrite();
        return count;
    case TTlsSession::tsWantWrite:
        ArmWrite();
        [[fallthrough]];
    case TTlsSession::tsWantRead:
        WSASetLastError(WSAEWOULDBLOCK);
        return -1;
    case TTlsSession::tsFailed:
        FTlsFailure = FTls->Failure();
        [[fallthrough]];
    default:
        SetTlsState(tlsEnded);
        WSASetLastError(WSAECONNRESET);
        return -1;
    }
}

bool TCustomTlsWSocket::BytesHeld() const
{
    return FTlsState == tlsUp && FTls->Pending();
}

void TCustomTlsWSocket::CloseSocketInternal(bool ShutdownFirst, uint16_t Error)
{
    if (FTlsState == tlsUp && ShutdownFirst && Handle() != INVALID_SOCKET)
        FTls->Shutdown();
    TCustomSocksWSocket::CloseSocketInternal(ShutdownFirst, Error);
}

void TCustomTlsWSocket::ResetDefaults()
{
    TCustomSocksWSocket::ResetDefaults();
    FTls.reset();
    SetTlsState(tlsOff);
    FReadPosted = false;
}

void TCustomTlsWSocket::SetTlsState(TTlsState Value) { FTlsState = Value; }

void TCustomTlsWSocket::FireTlsDone(uint16_t Error)
{
    CallHandler(OnTlsDone, this, Error);
}
