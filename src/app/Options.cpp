#include "app/Options.h"

#include "app/PicturesPage.h"
#include "app/SourcesPage.h"

#include "controls/Contrast.h"
#include "download/SlideShowInterval.h"
#include "download/SmartSave.h"
#include "platform/AnsiText.h"
#include "platform/SettingsKeys.h"
#include "platform/ui/Application.h"
#include "platform/ui/Dialogs.h"
#include "schedule/ConnectionProfile.h"

#include <QFile>
#include <QFocusEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QShowEvent>
#include <QStyle>
#include <QTabWidget>
#include <QVBoxLayout>
#include <algorithm>
#include <climits>
#include <stdexcept>

namespace {

bool IsInteger(const std::string& text)
{
    // StrToIntDef gives its default for anything that is not a number; two
    // different defaults tell "not a number" from the number itself.
    return StrToIntDef(text, 0) != 0 || StrToIntDef(text, 1) != 1;
}

int EditValue(const QLineEdit* edit)
{
    const std::string text = FromQt(edit->text());
    if (!IsInteger(text))
        throw std::invalid_argument("'" + text + "' is not a valid integer value");
    return StrToIntDef(text, 0);
}

void Compact(QLayout* layout)
{
    layout->setContentsMargins(4, 2, 2, 4);
    layout->setSpacing(2);
}

} // namespace

Tfrm_Options* frm_Options = nullptr;

Tfrm_Options::Tfrm_Options(const std::string& settingsFile, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowStaysOnTopHint | Qt::WindowTitleHint |
                          Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint),
      FIni(settingsFile)
{
    setWindowTitle("Glimmerscout - OPTIONS");
    BuildLayout();
    setFixedSize(360, 318);

    connect(checkbox_LargerThan, &QCheckBox::toggled, this, [this] { checkbox_LargerThanClick(); });
    connect(checkbox_SmallerThan, &QCheckBox::toggled, this, [this] { checkbox_SmallerThanClick(); });
    connect(Button1, &QPushButton::clicked, this, [this] { Button1Click(); });
    connect(BitBtn2, &QPushButton::clicked, this, [this] {
        BitBtn2Click();
        accept();
    });
    connect(BitBtn1, &QPushButton::clicked, this, &QDialog::reject);
    for (QLineEdit* edit : {edit_LargerThan, edit_SmallerThan, edit_Wait})
        edit->installEventFilter(this);
}

