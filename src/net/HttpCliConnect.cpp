#include "net/HttpCli.h"

#include "net/WSocketErrors.h"

namespace {
const char* const kLookupFailedText = "can't resolve hostname to IP address";

std::string ErrorWithNumber(int error)
{
    return WSocketErrorText(error) + " (Error #" + std::to_string(error) + ")";
}
}

void THttpCli::StartConnection()
{
    const TAliveWatch going = FRequest.Watch();
    StateChange(hsDnsLookup);
    if (!going)
        return;
    if (!HostsFitForProxy()) {
        SocketDnsLookupDone(WSAHOST_NOT_FOUND);
        return;
    }
    FCtrlSocket->DnsLookup(SocksServer.empty() ? FHostName : SocksServer);
}

void THttpCli::Relocate()
{
    try {
        StartConnection();
    } catch (const ESocketException&) {
        FailRequest(WSAEINVAL, kLookupFailedText);
    }
}

void THttpCli::FailRequest(uint16_t Error, const std::string& Reason)
{
    FRequestDoneError = Error;
    FReader.SetOutcome(404, Reason);
    SocketSessionClosed(Error);
}

void THttpCli::SocketDnsLookupDone(uint16_t Error)
{
    if (FHttpState == hsAborting)
        return;
    if (Error != 0) {
        FailRequest(Error, kLookupFailedText);
        return;
    }
    const TAliveWatch going = FRequest.Watch();
    StateChange(hsDnsLookupDone);
    if (!going)
        return;
    try {
        FCtrlSocket->SetAddr(SocksServer.empty() ? FCtrlSocket->DnsResult() : FHostName);
        HandSocksToSocket();
        FCtrlSocket->SetPort(FConnectPort);
        FCtrlSocket->SetProto("tcp");
        FCtrlSocket->Connect();
    } catch (const std::exception&) {
        // A refusal that names no network error still must not look like success.
        const int error = FCtrlSocket->LastError() != 0 ? FCtrlSocket->LastError() : WSAEINVAL;
        FRequestDoneError = static_cast<uint16_t>(error);
        FReader.SetOutcome(404, "can't connect: " + ErrorWithNumber(error));
        const TAliveWatch alive = FAlive.Watch();
        FCtrlSocket->Close();
        if (alive)
            SocketSessionClosed(static_cast<uint16_t>(error));
    }
}

void THttpCli::SocketSessionConnected(uint16_t Error)
{
    if (Error != 0) {
        FailRequest(Error, FSocksErrorText.empty() ? ErrorWithNumber(Error) : FSocksErrorText);
        return;
    }
    FConnected = true;
    if (FTls) {
        SecureConnection();
        return;
    }
    SessionReady();
}

void THttpCli::SessionReady()
{
    const TAliveWatch going = FRequest.Watch();
    StateChange(hsConnected);
    if (!going)
        return;
    FireSessionConnected();
    if (!going)
        return;
    StateChange(hsWaitingHeader);
    if (!going)
        return;
    const TAliveWatch alive = FAlive.Watch();
    try {
        switch (FRequestType) {
        case rqGet:
            SendRequest("GET");
            break;
        case rqHead:
            SendRequest("HEAD");
            break;
        case rqPost:
            SendRequest("POST");
            // A request stopped while its header went out posts nothing.
            if (!going)
                return;
            FireSendBegin();
            if (!going)
                return;
            FAllowedToSend = true;
            SendPostBlock();
            break;
        default:
            break;
        }
    } catch (...) {
        if (alive)
            CloseConnection();
    }
}
