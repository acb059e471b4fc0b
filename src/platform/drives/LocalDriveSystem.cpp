#include "platform/drives/LocalDriveSystem.h"

#include "platform/drives/DriveClassifier.h"

#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <dirent.h>
#include <fstream>
#include <map>
#include <sstream>
#include <sys/stat.h>
#include <sys/statfs.h>
#include <sys/sysmacros.h>
#include <unistd.h>

namespace {

std::string ReadText(const std::string& path)
{
    std::ifstream in(path);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

// udev names its links with "\x20" for a blank.
std::string UnescapeUdev(const std::string& name)
{
    std::string out;
    for (size_t i = 0; i < name.size(); ++i) {
        if (name.compare(i, 2, "\\x") == 0 && i + 3 < name.size() && std::isxdigit(static_cast<unsigned char>(name[i + 2])) &&
            std::isxdigit(static_cast<unsigned char>(name[i + 3]))) {
            out.push_back(static_cast<char>(std::stoi(name.substr(i + 2, 2), nullptr, 16)));
            i += 3;
        } else {
            out.push_back(name[i]);
        }
    }
    return out;
}

// Device number to link name, for the links of one /dev/disk folder.
std::map<dev_t, std::string> DeviceLinks(const std::string& folder)
{
    std::map<dev_t, std::string> links;
    DIR* dir = opendir(folder.c_str());
    if (!dir)
        return links;
    while (const dirent* e = readdir(dir)) {
        struct stat st {};
        if (e->d_name[0] != '.' && stat((folder + "/" + e->d_name).c_str(), &st) == 0 && S_ISBLK(st.st_mode))
            links[st.st_rdev] = UnescapeUdev(e->d_name);
    }
    closedir(dir);
    return links;
}

bool IsRemovableDevice(unsigned major, unsigned minor)
{
    if (major == 0)
        return false;
    char link[64];
    std::snprintf(link, sizeof link, "/sys/dev/block/%u:%u", major, minor);
    char* real = realpath(link, nullptr);
    if (!real)
        return false;
    const std::string device = real;
    free(real);
    if (device.find("/usb") != std::string::npos)
        return true;
    // A partition keeps the flag in its disk's folder.
    const std::string parent = device.substr(0, device.rfind('/'));
    for (const std::string& folder : {device, parent})
        if (ReadText(folder + "/removable").rfind('1', 0) == 0)
            return true;
    return false;
}

bool IsFolder(const std::string& path)
{
    struct stat st {};
    return stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

} // namespace

std::vector<TDrive> TLocalDriveSystem::Drives()
{
    const auto labels = DeviceLinks("/dev/disk/by-label");
    const auto uuids = DeviceLinks("/dev/disk/by-uuid");
    std::vector<TDrive> drives;
    for (const TMountEntry& m : DriveMounts(ParseMountInfo(ReadText("/proc/self/mountinfo")))) {
        TDrive d;
        d.Kind = ClassifyDrive(m, IsRemovableDevice(m.Major, m.Minor));
        // A network mount point is taken for a folder: asking a dead server would hang.
        if (!MayHang(d.Kind) && !IsFolder(m.MountPoint))
            continue;
        d.Root = m.MountPoint == "/" ? "/" : m.MountPoint + "/";
        const dev_t device = makedev(m.Major, m.Minor);
        if (const auto it = labels.find(device); it != labels.end())
            d.Label = it->second;
        if (const auto it = uuids.find(device); it != uuids.end())
            d.Uuid = it->second;
        drives.push_back(std::move(d));
    }
    return drives;
}

std::string TLocalDriveSystem::VolumeSerial(const TDrive& drive)
{
    struct statfs fs {};
    if (statfs(drive.Root.c_str(), &fs) != 0)
        return NoVolume;
    if (!drive.Uuid.empty())
        return drive.Uuid;
    int id[2];
    static_assert(sizeof id == sizeof fs.f_fsid);
    std::memcpy(id, &fs.f_fsid, sizeof id);
    char text[32];
    std::snprintf(text, sizeof text, "%08x%08x", static_cast<unsigned>(id[0]), static_cast<unsigned>(id[1]));
    return text;
}

void TLocalDriveSystem::ListFolder(const std::string& path, const std::function<bool(const TDirRec&)>& each)
{
    DIR* dir = opendir(path.c_str());
    if (!dir)
        return;
    while (const dirent* e = readdir(dir)) {
        TDirRec rec;
        rec.Name = e->d_name;
        bool folder = e->d_type == DT_DIR;
        if (e->d_type == DT_UNKNOWN || e->d_type == DT_LNK)
            folder = IsFolder(path + rec.Name); // links to folders count as folders
        rec.Attr = (folder ? uint32_t{faDirectory} : 0u) | (rec.Name[0] == '.' ? uint32_t{faHidden} : 0u);
        if (!each(rec))
            break;
    }
    closedir(dir);
}

bool TLocalDriveSystem::FolderExists(const std::string& path) { return IsFolder(path); }

bool TLocalDriveSystem::CreateFolder(const std::string& path) { return mkdir(path.c_str(), 0777) == 0; }

std::string TLocalDriveSystem::CurrentDirectory()
{
    char* cwd = getcwd(nullptr, 0);
    if (!cwd)
        return "/";
    std::string path = cwd;
    free(cwd);
    return path;
}
