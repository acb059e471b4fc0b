#include "net/winsock/WinSockSelect.h"
#include "platform/MessageWindow.h"
#include "support/Loopback.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cstring>
#include <ostream>
#include <functional>
#include <vector>

namespace {

constexpr uint32_t kEvent = 1, kMarker = 2;

// The events a descriptor's select posted, by kind; markers count turns of
// the event loop.
struct TEventLog {
    std::vector<uint16_t> Events;
    std::vector<int> Errors;
    int Markers = 0;
    std::function<void(uint16_t)> OnEvent;
    TMessageWindow Window{[this](const TMessage& m) {
        if (m.Msg == kMarker) {
            ++Markers;
            return;
        }
        const TSocketNotice notice = TSocketNotice::Unpack(m.LParam);
        Events.push_back(notice.Events);
        Errors.push_back(notice.Error);
        if (OnEvent)
            OnEvent(Events.back());
    }};
    int Count(uint16_t event) const { return static_cast<int>(std::count(Events.begin(), Events.end(), event)); }
    // Lets the event loop turn twice, polling the descriptors in between.
    void TwoTurns()
    {
        for (int turn = 0; turn < 2; ++turn) {
            const int seen = Markers;
            Window.PostMessage(kMarker);
            ASSERT_TRUE(WaitUntil([&] { return Markers > seen; }));
        }
    }
};

// Data left unread is reported once; the receive lets the next report come.
TEST(AsyncSelect, ReadIsReportedOnceUntilTheReceive)
{
    int pair[2];
    ASSERT_EQ(0, socketpair(AF_UNIX, SOCK_STREAM | SOCK_NONBLOCK, 0, pair));
    TEventLog log;
    {
        TAsyncSelect select(pair[0], false, &log.Window, kEvent, 1);
        select.Select(FD_READ | FD_CLOSE);
        ASSERT_EQ(1, write(pair[1], "a", 1));
        ASSERT_TRUE(WaitUntil([&] { return log.Count(FD_READ) == 1; }));
        ASSERT_EQ(1, write(pair[1], "b", 1));
        log.TwoTurns();
        EXPECT_EQ(1, log.Count(FD_READ));

        char buffer[8];
        EXPECT_EQ(2, recv(pair[0], buffer, sizeof buffer, 0));
        select.ReEnable(FD_READ);
        ASSERT_EQ(1, write(pair[1], "c", 1));
        EXPECT_TRUE(WaitUntil([&] { return log.Count(FD_READ) == 2; }));
    }
    close(pair[0]);
    close(pair[1]);
}

// Each waiting connection is reported once: no report after the handler
// has accepted it, so no accept fails for want of a connection.
TEST(AsyncSelect, EachConnectionIsReportedOnce)
{
    const int listener = socket(AF_INET, SOCK_STREAM | SOCK_NONBLOCK, 0);
    sockaddr_in addr{};
    addr.sin_family = AF_INET;
    addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t len = sizeof addr;
    ASSERT_EQ(0, bind(listener, reinterpret_cast<sockaddr*>(&addr), sizeof addr));
    ASSERT_EQ(0, listen(listener, 5));
    ASSERT_EQ(0, getsockname(listener, reinterpret_cast<sockaddr*>(&addr), &len));
    TEventLog log;
    std::vector<int> accepted;
    int failed = 0;
    {
        TAsyncSelect select(listener, false, &log.Window, kEvent, 1);
        log.OnEvent = [&](uint16_t) {
            const int s = accept(listener, nullptr, nullptr);
            s < 0 ? ++failed : (accepted.push_back(s), 0);
            select.ReEnable(FD_ACCEPT);
        };
        select.Select(FD_ACCEPT);
        std::vector<int> clients;
        for (int n = 1; n <= 2; ++n) {
            clients.push_back(socket(AF_INET, SOCK_STREAM, 0));
            ASSERT_EQ(0, connect(clients.back(), reinterpret_cast<sockaddr*>(&addr), sizeof addr));
            ASSERT_TRUE(WaitUntil([&] { return static_cast<int>(accepted.size()) == n; }));
            log.TwoTurns();
        }
        EXPECT_EQ(0, failed);
        EXPECT_EQ(2, log.Count(FD_ACCEPT));
        for (int s : clients)
            close(s);
    }
    for (int s : accepted)
        close(s);
    close(listener);
}

// A connected pair on the loopback: [0] the watched end, [1] the peer.
std::array<int, 2> TcpPair()
{
    uint16_t port = 0;
    const int listener = BoundLoopbackSocket(SOCK_STREAM, port);
    listen(listener, 1);
    const sockaddr_in addr = LoopbackAddress(port);
    const int watched = socket(AF_INET, SOCK_STREAM | SOCK_NONBLOCK, 0);
    connect(watched, reinterpret_cast<const sockaddr*>(&addr), sizeof addr);
    const int peer = accept(listener, nullptr, nullptr);
    close(listener);
    return {watched, peer};
}

// How the peer ends the connection, and what the watched end does meanwhile.
struct TPeerEnd {
    const char* Name;
    const char* Data;  // written before the end
    bool Reset;        // an abortive close instead of an orderly one
    bool ReadAtOnce;   // the handler receives on each FD_READ
    bool WatchHangup;  // data left unread, the close still wanted
    std::vector<uint16_t> Events;
    int CloseError;
};

void PrintTo(const TPeerEnd& c, std::ostream* os)
{
    *os << c.Name;
}

class PeerEnds : public testing::TestWithParam<TPeerEnd> {};

TEST_P(PeerEnds, AreReportedOnceAndInOrder)
{
    const TPeerEnd& c = GetParam();
    const auto [watched, peer] = TcpPair();
    TEventLog log;
    {
        TAsyncSelect select(watched, false, &log.Window, kEvent, 1);
        log.OnEvent = [&](uint16_t event) {
            char buffer[64];
            if (event == FD_READ && c.ReadAtOnce) {
                recv(watched, buffer, sizeof buffer, 0);
                select.ReEnable(FD_READ);
            }
            if (event == FD_READ && c.WatchHangup)
                select.WatchHangup();
        };
        select.Select(FD_READ | FD_CLOSE);
        if (*c.Data) {
            ASSERT_GT(write(peer, c.Data, strlen(c.Data)), 0);
        }
        if (c.Reset) {
            const linger abort{1, 0};
            setsockopt(peer, SOL_SOCKET, SO_LINGER, &abort, sizeof abort);
        }
        if (*c.Data && !c.ReadAtOnce) {
            ASSERT_TRUE(WaitUntil([&] { return log.Count(FD_READ) == 1; }));
        }
        close(peer);
        ASSERT_TRUE(WaitUntil([&] { return log.Count(FD_CLOSE) == 1; }));
        log.TwoTurns();
    }
    EXPECT_EQ(c.Events, log.Events);
    EXPECT_EQ(c.CloseError, log.Errors.back());
    close(watched);
}

INSTANTIATE_TEST_SUITE_P(
    Table, PeerEnds,
    testing::Values(TPeerEnd{"CloseAlone", "", false, true, false, {FD_CLOSE}, 0},
                    TPeerEnd{"DataThenClose", "answer", false, true, false, {FD_READ, FD_CLOSE}, 0},
                    TPeerEnd{"CloseWhileDataWaitsUnread", "answer", false, false, true, {FD_READ, FD_CLOSE}, 0},
                    TPeerEnd{"Reset", "", true, true, false, {FD_CLOSE}, WSAECONNRESET}),
    [](const testing::TestParamInfo<TPeerEnd>& info) { return info.param.Name; });

} // namespace
