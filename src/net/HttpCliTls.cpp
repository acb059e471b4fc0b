#include "net/HttpCli.h"

#include "net/HttpTunnel.h"

void THttpCli::SecureConnection()
{
    FCtrlSocket->SetTlsCaFile(TlsCaFile);
    if (!FTunnel) {
        FCtrlSocket->StartTls(FTargetHost);
        return;
    }
    FTunnelWaiting = true;
    FTunnelReply.clear();
    FCtrlSocket->SendText(
        TunnelRequestText(FTargetHost, FTargetPort.empty() ? "443" : FTargetPort, ProxyUsername, ProxyPassword));
}

void THttpCli::TunnelDataAvailable()
{
    const int n = FCtrlSocket->Receive(FReceiveBuffer, sizeof FReceiveBuffer);
    if (n <= 0)
        return;
    FTunnelReply.append(FReceiveBuffer, static_cast<size_t>(n));
    const TTunnelReply reply = ReadTunnelReply(FTunnelReply);
    if (reply.Kind == TTunnelReply::NeedMore)
        return;
    FTunnelWaiting = false;
    // The far end speaks only after the client's TLS hello: bytes past the reply are not its.
    if (reply.Kind == TTunnelReply::Open && reply.Length == FTunnelReply.size()) {
        FCtrlSocket->StartTls(FTargetHost);
        return;
    }
    FReader.SetOutcome(reply.StatusCode != 0 ? reply.StatusCode : 404, "proxy tunnel refused: " + reply.Reason);
    FailResponse(hcTunnelRefused);
}

void THttpCli::SocketTlsDone(uint16_t Error)
{
    if (Error == 0) {
        SessionReady();
        return;
    }
    FTlsFailure = FCtrlSocket->TlsFailure();
    FailRequest(Error, FTlsFailure);
}

// Over TLS a close is no proof of a whole body: an attacker can close the
// connection too. Only close_notify or the announced length are.
bool THttpCli::BodyCutShort() const
{
    if (!FTls || FHttpState != hsWaitingBody || FRequestType == rqHead || FCtrlSocket->TlsCloseNotified())
        return false;
    return ContentLength() < 0 || FReceivedBytes != ContentLength();
}
