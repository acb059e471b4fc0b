// The drive nodes: listing, captions, volume serials, drives and media that
// come and go.
#include "controls/DirTree.h"

#include "controls/RebuildGuards.h"
#include "platform/drives/PathMatch.h"

#include <QFile>
#include <algorithm>

namespace {

std::string MountText(const TDrive& drive)
{
    return drive.Root == "/" ? drive.Root : drive.Root.substr(0, drive.Root.size() - 1);
}

std::string InParentheses(const TDrive& drive) { return std::string("(").append(MountText(drive)).append(")"); }

// The name a drive goes by without its medium being touched.
std::string DisplayName(const TDrive& drive) { return drive.Label + " " + InParentheses(drive); }

void AddPlaceholder(QTreeWidgetItem* node) { node->addChild(new TDirNode); }

} // namespace

std::vector<TDrive> TDirTree::DriveMask()
{
    std::vector<TDrive> drives = FSystem->Drives();
    std::erase_if(drives, [this](const TDrive& d) { return !FDriveTypes.Contains(d.Kind); });
    std::sort(drives.begin(), drives.end(), [](const TDrive& a, const TDrive& b) { return a.Root < b.Root; });
    return drives;
}

// The listed drive that holds the path.
const TDrive* TDirTree::KnownDrive(const std::string& path) const
{
    const int at = DriveIndexOf(path, FKnownDrives);
    return at < 0 ? nullptr : &FKnownDrives[at];
}

QTreeWidgetItem* TDirTree::DriveNode(const std::string& root) const
{
    for (int i = 0; i < topLevelItemCount(); ++i)
        if (const TDirEntry* e = EntryOf(topLevelItem(i)); e && e->Path == root)
            return topLevelItem(i);
    return nullptr;
}

std::string TDirTree::Serial(const TDrive& drive)
{
    auto serial = std::make_shared<std::string>();
    const bool inTime = Guarded(&drive, [drive, serial](TDriveSystem& system) {
        *serial = system.VolumeSerial(drive);
        return true;
    });
    return inTime ? *serial : NoVolume;
}

std::string TDirTree::RecordedSerial(const std::string& root) const
{
    const auto it = FVolumeSerial.find(root);
    return it == FVolumeSerial.end() ? std::string() : it->second; // empty: never recorded
}

// A drive listed without reading its volume (a removable one) has no serial
// to compare yet: it is recorded now, and the folder just opened stays.
bool TDirTree::MediumChanged(const TDrive& drive)
{
    const std::string serial = Serial(drive);
    const auto [it, first] = FVolumeSerial.emplace(drive.Root, serial);
    return !first && it->second != serial;
}

// Reads the volume and records its serial.
std::string TDirTree::DriveCaption(const TDrive& drive)
{
    const std::string serial = Serial(drive);
    FVolumeSerial[drive.Root] = serial;
    if (drive.Kind == drtRemovable || drive.Kind == drtRemote)
        return DisplayName(drive);
    return serial == NoVolume ? InParentheses(drive) : DisplayName(drive);
}

QTreeWidgetItem* TDirTree::NewDriveNode(const TDrive& drive)
{
    auto* node = new TDirNode(TDirEntry{drive.Root}, drive.Kind);
    const std::string caption = drive.Kind == drtRemovable ? DisplayName(drive) : DriveCaption(drive);
    node->setText(0, QFile::decodeName(caption.c_str()));
    return node;
}

std::string TDirTree::LastPath(const std::string& root)
{
    if (const auto it = FLastPath.find(root); it != FLastPath.end())
        return it->second;
    const std::string cwd = FSystem->CurrentDirectory() + "/";
    const TDrive* cwdDrive = KnownDrive(cwd);
    return cwdDrive && cwdDrive->Root == root ? cwd : root;
}

void TDirTree::ReloadDrives()
{
    if (!FCreated)
        return;
    TChangeLock lock(FChangeLock);
    TBusyCursor busy;
    TNoRedraw frozen(this);
    DeleteAll();
    FKnownDrives = DriveMask();
    for (const TDrive& drive : FKnownDrives) {
        if (!AcceptFolder(drive.Root))
            continue;
        QTreeWidgetItem* node = NewDriveNode(drive);
        addTopLevelItem(node);
        const bool probe = drive.Kind == drtFixed || drive.Kind == drtRemote || drive.Kind == drtRamDisk;
        if (!FastLoad && probe)
            ProbeSubfolders(node);
        else
            AddPlaceholder(node);
        GotIcon(node);
    }
}

bool TDirTree::UpdateDrives()
{
    const std::vector<TDrive> now = DriveMask();
    const auto listed = [](const std::vector<TDrive>& drives, const std::string& root) {
        return std::any_of(drives.begin(), drives.end(), [&](const TDrive& d) { return d.Root == root; });
    };
    bool changed = false;
    {
        TChangeLock lock(FChangeLock);
        for (const TDrive& gone : FKnownDrives)
            if (!listed(now, gone.Root))
                if (QTreeWidgetItem* node = DriveNode(gone.Root)) {
                    Deleting(node);
                    delete node;
                    changed = true;
                }
        for (const TDrive& drive : now) {
            if (listed(FKnownDrives, drive.Root) || !AcceptFolder(drive.Root))
                continue;
            int at = 0;
            while (at < topLevelItemCount() && EntryOf(topLevelItem(at))->Path <= drive.Root)
                ++at;
            QTreeWidgetItem* node = NewDriveNode(drive);
            insertTopLevelItem(at, node);
            const bool unread = drive.Kind == drtRemovable || drive.Kind == drtCDRom || drive.Kind == drtUnknown;
            if (FastLoad || unread)
                AddPlaceholder(node);
            else
                ProbeSubfolders(node);
            GotIcon(node);
            changed = true;
        }
        FKnownDrives = now;
    }
    if (changed)
        Change();
    return changed;
}

// A drive whose serial was never recorded (a removable one listed without
// touching it) has its serial recorded and is not re-read: the event may be
// for a mount the tree does not even show.
void TDirTree::CheckMediaChange()
{
    for (auto it = FKnownDrives.rbegin(); it != FKnownDrives.rend(); ++it) {
        const TDrive drive = *it;
        if (!MediumChanged(drive))
            continue;
        if (QTreeWidgetItem* node = DriveNode(drive.Root))
            ReReadDrive(node, drive);
        return;
    }
}

// Another medium (or none) in the drive: its folders are read anew. A
// selection inside it moves to the drive itself.
void TDirTree::ReReadDrive(QTreeWidgetItem* driveNode, const TDrive& drive)
{
    TChangeLock lock(FChangeLock);
    bool selectionInside = false;
    for (QTreeWidgetItem* n = currentItem(); n; n = n->parent())
        selectionInside = selectionInside || n->parent() == driveNode;
    DeleteChildren(driveNode);
    EntryOf(driveNode)->ChildrenRead = false;
    ProbeSubfolders(driveNode);
    const std::string caption = DriveCaption(drive);
    driveNode->setText(0, QFile::decodeName(caption.c_str()));
    if (RecordedSerial(drive.Root) != NoVolume && driveNode->childCount() == 0)
        AddPlaceholder(driveNode);
    if (selectionInside || !currentItem())
        setCurrentItem(driveNode);
}
