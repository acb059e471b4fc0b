#include "WebProcess.h"

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <new>
#include <stdexcept>
#include <sys/mman.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

[[noreturn]] void ServeUntilStopped(sampleweb::GeneratedWebCounts& counts, int reportFd)
{
    prctl(PR_SET_PDEATHSIG, SIGTERM);
    sigset_t stop;
    sigemptyset(&stop);
    sigaddset(&stop, SIGTERM);
    sigaddset(&stop, SIGALRM);
    pthread_sigmask(SIG_BLOCK, &stop, nullptr); // before the server's threads, which inherit it
    sampleweb::GeneratedWeb web(counts);
    web.Start();
    const std::string base = web.Base();
    if (write(reportFd, base.data(), base.size()) != static_cast<ssize_t>(base.size()))
        _exit(1);
    close(reportFd);
    alarm(3600);
    int signal = 0;
    sigwait(&stop, &signal);
    web.Stop();
    _exit(0);
}

} // namespace

WebProcess::WebProcess()
{
    void* shared = mmap(nullptr, sizeof(sampleweb::GeneratedWebCounts), PROT_READ | PROT_WRITE,
                        MAP_SHARED | MAP_ANONYMOUS, -1, 0);
    if (shared == MAP_FAILED)
        throw std::runtime_error("no shared memory");
    FCounts = new (shared) sampleweb::GeneratedWebCounts;
    int fds[2];
    if (pipe(fds) != 0)
        throw std::runtime_error("no pipe");
    FPid = fork();
    if (FPid < 0)
        throw std::runtime_error("no fork");
    if (FPid == 0) {
        close(fds[0]);
        ServeUntilStopped(*FCounts, fds[1]);
    }
    close(fds[1]);
    char buffer[128];
    ssize_t n = 0;
    do
        n = read(fds[0], buffer, sizeof buffer);
    while (n < 0 && errno == EINTR);
    close(fds[0]);
    if (n <= 0)
        throw std::runtime_error("the generated web did not start");
    FBase.assign(buffer, static_cast<size_t>(n));
}

WebProcess::~WebProcess()
{
    if (FPid > 0) {
        kill(FPid, SIGTERM);
        waitpid(FPid, nullptr, 0);
    }
    FCounts->~GeneratedWebCounts();
    munmap(FCounts, sizeof(sampleweb::GeneratedWebCounts));
}
