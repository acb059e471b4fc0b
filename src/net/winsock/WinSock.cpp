#include "net/winsock/WinSock.h"

#include "net/winsock/SocketException.h"
#include "net/winsock/WinSockDns.h"

#include <cerrno>
#include <cstdio>

namespace {
const char* const kLibraryName = "wsock32.dll";

int gLastError = 0;
bool gLoaded = false;
int gStartCount = 0;
int gLiveCount = 0;
}

int WSAGetLastError() { return gLastError; }

void WSASetLastError(int error) { gLastError = error; }

int WSocketErrnoToWsa(int err)
{
    switch (err) {
    case 0: return 0;
    case EINTR: return WSAEINTR;
    case EBADF: return WSAENOTSOCK; // a closed handle is "not a socket" to WinSock
    case EACCES:
    case EPERM: return WSAEACCES;
    case EFAULT: return WSAEFAULT;
    case EINVAL: return WSAEINVAL;
    case EMFILE:
    case ENFILE: return WSAEMFILE;
    case EAGAIN:
    case EINPROGRESS: return WSAEWOULDBLOCK; // a non-blocking connect "would block" there
    case EALREADY: return WSAEALREADY;
    case ENOTSOCK: return WSAENOTSOCK;
    case EDESTADDRREQ: return WSAEDESTADDRREQ;
    case EMSGSIZE: return WSAEMSGSIZE;
    case EPROTOTYPE: return WSAEPROTOTYPE;
    case ENOPROTOOPT: return WSAENOPROTOOPT;
    case EPROTONOSUPPORT: return WSAEPROTONOSUPPORT;
    case ESOCKTNOSUPPORT: return WSAESOCKTNOSUPPORT;
    case EOPNOTSUPP: return WSAEOPNOTSUPP;
    case EPFNOSUPPORT: return WSAEPFNOSUPPORT;
    case EAFNOSUPPORT: return WSAEAFNOSUPPORT;
    case EADDRINUSE: return WSAEADDRINUSE;
    case EADDRNOTAVAIL: return WSAEADDRNOTAVAIL;
    case ENETDOWN: return WSAENETDOWN;
    case ENETUNREACH: return WSAENETUNREACH;
    case ENETRESET: return WSAENETRESET;
    case ECONNABORTED: return WSAECONNABORTED;
    case ECONNRESET:
    case EPIPE: return WSAECONNRESET;
    case ENOBUFS:
    case ENOMEM: return WSAENOBUFS;
    case EISCONN: return WSAEISCONN;
    case ENOTCONN: return WSAENOTCONN;
    case ESHUTDOWN: return WSAESHUTDOWN;
    case ETOOMANYREFS: return WSAETOOMANYREFS;
    case ETIMEDOUT: return WSAETIMEDOUT;
    case ECONNREFUSED: return WSAECONNREFUSED;
    case ELOOP: return WSAELOOP;
    case ENAMETOOLONG: return WSAENAMETOOLONG;
    case EHOSTDOWN: return WSAEHOSTDOWN;
    case EHOSTUNREACH: return WSAEHOSTUNREACH;
    case ENOTEMPTY: return WSAENOTEMPTY;
    case EUSERS: return WSAEUSERS;
    case EDQUOT: return WSAEDQUOT;
    case ESTALE: return WSAESTALE;
    case EREMOTE: return WSAEREMOTE;
    default: return WSAEINVAL;
    }
}

void WSocketSetLastErrorFromErrno() { gLastError = WSocketErrnoToWsa(errno); }

void WSocketLoad()
{
    if (gLoaded)
        return;
    const int r = DnsStartup();
    if (r != 0) {
        char text[128];
        std::snprintf(text, sizeof text, "%s: WSAStartup error #%d", kLibraryName, r);
        throw ESocketException(text);
    }
    gLoaded = true;
    ++gStartCount;
}

void WSocketUnload()
{
    if (!gLoaded)
        return;
    DnsCleanup();
    gLoaded = false;
}

bool WSocketIsLoaded() { return gLoaded; }

int WSocketStartCount() { return gStartCount; }

int WSocketGetLiveCount() { return gLiveCount; }

void WSocketAddLiveSocket() { ++gLiveCount; }

void WSocketRemoveLiveSocket()
{
    if (--gLiveCount < 1) {
        gLiveCount = 0;
        WSocketUnload();
    }
}
