#include "controls/DirNode.h"

#include "controls/DirTreeIcons.h"

TDirNode::TDirNode(TDirEntry entry, int iconKind)
    : Entry(std::make_unique<TDirEntry>(std::move(entry))), FIconKind(iconKind)
{
}

QVariant TDirNode::data(int column, int role) const
{
    if (role == Qt::DecorationRole && column == 0 && FIconKind >= 0) {
        const QVariant own = QTreeWidgetItem::data(column, role);
        if (own.isValid())
            return own;
        return FIconKind == FolderKind ? FolderNodeIcon() : DriveNodeIcon(static_cast<TDriveType>(FIconKind));
    }
    return QTreeWidgetItem::data(column, role);
}

TDirEntry* EntryOf(QTreeWidgetItem* node)
{
    auto* dirNode = dynamic_cast<TDirNode*>(node);
    return dirNode ? dirNode->Entry.get() : nullptr;
}
