#include "PictureWorkFixture.h"

#include "controls/ResultGrid.h"

#include <QCheckBox>

namespace {

using sampleweb::Host;

// "Hide look-alikes" fetches every row's thumbnail and leaves each group's
// largest in view, in the list and the grid alike; hidden rows leave the
// selection.
TEST_F(PictureWork, HidingLookAlikesLeavesEachGroupsLargest)
{
    // One picture under two addresses, and another picture.
    const std::string lake = Url(Host::SiteB, "/photos/pics/lake-64000.jpg");
    std::string byName = lake;
    byName.replace(byName.find("127.0.0.1"), 9, "localhost");
    ListAndSelect({Url(Host::SiteA, "/gallery/pics/sunset-20000.jpg"), lake, byName});
    ASSERT_EQ(form->ResultList->RowCount(), 3);
    form->CheckBox_HideLookAlikes->setChecked(true);
    const auto hidden = [&](int row) { return form->ResultList->isRowHidden(row, {}); };
    ASSERT_TRUE(WaitUntil([&] { return hidden(2); }));
    EXPECT_FALSE(hidden(0) || hidden(1));
    EXPECT_TRUE(form->ResultGrid->isRowHidden(2));
    EXPECT_EQ(form->ResultList->SelectedRows(), (std::vector<int>{0, 1}));

    form->CheckBox_HideLookAlikes->setChecked(false);
    for (int row = 0; row < 3; ++row)
        EXPECT_FALSE(hidden(row) || form->ResultGrid->isRowHidden(row)) << row;
}

} // namespace
