#pragma once
// CPU time of this process and of command-line tools run beside it, for
// benchmarks that put the program next to a tool doing the same work.
#include <QElapsedTimer>
#include <cstdio>
#include <fcntl.h>
#include <spawn.h>
#include <string>
#include <sys/resource.h>
#include <sys/wait.h>
#include <vector>

extern char** environ;

struct TRun {
    double Seconds = 0;
    double Cpu = 0;
};

inline double CpuOf(const rusage& r)
{
    return static_cast<double>(r.ru_utime.tv_sec + r.ru_stime.tv_sec) +
           static_cast<double>(r.ru_utime.tv_usec + r.ru_stime.tv_usec) / 1e6;
}

inline double SelfCpu()
{
    rusage r{};
    getrusage(RUSAGE_SELF, &r);
    return CpuOf(r);
}

// Times this process slept, waiting for something to happen.
inline long SelfSleeps()
{
    rusage r{};
    getrusage(RUSAGE_SELF, &r);
    return r.ru_nvcsw;
}

// Runs a program to its end; CPU seconds from the child's own usage.
// stdoutFile: where its standard output goes, when given.
inline TRun RunTool(std::vector<std::string> args, const std::string& stdoutFile = {})
{
    std::vector<char*> argv;
    for (auto& a : args)
        argv.push_back(a.data());
    argv.push_back(nullptr);
    QElapsedTimer t;
    t.start();
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    if (!stdoutFile.empty())
        posix_spawn_file_actions_addopen(&actions, 1, stdoutFile.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    pid_t pid = -1;
    const int spawned = posix_spawnp(&pid, argv[0], &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    if (spawned != 0)
        return {};
    int status = 0;
    rusage r{};
    wait4(pid, &status, 0, &r);
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0)
        std::fprintf(stderr, "%s failed (%d)\n", args[0].c_str(), status);
    return {static_cast<double>(t.nsecsElapsed()) / 1e9, CpuOf(r)};
}
