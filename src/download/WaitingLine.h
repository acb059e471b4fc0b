#pragma once
#include <cstddef>
#include <deque>
#include <functional>
#include <utility>

// At most Limit jobs run at once; the rest wait in order, the front one
// next. The owner counts what runs and starts a job; StartMore starts waiting
// jobs while there is room (after an addition, and whenever one ended). A
// job whose start failed does not count as running.
template <class Job>
class TWaitingLine {
public:
    TWaitingLine(size_t limit, std::function<size_t()> running, std::function<void(Job)> start)
        : Limit(limit), FRunning(std::move(running)), FStart(std::move(start))
    {
    }

    size_t Limit;
    std::deque<Job> Waiting;

    void StartMore()
    {
        while (!Waiting.empty() && FRunning() < Limit) {
            Job job = std::move(Waiting.front());
            Waiting.pop_front();
            FStart(std::move(job));
        }
    }

private:
    std::function<size_t()> FRunning;
    std::function<void(Job)> FStart;
};
