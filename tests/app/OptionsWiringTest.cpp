#include "FormFixture.h"
#include "search/SizeFilter.h"

namespace {

class OptionsWiring : public FormFixture {
protected:
    void SetUp() override
    {
        FormFixture::SetUp();
        CreateForms();
    }
};

TEST_F(OptionsWiring, OkTakesEffectWithoutARestart)
{
    // No stored upper bound: the filter applies it.
    EXPECT_FALSE(PassesSizeFilter(*form->IniFile, TPictureSize::Checked(1000001)));
    program->options.FormShow();
    EXPECT_FALSE(program->options.checkbox_SmallerThan->isChecked()); // while the dialog shows it off
    program->options.edit_Wait->setText("3");
    program->options.BitBtn2Click();
    EXPECT_EQ(form->SlideShowTimer->interval(), 3000);
    EXPECT_EQ(settings->ReadInteger("Options", "Wait", 0), 3);
    EXPECT_TRUE(PassesSizeFilter(*form->IniFile, TPictureSize::Checked(1000001)));
    EXPECT_FALSE(PassesSizeFilter(*form->IniFile, TPictureSize::Checked(19999)));
}

} // namespace
