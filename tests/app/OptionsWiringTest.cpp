#include "FormFixture.h"

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
    EXPECT_FALSE(form->PassesSizeFilter("", 1000001)); // no stored upper bound: the filter applies it
    program->options.FormShow();
    EXPECT_FALSE(program->options.checkbox_SmallerThan->isChecked()); // while the dialog shows it off
    program->options.edit_Wait->setText("3");
    program->options.BitBtn2Click();
    EXPECT_EQ(form->SlideShowTimer->interval(), 3000);
    EXPECT_EQ(settings->ReadInteger("Options", "Wait", 0), 3);
    EXPECT_TRUE(form->PassesSizeFilter("", 1000001));
    EXPECT_FALSE(form->PassesSizeFilter("", 19999));
}

} // namespace
