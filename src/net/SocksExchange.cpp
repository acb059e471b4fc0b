#include "net/SocksExchange.h"

#include "net/WSocketResolve.h"

#include <arpa/inet.h>

#include <algorithm>
#include <cstring>
#include <ostream>

namespace {
constexpr size_t MaxField = 255; // a length byte, or what servers take for a zero-ended field

void PutPort(std::string& out, uint16_t port)
{
    out += static_cast<char>(port >> 8);
    out += static_cast<char>(port & 0xFF);
}

std::string FiveFailureText(uint8_t code)
{
    static const char* const texts[] = {"general SOCKS server failure", "connection not allowed by ruleset",
                                        "network unreachable",          "host unreachable",
                                        "connection refused",           "time to live expired",
                                        "command not supported",        "address type not supported"};
    if (code >= 1 && code <= 8)
        return texts[code - 1];
    return "unassigned error #" + std::to_string(code);
}
}

TSocksExchange::TSocksExchange(TSocksRequest Request) : FRequest(std::move(Request)), FLevel5(FRequest.Level == "5") {}

TSocksStep TSocksExchange::Fail(int Error, std::string Text, std::optional<TSocksAuthState> AuthState)
{
    FState = Finished;
    FReplyCount = 0;
    TSocksStep step;
    step.AuthState = AuthState;
    step.Error = Error;
    step.Text = std::move(Text);
    return step;
}

// Fields that do not fit their place in a request are refused, never cut.
std::optional<TSocksStep> TSocksExchange::Refusal() const
{
    const std::string& host = FRequest.Host;
    const bool sendsHost = FRequest.Level != "4";
    if (sendsHost && host.size() > MaxField)
        return TSocksStep{{}, {}, false, socksRequestTooLarge, "socks host name too long"};
    // A line end or zero byte in the name would cut or forge what the server reads.
    if (sendsHost && WSocketHasControlChar(host))
        return TSocksStep{{}, {}, false, socksRequestTooLarge, "socks host name holds a control character"};
    const bool sendsPassword = FLevel5 && FRequest.Authentication == socksAuthenticateUsercode;
    if (FRequest.Usercode.size() > MaxField || (sendsPassword && FRequest.Password.size() > MaxField))
        return TSocksStep{{}, {}, false, socksRequestTooLarge, "socks user code or password too long"};
    if (!FLevel5 && FRequest.Usercode.find('\0') != std::string::npos)
        return TSocksStep{{}, {}, false, socksRequestTooLarge, "socks user code holds a zero byte"};
    return std::nullopt;
}

TSocksStep TSocksExchange::Start(uint32_t AddrV4)
{
    FReplyCount = 0;
    FAddrV4 = AddrV4;
    if (auto refusal = Refusal()) {
        FState = Finished;
        return *refusal;
    }
    if (!FLevel5)
        return ConnectRequest({});
    FAuthMethod = FRequest.Authentication == socksAuthenticateUsercode ? 2 : 0;
    FState = WaitMethod;
    TSocksStep step;
    step.Send = {'\x05', '\x01', static_cast<char>(FAuthMethod)};
    return step;
}

TSocksStep TSocksExchange::ConnectRequest(TSocksStep Step)
{
    std::string& out = Step.Send;
    if (FLevel5) {
        // The destination always goes as a name, also a dotted address.
        out = {'\x05', '\x01', '\x00', '\x03', static_cast<char>(FRequest.Host.size())};
        out += FRequest.Host;
        PutPort(out, FRequest.Port);
    } else {
        const bool fourA = FRequest.Level == "4A";
        const uint32_t addr = fourA ? 1 : FAddrV4;
        out = {'\x04', '\x01'};
        PutPort(out, FRequest.Port);
        for (int shift = 24; shift >= 0; shift -= 8)
            out += static_cast<char>((addr >> shift) & 0xFF);
        out += FRequest.Usercode;
        out += '\0';
        if (fourA) {
            out += FRequest.Host;
            out += '\0';
        }
    }
    FState = WaitConnect;
    FReplyCount = 0;
    return Step;
}

int TSocksExchange::Connect5Length() const
{
    if (FReplyCount < 5)
        return 5;
    switch (FReply[3]) {
    case 1: return 10;
    case 3: return FReply[4] + 7;
    case 4: return 22;
    default: return 5;
    }
}

int TSocksExchange::Room() const
{
    switch (FState) {
    case WaitMethod: return 2 - FReplyCount;
    // One byte more than the reply: a server that says more before it is asked is wrong.
    case WaitAuth: return 3 - FReplyCount;
    case WaitConnect: return (FLevel5 ? Connect5Length() : 8) - FReplyCount;
    default: return 0;
    }
}

