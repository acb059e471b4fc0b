#pragma once
#include <cstdint>
#include <string>
#include <sys/types.h>
#include <vector>

// Real peers for client tests and benchmarks, started on 127.0.0.1 with a
// free port and stopped by process id. Running() is false when the program
// is not installed or did not come up.

class TPeerProcess {
public:
    TPeerProcess() = default;
    ~TPeerProcess();
    TPeerProcess(const TPeerProcess&) = delete;
    TPeerProcess& operator=(const TPeerProcess&) = delete;
    bool Running() const { return FPid > 0; }
    uint16_t Port() const { return FPort; }

protected:
    // Starts the program and waits (bounded) until the port accepts.
    void Start(const std::string& program, const char* const argv[], uint16_t port);
    void Stop();

private:
    pid_t FPid = -1;
    uint16_t FPort = 0;
};

// A site nginx serves over TLS on a port of its own: PEM files, and the
// protocol versions it offers (nginx's own words).
struct TNginxTlsSite {
    std::string CertificateFile, KeyFile;
    std::string Protocols = "TLSv1.2 TLSv1.3";
};

// nginx serving the files below Root(), one process, no logs; over plain
// HTTP on Port(), and over TLS on one port per site given.
class TNginx : public TPeerProcess {
public:
    explicit TNginx(const std::string& workDir, const std::vector<TNginxTlsSite>& tlsSites = {});
    ~TNginx();
    std::string Root() const { return FDir + "/www"; }
    std::string Url(const std::string& path) const;
    uint16_t TlsPort(size_t site) const { return FTlsPorts.at(site); }
    // "https://" + host + ":" + the site's port + path.
    std::string TlsUrl(size_t site, const std::string& path, const std::string& host = "127.0.0.1") const;

private:
    std::string FDir;
    std::vector<uint16_t> FTlsPorts;
};

// tinyproxy accepting clients from 127.0.0.1; its own connections leave
// from bindAddr when given.
class TTinyproxy : public TPeerProcess {
public:
    explicit TTinyproxy(const std::string& workDir, const std::string& bindAddr = {});
    ~TTinyproxy();
};

// A free port on 127.0.0.1 (bound and released).
uint16_t FreePort();
