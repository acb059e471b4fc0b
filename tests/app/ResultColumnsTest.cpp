#include "FormFixture.h"

#include "controls/ResultList.h"

#include <QHeaderView>
#include <QScrollBar>

namespace {

using ResultColumns = FormFixture;

// At the window's first size, with more rows than fit and the widest figures:
// size and dimensions show whole beside the vertical scroll bar, nothing
// scrolls sideways, and the long names are cut in the middle.
TEST_F(ResultColumns, FiguresShowWholeBesideTheScrollBarAndTheNameTakesTheRest)
{
    CreateForms();
    TResultList* list = form->ResultList;
    list->Rows->NameOf = [](int row) {
        return "a-picture-with-a-very-long-name-from-a-camera-" + std::to_string(row) + ".jpg";
    };
    list->Rows->DimensionsOf = [](int) { return QSize(12000, 10000); };
    for (int i = 0; i < 100; ++i)
        list->Rows->Append(i % 2 ? TPictureSize::Checked(1234567890) : TPictureSize::Checked(-1));
    form->show();
    ASSERT_EQ(form->size(), QSize(640, 480));
    ASSERT_TRUE(WaitUntil([&] { return list->verticalScrollBar()->isVisible(); }));

    EXPECT_FALSE(list->horizontalScrollBar()->isVisible());
    const QHeaderView* header = list->header();
    const QAbstractItemView* view = list; // the widest row of a column, as the view measures it
    EXPECT_EQ(header->sectionViewportPosition(2) + header->sectionSize(2), list->viewport()->width());
    for (int column : {1, 2}) {
        EXPECT_GE(header->sectionSize(column), view->sizeHintForColumn(column)) << column;
        EXPECT_GE(header->sectionSize(column), header->sectionSizeHint(column)) << column;
    }
    EXPECT_LT(header->sectionSize(0), view->sizeHintForColumn(0)); // cut...
    EXPECT_EQ(list->textElideMode(), Qt::ElideMiddle);             // ...in the middle
}

} // namespace
