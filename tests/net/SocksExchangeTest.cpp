#include "net/SocksExchange.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using namespace std::string_literals;
using enum TSocksExchange::TState;

// What the client did with a server's bytes that arrive in the given pieces,
// each read at most Room() bytes at a time like the socket layer reads.
struct TRun {
    std::string Sent;
    std::vector<TSocksAuthState> AuthStates;
    std::vector<TSocksExchange::TState> States; // each state the exchange went through
    bool Done = false;
    int Error = 0;
    std::string Text;
    int ByteLeft = 0; // server bytes never read
    std::string Bound; // address:port of a version 5 reply
};

void Apply(TRun& run, const TSocksStep& step, TSocksExchange::TState state)
{
    if (run.States.empty() || run.States.back() != state)
        run.States.push_back(state);
    if (step.AuthState)
        run.AuthStates.push_back(*step.AuthState);
    run.Sent += step.Send;
    run.Done = run.Done || step.Done;
    if (step.Failed()) {
        run.Error = step.Error;
        run.Text = step.Text;
    }
}

TRun Exchange(const TSocksRequest& request, const std::vector<std::string>& pieces, uint32_t addrV4 = 0)
{
    TSocksExchange x(request);
    TRun run;
    const TSocksStep first = x.Start(addrV4);
    Apply(run, first, x.State());
    for (const std::string& piece : pieces) {
        size_t at = 0;
        while (at < piece.size() && x.Room() > 0) {
            const int n = std::min(x.Room(), static_cast<int>(piece.size() - at));
            const TSocksStep step = x.Feed(reinterpret_cast<const uint8_t*>(piece.data() + at), n);
            Apply(run, step, x.State());
            at += static_cast<size_t>(n);
        }
        run.ByteLeft += static_cast<int>(piece.size() - at);
    }
    run.Bound = x.BoundAddr() + ":" + x.BoundPort();
    return run;
}

struct TExchangeCase {
    const char* name;
    TSocksRequest request;
    uint32_t addrV4;
    std::vector<std::string> replies; // the server's answer to each request
    std::string sent;      // everything the client must send
    std::vector<TSocksAuthState> auth; // auth states reported
    std::string bound;
    std::vector<TSocksExchange::TState> states;
};

class SocksExchangeSplit : public ::testing::TestWithParam<TExchangeCase> {};

// However each reply is cut into reads, the exchange is the same, and the
// bytes after the final reply (sent with it) are left for the user.
TEST_P(SocksExchangeSplit, EveryCutGivesTheSameExchange)
{
    const TExchangeCase& c = GetParam();
    const std::string userData = "HTTP/1.0 200 OK\r\n";
    std::vector<std::string> replies = c.replies;
    replies.back() += userData;
    std::vector<std::vector<std::string>> cuts = {replies, {}};
    for (const std::string& reply : replies)
        for (char b : reply)
            cuts.back().emplace_back(1, b);
    for (size_t r = 0; r < replies.size(); ++r) {
        for (size_t i = 1; i < replies[r].size(); ++i) {
            std::vector<std::string> pieces = replies;
            pieces[r] = replies[r].substr(i);
            pieces.insert(pieces.begin() + static_cast<long>(r), replies[r].substr(0, i));
            cuts.push_back(pieces);
        }
    }
    for (const auto& pieces : cuts) {
        const TRun run = Exchange(c.request, pieces, c.addrV4);
        ASSERT_TRUE(run.Done) << pieces.size() << " pieces, first " << pieces[0].size() << ": " << run.Text;
        EXPECT_EQ(run.Sent, c.sent);
        EXPECT_EQ(run.AuthStates, c.auth);
        EXPECT_EQ(run.ByteLeft, static_cast<int>(userData.size()));
        EXPECT_EQ(run.Bound, c.bound);
        EXPECT_EQ(run.States, c.states);
    }
}

