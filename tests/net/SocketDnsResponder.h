#pragma once
#include <atomic>
#include <cstdint>
#include <map>
#include <string>
#include <thread>

// A tiny name server on 127.0.0.1 (UDP, free port) for lookup tests: it
// answers A queries for the names it knows and NXDOMAIN for all others.
class TSocketDnsResponder {
public:
    explicit TSocketDnsResponder(std::map<std::string, std::string> Addresses);
    ~TSocketDnsResponder();
    TSocketDnsResponder(const TSocketDnsResponder&) = delete;
    TSocketDnsResponder& operator=(const TSocketDnsResponder&) = delete;

    std::string Server() const { return "127.0.0.1:" + std::to_string(FPort); }
    int Queries() const { return FQueries; }

private:
    void Run();
    std::string Answer(const std::string& Query) const;

    std::map<std::string, std::string> FAddresses;
    int FFd = -1;
    uint16_t FPort = 0;
    std::atomic<bool> FStop{false};
    std::atomic<int> FQueries{0};
    std::thread FThread;
};
