#pragma once
#include <cstddef>
#include <cstdint>
#include <optional>

// The exit statuses of the command line, from the most to the least
// pressing: a signal, bad arguments, nothing reached, pictures not saved.
namespace ExitStatus {
constexpr int Ran = 0;
constexpr int NothingReached = 1; // nothing found, and no service (or start page) answered
constexpr int BadArguments = 2;   // also no display for the window, an unusable settings file or save folder
constexpr int NotSaved = 3;       // a picture listed for --save is not on disk
// Ended by SIGINT (130), SIGTERM (143), or a closed standard output (141, as SIGPIPE).
constexpr int Signalled(int signal) { return 128 + signal; }
} // namespace ExitStatus

// How a search that ran ended.
struct TRunEnd {
    std::optional<int> Interrupted; // the status an interruption ended it with
    uint64_t Found = 0;
    bool NothingReached = false;
    size_t NotSaved = 0;
};

// The most pressing status that applies.
int ExitStatusOf(const TRunEnd& End);
