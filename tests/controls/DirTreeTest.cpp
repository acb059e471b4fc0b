#include "FakeDrives.h"
#include "controls/DirTree.h"
#include "support/TestSupport.h"

#include <QApplication>
#include <QDropEvent>
#include <QMimeData>
#include <QUrl>
#include <filesystem>
#include <gtest/gtest.h>
#include <memory>
#include <sys/stat.h>
#include <unistd.h>

namespace {

using Names = std::vector<std::string>;

// Two drives over a temporary folder tree: c (fixed, labelled DATA) and d
// (removable, the current directory's drive).
class DirTreeTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        c = Folder("c", {"Images/Sub", "apple", "Banana/x", ".hidden/y", ".Trash-1000/files/old"});
        d = Folder("d", {"photos"});
        system->Table = {{.Root = c, .Kind = drtFixed, .Label = "DATA"}, {.Root = d, .Kind = drtRemovable}};
        system->Cwd = d.substr(0, d.size() - 1);
        tree = std::make_unique<TDirTree>(nullptr, system);
        tree->InitialDirectory = c;
    }

    std::string Folder(const std::string& name, const Names& below = {})
    {
        const std::string root = dir.Path() + "/" + name + "/";
        mkdir(root.c_str(), 0777);
        for (const std::string& path : below)
            for (size_t at = 0; at != std::string::npos;) { // parents first
                at = path.find('/', at + 1);
                mkdir((root + path.substr(0, at)).c_str(), 0777);
            }
        return root;
    }

    QTreeWidgetItem* Node(const std::string& path) { return tree->FindNodeByPath(path); }

    Names Children(const std::string& path)
    {
        Names names;
        QTreeWidgetItem* node = Node(path);
        for (int i = 0; node && i < node->childCount(); ++i)
            names.push_back(node->child(i)->text(0).toStdString());
        return names;
    }

    Names Expanded(const std::string& path)
    {
        Node(path)->setExpanded(true);
        return Children(path);
    }

    static bool HasPlaceholder(QTreeWidgetItem* node)
    {
        return node->childCount() == 1 && EntryOf(node->child(0)) == nullptr;
    }

    Names TopLevel()
    {
        Names roots;
        for (int i = 0; i < tree->topLevelItemCount(); ++i)
            roots.push_back(EntryOf(tree->topLevelItem(i))->Path);
        return roots;
    }

    TempDir dir;
    std::string c, d;
    std::shared_ptr<TFakeDrives> system = std::make_shared<TFakeDrives>();
    std::unique_ptr<TDirTree> tree;
};

TEST_F(DirTreeTest, ReadsAFolderOnlyWhenItIsExpanded)
{
    tree->show();
    EXPECT_EQ(system->Listed, (std::map<std::string, int>{{c, 1}})); // c probed; removable d untouched
    EXPECT_TRUE(HasPlaceholder(Node(c)));
    EXPECT_TRUE(HasPlaceholder(Node(d)));
    EXPECT_EQ(tree->topLevelItem(0)->text(0).toStdString(), "DATA (" + c.substr(0, c.size() - 1) + ")");
    EXPECT_EQ(tree->topLevelItem(1)->text(0).toStdString(), " (" + d.substr(0, d.size() - 1) + ")");

    Node(c)->setExpanded(true);
    EXPECT_EQ(system->ListedTimes(c), 2);
    for (const char* child : {"Images/", "apple/", "Banana/", ".hidden/", ".Trash-1000/"})
        EXPECT_EQ(system->ListedTimes(c + child), 1) << child; // probed for a first subfolder
    EXPECT_EQ(system->ListedTimes(c + "Images/Sub/"), 0);
    EXPECT_TRUE(HasPlaceholder(Node(c + "Images/")));
    EXPECT_EQ(Node(c + "apple/")->childCount(), 0);
}

TEST_F(DirTreeTest, FastLoadListsDrivesWithoutTouchingThem)
{
    tree->FastLoad = true;
    tree->show();
    EXPECT_TRUE(system->Listed.empty());
    EXPECT_TRUE(HasPlaceholder(Node(c)));
}

struct TTypesCase {
    const char* name;
    TDirTypes types;
    Names children;
};

class DirTypesTest : public DirTreeTest, public ::testing::WithParamInterface<TTypesCase> {};

TEST_P(DirTypesTest, ChooseTheFoldersListedSortedIgnoringCase)
{
    tree->show();
    tree->SetDirTypes(GetParam().types);
    EXPECT_EQ(Expanded(c), GetParam().children);
}

