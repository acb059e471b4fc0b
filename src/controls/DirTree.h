#pragma once
#include "controls/DirNode.h"
#include "controls/EnumSet.h"
#include "platform/ComponentException.h"
#include "platform/drives/DeadlineGate.h"
#include "platform/drives/DriveSystem.h"

#include <QTreeWidget>
#include <chrono>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

class TMountWatcher;

enum TDirType { dtReadOnly, dtHidden, dtSystem, dtArchive, dtNormal, dtAll };
using TDirTypes = TEnumSet<TDirType>;
using TDriveTypes = TEnumSet<TDriveType>;

class EDirTree : public EComponentException {
public:
    using EComponentException::EComponentException;
};

class TDirTree;
using TAddFileEvent = std::function<void(TDirTree* Sender, const std::string& AFileName, bool& DoAdd)>;
// Replaces the folder listing: called with AFirst true, then false, until AResult is non-zero.
using TFindDirEvent =
    std::function<void(TDirTree* Sender, const std::string& APath, TDirRec& ARec, int& AResult, bool AFirst)>;
using TNodeEvent = std::function<void(TDirTree* Sender, QTreeWidgetItem* Node)>;
using TDropFilesEvent = std::function<void(TDirTree* Sender, int X, int Y, const std::string& aDropDir,
                                           const std::vector<std::string>& aDropFiles, Qt::KeyboardModifiers Shift)>;

// A tree of the machine's drives (mounted file systems) and their folders,
// read from the disk only as far as the user opens it. Folder paths end
// with "/" and keep the letter case the file system stores.
class TDirTree : public QTreeWidget {
    Q_OBJECT
public:
    // system: where drives and folders come from; the machine's own when empty.
    explicit TDirTree(QWidget* parent = nullptr, std::shared_ptr<TDriveSystem> system = nullptr);
    ~TDirTree() override;

    bool ReadOnStart = true; // list the drives when first shown
    bool FastLoad = false;   // do not probe drives for subfolders when listing them
    std::string InitialDirectory; // selected when first shown; the current directory by default
    TDirTypes DirTypes() const { return FDirTypes; }
    void SetDirTypes(TDirTypes types);
    bool GoBelowRecycleBin() const { return FGoBelowRecycleBin; }
    void SetGoBelowRecycleBin(bool on);
    TDriveTypes DriveTypes() const { return FDriveTypes; }
    void SetDriveTypes(TDriveTypes types);
    bool AcceptDropFiles() const { return FAcceptDropFiles; }
    void SetAcceptDropFiles(bool on);
    // How long a call into a network or unknown file system may hold the window.
    void SetHangLimit(std::chrono::milliseconds limit) { FGate.SetLimit(limit); }

    TAddFileEvent OnAddDir;
    TFindDirEvent OnFindDir;
    TNodeEvent OnGetIcon;
    TNodeEvent OnDeleteItem;
    TNodeEvent OnChange;
    std::function<void(TDirTree* Sender)> OnClick;
    TDropFilesEvent OnDropFiles;

    void ReloadDrives();
    void RefreshTree();
    bool UpdateDrives(); // true when a drive came or went
    void CheckMediaChange();
    void SelectPath(const std::string& path);
    std::string GetSelectedPath() const;
    void ReadChildren(QTreeWidgetItem* node);
    void ProbeSubfolders(QTreeWidgetItem* node);
    QTreeWidgetItem* FindNodeByPath(const std::string& path) const;
    // The mount table changed.
    void DeviceChanged();
    // Asked of the drive system, bounded in time on drives that may hang
    // (false when late).
    bool FolderExists(const std::string& path);
    bool CreateFolder(const std::string& path);

protected:
    void showEvent(QShowEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    void CreateWnd();
    void AcceptDrops();
    void CanExpand(QTreeWidgetItem* node);
    void Change();
    void Click();

    // Drives
    std::vector<TDrive> DriveMask();
    const TDrive* KnownDrive(const std::string& path) const;
    QTreeWidgetItem* DriveNode(const std::string& root) const;
    QTreeWidgetItem* NewDriveNode(const TDrive& drive);
    std::string DriveCaption(const TDrive& drive);
    std::string Serial(const TDrive& drive);
    std::string RecordedSerial(const std::string& root) const;
    bool MediumChanged(const TDrive& drive);
    void ReReadDrive(QTreeWidgetItem* driveNode, const TDrive& drive);
    std::string LastPath(const std::string& root);

    // Folders
    bool AcceptFolder(const std::string& path);
    bool MatchesDirTypes(uint32_t attr) const;
    void ForEachEntry(const std::string& path, const std::function<bool(const TDirRec&)>& each);
    std::vector<std::string> Subfolders(const std::string& path, bool firstOnly);
    void ReadChildren(QTreeWidgetItem* node, bool probe);
    void DeleteChildren(QTreeWidgetItem* node);
    void DeleteAll();
    void Deleting(QTreeWidgetItem* node);
    void GotIcon(QTreeWidgetItem* node);
    bool Guarded(const TDrive* drive, std::function<bool(TDriveSystem&)> test);
    QTreeWidgetItem* Walk(const std::string& path, bool read);
    std::string NearestFolderLeft(const std::string& path);

    std::shared_ptr<TDriveSystem> FSystem;
    TDeadlineGate FGate{std::chrono::seconds(2)};
    TDirTypes FDirTypes{dtNormal, dtAll};
    bool FGoBelowRecycleBin = false;
    TDriveTypes FDriveTypes{drtUnknown, drtRemovable, drtFixed, drtRemote, drtCDRom, drtRamDisk};
    bool FAcceptDropFiles = false;
    std::map<std::string, std::string> FLastPath;     // drive root to the path last selected on it
    std::map<std::string, std::string> FVolumeSerial; // drive root to its recorded serial
    std::vector<TDrive> FKnownDrives;                 // as listed last
    int FChangeLock = 0;                              // non-zero: selection changes raise no event
    bool FCreated = false;
    bool FDestroying = false;
    TMountWatcher* FWatcher = nullptr;
};
