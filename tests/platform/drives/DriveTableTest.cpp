#include "platform/drives/DriveClassifier.h"
#include "platform/drives/MountInfo.h"
#include "platform/drives/PathMatch.h"

#include <gtest/gtest.h>

namespace {

std::vector<std::string> Points(const std::vector<TMountEntry>& mounts)
{
    std::vector<std::string> points;
    for (const TMountEntry& m : mounts)
        points.push_back(m.MountPoint);
    return points;
}

TEST(MountInfo, ReadsEscapedPathsOptionalFieldsAndSkipsBrokenLines)
{
    const auto mounts = ParseMountInfo(
        "27 1 254:0 / / rw,relatime shared:1 - ext4 /dev/vda rw\n"
        "garbage\n"
        "90 27 8:17 / /media/My\\040Stick rw master:2 propagate_from:1 - vfat /dev/sdb1 rw\n"
        "91 27 0:55 / /net rw - nfs4 server:/export\\011x rw\n");
    ASSERT_EQ(mounts.size(), 3u);
    EXPECT_EQ(mounts[0].MountPoint, "/");
    EXPECT_EQ(mounts[0].Major, 254u);
    EXPECT_EQ(mounts[1].MountPoint, "/media/My Stick");
    EXPECT_EQ(mounts[1].FsType, "vfat");
    EXPECT_EQ(mounts[1].Minor, 17u);
    EXPECT_EQ(mounts[2].Source, "server:/export\tx");
    EXPECT_EQ(UnescapeOctal("a\\134b\\04"), "a\\b\\04"); // a cut escape stays as it is
}

TEST(MountInfo, DrivesAreRealFileSystemsOnePerPointInPathOrder)
{
    const auto drives = DriveMounts(ParseMountInfo(
        "1 0 0:21 / /proc rw - proc proc rw\n"
        "2 0 0:22 / /sys rw - sysfs sysfs rw\n"
        "3 0 0:28 / /sys/fs/cgroup rw - tmpfs tmpfs rw\n"
        "4 0 8:1 / /media/usb rw - vfat /dev/sdb1 rw\n"
        "5 0 254:0 / / rw - ext4 /dev/vda rw\n"
        "6 0 0:40 / /run/user/1000 rw - tmpfs tmpfs rw\n"
        "7 0 8:2 / /media/usb rw - ext4 /dev/sdc1 rw\n"
        "8 0 0:41 / /boot/efi/x rw - autofs systemd-1 rw\n"));
    EXPECT_EQ(Points(drives), (std::vector<std::string>{"/", "/media/usb", "/run/user/1000"}));
    EXPECT_EQ(drives[1].Source, "/dev/sdc1"); // the later mount hides the earlier
}

struct TKindCase {
    const char* fsType;
    const char* source;
    unsigned major;
    bool removable;
    TDriveType kind;
};

class DriveKinds : public ::testing::TestWithParam<TKindCase> {};

TEST_P(DriveKinds, FollowFileSystemAndDevice)
{
    const TKindCase& c = GetParam();
    TMountEntry m;
    m.FsType = c.fsType;
    m.Source = c.source;
    m.Major = c.major;
    EXPECT_EQ(ClassifyDrive(m, c.removable), c.kind) << c.fsType;
}

INSTANTIATE_TEST_SUITE_P(All, DriveKinds,
                         ::testing::Values(TKindCase{"ext4", "/dev/sda1", 8, false, drtFixed},
                                           TKindCase{"vfat", "/dev/sdb1", 8, true, drtRemovable},
                                           TKindCase{"nfs4", "server:/x", 0, false, drtRemote},
                                           TKindCase{"cifs", "//server/share", 0, false, drtRemote},
                                           TKindCase{"fuse.sshfs", "me@host:", 0, false, drtRemote},
                                           TKindCase{"iso9660", "/dev/sr0", 11, true, drtCDRom},
                                           TKindCase{"udf", "/dev/sr0", 11, false, drtCDRom},
                                           TKindCase{"tmpfs", "tmpfs", 0, false, drtRamDisk},
                                           TKindCase{"ramfs", "none", 0, false, drtRamDisk},
                                           TKindCase{"overlay", "overlay", 0, false, drtFixed},
                                           TKindCase{"fuse.portal", "portal", 0, false, drtUnknown}),
                         [](const auto& info) { return std::to_string(info.index) + "_" + std::string(info.param.fsType).substr(0, 4); });

TEST(PathMatch, ExactFirstThenTheOneCaseBlindMatch)
{
    const std::vector<std::string> names = {"images", "Images", "Music", "photos", "PHOTOS", "Video"};
    EXPECT_EQ(MatchComponent(names, "Images"), 1);
    EXPECT_EQ(MatchComponent(names, "music"), 2);
    EXPECT_EQ(MatchComponent(names, "Photos"), -1); // two candidates: none is taken
    EXPECT_EQ(MatchComponent(names, "Audio"), -1);
    EXPECT_EQ(PathComponents("/a//b/c/"), (std::vector<std::string>{"a", "b", "c"}));
}

TEST(PathMatch, DriveOfAPathIsTheLongestRootThatBeginsIt)
{
    const std::vector<TDrive> drives = {{.Root = "/"}, {.Root = "/media/usb/"}, {.Root = "/media/usb2/"}};
    EXPECT_EQ(DriveIndexOf("/media/usb/a/", drives), 1);
    EXPECT_EQ(DriveIndexOf("/media/usb2/", drives), 2);
    EXPECT_EQ(DriveIndexOf("/media/usbx/", drives), 0);
    EXPECT_EQ(DriveIndexOf("relative/", drives), -1);
}

TEST(PathMatch, BelowTrashMeansInsideATrashFolder)
{
    EXPECT_FALSE(IsBelowTrash("/home/me/.local/share/Trash/"));
    EXPECT_TRUE(IsBelowTrash("/home/me/.local/share/Trash/files/"));
    EXPECT_FALSE(IsBelowTrash("/media/usb/.Trash-1000/"));
    EXPECT_TRUE(IsBelowTrash("/media/usb/.Trash-1000/files/"));
    EXPECT_TRUE(IsBelowTrash("/.Trash/1000/"));
    EXPECT_FALSE(IsBelowTrash("/home/me/Trash/old/")); // not the desktop's trash
    EXPECT_FALSE(IsBelowTrash("/home/me/.trash/old/"));
}

TEST(PathMatch, NamesSortIgnoringCase)
{
    std::vector<std::string> names = {"banana", "Apple", "apple", "Cherry", ".hidden"};
    std::sort(names.begin(), names.end(), LessIgnoringCase);
    EXPECT_EQ(names, (std::vector<std::string>{".hidden", "Apple", "apple", "banana", "Cherry"}));
}

} // namespace
