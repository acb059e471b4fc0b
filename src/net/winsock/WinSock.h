#pragma once
#include <cstdint>

// The Windows Sockets stand-in: WinSock error numbers, the per-process last
// error, errno mapping, and the one-time start-up with its live-socket count.

using TSocket = int;
constexpr TSocket INVALID_SOCKET = -1;
constexpr int SOCKET_ERROR = -1;

// Network event bits of a WM_SOCKET_EVENT message (low word of lParam).
constexpr uint16_t FD_READ = 0x01;
constexpr uint16_t FD_WRITE = 0x02;
constexpr uint16_t FD_OOB = 0x04;
constexpr uint16_t FD_ACCEPT = 0x08;
constexpr uint16_t FD_CONNECT = 0x10;
constexpr uint16_t FD_CLOSE = 0x20;

// The lParam of a socket's notification: the connection's serial (upper 32
// bits), the WinSock error (bits 16 to 31) and the FD_ events (low word). A
// lookup's notification carries the error only.
struct TSocketNotice {
    uint32_t Serial = 0;
    uint16_t Error = 0;
    uint16_t Events = 0;

    intptr_t Pack() const
    {
        return static_cast<intptr_t>((static_cast<uint64_t>(Serial) << 32) | (static_cast<uint64_t>(Error) << 16) |
                                     Events);
    }
    static TSocketNotice Unpack(intptr_t LParam)
    {
        const auto bits = static_cast<uint64_t>(LParam);
        return {static_cast<uint32_t>(bits >> 32), static_cast<uint16_t>(bits >> 16), static_cast<uint16_t>(bits)};
    }
};

// WinSock error numbers.
enum : int {
    WSAEINTR = 10004,
    WSAEBADF = 10009,
    WSAEACCES = 10013,
    WSAEFAULT = 10014,
    WSAEINVAL = 10022,
    WSAEMFILE = 10024,
    WSAEWOULDBLOCK = 10035,
    WSAEINPROGRESS = 10036,
    WSAEALREADY = 10037,
    WSAENOTSOCK = 10038,
    WSAEDESTADDRREQ = 10039,
    WSAEMSGSIZE = 10040,
    WSAEPROTOTYPE = 10041,
    WSAENOPROTOOPT = 10042,
    WSAEPROTONOSUPPORT = 10043,
    WSAESOCKTNOSUPPORT = 10044,
    WSAEOPNOTSUPP = 10045,
    WSAEPFNOSUPPORT = 10046,
    WSAEAFNOSUPPORT = 10047,
    WSAEADDRINUSE = 10048,
    WSAEADDRNOTAVAIL = 10049,
    WSAENETDOWN = 10050,
    WSAENETUNREACH = 10051,
    WSAENETRESET = 10052,
    WSAECONNABORTED = 10053,
    WSAECONNRESET = 10054,
    WSAENOBUFS = 10055,
    WSAEISCONN = 10056,
    WSAENOTCONN = 10057,
    WSAESHUTDOWN = 10058,
    WSAETOOMANYREFS = 10059,
    WSAETIMEDOUT = 10060,
    WSAECONNREFUSED = 10061,
    WSAELOOP = 10062,
    WSAENAMETOOLONG = 10063,
    WSAEHOSTDOWN = 10064,
    WSAEHOSTUNREACH = 10065,
    WSAENOTEMPTY = 10066,
    WSAEPROCLIM = 10067,
    WSAEUSERS = 10068,
    WSAEDQUOT = 10069,
    WSAESTALE = 10070,
    WSAEREMOTE = 10071,
    WSASYSNOTREADY = 10091,
    WSAVERNOTSUPPORTED = 10092,
    WSANOTINITIALISED = 10093,
    WSAHOST_NOT_FOUND = 11001,
    WSATRY_AGAIN = 11002,
    WSANO_RECOVERY = 11003,
    WSANO_DATA = 11004,
};

int WSAGetLastError();
void WSASetLastError(int error);
// The WinSock number for a POSIX errno value.
int WSocketErrnoToWsa(int err);
// Stores the WinSock number of the current errno as the last error.
void WSocketSetLastErrorFromErrno();

// Start-up on first need (raises ESocketException when it fails), and the
// reverse. Sockets count themselves in and out; when the last one goes, the
// stand-in is shut down, so the next socket operation starts it again.
void WSocketLoad();
void WSocketUnload();
bool WSocketIsLoaded();
int WSocketStartCount(); // how many times the stand-in was started
int WSocketGetLiveCount();
void WSocketAddLiveSocket();
void WSocketRemoveLiveSocket();
