// Folder nodes: the filters, reading a folder's children, probing for a
// first subfolder and expanding.
#include "controls/DirTree.h"

#include "controls/RebuildGuards.h"
#include "platform/drives/PathMatch.h"

#include <QFile>
#include <algorithm>

bool TDirTree::AcceptFolder(const std::string& path)
{
    if (!FGoBelowRecycleBin && IsBelowTrash(path))
        return false;
    bool add = true;
    if (OnAddDir)
        OnAddDir(this, path, add);
    return add;
}

bool TDirTree::MatchesDirTypes(uint32_t attr) const
{
    if (FDirTypes.Contains(dtAll))
        return true;
    if (((attr & faHidden) && !FDirTypes.Contains(dtHidden)) || ((attr & faSysFile) && !FDirTypes.Contains(dtSystem)) ||
        ((attr & faArchive) && !FDirTypes.Contains(dtArchive)))
        return false;
    return FDirTypes.Contains(dtNormal) || (attr & (faHidden | faSysFile | faArchive)) != 0;
}

// Folders on a drive that may hang are listed whole on a helper thread and
// handed over only when that finishes in time.
void TDirTree::ForEachEntry(const std::string& path, const std::function<bool(const TDirRec&)>& each)
{
    if (OnFindDir) {
        bool first = true;
        for (;;) {
            TDirRec rec;
            int result = 0;
            OnFindDir(this, path, rec, result, first);
            first = false;
            if (result != 0 || !each(rec))
                return;
        }
    }
    const TDrive* drive = KnownDrive(path);
    if (!drive || !MayHang(drive->Kind)) {
        FSystem->ListFolder(path, each);
        return;
    }
    auto found = std::make_shared<std::vector<TDirRec>>();
    const bool inTime = Guarded(drive, [path, found](TDriveSystem& system) {
        system.ListFolder(path, [&](const TDirRec& rec) {
            found->push_back(rec);
            return true;
        });
        return true;
    });
    if (inTime)
        for (const TDirRec& rec : *found)
            if (!each(rec))
                return;
}

std::vector<std::string> TDirTree::Subfolders(const std::string& path, bool firstOnly)
{
    std::vector<std::string> names;
    ForEachEntry(path, [&](const TDirRec& rec) {
        if (!(rec.Attr & faDirectory) || rec.Name == "." || rec.Name == ".." || rec.Name.empty())
            return true;
        if (!AcceptFolder(path + rec.Name + "/") || !MatchesDirTypes(rec.Attr))
            return true;
        names.push_back(rec.Name);
        return !firstOnly;
    });
    return names;
}

void TDirTree::ReadChildren(QTreeWidgetItem* node) { ReadChildren(node, false); }

// probe: also give every child its expand button, before the children join
// the tree, which is much cheaper than one by one afterwards.
void TDirTree::ReadChildren(QTreeWidgetItem* node, bool probe)
{
    TDirEntry* entry = EntryOf(node);
    if (!entry || entry->ChildrenRead)
        return;
    DeleteChildren(node);
    entry->ChildrenRead = true;
    std::vector<std::string> names = Subfolders(entry->Path, false);
    std::sort(names.begin(), names.end(), LessIgnoringCase);
    QList<QTreeWidgetItem*> children;
    children.reserve(static_cast<qsizetype>(names.size()));
    for (const std::string& name : names) {
        auto* child = new TDirNode(TDirEntry{entry->Path + name + "/", false, entry->UserData}, TDirNode::FolderKind);
        child->setText(0, QFile::decodeName(name.c_str()));
        if (probe)
            ProbeSubfolders(child);
        children.append(child);
    }
    node->addChildren(children);
    if (OnGetIcon)
        for (QTreeWidgetItem* child : children)
            GotIcon(child);
}

void TDirTree::ProbeSubfolders(QTreeWidgetItem* node)
{
    if (const TDirEntry* entry = EntryOf(node); entry && !Subfolders(entry->Path, true).empty())
        node->addChild(new TDirNode);
}

void TDirTree::CanExpand(QTreeWidgetItem* node)
{
    TBusyCursor busy;
    const TDirEntry* entry = EntryOf(node);
    if (!entry)
        return;
    if (!entry->ChildrenRead) {
        ReadChildren(node, true);
        return;
    }
    for (int i = 0; i < node->childCount(); ++i) {
        QTreeWidgetItem* child = node->child(i);
        const TDirEntry* childEntry = EntryOf(child);
        if (childEntry && !childEntry->ChildrenRead && child->childCount() == 0)
            ProbeSubfolders(child);
    }
}

void TDirTree::Deleting(QTreeWidgetItem* node)
{
    if (!OnDeleteItem || FDestroying)
        return;
    for (int i = 0; i < node->childCount(); ++i)
        Deleting(node->child(i));
    OnDeleteItem(this, node);
}

void TDirTree::DeleteChildren(QTreeWidgetItem* node)
{
    const QList<QTreeWidgetItem*> children = node->takeChildren();
    for (QTreeWidgetItem* child : children) {
        Deleting(child);
        delete child;
    }
}

void TDirTree::DeleteAll()
{
    for (int i = 0; i < topLevelItemCount(); ++i)
        Deleting(topLevelItem(i));
    clear();
}

void TDirTree::GotIcon(QTreeWidgetItem* node)
{
    if (OnGetIcon)
        OnGetIcon(this, node);
}
