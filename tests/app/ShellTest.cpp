#include "FormFixture.h"

#include "app/CallBrowser.h"
#include "platform/Random.h"

#include <QCheckBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QKeyEvent>
#include <QPushButton>
#include <QTest>

namespace {

using Shell = FormFixture;

TEST_F(Shell, NoSettingsFileOpensAtOneOneWithMinimumSizeAndBoxesTicked)
{
    CreateForms();
    form->CheckBox_CheckLinks->setChecked(false);
    form->show();
    // The frame is placed once the window shows with it.
    EXPECT_TRUE(WaitUntil([&] { return form->frameGeometry().topLeft() == QPoint(1, 1); })); // the title bar on the screen
    EXPECT_EQ(form->size(), QSize(640, 480));
    EXPECT_TRUE(form->CheckBox_CheckLinks->isChecked());
    EXPECT_TRUE(form->CheckBox_RecursiveSearch->isChecked());
    EXPECT_EQ(form->windowTitle(), "Glimmerscout v1.1");
}

TEST_F(Shell, PlacementAndBoxesAreRestoredAndSaved)
{
    settings->WriteInteger("Options", "LeftPos", 30);
    settings->WriteInteger("Options", "TopPos", 40);
    settings->WriteString("Options", "Width", "0x320"); // 800
    settings->WriteInteger("Options", "Height", 300);   // raised to the minimum
    settings->WriteBool("Options", "CheckLinks", false);
    CreateForms();
    form->show();
    EXPECT_EQ(form->geometry(), QRect(30, 40, 800, 480));
    EXPECT_FALSE(form->CheckBox_CheckLinks->isChecked());
    EXPECT_TRUE(form->CheckBox_RecursiveSearch->isChecked());

    form->CheckBox_RecursiveSearch->setChecked(false);
    form->move(50, 60); // where the user drags the title bar
    form->resize(700, 500);
    form->close();
    EXPECT_EQ(settings->ReadInteger("Options", "LeftPos", 0), 50);
    EXPECT_EQ(settings->ReadInteger("Options", "TopPos", 0), 60);
    EXPECT_EQ(settings->ReadInteger("Options", "Width", 0), 700);
    EXPECT_EQ(settings->ReadInteger("Options", "Height", 0), 500);
    EXPECT_TRUE(settings->ReadBool("Options", "FramePlace", false));
    EXPECT_FALSE(settings->ReadBool("Options", "Maximized", true));
    EXPECT_FALSE(settings->ReadBool("Options", "CheckLinks", true));
    EXPECT_FALSE(settings->ReadBool("Options", "RecursiveSearch", true));
}

struct TPlaceCase {
    const char* label;
    bool framePlace; // written by this version; older files place the inner area
    bool frame;      // LeftPos and TopPos are the frame's corner
};

class Placement : public FormFixture, public ::testing::WithParamInterface<TPlaceCase> {};

TEST_P(Placement, StoredPlaceOpensTheWindowThere)
{
    settings->WriteInteger("Options", "LeftPos", 30);
    settings->WriteInteger("Options", "TopPos", 40);
    if (GetParam().framePlace)
        settings->WriteBool("Options", "FramePlace", true);
    CreateForms();
    form->show();
    const auto opened = [&] { return GetParam().frame ? form->frameGeometry() : form->geometry(); };
    WaitUntil([&] { return opened().topLeft() == QPoint(30, 40); });
    EXPECT_EQ(opened().topLeft(), QPoint(30, 40));
    EXPECT_EQ(form->size(), QSize(640, 480));
}

INSTANTIATE_TEST_SUITE_P(Files, Placement,
                         ::testing::Values(TPlaceCase{"ThisVersion", true, true}, TPlaceCase{"Older", false, false}),
                         [](const auto& info) { return std::string(info.param.label); });

// Takes every key it is given, as an edit or a list may.
class TKeyTaker : public QWidget {
public:
    explicit TKeyTaker(QWidget* parent) : QWidget(parent) { setFocusPolicy(Qt::StrongFocus); }
    int keys = 0;

protected:
    void keyPressEvent(QKeyEvent* e) override
    {
        ++keys;
        e->accept();
    }
};

TEST_F(Shell, EscapeLeavesTheViewerWhicheverControlHasTheFocus)
{
    CreateForms();
    form->show();
    form->ShowPanel(form->panel_Viewer);
    auto* taker = new TKeyTaker(form->panel_Viewer);
    taker->show();
    taker->setFocus();
    form->SlideShowList = {"http://a.test/x.jpg"};
    QTest::keyClick(taker, Qt::Key_Escape);
    EXPECT_FALSE(form->ViewerShowing());
    EXPECT_TRUE(form->SlideShowStopped);
    EXPECT_TRUE(form->SlideShowList.empty());
    EXPECT_EQ(taker->keys, 1); // the control still gets its key
}

TEST_F(Shell, MaximizedCloseKeepsTheStoredPlacement)
{
    settings->WriteInteger("Options", "LeftPos", 30);
    CreateForms();
    form->show();
    form->showMaximized();
    form->close();
    EXPECT_TRUE(settings->ReadBool("Options", "Maximized", false));
    EXPECT_EQ(settings->ReadInteger("Options", "LeftPos", 0), 30);
    EXPECT_EQ(settings->ReadInteger("Options", "Width", 0), 0);
}

TEST_F(Shell, SettingsThatCannotBeStoredAreReportedAndTheWindowStillCloses)
{
    const std::string unwritable = dir.File("missing/glimmerscout.ini");
    CreateForms(true, unwritable);
    form->show();
    EXPECT_NO_THROW(form->close());
    EXPECT_FALSE(form->isVisible());
    ASSERT_FALSE(dialogs.empty());
    EXPECT_EQ(dialogs.back().kind, Dialogs::Kind::Error);
    EXPECT_EQ(dialogs.back().text, "Unable to write to " + unwritable);
}

TEST_F(Shell, TellAFriendIsAskedAboutSevenTimesInAHundred)
{
    int asked = 0;
    CreateForms();
    for (uint64_t seed = 0; seed < 100; ++seed) {
        dialogs.clear();
        RandSeed(seed); // after the window seeded it from the clock
        form->FormShow();
        asked += static_cast<int>(dialogs.size());
        if (!dialogs.empty()) {
            EXPECT_EQ(dialogs[0].caption, "Confirm");
            EXPECT_EQ(dialogs[0].text, "Do you know anyone who also would like Glimmerscout?");
        }
    }
    EXPECT_GT(asked, 0);
    EXPECT_LT(asked, 20);
    EXPECT_TRUE(opened.empty()); // answered No
}

TEST_F(Shell, MenuLinksOpenTheHomePageAndTheMail)
{
    CreateForms();
    form->HomeSiteButton->Click();
    form->TellFriendButton->Click();
    ASSERT_EQ(opened.size(), 2u);
    EXPECT_EQ(opened[0], HomePageAddress);
    EXPECT_EQ(opened[1], "mailto:?subject=Check out Glimmerscout!&body=The easiest way to find images on the net. "
                         "It's freeware! You can download it from " + std::string(HomePageAddress));
}

TEST_F(Shell, DiagnosticsWindowShowsTheLogFromBeforeItExistedAndDesignTexts)
{
    ErrorLog::Append("error code : #000A (Create) ");
    CreateForms();
    ErrorLog::Append("error code : #0038 (GetPage)");
    form->Button1Click();
    EXPECT_TRUE(form2->isVisible());
    EXPECT_TRUE(form->MoreInfoButton->isHidden());
    EXPECT_EQ(form2->LogMemo->toPlainText().toStdString(), "error code : #000A (Create) \nerror code : #0038 (GetPage)");
    EXPECT_EQ(form2->PageClientsLabel->text(), "Label9");
    EXPECT_EQ(form2->CheckQueueLabel->text(), "Label14");
    form->RefreshCounters();
    EXPECT_EQ(form2->PageClientsLabel->text(), "0");
    EXPECT_EQ(form2->CheckQueueLabel->text(), "0");
}

} // namespace
