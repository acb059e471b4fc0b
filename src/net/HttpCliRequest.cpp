#include "net/HttpCli.h"

#include "net/HttpRequestText.h"

void THttpCli::SendRequest(const std::string& Method)
{
    THttpRequestHeader h;
    h.Method = Method;
    h.Path = FPath;
    h.Sender = Sender;
    h.Accept = Accept;
    h.Reference = Reference;
    h.ContentTypePost = ContentTypePost;
    h.Agent = Agent;
    h.TargetHost = FTargetHost;
    h.Cookie = Cookie;
    h.Extra = ExtraHeaders;
    h.Username = Username;
    h.Password = Password;
    h.Proxy = FTunnel ? std::string() : Proxy; // the tunnel's far end is no proxy
    h.ProxyUsername = ProxyUsername;
    h.ProxyPassword = ProxyPassword;
    h.NoCache = NoCache;
    h.ModifiedSince = ModifiedSince;
    if (Method == "POST")
        h.PostSize = SendStream->Size();

    FRequestBuffer.clear();
    const TAliveWatch going = FRequest.Watch();
    FireRequestHeaderBegin();
    if (!going)
        return;
    for (const std::string& line : RequestHeaderLines(h)) {
        SendRequestLine(line);
        if (!going)
            return;
    }
    FireRequestHeaderEnd();
    if (!going)
        return;
    SendRequestLine("");
    if (!going)
        return;
    FCtrlSocket->Send(FRequestBuffer.data(), static_cast<int>(FRequestBuffer.size()));
    FRequestBuffer.clear();
}

void THttpCli::SendRequestLine(const std::string& Line)
{
    const TAliveWatch going = FRequest.Watch();
    CallHandler(OnCommand, this, Line);
    if (!going)
        return;
    FRequestBuffer += Line;
    FRequestBuffer += "\r\n";
}

void THttpCli::SendPostBlock()
{
    if (!FAllowedToSend)
        return;
    const size_t n = SendStream->Read(FSendBuffer, sizeof FSendBuffer);
    if (n > 0) {
        FSentBytes += static_cast<int64_t>(n);
        const TAliveWatch going = FRequest.Watch();
        FireSendData(FSendBuffer, static_cast<int>(n));
        if (!going)
            return;
        FCtrlSocket->Send(FSendBuffer, static_cast<int>(n));
    } else {
        FAllowedToSend = false;
        FireSendEnd();
    }
}
