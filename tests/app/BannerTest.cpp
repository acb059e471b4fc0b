#include "FormFixture.h"

#include "controls/AdImage.h"

namespace {

using Banner = FormFixture;

TEST_F(Banner, StartsUnderTheCaptionAndStaysCentred)
{
    CreateForms();
    EXPECT_TRUE(dialogs.empty());
    TAdImage* ad = form->AdImage1;
    EXPECT_EQ(ad->parentWidget(), form->panel_Banner);
    EXPECT_EQ(ad->ProgramID(), 311);
    EXPECT_TRUE(ad->Started());
    EXPECT_EQ(ad->geometry().size(), QSize(468, 60));
    EXPECT_EQ(ad->y() + ad->height(), form->panel_Banner->height() - 2);

    form->show();
    // Strip 753 wide: 376.5 - 234 = 142.5, a half, to the even 142; then 143.5 to 144.
    form->resize(901, 600);
    EXPECT_TRUE(WaitUntil([&] { return ad->x() == 142; })) << ad->x();
    form->resize(903, 600);
    EXPECT_TRUE(WaitUntil([&] { return ad->x() == 144; })) << ad->x();
    EXPECT_TRUE(ErrorLog::Lines().empty());
}

} // namespace
