#include "app/Form1.h"
#include "app/About.h"
#include "app/CallBrowser.h"
#include "app/Form2.h"
#include "app/FramePlacer.h"
#include "app/Options.h"

#include "platform/CatchAll.h"
#include "platform/IniFile.h"
#include "platform/Random.h"
#include "platform/SettingsKeys.h"
#include "platform/ui/Application.h"
#include "platform/ui/Dialogs.h"

#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QStackedLayout>
#include <QTimer>

void TForm1::ConnectHandlers()
{
    connect(CounterTimer, &QTimer::timeout, this, [this] { RefreshCounters(); });
    ConnectEngine();
    SearchButton->OnClick = [this] { SearchButtonClick(); };
    AbortButton->OnClick = [this] { AbortButtonClick(); };
    connect(MoreInfoButton, &QPushButton::clicked, this, [this] { Button1Click(); });
    OptionsButton->OnClick = [this] { LuminFade1Click(); };
    AboutButton->OnClick = [this] { LuminFade3Click(); };
    SaveButton->OnClick = [this] { LuminFade4Click(); };
    BrowseButton->OnClick = [this] { LuminFade5Click(); };
    ViewButton->OnClick = [this] { LuminFade6Click(); };
    SlideShowButton->OnClick = [this] { LuminFade8Click(); };
    connect(SlideShowTimer, &QTimer::timeout, SlideShowTimer, &QTimer::stop);
    LogoButton->OnClick = [] { CallBrowser(HomePageAddress); };
    LogoButton->OnMouseEnter = [this] { LuminFade9MouseEnter(); };
    LogoButton->OnMouseLeave = [this] { LuminFade9MouseLeave(); };
    HomeSiteButton->OnClick = [] { CallBrowser(HomePageAddress); };
    TellFriendButton->OnClick = [] { CallBrowser(TellAFriendLink()); };
    // Key preview: the window sees every key of its controls before they do,
    // whichever control has the focus, also one added later.
    qApp->installEventFilter(this);
}

bool TForm1::eventFilter(QObject* watched, QEvent* e)
{
    if (e->type() == QEvent::KeyPress && watched->isWidgetType()
        && static_cast<QWidget*>(watched)->window() == this) {
        const auto* k = static_cast<QKeyEvent*>(e);
        char key = k->text().isEmpty() ? 0 : k->text().at(0).toLatin1();
        if (k->key() == Qt::Key_Escape)
            key = 27;
        FormKeyPress(key); // passes every key on, as it was
    }
    if (watched == PhraseEdit && e->type() == QEvent::KeyPress) {
        const auto* k = static_cast<QKeyEvent*>(e);
        if (k->key() == Qt::Key_Return || k->key() == Qt::Key_Enter) {
            char key = 13;
            Edit1KeyPress(key);
            return key == 0;
        }
    }
    return QWidget::eventFilter(watched, e);
}

void TForm1::showEvent(QShowEvent* e)
{
    QWidget::showEvent(e);
    if (!FShown) {
        FShown = true;
        FormShow();
    }
}

// LeftPos and TopPos place the window's frame, title bar included, as the
// user left it; Width and Height are the inner area's. Files written before
// FramePlace placed the inner area there, and still do.
void TForm1::FormShow()
{
    if (Read(*IniFile, Setting::Maximized)) {
        setWindowState(windowState() | Qt::WindowMaximized);
    } else {
        const QPoint place(Read(*IniFile, Setting::LeftPos), Read(*IniFile, Setting::TopPos));
        const QSize size(std::max(Read(*IniFile, Setting::Width), minimumWidth()),
                         std::max(Read(*IniFile, Setting::Height), minimumHeight()));
        const bool innerPlace = !Read(*IniFile, Setting::FramePlace)
                                && !Read(*IniFile, Setting::LeftPosStored).empty();
        if (innerPlace) {
            setGeometry(QRect(TFramePlacer::Reachable(QRect(place, size)), size));
        } else {
            resize(size);
            FFramePlacer->Place(place);
        }
    }
    PhraseEdit->setFocus();
    CheckBox_CheckLinks->setChecked(Read(*IniFile, Setting::CheckLinks));
    CheckBox_RecursiveSearch->setChecked(Read(*IniFile, Setting::RecursiveSearch));
    if (Random(100) + 1 > 93
        && Dialogs::Confirm("Confirm", "Do you know anyone who also would like Glimmerscout?"))
        CallBrowser(TellAFriendLink());
}

void TForm1::closeEvent(QCloseEvent* e)
{
    // Settings that cannot be stored are reported, but never keep the
    // program from ending.
    try {
        FormClose();
    } catch (...) {
        TApplication::ShowException();
    }
    QWidget::closeEvent(e);
}

void TForm1::FormClose()
{
    Write(*IniFile, Setting::CheckLinks, CheckBox_CheckLinks->isChecked());
    Write(*IniFile, Setting::RecursiveSearch, CheckBox_RecursiveSearch->isChecked());
    if (isMaximized()) {
        Write(*IniFile, Setting::Maximized, true);
        return;
    }
    const QPoint corner = TFramePlacer::FrameCorner(this);
    Write(*IniFile, Setting::LeftPos, corner.x());
    Write(*IniFile, Setting::TopPos, corner.y());
    Write(*IniFile, Setting::Width, width());
    Write(*IniFile, Setting::Height, height());
    Write(*IniFile, Setting::FramePlace, true);
    Write(*IniFile, Setting::Maximized, false);
}

void TForm1::FormKeyPress(char& key)
{
    if (key != 27 || !ViewerShowing())
        return;
    SlideShowStopped = true;
    SlideShowList.clear();
    ShowPanel(panel_Search);
}

void TForm1::ShowPanel(QWidget* page)
{
    FPages->setCurrentWidget(page);
}

bool TForm1::ViewerShowing() const { return FPages->currentWidget() == panel_Viewer; }

void TForm1::LuminFade1Click()
{
    if (frm_Options)
        frm_Options->exec();
}

void TForm1::LuminFade3Click()
{
    if (frm_About)
        frm_About->exec();
}

// The logo dissolves into its dimmed twin in 500 steps.
void TForm1::LuminFade9MouseEnter()
{
    LogoButton->SetDisolvRate(500);
    LogoButton->Dissolve();
}

void TForm1::LuminFade9MouseLeave()
{
    LogoButton->DissolveBack();
}

void TForm1::Button1Click()
{
    if (Form2)
        Form2->show();
}
