#include "net/HttpCli.h"

#include "net/HttpDocFileName.h"
#include "net/HttpUrl.h"
#include "net/Ignoring.h"
#include "platform/AnsiCase.h"
#include "platform/ErrorLog.h"

namespace {
const char* const kAbortedText = "Connection aborted on request";
}

THttpCli::THttpCli()
    : FCtrlSocket(std::make_unique<TWSocket>()),
      FWindow(std::make_unique<TMessageWindow>([this](const TMessage& m) { WndProc(m); }))
{
    FCtrlSocket->OnDnsLookupDone = [this](TCustomWSocket*, uint16_t e) { SocketDnsLookupDone(e); };
    FCtrlSocket->OnSessionConnected = [this](TCustomWSocket*, uint16_t e) { SocketSessionConnected(e); };
    FCtrlSocket->OnDataAvailable = [this](TCustomWSocket*, uint16_t e) { SocketDataAvailable(e); };
    FCtrlSocket->OnDataSent = [this](TCustomWSocket*, uint16_t) { SendPostBlock(); };
    FCtrlSocket->OnSocksError = [this](TCustomWSocket*, int e, const std::string& m) {
        FSocksErrorText = m + " (Error #" + std::to_string(e) + ")";
    };
    FCtrlSocket->OnTlsDone = [this](TCustomWSocket*, uint16_t e) { SocketTlsDone(e); };
    BindSessionClosed();
}

THttpCli::~THttpCli()
{
    // The socket closes without events; what is still posted dies with the window.
    FCtrlSocket.reset();
    FWindow.reset();
}

void THttpCli::Post(uint32_t Msg)
{
    FWindow->PostMessage(Msg, FRequestSerial);
}

void THttpCli::BindSessionClosed()
{
    FCtrlSocket->OnSessionClosed = [this](TCustomWSocket*, uint16_t e) { SocketSessionClosed(e); };
}

void THttpCli::WndProc(const TMessage& Msg)
{
    if (IsStaleMessage(Msg.WParam, FRequestSerial))
        return;
    // Nothing may escape into the event loop; like the socket's receive
    // loop, a failing handler only ends what it was doing.
    Ignoring([&] {
        switch (Msg.Msg) {
        case WM_HTTP_DONE:
            if (!FTlsFailure.empty())
                ErrorLog::Append("TLS: " + URL + " - " + FTlsFailure);
            CallHandler(OnRequestDone, this, FRequestType, FRequestDoneError);
            break;
        case WM_HTTP_READY:
            StateChange(hsReady);
            break;
        case WM_HTTP_RESUME:
            FBurstBytes = 0;
            if (FYielded) {
                FYielded = false;
                SocketDataAvailable(0);
            }
            break;
        case WM_HTTP_RELOCATE:
            if (FHttpState != hsReady && FHttpState != hsAborting)
                Relocate();
            break;
        default:
            break;
        }
    });
}

void THttpCli::StateChange(THttpState NewState)
{
    if (NewState == FHttpState)
        return;
    FHttpState = NewState;
    const TAliveWatch going = FRequest.Watch();
    CallHandler(OnStateChange, this);
    if (!going)
        return;
    if (NewState == hsReady)
        Post(WM_HTTP_DONE);
}

void THttpCli::StartRequest(THttpRequest Request)
{
    if (FHttpState != hsReady)
        throw EHttpException("HTTP component is busy", hcBusy);
    if (Request == rqPost && !SendStream)
        throw EHttpException("HTTP component has nothing to post", hcNothingToPost);

    FRequest.Renew();
    ++FRequestSerial;
    FHeaderLines.clear();
    FRequestType = Request;
    FRequestDoneError = 0;
    BindSessionClosed();
    FDocFileName.clear();
    FReader.NewRequest();
    FReceivedBytes = 0;
    FSentBytes = 0;
    FBodyLineCount = 0;
    FAllowedToSend = false;
    FBurstBytes = 0;
    FYielded = false;
    FTunnelWaiting = false;
    FDowngradeRefused = false;
    FTlsFailure.clear();
    FLocation = URL;
    const TAliveWatch going = FRequest.Watch();
    StateChange(hsNotConnected);
    if (!going)
        return;

    const THttpUrlParts u = ParseURL(URL);
    FTargetHost = u.Host;
    FTargetPort = u.Port;
    if (!u.User.empty())
        Username = u.User;
    if (!u.Pass.empty())
        Password = u.Pass;
    FTls = AnsiSameText(u.Proto, "https");
    FTunnel = FTls && !Proxy.empty();
    if (Proxy.empty()) {
        FPath = u.Path;
        FHostName = u.Host;
        FConnectPort = u.Port.empty() ? (FTls ? "443" : "80") : u.Port;
    } else {
        // Through a tunnel the proxy sees only CONNECT; the path is the origin server's.
        FPath = FTunnel ? u.Path
                        : (u.Proto.empty() ? "http" : u.Proto) + "://" + u.Host + (u.Port.empty() ? "" : ":" + u.Port) +
                              (u.Path.empty() ? "/" : u.Path);
        const THttpUrlParts p = ParseURL(Proxy);
        FHostName = p.Host;
        FConnectPort = p.Port.empty() ? ProxyPort : p.Port;
    }
    if (FPath.empty())
        FPath = "/";
    FDocFileName = DocFileNameFromPath(u.Path);
    StartConnection();
}

void THttpCli::CloseConnection()
{
    FYielded = false;
    FCtrlSocket->Close();
    FConnected = false;
}

void THttpCli::Abort()
{
    if (FHttpState == hsReady) {
        if (FCtrlSocket->State() != wsClosed) {
            FCtrlSocket->OnSessionClosed = nullptr;
            FCtrlSocket->Close();
            BindSessionClosed();
        }
        return;
    }
    FRequest.Renew();
    const TAliveWatch alive = FAlive.Watch();
    const bool wasLookingUp = FHttpState == hsDnsLookup;
    StateChange(hsAborting);
    if (!alive)
        return;
    if (wasLookingUp)
        Ignoring([&] { FCtrlSocket->CancelDnsLookup(); });
    FReader.SetOutcome(404, kAbortedText);
    FRequestDoneError = hcAborted;
    FReader.Restart();
    FYielded = false;
    if (wasLookingUp)
        SocketSessionClosed(0);
    else
        FCtrlSocket->Close();
    if (!alive)
        return;
    StateChange(hsReady);
}
