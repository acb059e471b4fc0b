#pragma once
#include <memory>
#include <string>

class TTlsContext;
struct ssl_st;

// One TLS client connection over a connected non-blocking descriptor. Every
// call does what the descriptor allows now and says what it waits for.
class TTlsSession {
public:
    enum TStep {
        tsDone,      // handshake over, or bytes moved
        tsWantRead,  // call again when the descriptor is readable
        tsWantWrite, // call again when it is writable
        tsClosed,    // the peer ended with close_notify
        tsCut,       // the peer closed without close_notify
        tsFailed,    // Failure() says why; the connection is unusable
    };

    // `host` is the name (or IPv4 address) the certificate must carry;
    // `caFile` an extra trusted CA file, empty for none.
    TTlsSession(int Fd, const std::string& Host, const std::string& Port, const std::string& CaFile);
    ~TTlsSession();
    TTlsSession(const TTlsSession&) = delete;
    TTlsSession& operator=(const TTlsSession&) = delete;

    TStep Handshake();
    // Count gets the bytes moved when the step is tsDone.
    TStep Read(void* Buffer, int Len, int& Count);
    TStep Write(const void* Data, int Len, int& Count);
    // Decrypted bytes held that the descriptor will not announce again.
    bool Pending() const;
    // The handshake took up a session kept from an earlier connection.
    bool Resumed() const;
    // Sends close_notify if the descriptor takes it now; never waits.
    void Shutdown();
    // The peer ended cleanly: its session stays good for resumption, though
    // no close_notify goes back to a peer that has gone.
    void KeepSession();
    const std::string& Failure() const { return FFailure; }

private:
    TStep Outcome(int Result, bool Handshaking);

    std::shared_ptr<TTlsContext> FContext;
    std::string FSessionKey;
    ssl_st* FSsl = nullptr;
    std::string FFailure;
};
