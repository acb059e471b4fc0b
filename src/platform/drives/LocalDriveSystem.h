#pragma once
#include "platform/drives/DriveSystem.h"

// The drives of this machine: the mount table, the block devices in /sys,
// the labels and UUIDs udev links in /dev/disk.
class TLocalDriveSystem : public TDriveSystem {
public:
    std::vector<TDrive> Drives() override;
    std::string VolumeSerial(const TDrive& drive) override;
    void ListFolder(const std::string& path, const std::function<bool(const TDirRec&)>& each) override;
    bool FolderExists(const std::string& path) override;
    bool CreateFolder(const std::string& path) override;
    std::string CurrentDirectory() override;
};
