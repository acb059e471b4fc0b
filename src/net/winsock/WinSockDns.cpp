#include "net/winsock/WinSockDns.h"

#include "net/winsock/WinSock.h"
#include "platform/MessageWindow.h"

#include <QPointer>
#include <QSocketNotifier>
#include <QTimer>

#include <ares.h>
#include <arpa/inet.h>
#include <netdb.h>
#include <sys/select.h>

#include <map>
#include <memory>

namespace {
std::string gLookups = "fb";
std::string gServers;

struct TLookup {
    TMessageWindow* Window = nullptr;
    QPointer<QObject> WindowAlive; // its receiver: gone once the window is
    uint32_t Msg = 0;
    bool Reverse = false;
    bool Done = false;
    std::vector<std::string> Result;
};

struct TFdWatch {
    std::unique_ptr<QSocketNotifier> Read;
    std::unique_ptr<QSocketNotifier> Write;
};

// Declared before the resolver, so that it outlives it at program end.
std::map<uintptr_t, TLookup> gLookupsPending;
uintptr_t gNextHandle = 0;

void DropNotifier(std::unique_ptr<QSocketNotifier>& n);

// The shared channel. Its end (also at program end) shuts c-ares down.
struct TResolver {
    ares_channel Channel = nullptr;
    std::map<ares_socket_t, TFdWatch> Watches;
    std::unique_ptr<QTimer> Timer;
    int Processing = 0; // > 0 while c-ares runs from one of our notifiers
    bool HostsOnly = false;

    ~TResolver()
    {
        gLookupsPending.clear(); // c-ares calls back with ARES_EDESTRUCTION: nothing to post
        if (Channel != nullptr)
            ares_destroy(Channel);
        for (auto& [fd, w] : Watches) {
            DropNotifier(w.Read);
            DropNotifier(w.Write);
        }
        ares_library_cleanup();
    }
};

std::unique_ptr<TResolver> gResolver;

int AresToWsa(int status)
{
    switch (status) {
    case ARES_SUCCESS: return 0;
    case ARES_ENOTFOUND: return WSAHOST_NOT_FOUND;
    case ARES_ENODATA: return WSANO_DATA;
    case ARES_ETIMEOUT:
    case ARES_ESERVFAIL:
    case ARES_ECONNREFUSED: return WSATRY_AGAIN;
    case ARES_ECANCELLED:
    case ARES_EDESTRUCTION: return WSAEINTR;
    default: return WSANO_RECOVERY;
    }
}

// Notifiers may be dropped while c-ares runs inside one of their signals.
void DropNotifier(std::unique_ptr<QSocketNotifier>& n)
{
    if (!n)
        return;
    n->setEnabled(false);
    if (gResolver && gResolver->Processing > 0)
        n.release()->deleteLater();
    else
        n.reset();
}

void ArmTimer()
{
    timeval tv{};
    if (ares_timeout(gResolver->Channel, nullptr, &tv) == nullptr) {
        gResolver->Timer->stop();
        return;
    }
    gResolver->Timer->start(static_cast<int>(tv.tv_sec * 1000 + (tv.tv_usec + 999) / 1000));
}

void Process(ares_socket_t readFd, ares_socket_t writeFd)
{
    ++gResolver->Processing;
    ares_process_fd(gResolver->Channel, readFd, writeFd);
    --gResolver->Processing;
    if (gResolver)
        ArmTimer();
}

void SocketStateChanged(void*, ares_socket_t fd, int readable, int writable)
{
    TFdWatch& w = gResolver->Watches[fd];
    if (readable && !w.Read) {
        w.Read = std::make_unique<QSocketNotifier>(fd, QSocketNotifier::Read);
        QObject::connect(w.Read.get(), &QSocketNotifier::activated, [fd] { Process(fd, ARES_SOCKET_BAD); });
    }
    if (w.Read)
        w.Read->setEnabled(readable != 0);
    if (writable && !w.Write) {
        w.Write = std::make_unique<QSocketNotifier>(fd, QSocketNotifier::Write);
        QObject::connect(w.Write.get(), &QSocketNotifier::activated, [fd] { Process(ARES_SOCKET_BAD, fd); });
    }
    if (w.Write)
        w.Write->setEnabled(writable != 0);
    if (!readable && !writable) {
        DropNotifier(w.Read);
        DropNotifier(w.Write);
        gResolver->Watches.erase(fd);
    }
}

int InitChannel(ares_channel* channel, bool withCallbacks)
{
    ares_options options{};
    int mask = ARES_OPT_LOOKUPS;
    options.lookups = const_cast<char*>(gLookups.c_str());
    if (withCallbacks) {
        options.sock_state_cb = SocketStateChanged;
        mask |= ARES_OPT_SOCK_STATE_CB;
    }
    int r = ares_init_options(channel, &options, mask);
    if (r == ARES_SUCCESS && !gServers.empty())
        r = ares_set_servers_ports_csv(*channel, gServers.c_str());
    return r;
}

std::vector<std::string> Addresses(const hostent* host)
{
    std::vector<std::string> list;
    if (host == nullptr || host->h_addrtype != AF_INET)
        return list;
    char text[INET_ADDRSTRLEN];
    for (char** a = host->h_addr_list; *a != nullptr; ++a)
        list.emplace_back(inet_ntop(AF_INET, *a, text, sizeof text));
    return list;
}

void LookupDone(void* arg, int status, int, hostent* host)
{
    const auto handle = reinterpret_cast<uintptr_t>(arg);
    const auto it = gLookupsPending.find(handle);
    if (it == gLookupsPending.end())
        return; // cancelled
    TLookup& lookup = it->second;
    // Without name servers, c-ares ends a name missing from the hosts file
    // with "could not contact DNS servers": to the caller the host is unknown.
    if (status == ARES_ECONNREFUSED && gResolver->HostsOnly)
        status = ARES_ENOTFOUND;
    int error = AresToWsa(status);
    if (error == 0) {
        if (lookup.Reverse && host != nullptr && host->h_name != nullptr)
            lookup.Result = {host->h_name};
        else if (!lookup.Reverse)
            lookup.Result = Addresses(host);
        if (lookup.Result.empty())
            error = WSANO_DATA;
    }
    lookup.Done = true;
    if (lookup.WindowAlive)
        lookup.Window->PostMessage(lookup.Msg, handle, TSocketNotice{0, static_cast<uint16_t>(error), 0}.Pack());
    else
        gLookupsPending.erase(it);
}

uintptr_t StartLookup(TMessageWindow* window, uint32_t msg, bool reverse)
{
    if (!gResolver || window == nullptr) {
        WSASetLastError(gResolver ? WSAEINVAL : WSANOTINITIALISED);
        return 0;
    }
    const uintptr_t handle = ++gNextHandle;
    TLookup& lookup = gLookupsPending[handle];
    lookup.Window = window;
    lookup.WindowAlive = window->Receiver();
    lookup.Msg = msg;
    lookup.Reverse = reverse;
    return handle;
}
}

