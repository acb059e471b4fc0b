#include "controls/ResultList.h"

#include <gtest/gtest.h>

TEST(ResultList, RowsShowTheirNameAndSizeAndSelectInRowOrder)
{
    TResultList list;
    const std::vector<std::string> names{"a.jpg", "b.jpg", "c.jpg"};
    list.Rows->NameOf = [&](int row) { return names[static_cast<size_t>(row)]; };
    std::vector<QSize> dimensions{{1920, 1080}, {}, {}};
    list.Rows->DimensionsOf = [&](int row) { return dimensions[static_cast<size_t>(row)]; };
    list.Rows->Append(TPictureSize::Checked(20000));
    list.Rows->Append(TPictureSize::Unchecked());
    list.Rows->Append(TPictureSize::Checked(-1));
    ASSERT_EQ(list.RowCount(), 3);
    EXPECT_EQ(list.Text(0, 0), "a.jpg");
    EXPECT_EQ(list.Text(0, 1), "20000");
    EXPECT_EQ(list.Text(1, 1), "UNKNOWN"); // not checked
    EXPECT_EQ(list.Text(2, 1), "UNKNOWN"); // checked, no length
    EXPECT_EQ(list.Rows->headerData(1, Qt::Horizontal, Qt::DisplayRole).toString(), "Size:");
    EXPECT_EQ(list.Text(0, 2), "1920 x 1080");
    EXPECT_EQ(list.Text(1, 2), ""); // not known (yet)
    int changed = -1;
    QObject::connect(list.Rows, &QAbstractItemModel::dataChanged, [&](const QModelIndex& at) { changed = at.row(); });
    dimensions[1] = {640, 480};
    list.Rows->DimensionsChanged(1);
    EXPECT_EQ(changed, 1);
    EXPECT_EQ(list.Text(1, 2), "640 x 480");

    list.SelectRow(2);
    list.SelectRow(0);
    EXPECT_EQ(list.SelectedRows(), (std::vector<int>{0, 2}));

    list.Rows->Clear();
    EXPECT_EQ(list.RowCount(), 0);
    EXPECT_TRUE(list.SelectedRows().empty());
}

// A picture a source described shows its licence and creator, and all of
// its credit as the row's tooltip; others show none.
TEST(ResultList, ASourcesPictureShowsItsCredit)
{
    TResultList list;
    TPictureRecord credit;
    credit.Title = "Harbour";
    credit.Creator = "Ann";
    credit.Licence = "CC0";
    list.Rows->RecordOf = [&](int row) { return row == 1 ? &credit : nullptr; };
    list.Rows->Append(TPictureSize::Unchecked());
    EXPECT_TRUE(list.isColumnHidden(TResultRows::CreditColumn)) << "shown from the first row with credit";
    list.Rows->Append(TPictureSize::Unchecked());
    EXPECT_FALSE(list.isColumnHidden(TResultRows::CreditColumn));
    EXPECT_TRUE(list.isColumnHidden(TResultRows::LookAlikeColumn));
    EXPECT_EQ(list.Rows->headerData(TResultRows::CreditColumn, Qt::Horizontal, Qt::DisplayRole).toString(), "Credit:");
    EXPECT_EQ(list.Text(1, TResultRows::CreditColumn), "CC0, Ann");
    EXPECT_EQ(list.Rows->index(1, 0).data(Qt::ToolTipRole).toString(), "\"Harbour\" by Ann, CC0");
    EXPECT_EQ(list.Text(0, TResultRows::CreditColumn), "");
    EXPECT_FALSE(list.Rows->index(0, 0).data(Qt::ToolTipRole).isValid());
    list.Rows->Clear();
    EXPECT_TRUE(list.isColumnHidden(TResultRows::CreditColumn));
}
