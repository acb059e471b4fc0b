// Calls into the drive system that a dead network mount could hold: on
// such drives they run on a helper thread and wait a bounded time.
#include "controls/DirTree.h"

// Runs the test on the helper thread of the drive's gate when the drive may
// hang; false when it is late. The test must own what it touches.
bool TDirTree::Guarded(const TDrive* drive, std::function<bool(TDriveSystem&)> test)
{
    if (!drive || !MayHang(drive->Kind))
        return test(*FSystem);
    auto result = std::make_shared<bool>(false);
    const bool inTime = FGate.Run(drive->Root, [system = FSystem, test = std::move(test), result] { *result = test(*system); });
    return inTime && *result;
}

bool TDirTree::FolderExists(const std::string& path)
{
    return Guarded(KnownDrive(path), [path](TDriveSystem& system) { return system.FolderExists(path); });
}

bool TDirTree::CreateFolder(const std::string& path)
{
    return Guarded(KnownDrive(path), [path](TDriveSystem& system) { return system.CreateFolder(path); });
}
