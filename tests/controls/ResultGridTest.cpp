#include "controls/ResultGrid.h"
#include "controls/ResultList.h"
#include "sampleweb/SampleWeb.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace {

// The grid over the result list's rows and selection, fetching from the
// sample web: a few good pictures, a 404 and an HTML page named ".jpg"
// first, then many more rows than the screen holds.
class ResultGridTest : public testing::Test {
protected:
    void SetUp() override
    {
        web.Start();
        const auto at = [&](const std::string& path) { return web.GetAddresses().Expand(path); };
        urls = {at("{SiteA}/gallery/pics/sunset-20000.jpg"), at("{SiteA}/errors/missing.jpg"),
                at("{SiteB}/photos/pics/lake-64000.jpg"), at("{SiteA}/errors/page-as-picture.jpg"),
                at("{SiteB}/types/shapes.png")};
        for (int i = 0; i < 300; ++i)
            urls.push_back(at("{SiteB}/photos/pics/lake-64000.jpg?copy=" + std::to_string(i)));
        list.Rows->NameOf = [&](int row) { return urls[static_cast<size_t>(row)].substr(urls[static_cast<size_t>(row)].rfind('/') + 1); };
        for (size_t i = 0; i < urls.size(); ++i)
            list.Rows->Append(TPictureSize::Unchecked());
        grid = new TResultGrid(list.Rows);
        grid->setSelectionModel(list.selectionModel());
        grid->UrlOf = [&](int row) { return urls[static_cast<size_t>(row)]; };
        grid->Fetches.OnReady = [this, ready = grid->Fetches.OnReady](const std::string& url) {
            mostRunning = std::max(mostRunning, grid->Fetches.Running() + 1); // this one just ended
            ready(url);
        };
        grid->resize(600, 400);
        grid->show();
    }
    void TearDown() override
    {
        delete grid;
        web.Stop();
    }
    TThumbnailCache::TState State(size_t row)
    {
        QImage image;
        return grid->Cache.Find(urls[row], image);
    }
    bool Settled() { return grid->Fetches.Running() == 0 && grid->Fetches.Waiting() == 0; }
    // Whether the row's cell, drawn now, holds a pixel of that colour.
    bool CellShows(int row, const QColor& colour)
    {
        grid->viewport()->repaint();
        const QImage shot = grid->viewport()->grab().toImage();
        const QRect cell = grid->visualRect(list.Rows->index(row, 0));
        for (int y = cell.top(); y <= cell.bottom(); ++y)
            for (int x = cell.left(); x <= cell.right(); ++x)
                if (shot.pixelColor(x, y) == colour)
                    return true;
        return false;
    }

    sampleweb::SampleWeb web;
    std::vector<std::string> urls;
    TResultList list;
    TResultGrid* grid = nullptr;
    size_t mostRunning = 0;
};

TEST_F(ResultGridTest, RowsOnScreenGetThumbnailsOrAMarkAFewFetchesAtATime)
{
    ASSERT_TRUE(WaitUntil([&] { return State(4) != TThumbnailCache::TState::Missing && Settled(); }));
    using enum TThumbnailCache::TState;
    EXPECT_EQ(State(0), Ready);
    EXPECT_EQ(State(1), Failed); // 404
    EXPECT_EQ(State(2), Ready);
    EXPECT_EQ(State(3), Failed); // an HTML page
    EXPECT_EQ(State(4), Ready);
    EXPECT_LE(mostRunning, static_cast<size_t>(TThumbnailFetches::DefaultMaxRunning));
    // Rows below the screen were never fetched.
    EXPECT_LT(grid->Cache.Count(), 100u);
    EXPECT_EQ(State(urls.size() - 1), Missing);

    // The failed picture shows its red mark.
    EXPECT_TRUE(CellShows(1, QColor(200, 0, 0)));

    // Scrolled to the end, the last rows are fetched.
    grid->scrollToBottom();
    EXPECT_TRUE(WaitUntil([&] { return State(urls.size() - 1) == Ready; }));
}

TEST_F(ResultGridTest, SelectionIsTheListsAndANewSearchForgetsThumbnails)
{
    grid->selectionModel()->select(list.Rows->index(2, 0), QItemSelectionModel::Select | QItemSelectionModel::Rows);
    list.SelectRow(4);
    EXPECT_EQ(list.SelectedRows(), (std::vector<int>{2, 4}));
    ASSERT_TRUE(WaitUntil([&] { return State(0) != TThumbnailCache::TState::Missing; }));
    grid->Clear();
    EXPECT_EQ(grid->Cache.Count(), 0u);
    EXPECT_EQ(grid->Fetches.Running(), 0u);
}

// Asked to, the grid fetches every row, a few at a time, and each copy of
// one picture joins its group: its largest (here the first found) marked
// "1 of N" in gold, the rest after it.
TEST_F(ResultGridTest, EveryRowFetchedFindsItsLookAlikes)
{
    grid->FetchEveryRow(true);
    ASSERT_TRUE(WaitUntil(
        [&] { return Settled() && State(urls.size() - 1) != TThumbnailCache::TState::Missing; },
        std::chrono::seconds(60)));
    EXPECT_LE(mostRunning, static_cast<size_t>(TThumbnailFetches::DefaultMaxRunning));
    const int copies = static_cast<int>(urls.size()) - 4;
    EXPECT_EQ(list.Text(2, TResultRows::LookAlikeColumn), QStringLiteral("1 of %1").arg(copies));
    EXPECT_EQ(list.Text(5, TResultRows::LookAlikeColumn), QStringLiteral("2 of %1").arg(copies));
    EXPECT_EQ(grid->LookAlikes.GroupOf(static_cast<int>(urls.size()) - 1), 2);
    for (const int alone : {0, 1, 3, 4})
        EXPECT_EQ(list.Text(alone, TResultRows::LookAlikeColumn), "") << alone;

    grid->scrollToTop();
    EXPECT_TRUE(CellShows(2, QColor(255, 176, 0)));
}

} // namespace
