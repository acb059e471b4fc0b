#include "app/Form1.h"

#include "app/Artwork.h"
#include "app/HealthList.h"
#include "app/PictureButton.h"
#include "controls/AdImage.h"
#include "controls/PictureView.h"
#include "controls/ResultGrid.h"
#include "controls/ResultList.h"
#include "core/TextHelpers.h"
#include "download/PictureFileName.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStackedLayout>
#include <QTimer>
#include <QVBoxLayout>

namespace {

QWidget* BlackPanel(QWidget* parent)
{
    auto* w = new QWidget(parent);
    w->setAutoFillBackground(true);
    QPalette pal = w->palette();
    pal.setColor(QPalette::Window, Qt::black);
    pal.setColor(QPalette::WindowText, Qt::white);
    w->setPalette(pal);
    return w;
}

// A fading button holding its label, bright and dimmed.
TLuminFade* LabelButton(QWidget* parent, const char* label, const QRect& place, int blendRate)
{
    const QString text = QString::fromLatin1(label);
    const qreal ratio = ScreenPixelRatio();
    return PictureButton(parent, ButtonPicture(text, place.size(), false, ratio),
                         ButtonPicture(text, place.size(), true, ratio), place, blendRate);
}

QLabel* WhiteLabel(QWidget* parent, const char* text, int left, int top)
{
    auto* l = new QLabel(QString::fromLatin1(text), parent);
    l->move(left, top);
    return l;
}

QCheckBox* HiddenSwitch(QWidget* parent, const char* caption)
{
    auto* c = new QCheckBox(QString::fromLatin1(caption), parent);
    c->setChecked(true);
    c->hide();
    return c;
}

} // namespace

