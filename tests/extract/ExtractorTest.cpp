#include "extract/AddFileToList.h"
#include "extract/LinkExtractor.h"
#include "extract/SinkRecorder.h"
#include "platform/ErrorLog.h"

#include <gtest/gtest.h>
#include <gmock/gmock.h>

namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

const std::string kOrigin = "http://example.test/gallery/index.html";

std::vector<std::string> Listed(const std::vector<std::string>& lines, bool recursive = false, bool check = false)
{
    TSinkRecorder sink;
    sink.Recursive = recursive;
    sink.CheckLinks = check;
    StartExtractLoop(lines, kOrigin, sink);
    return sink.Results();
}

TEST(Extractor, WorkedExample)
{
    EXPECT_THAT(Listed({R"(<a href="big/p1.jpg"><img src="thumbs/p1.jpg"></a>)"}),
                ElementsAre("AddToListView http://example.test/gallery/big/p1.jpg 0"));
    EXPECT_THAT(Listed({R"(<img src="pics/a.jpg">)"}),
                ElementsAre("AddToListView http://example.test/gallery/pics/a.jpg 0"));
    EXPECT_THAT(Listed({R"(<a href="http://example.test/photos/x.jpg">x</a>)"}),
                ElementsAre("AddToListView http://example.test/photos/x.jpg 0"));
    const std::vector<std::string> thumbToPage{R"(<a href="page2.html"><img src="t.jpg"></a>)"};
    EXPECT_THAT(Listed(thumbToPage), IsEmpty());
    // Anchor pass and line pass both queue it; the queue drops the repeat.
    EXPECT_THAT(Listed(thumbToPage, true), ElementsAre("QueuePageFetch http://example.test/gallery/page2.html 0",
                                                       "QueuePageFetch http://example.test/gallery/page2.html 0"));

    TSinkRecorder sink;
    sink.Recursive = true;
    CheckNewPageForSrc({"<p>", R"(<a href="more.html"><img src="t2.jpg"></a>)", R"(<IMG SRC="../p3.jpg">)"},
                       "http://example.test/gallery/page2.html", sink);
    EXPECT_THAT(sink.Results(), ElementsAre("AddToListView http://example.test/gallery/t2.jpg 0",
                                            "AddToListView http://example.test/p3.jpg 0"));
}

TEST(Extractor, CheckLinksSendsEveryFindToTheCheckQueue)
{
    // Nothing enters FoundFiles before the check, so each pass queues it.
    EXPECT_THAT(Listed({R"(<a href="big/p1.jpg"><img src="thumbs/p1.jpg"></a>)"}, false, true),
                ElementsAre("QueueLinkCheck http://example.test/gallery/big/p1.jpg",
                            "QueueLinkCheck http://example.test/gallery/big/p1.jpg"));
}

TEST(Extractor, GateRefusals)
{
    TSinkRecorder sink;
    for (const char* link : {"", "http://x.test/A.JPG", "http://x.test/a.jpg?x=1", "http://x.test/a.jpeg",
                             "http://x.test/a.jpg/b.jpg", "jpg"})
        AddFIleTolist(link, sink);
    EXPECT_THAT(sink.Calls, IsEmpty());
    AddFIleTolist("http://x.test/a.jpg", sink);
    AddFIleTolist("HTTP://X.TEST/a.jpg", sink);
    EXPECT_THAT(sink.Calls, ElementsAre("IsFound http://x.test/a.jpg", "AddToListView http://x.test/a.jpg 0",
                                        "IsFound HTTP://X.TEST/a.jpg"));
}

TEST(Extractor, ThumbnailsAndRecursion)
{
    // A thumbnail linking to another site yields the thumbnail itself.
    EXPECT_THAT(Listed({R"(<a href="http://other.test/p.html"><img src="t.jpg"></a>)"}, true),
                ElementsAre("AddToListView http://example.test/gallery/t.jpg 0"));
    // A link to 'big.jpeg' is refused by the href finder, so it too yields
    // the thumbnail; one that passes the finder with another extension
    // yields nothing.
    EXPECT_THAT(Listed({R"(<a href="big.jpeg"><img src="t.jpg"></a>)"}, true),
                ElementsAre("AddToListView http://example.test/gallery/t.jpg 0"));
    EXPECT_THAT(Listed({R"(<a href="big.jpg.jpeg"><img src="t.jpg"></a>)"}, true), IsEmpty());
    EXPECT_THAT(Listed({R"(<a href="sub/p.htm"><img src="t.jpg"></a>)"}, true),
                ElementsAre("QueuePageFetch http://example.test/gallery/sub/p.htm 0",
                            "QueuePageFetch http://example.test/gallery/sub/p.htm 0"));
    // A plain text link to a page is never followed; the line pass reads a
    // whole line, though, so a page link beside a picture on one line counts
    // as a thumbnail.
    EXPECT_THAT(Listed({R"(<a href="p.html">next</a>)", R"(<img src="x.jpg">)"}, true),
                ElementsAre("AddToListView http://example.test/gallery/x.jpg 0"));
    EXPECT_THAT(Listed({R"(<a href="p.html">next</a> <img src="x.jpg">)"}, true),
                ElementsAre("QueuePageFetch http://example.test/gallery/p.html 0"));

    TSinkRecorder sink;
    sink.Recursive = true;
    CheckNewPageForSrc({R"(<a href="p.html"><img src="t.jpg"></a>)", R"(<a href="q.htm">q.jpg</a>)"}, kOrigin, sink);
    for (const std::string& call : sink.Calls)
        EXPECT_EQ(call.find("QueuePageFetch"), std::string::npos) << call;
}

TEST(Extractor, CuttingQuirks)
{
    // The anchor ends after the "/a" inside '/about/': the href is lost, the
    // line pass then takes the link from the root.
    EXPECT_THAT(Listed({R"(<a href="/about/x.jpg">x</a>)"}),
                ElementsAre("AddToListView http://example.test/about/x.jpg 0"));
    // The quoted-link pass takes a single-quoted value from the nearest
    // double quote before it.
    EXPECT_THAT(Listed({R"(<p class="c"><img src='s.jpg'>)"}),
                ElementsAre("AddToListView http://example.test/gallery/s.jpg 0",
                            "AddToListView http://example.test/gallery/><img src='s.jpg 0"));
    // No double quote before the ".jpg": no link from the quoted-link pass.
    EXPECT_THAT(Listed({"see pics/a.jpg here"}), IsEmpty());
    EXPECT_THAT(Listed({"<p>no pictures</p>", R"(<a href="x.html">x</a>)"}), IsEmpty());
    // Lines are joined with nothing between them for the anchor pass.
    EXPECT_THAT(Listed({R"(<a href="p1.jp)", R"(g">one</a>)"}),
                ElementsAre("AddToListView http://example.test/gallery/p1.jpg 0"));
}

// An anchor without "</a" is met again at every two characters up to its
// "<a": its links go over once with that count, so the window can count the
// repeats in one step instead of millions.
TEST(Extractor, AnAnchorMetAtEveryStepIsHandedOverOnceWithItsCount)
{
    struct TCounts : TSinkRecorder {
        std::vector<std::string> Times;
        void QueueLinkCheckTimes(const std::string& url, uint64_t times) override
        {
            Times.push_back("check " + url + " x" + std::to_string(times));
        }
        void QueuePageFetchTimes(const std::string& url, EngineCode, uint64_t times) override
        {
            Times.push_back("page " + url + " x" + std::to_string(times));
        }
    } sink;
    sink.CheckLinks = true;
    sink.Recursive = true;
    StartExtractLoop({std::string(10, ' ') + R"(<a href="x.jpg">x/a <a href="p.htm"><img src="t.jpg">/a)"}, kOrigin,
                     sink);
    EXPECT_THAT(sink.Times, ElementsAre("check http://example.test/gallery/x.jpg x6",
                                        "page http://example.test/gallery/p.htm x2",
                                        // the line pass reads the whole line once
                                        "check http://example.test/gallery/x.jpg x1"));
}

TEST(Extractor, SinkFailuresAreLoggedAndTheWalkGoesOn)
{
    ErrorLog::ClearForTest();
    TSinkRecorder sink;
    sink.Recursive = true;
    sink.FailAtCall = 0;
    StartExtractLoop({R"(<a href="p.html"><img src="t.jpg"></a>)", R"("b.jpg")"}, kOrigin, sink);
    EXPECT_THAT(sink.Results(), ElementsAre("QueuePageFetch http://example.test/gallery/p.html 0 (failed)",
                                            "QueuePageFetch http://example.test/gallery/p.html 0",
                                            "AddToListView http://example.test/gallery/b.jpg 0"));
    EXPECT_THAT(ErrorLog::Lines(), ElementsAre("error code : #0017 (CheckHrefForThumbsAndNewPage)"));
    ErrorLog::ClearForTest();
}

}
