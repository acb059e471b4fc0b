#include "controls/DirTree.h"

#include "controls/RebuildGuards.h"
#include "platform/drives/LocalDriveSystem.h"
#include "platform/drives/MountWatcher.h"

#include <QDropEvent>
#include <QFile>
#include <QMimeData>
#include <QShowEvent>
#include <QUrl>

TDirTree::TDirTree(QWidget* parent, std::shared_ptr<TDriveSystem> system)
    : QTreeWidget(parent), FSystem(system ? std::move(system) : std::make_shared<TLocalDriveSystem>())
{
    InitialDirectory = FSystem->CurrentDirectory();
    setHeaderHidden(true);
    setColumnCount(1);
    setSelectionMode(QAbstractItemView::SingleSelection);
    connect(this, &QTreeWidget::itemExpanded, this, [this](QTreeWidgetItem* node) { CanExpand(node); });
    connect(this, &QTreeWidget::currentItemChanged, this, [this] { Change(); });
    connect(this, &QTreeWidget::itemClicked, this, [this] { Click(); });
}

TDirTree::~TDirTree()
{
    FDestroying = true;
    disconnect(this, nullptr, this, nullptr);
    DeleteAll();
}

void TDirTree::SetDirTypes(TDirTypes types)
{
    FDirTypes = types;
    RefreshTree();
}

void TDirTree::SetGoBelowRecycleBin(bool on)
{
    FGoBelowRecycleBin = on;
    RefreshTree();
}

void TDirTree::SetDriveTypes(TDriveTypes types)
{
    FDriveTypes = types;
    if (FCreated)
        UpdateDrives();
}

void TDirTree::SetAcceptDropFiles(bool on)
{
    FAcceptDropFiles = on;
    if (FCreated)
        AcceptDrops();
}

// Drops arrive at the viewport.
void TDirTree::AcceptDrops()
{
    setAcceptDrops(FAcceptDropFiles);
    viewport()->setAcceptDrops(FAcceptDropFiles);
}

void TDirTree::showEvent(QShowEvent* event)
{
    QTreeWidget::showEvent(event);
    CreateWnd();
}

// The first show stands for the window's creation: the drives are read
// then, not when the owning window is made at program start.
void TDirTree::CreateWnd()
{
    if (FCreated)
        return;
    FCreated = true;
    FWatcher = new TMountWatcher([this] { DeviceChanged(); }, this);
    if (ReadOnStart)
        ReloadDrives();
    SelectPath(!InitialDirectory.empty() && FolderExists(InitialDirectory) ? InitialDirectory
                                                                            : FSystem->CurrentDirectory());
    AcceptDrops();
}

void TDirTree::DeviceChanged()
{
    {
        TChangeLock lock(FChangeLock);
        if (!UpdateDrives())
            CheckMediaChange();
    }
    Change();
}

// A selection on a drive whose medium changed re-reads that drive first.
void TDirTree::Change()
{
    if (FChangeLock != 0 || FDestroying)
        return;
    QTreeWidgetItem* node = currentItem();
    if (const TDirEntry* entry = EntryOf(node)) {
        if (const TDrive* drive = KnownDrive(entry->Path)) {
            const TDrive known = *drive;
            if (MediumChanged(known)) {
                node = DriveNode(known.Root);
                ReReadDrive(node, known);
            }
            if (const TDirEntry* selected = EntryOf(node))
                FLastPath[known.Root] = selected->Path;
        }
    }
    if (OnChange)
        OnChange(this, node);
}

void TDirTree::Click()
{
    const TDirEntry* entry = EntryOf(currentItem());
    const TDrive* drive = entry ? KnownDrive(entry->Path) : nullptr;
    if (drive && MediumChanged(*drive)) {
        Change();
        return;
    }
    if (OnClick)
        OnClick(this);
}

namespace {

std::vector<std::string> DroppedFiles(const QMimeData* data)
{
    std::vector<std::string> files;
    for (const QUrl& url : data->urls())
        if (url.isLocalFile())
            files.push_back(QFile::encodeName(url.toLocalFile()).toStdString());
    return files;
}

} // namespace

void TDirTree::dragEnterEvent(QDragEnterEvent* event)
{
    if (FAcceptDropFiles && !DroppedFiles(event->mimeData()).empty())
        event->acceptProposedAction();
    else
        event->ignore();
}

void TDirTree::dragMoveEvent(QDragMoveEvent* event)
{
    const bool onFolder = EntryOf(itemAt(event->position().toPoint())) != nullptr;
    if (FAcceptDropFiles && onFolder)
        event->acceptProposedAction();
    else
        event->ignore();
}

void TDirTree::dropEvent(QDropEvent* event)
{
    const QPoint at = event->position().toPoint();
    const TDirEntry* target = EntryOf(itemAt(at));
    if (!FAcceptDropFiles || !target) {
        event->ignore();
        return;
    }
    const std::vector<std::string> files = DroppedFiles(event->mimeData());
    event->acceptProposedAction();
    if (OnDropFiles)
        OnDropFiles(this, at.x(), at.y(), target->Path, files, event->modifiers());
}