void TForm1::CreateLayout()
{
    setWindowTitle("Glimmerscout v1.1");
    resize(640, 480);
    setMinimumSize(640, 480);

    // Side panel: logo and menu.
    panel_Side = BlackPanel(this);
    panel_Side->setFixedWidth(148);
    LogoButton = PictureButton(panel_Side, LogoPicture(false, ScreenPixelRatio()), LogoPicture(true, ScreenPixelRatio()),
                               QRect(18, 8, 99, 83), 1);
    auto* line = new QFrame(panel_Side);
    line->setFrameShape(QFrame::HLine);
    line->setFrameShadow(QFrame::Plain);
    line->setGeometry(8, 96, 127, 2);
    OptionsButton = LabelButton(panel_Side, "Options", QRect(1, 124, 130, 27), 32);
    HomeSiteButton = LabelButton(panel_Side, "Home Site", QRect(1, 164, 130, 27), 32);
    TellFriendButton = LabelButton(panel_Side, "Tell a Friend", QRect(1, 204, 130, 27), 32);
    AboutButton = LabelButton(panel_Side, "About", QRect(1, 244, 130, 27), 32);
    // In the side panel's free part, in sight on both pages.
    // The live sources' lines go below the services'; their switches are on the options' "Sources" page.
    HealthList = new THealthList(panel_Side, QColor(255, 176, 0));
    HealthList->setGeometry(8, 284, 134, 190);
    HotBotBox = HiddenSwitch(panel_Side, "HotBot");
    LycosBox = HiddenSwitch(panel_Side, "Lycos");
    ScourNetBox = HiddenSwitch(panel_Side, "ScourNet");
    LycosImagesBox = HiddenSwitch(panel_Side, "Lycos Images Direct");

    // Search page: header, result area, button bar.
    panel_Search = new QWidget(this);
    panel_Header = BlackPanel(panel_Search);
    panel_Header->setFixedHeight(84);
    WhiteLabel(panel_Header, "Search for:", 8, 12);
    PhraseEdit = new QLineEdit(panel_Header);
    PhraseEdit->setGeometry(80, 8, 180, 22);
    SearchButton = LabelButton(panel_Header, "Start", QRect(268, 6, 75, 25), 32);
    AbortButton = LabelButton(panel_Header, "Abort", QRect(268, 6, 75, 25), 32);
    AbortButton->hide();
    CheckBox_CheckLinks = new QCheckBox("Check Links", panel_Header);
    CheckBox_CheckLinks->setGeometry(80, 36, 110, 20);
    CheckBox_CheckLinks->setChecked(true);
    CheckBox_RecursiveSearch = new QCheckBox("Recursive Search", panel_Header);
    CheckBox_RecursiveSearch->setGeometry(196, 36, 140, 20);
    CheckBox_RecursiveSearch->setChecked(true);
    WhiteLabel(panel_Header, "Status:", 8, 62);
    StatusLabel = WhiteLabel(panel_Header, "Ready", 56, 62);
    StatusLabel->setMinimumWidth(90);
    WhiteLabel(panel_Header, "Found:", 150, 62);
    FoundLabel = WhiteLabel(panel_Header, "0", 194, 62);
    FoundLabel->setMinimumWidth(50);
    WhiteLabel(panel_Header, "Processes:", 250, 62);
    ProcessesLabel = WhiteLabel(panel_Header, "0", 320, 62);
    ProcessesLabel->setMinimumWidth(30);
    MoreInfoButton = new QPushButton("More Info", panel_Header);
    MoreInfoButton->setGeometry(416, 6, 70, 26);
    MoreInfoButton->hide();
    // The title keeps to the header's right edge.
    image_Title = new QLabel(panel_Header);
    image_Title->setPixmap(QPixmap::fromImage(TitlePicture(ScreenPixelRatio())));
    auto* titleLayout = new QHBoxLayout(panel_Header);
    titleLayout->setContentsMargins(0, 0, 8, 0);
    titleLayout->addStretch(1);
    titleLayout->addWidget(image_Title, 0, Qt::AlignVCenter);

    panel_Results = BlackPanel(panel_Search);
    ResultList = new TResultList(panel_Results);
    ResultList->Rows->NameOf = [this](int row) {
        const std::string& url = Engine.FoundFiles()[static_cast<size_t>(row)];
        // A source's address is percent-encoded: its row shows the name it is saved under.
        if (Engine.SourcePicture(url))
            return PictureFileName(url);
        std::string name;
        ExtractFileNameFromURL(url, name);
        return name;
    };
    ResultList->Rows->DimensionsOf = [this](int row) {
        const TDimensions d = Engine.DimensionsOf(static_cast<size_t>(row));
        return QSize(d.Width, d.Height);
    };
    auto* resultsLayout = new QVBoxLayout(panel_Results);
    resultsLayout->setContentsMargins(5, 5, 5, 0);
    resultsLayout->addWidget(ResultList);
    ResultGrid = new TResultGrid(ResultList->Rows, panel_Results);
    ResultGrid->setSelectionModel(ResultList->selectionModel()); // one selection, whichever view shows it
    ResultGrid->UrlOf = [this](int row) { return Engine.FoundFiles()[static_cast<size_t>(row)]; };
    ResultGrid->hide();
    resultsLayout->addWidget(ResultGrid);
    // In the side panel's gap between the logo's line and the menu: no
    // described control moves.
    CheckBox_Thumbnails = new QCheckBox("Thumbnails", panel_Side);
    CheckBox_Thumbnails->setGeometry(18, 100, 120, 20);
    connect(CheckBox_Thumbnails, &QCheckBox::toggled, this, [this](bool on) {
        ResultList->setVisible(!on);
        ResultGrid->setVisible(on);
    });

    panel_Buttons = BlackPanel(panel_Search);
    panel_Buttons->setFixedHeight(31);
    ViewButton = LabelButton(panel_Buttons, "View Image", QRect(3, 3, 118, 25), 1);
    SlideShowButton = LabelButton(panel_Buttons, "Slide Show", QRect(123, 3, 118, 25), 1);
    SaveButton = LabelButton(panel_Buttons, "Save File(s)", QRect(243, 3, 118, 25), 1);
    BrowseButton = LabelButton(panel_Buttons, "Browse Page", QRect(363, 3, 118, 25), 1);

    auto* searchLayout = new QVBoxLayout(panel_Search);
    searchLayout->setContentsMargins(0, 0, 0, 0);
    searchLayout->setSpacing(0);
    searchLayout->addWidget(panel_Header);
    searchLayout->addWidget(panel_Results, 1);
    searchLayout->addWidget(panel_Buttons);

    // Viewer page: takes the search page's place when shown.
    panel_Viewer = BlackPanel(this);
    ViewImage = new TPictureView(panel_Viewer);
    auto* viewerLayout = new QVBoxLayout(panel_Viewer);
    viewerLayout->setContentsMargins(0, 0, 0, 0);
    viewerLayout->addWidget(ViewImage);

    // Banner strip.
    panel_Banner = BlackPanel(this);
    panel_Banner->setFixedHeight(82);
    auto* sponsor = new QLabel("Please visit our sponsor:", panel_Banner);
    QFont bold = sponsor->font();
    bold.setBold(true);
    sponsor->setFont(bold);
    sponsor->setAlignment(Qt::AlignHCenter);
    auto* bannerLayout = new QVBoxLayout(panel_Banner);
    bannerLayout->setContentsMargins(0, 2, 0, 2);
    bannerLayout->addWidget(sponsor);
    bannerLayout->addStretch(1);
    // Below the caption; FormResize keeps it centred.
    AdImage1 = new TAdImage(panel_Banner);
    AdImage1->move(0, 20);
    AdImage1->SetProgramID(311);
    AdImage1->Loaded();

    TimeoutLog = new QPlainTextEdit(this);
    TimeoutLog->hide();

    FPages = new QStackedLayout;
    FPages->addWidget(panel_Search);
    FPages->addWidget(panel_Viewer);
    auto* right = new QVBoxLayout;
    right->setContentsMargins(0, 0, 0, 0);
    right->setSpacing(0);
    right->addLayout(FPages, 1);
    right->addWidget(panel_Banner);
    auto* frame = new QHBoxLayout(this);
    frame->setContentsMargins(0, 0, 0, 0);
    frame->setSpacing(0);
    frame->addWidget(panel_Side);
    frame->addLayout(right, 1);
}
