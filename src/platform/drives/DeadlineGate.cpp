#include "platform/drives/DeadlineGate.h"

#include <condition_variable>
#include <thread>

bool TDeadlineGate::Busy(const std::string& key) const
{
    std::lock_guard<std::mutex> lock(FLate->Lock);
    return FLate->Keys.count(key) != 0;
}

bool TDeadlineGate::Run(const std::string& key, std::function<void()> work)
{
    struct TCall {
        std::mutex Lock;
        std::condition_variable Done;
        bool Finished = false;
    };
    if (Busy(key))
        return false;
    {
        std::lock_guard<std::mutex> lock(FLate->Lock);
        FLate->Keys.insert(key); // until the helper ends
    }
    auto call = std::make_shared<TCall>();
    std::thread([call, late = FLate, key, work = std::move(work)] {
        work();
        {
            std::lock_guard<std::mutex> lock(late->Lock);
            late->Keys.erase(key);
        }
        std::lock_guard<std::mutex> lock(call->Lock);
        call->Finished = true;
        call->Done.notify_all();
    }).detach();
    std::unique_lock<std::mutex> lock(call->Lock);
    return call->Done.wait_for(lock, FLimit, [&] { return call->Finished; });
}
