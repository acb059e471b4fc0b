#pragma once
#include "platform/drives/Drive.h"

#include <QTreeWidgetItem>
#include <memory>
#include <string>

// The record a folder or drive node owns.
struct TDirEntry {
    std::string Path;          // ends with "/", in the letter case the file system stores
    bool ChildrenRead = false; // ReadChildren has filled the node
    void* UserData = nullptr;  // the caller's, handed down to the children
};

// A node of the directory tree. Without a record it is a placeholder that
// only gives its parent an expand button. Its icon follows its kind unless
// someone set one of its own.
class TDirNode : public QTreeWidgetItem {
public:
    TDirNode() = default; // a placeholder
    TDirNode(TDirEntry entry, int iconKind);
    QVariant data(int column, int role) const override;

    std::unique_ptr<TDirEntry> Entry;
    static constexpr int FolderKind = drtRamDisk + 1; // beyond the drive kinds

private:
    int FIconKind = -1;
};

// The node's record; none for a placeholder or a foreign item.
TDirEntry* EntryOf(QTreeWidgetItem* node);
