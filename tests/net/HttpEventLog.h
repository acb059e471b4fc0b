#pragma once
#include "support/net/HttpTestServer.h"
#include "net/HttpCli.h"

#include <string>
#include <vector>

// Records every event of a client as text, e.g. "State 5", "Command GET /
// HTTP/1.0", "DocData hello", "Done 1 0".
class THttpEventLog {
public:
    explicit THttpEventLog(THttpCli& cli);
    std::vector<std::string> Events;
    int DoneCount = 0;
    uint16_t DoneError = 0xFFFF;
    std::string Body; // every DocData chunk in order
    std::vector<std::string> Since(size_t from) const;
};

// Sends bytes and waits until the client has read all bytes sent so far on
// this connection, so that the next piece arrives in a read of its own.
class TFeeder {
public:
    TFeeder(THttpTestServer& srv, THttpCli& cli) : FSrv(srv), FCli(cli) {}
    bool Feed(const std::string& bytes);
    void NewConnection() { FSent = 0; }

private:
    THttpTestServer& FSrv;
    THttpCli& FCli;
    int FSent = 0;
};

// Names come from the hosts file only: tests never ask a name server.
void UseHostsFileOnly();
