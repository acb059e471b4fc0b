#include "platform/drives/DriveClassifier.h"

#include <algorithm>
#include <map>
#include <set>

namespace {

bool In(const std::set<std::string>& names, const std::string& name) { return names.count(name) != 0; }

const std::set<std::string> PseudoTypes = {
    "proc",      "sysfs",    "cgroup",      "cgroup2",     "devpts",     "mqueue", "debugfs",  "tracefs",
    "securityfs", "pstore",  "bpf",         "configfs",    "fusectl",    "hugetlbfs", "binfmt_misc", "nsfs",
    "autofs",    "devtmpfs", "efivarfs",    "selinuxfs",   "rpc_pipefs", "nfsd",   "squashfs"};
const std::set<std::string> RemoteTypes = {"nfs",        "nfs4",      "cifs",         "smb3",     "smbfs",
                                           "9p",         "afs",       "ceph",         "glusterfs", "davfs",
                                           "fuse.sshfs", "fuse.s3fs", "fuse.rclone",  "fuse.davfs2", "fuse.glusterfs"};
const std::set<std::string> OpticalTypes = {"iso9660", "udf"};
const std::set<std::string> RamTypes = {"tmpfs", "ramfs"};
// Local file systems that keep their files on this machine's disks even when
// no single block device stands behind them.
const std::set<std::string> LocalTypes = {"overlay", "btrfs", "zfs", "bcachefs"};

bool Below(const std::string& path, const std::string& dir)
{
    const std::string prefix = dir == "/" ? dir : dir + "/";
    return path.size() > prefix.size() && path.compare(0, prefix.size(), prefix) == 0;
}

} // namespace

bool IsPseudoFileSystem(const std::string& fsType) { return In(PseudoTypes, fsType); }

TDriveType ClassifyDrive(const TMountEntry& mount, bool removableDevice)
{
    if (In(RemoteTypes, mount.FsType))
        return drtRemote;
    if (In(OpticalTypes, mount.FsType))
        return drtCDRom;
    if (In(RamTypes, mount.FsType))
        return drtRamDisk;
    const bool blockDevice = mount.Major != 0 || mount.Source.rfind("/dev/", 0) == 0;
    if (blockDevice && removableDevice)
        return drtRemovable;
    if (blockDevice || In(LocalTypes, mount.FsType))
        return drtFixed;
    return drtUnknown;
}

std::vector<TMountEntry> DriveMounts(const std::vector<TMountEntry>& table)
{
    std::map<std::string, TMountEntry> byPoint; // the last mount on a point wins
    std::vector<std::string> pseudoPoints;
    for (const TMountEntry& e : table) {
        if (IsPseudoFileSystem(e.FsType))
            pseudoPoints.push_back(e.MountPoint);
        byPoint[e.MountPoint] = e;
    }
    std::vector<TMountEntry> drives;
    for (const auto& entry : byPoint) {
        const TMountEntry& e = entry.second;
        const bool underPseudo = std::any_of(pseudoPoints.begin(), pseudoPoints.end(), [&](const std::string& p) {
            return p != "/" && Below(e.MountPoint, p);
        });
        if (!IsPseudoFileSystem(e.FsType) && !underPseudo)
            drives.push_back(e);
    }
    return drives; // std::map keeps them in path order, "/" first
}
