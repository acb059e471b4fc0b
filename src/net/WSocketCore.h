#pragma once
#include "net/Ignoring.h"
#include "net/AliveWatch.h"
#include "net/CallHandler.h"
#include "net/WSockBuf.h"
#include "net/WSocketTypes.h"
#include "net/winsock/WinSock.h"
#include "platform/MessageWindow.h"

#include <netinet/in.h>

#include <cstdint>
#include <deque>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

class TAsyncSelect;

// Non-blocking IPv4 socket driven by the event loop: every step that would
// block completes later as a message to the socket's own notification object,
// which turns it into an event. The socket may be destroyed at any time, also
// inside its own events; no event follows its destruction.
class TCustomWSocket {
public:
    TCustomWSocket();
    virtual ~TCustomWSocket();
    TCustomWSocket(const TCustomWSocket&) = delete;
    TCustomWSocket& operator=(const TCustomWSocket&) = delete;

    virtual void Connect();
    virtual void Close();
    virtual void Abort();
    virtual void Flush();
    virtual void DrainUntilClosed();
    virtual void Listen();
    virtual TSocket Accept();
    // Reads at most Len bytes straight into Buffer; -1 with LastError set on failure.
    virtual int Receive(void* Buffer, int Len);
    virtual std::string ReceiveText();
    virtual int ReceiveFrom(void* Buffer, int Len, sockaddr_in& From, int& FromLen);
    // Queues the bytes and sends what the network takes at once; OnDataSent
    // follows from the event loop when all is gone. Returns Len, or -1.
    virtual int Send(const void* Data, int Len);
    virtual int SendTo(const sockaddr_in& Dest, int DestLen, const void* Data, int Len);
    virtual int SendText(const std::string& Str);
    virtual void DnsLookup(const std::string& HostName);
    virtual void ReverseDnsLookup(const std::string& HostAddr);
    virtual void CancelDnsLookup();
    virtual std::string PeerAddress();
    virtual int GetPeerName(sockaddr_in& Name, int NameLen);
    virtual std::string LocalPortText();
    virtual int LocalAddress(sockaddr_in& Name, int NameLen);
    virtual void Dup(TSocket NewHSocket);
    virtual void Shutdown(int How);
    virtual void Pause();
    virtual void Resume();

    // Properties. Addr, Port, Proto and LocalPort can be changed only while closed.
    const std::string& Addr() const { return FAddrStr; }
    void SetAddr(const std::string& Value);
    const std::string& Port() const { return FPortStr; }
    virtual void SetPort(const std::string& Value);
    const std::string& Proto() const { return FProtoStr; }
    virtual void SetProto(const std::string& Value);
    const std::string& LocalPort() const { return FLocalPortStr; }
    void SetLocalPort(const std::string& Value);
    const std::string& DnsResult() const { return FDnsResult; }
    const std::vector<std::string>& DnsResultList() const { return FDnsResultList; }
    TSocketState State() const { return FState; }
    int ReadCount() const { return FReadCount; }
    // Bytes waiting to be read; -1 after a failure.
    virtual int RcvdCount();
    int LastError() const { return FLastError; }
    TSocketSendFlags SendFlags() const;
    void SetSendFlags(TSocketSendFlags Value);
    TSocketLingerOnOff LingerOnOff() const { return FLingerOnOff; }
    void SetLingerOnOff(TSocketLingerOnOff Value) { FLingerOnOff = Value; }
    int LingerTimeout() const { return FLingerTimeout; }
    void SetLingerTimeout(int Value) { FLingerTimeout = Value; }
    TSocket Handle() const { return FHSocket; }
    TSocket AcceptedHandle() const { return FAcceptedHandle; }
    bool AllSent() const { return FAllSent; }
    // The notification object; messages posted to it reach WndProc.
    TMessageWindow* HWindow() const { return FWindow.get(); }

    TSessionAvailable OnSessionAvailable;
    TSessionConnected OnSessionConnected;
    TSessionClosed OnSessionClosed;
    TChangeState OnChangeState;
    TDataAvailable OnDataAvailable;
    TDataSent OnDataSent;
    TNotifyEvent OnLineTooLong;
    TDnsLookupDone OnDnsLookupDone;
    TNotifyEvent OnError;
    TBgExceptionEvent OnBgException;

protected:
    // What the layers above build on; each keeps its own state private.
    //
    // A handler may destroy its socket. Code that may call one (a Fire*,
    // ChangeState, Close, Abort, Send, ReportError, SocketError,
    // ProcessMessages) runs its steps through InTurn, or holds a Watch() across
    // them, and touches nothing of the socket once it is gone; code that calls
    // no handler needs no check.
    template <class... Steps>
    [[nodiscard]] bool InTurn(Steps&&... steps)
    {
        const TAliveWatch alive = FAlive.Watch();
        return ((std::forward<Steps>(steps)(), static_cast<bool>(alive)) && ...);
    }
    TAliveWatch Watch() const { return FAlive.Watch(); }

    // The one way the state changes; OnChangeState follows a change.
    void ChangeState(TSocketState NewState);

    // Failures: ReportError hands the text to OnError when set, else raises
    // ESocketException; SocketError reads the last WinSock error first.
    void ReportErrorFmt(const char* Fmt, ...) __attribute__((format(printf, 2, 3)));
    virtual void ReportError(const std::string& Msg);
    void SocketError(const std::string& FunctionName);
    void SetLastError(int Error) { FLastError = Error; }
    virtual void HandleBackgroundError(const std::exception& E);

