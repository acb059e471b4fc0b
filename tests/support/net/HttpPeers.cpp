#include "support/net/HttpPeers.h"

#include "support/Loopback.h"

#include <chrono>
#include <csignal>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <spawn.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

extern char** environ;

namespace {
bool Accepts(uint16_t port)
{
    const int fd = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    const sockaddr_in a = LoopbackAddress(port);
    const bool ok = connect(fd, reinterpret_cast<const sockaddr*>(&a), sizeof a) == 0;
    close(fd);
    return ok;
}
}


TPeerProcess::~TPeerProcess()
{
    Stop();
}

void TPeerProcess::Start(const std::string& program, const char* const argv[], uint16_t port)
{
    if (access(program.c_str(), X_OK) != 0)
        return;
    pid_t pid = -1;
    // Peers that log every connection would drown the test's own output, and
    // a peer's child that outlives it (a server's per-connection process)
    // would hold that output open: the test runner waits for it to close.
    posix_spawn_file_actions_t quiet;
    posix_spawn_file_actions_init(&quiet);
    posix_spawn_file_actions_addopen(&quiet, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&quiet, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
    // A group of its own, so that stopping it stops its children too.
    posix_spawnattr_t group;
    posix_spawnattr_init(&group);
    posix_spawnattr_setflags(&group, POSIX_SPAWN_SETPGROUP);
    posix_spawnattr_setpgroup(&group, 0);
    const int spawned = posix_spawn(&pid, program.c_str(), &quiet, &group, const_cast<char* const*>(argv), environ);
    posix_spawnattr_destroy(&group);
    posix_spawn_file_actions_destroy(&quiet);
    if (spawned != 0)
        return;
    FPid = pid;
    FPort = port;
    const auto limit = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (!Accepts(port)) {
        int status = 0;
        if (waitpid(FPid, &status, WNOHANG) == FPid) {
            FPid = -1; // it gave up: no peer
            return;
        }
        if (std::chrono::steady_clock::now() > limit) {
            Stop();
            return;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(2)); // peers listen within milliseconds
    }
}

void TPeerProcess::Stop()
{
    if (FPid <= 0)
        return;
    // A peer gets two seconds to end. Then its whole group is killed, with
    // whatever it left behind (a server's per-connection children): a test's
    // end must not wait on it. The group is killed before the peer is
    // reaped, so its number cannot have gone to another process yet.
    kill(-FPid, SIGTERM);
    const auto limit = std::chrono::steady_clock::now() + std::chrono::seconds(2);
    for (;;) {
        siginfo_t info{};
        if (waitid(P_PID, static_cast<id_t>(FPid), &info, WEXITED | WNOHANG | WNOWAIT) != 0 || info.si_pid == FPid
            || std::chrono::steady_clock::now() > limit)
            break;
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    kill(-FPid, SIGKILL);
    int status = 0;
    waitpid(FPid, &status, 0);
    FPid = -1;
}

TNginx::TNginx(const std::string& workDir, const std::vector<TNginxTlsSite>& tlsSites) : FDir(workDir + "/nginx")
{
    std::filesystem::create_directories(FDir + "/www");
    std::filesystem::create_directories(FDir + "/tmp");
    const uint16_t port = FreeLoopbackPort();
    std::string tlsServers;
    for (const TNginxTlsSite& site : tlsSites) {
        FTlsPorts.push_back(FreeLoopbackPort());
        tlsServers += "  server {\n    listen 127.0.0.1:" + std::to_string(FTlsPorts.back()) + " ssl;\n    root " +
                      Root() + ";\n    ssl_certificate " + site.CertificateFile + ";\n    ssl_certificate_key " +
                      site.KeyFile + ";\n    ssl_protocols " + site.Protocols +
                      ";\n    ssl_session_tickets on;\n    ssl_session_cache shared:tls:1m;\n"
                      "    location = /moved { return 302 /small.html; }\n"
                      "    location = /downgrade { return 302 http://127.0.0.1:" + std::to_string(port) + "/small.html; }\n  }\n";
    }
    std::ofstream(FDir + "/nginx.conf")
        << "daemon off;\nmaster_process off;\nworker_processes 1;\nuser root;\n"
        << "pid " << FDir << "/nginx.pid;\nerror_log " << FDir << "/error.log crit;\n"
        << "events { worker_connections 512; }\n"
        << "http {\n  access_log off;\n  default_type application/octet-stream;\n"
        << "  types { text/html html; image/jpeg jpg; }\n"
        << "  client_body_temp_path " << FDir << "/tmp;\n  proxy_temp_path " << FDir << "/tmp;\n"
        << "  fastcgi_temp_path " << FDir << "/tmp;\n  uwsgi_temp_path " << FDir << "/tmp;\n"
        << "  scgi_temp_path " << FDir << "/tmp;\n"
        << "  server {\n    listen 127.0.0.1:" << port << ";\n    root " << Root() << ";\n"
        << "    location = /moved { return 302 /small.html; }\n"
        << (FTlsPorts.empty() ? std::string()
                              : "    location = /upgrade { return 302 https://127.0.0.1:" +
                                    std::to_string(FTlsPorts.front()) + "/small.html; }\n")
        << "  }\n" << tlsServers << "}\n";
    const std::string conf = FDir + "/nginx.conf";
    const std::string errorLog = FDir + "/error.log";
    const char* const argv[] = {"nginx", "-p", FDir.c_str(), "-e", errorLog.c_str(), "-c", conf.c_str(), nullptr};
    Start("/usr/sbin/nginx", argv, port);
}

TNginx::~TNginx()
{
    Stop();
}

std::string TNginx::Url(const std::string& path) const
{
    return "http://127.0.0.1:" + std::to_string(Port()) + path;
}

std::string TNginx::TlsUrl(size_t site, const std::string& path, const std::string& host) const
{
    return "https://" + host + ":" + std::to_string(TlsPort(site)) + path;
}

TTinyproxy::TTinyproxy(const std::string& workDir, const std::string& bindAddr)
{
    const std::string dir = workDir + "/tinyproxy";
    std::filesystem::create_directories(dir);
    const uint16_t port = FreeLoopbackPort();
    std::ofstream(dir + "/tinyproxy.conf") << "Port " << port << "\nListen 127.0.0.1\nTimeout 30\nMaxClients 50\n"
                                           << "Allow 127.0.0.1\nLogLevel Critical\n"
                                           << (bindAddr.empty() ? "" : "Bind " + bindAddr + "\n");
    const std::string conf = dir + "/tinyproxy.conf";
    const char* const argv[] = {"tinyproxy", "-d", "-c", conf.c_str(), nullptr};
    Start("/usr/bin/tinyproxy", argv, port);
}

TTinyproxy::~TTinyproxy()
{
    Stop();
}
