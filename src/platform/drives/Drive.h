#pragma once
#include <string>

// Kinds of drive, in declaration order.
enum TDriveType { drtUnknown, drtRemovable, drtFixed, drtRemote, drtCDRom, drtRamDisk };

// A mounted file system that holds files a user can save into.
struct TDrive {
    std::string Root;  // the mount point, ending with "/"
    TDriveType Kind = drtUnknown;
    std::string Label{}; // the file system label; empty when it has none
    std::string Uuid{};  // the file system UUID; empty when unknown
};

// The volume serial of a drive whose mount point cannot be read.
inline const std::string NoVolume = "-1";

// Network and unknown file systems may stop answering; calls into them must
// not be able to hold the user-interface thread.
inline bool MayHang(TDriveType kind) { return kind == drtRemote || kind == drtUnknown; }
