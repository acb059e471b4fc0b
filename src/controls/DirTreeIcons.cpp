#include "controls/DirTreeIcons.h"

#include <QApplication>
#include <QStyle>
#include <array>

namespace {

QIcon Themed(const char* name, QStyle::StandardPixmap fallback)
{
    return QIcon::fromTheme(name, QApplication::style()->standardIcon(fallback));
}

} // namespace

const QIcon& FolderNodeIcon()
{
    static const QIcon icon = [] {
        const QIcon closed = Themed("folder", QStyle::SP_DirClosedIcon);
        const QIcon open = Themed("folder-open", QStyle::SP_DirOpenIcon);
        QIcon both;
        for (int size : {16, 22, 32}) {
            both.addPixmap(closed.pixmap(size), QIcon::Normal);
            both.addPixmap(open.pixmap(size), QIcon::Selected);
        }
        return both;
    }();
    return icon;
}

const QIcon& DriveNodeIcon(TDriveType kind)
{
    static const std::array<QIcon, drtRamDisk + 1> icons = {
        Themed("drive-harddisk", QStyle::SP_DriveHDIcon),        // drtUnknown
        Themed("drive-removable-media", QStyle::SP_DriveFDIcon), // drtRemovable
        Themed("drive-harddisk", QStyle::SP_DriveHDIcon),        // drtFixed
        Themed("folder-remote", QStyle::SP_DriveNetIcon),        // drtRemote
        Themed("media-optical", QStyle::SP_DriveCDIcon),         // drtCDRom
        Themed("media-flash", QStyle::SP_DriveHDIcon),           // drtRamDisk
    };
    return icons[kind];
}
