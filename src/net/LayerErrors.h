#pragma once
#include <cstdint>

// Error numbers the socket's layers add to WinSock's; a failure the socket
// itself sees keeps its WinSock number.

// SOCKS: the server's refusals and what the client refuses to ask.
enum TSocksError : int {
    socksLogicError = 20001,         // the server said more than it was asked
    socksVersionError = 20002,
    socksMethodRefused = 20003,      // no authentication method offered is acceptable
    socksGeneralFailure = 20004,     // 20004 to 20011: version 5 reply codes 1 to 8
    socksNotAllowed = 20005,
    socksNetworkUnreachable = 20006,
    socksHostUnreachable = 20007,
    socksConnectionRefused = 20008,
    socksTtlExpired = 20009,
    socksCommandNotSupported = 20010,
    socksAddressTypeNotSupported = 20011,
    socksUnassignedError = 20012,
    socksInternalError = 20013,
    socksRequestTooLarge = 20014,    // a field does not fit its place in the request
    socksAuthFailed = 20015,
    socksRequestRejected = 20016,
    socksLookupFailed = 20017,       // the destination of a version 4 request was not found
};

// TLS: a failed handshake or certificate check, or an alert that ended the
// connection. TlsFailure() says which.
constexpr uint16_t WSOCKET_TLS_FAILED = 20050;
