#pragma once

#include "core/SourceAnswer.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

// What the answer tables compare: whether it was read, the source's error
// text, and the listed pictures' addresses in order.
inline void ExpectAnswer(const TSourceAnswer& answer, bool read, const char* error, const std::vector<std::string>& urls)
{
    EXPECT_EQ(answer.Read, read);
    EXPECT_EQ(answer.Error, error);
    std::vector<std::string> listed;
    for (const TPictureRecord& p : answer.Pictures)
        listed.push_back(p.Url);
    EXPECT_EQ(listed, urls);
}
