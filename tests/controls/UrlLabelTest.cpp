#include "controls/UrlLabel.h"
#include "platform/ui/Dialogs.h"
#include "platform/ui/Shell.h"

#include <QAction>
#include <QApplication>
#include <QMouseEvent>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

void Mouse(QWidget* w, QEvent::Type type, Qt::MouseButton button)
{
    QMouseEvent e(type, QPointF(2, 2), w->mapToGlobal(QPointF(2, 2)), button,
                  type == QEvent::MouseButtonPress ? button : Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(w, &e);
}

struct TClickCase {
    std::string url;
    std::string text;
    std::vector<std::string> opened;
};

class UrlLabelClick : public ::testing::TestWithParam<TClickCase> {
protected:
    void SetUp() override
    {
        SetShellOpener([this](const std::string& a) {
            events.push_back("open " + a);
            return true;
        });
    }
    void TearDown() override { SetShellOpener(nullptr); }
    std::vector<std::string> events;
};

TEST_P(UrlLabelClick, OpensTheUrlElseTheTextAsItStands)
{
    const TClickCase c = GetParam();
    TUrlLabel label;
    label.resize(100, 20);
    label.URL = c.url;
    label.setText(QString::fromStdString(c.text));
    label.OnClick = [this] { events.push_back("click"); };
    Mouse(&label, QEvent::MouseButtonPress, Qt::LeftButton);
    Mouse(&label, QEvent::MouseButtonRelease, Qt::LeftButton);
    std::vector<std::string> expected{"click"};
    for (const std::string& a : c.opened)
        expected.push_back("open " + a);
    EXPECT_EQ(events, expected);
}

INSTANTIATE_TEST_SUITE_P(Cases, UrlLabelClick, ::testing::Values(
    TClickCase{"http://a.example/", "shown", {"http://a.example/"}},
    TClickCase{"", "http://b.example/", {"http://b.example/"}},
    TClickCase{"   ", " http://c.example/ ", {" http://c.example/ "}},
    TClickCase{"", "   ", {}},
    TClickCase{" ", "", {}}));

TEST(UrlLabel, IsPurpleOnlyWhileTheLeftButtonIsHeld)
{
    TUrlLabel label;
    EXPECT_EQ(label.FontColor(), QColor(0, 0, 255));
    EXPECT_TRUE(label.font().underline());
    EXPECT_EQ(label.cursor().shape(), Qt::PointingHandCursor);
    label.SetFontColor(Qt::cyan);
    Mouse(&label, QEvent::MouseButtonPress, Qt::RightButton);
    EXPECT_EQ(label.FontColor(), QColor(Qt::cyan));
    Mouse(&label, QEvent::MouseButtonRelease, Qt::RightButton);
    Mouse(&label, QEvent::MouseButtonPress, Qt::LeftButton);
    EXPECT_EQ(label.FontColor(), QColor(0x80, 0x00, 0x80));
    Mouse(&label, QEvent::MouseButtonRelease, Qt::LeftButton);
    EXPECT_EQ(label.FontColor(), QColor(Qt::cyan));
}

TEST(UrlLabel, CopyPutsTheShownTextOnTheClipboard)
{
    TUrlLabel label;
    label.setText("shown text");
    label.URL = "http://elsewhere.example/";
    ASSERT_EQ(label.CopyItem()->text(), "Copy");
    label.CopyItem()->trigger();
    EXPECT_EQ(Dialogs::ClipboardText(), "shown text");
}

} // namespace
