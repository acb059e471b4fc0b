#include "platform/ComponentException.h"
#include "platform/ui/Dialogs.h"
#include "support/TestSupport.h"

#include <QTimer>
#include <gtest/gtest.h>
#include <vector>

namespace {

TEST(Application, AFailureLeavingAHandlerIsReportedAndTheLoopGoesOn)
{
    std::vector<Dialogs::Request> shown;
    Dialogs::SetResponder([&](const Dialogs::Request& r) {
        shown.push_back(r);
        return Dialogs::Answer{};
    });
    bool later = false;
    QTimer::singleShot(0, [] { throw EComponentException("Unable to write to /x/gs.ini"); });
    QTimer::singleShot(0, [] { throw 42; });
    QTimer::singleShot(1, [&] { later = true; });
    EXPECT_TRUE(WaitUntil([&] { return later; }));
    Dialogs::SetResponder(nullptr);

    ASSERT_EQ(shown.size(), 2u);
    EXPECT_EQ(shown[0].kind, Dialogs::Kind::Error);
    EXPECT_EQ(shown[0].text, "Unable to write to /x/gs.ini");
    EXPECT_EQ(shown[1].text, "Unknown failure");
}

} // namespace
