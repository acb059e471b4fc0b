#include "app/Options.h"

#include "download/SlideShowInterval.h"
#include "download/SmartSave.h"
#include "platform/AnsiText.h"
#include "platform/ui/Application.h"
#include "platform/ui/Dialogs.h"

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

const char* const Section = "Options";

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
    checkbox_LargerThan->setChecked(FIni.ReadBool(Section, "LargerThanBool", true));
    checkbox_SmallerThan->setChecked(FIni.ReadBool(Section, "SmallerThanBool", false));
    edit_LargerThan->setText(QString::number(FIni.ReadInteger(Section, "LargerThan", 20)));
    edit_SmallerThan->setText(QString::number(FIni.ReadInteger(Section, "SmallerThan", 1000)));
    edit_Wait->setText(QString::number(FIni.ReadInteger(Section, "Wait", 10)));
    checkbox_SubDir->setChecked(FIni.ReadBool(Section, "SubDir", false));
    checkbox_NumberedList->setChecked(FIni.ReadBool(Section, "NumberedList", false));
    edit_SavePath->setText(ToQt(SmartSave::ReadSettings(FIni).SavePath));
    if (FIni.ReadBool(Section, "SlowConnection", true))
        radiobutton_Modem->setChecked(true);
    else
        radiobutton_LAN->setChecked(true);
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
    if (const auto dir = ChooseDirectory(FromQt(edit_SavePath->text())))
        edit_SavePath->setText(ToQt(*dir));
}

void Tfrm_Options::BitBtn2Click()
{
    // A refused write or a value that is not a number stops the store at
    // that key; the dialog still closes and the default error report tells why.
    try {
        if (radiobutton_Modem->isChecked())
            FIni.WriteBool(Section, "SlowConnection", true);
        if (radiobutton_LAN->isChecked())
            FIni.WriteBool(Section, "SlowConnection", false);
        FIni.WriteBool(Section, "LargerThanBool", checkbox_LargerThan->isChecked());
        FIni.WriteBool(Section, "SmallerThanbool", checkbox_SmallerThan->isChecked());
        FIni.WriteInteger(Section, "SmallerThan", EditValue(edit_SmallerThan));
        FIni.WriteInteger(Section, "LargerThan", EditValue(edit_LargerThan));
        FIni.WriteInteger(Section, "Wait", EditValue(edit_Wait));
        FIni.WriteBool(Section, "SubDir", checkbox_SubDir->isChecked());
        FIni.WriteBool(Section, "NumberedList", checkbox_NumberedList->isChecked());
        FIni.WriteString(Section, "SavePath", FromQt(edit_SavePath->text()));
        const long long wait = FIni.ReadInteger(Section, "Wait", 10);
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
