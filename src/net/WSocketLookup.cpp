#include "net/WSocketCore.h"

#include "net/winsock/WinSockDns.h"

#include <arpa/inet.h>

// Clears the last result and cancels a pending lookup; false (after the
// report) for an empty host.
bool TCustomWSocket::StartLookup(const std::string& Host)
{
    if (Host.empty()) {
        if (InTurn([&] { ReportError("DNS lookup: invalid host name."); }))
            FireDnsLookupDone(WSAEINVAL);
        return false;
    }
    WSocketLoad();
    if (FLookupHandle != 0)
        WSACancelAsyncRequest(FLookupHandle);
    FLookupHandle = 0;
    FDnsResult.clear();
    FDnsResultList.clear();
    return true;
}

void TCustomWSocket::DnsLookup(const std::string& HostName)
{
    if (!StartLookup(HostName))
        return;
    const in_addr_t addr = inet_addr(HostName.c_str());
    if (addr != INADDR_NONE) {
        in_addr a{};
        a.s_addr = addr;
        FDnsResult = inet_ntoa(a);
        FireDnsLookupDone(0);
        return;
    }
    FLookupHandle = WSAAsyncGetHostByName(FWindow.get(), WM_SOCKET_NAME_LOOKUP, HostName);
    if (FLookupHandle == 0)
        ReportErrorFmt("%s: can't start DNS lookup, error #%d", HostName.c_str(), WSAGetLastError());
}

void TCustomWSocket::ReverseDnsLookup(const std::string& HostAddr)
{
    if (!StartLookup(HostAddr))
        return;
    FLookupHandle = WSAAsyncGetHostByAddr(FWindow.get(), WM_SOCKET_ADDR_LOOKUP, inet_addr(HostAddr.c_str()));
    if (FLookupHandle == 0)
        ReportErrorFmt("%s: can't start DNS lookup, error #%d", HostAddr.c_str(), WSAGetLastError());
}

void TCustomWSocket::CancelDnsLookup()
{
    if (FLookupHandle == 0)
        return;
    const bool cancelled = WSACancelAsyncRequest(FLookupHandle);
    FLookupHandle = 0;
    if (!cancelled) {
        SocketError("WSACancelAsyncRequest");
        return;
    }
    if (!FDestroying)
        FireDnsLookupDone(WSAEINTR);
}

void TCustomWSocket::HandleLookupDone(const TMessage& Msg)
{
    if (IsStaleMessage(Msg.WParam, FLookupHandle))
        return;
    std::vector<std::string> result = WSocketTakeLookupResult(FLookupHandle);
    FLookupHandle = 0;
    const uint16_t error = TSocketNotice::Unpack(Msg.LParam).Error;
    if (error == 0) {
        FDnsResultList = std::move(result);
        if (!FDnsResultList.empty())
            FDnsResult = FDnsResultList.front();
    }
    FireDnsLookupDone(error);
}
