#pragma once
#include "sampleweb/Hosts.h"

#include <chrono>
#include <memory>
#include <set>
#include <string>
#include <vector>

namespace sampleweb {

// The sample web: the three search services, the two live sources and the
// sites on free ports of 127.0.0.1, over HTTP and HTTPS, each served from background threads, plus the stalling host.
class SampleWeb {
public:
    SampleWeb();
    ~SampleWeb();
    SampleWeb(const SampleWeb&) = delete;
    SampleWeb& operator=(const SampleWeb&) = delete;

    // Once per object. Throws std::runtime_error when a port cannot be had.
    void Start();
    // Ends every connection; safe to call twice.
    void Stop();

    // Every host but the stalling one answers alike over plain HTTP and over
    // HTTPS, on ports of its own; a page's absolute links keep to its way in.
    const Addresses& GetAddresses() const;
    const Addresses& GetSecureAddresses() const;
    // The CA (PEM) that signs the HTTPS side for 127.0.0.1, localhost and ::1;
    // made at Start, removed with the object.
    std::string CaFile() const;
    // The addresses requests came from (how a test sees that they went through a proxy).
    std::set<std::string> RequestSources() const;
    // When the latest answer was written out (the clock's epoch before the first).
    std::chrono::steady_clock::time_point LastAnswered() const;
    // The User-Agent values a host's requests carried, and each
    // "AIC-User-Agent: value" the collections' host was sent.
    std::set<std::string> Agents(Host host) const;
    // How many requests the host answered, over both ways in.
    size_t Requests(Host host) const;
    // The paths (decoded) a host was asked for.
    std::set<std::string> Paths(Host host) const;
    // When each request with a "q" parameter reached the path of the host.
    std::vector<std::chrono::steady_clock::time_point> SearchTimes(Host host, const std::string& path) const;
    // The search values (decoded) a source's API was asked: gsrsearch, q.
    std::set<std::string> Searches(Host host) const;

private:
    struct Impl;
    std::unique_ptr<Impl> FImpl;
};

} // namespace sampleweb