// Laid out for a small dialog font, as the fixed client size needs.
void Tfrm_Options::BuildLayout()
{
    QFont small = font();
    small.setPixelSize(11);
    setFont(small);

    auto* general = new QWidget;
    auto* page = new QVBoxLayout(general);
    page->setContentsMargins(2, 4, 2, 2);
    page->setSpacing(2);

    auto* connection = new QGroupBox("I have a:");
    auto* connectionRow = new QHBoxLayout(connection);
    Compact(connectionRow);
    radiobutton_Modem = new QRadioButton("Slow Connection (Modem)");
    radiobutton_LAN = new QRadioButton("Fast Connection (LAN)");
    radiobutton_Modem->setChecked(true);
    connectionRow->addWidget(radiobutton_Modem);
    connectionRow->addWidget(radiobutton_LAN);
    // The row is full: the third profile stands on the group's title line,
    // at its right end, so that no control of the page moves for it.
    radiobutton_Broadband = new QRadioButton("Broadband", connection);
    FConnection = connection;
    FConnection->installEventFilter(this);
    page->addWidget(connection);

    auto* filter = new QGroupBox("Filter Functions:");
    auto* filterGrid = new QGridLayout(filter);
    Compact(filterGrid);
    checkbox_LargerThan = new QCheckBox("Must be larger than:");
    edit_LargerThan = new QLineEdit("30");
    checkbox_SmallerThan = new QCheckBox("Must be smaller than:");
    edit_SmallerThan = new QLineEdit("1000");
    for (QLineEdit* edit : {edit_LargerThan, edit_SmallerThan}) {
        edit->setEnabled(false);
        edit->setFixedWidth(60);
    }
    filterGrid->addWidget(checkbox_LargerThan, 0, 0);
    filterGrid->addWidget(edit_LargerThan, 0, 1);
    filterGrid->addWidget(new QLabel("kb."), 0, 2);
    filterGrid->addWidget(checkbox_SmallerThan, 1, 0);
    filterGrid->addWidget(edit_SmallerThan, 1, 1);
    filterGrid->addWidget(new QLabel("kb."), 1, 2);
    filterGrid->setColumnStretch(3, 1);
    page->addWidget(filter);

    auto* smartSave = new QGroupBox("Smart Save");
    auto* saveGrid = new QGridLayout(smartSave);
    Compact(saveGrid);
    edit_SavePath = new QLineEdit("c:\\images");
    edit_SavePath->setEnabled(false); // filled only by the folder chooser
    // Disabled, yet as readable as any text.
    QPalette readable = edit_SavePath->palette();
    readable.setColor(QPalette::Disabled, QPalette::Text,
                      ReadableOn(readable.color(QPalette::Disabled, QPalette::Text),
                                 readable.color(QPalette::Disabled, QPalette::Base), 4.5));
    edit_SavePath->setPalette(readable);
    Button1 = new QPushButton(">>");
    Button1->setFixedWidth(32);
    checkbox_SubDir = new QCheckBox("Create Sub Dirs (Named After Search String)");
    checkbox_NumberedList = new QCheckBox("Name Files After Search String (In Numerical Sequence)");
    saveGrid->addWidget(new QLabel("Save Files in:"), 0, 0);
    saveGrid->addWidget(edit_SavePath, 0, 1);
    saveGrid->addWidget(Button1, 0, 2);
    saveGrid->addWidget(checkbox_SubDir, 1, 0, 1, 3);
    saveGrid->addWidget(checkbox_NumberedList, 2, 0, 1, 3);
    page->addWidget(smartSave);

    auto* slideShow = new QGroupBox("Slide Show");
    auto* waitRow = new QHBoxLayout(slideShow);
    Compact(waitRow);
    edit_Wait = new QLineEdit("10");
    edit_Wait->setFixedWidth(40);
    waitRow->addWidget(new QLabel("Wait at least"));
    waitRow->addWidget(edit_Wait);
    waitRow->addWidget(new QLabel("seconds between images."));
    waitRow->addStretch(1);
    page->addWidget(slideShow);
    page->addStretch(1);

    auto* pages = new QTabWidget;
    pages->addTab(general, "General");
    Pictures = new TPicturesPage;
    pages->addTab(Pictures, "Pictures");
    SourcesPage = new TSourcesPage;
    pages->addTab(SourcesPage, "Sources");

    BitBtn2 = new QPushButton(style()->standardIcon(QStyle::SP_DialogOkButton), "OK");
    BitBtn1 = new QPushButton(style()->standardIcon(QStyle::SP_DialogCancelButton), "Cancel");
    BitBtn2->setDefault(true);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(BitBtn2);
    buttons->addWidget(BitBtn1);

    auto* frame = new QVBoxLayout(this);
    frame->setContentsMargins(4, 4, 4, 4);
    frame->setSpacing(4);
    frame->addWidget(pages, 1);
    frame->addLayout(buttons);
}

void Tfrm_Options::FormShow()
{
    checkbox_LargerThan->setChecked(Read(FIni, Setting::LargerThanBool));
    // Off while the file holds no switch, though the search then applies the bound: as it always was.
    checkbox_SmallerThan->setChecked(Read(FIni, Setting::SmallerThanBoolShown));
    edit_LargerThan->setText(QString::number(Read(FIni, Setting::LargerThan)));
    edit_SmallerThan->setText(QString::number(Read(FIni, Setting::SmallerThan)));
    edit_Wait->setText(QString::number(Read(FIni, Setting::Wait)));
    checkbox_SubDir->setChecked(Read(FIni, Setting::SubDir));
    checkbox_NumberedList->setChecked(Read(FIni, Setting::NumberedList));
    SetSavePath(SmartSave::StoredPath(FIni));
    switch (StoredProfileKind(FIni)) {
    case TProfileKind::Slow: radiobutton_Modem->setChecked(true); break;
    case TProfileKind::Fast: radiobutton_LAN->setChecked(true); break;
    case TProfileKind::Broadband: radiobutton_Broadband->setChecked(true); break;
    }
    Pictures->Load(FIni);
    SourcesPage->Load(FIni);
}

