#include "net/HttpCli.h"

#include "net/HttpDocFileName.h"
#include "net/HttpHeaderLine.h"
#include "net/HttpRelocation.h"
#include "net/HttpRequestText.h"
#include "net/HttpUrl.h"
#include "net/WSocketErrors.h"
#include "platform/AnsiCase.h"

#include <cstring>

namespace {
const char* const kAbortedText = "Connection aborted on request";
const char* const kLookupFailedText = "can't resolve hostname to IP address";

// A handler may free the client, and with it the handler itself: run a copy.
template <class Handler, class... Args>
void Invoke(const Handler& handler, Args&&... args)
{
    if (handler) {
        const Handler copy = handler;
        copy(std::forward<Args>(args)...);
    }
}

std::string ErrorWithNumber(int error)
{
    return WSocketErrorText(error) + " (Error #" + std::to_string(error) + ")";
}
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
    BindSessionClosed();
}

THttpCli::~THttpCli()
{
    // The socket closes without events; what is still posted dies with the window.
    FCtrlSocket.reset();
    FWindow.reset();
}

void THttpCli::SetMultiThreaded(bool Value)
{
    FMultiThreaded = Value;
    FCtrlSocket->SetMultiThreaded(Value);
}

template <class Event>
bool THttpCli::Still(Event&& event)
{
    const std::weak_ptr<char> alive = FAlive;
    const uint32_t epoch = FEpoch;
    event();
    return !alive.expired() && FEpoch == epoch;
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
    if (Msg.WParam != FRequestSerial)
        return;
    // Nothing may escape into the event loop; like the socket's receive
    // loop, a failing handler only ends what it was doing.
    try {
        switch (Msg.Msg) {
        case WM_HTTP_DONE:
            Invoke(OnRequestDone, this, FRequestType, FRequestDoneError);
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
    } catch (...) {
    }
}

void THttpCli::Relocate()
{
    try {
        StartConnection();
    } catch (const ESocketException&) {
        FRequestDoneError = WSAEINVAL;
        FStatusCode = 404;
        FReasonPhrase = kLookupFailedText;
        SocketSessionClosed(WSAEINVAL);
    }
}

void THttpCli::StateChange(THttpState NewState)
{
    if (NewState == FHttpState)
        return;
    FHttpState = NewState;
    if (!Still([&] { Invoke(OnStateChange, this); }))
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

    ++FEpoch;
    ++FRequestSerial;
    FHeaderLines.clear();
    FRequestType = Request;
    FRequestDoneError = 0;
    BindSessionClosed();
    FDocFileName.clear();
    BeginResponse();
    FReceivedBytes = 0;
    FSentBytes = 0;
    FHeaderLineCount = 0;
    FBodyLineCount = 0;
    FAllowedToSend = false;
    FLocationFlag = false;
    FReceiveLen = 0;
    FBurstBytes = 0;
    FYielded = false;
    FLocation = URL;
    if (!Still([&] { StateChange(hsNotConnected); }))
        return;

    const THttpUrlParts u = ParseURL(URL);
    FTargetHost = u.Host;
    FTargetPort = u.Port;
    if (!u.User.empty())
        Username = u.User;
    if (!u.Pass.empty())
        Password = u.Pass;
    if (Proxy.empty()) {
        FPath = u.Path;
        FHostName = u.Host;
        FConnectPort = u.Port.empty() ? "80" : u.Port;
    } else {
        FPath = (u.Proto.empty() ? "http" : u.Proto) + "://" + u.Host + (u.Port.empty() ? "" : ":" + u.Port) +
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

void THttpCli::StartConnection()
{
    if (!Still([&] { StateChange(hsDnsLookup); }))
        return;
    if (!HostsFitForProxy()) {
        SocketDnsLookupDone(WSAHOST_NOT_FOUND);
        return;
    }
    FCtrlSocket->DnsLookup(SocksServer.empty() ? FHostName : SocksServer);
}

void THttpCli::SocketDnsLookupDone(uint16_t Error)
{
    if (FHttpState == hsAborting)
        return;
    if (Error != 0) {
        FRequestDoneError = Error;
        FStatusCode = 404;
        FReasonPhrase = kLookupFailedText;
        SocketSessionClosed(Error);
        return;
    }
    if (!Still([&] { StateChange(hsDnsLookupDone); }))
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
        FStatusCode = 404;
        FReasonPhrase = "can't connect: " + ErrorWithNumber(error);
        const std::weak_ptr<char> alive = FAlive;
        FCtrlSocket->Close();
        if (!alive.expired())
            SocketSessionClosed(static_cast<uint16_t>(error));
    }
}

void THttpCli::SocketSessionConnected(uint16_t Error)
{
    if (Error != 0) {
        FRequestDoneError = Error;
        FStatusCode = 404;
        FReasonPhrase = FSocksErrorText.empty() ? ErrorWithNumber(Error) : FSocksErrorText;
        SocketSessionClosed(Error);
        return;
    }
    FConnected = true;
    if (!Still([&] { StateChange(hsConnected); }) || !Still([&] { FireSessionConnected(); }))
        return;
    if (!Still([&] { StateChange(hsWaitingHeader); }))
        return;
    const std::weak_ptr<char> alive = FAlive;
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
            if (alive.expired() || !Still([&] { FireSendBegin(); }))
                return;
            FAllowedToSend = true;
            SendPostBlock();
            break;
        default:
            break;
        }
    } catch (...) {
        if (!alive.expired())
            CloseConnection();
    }
}

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
    h.Username = Username;
    h.Password = Password;
    h.Proxy = Proxy;
    h.ProxyUsername = ProxyUsername;
    h.ProxyPassword = ProxyPassword;
    h.NoCache = NoCache;
    h.ModifiedSince = ModifiedSince;
    if (Method == "POST")
        h.PostSize = SendStream->Size();

    FRequestBuffer.clear();
    if (!Still([&] { FireRequestHeaderBegin(); }))
        return;
    for (const std::string& line : RequestHeaderLines(h))
        if (!Still([&] { SendRequestLine(line); }))
            return;
    if (!Still([&] { FireRequestHeaderEnd(); }) || !Still([&] { SendRequestLine(""); }))
        return;
    FCtrlSocket->Send(FRequestBuffer.data(), static_cast<int>(FRequestBuffer.size()));
    FRequestBuffer.clear();
}