void WSocketSetDnsLookups(const std::string& Lookups) { gLookups = Lookups; }

void WSocketSetDnsServers(const std::string& Servers) { gServers = Servers; }

int DnsStartup()
{
    if (gResolver)
        return 0;
    const int r = ares_library_init(ARES_LIB_INIT_ALL);
    if (r != ARES_SUCCESS)
        return r;
    auto resolver = std::make_unique<TResolver>();
    resolver->HostsOnly = gLookups.find('b') == std::string::npos;
    gResolver = std::move(resolver);
    if (const int status = InitChannel(&gResolver->Channel, true); status != ARES_SUCCESS) {
        gResolver.reset();
        return status;
    }
    gResolver->Timer = std::make_unique<QTimer>();
    gResolver->Timer->setSingleShot(true);
    QObject::connect(gResolver->Timer.get(), &QTimer::timeout, [] { Process(ARES_SOCKET_BAD, ARES_SOCKET_BAD); });
    return 0;
}

void DnsCleanup() { gResolver.reset(); }

uintptr_t WSAAsyncGetHostByName(TMessageWindow* Window, uint32_t Msg, const std::string& Name)
{
    const uintptr_t handle = StartLookup(Window, Msg, false);
    if (handle != 0) {
        ares_gethostbyname(gResolver->Channel, Name.c_str(), AF_INET, LookupDone,
                           reinterpret_cast<void*>(handle));
        ArmTimer();
    }
    return handle;
}

uintptr_t WSAAsyncGetHostByAddr(TMessageWindow* Window, uint32_t Msg, uint32_t AddrNetOrder)
{
    const uintptr_t handle = StartLookup(Window, Msg, true);
    if (handle != 0) {
        ares_gethostbyaddr(gResolver->Channel, &AddrNetOrder, sizeof AddrNetOrder, AF_INET, LookupDone,
                           reinterpret_cast<void*>(handle));
        ArmTimer();
    }
    return handle;
}

bool WSACancelAsyncRequest(uintptr_t Handle)
{
    if (gLookupsPending.erase(Handle) == 0) {
        WSASetLastError(WSAEINVAL);
        return false;
    }
    return true;
}

std::vector<std::string> WSocketTakeLookupResult(uintptr_t Handle)
{
    std::vector<std::string> result;
    const auto it = gLookupsPending.find(Handle);
    if (it != gLookupsPending.end() && it->second.Done) {
        result = std::move(it->second.Result);
        gLookupsPending.erase(it);
    }
    return result;
}

bool WSocketGetHostByName(const std::string& Name, uint32_t& AddrNetOrder)
{
    ares_channel channel = nullptr;
    if (InitChannel(&channel, false) != ARES_SUCCESS) {
        if (channel != nullptr)
            ares_destroy(channel);
        return false;
    }
    struct TResult {
        bool Done = false;
        std::vector<std::string> Addresses;
    } result;
    ares_gethostbyname(channel, Name.c_str(), AF_INET,
                       [](void* arg, int status, int, hostent* host) {
                           auto* r = static_cast<TResult*>(arg);
                           r->Done = true;
                           if (status == ARES_SUCCESS)
                               r->Addresses = Addresses(host);
                       },
                       &result);
    while (!result.Done) {
        fd_set readers, writers;
        FD_ZERO(&readers);
        FD_ZERO(&writers);
        const int nfds = ares_fds(channel, &readers, &writers);
        if (nfds == 0)
            break;
        timeval tv{};
        timeval* wait = ares_timeout(channel, nullptr, &tv);
        select(nfds, &readers, &writers, nullptr, wait);
        ares_process(channel, &readers, &writers);
    }
    ares_destroy(channel);
    if (result.Addresses.empty())
        return false;
    inet_pton(AF_INET, result.Addresses.front().c_str(), &AddrNetOrder);
    return true;
}
