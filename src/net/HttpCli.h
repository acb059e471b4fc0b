#pragma once
#include "net/HttpResponseReader.h"
#include "net/HttpTypes.h"
#include "net/AliveWatch.h"
#include "net/CallHandler.h"
#include "net/Stream.h"
#include "net/WSocket.h"
#include "platform/MessageWindow.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

class THttpCli;

using THttpNotifyEvent = std::function<void(THttpCli* Sender)>;
using TDocDataEvent = std::function<void(THttpCli* Sender, const char* Buffer, int Len)>;
using TCookieRcvdEvent = std::function<void(THttpCli* Sender, const std::string& Data, bool& Accept)>;
using TOnCommand = std::function<void(THttpCli* Sender, const std::string& S)>;
using THttpRequestDone = std::function<void(THttpCli* Sender, THttpRequest RqType, uint16_t Error)>;
using THttpDataAvailable = std::function<void(THttpCli* Sender, uint16_t Error)>;

// Messages of the client's own notification object.
constexpr uint32_t WM_HTTP_DONE = WM_USER + 1;
constexpr uint32_t WM_HTTP_READY = WM_USER + 2;
constexpr uint32_t WM_HTTP_RELOCATE = WM_USER + 3;
constexpr uint32_t WM_HTTP_RESUME = WM_USER + 4;

// Asynchronous HTTP/1.0 client: one request at a time over one socket. It
// looks the host up, connects, writes the request, parses the header,
// follows "location" headers, hands the body to DocStream and reports the
// end through OnRequestDone from the event loop. The body ends when the
// server closes. https:// goes over TLS (through an HTTP proxy's CONNECT
// tunnel when Proxy is set); its failures end the request with
// WSOCKET_TLS_FAILED and TlsFailure() says why. A relocation from https to
// http is not followed. The client may be destroyed at any time, also
// inside its own events; no event follows its destruction.
class THttpCli {
public:
    THttpCli();
    virtual ~THttpCli();
    THttpCli(const THttpCli&) = delete;
    THttpCli& operator=(const THttpCli&) = delete;

    // Bytes read in one turn of the event loop: a fast peer must not keep
    // timers and other clients waiting while its data keeps coming.
    static constexpr int64_t ReadBurst = 256 * 1024;

    // Writable properties.
    std::string URL;
    std::string Proxy;
    std::string ProxyPort = "80";
    std::string Sender;
    std::string Agent = "Mozilla/3.0 (compatible)";
    std::string Accept = "image/gif, image/x-xbitmap, image/jpeg, image/pjpeg, */*";
    std::string Reference;
    std::string Username, Password, ProxyUsername, ProxyPassword;
    bool NoCache = false;
    double ModifiedSince = 0; // days since 30 December 1899; 0 for none
    std::string Cookie;
    // Further request header lines ("Name: value"), sent after the others.
    std::vector<std::string> ExtraHeaders;
    std::string ContentTypePost = "application/x-www-form-urlencoded";
    TStream* DocStream = nullptr;  // the caller's; receives the body
    TStream* SendStream = nullptr; // the caller's; the POST body
    // A SOCKS server under every connection (empty: none). The client looks
    // up only the server; the host it asks for (the target or the proxy)
    // goes to it by name, except for level "4", which the socket looks up.
    std::string SocksServer;
    std::string SocksPort = "1080";
    std::string SocksLevel = "5";
    std::string SocksUsercode, SocksPassword;
    TSocksAuthentication SocksAuthentication = socksNoAuthentication;
    // A PEM file of one more trusted CA for https:// (empty: the system's store only).
    std::string TlsCaFile;

    // Read-only properties.
    // The last response's, or the request's own failure.
    int StatusCode() const { return FReader.Response().StatusCode; }
    const std::string& ReasonPhrase() const { return FReader.Response().ReasonPhrase; }
    int32_t ContentLength() const { return FReader.Response().ContentLength; } // -1 when absent
    const std::string& ContentType() const { return FReader.Response().ContentType; } // lower-cased
    const std::vector<std::string>& AuthChallenges() const { return FReader.Response().AuthChallenges; }
    const std::string& LastReceived() const { return FLastReceived; }
    // The lines of every response of the request, relocations included.
    const std::vector<std::string>& HeaderLines() const { return FHeaderLines; }
    const std::string& Location() const { return FLocation; }
    const std::string& DocFileName() const { return FDocFileName; }
    int64_t ReceivedBytes() const { return FReceivedBytes; }
    int64_t SentBytes() const { return FSentBytes; }
    THttpRequest RequestType() const { return FRequestType; }
    THttpState HttpState() const { return FHttpState; }
    bool Connected() const { return FConnected; }
    // Why the last request's TLS failed or its body came cut short; empty when neither.
    const std::string& TlsFailure() const { return FTlsFailure; }
    bool TlsHandshaking() const { return FCtrlSocket->TlsHandshaking(); }
    TWSocket& CtrlSocket() { return *FCtrlSocket; }