void THttpCli::SendRequestLine(const std::string& Line)
{
    if (!Still([&] { Invoke(OnCommand, this, Line); }))
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
        if (!Still([&] { FireSendData(FSendBuffer, static_cast<int>(n)); }))
            return;
        FCtrlSocket->Send(FSendBuffer, static_cast<int>(n));
    } else {
        FAllowedToSend = false;
        FireSendEnd();
    }
}

void THttpCli::SocketDataAvailable(uint16_t Error)
{
    if (FBurstBytes >= ReadBurst) {
        // Reading nothing ends the socket's receive loop; WM_HTTP_RESUME reads on.
        FYielded = true;
        return;
    }
    const int n = FCtrlSocket->Receive(FReceiveBuffer + FReceiveLen, MaxLineLength - FReceiveLen);
    if (FRequestType == rqNone || n <= 0)
        return;
    if (FBurstBytes == 0)
        Post(WM_HTTP_RESUME);
    FBurstBytes += n;
    FReceiveLen += n;
    FReceiveBuffer[FReceiveLen] = 0;

    if (FHttpState == hsWaitingBody) {
        const size_t len = static_cast<size_t>(FReceiveLen);
        FReceiveLen = 0;
        BodyChunk(FReceiveBuffer, len);
        return;
    }

    while (FReceiveLen > 0) {
        // A NUL byte is data like any other: search the bytes, not a C string.
        const char* lf = static_cast<const char*>(std::memchr(FReceiveBuffer, '\n', static_cast<size_t>(FReceiveLen)));
        if (!lf)
            break;
        const size_t rawLen = static_cast<size_t>(lf - FReceiveBuffer) + 1;
        size_t lineLen = rawLen - 1;
        if (lineLen > 0 && FReceiveBuffer[lineLen - 1] == '\r')
            --lineLen;
        FLastReceived.assign(FReceiveBuffer, lineLen);
        // The header handler returns false when it took the whole buffer,
        // ended the response or lost the client.
        if (FHttpState == hsWaitingHeader) {
            if (!HeaderLine(rawLen))
                return;
        } else if (!Still([&] { Invoke(OnDataAvailable, this, Error); })) {
            return;
        }
        FReceiveLen -= static_cast<int>(rawLen);
        std::memmove(FReceiveBuffer, FReceiveBuffer + rawLen, static_cast<size_t>(FReceiveLen));
    }
    if (FReceiveLen >= MaxLineLength) {
        if (FHttpState == hsWaitingHeader)
            FailResponse(hcLineTooLong);
        else
            FReceiveLen = 0; // nobody waits for these bytes
    }
}

