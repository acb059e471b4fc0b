#pragma once
#include "net/LayerErrors.h"

#include <cstdint>
#include <iosfwd>
#include <optional>
#include <string>

enum TSocksAuthentication { socksNoAuthentication, socksAuthenticateUsercode };
enum TSocksAuthState { authStart, authSuccess, authFailure, authNotRequired };

const char* Name(TSocksAuthState State);
void PrintTo(TSocksAuthState State, std::ostream* Out);

// What a SOCKS connection asks for: level "4", "4A" or "5", credentials, and
// the destination (a name or dotted address, and the port).
struct TSocksRequest {
    std::string Level = "5";
    TSocksAuthentication Authentication = socksNoAuthentication;
    std::string Usercode;
    std::string Password;
    std::string Host;
    uint16_t Port = 0;
};

// The outcome of one step, to be carried out in this order: report AuthState,
// then send Send, then end with Failed (Error, Text) or with success (Done).
struct TSocksStep {
    std::optional<TSocksAuthState> AuthState;
    std::string Send;
    bool Done = false;
    int Error = 0; // a TSocksError, or the WinSock error the socket saw
    std::string Text;
    bool Failed() const { return Error != 0; }
};

// The client side of the SOCKS exchange, without a socket: it builds the
// requests and reads the server's replies. The caller reads at most Room()
// bytes at a time, so the reply area never overflows and the bytes after the
// final reply (the user's data) stay in the socket.
class TSocksExchange {
public:
    // Unstarted until the connection to the server stands (and, for version
    // 4, the destination is looked up); Finished once granted or failed.
    enum TState : uint8_t { Unstarted, WaitMethod, WaitAuth, WaitConnect, Finished };

    explicit TSocksExchange(TSocksRequest Request);

    // The first request: version 5 method selection, or the version 4/4A
    // connect request (AddrV4 is the destination for version 4, host order).
    TSocksStep Start(uint32_t AddrV4 = 0);
    // How many reply bytes may be read now; 0 when no reply is awaited.
    int Room() const;
    // Takes reply bytes (at most Room()).
    TSocksStep Feed(const uint8_t* Data, int Len);

    TState State() const { return FState; }
    int ReplyCount() const { return FReplyCount; }
    const std::string& BoundAddr() const { return FBoundAddr; }
    const std::string& BoundPort() const { return FBoundPort; }

    // Largest reply: version 5 with a 255-byte name.
    static constexpr int ReplySize = 4 + 1 + 255 + 2;

private:
    TSocksStep ConnectRequest(TSocksStep Step);
    TSocksStep Fail(int Error, std::string Text, std::optional<TSocksAuthState> AuthState = {});
    std::optional<TSocksStep> Refusal() const;
    TSocksStep MethodReply();
    TSocksStep AuthReply();
    TSocksStep Connect4Reply();
    std::optional<TSocksStep> Connect5Reply();
    int Connect5Length() const;

    TSocksRequest FRequest;
    bool FLevel5;
    TState FState = Unstarted;
    uint8_t FAuthMethod = 0;
    uint32_t FAddrV4 = 0;
    uint8_t FReply[ReplySize] = {};
    int FReplyCount = 0;
    std::string FBoundAddr;
    std::string FBoundPort;
};

const char* Name(TSocksExchange::TState State);
void PrintTo(TSocksExchange::TState State, std::ostream* Out);
