#pragma once
#include "net/winsock/SocketException.h"

#include <cstdint>
#include <exception>
#include <functional>
#include <string>

class TCustomWSocket;

enum TSocketState {
    wsInvalidState,
    wsOpened,
    wsBound,
    wsConnecting,
    wsConnected,
    wsAccepting,
    wsListening,
    wsClosed
};

enum TSocketSendFlags { wsSendNormal, wsSendUrgent };

enum TSocketLingerOnOff { wsLingerOff, wsLingerOn, wsLingerNoSet };

// Messages of the socket's notification object (WM_USER + n).
constexpr uint32_t WM_USER = 1024;
constexpr uint32_t WM_SOCKET_EVENT = WM_USER + 1;       // wParam handle, lParam a TSocketNotice
constexpr uint32_t WM_SOCKET_NAME_LOOKUP = WM_USER + 2; // wParam lookup handle, lParam a TSocketNotice
constexpr uint32_t WM_SOCKET_ADDR_LOOKUP = WM_USER + 3;
constexpr uint32_t WM_SOCKET_LINE_RESUME = WM_USER + 20;

// Event handlers. Error is a WinSock error number, 0 for success.
using TNotifyEvent = std::function<void(TCustomWSocket* Sender)>;
using TSocketErrorEvent = std::function<void(TCustomWSocket* Sender, uint16_t Error)>;
using TDataAvailable = TSocketErrorEvent;
using TDataSent = TSocketErrorEvent;
using TSessionClosed = TSocketErrorEvent;
using TSessionAvailable = TSocketErrorEvent;
using TSessionConnected = TSocketErrorEvent;
using TDnsLookupDone = TSocketErrorEvent;
using TChangeState =
    std::function<void(TCustomWSocket* Sender, TSocketState OldState, TSocketState NewState)>;
using TBgExceptionEvent =
    std::function<void(TCustomWSocket* Sender, const std::exception& E, bool& CanClose)>;
