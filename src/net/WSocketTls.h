#pragma once
#include "net/LayerErrors.h"
#include "net/WSocketSocks.h"

#include <memory>
#include <string>

class TTlsSession;

// The TLS client layer: once connected (through SOCKS as well), StartTls
// runs the handshake on the socket's own events, checks the certificate
// chain against the system's trust store and TlsCaFile and checks the host
// name; OnTlsDone reports the outcome. After it, Send and Receive carry
// plain bytes over TLS. A failure arrives as OnTlsDone with
// WSOCKET_TLS_FAILED, then the close with the same number. Without
// StartTls the layer is transparent.
class TCustomTlsWSocket : public TCustomSocksWSocket {
public:
    TCustomTlsWSocket();
    ~TCustomTlsWSocket() override;

    void Connect() override;
    // `Host` is what the certificate must name: a host name or an IPv4 address.
    void StartTls(const std::string& Host);

    // A PEM file of one more trusted CA; empty for the system's store only.
    const std::string& TlsCaFile() const { return FTlsCaFile; }
    void SetTlsCaFile(const std::string& Value) { FTlsCaFile = Value; }
    bool TlsActive() const { return FTlsState != tlsOff; }
    bool TlsHandshaking() const { return FTlsState == tlsHandshaking; }
    // Why TLS failed on the last connection; empty when it did not.
    const std::string& TlsFailure() const { return FTlsFailure; }
    // The peer ended the last TLS connection with close_notify: what came is whole.
    bool TlsCloseNotified() const { return FTlsCloseNotified; }
    // The last handshake resumed an earlier session with the host.
    bool TlsResumed() const { return FTlsResumed; }

    TSessionConnected OnTlsDone;

protected:
    void ResetDefaults() override;
    void CloseSocketInternal(bool ShutdownFirst, uint16_t Error) override;
    bool FireDataAvailable(uint16_t Error) override;
    void FireDataSent(uint16_t Error) override;
    void FireSessionClosed(uint16_t Error) override;
    int RecvRaw(void* Buffer, int Len, int Flags) override;
    int SendChunk(const void* Data, int Len) override;
    bool BytesHeld() const override;
    virtual void FireTlsDone(uint16_t Error);

private:
    enum TTlsState { tlsOff, tlsHandshaking, tlsUp, tlsEnded };

    // The one way the TLS state changes.
    void SetTlsState(TTlsState Value);
    void HandshakeStep();
    void FailTls(const std::string& Reason);
    // Takes a read's outcome on an established connection; the bytes moved or -1.
    int ReadOutcome(int Step, int Count);
    // A read once the TLS stream has ended: the end of data.
    int ReadAfterEnd();

    std::unique_ptr<TTlsSession> FTls;
    TTlsState FTlsState = tlsOff;
    std::string FTlsCaFile;
    std::string FTlsFailure;
    bool FTlsCloseNotified = false;
    bool FTlsResumed = false;
    bool FReadPosted = false;
};
