#include "platform/drives/DeadlineGate.h"
#include "platform/drives/LocalDriveSystem.h"
#include "platform/drives/MountWatcher.h"
#include "support/TestSupport.h"

#include <algorithm>
#include <condition_variable>
#include <gtest/gtest.h>
#include <map>
#include <sched.h>
#include <sys/mount.h>
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

namespace {

// Needs the right to make a mount namespace of its own; mounts made there
// stay private to this process.
TEST(MountWatcher, ToldWhenAMountComesAndGoes)
{
    if (unshare(CLONE_NEWNS) != 0 || mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0)
        GTEST_SKIP() << "no mount namespace for this process";
    TempDir dir;
    int changes = 0;
    TMountWatcher watcher([&] { ++changes; });
    ASSERT_EQ(mount("gs-test", dir.Path().c_str(), "tmpfs", 0, nullptr), 0);
    EXPECT_TRUE(WaitUntil([&] { return changes == 1; }));
    const auto drives = TLocalDriveSystem().Drives();
    EXPECT_TRUE(std::any_of(drives.begin(), drives.end(), [&](const TDrive& d) {
        return d.Root == dir.Path() + "/" && d.Kind == drtRamDisk;
    }));
    ASSERT_EQ(umount(dir.Path().c_str()), 0);
    EXPECT_TRUE(WaitUntil([&] { return changes == 2; }));
}

} // namespace