INSTANTIATE_TEST_SUITE_P(
    All, DirTypesTest,
    ::testing::Values(TTypesCase{"All", {dtNormal, dtAll}, {".hidden", ".Trash-1000", "apple", "Banana", "Images"}},
                      TTypesCase{"Normal", {dtNormal}, {"apple", "Banana", "Images"}},
                      TTypesCase{"NormalHidden", {dtNormal, dtHidden}, {".hidden", ".Trash-1000", "apple", "Banana", "Images"}},
                      TTypesCase{"HiddenOnly", {dtHidden}, {".hidden", ".Trash-1000"}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(DirTreeTest, TrashIsListedButNotWhatIsInsideUnlessAsked)
{
    tree->show();
    Node(c)->setExpanded(true);
    EXPECT_EQ(Node(c + ".Trash-1000/")->childCount(), 0);
    EXPECT_EQ(Expanded(c + ".Trash-1000/"), Names{});

    tree->SetGoBelowRecycleBin(true);
    Node(c)->setExpanded(true);
    EXPECT_EQ(Expanded(c + ".Trash-1000/"), Names{"files"});
    EXPECT_TRUE(HasPlaceholder(Node(c + ".Trash-1000/files/")));
}

TEST_F(DirTreeTest, SelectPathFindsFoldersInAnyLetterCaseAndKeepsTheStoredCase)
{
    tree->show();
    EXPECT_EQ(tree->GetSelectedPath(), c); // the initial directory
    tree->SelectPath(c + "IMAGES/sub");
    EXPECT_EQ(tree->GetSelectedPath(), c + "Images/Sub/");
    tree->SelectPath("?");
    EXPECT_EQ(tree->GetSelectedPath(), c + "Images/Sub/");
    try {
        tree->SelectPath("");
        ADD_FAILURE() << "no error";
    } catch (const EDirTree& e) {
        EXPECT_STREQ(e.what(), "Invalid Path Name");
    }
    tree->SelectPath(c + "missing");
    EXPECT_EQ(tree->GetSelectedPath(), d); // the current directory's drive
}

// The disk is asked before the loaded nodes: a deleted folder's node is
// never selected.
TEST_F(DirTreeTest, SelectPathOfADeletedFolderSelectsTheCurrentDrive)
{
    tree->show();
    tree->SelectPath(c + "Images/Sub");
    tree->SelectPath(c);
    rmdir((c + "Images/Sub").c_str());
    ASSERT_NE(Node(c + "Images/Sub"), nullptr); // still loaded
    tree->SelectPath(c + "Images/Sub");
    EXPECT_EQ(tree->GetSelectedPath(), d);
}

TEST_F(DirTreeTest, NothingSelectedReadsAsQuestionMark)
{
    tree->InitialDirectory = "/no/such/folder";
    system->Cwd = "/elsewhere";
    tree->show();
    EXPECT_EQ(tree->GetSelectedPath(), "?");
}

TEST_F(DirTreeTest, RefreshTreeReselectsAndShowsANewFolder)
{
    tree->show();
    tree->SelectPath(c + "Images");
    mkdir((c + "Images/New").c_str(), 0777);
    tree->RefreshTree();
    EXPECT_EQ(tree->GetSelectedPath(), c + "Images/");
    EXPECT_EQ(Expanded(c + "Images/"), (Names{"New", "Sub"}));
}

struct TDeletedCase {
    const char* Name;
    const char* Selected;
    const char* Deleted; // with what it holds
    const char* Kept;    // selected after the refresh
};

class DeletedFolder : public DirTreeTest, public ::testing::WithParamInterface<TDeletedCase> {};

// The user keeps their place: the nearest folder left is selected, opened
// down to and in sight, far below many others.
TEST_P(DeletedFolder, RefreshTreeSelectsTheNearestFolderLeftInSight)
{
    Names many;
    for (int i = 0; i < 40; ++i)
        many.push_back("a" + std::to_string(100 + i));
    Folder("c", many);
    Folder("c", {"Images/Sub/Deeper/Deepest"});
    tree->resize(200, 120);
    tree->show();
    tree->SelectPath(c + GetParam().Selected);
    ASSERT_EQ(tree->GetSelectedPath(), c + GetParam().Selected);
    std::filesystem::remove_all(c + GetParam().Deleted);

    tree->RefreshTree();
    EXPECT_EQ(tree->GetSelectedPath(), c + GetParam().Kept);
    QTreeWidgetItem* node = tree->currentItem();
    ASSERT_NE(node, nullptr);
    for (QTreeWidgetItem* above = node->parent(); above; above = above->parent())
        EXPECT_TRUE(above->isExpanded()) << above->text(0).toStdString();
    EXPECT_TRUE(tree->viewport()->rect().contains(tree->visualItemRect(node)));
}

INSTANTIATE_TEST_SUITE_P(
    Folders, DeletedFolder,
    ::testing::Values(TDeletedCase{"Itself", "Images/Sub/Deeper/", "Images/Sub/Deeper", "Images/Sub/"},
                      TDeletedCase{"AndItsParents", "Images/Sub/Deeper/Deepest/", "Images/Sub", "Images/"},
                      TDeletedCase{"EverythingButTheDrive", "Images/Sub/", "Images", ""}),
    [](const auto& info) { return std::string(info.param.Name); });

TEST_F(DirTreeTest, MountsThatComeAndGoAddAndRemoveTheirDriveInOrder)
{
    int changes = 0;
    tree->OnChange = [&](TDirTree*, QTreeWidgetItem*) { ++changes; };
    tree->show();
    const std::string b = Folder("b", {"inner"});
    system->Table.push_back({.Root = b, .Kind = drtFixed});
    changes = 0;
    tree->DeviceChanged();
    EXPECT_EQ(TopLevel(), (Names{b, c, d}));
    EXPECT_TRUE(HasPlaceholder(Node(b))); // probed: it has a subfolder
    EXPECT_EQ(changes, 1);

    int deleted = 0;
    tree->OnDeleteItem = [&](TDirTree*, QTreeWidgetItem*) { ++deleted; };
    system->Table.pop_back();
    tree->DeviceChanged();
    EXPECT_EQ(TopLevel(), (Names{c, d}));
    EXPECT_EQ(changes, 2);
    EXPECT_EQ(deleted, 2); // the drive and its placeholder
}

TEST_F(DirTreeTest, AMediaChangeRereadsTheSelectedDrive)
{
    tree->show();
    tree->SelectPath(d + "photos");
    EXPECT_EQ(tree->GetSelectedPath(), d + "photos/");
    system->SetSerial(d, "another medium");
    tree->DeviceChanged();
    EXPECT_EQ(tree->GetSelectedPath(), d);
    EXPECT_FALSE(EntryOf(Node(d))->ChildrenRead);
    EXPECT_TRUE(HasPlaceholder(Node(d)));

    // Selecting a folder on a drive whose medium changed since re-reads it too.
    tree->SelectPath(c);
    system->SetSerial(d, "a third one");
    tree->SelectPath(d + "photos");
    EXPECT_EQ(tree->GetSelectedPath(), d);
    EXPECT_TRUE(HasPlaceholder(Node(d)));
}

// A removable drive is listed without reading its volume; an event for a
// mount the tree does not show must not take it for a new medium.
TEST_F(DirTreeTest, AnEventForAnUnlistedMountLeavesAnOpenRemovableDriveAlone)
{
    tree->SetDriveTypes({drtFixed, drtRemovable});
    tree->show();
    EXPECT_EQ(Expanded(d), Names{"photos"});
    system->Table.push_back({.Root = Folder("net"), .Kind = drtRemote});
    tree->DeviceChanged();
    EXPECT_EQ(TopLevel(), (Names{c, d}));
    EXPECT_TRUE(EntryOf(Node(d))->ChildrenRead);
    EXPECT_TRUE(Node(d)->isExpanded());
    EXPECT_EQ(Children(d), Names{"photos"});
}

TEST_F(DirTreeTest, OnAddDirVetoesAndOnFindDirReplacesTheListing)
{
    tree->OnAddDir = [](TDirTree*, const std::string& path, bool& add) { add = path.find("Banana") == std::string::npos; };
    tree->show();
    EXPECT_EQ(Expanded(c), (Names{".hidden", ".Trash-1000", "apple", "Images"}));

    tree->OnAddDir = nullptr;
    tree->OnFindDir = [next = 0](TDirTree*, const std::string&, TDirRec& rec, int& result, bool first) mutable {
        next = first ? 0 : next + 1;
        const Names names = {"Zeta", "file", "alpha"};
        if (next >= 3) {
            result = 1;
            return;
        }
        rec.Name = names[next];
        rec.Attr = rec.Name == "file" ? 0 : uint32_t{faDirectory};
    };
    tree->RefreshTree();
    EXPECT_EQ(Expanded(c), (Names{"alpha", "Zeta"}));
}

TEST_F(DirTreeTest, ADeadNetworkMountCostsABoundedWaitNotAFrozenWindow)
{
    const std::string net = Folder("net", {"share"});
    system->Table.push_back({.Root = net, .Kind = drtRemote});
    system->Stall(net);
    tree->SetHangLimit(std::chrono::milliseconds(30));
    tree->show(); // its volume and its probe both give up
    EXPECT_EQ(Node(net)->childCount(), 0);
    EXPECT_EQ(Node(net)->text(0).toStdString(), " (" + net.substr(0, net.size() - 1) + ")");
    tree->SelectPath(net + "share");
    EXPECT_EQ(tree->GetSelectedPath(), d);
    tree->RefreshTree();
    EXPECT_FALSE(tree->CreateFolder(net + "new"));
    system->Release();
}

TEST_F(DirTreeTest, DroppedFilesReachTheFolderUnderThePoint)
{
    std::string target;
    std::vector<std::string> files;
    tree->OnDropFiles = [&](TDirTree*, int, int, const std::string& dropDir, const std::vector<std::string>& dropped,
                            Qt::KeyboardModifiers) {
        target = dropDir;
        files = dropped;
    };
    tree->SetAcceptDropFiles(true);
    tree->show();
    QMimeData mime;
    mime.setUrls({QUrl::fromLocalFile(QString::fromStdString(dir.File("a.jpg")))});
    const QPoint at = tree->visualItemRect(Node(d)).center();
    QDragEnterEvent enter(at, Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(tree->viewport(), &enter);
    EXPECT_TRUE(enter.isAccepted());
    QDropEvent drop(at, Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(tree->viewport(), &drop);
    EXPECT_EQ(target, d);
    EXPECT_EQ(files, Names{dir.File("a.jpg")});
}

} // namespace
