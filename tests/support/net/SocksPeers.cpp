#include "support/net/SocksPeers.h"

#include "support/Loopback.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <pwd.h>
#include <vector>
#include <unistd.h>

class TSshDynamic::TProcess : public TPeerProcess {
public:
    TProcess(const std::string& program, const char* const argv[], uint16_t port) { Start(program, argv, port); }
    ~TProcess() { Stop(); }
};

TMicrosocks::TMicrosocks(const std::string& user, const std::string& password, const std::string& bindAddr)
{
    const std::string port = std::to_string(FreeLoopbackPort());
    std::vector<const char*> argv = {"microsocks", "-i", "127.0.0.1", "-p", port.c_str()};
    if (!user.empty())
        argv.insert(argv.end(), {"-u", user.c_str(), "-P", password.c_str()});
    if (!bindAddr.empty())
        argv.insert(argv.end(), {"-b", bindAddr.c_str()});
    argv.push_back(nullptr);
    Start("/usr/bin/microsocks", argv.data(), static_cast<uint16_t>(std::stoi(port)));
}

TMicrosocks::~TMicrosocks() { Stop(); }

TDante::TDante(const std::string& workDir)
{
    const std::string dir = workDir + "/dante";
    std::filesystem::create_directories(dir);
    const uint16_t port = FreeLoopbackPort();
    std::ofstream(dir + "/danted.conf") << "logoutput: " << dir << "/danted.log\n"
                                        << "internal: 127.0.0.1 port = " << port << "\nexternal: 127.0.0.1\n"
                                        << "clientmethod: none\nsocksmethod: none\n"
                                        << "user.privileged: root\nuser.unprivileged: nobody\n"
                                        << "client pass { from: 127.0.0.0/8 to: 0.0.0.0/0 }\n"
                                        << "socks pass { from: 127.0.0.0/8 to: 0.0.0.0/0 command: connect }\n";
    const std::string conf = dir + "/danted.conf";
    const std::string pid = dir + "/danted.pid";
    const char* const argv[] = {"danted", "-f", conf.c_str(), "-p", pid.c_str(), "-N", "1", nullptr};
    Start("/usr/sbin/danted", argv, port);
}

TDante::~TDante() { Stop(); }

TSshDynamic::TSshDynamic(const std::string& workDir)
{
    const std::string dir = workDir + "/ssh";
    std::filesystem::create_directories(dir);
    std::filesystem::create_directories("/run/sshd"); // sshd's privilege separation folder
    for (const char* key : {"/host_key", "/user_key"})
        if (std::system(("ssh-keygen -q -t ed25519 -N '' -f " + dir + key).c_str()) != 0)
            return;
    std::filesystem::copy_file(dir + "/user_key.pub", dir + "/authorized_keys");
    std::ofstream(dir + "/sshd_config") << "ListenAddress 127.0.0.1\nHostKey " << dir << "/host_key\n"
                                        << "AuthorizedKeysFile " << dir << "/authorized_keys\n"
                                        << "PasswordAuthentication no\nKbdInteractiveAuthentication no\n"
                                        << "PermitRootLogin prohibit-password\nStrictModes no\nUsePAM no\n"
                                        << "PidFile none\nAllowTcpForwarding yes\nLogLevel QUIET\n";
    const std::string config = dir + "/sshd_config";
    const uint16_t sshdPort = FreeLoopbackPort();
    const std::string sshdPortText = std::to_string(sshdPort);
    const char* const sshdArgv[] = {"/usr/sbin/sshd", // it re-executes itself by this path
                                     "-D", "-f", config.c_str(), "-p", sshdPortText.c_str(), nullptr};
    FSshd = std::make_unique<TProcess>("/usr/sbin/sshd", sshdArgv, sshdPort);
    if (!FSshd->Running())
        return;
    const uint16_t port = FreeLoopbackPort();
    const std::string forward = "127.0.0.1:" + std::to_string(port);
    const std::string key = dir + "/user_key";
    const passwd* me = getpwuid(getuid());
    std::string login = me ? me->pw_name : "root";
    login += "@127.0.0.1";
    const char* const sshArgv[] = {"ssh", "-F", "/dev/null", "-N", "-D", forward.c_str(), "-p", sshdPortText.c_str(),
                                   "-i", key.c_str(), "-o", "StrictHostKeyChecking=no", "-o",
                                   "UserKnownHostsFile=/dev/null", "-o", "BatchMode=yes", "-o",
                                   "ExitOnForwardFailure=yes", "-o", "LogLevel=ERROR", login.c_str(), nullptr};
    FSsh = std::make_unique<TProcess>("/usr/bin/ssh", sshArgv, port);
}

TSshDynamic::~TSshDynamic()
{
    FSsh.reset();
    FSshd.reset();
}

bool TSshDynamic::Running() const { return FSsh && FSsh->Running(); }

uint16_t TSshDynamic::Port() const { return FSsh ? FSsh->Port() : 0; }