TSocksRequest Request(const std::string& level, const std::string& host, const std::string& user = {},
                      const std::string& pass = {}, TSocksAuthentication auth = socksNoAuthentication)
{
    return TSocksRequest{level, auth, user, pass, host, 8080};
}

INSTANTIATE_TEST_SUITE_P(
    Levels, SocksExchangeSplit,
    ::testing::Values(
        TExchangeCase{"Four", Request("4", "ignored", "joe"), 0x7F000001, {"\x00\x5A\x1F\x90\x7F\x00\x00\x01"s},
                      "\x04\x01\x1F\x90\x7F\x00\x00\x01joe\x00"s, {}, ":", {WaitConnect, Finished}},
        TExchangeCase{"FourA", Request("4A", "pics.example"), 0, {"\x00\x5A\x00\x00\x00\x00\x00\x00"s},
                      "\x04\x01\x1F\x90\x00\x00\x00\x01\x00pics.example\x00"s, {}, ":", {WaitConnect, Finished}},
        TExchangeCase{"FiveIPv4", Request("5", "10.0.0.7"), 0, {"\x05\x00"s, "\x05\x00\x00\x01\x7F\x00\x00\x01\x04\xD2"s},
                      "\x05\x01\x00"s "\x05\x01\x00\x03\x08" "10.0.0.7\x1F\x90"s, {}, "127.0.0.1:1234",
                      {WaitMethod, WaitConnect, Finished}},
        TExchangeCase{"FiveNameWithPassword", Request("5", "pics.example", "ann", "pw", socksAuthenticateUsercode), 0,
                      {"\x05\x02"s, "\x01\x00"s, "\x05\x00\x00\x03\x0D" "bound.example\x00\x50"s},
                      "\x05\x01\x02"s "\x01\x03" "ann\x02pw"s "\x05\x01\x00\x03\x0C" "pics.example\x1F\x90"s,
                      {authStart, authSuccess}, "bound.example:80", {WaitMethod, WaitAuth, WaitConnect, Finished}},
        TExchangeCase{"FiveIPv6NoAuthNeeded", Request("5", "h", "ann", "pw", socksAuthenticateUsercode), 0,
                      {"\x05\x00"s, "\x05\x00\x00\x04"s + std::string(15, '\0') + "\x01\x00\x16"s},
                      "\x05\x01\x02"s "\x05\x01\x00\x03\x01h\x1F\x90"s, {authNotRequired}, "::1:22", {WaitMethod, WaitConnect, Finished}}),
    [](const auto& info) { return std::string(info.param.name); });

// Replies a sound client must not follow.
TEST(SocksExchange, ServerThatBreaksTheOrderIsRefused)
{
    // Credentials go only where they were offered.
    const TRun unasked = Exchange(Request("5", "h", "ann", "pw"), {"\x05\x02"s});
    EXPECT_EQ(unasked.Error, socksMethodRefused);
    EXPECT_EQ(unasked.Sent, "\x05\x01\x00"s);

    // More than the authentication reply before the connect request went out.
    const TRun chatty = Exchange(Request("5", "h", "ann", "pw", socksAuthenticateUsercode), {"\x05\x02"s, "\x01\x00\x05"s});
    EXPECT_EQ(chatty.Error, socksLogicError);
    EXPECT_EQ(chatty.Text, "too much data availaible");
    EXPECT_EQ(chatty.AuthStates, (std::vector<TSocksAuthState>{authStart, authFailure}));
    EXPECT_EQ(chatty.States, (std::vector<TSocksExchange::TState>{WaitMethod, WaitAuth, Finished}));

    const TRun version = Exchange(Request("5", "h", "ann", "pw", socksAuthenticateUsercode), {"\x05\x02"s, "\x05"s});
    EXPECT_EQ(version.Error, socksVersionError);
    EXPECT_EQ(version.AuthStates, (std::vector<TSocksAuthState>{authStart, authFailure}));
}

} // namespace
