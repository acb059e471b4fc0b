#include "app/Options.h"
#include "app/PicturesPage.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

namespace {

TEST(OptionsPicturesPage, OffByDefaultStoredByOkAndReadBack)
{
    TempDir dir;
    const std::string ini = dir.File("glimmerscout.ini");
    Tfrm_Options dialog(ini);
    TPicturesPage& page = *dialog.Pictures;
    dialog.show();
    EXPECT_TRUE(page.checkbox_Jpeg->isChecked());
    EXPECT_FALSE(page.checkbox_Jpeg->isEnabled());
    for (QCheckBox* box : {page.checkbox_Png, page.checkbox_Gif, page.checkbox_Webp, page.checkbox_MinWidth,
                           page.checkbox_MinHeight, page.checkbox_SaveOnce})
        EXPECT_FALSE(box->isChecked()) << box->text().toStdString();
    EXPECT_FALSE(page.edit_MinWidth->isEnabled());
    EXPECT_EQ(ReadFile(ini), "");

    page.checkbox_Png->setChecked(true);
    page.checkbox_Webp->setChecked(true);
    page.checkbox_MinWidth->setChecked(true);
    EXPECT_TRUE(page.edit_MinWidth->isEnabled());
    page.edit_MinWidth->setValue(1600);
    page.checkbox_SaveOnce->setChecked(true);
    dialog.BitBtn2->click();
    const TIniFile stored(ini);
    EXPECT_EQ(stored.ReadString("Options", "PictureTypes", ""), "jpeg,png,webp");
    EXPECT_TRUE(stored.ReadBool("Options", "MinWidthBool", false));
    EXPECT_EQ(stored.ReadInteger("Options", "MinWidth", 0), 1600);
    EXPECT_FALSE(stored.ReadBool("Options", "MinHeightBool", true));
    EXPECT_TRUE(stored.ReadBool("Options", "SaveOnce", false));

    page.checkbox_Png->setChecked(false);
    page.checkbox_SaveOnce->setChecked(false);
    dialog.show();
    EXPECT_TRUE(page.checkbox_Png->isChecked());
    EXPECT_TRUE(page.checkbox_SaveOnce->isChecked());
    EXPECT_FALSE(page.checkbox_Gif->isChecked());
    EXPECT_EQ(page.edit_MinWidth->value(), 1600);
}

} // namespace
