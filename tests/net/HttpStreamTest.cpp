#include "net/FileStream.h"
#include "net/MemoryStream.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

namespace {

TEST(MemoryStream, WritesReadsSeeksAndStopsAtItsLimit)
{
    TMemoryStream m(10);
    m.Write("hello", 5);
    m.Write("world", 5);
    EXPECT_EQ(m.Size(), 10);
    EXPECT_EQ(std::string(m.Data(), 10), "helloworld");
    EXPECT_THROW(m.Write("!", 1), EStreamError);
    EXPECT_EQ(m.Size(), 10);

    EXPECT_EQ(m.Seek(3, soBeginning), 3);
    m.Write("LO", 2);
    EXPECT_EQ(std::string(m.Data(), 10), "helLOworld");
    EXPECT_EQ(m.Seek(-2, soEnd), 8);
    char buf[8];
    EXPECT_EQ(m.Read(buf, sizeof buf), 2u);
    EXPECT_EQ(std::string(buf, 2), "ld");
    EXPECT_EQ(m.Read(buf, sizeof buf), 0u);

    m.ExpectBytes(1'000'000'000); // a hostile length reserves no more than the limit
    m.Clear();
    EXPECT_EQ(m.Size(), 0);
}

TEST(FileStream, CreatesEmptiesAndReadsBack)
{
    TempDir dir;
    const std::string path = dir.File("f.bin");
    WriteFile(path, "old content that is long");
    {
        TFileStream f(path, fmCreate);
        f.Write("abc\0def", 7);
        EXPECT_EQ(f.Size(), 7);
    }
    EXPECT_EQ(ReadFile(path), std::string("abc\0def", 7));
    TFileStream r(path, fmOpenRead);
    char buf[16];
    EXPECT_EQ(r.Seek(4, soBeginning), 4);
    EXPECT_EQ(r.Read(buf, sizeof buf), 3u);
    EXPECT_THROW(r.Write("x", 1), EStreamError);
    EXPECT_THROW(TFileStream(dir.File("missing/x"), fmCreate), EStreamError);
}

} // namespace
