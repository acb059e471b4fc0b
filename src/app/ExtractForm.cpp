#include "app/ExtractForm.h"
#include "app/CreateDirMessage.h"

#include "platform/ui/Dialogs.h"

#include <QFile>
#include <QScreen>
#include <QShowEvent>
#include <QStyle>
#include <QVBoxLayout>

TExtractForm* ExtractForm = nullptr;

namespace {

constexpr int MaxNameLength = 255;

QString PathText(const std::string& path) { return QFile::decodeName(path.c_str()); }

// The input box's limit counts characters, not bytes; a pair of UTF-16
// halves is never cut.
std::string Limited(const std::string& name)
{
    QString text = QString::fromStdString(name);
    if (text.size() <= MaxNameLength)
        return name;
    text.truncate(MaxNameLength);
    if (text.back().isHighSurrogate())
        text.chop(1);
    return text.toStdString();
}

} // namespace

TExtractForm::TExtractForm(QWidget* parent, std::shared_ptr<TDriveSystem> system)
    : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                          Qt::WindowCloseButtonHint)
{
    setWindowTitle("Select Directory:");
    BuildLayout(std::move(system));
    setFixedSize(313, 315);

    DirTree1->OnChange = [this](TDirTree*, QTreeWidgetItem*) { DirTree1Change(); };
    connect(SpeedButton1, &QToolButton::clicked, this, [this] { SpeedButton1Click(); });
    connect(BitBtn1, &QPushButton::clicked, this, [this] { BitBtn1Click(); });
    connect(BitBtn2, &QPushButton::clicked, this, [this] { BitBtn2Click(); });
}

void TExtractForm::BuildLayout(std::shared_ptr<TDriveSystem> system)
{
    auto* top = new QWidget;
    top->setFixedHeight(41);
    Label1 = new QLabel("Path:", top);
    QFont bold = Label1->font();
    bold.setBold(true);
    Label1->setFont(bold);
    Label1->move(4, 6);
    Label2 = new QLabel("Label2", top);
    QFont small = Label2->font();
    small.setPixelSize(8);
    Label2->setFont(small);
    Label2->setGeometry(5, 21, 219, 13);

    DirTree1 = new TDirTree(nullptr, std::move(system));
    DirTree1->ReadOnStart = true;
    DirTree1->FastLoad = true;
    DirTree1->InitialDirectory = "/";

    auto* bottom = new QWidget;
    bottom->setFixedHeight(63);
    SpeedButton1 = new QToolButton(bottom);
    SpeedButton1->setText("Create Dir");
    SpeedButton1->setToolTip("Create new directory");
    SpeedButton1->setIcon(style()->standardIcon(QStyle::SP_FileDialogNewFolder));
    SpeedButton1->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    SpeedButton1->setAutoRaise(true);
    SpeedButton1->setGeometry(0, 3, 89, 22);
    BitBtn1 = new QPushButton(style()->standardIcon(QStyle::SP_DialogOkButton), "&OK", bottom);
    BitBtn1->setGeometry(79, 37, 75, 25);
    BitBtn1->setDefault(true);
    BitBtn2 = new QPushButton(style()->standardIcon(QStyle::SP_DialogCancelButton), "&Cancel", bottom);
    BitBtn2->setGeometry(159, 37, 75, 25);

    auto* frame = new QVBoxLayout(this);
    frame->setContentsMargins(0, 0, 0, 0);
    frame->setSpacing(0);
    frame->addWidget(top);
    frame->addWidget(DirTree1, 1);
    frame->addWidget(bottom);
}

std::optional<std::string> TExtractForm::Choose()
{
    FChosen.reset();
    exec();
    return FChosen;
}

void TExtractForm::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (event->spontaneous())
        return;
    if (const QScreen* screen = this->screen())
        move(screen->availableGeometry().center() - rect().center());
    FormShow();
}

void TExtractForm::FormShow() { ShowSelection(); }

void TExtractForm::DirTree1Change() { ShowSelection(); }

// Nothing selected ("?") can neither be confirmed nor get a folder created in it.
void TExtractForm::ShowSelection()
{
    const std::string path = DirTree1->GetSelectedPath();
    const bool folder = path != "?" && !path.empty();
    Label2->setText(PathText(path));
    BitBtn1->setEnabled(folder);
    SpeedButton1->setEnabled(folder);
}

void TExtractForm::SpeedButton1Click()
{
    const std::string selected = DirTree1->GetSelectedPath();
    if (selected == "?" || selected.empty())
        return;
    std::string name;
    if (!Dialogs::InputQuery("Create directory", "Directory name: ", name))
        return;
    name = Limited(name);
    const std::string failed = CouldNotCreateDirectory(name);
    // A separator would put the folder somewhere else than under the selection.
    if (name.find('/') != std::string::npos) {
        Dialogs::ShowMessage(failed);
        return;
    }
    const std::string path = selected + name; // UTF-8, as typed
    if (DirTree1->FolderExists(path)) {
        Dialogs::ShowMessage("Directory exists. Use another name. ");
        return;
    }
    if (!DirTree1->CreateFolder(path)) {
        Dialogs::ShowMessage(failed);
        return;
    }
    DirTree1->RefreshTree();
}

// A folder deleted since the tree read it is never handed on.
void TExtractForm::BitBtn1Click()
{
    const std::string path = DirTree1->GetSelectedPath();
    if (path == "?" || path.empty()) {
        reject();
        return;
    }
    if (!DirTree1->FolderExists(path)) {
        Dialogs::ShowMessage(std::string("Directory does not exist: ").append(path));
        DirTree1->RefreshTree();
        return;
    }
    FChosen = path;
    accept();
}

void TExtractForm::BitBtn2Click() { reject(); }
