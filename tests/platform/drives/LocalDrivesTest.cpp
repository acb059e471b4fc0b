#include "platform/drives/DeadlineGate.h"
#include "platform/drives/LocalDriveSystem.h"
#include "support/TestSupport.h"

#include <condition_variable>
#include <gtest/gtest.h>
#include <map>
#include <sys/stat.h>

namespace {

using namespace std::chrono_literals;

// Work that blocks until the test lets it go, as a dead server would.
struct TStall {
    std::mutex Lock;
    std::condition_variable Go;
    bool Released = false;
    void Wait()
    {
        std::unique_lock<std::mutex> lock(Lock);
        Go.wait(lock, [this] { return Released; });
    }
    void Release()
    {
        std::lock_guard<std::mutex> lock(Lock);
        Released = true;
        Go.notify_all();
    }
};

TEST(DeadlineGate, LateWorkBlocksOnlyItsOwnKeyUntilItEnds)
{
    TDeadlineGate gate(20ms);
    auto stall = std::make_shared<TStall>();
    EXPECT_TRUE(gate.Run("/fast/", [] {}));
    EXPECT_FALSE(gate.Run("/dead/", [stall] { stall->Wait(); }));
    EXPECT_TRUE(gate.Busy("/dead/"));
    bool ran = false;
    EXPECT_FALSE(gate.Run("/dead/", [&ran] { ran = true; })); // refused at once, not run
    EXPECT_FALSE(ran);
    EXPECT_TRUE(gate.Run("/fast/", [] {}));
    stall->Release();
    EXPECT_TRUE(WaitUntil([&] { return !gate.Busy("/dead/"); }));
    EXPECT_TRUE(gate.Run("/dead/", [] {}));
}

TEST(LocalDriveSystem, ListsTheRootDriveFirstAndNoKernelFileSystems)
{
    TLocalDriveSystem system;
    const std::vector<TDrive> drives = system.Drives();
    ASSERT_FALSE(drives.empty());
    EXPECT_EQ(drives.front().Root, "/");
    for (const TDrive& d : drives) {
        EXPECT_EQ(d.Root.back(), '/');
        EXPECT_NE(d.Root.rfind("/proc/", 0), 0u) << d.Root;
        EXPECT_NE(d.Root.rfind("/sys/", 0), 0u) << d.Root;
    }
    EXPECT_NE(system.VolumeSerial(drives.front()), NoVolume);
    EXPECT_EQ(system.VolumeSerial(TDrive{.Root = "/no/such/mount/"}), NoVolume);
}

TEST(LocalDriveSystem, ListsFoldersWithTheirAttributesAndCreatesOneLevel)
{
    TempDir dir;
    TLocalDriveSystem system;
    const std::string root = dir.Path() + "/";
    ASSERT_TRUE(system.CreateFolder(root + "Sub"));
    ASSERT_TRUE(system.CreateFolder(root + ".hidden"));
    EXPECT_FALSE(system.CreateFolder(root + "a/b"));
    WriteFile(root + "file", "x");
    ASSERT_EQ(symlink((root + "Sub").c_str(), (root + "link").c_str()), 0);
    std::map<std::string, uint32_t> seen;
    system.ListFolder(root, [&](const TDirRec& rec) {
        seen[rec.Name] = rec.Attr;
        return true;
    });
    EXPECT_EQ(seen["Sub"], uint32_t{faDirectory});
    EXPECT_EQ(seen[".hidden"], uint32_t{faDirectory | faHidden});
    EXPECT_EQ(seen["file"], 0u);
    EXPECT_EQ(seen["link"], uint32_t{faDirectory});
    EXPECT_TRUE(seen.count(".") && seen.count(".."));
    int calls = 0;
    system.ListFolder(root, [&](const TDirRec&) { return ++calls < 2; });
    EXPECT_EQ(calls, 2);
    EXPECT_TRUE(system.FolderExists(root + "Sub"));
    EXPECT_FALSE(system.FolderExists(root + "file"));
}

} // namespace
