#pragma once
#include "platform/drives/Drive.h"
#include "platform/drives/MountInfo.h"

#include <string>
#include <vector>

// Kernel and pseudo file systems, which never hold a user's files.
bool IsPseudoFileSystem(const std::string& fsType);
// removableDevice: the block device says it is removable or sits on USB.
TDriveType ClassifyDrive(const TMountEntry& mount, bool removableDevice);
// The mounts that are drives, one per mount point (a later mount hides an
// earlier one on the same point), sorted by path so "/" comes first. Mounts
// below a pseudo file system (/proc, /sys, /dev) are kernel business too.
std::vector<TMountEntry> DriveMounts(const std::vector<TMountEntry>& table);
