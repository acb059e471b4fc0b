#include "app/Options.h"
#include "controls/Contrast.h"
#include "platform/ui/Dialogs.h"
#include "support/TestSupport.h"

#include <QApplication>
#include <gtest/gtest.h>
#include <vector>

namespace {

class OptionsDialog : public ::testing::Test {
protected:
    void SetUp() override
    {
        Dialogs::SetResponder([this](const Dialogs::Request& r) {
            messages.push_back(r.text);
            return Dialogs::Answer{};
        });
        dialog.OnSlideShowInterval = [this](int ms) { interval = ms; };
    }
    void TearDown() override { Dialogs::SetResponder({}); }

    std::string Stored(const std::string& key) { return TIniFile(ini).ReadString("Options", key, "<none>"); }

    TempDir dir;
    std::string ini = dir.File("glimmerscout.ini");
    Tfrm_Options dialog{ini};
    std::vector<std::string> messages;
    int interval = -1;
};

TEST_F(OptionsDialog, ShowsTheDefaultsWithoutASettingsFile)
{
    dialog.show();
    EXPECT_TRUE(dialog.checkbox_LargerThan->isChecked());
    EXPECT_TRUE(dialog.edit_LargerThan->isEnabled());
    EXPECT_EQ(dialog.edit_LargerThan->text(), "20");
    EXPECT_FALSE(dialog.checkbox_SmallerThan->isChecked());
    EXPECT_FALSE(dialog.edit_SmallerThan->isEnabled());
    EXPECT_EQ(dialog.edit_SmallerThan->text(), "1000");
    EXPECT_EQ(dialog.edit_Wait->text(), "10");
    EXPECT_FALSE(dialog.checkbox_SubDir->isChecked());
    EXPECT_FALSE(dialog.checkbox_NumberedList->isChecked());
    EXPECT_EQ(dialog.edit_SavePath->text(), "");
    EXPECT_FALSE(dialog.edit_SavePath->isEnabled());
    EXPECT_TRUE(dialog.radiobutton_Modem->isChecked());
    EXPECT_EQ(dialog.size(), QSize(360, 318));
    EXPECT_EQ(ReadFile(ini), ""); // showing writes nothing
}

TEST_F(OptionsDialog, OkStoresEveryKeyAndTellsTheInterval)
{
    dialog.show();
    dialog.radiobutton_LAN->setChecked(true);
    dialog.checkbox_SmallerThan->click();
    dialog.checkbox_SmallerThan->click();
    dialog.edit_LargerThan->setText("30");
    dialog.edit_Wait->setText("3");
    dialog.checkbox_SubDir->setChecked(true);
    dialog.ChooseDirectory = [](const std::string& start) {
        EXPECT_EQ(start, "");
        return std::optional<std::string>("/pictures");
    };
    dialog.Button1->click();
    dialog.BitBtn2->click();

    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(interval, 3000);
    EXPECT_NE(ReadFile(ini).find("SmallerThanbool=0"), std::string::npos);
    EXPECT_EQ(Stored("SlowConnection"), "0");
    EXPECT_EQ(Stored("LargerThanBool"), "1");
    EXPECT_EQ(Stored("SmallerThan"), "1000");
    EXPECT_EQ(Stored("LargerThan"), "30");
    EXPECT_EQ(Stored("Wait"), "3");
    EXPECT_EQ(Stored("SubDir"), "1");
    EXPECT_EQ(Stored("NumberedList"), "0");
    EXPECT_EQ(Stored("SavePath"), "/pictures");

    // The next show reads it all back.
    dialog.show();
    EXPECT_TRUE(dialog.radiobutton_LAN->isChecked());
    EXPECT_EQ(dialog.edit_SavePath->text(), "/pictures");
    EXPECT_EQ(dialog.edit_Wait->text(), "3");
}

// The box shows a folder as the chooser's label does and stores it in UTF-8;
// an older file's Windows-1252 bytes read as their letters.
TEST_F(OptionsDialog, TheSavePathIsShownAndStoredAsTheFolderIsNamed)
{
    const std::string photos = "/home/\xD0\xA4\xD0\xBE\xD1\x82\xD0\xBE/caf\xC3\xA9/";
    dialog.show();
    dialog.ChooseDirectory = [&](const std::string&) { return std::optional<std::string>(photos); };
    dialog.Button1->click();
    EXPECT_EQ(dialog.edit_SavePath->text(), QString::fromUtf8(photos.c_str()));
    dialog.BitBtn2->click();
    EXPECT_EQ(Stored("SavePath"), photos);

    TIniFile(ini).WriteString("Options", "SavePath", "/old/caf\xE9");
    dialog.show();
    EXPECT_EQ(dialog.edit_SavePath->text(), QString::fromUtf8("/old/caf\xC3\xA9"));
}

TEST_F(OptionsDialog, CancelAndACancelledChooserChangeNothing)
{
    dialog.show();
    dialog.ChooseDirectory = [](const std::string&) { return std::optional<std::string>(); };
    dialog.Button1->click();
    dialog.edit_Wait->setText("7");
    dialog.BitBtn1->click();
    EXPECT_EQ(dialog.edit_SavePath->text(), "");
    EXPECT_EQ(ReadFile(ini), "");
    EXPECT_EQ(interval, -1);
}

TEST_F(OptionsDialog, LettersInAnEditAreRefusedWhenLeavingIt)
{
    dialog.show();
    dialog.activateWindow();
    ASSERT_TRUE(WaitUntil([&] { return dialog.isActiveWindow(); }));
    dialog.edit_Wait->setFocus(Qt::TabFocusReason);
    dialog.edit_Wait->setText("ten");
    dialog.checkbox_SubDir->setFocus(Qt::TabFocusReason);
    EXPECT_EQ(messages, (std::vector<std::string>{"Must be a numeric value!"}));
    EXPECT_EQ(QApplication::focusWidget(), dialog.edit_Wait);

    dialog.edit_Wait->setText("0x10"); // a number as the settings file reads them
    dialog.checkbox_SubDir->setFocus(Qt::TabFocusReason);
    EXPECT_EQ(messages.size(), 1u);
    EXPECT_EQ(QApplication::focusWidget(), dialog.checkbox_SubDir);
}

TEST_F(OptionsDialog, ANonNumberThatReachesOkStopsTheStoreAtItsKey)
{
    dialog.show();
    dialog.edit_LargerThan->setText("lots");
    dialog.checkbox_SubDir->setChecked(true);
    dialog.BitBtn2Click();
    EXPECT_EQ(messages, (std::vector<std::string>{"'lots' is not a valid integer value"}));
    EXPECT_EQ(Stored("SmallerThan"), "1000");
    EXPECT_EQ(Stored("LargerThan"), "<none>");
    EXPECT_EQ(Stored("SubDir"), "<none>");
    EXPECT_EQ(interval, -1);
}

// The third profile has a key of its own: SlowConnection keeps the choice an
// older version reads, and a file that never held Broadband is written as before.
TEST_F(OptionsDialog, EachProfileIsStoredAndShownAgain)
{
    const struct {
        QRadioButton* Tfrm_Options::*chosen;
        const char* slow;
        const char* broadband;
    } rows[] = {
        {&Tfrm_Options::radiobutton_LAN, "0", "<none>"},
        {&Tfrm_Options::radiobutton_Broadband, "0", "1"},
        {&Tfrm_Options::radiobutton_Modem, "1", "0"},
        {&Tfrm_Options::radiobutton_Broadband, "0", "1"},
        {&Tfrm_Options::radiobutton_LAN, "0", "0"},
    };
    for (const auto& row : rows) {
        dialog.show();
        (dialog.*row.chosen)->setChecked(true);
        dialog.BitBtn2->click();
        EXPECT_EQ(Stored("SlowConnection"), row.slow);
        EXPECT_EQ(Stored("Broadband"), row.broadband);
        dialog.radiobutton_Modem->setChecked(true);
        dialog.show();
        EXPECT_TRUE((dialog.*row.chosen)->isChecked()) << Stored("Broadband");
    }
}

// The third profile stands on the group's title line, whole and clear of
// the title and of the two profiles' row.
TEST_F(OptionsDialog, TheThirdProfileFitsBesideTheOthers)
{
    dialog.show();
    const QRadioButton* broadband = dialog.radiobutton_Broadband;
    const QWidget* group = broadband->parentWidget();
    EXPECT_EQ(group, dialog.radiobutton_Modem->parentWidget());
    EXPECT_GE(broadband->width(), broadband->sizeHint().width());
    EXPECT_LE(broadband->x() + broadband->width(), group->width());
    EXPECT_LE(broadband->y() + broadband->height(), dialog.radiobutton_LAN->y());
    EXPECT_GT(broadband->x(), group->fontMetrics().horizontalAdvance("I have a:") + 8);
}

// The save folder is only chosen, never typed, yet it reads as well as any text.
TEST_F(OptionsDialog, TheDisabledSaveFolderIsReadable)
{
    dialog.edit_SavePath->setText("/home/user/Pictures");
    dialog.show();
    ASSERT_FALSE(dialog.edit_SavePath->isEnabled());
    const QPalette& drawn = dialog.edit_SavePath->palette();
    EXPECT_GE(ContrastRatio(drawn.color(QPalette::Disabled, QPalette::Text), drawn.color(QPalette::Disabled, QPalette::Base)),
              4.5);
}

} // namespace
