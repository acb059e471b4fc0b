#include "core/CreditText.h"

#include <gtest/gtest.h>

namespace {

TEST(CreditText, EachPartTheSourceGivesInItsPlace)
{
    const struct {
        TPictureRecord record;
        const char* line;
        const char* column;
    } rows[] = {
        {{"u", 0, 0, 0, "", "", "https://p", "Harbour", "Ann", "CC BY 4.0", "https://l"},
         "\"Harbour\" by Ann, CC BY 4.0 (https://l), https://p", "CC BY 4.0, Ann"},
        {{"u", 0, 0, 0, "", "", "", "", "Ann", "", ""}, "by Ann", "Ann"},
        {{"u", 0, 0, 0, "", "", "", "Harbour", "", "", "https://l"}, "\"Harbour\", https://l", ""},
        {{"u", 0, 0, 0, "", "", "https://p", "", "", "CC0", ""}, "CC0, https://p", "CC0"},
        {{}, "", ""},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(AttributionLine(row.record), row.line);
        EXPECT_EQ(CreditColumn(row.record), row.column);
    }
}

} // namespace
