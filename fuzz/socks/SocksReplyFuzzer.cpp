// Feeds arbitrary SOCKS server bytes, split at arbitrary points, to the
// client's side of the exchange at each level, reading the way the socket
// layer reads (at most Room() bytes at a time), and checks that the reply
// area is never overrun and that the exchange ends at most once.
//
// Input: byte 0 picks the level (bits 0-1: 4, 4A, 5, 5) and the offer of
// user name and password (bit 2); bytes 1..4 are the read sizes, cycled;
// the rest is what the server sends.
#include "../FuzzCheck.h"
#include "net/SocksExchange.h"

#include <cstdlib>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size < 5)
        return 0;
    static const char* const levels[] = {"4", "4A", "5", "5"};
    TSocksRequest request;
    request.Level = levels[data[0] & 3];
    request.Authentication = (data[0] & 4) ? socksAuthenticateUsercode : socksNoAuthentication;
    request.Usercode = "user";
    request.Password = "password";
    request.Host = "pictures.example";
    request.Port = 80;
    TSocksExchange x(request);
    TSocksStep step = x.Start(0x7F000001);
    Check(!step.Failed() && !step.Done && !step.Send.empty());

    size_t at = 5;
    bool ended = false;
    for (int turn = 0; at < size; ++turn) {
        const size_t readSize = static_cast<size_t>(data[1 + turn % 4]) + 1;
        const size_t chunkEnd = std::min(size, at + readSize);
        while (at < chunkEnd) {
            const int room = x.Room();
            Check(room >= 0 && x.ReplyCount() + room <= TSocksExchange::ReplySize);
            if (room == 0) {
                Check(ended || x.State() == TSocksExchange::Finished);
                return 0; // nothing awaited: the rest is the user's
            }
            const int n = std::min(room, static_cast<int>(chunkEnd - at));
            step = x.Feed(data + at, n);
            at += static_cast<size_t>(n);
            Check(!(step.Done && step.Failed()));
            Check(step.Send.size() <= 1 + 1 + 255 + 1 + 255);
            if (step.Done || step.Failed()) {
                Check(!ended && x.Room() == 0 && x.State() == TSocksExchange::Finished);
                ended = true;
                if (step.Done && request.Level == "5")
                    Check(std::stoul(x.BoundPort()) <= 65535 && x.BoundAddr().size() <= 255);
            }
        }
    }
    return 0;
}