    // The message parameter of a socket event for the current connection.
    intptr_t EventParam(uint16_t Events, uint16_t Error = 0) const;
    // Runs the work of a posted message: a failure goes to
    // HandleBackgroundError, unless the work destroyed the socket.
    template <class Work>
    void RunMessage(Work&& work)
    {
        const TAliveWatch alive = FAlive.Watch();
        try {
            std::forward<Work>(work)();
        } catch (const std::exception& E) {
            if (alive)
                HandleBackgroundError(E);
        }
    }
    virtual void WndProc(const TMessage& Msg);
    virtual void ResetDefaults();

    // Connect goes to this address (host order) and port instead of Addr:Port.
    void ConnectTo(uint32_t HostAddr, uint16_t PortNum);
    virtual void CloseSocketInternal(bool ShutdownFirst, uint16_t Error);
    virtual int SendChunk(const void* Data, int Len);
    void TryToSend();
    virtual int RecvRaw(void* Buffer, int Len, int Flags);
    // Bytes a layer holds for the user beyond what the descriptor has.
    virtual bool BytesHeld() const { return false; }
    // For a layer that moves bytes on the descriptor itself (TLS): a read
    // there counts as a receive and lets FD_READ come again; ArmWrite lets
    // FD_WRITE come when the descriptor takes more; PostReadEvent announces
    // bytes the layer holds, which the descriptor will not announce.
    void NoteRawRead();
    void ArmWrite();
    void PostReadEvent();

    virtual bool FireDataAvailable(uint16_t Error);
    virtual void FireSessionAvailable(uint16_t Error);
    virtual void FireSessionConnected(uint16_t Error);
    virtual void FireSessionClosed(uint16_t Error);
    virtual void FireDataSent(uint16_t Error);
    virtual void FireChangeState(TSocketState OldState, TSocketState NewState);
    virtual void FireDnsLookupDone(uint16_t Error);
    virtual void FireError();

private:
    // The events selected while connecting, listening and connected.
    static constexpr uint16_t kConnectEvents = FD_READ | FD_WRITE | FD_ACCEPT | FD_CONNECT | FD_CLOSE; // 0x3B
    static constexpr uint16_t kListenEvents = FD_READ | FD_WRITE | FD_ACCEPT | FD_CLOSE;               // 0x2B
    static constexpr uint16_t kConnectedEvents = FD_READ | FD_WRITE | FD_CONNECT | FD_CLOSE;           // 0x33

    void HandleSocketEvent(const TMessage& Msg);
    void HandleLookupDone(const TMessage& Msg);
    void ReceiveLoop(uint16_t Error);
    // One pass of the receive loop; false when the loop ends.
    bool ReceivePass(uint16_t Error, bool& Drained);
    int RecvFromRaw(void* Buffer, int Len, sockaddr_in& From, int& FromLen);
    bool StartLookup(const std::string& Host);
    void CoreResetDefaults();
    void ResolveAll();
    // Resolves what is set, opens the descriptor and enters wsOpened; false
    // when that failed (reported, Operation naming a failed resolve) or a
    // handler destroyed the socket.
    bool OpenSocket(const char* Operation, const char* FailureName);
    void ReleaseHandle();
    void BindLocal();
    void DeleteBufferedData();
    void SetLingerOption();
    void PutDataInSendBuffer(const void* Data, int Len);
    void StartAsyncSelect(uint16_t Events, const char* FailureName);

    TAliveToken FAlive;
    std::string FDnsResult;
    std::vector<std::string> FDnsResultList;
    TSocket FAcceptedHandle = INVALID_SOCKET;
    std::deque<std::unique_ptr<TBuffer>> FBufList;
    int FBufSize = 1514;
    int FSendFlags = 0;
    int FLastError = 0;
    std::unique_ptr<TMessageWindow> FWindow;
    uintptr_t FLookupHandle = 0;
    TSocket FHSocket = INVALID_SOCKET;
    std::string FAddrStr;
    bool FAddrResolved = false;
    bool FAddrAssigned = false;
    int FProto = IPPROTO_TCP;
    bool FProtoAssigned = true;
    bool FProtoResolved = false;
    bool FLocalPortResolved = false;
    std::string FProtoStr = "tcp";
    std::string FPortStr;
    bool FPortAssigned = false;
    bool FPortResolved = false;
    uint16_t FPortNum = 0;
    std::string FLocalPortStr = "0";
    uint16_t FLocalPortNum = 0;
    int FType = 1; // 1 stream, 2 datagram
    TSocketLingerOnOff FLingerOnOff = wsLingerOn;
    int FLingerTimeout = 0;
    bool FAllSent = true;
    int FReadCount = 0;
    bool FPaused = false;
    bool FCloseInvoked = false;
    TSocketState FState = wsClosed;
    sockaddr_in FSin{};
    std::unique_ptr<TAsyncSelect> FSelect;
    uint32_t FSerial = 0;     // tells this connection's notifications from stale ones
    unsigned FRecvCalls = 0;  // receive attempts, to see whether a handler read anything
    // Whether the last plain receive emptied the descriptor (short, or would
    // block): unknown after a layer's own reads, which then ask the descriptor.
    std::optional<bool> FRecvDrained;
    bool FDestroying = false;
};
