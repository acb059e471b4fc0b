#include "FormFixture.h"

#include <QTimer>
#include <sys/stat.h>
#include <unistd.h>

namespace {

bool IsFolder(const std::string& path)
{
    struct stat st {};
    return stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

// The program's chooser on the machine's own drives; the input box answers
// with the name the test sets.
class ExtractFormTest : public FormFixture {
protected:
    void SetUp() override
    {
        FormFixture::SetUp();
        Dialogs::SetResponder([this](const Dialogs::Request& r) {
            dialogs.push_back(r);
            return Dialogs::Answer{true, typed};
        });
        CreateForms();
        chooser = &program->extract;
        folder = dir.Path() + "/";
    }

    // Opens the chooser from the options dialog's ">>" and lets act run
    // inside it once it shows.
    void ChooseFromOptions(const std::function<void()>& act)
    {
        QTimer::singleShot(0, chooser, [this, act] {
            EXPECT_TRUE(chooser->isVisible());
            act();
        });
        program->options.Button1->click();
        EXPECT_FALSE(chooser->isVisible());
    }

    TExtractForm* chooser = nullptr;
    std::string folder;
    std::string typed;
};

TEST_F(ExtractFormTest, FirstOpeningSelectsTheRootAndOkFillsTheSavePath)
{
    program->options.edit_SavePath->setText("/before");
    ChooseFromOptions([this] {
        EXPECT_EQ(chooser->Label2->text(), "/");
        chooser->DirTree1->SelectPath(folder);
        EXPECT_EQ(chooser->Label2->text().toStdString(), folder);
        chooser->BitBtn1->click();
    });
    EXPECT_EQ(program->options.edit_SavePath->text().toStdString(), folder);

    ChooseFromOptions([this] {
        EXPECT_EQ(chooser->Label2->text().toStdString(), folder); // kept from the last opening
        chooser->DirTree1->SelectPath("/");
        chooser->BitBtn2->click();
    });
    EXPECT_EQ(program->options.edit_SavePath->text().toStdString(), folder);

    ChooseFromOptions([this] { chooser->close(); });
    EXPECT_EQ(program->options.edit_SavePath->text().toStdString(), folder);
}

TEST_F(ExtractFormTest, CreateDirMakesTheFolderUnderTheSelectionAndKeepsIt)
{
    chooser->show();
    chooser->DirTree1->SelectPath(folder);
    typed = "New";
    chooser->SpeedButton1->click();
    EXPECT_TRUE(IsFolder(folder + "New"));
    EXPECT_EQ(chooser->DirTree1->GetSelectedPath(), folder);
    EXPECT_EQ(chooser->Label2->text().toStdString(), folder);
    ASSERT_EQ(dialogs.size(), 1u);
    EXPECT_EQ(dialogs[0].caption, "Create directory");
    EXPECT_EQ(dialogs[0].text, "Directory name: ");
    QTreeWidgetItem* selected = chooser->DirTree1->currentItem();
    selected->setExpanded(true);
    ASSERT_EQ(selected->childCount(), 1);
    EXPECT_EQ(selected->child(0)->text(0), "New");
}

// Names are made as typed, in UTF-8; one the disk cannot hold is told.
TEST_F(ExtractFormTest, CreateDirMakesNamesAsTyped)
{
    chooser->show();
    chooser->DirTree1->SelectPath(folder);
    for (const std::string name : {"\xD0\xA4\xD0\xBE\xD1\x82\xD0\xBE", "caf\xC3\xA9"}) {
        typed = name;
        chooser->SpeedButton1->click();
        EXPECT_TRUE(IsFolder(folder + name)) << name;
    }
    EXPECT_EQ(dialogs.size(), 2u); // the two input boxes, no message

    // 300 letters are cut to the box's 255, which take 510 bytes: too many for one name.
    std::string letters;
    for (int i = 0; i < 300; ++i)
        letters += "\xD0\xA4";
    typed = letters;
    dialogs.clear();
    chooser->SpeedButton1->click();
    ASSERT_EQ(dialogs.size(), 2u);
    EXPECT_EQ(dialogs[1].text, "Couldn\xC2\xB4t create directory " + letters.substr(0, 510));
}

TEST_F(ExtractFormTest, OkNeverHandsOnAFolderDeletedMeanwhile)
{
    mkdir((folder + "Gone").c_str(), 0777);
    program->options.edit_SavePath->setText("/before");
    ChooseFromOptions([this] {
        chooser->DirTree1->SelectPath(folder + "Gone");
        EXPECT_EQ(chooser->DirTree1->GetSelectedPath(), folder + "Gone/");
        rmdir((folder + "Gone").c_str());
        chooser->BitBtn1->click();
        EXPECT_TRUE(chooser->isVisible());
        EXPECT_NE(chooser->DirTree1->GetSelectedPath(), folder + "Gone/");
        chooser->BitBtn2->click();
    });
    EXPECT_EQ(program->options.edit_SavePath->text(), "/before");
    ASSERT_FALSE(dialogs.empty());
    EXPECT_EQ(dialogs.back().text, "Directory does not exist: " + folder + "Gone/");
}

struct TRefusedCase {
    const char* label;
    const char* name;
    const char* message;
};

class CreateDirRefusal : public ExtractFormTest, public ::testing::WithParamInterface<TRefusedCase> {};

// Nothing is created anywhere but directly under the selection.
TEST_P(CreateDirRefusal, ShowsItsMessageAndCreatesNothing)
{
    mkdir((folder + "New").c_str(), 0777);
    mkdir((folder + "New/inner").c_str(), 0777);
    mkdir((folder + "New/inner/Taken").c_str(), 0777);
    chooser->show();
    chooser->DirTree1->SelectPath(folder + "New/inner");
    typed = GetParam().name;
    dialogs.clear();
    chooser->SpeedButton1->click();
    ASSERT_EQ(dialogs.size(), 2u);
    EXPECT_EQ(dialogs[1].kind, Dialogs::Kind::Message);
    EXPECT_EQ(dialogs[1].text, GetParam().message);
    EXPECT_FALSE(IsFolder(folder + "x"));
    EXPECT_FALSE(IsFolder(folder + "New/x"));
    EXPECT_FALSE(IsFolder(folder + "New/inner/x"));
    EXPECT_FALSE(IsFolder(folder + "New/inner/New/x"));
}

INSTANTIATE_TEST_SUITE_P(
    All, CreateDirRefusal,
    ::testing::Values(TRefusedCase{"Existing", "Taken", "Directory exists. Use another name. "},
                      TRefusedCase{"Empty", "", "Directory exists. Use another name. "},
                      TRefusedCase{"Parent", "..", "Directory exists. Use another name. "},
                      TRefusedCase{"UpAndOver", "../x", "Couldn\xC2\xB4t create directory ../x"},
                      TRefusedCase{"TwoUp", "../../x", "Couldn\xC2\xB4t create directory ../../x"},
                      TRefusedCase{"Absolute", "/x", "Couldn\xC2\xB4t create directory /x"}),
    [](const auto& info) { return std::string(info.param.label); });

} // namespace
