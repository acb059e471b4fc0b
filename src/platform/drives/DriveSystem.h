#pragma once
#include "platform/drives/Drive.h"
#include "platform/drives/FolderEntry.h"

#include <functional>
#include <string>
#include <vector>

// What the directory tree asks of the machine: its drives, their volumes
// and the entries of a folder. Tests give their own.
class TDriveSystem {
public:
    virtual ~TDriveSystem() = default;
    // The drives in path order, "/" first.
    virtual std::vector<TDrive> Drives() = 0;
    // Identifies the medium in the drive; NoVolume when its root cannot be read.
    virtual std::string VolumeSerial(const TDrive& drive) = 0;
    // Calls each for every entry ("." and ".." included) until it returns false.
    virtual void ListFolder(const std::string& path, const std::function<bool(const TDirRec&)>& each) = 0;
    virtual bool FolderExists(const std::string& path) = 0;
    // One level: the parent must exist.
    virtual bool CreateFolder(const std::string& path) = 0;
    virtual std::string CurrentDirectory() = 0;
};