TSocksStep TSocksExchange::Feed(const uint8_t* Data, int Len)
{
    const int n = std::clamp(Len, 0, Room());
    std::memcpy(FReply + FReplyCount, Data, static_cast<size_t>(n));
    FReplyCount += n;
    switch (FState) {
    case WaitMethod: return MethodReply();
    case WaitAuth: return AuthReply();
    case WaitConnect:
        if (!FLevel5)
            return Connect4Reply();
        if (auto step = Connect5Reply())
            return *step;
        return {};
    default: return Fail(socksInternalError, "internal error");
    }
}

TSocksStep TSocksExchange::MethodReply()
{
    if (FReplyCount < 2)
        return {};
    FReplyCount = 0;
    if (FReply[0] != 5)
        return Fail(socksVersionError, "socks version error");
    if (FReply[1] == 0) {
        TSocksStep step;
        if (FAuthMethod != 0)
            step.AuthState = authNotRequired;
        return ConnectRequest(step);
    }
    // Only a method that was offered is acceptable: credentials go only where asked for.
    if (FReply[1] != 2 || FAuthMethod != 2)
        return Fail(socksMethodRefused, "authentification method not acceptable");
    TSocksStep step;
    step.AuthState = authStart;
    step.Send = {'\x01', static_cast<char>(FRequest.Usercode.size())};
    step.Send += FRequest.Usercode;
    step.Send += static_cast<char>(FRequest.Password.size());
    step.Send += FRequest.Password;
    FState = WaitAuth;
    return step;
}

TSocksStep TSocksExchange::AuthReply()
{
    if (FReply[0] != 1)
        return Fail(socksVersionError, "socks version error", authFailure);
    if (FReplyCount > 2)
        return Fail(socksLogicError, "too much data availaible", authFailure);
    if (FReplyCount < 2)
        return {};
    if (FReply[1] != 0)
        return Fail(socksAuthFailed, "socks authentication failed", authFailure);
    TSocksStep step;
    step.AuthState = authSuccess;
    return ConnectRequest(step);
}

TSocksStep TSocksExchange::Connect4Reply()
{
    if (FReplyCount < 8)
        return {};
    FReplyCount = 0;
    FState = Finished;
    if (FReply[0] != 0)
        return Fail(socksVersionError, "socks version error");
    switch (FReply[1]) {
    case 90: {
        TSocksStep step;
        step.Done = true;
        return step;
    }
    case 91: return Fail(socksRequestRejected, "request rejected or failed");
    case 92: return Fail(socksConnectionRefused, "connection refused");
    case 93: return Fail(socksAuthFailed, "authentification failed");
    default: return Fail(socksUnassignedError, "unassigned error #" + std::to_string(FReply[1]));
    }
}

std::optional<TSocksStep> TSocksExchange::Connect5Reply()
{
    if (FReplyCount >= 1 && FReply[0] != 5)
        return Fail(socksVersionError, "socks version error");
    if (FReplyCount >= 2 && FReply[1] != 0) {
        const uint8_t code = FReply[1];
        return Fail(code >= 1 && code <= 8 ? socksGeneralFailure + code - 1 : socksUnassignedError, FiveFailureText(code));
    }
    if (FReplyCount < 5)
        return std::nullopt;
    const uint8_t type = FReply[3];
    if (type != 1 && type != 3 && type != 4)
        return Fail(socksAddressTypeNotSupported, "address type not supported");
    const int length = Connect5Length();
    if (FReplyCount < length)
        return std::nullopt;
    char text[INET6_ADDRSTRLEN] = {};
    if (type == 1)
        inet_ntop(AF_INET, FReply + 4, text, sizeof text);
    else if (type == 4)
        inet_ntop(AF_INET6, FReply + 4, text, sizeof text);
    FBoundAddr = type == 3 ? std::string(reinterpret_cast<const char*>(FReply + 5), FReply[4]) : std::string(text);
    FBoundPort = std::to_string((FReply[length - 2] << 8) | FReply[length - 1]);
    FReplyCount = 0;
    FState = Finished;
    TSocksStep step;
    step.Done = true;
    return step;
}

const char* Name(TSocksAuthState State)
{
    switch (State) {
    case authStart: return "authStart";
    case authSuccess: return "authSuccess";
    case authFailure: return "authFailure";
    case authNotRequired: return "authNotRequired";
    }
    return "?";
}

void PrintTo(TSocksAuthState State, std::ostream* Out) { *Out << Name(State); }

const char* Name(TSocksExchange::TState State)
{
    switch (State) {
    case TSocksExchange::Unstarted: return "Unstarted";
    case TSocksExchange::WaitMethod: return "WaitMethod";
    case TSocksExchange::WaitAuth: return "WaitAuth";
    case TSocksExchange::WaitConnect: return "WaitConnect";
    case TSocksExchange::Finished: return "Finished";
    }
    return "?";
}

void PrintTo(TSocksExchange::TState State, std::ostream* Out) { *Out << Name(State); }
