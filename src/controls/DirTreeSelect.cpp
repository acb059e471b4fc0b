// Selecting a folder by its path, reporting the selected one, and rebuilding
// the tree around the selection.
#include "controls/DirTree.h"

#include "controls/RebuildGuards.h"
#include "platform/drives/PathMatch.h"

// The node of the path, found from its drive component by component: the
// exact name, else the one name that differs only in letter case. read: read
// children on the way where they are not read yet.
QTreeWidgetItem* TDirTree::Walk(const std::string& path, bool read)
{
    const TDrive* drive = KnownDrive(path);
    QTreeWidgetItem* node = drive ? DriveNode(drive->Root) : nullptr;
    if (!node)
        return nullptr;
    for (const std::string& wanted : PathComponents(path.substr(drive->Root.size()))) {
        if (read)
            ReadChildren(node, true);
        const size_t parentLength = EntryOf(node)->Path.size();
        std::vector<std::string> names;
        names.reserve(static_cast<size_t>(node->childCount()));
        for (int i = 0; i < node->childCount(); ++i) {
            const TDirEntry* child = EntryOf(node->child(i));
            names.push_back(child ? child->Path.substr(parentLength, child->Path.size() - parentLength - 1) : "");
        }
        const int at = MatchComponent(names, wanted);
        if (at < 0)
            return nullptr;
        node = node->child(at);
    }
    return node;
}

QTreeWidgetItem* TDirTree::FindNodeByPath(const std::string& path) const
{
    const std::string folder = path.empty() || path.back() == '/' ? path : path + "/";
    return const_cast<TDirTree*>(this)->Walk(folder, false);
}

void TDirTree::SelectPath(const std::string& path)
{
    if (path.empty())
        throw EDirTree("Invalid Path Name");
    if (path == "?")
        return;
    const std::string folder = path.back() == '/' ? path : path + "/";
    TBusyCursor busy;
    QTreeWidgetItem* node = nullptr;
    {
        TNoRedraw frozen(this);
        // The disk decides, not the loaded nodes: one may name a folder
        // deleted since. The node's path holds the letter case on disk.
        node = Walk(folder, true);
        const TDirEntry* entry = EntryOf(node);
        if (!FolderExists(entry ? entry->Path : folder)) {
            const TDrive* cwdDrive = KnownDrive(FSystem->CurrentDirectory() + "/");
            node = cwdDrive ? DriveNode(cwdDrive->Root) : nullptr;
        }
        if (node)
            scrollToItem(node); // opens its parents
    }
    if (node)
        setCurrentItem(node);
}

std::string TDirTree::GetSelectedPath() const
{
    QTreeWidgetItem* node = currentItem();
    if (!node)
        return "?";
    const TDirEntry* entry = EntryOf(node);
    return entry ? entry->Path : std::string();
}

// The folder itself, or the nearest one above it that is still there on its
// drive: the user keeps their place when the folder was deleted meanwhile.
std::string TDirTree::NearestFolderLeft(const std::string& path)
{
    const TDrive* drive = KnownDrive(path);
    if (!drive)
        return path;
    for (std::string folder = path; folder.size() > drive->Root.size();) {
        if (FolderExists(folder))
            return folder;
        folder.erase(folder.rfind('/', folder.size() - 2) + 1);
    }
    return drive->Root;
}

void TDirTree::RefreshTree()
{
    const std::string remembered = GetSelectedPath();
    ReloadDrives();
    if (!remembered.empty()) // empty: a placeholder was selected
        SelectPath(NearestFolderLeft(remembered));
    if (topLevelItemCount() > 0 && !currentItem())
        if (const TDrive* drive = KnownDrive(remembered))
            SelectPath(drive->Root);
    if (currentItem() || topLevelItemCount() == 0)
        return;
    // The first drive that has been opened, or has nothing to open, or the last.
    int at = 0;
    for (; at + 1 < topLevelItemCount(); ++at) {
        QTreeWidgetItem* drive = topLevelItem(at);
        const TDirEntry* first = drive->childCount() ? EntryOf(drive->child(0)) : nullptr;
        if (drive->childCount() == 0 || (first && first->ChildrenRead))
            break;
    }
    const std::string root = EntryOf(topLevelItem(at))->Path;
    const std::string last = LastPath(root);
    SelectPath(last);
    if (GetSelectedPath() != last)
        setCurrentItem(topLevelItem(at));
}