    // Events.
    THttpNotifyEvent OnSessionConnected;
    THttpNotifyEvent OnHeaderData;
    TOnCommand OnCommand;
    THttpNotifyEvent OnHeaderBegin;
    THttpNotifyEvent OnHeaderEnd;
    THttpNotifyEvent OnRequestHeaderBegin;
    THttpNotifyEvent OnRequestHeaderEnd;
    THttpNotifyEvent OnDocBegin;
    TDocDataEvent OnDocData;
    THttpNotifyEvent OnDocEnd;
    THttpNotifyEvent OnSendBegin;
    TDocDataEvent OnSendData;
    THttpNotifyEvent OnSendEnd;
    THttpNotifyEvent OnStateChange;
    THttpRequestDone OnRequestDone;
    THttpNotifyEvent OnLocationChange;
    TCookieRcvdEvent OnCookie;
    // Lines that arrive while neither a header nor a body is awaited.
    THttpDataAvailable OnDataAvailable;

    // Starts a request and returns at once; raises EHttpException
    // ("HTTP component is busy", "HTTP component has nothing to post").
    void StartRequest(THttpRequest Request);
    void GetAsync() { StartRequest(rqGet); }
    // Stops the running request; OnRequestDone (Error hcAborted) follows
    // from the event loop unless the client is destroyed first.
    void Abort();
    virtual void CloseConnection();

protected:
    virtual void SendRequestLine(const std::string& Line);
    virtual void StartConnection();
    virtual void RelocationClosed(TCustomWSocket* Sender, uint16_t Error);
    virtual void FireCookie(const std::string& Data, bool& Accept);
    virtual void FireSessionConnected();
    virtual void FireRequestHeaderBegin();
    virtual void FireRequestHeaderEnd();
    virtual void FireHeaderBegin();
    virtual void FireHeaderEnd();
    virtual void FireDocBegin();
    virtual void FireDocData(const char* Buffer, int Len);
    virtual void FireDocEnd();
    virtual void FireSendBegin();
    virtual void FireSendData(const char* Buffer, int Len);
    virtual void FireSendEnd();

private:
    // HttpCli.cpp: starting, states, posted messages.
    void Post(uint32_t Msg);
    void WndProc(const TMessage& Msg);
    void StateChange(THttpState NewState);
    void BindSessionClosed();
    // HttpCliConnect.cpp: lookup and connection.
    void Relocate();
    // Ends a request that got no response: status 404, Reason, and Error
    // for OnRequestDone.
    void FailRequest(uint16_t Error, const std::string& Reason);
    void SocketDnsLookupDone(uint16_t Error);
    void SocketSessionConnected(uint16_t Error);
    // HttpCliRequest.cpp: the request and the POST body.
    void SendRequest(const std::string& Method);
    void SendPostBlock();
    // HttpCliReceive.cpp: the response.
    void SocketDataAvailable(uint16_t Error);
    void ReadLines(uint16_t Error);
    bool HeaderStep();
    bool HeaderLine(THttpReadStep Step);
    void HeaderEnd();
    void EnterBody();
    bool BodyChunk(const char* Data, size_t Len);
    void FailResponse(uint16_t Error);
    void SocketSessionClosed(uint16_t Error);
    bool DrainYielded();
    // HttpCliRelocation.cpp: following a "location" line.
    void LocationTarget(const std::string& Value);
    void FollowLocation();
    // HttpCliTls.cpp: https, straight or through a proxy's tunnel.
    void SecureConnection();
    void TunnelDataAvailable();
    void SocketTlsDone(uint16_t Error);
    // The request's own work once the connection is ready (secured for https).
    void SessionReady();
    bool BodyCutShort() const;
    // HttpCliSocks.cpp: what a proxy or SOCKS server is handed.
    bool HostsFitForProxy() const;
    void HandSocksToSocket();

    std::unique_ptr<TWSocket> FCtrlSocket;
    std::unique_ptr<TMessageWindow> FWindow;
    TAliveToken FAlive;
    // Renewed with every start and abort: a watch on it also ends when an
    // event stopped the request.
    TAliveToken FRequest;
    uintptr_t FRequestSerial = 0; // posted messages of older requests are dropped
    int64_t FBurstBytes = 0;      // read since the event loop last turned
    bool FYielded = false;        // left bytes unread to let the loop turn

    THttpState FHttpState = hsReady;
    std::string FHostName, FTargetHost, FTargetPort, FConnectPort, FPath;
    std::string FLocation;
    bool FConnected = false;
    char FSendBuffer[8193];
    THttpRequest FRequestType = rqNone;
    char FReceiveBuffer[THttpResponseReader::MaxLineLength]; // one read
    THttpResponseReader FReader;
    std::string FLastReceived;
    int FBodyLineCount = 0;
    bool FAllowedToSend = false;
    std::string FDocFileName;
    std::vector<std::string> FHeaderLines;
    int64_t FReceivedBytes = 0;
    int64_t FSentBytes = 0;
    std::string FRequestBuffer;
    uint16_t FRequestDoneError = 0;
    std::string FSocksErrorText; // why the SOCKS server refused the connection
    bool FTls = false;            // the target is https
    bool FTunnel = false;         // ... reached through the HTTP proxy's CONNECT
    bool FTunnelWaiting = false;  // the proxy's reply to CONNECT is awaited
    bool FDowngradeRefused = false;
    std::string FTunnelReply;
    std::string FTlsFailure;
};
