#pragma once
#include "net/WSocketSync.h"

// The asynchronous socket component. The operations, properties and events
// are declared by its layers:
//   WSocketCore.h  TCustomWSocket: lookup, connect, send, receive, close, listen
//   WSocketSocks.h TCustomSocksWSocket: SOCKS properties and events
//   WSocketLine.h  TCustomLineWSocket: line mode
//   WSocketSync.h  TCustomSyncWSocket: wait routines
// Related: WSocketTypes.h (states, events, ESocketException), WinSock.h (error
// numbers), WSocketErrors.h (WSocketErrorText), WSocketResolve.h.
class TWSocket : public TCustomSyncWSocket {
};
