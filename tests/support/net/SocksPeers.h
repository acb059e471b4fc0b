#pragma once
#include "support/net/HttpPeers.h"

#include <memory>
#include <string>

// Real SOCKS servers on 127.0.0.1 and free ports, stopped by process id.
// Running() is false when the program is missing or did not come up.

// microsocks: version 5, with user name and password when given.
class TMicrosocks : public TPeerProcess {
public:
    TMicrosocks(const std::string& user = {}, const std::string& password = {}, const std::string& bindAddr = {});
    ~TMicrosocks();
};

// dante: versions 4 and 5, no authentication.
class TDante : public TPeerProcess {
public:
    explicit TDante(const std::string& workDir);
    ~TDante();
};

// OpenSSH's dynamic forwarding (versions 4, 4A and 5): a private sshd with a
// generated host key, and an ssh client logged in with a key made for it.
class TSshDynamic {
public:
    explicit TSshDynamic(const std::string& workDir);
    ~TSshDynamic();
    bool Running() const;
    uint16_t Port() const;

private:
    class TProcess;
    std::unique_ptr<TProcess> FSshd;
    std::unique_ptr<TProcess> FSsh;
};
