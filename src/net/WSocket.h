#pragma once
#include "net/WSocketSync.h"

// The asynchronous socket component. The operations, properties and events
// are declared by its layers:
//   WSocketCore.h  TCustomWSocket: lookup, connect, send, receive, close, listen
//   WSocketSocks.h TCustomSocksWSocket: SOCKS properties and events
//   WSocketTls.h   TCustomTlsWSocket: TLS over the connection (TlsSession.h, OpenSSL)
//   WSocketLine.h  TCustomLineWSocket: line mode
//   WSocketSync.h  TCustomSyncWSocket: wait routines
// Related: WSocketTypes.h (states, events), WSocketErrors.h (WSocketErrorText),
// WSocketResolve.h, and the WinSock stand-in in winsock/: WinSock.h (error
// numbers, start-up and live-socket count), SocketException.h, WinSockSelect.h,
// WinSockDns.h (lookup sources: tests use the hosts file only).
class TWSocket : public TCustomSyncWSocket {
};