void Tfrm_Options::checkbox_LargerThanClick() { edit_LargerThan->setEnabled(checkbox_LargerThan->isChecked()); }

void Tfrm_Options::checkbox_SmallerThanClick() { edit_SmallerThan->setEnabled(checkbox_SmallerThan->isChecked()); }

void Tfrm_Options::edit_LargerThanExit() { ValidateNumber(edit_LargerThan); }

void Tfrm_Options::edit_SmallerThanExit() { ValidateNumber(edit_SmallerThan); }

void Tfrm_Options::edit_WaitExit() { ValidateNumber(edit_Wait); }

void Tfrm_Options::ValidateNumber(QLineEdit* edit)
{
    if (IsInteger(FromQt(edit->text())))
        return;
    Dialogs::ShowMessage("Must be a numeric value!");
    edit->setFocus(Qt::OtherFocusReason);
}

void Tfrm_Options::Button1Click()
{
    if (!ChooseDirectory)
        return;
    if (const auto dir = ChooseDirectory(FSavePath))
        SetSavePath(*dir);
}

// The box shows the folder as the chooser's label does; the folder's own
// bytes are what OK stores.
void Tfrm_Options::SetSavePath(const std::string& path)
{
    FSavePath = path;
    edit_SavePath->setText(QFile::decodeName(path.c_str()));
}

void Tfrm_Options::BitBtn2Click()
{
    // A refused write or a value that is not a number stops the store at
    // that key; the dialog still closes and the default error report tells why.
    try {
        if (radiobutton_Modem->isChecked())
            Write(FIni, Setting::SlowConnection, true);
        if (radiobutton_LAN->isChecked() || radiobutton_Broadband->isChecked())
            Write(FIni, Setting::SlowConnection, false);
        // A file that never held the key stays as the two first profiles always wrote it.
        if (radiobutton_Broadband->isChecked() || Read(FIni, Setting::Broadband))
            Write(FIni, Setting::Broadband, radiobutton_Broadband->isChecked());
        Write(FIni, Setting::LargerThanBool, checkbox_LargerThan->isChecked());
        Write(FIni, Setting::SmallerThanBoolWritten, checkbox_SmallerThan->isChecked());
        Write(FIni, Setting::SmallerThan, EditValue(edit_SmallerThan));
        Write(FIni, Setting::LargerThan, EditValue(edit_LargerThan));
        Write(FIni, Setting::Wait, EditValue(edit_Wait));
        Write(FIni, Setting::SubDir, checkbox_SubDir->isChecked());
        Write(FIni, Setting::NumberedList, checkbox_NumberedList->isChecked());
        Write(FIni, Setting::SavePath, FSavePath);
        Pictures->Store(FIni);
        SourcesPage->Store(FIni);
        const long long wait = Read(FIni, Setting::Wait);
        if (OnSlideShowInterval)
            OnSlideShowInterval(SlideShowIntervalMs(wait));
    } catch (...) {
        TApplication::ShowException();
    }
}

void Tfrm_Options::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (!event->spontaneous())
        FormShow();
}

// Leaving an edit for another control of the dialog validates it; losing
// the focus to another window (a message box) does not.
bool Tfrm_Options::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == FConnection && event->type() == QEvent::Resize) {
        const QSize size = radiobutton_Broadband->sizeHint();
        const int titleLine = std::max(size.height(), FConnection->contentsRect().top());
        radiobutton_Broadband->setGeometry(FConnection->width() - size.width() - 4, 0, size.width(), titleLine);
    }
    if (event->type() == QEvent::FocusOut) {
        const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
        if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason) {
            if (watched == edit_LargerThan)
                edit_LargerThanExit();
            else if (watched == edit_SmallerThan)
                edit_SmallerThanExit();
            else if (watched == edit_Wait)
                edit_WaitExit();
        }
    }
    return QDialog::eventFilter(watched, event);
}
