#include "net/HttpCli.h"

#include "net/HttpDocFileName.h"
#include "net/Ignoring.h"

void THttpCli::SocketDataAvailable(uint16_t Error)
{
    if (FTunnelWaiting) {
        TunnelDataAvailable();
        return;
    }
    if (FBurstBytes >= ReadBurst) {
        // Reading nothing ends the socket's receive loop; WM_HTTP_RESUME reads on.
        FYielded = true;
        return;
    }
    // A header line must fit the reader whole; the body passes in reads of any size.
    const bool inBody = FHttpState == hsWaitingBody;
    const size_t room = inBody ? sizeof FReceiveBuffer : FReader.Room();
    const int n = FCtrlSocket->Receive(FReceiveBuffer, static_cast<int>(room));
    if (FRequestType == rqNone || n <= 0)
        return;
    if (FBurstBytes == 0)
        Post(WM_HTTP_RESUME);
    FBurstBytes += n;
    if (inBody) {
        BodyChunk(FReceiveBuffer, static_cast<size_t>(n));
        return;
    }
    FReader.Feed(FReceiveBuffer, static_cast<size_t>(n));
    ReadLines(Error);
}

void THttpCli::ReadLines(uint16_t Error)
{
    const TAliveWatch going = FRequest.Watch();
    for (;;) {
        if (FHttpState == hsWaitingHeader) {
            if (!HeaderStep())
                return;
            continue;
        }
        // Neither a header nor a body is awaited: the lines go to whoever asks.
        if (!FReader.NextLine())
            return;
        FLastReceived = FReader.Line();
        CallHandler(OnDataAvailable, this, Error);
        if (!going)
            return;
    }
}

// One step through the response header; false when the read ends here:
// more bytes are needed, the header is over, or the client is gone.
bool THttpCli::HeaderStep()
{
    const THttpReadStep step = FReader.Next();
    if (FReader.LineRead())
        FLastReceived = FReader.Line();
    switch (step) {
    case hrNeedMore:
        return false;
    case hrBegin: {
        const TAliveWatch going = FRequest.Watch();
        FireHeaderBegin();
        return static_cast<bool>(going);
    }
    case hrRefused:
        FailResponse(hcLineTooLong);
        return false;
    case hrHeaderEnd:
        HeaderEnd();
        return false;
    case hrHtmlBody:
        EnterBody();
        return false;
    default:
        return HeaderLine(step);
    }
}

bool THttpCli::HeaderLine(THttpReadStep Step)
{
    FHeaderLines.push_back(FLastReceived);
    const TAliveWatch going = FRequest.Watch();
    if (Step == hrCookie) {
        // A copy: the handler may free the client and its reader.
        const std::string value = FReader.Response().Cookies.back();
        bool accept = true;
        FireCookie(value, accept);
        if (!going)
            return false;
    } else if (Step == hrLocation) {
        LocationTarget(*FReader.Response().Location);
    }
    CallHandler(OnHeaderData, this);
    if (!going)
        return false;
    if (FReader.Response().StatusCode >= 400 && FCtrlSocket->State() != wsClosed) {
        // Refused: stop reading, but finish what this read brought.
        FYielded = false;
        FCtrlSocket->Close();
    }
    return static_cast<bool>(going);
}

void THttpCli::HeaderEnd()
{
    if (FReader.Response().Location) {
        if (FDowngradeRefused) {
            FReader.SetOutcome(StatusCode(), "relocation from https to http refused");
            FailResponse(hcInsecureRelocation);
            return;
        }
        FollowLocation();
        return;
    }
    FDocFileName = FixDocFileNameForType(FDocFileName, ContentType());
    EnterBody();
}

void THttpCli::EnterBody()
{
    const TAliveWatch going = FRequest.Watch();
    StateChange(hsWaitingBody);
    if (!going)
        return;
    FireHeaderEnd();
    if (!going)
        return;
    if (DocStream && ContentLength() > 0)
        DocStream->ExpectBytes(ContentLength());
    // What came with the header's last read starts the body.
    const std::string_view body = FReader.Body();
    if (!body.empty())
        BodyChunk(body.data(), body.size());
}

bool THttpCli::BodyChunk(const char* Data, size_t Len)
{
    FLastReceived.assign(Data, Len);
    const TAliveWatch going = FRequest.Watch();
    if (FBodyLineCount == 0) {
        FireDocBegin();
        if (!going)
            return false;
    }
    ++FBodyLineCount;
    FReceivedBytes += static_cast<int64_t>(Len);
    FireDocData(FLastReceived.data(), static_cast<int>(FLastReceived.size()));
    if (!going)
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
    FReader.Restart();
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
    // An alert may have come with the bytes left for later.
    if (FTls && FTlsFailure.empty() && !FCtrlSocket->TlsFailure().empty()) {
        FTlsFailure = FCtrlSocket->TlsFailure();
        if (FRequestDoneError == 0 && FHttpState != hsAborting)
            FRequestDoneError = WSOCKET_TLS_FAILED;
    }
    // Judged once every byte that came has been read.
    if (FRequestDoneError == 0 && FHttpState != hsAborting && BodyCutShort()) {
        FRequestDoneError = hcCutBody;
        FTlsFailure = "body cut short: no TLS close_notify";
    }
    if (FBodyLineCount > 0) {
        const TAliveWatch going = FRequest.Watch();
        FireDocEnd();
        if (!going)
            return;
    }
    Post(WM_HTTP_READY);
}

bool THttpCli::DrainYielded()
{
    // The peer closed while bytes were left for a later turn of the event
    // loop; the connection is still open here, so take them now.
    const TAliveWatch alive = FAlive.Watch();
    FYielded = false;
    // Like the socket's own receive loop, a failing handler ends the read.
    Ignoring([&] {
        for (int before = -1; alive && FCtrlSocket->ReadCount() != before;) {
            before = FCtrlSocket->ReadCount();
            FBurstBytes = 0;
            SocketDataAvailable(0);
        }
    });
    return static_cast<bool>(alive);
}