bool THttpCli::HeaderLine(size_t RawLen)
{
    if (FHeaderLineCount == 0) {
        BeginResponse();
        if (!Still([&] { FireHeaderBegin(); }))
            return false;
    }
    ++FHeaderLineCount;
    FHeaderBytes += static_cast<int>(RawLen);
    if (FHeaderBytes > MaxHeaderBytes) {
        FailResponse(hcLineTooLong);
        return false;
    }

    const std::string& line = FLastReceived;
    if (AnsiSameText(std::string_view(line).substr(0, 6), "<html>")) {
        // No header at all: everything received so far is body, as sent.
        if (FContentType.empty())
            FContentType = "text/html";
        if (!Still([&] { StateChange(hsWaitingBody); }))
            return false;
        if (!Still([&] { FireHeaderEnd(); }))
            return false;
        StartBody(0);
        return false;
    }
    if (line.empty())
        return HeaderEnd(RawLen);

    FHeaderLines.push_back(line);
    if (IsStatusLine(line)) {
        FStatusCode = StatusCodeOf(line).value_or(0);
        FReasonPhrase = ReasonPhraseOf(line);
    } else if (const auto field = SplitHeaderField(line)) {
        if (field->Name == "set-cookie") {
            bool accept = true;
            if (!Still([&] { FireCookie(field->Value, accept); }))
                return false;
        } else {
            HeaderField(field->Name, field->Value);
        }
    }
    if (!Still([&] { Invoke(OnHeaderData, this); }))
        return false;
    if (FStatusCode >= 400 && FCtrlSocket->State() != wsClosed) {
        // Refused: stop reading, but finish what this read brought.
        FYielded = false;
        if (!Still([&] { FCtrlSocket->Close(); }))
            return false;
    }
    return true;
}

void THttpCli::BeginResponse()
{
    // Each hop of a relocation is a response of its own: nothing of the
    // previous one may pass for this one's.
    FStatusCode = 0;
    FReasonPhrase.clear();
    FContentLength = -1;
    FContentLengthSeen = false;
    FContentType.clear();
    FAuthChallenges.clear();
    FHeaderBytes = 0;
}

void THttpCli::HeaderField(const std::string& Name, const std::string& Value)
{
    if (Name == "location") {
        LocationTarget(Value);
    } else if (Name == "content-length") {
        // Unreadable or conflicting lengths leave the length unknown.
        const auto length = ParseContentLength(Value);
        const bool conflict = FContentLengthSeen && (!length || *length != FContentLength);
        FContentLength = length && !conflict ? *length : -1;
        FContentLengthSeen = true;
    } else if (Name == "content-type") {
        FContentType = AnsiLowerCase(Value);
    } else if (Name == "www-authenticate") {
        FAuthChallenges.push_back(Value);
    }
}

void THttpCli::LocationTarget(const std::string& Value)
{
    FLocationFlag = true;
    THttpTarget t{FHostName, FConnectPort, FTargetHost, FTargetPort, FPath};
    ApplyRelocation(t, Value, !Proxy.empty());
    FHostName = t.HostName;
    FConnectPort = t.ConnectPort;
    FTargetHost = t.TargetHost;
    FTargetPort = t.TargetPort;
    FPath = t.Path;
    FLocation = FPath;
}

bool THttpCli::HeaderEnd(size_t RawLen)
{
    if (FLocationFlag) {
        if (!Still([&] { FireHeaderEnd(); }))
            return false;
        FReceiveLen = 0;
        FHeaderLineCount = 0;
        FBodyLineCount = 0;
        FYielded = false;
        FCtrlSocket->OnSessionClosed = [this](TCustomWSocket* s, uint16_t e) { RelocationClosed(s, e); };
        FCtrlSocket->Close();
        return false;
    }
    FDocFileName = FixDocFileNameForType(FDocFileName, FContentType);
    if (!Still([&] { StateChange(hsWaitingBody); }))
        return false;
    if (!Still([&] { FireHeaderEnd(); }))
        return false;
    StartBody(RawLen);
    return false;
}

void THttpCli::StartBody(size_t From)
{
    if (DocStream && FContentLength > 0)
        DocStream->ExpectBytes(FContentLength);
    const size_t len = static_cast<size_t>(FReceiveLen) - From;
    FReceiveLen = 0;
    if (len > 0)
        BodyChunk(FReceiveBuffer + From, len);
}

