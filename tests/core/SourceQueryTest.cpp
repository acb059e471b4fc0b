#include "core/TextHelpers.h"

#include <gtest/gtest.h>

namespace {

// A live source gets the phrase as UTF-8, every byte but the unreserved ones escaped.
TEST(SourceQuery, TrimsAndEscapesEveryByteButTheUnreservedOnes)
{
    const std::pair<const char*, const char*> cases[] = {
        {"red cars", "red%20cars"},
        {"  red cars\t", "red%20cars"},
        {"rote \xC3\x84pfel", "rote%20%C3%84pfel"},
        {"a+b&c=d?e#f/g%h\"", "a%2Bb%26c%3Dd%3Fe%23f%2Fg%25h%22"},
        {"AZaz09-._~", "AZaz09-._~"},
        {"\xE7\x8C\xAB", "%E7%8C%AB"},
        {" ", ""},
    };
    for (const auto& [phrase, value] : cases)
        EXPECT_EQ(SourceQuery(phrase), value) << phrase;
}

} // namespace
