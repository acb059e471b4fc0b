#pragma once
#include "platform/drives/LocalDriveSystem.h"

#include <condition_variable>
#include <map>
#include <mutex>
#include <string>
#include <vector>

// The tree's drive system with a mount table, volume serials and a current
// directory of the test's own over real folders. A stalled root blocks
// every call into it until released, as a dead network mount does.
class TFakeDrives : public TLocalDriveSystem {
public:
    std::vector<TDrive> Drives() override
    {
        std::lock_guard<std::mutex> lock(FLock);
        return Table;
    }
    std::string VolumeSerial(const TDrive& drive) override
    {
        StallIfDead(drive.Root);
        std::lock_guard<std::mutex> lock(FLock);
        const auto it = Serials.find(drive.Root);
        return it == Serials.end() ? "serial" : it->second;
    }
    void ListFolder(const std::string& path, const std::function<bool(const TDirRec&)>& each) override
    {
        StallIfDead(path);
        {
            std::lock_guard<std::mutex> lock(FLock);
            ++Listed[path];
        }
        TLocalDriveSystem::ListFolder(path, each);
    }
    std::string CurrentDirectory() override { return Cwd; }

    void SetSerial(const std::string& root, const std::string& serial)
    {
        std::lock_guard<std::mutex> lock(FLock);
        Serials[root] = serial;
    }
    void Stall(const std::string& root)
    {
        std::lock_guard<std::mutex> lock(FLock);
        FDead = root;
    }
    int ListedTimes(const std::string& path)
    {
        std::lock_guard<std::mutex> lock(FLock);
        return Listed.count(path) ? Listed[path] : 0;
    }
    void Release()
    {
        std::lock_guard<std::mutex> lock(FLock);
        FDead.clear();
        FGo.notify_all();
    }

    std::vector<TDrive> Table;
    std::map<std::string, int> Listed; // folder to the number of times it was listed
    std::string Cwd = "/";

private:
    void StallIfDead(const std::string& path)
    {
        std::unique_lock<std::mutex> lock(FLock);
        FGo.wait(lock, [&] { return FDead.empty() || path.rfind(FDead, 0) != 0; });
    }

    std::mutex FLock;
    std::condition_variable FGo;
    std::map<std::string, std::string> Serials;
    std::string FDead;
};