bool THttpCli::BodyChunk(const char* Data, size_t Len)
{
    FLastReceived.assign(Data, Len);
    if (FBodyLineCount == 0 && !Still([&] { FireDocBegin(); }))
        return false;
    ++FBodyLineCount;
    FReceivedBytes += static_cast<int64_t>(Len);
    if (!Still([&] { FireDocData(FLastReceived.data(), static_cast<int>(FLastReceived.size())); }))
        return false;
    if (DocStream) {
        try {
            DocStream->Write(FLastReceived.data(), FLastReceived.size());
        } catch (const std::exception&) {
            FailResponse(hcDocStreamFailed);
            return false;
        }
    }
    return true;
}

void THttpCli::FailResponse(uint16_t Error)
{
    // Reading on would only fill memory or spin: end the response now.
    FRequestDoneError = Error;
    FReceiveLen = 0;
    FYielded = false;
    if (FCtrlSocket->State() != wsClosed)
        FCtrlSocket->Close();
    else
        Post(WM_HTTP_READY);
}

void THttpCli::SocketSessionClosed(uint16_t Error)
{
    // A connection that broke (a reset in the body) must not end as a success.
    if (Error != 0 && FRequestDoneError == 0 && FHttpState != hsAborting)
        FRequestDoneError = Error;
    FConnected = false;
    if (FYielded && !DrainYielded())
        return;
    if (FBodyLineCount > 0 && !Still([&] { FireDocEnd(); }))
        return;
    Post(WM_HTTP_READY);
}

bool THttpCli::DrainYielded()
{
    // The peer closed while bytes were left for a later turn of the event
    // loop; the connection is still open here, so take them now.
    const std::weak_ptr<char> alive = FAlive;
    FYielded = false;
    try {
        for (int before = -1; !alive.expired() && FCtrlSocket->ReadCount() != before;) {
            before = FCtrlSocket->ReadCount();
            FBurstBytes = 0;
            SocketDataAvailable(0);
        }
    } catch (...) {
        // like the socket's own receive loop: a failing handler ends the read
    }
    return !alive.expired();
}

void THttpCli::RelocationClosed(TCustomWSocket*, uint16_t)
{
    FConnected = false;
    FLocationFlag = false;
    BindSessionClosed();
    if (!Still([&] { Invoke(OnLocationChange, this); }))
        return;
    Post(WM_HTTP_RELOCATE);
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
    ++FEpoch;
    const std::weak_ptr<char> alive = FAlive;
    const bool wasLookingUp = FHttpState == hsDnsLookup;
    StateChange(hsAborting);
    if (alive.expired())
        return;
    if (wasLookingUp) {
        try {
            FCtrlSocket->CancelDnsLookup();
        } catch (...) {
        }
    }
    FStatusCode = 404;
    FReasonPhrase = kAbortedText;
    FRequestDoneError = hcAborted;
    FReceiveLen = 0;
    FYielded = false;
    if (wasLookingUp)
        SocketSessionClosed(0);
    else
        FCtrlSocket->Close();
    if (alive.expired())
        return;
    StateChange(hsReady);
}

void THttpCli::FireCookie(const std::string& Data, bool& Accept)
{
    Invoke(OnCookie, this, Data, Accept);
}

void THttpCli::FireSessionConnected()
{
    Invoke(OnSessionConnected, this);
}

void THttpCli::FireRequestHeaderBegin()
{
    Invoke(OnRequestHeaderBegin, this);
}

void THttpCli::FireRequestHeaderEnd()
{
    Invoke(OnRequestHeaderEnd, this);
}

void THttpCli::FireHeaderBegin()
{
    Invoke(OnHeaderBegin, this);
}

void THttpCli::FireHeaderEnd()
{
    Invoke(OnHeaderEnd, this);
}

void THttpCli::FireDocBegin()
{
    Invoke(OnDocBegin, this);
}

void THttpCli::FireDocData(const char* Buffer, int Len)
{
    Invoke(OnDocData, this, Buffer, Len);
}

void THttpCli::FireDocEnd()
{
    Invoke(OnDocEnd, this);
}

void THttpCli::FireSendBegin()
{
    Invoke(OnSendBegin, this);
}

void THttpCli::FireSendData(const char* Buffer, int Len)
{
    Invoke(OnSendData, this, Buffer, Len);
}

void THttpCli::FireSendEnd()
{
    Invoke(OnSendEnd, this);
}
