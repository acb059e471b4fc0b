#pragma once
#include <string>
#include <vector>

// One line of /proc/self/mountinfo.
struct TMountEntry {
    std::string MountPoint; // unescaped
    std::string FsType;     // with its subtype, e.g. "fuse.sshfs"
    std::string Source;     // unescaped, e.g. "/dev/sda1" or "server:/export"
    unsigned Major = 0;
    unsigned Minor = 0;
};

// Lines that do not have the mountinfo layout are skipped.
std::vector<TMountEntry> ParseMountInfo(const std::string& text);
// Undoes the kernel's octal escapes ("\040" for a blank).
std::string UnescapeOctal(const std::string& field);
