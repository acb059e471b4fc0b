#include "FormFixture.h"

#include "app/About.h"
#include "app/CallBrowser.h"
#include "controls/UrlLabel.h"

#include <QAction>
#include <QApplication>
#include <QEnterEvent>
#include <QTest>

namespace {

struct THoverCase {
    const char* name;
    TLuminFade* TForm1::*button;
    int32_t blendRate;
    bool dissolves;
};

class Hover : public FormFixture, public ::testing::WithParamInterface<THoverCase> {};

bool SamePixels(const QImage& a, const QImage& b)
{
    return a.convertToFormat(QImage::Format_RGB32) == b.convertToFormat(QImage::Format_RGB32);
}

TEST_P(Hover, EnterShowsTheDimmedPictureAndLeaveTheBrightOne)
{
    CreateForms();
    form->show();
    TLuminFade* button = form->*GetParam().button;
    EXPECT_EQ(button->BlendRate(), GetParam().blendRate);
    EXPECT_FALSE(button->StretchToFit());
    EXPECT_EQ(button->cursor().shape(), Qt::PointingHandCursor);
    const QImage rest = button->Face().copy();
    int begins = 0;
    button->OnBegin = [&] { ++begins; };

    QEnterEvent enter(QPointF(2, 2), QPointF(2, 2), QPointF(2, 2));
    QApplication::sendEvent(button, &enter);
    EXPECT_EQ(begins, 1);
    EXPECT_TRUE(SamePixels(button->Face(), button->Target()));
    EXPECT_FALSE(SamePixels(button->Face(), rest));
    EXPECT_EQ(button->DisolvRate(), GetParam().dissolves ? 500 : 125);

    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(button, &leave);
    EXPECT_TRUE(SamePixels(button->Face(), rest));
}

INSTANTIATE_TEST_SUITE_P(Buttons, Hover, ::testing::Values(
    THoverCase{"LogoButton", &TForm1::LogoButton, 1, true}, THoverCase{"OptionsButton", &TForm1::OptionsButton, 32, false},
    THoverCase{"HomeSiteButton", &TForm1::HomeSiteButton, 32, false}, THoverCase{"TellFriendButton", &TForm1::TellFriendButton, 32, false},
    THoverCase{"AboutButton", &TForm1::AboutButton, 32, false}, THoverCase{"SearchButton", &TForm1::SearchButton, 32, false},
    THoverCase{"AbortButton", &TForm1::AbortButton, 32, false}, THoverCase{"ViewButton", &TForm1::ViewButton, 1, false},
    THoverCase{"SlideShowButton", &TForm1::SlideShowButton, 1, false}, THoverCase{"SaveButton", &TForm1::SaveButton, 1, false},
    THoverCase{"BrowseButton", &TForm1::BrowseButton, 1, false}),
    [](const auto& info) { return std::string(info.param.name); });

using Frame = FormFixture;

TEST_F(Frame, AboutButtonShowsTheAboutBoxModallyUntilOk)
{
    CreateForms();
    form->show();
    ASSERT_EQ(frm_About, &program->about);
    EXPECT_EQ(frm_About->label_Version->text(), "Version X");
    bool shown = false;
    QTimer::singleShot(0, frm_About, [&] {
        shown = frm_About->isVisible() && QApplication::activeModalWidget() == frm_About;
        EXPECT_EQ(frm_About->label_Version->text(), "Version 1.1");
        EXPECT_EQ(frm_About->label_URL->text().toStdString(), HomePageAddress);
        EXPECT_EQ(frm_About->label_URL->URL, HomePageAddress);
        QTest::mouseClick(frm_About->LuminFade1, Qt::LeftButton);
    });
    QTest::mouseClick(form->AboutButton, Qt::LeftButton);
    EXPECT_TRUE(shown);
    EXPECT_FALSE(frm_About->isVisible());
}

TEST_F(Frame, AboutBoxLogoOpensTheHomePageAndCopyTakesTheAddress)
{
    CreateForms();
    EXPECT_EQ(frm_About->windowTitle(), "Glimmerscout");
    EXPECT_EQ(frm_About->size(), QSize(290, 185));
    frm_About->show();
    QTest::mouseClick(frm_About->Image1, Qt::LeftButton);
    EXPECT_EQ(opened, std::vector<std::string>{HomePageAddress});
    frm_About->label_URL->CopyItem()->trigger();
    EXPECT_EQ(Dialogs::ClipboardText(), HomePageAddress);
    frm_About->hide();
}

} // namespace
