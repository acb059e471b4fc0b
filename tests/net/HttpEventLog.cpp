#include "HttpEventLog.h"

#include "net/winsock/WinSockDns.h"
#include "support/TestSupport.h"

THttpEventLog::THttpEventLog(THttpCli& cli)
{
    auto note = [this](const std::string& what) { return [this, what](THttpCli*) { Events.push_back(what); }; };
    cli.OnStateChange = [this](THttpCli* c) { Events.push_back("State " + std::to_string(c->HttpState())); };
    cli.OnSessionConnected = note("SessionConnected");
    cli.OnRequestHeaderBegin = note("RequestHeaderBegin");
    cli.OnRequestHeaderEnd = note("RequestHeaderEnd");
    cli.OnCommand = [this](THttpCli*, const std::string& s) { Events.push_back("Command " + s); };
    cli.OnHeaderBegin = note("HeaderBegin");
    cli.OnHeaderData = [this](THttpCli* c) { Events.push_back("HeaderData " + c->LastReceived()); };
    cli.OnCookie = [this](THttpCli*, const std::string& d, bool&) { Events.push_back("Cookie " + d); };
    cli.OnHeaderEnd = note("HeaderEnd");
    cli.OnLocationChange = [this](THttpCli* c) { Events.push_back("LocationChange " + c->Location()); };
    cli.OnDocBegin = note("DocBegin");
    cli.OnDocData = [this](THttpCli*, const char* b, int n) {
        Events.push_back("DocData " + std::string(b, static_cast<size_t>(n)));
        Body.append(b, static_cast<size_t>(n));
    };
    cli.OnDocEnd = note("DocEnd");
    cli.OnSendBegin = note("SendBegin");
    cli.OnSendEnd = note("SendEnd");
    cli.OnRequestDone = [this](THttpCli*, THttpRequest rq, uint16_t error) {
        Events.push_back("Done " + std::to_string(rq) + " " + std::to_string(error));
        ++DoneCount;
        DoneError = error;
    };
}

std::vector<std::string> THttpEventLog::Since(size_t from) const
{
    return {Events.begin() + static_cast<long>(std::min(from, Events.size())), Events.end()};
}

bool TFeeder::Feed(const std::string& bytes)
{
    if (!FSrv.Send(bytes))
        return false;
    FSent += static_cast<int>(bytes.size());
    return WaitUntil([&] { return FCli.CtrlSocket().ReadCount() >= FSent || FCli.CtrlSocket().State() == wsClosed; });
}

void UseHostsFileOnly()
{
    WSocketSetDnsLookups("f");
}

namespace {
// Before any socket starts the resolver.
const bool kHostsFileOnly = (UseHostsFileOnly(), true);
}
