#pragma once
#include <cstdint>
#include <string>
#include <vector>

class TMessageWindow;

// Asynchronous name lookup on the event loop (c-ares, no threads). A finished
// lookup is posted to its window as message Msg with wParam = the lookup's
// handle and lParam the TSocketNotice of its WinSock error.

// Lookup sources in c-ares notation: "f" hosts file, "b" DNS; default "fb".
// Tests use "f" so that no name server is ever asked. Takes effect at the
// next start-up.
void WSocketSetDnsLookups(const std::string& Lookups);
// Name servers as "host[:port],..." (empty: the system's); next start-up.
void WSocketSetDnsServers(const std::string& Servers);

// Start-up and shut-down of the shared resolver (0 or a c-ares status).
int DnsStartup();
void DnsCleanup();

// Start a lookup; 0 when it cannot start (WSAGetLastError tells why).
uintptr_t WSAAsyncGetHostByName(TMessageWindow* Window, uint32_t Msg, const std::string& Name);
uintptr_t WSAAsyncGetHostByAddr(TMessageWindow* Window, uint32_t Msg, uint32_t AddrNetOrder);
// Forgets a lookup, whether finished or not: its message is never delivered
// or is ignored. false (WSAEINVAL) for an unknown handle.
bool WSACancelAsyncRequest(uintptr_t Handle);
// Takes the result of a finished lookup: dotted addresses, or the host name
// of an address lookup.
std::vector<std::string> WSocketTakeLookupResult(uintptr_t Handle);
// Blocking lookup through the same sources; false when the name is unknown.
bool WSocketGetHostByName(const std::string& Name, uint32_t& AddrNetOrder);
