#pragma once
#include <cstdint>
#include <string>
#include <sys/types.h>

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

// nginx serving the files below Root(), one process, no logs.
class TNginx : public TPeerProcess {
public:
    explicit TNginx(const std::string& workDir);
    ~TNginx();
    std::string Root() const { return FDir + "/www"; }
    std::string Url(const std::string& path) const;

private:
    std::string FDir;
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
