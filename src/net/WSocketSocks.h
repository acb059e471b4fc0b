#pragma once
#include "net/SocksExchange.h"
#include "net/WSocketCore.h"

#include <memory>

using TSocksErrorEvent =
    std::function<void(TCustomWSocket* Sender, int Error, const std::string& Msg)>;
using TSocksAuthStateEvent = std::function<void(TCustomWSocket* Sender, TSocksAuthState AuthState)>;

// A version 4 destination looked up on the event loop (wParam lookup handle).
constexpr uint32_t WM_SOCKET_SOCKS_LOOKUP = WM_USER + 4;

// The SOCKS client layer: with SocksServer set, Connect goes to the server
// and asks it for a TCP connection to Addr:Port (levels 4, 4A and 5, with
// user name and password for 5). The user's OnSessionConnected waits until
// the server has granted it; a failure arrives as OnSocksError, then
// OnSessionConnected with the same code, then the close. With SocksServer
// empty the layer is transparent. Server settings are cleared by every close.
class TCustomSocksWSocket : public TCustomWSocket {
public:
    TCustomSocksWSocket();
    ~TCustomSocksWSocket() override;

    void Connect() override;
    void Listen() override;

    const std::string& SocksServer() const { return FSocksServer; }
    virtual void SetSocksServer(const std::string& Value);
    const std::string& SocksPort() const { return FSocksPort; }
    virtual void SetSocksPort(const std::string& Value);
    const std::string& SocksLevel() const { return FSocksLevel; }
    void SetSocksLevel(const std::string& Value);
    const std::string& SocksUsercode() const { return FSocksUsercode; }
    void SetSocksUsercode(const std::string& Value) { FSocksUsercode = Value; }
    const std::string& SocksPassword() const { return FSocksPassword; }
    void SetSocksPassword(const std::string& Value) { FSocksPassword = Value; }
    TSocksAuthentication SocksAuthentication() const { return FSocksAuthentication; }
    void SetSocksAuthentication(TSocksAuthentication Value) { FSocksAuthentication = Value; }
    // Address and port the server reported for a version 5 connection.
    const std::string& BoundAddr() const { return FBoundAddr; }
    const std::string& BoundPort() const { return FBoundPort; }

    TSessionConnected OnSocksConnected;
    TSocksErrorEvent OnSocksError;
    TSocksAuthStateEvent OnSocksAuthState;

protected:
    void WndProc(const TMessage& Msg) override;
    void ResetDefaults() override;
    bool FireDataAvailable(uint16_t Error) override;
    void FireSessionConnected(uint16_t Error) override;
    void FireSessionClosed(uint16_t Error) override;
    virtual void FireSocksConnected(uint16_t Error);
    virtual void FireSocksError(int Error, const std::string& Msg);
    // The SOCKS exchange is under way: received bytes are the server's replies.
    bool SocksBusy() const { return FExchange && FExchange->State() != TSocksExchange::Finished; }

private:
    std::string FSocksServer;
    std::string FSocksLevel = "5";
    std::string FSocksPort;
    bool FSocksServerAssigned = false;
    std::string FSocksUsercode;
    std::string FSocksPassword;
    TSocksAuthentication FSocksAuthentication = socksNoAuthentication;
    std::string FBoundAddr;
    std::string FBoundPort;

    void SocksResetDefaults();
    void CancelSocksLookup();
    void StartLevel4();
    void Level4LookupDone(const TMessage& Msg);
    void Level4LookupFailed(const std::string& Msg);
    // Carries out one step of the exchange: events, the request, the end.
    void Carry(const TSocksStep& Step);
    TSocksStep FailureStep(int Error, const std::string& Text) const;
    void FireSocksAuthState(TSocksAuthState AuthState);
    bool Authenticating() const { return FExchange && FExchange->State() == TSocksExchange::WaitAuth; }

    uint16_t FSocksDestPort = 0;
    // From a connect under way through the server until the next close or failure.
    std::unique_ptr<TSocksExchange> FExchange;
    uintptr_t FSocksLookup = 0;
};
