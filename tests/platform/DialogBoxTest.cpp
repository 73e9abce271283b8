#include "HostDialogsTestDriver.h"

#include "platform/DialogPlacement.h"
#include "platform/DialogText.h"
#include "platform/DialogUnits.h"
#include "platform/DialogWindow.h"
#include "platform/HostWindow.h"

#include <FL/Fl_Return_Button.H>
#include <gtest/gtest.h>

using namespace host;
using dialogs_test::FindButton;
using dialogs_test::ModalAnswer;
using dialogs_test::PressKey;

namespace {

TEST(DialogUnitsTest, ConvertsWithTheFontsAverageWidthAndHeightRoundingHalvesAway) {
    const DialogUnits units(6, 13);
    EXPECT_EQ(units.ToPixelsX(217), 326); // 325.5
    EXPECT_EQ(units.ToPixelsY(81), 132);  // 131.625
    EXPECT_EQ(units.ToPixelsX(81), 122);  // 121.5
    EXPECT_EQ(units.ToPixelsY(60), 98);   // 97.5
    EXPECT_EQ(units.ToPixelsX(4), 6);
    EXPECT_EQ(units.ToPixelsY(0), 0);
    EXPECT_EQ(units.ToPixelsX(-1), -2); // -1.5, away from zero
    EXPECT_EQ(units.ToPixelsY(-3), -5); // -4.875
}

TEST(DialogUnitsTest, DegenerateBasesAndFontSizesAreRaisedToUsableOnes) {
    const DialogUnits units(0, -4);
    EXPECT_EQ(units.BaseX(), 1);
    EXPECT_EQ(units.BaseY(), 1);
    EXPECT_EQ(DialogUnits::PixelSizeForPoints(8), 11);
    EXPECT_EQ(DialogUnits::PixelSizeForPoints(12), 16);
    EXPECT_EQ(DialogUnits::PixelSizeForPoints(0), 11);
    EXPECT_EQ(DialogUnits::PixelSizeForPoints(-5), 11);
}

TEST(DialogPlacementTest, CentresOverTheAreaAndKeepsTheWindowOnTheScreen) {
    const RECT screen{0, 0, 1280, 1024};
    const POINT centred = DialogPlacement::CentreOver({100, 80, 700, 480}, 200, 100, screen);
    EXPECT_EQ(centred.x, 300);
    EXPECT_EQ(centred.y, 230);

    const POINT nearEdge = DialogPlacement::CentreOver({1200, 1000, 1400, 1100}, 300, 200, screen);
    EXPECT_EQ(nearEdge.x, 980);
    EXPECT_EQ(nearEdge.y, 824);

    const POINT offLeft = DialogPlacement::CentreOver({-500, -300, -100, -100}, 300, 200, screen);
    EXPECT_EQ(offLeft.x, 0);
    EXPECT_EQ(offLeft.y, 0);

    const POINT tooLarge = DialogPlacement::CentreOver({0, 0, 100, 100}, 2000, 2000, screen);
    EXPECT_EQ(tooLarge.x, 0) << "the caption stays reachable";
    EXPECT_EQ(tooLarge.y, 0);
}

DialogTemplate AboutTemplate() {
    DialogTemplate about;
    about.caption = "Prezerak - info";
    about.fontName = "MS Sans Serif";
    about.pointSize = 8;
    about.cx = 217;
    about.cy = 81;
    using Kind = DialogControl::Kind;
    about.controls = {
        {Kind::DefaultButton, IDOK, 81, 60, 60, 14, "OK"},
        {Kind::TextCentered, -1, 13, 15, 197, 10, "Prezerak - jednoduchý prehliadač 3D objektov:"},
        {Kind::TextLeft, -1, 47, 24, 152, 9, "- podporuje zatiaľ len dodané \".dat\" súbory"},
        {Kind::TextCentered, -1, 31, 44, 159, 8, "Autor: Kovo"},
        {Kind::TextLeft, -1, 47, 32, 112, 8, "- používa OpenGL knižnice"},
    };
    return about;
}

class DialogWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        if (!dialogs_test::OpenDialogDisplay())
            GTEST_SKIP() << "no display";
    }

    void TearDown() override {
        if (owner_)
            DestroyWindow(owner_);
    }

    int Run(const DialogTemplate& dialog, ModalAnswer::Action answer, HWND owner = nullptr) {
        DialogWindow window(dialog);
        ModalAnswer modal(std::move(answer));
        const int result = window.Run(owner, false);
        EXPECT_TRUE(modal.Answered());
        return result;
    }

    HWND owner_ = nullptr;
};

TEST_F(DialogWindowTest, TheSansSerifDialogFontGivesPlausibleBaseUnits) {
    const DialogWindow window(AboutTemplate());
    EXPECT_EQ(window.FontSize(), 11);
    EXPECT_GE(window.Units().BaseX(), 5);
    EXPECT_LE(window.Units().BaseX(), 8);
    EXPECT_GE(window.Units().BaseY(), 11);
    EXPECT_LE(window.Units().BaseY(), 16);
}

TEST_F(DialogWindowTest, SizesAndPlacesTheAboutDialogInDialogUnits) {
    const DialogWindow window(AboutTemplate());
    const DialogUnits& units = window.Units();
    EXPECT_EQ(window.w(), units.ToPixelsX(217));
    EXPECT_EQ(window.h(), units.ToPixelsY(81));
    EXPECT_STREQ(window.label(), "Prezerak - info");

    ASSERT_EQ(window.children(), 5);
    const Fl_Widget* ok = window.child(0);
    EXPECT_NE(dynamic_cast<const Fl_Return_Button*>(ok), nullptr);
    EXPECT_EQ(ok->x(), units.ToPixelsX(81));
    EXPECT_EQ(ok->y(), units.ToPixelsY(60));
    EXPECT_EQ(ok->w(), units.ToPixelsX(60));
    EXPECT_EQ(ok->h(), units.ToPixelsY(14));

    const auto* author = dynamic_cast<const DialogText*>(window.child(3));
    ASSERT_NE(author, nullptr);
    EXPECT_EQ(author->Text(), "Autor: Kovo");
    EXPECT_EQ(author->y(), units.ToPixelsY(44));
    EXPECT_FALSE(author->align() & (FL_ALIGN_LEFT | FL_ALIGN_RIGHT)) << "centred";
    const auto* openGl = dynamic_cast<const DialogText*>(window.child(4));
    ASSERT_NE(openGl, nullptr);
    EXPECT_EQ(openGl->Text(), "- používa OpenGL knižnice");
    EXPECT_TRUE(openGl->align() & FL_ALIGN_LEFT);
    EXPECT_EQ(openGl->labelsize(), 11);
}

TEST_F(DialogWindowTest, TheDefaultButtonHasTheFocusAndEnterPressesIt) {
    std::string focused;
    const int result = Run(AboutTemplate(), [&](Fl_Window& w) {
        if (Fl::focus() && Fl::focus()->label())
            focused = Fl::focus()->label();
        PressKey(w, FL_Enter);
    });
    EXPECT_EQ(result, IDOK);
    EXPECT_EQ(focused, "OK");
}

TEST_F(DialogWindowTest, EscapeAndTheCloseBoxCancel) {
    EXPECT_EQ(Run(AboutTemplate(), [](Fl_Window& w) { PressKey(w, FL_Escape); }), IDCANCEL);
    EXPECT_EQ(Run(AboutTemplate(), [](Fl_Window& w) { w.do_callback(); }), IDCANCEL);
}

TEST_F(DialogWindowTest, AButtonEndsTheDialogWithItsId) {
    DialogTemplate dialog = AboutTemplate();
    dialog.controls.push_back({DialogControl::Kind::Button, 42, 150, 60, 60, 14, "More"});
    const auto press = [](Fl_Window& w) { FindButton(w, "More")->do_callback(); };
    EXPECT_EQ(Run(dialog, press), 42);
}

TEST_F(DialogWindowTest, TheOwnerIsDisabledCentredUponAndEnabledAfter) {
    CREATESTRUCT cs;
    cs.x = 200;
    cs.y = 100;
    cs.cx = 640;
    cs.cy = 480;
    cs.style = WS_OVERLAPPEDWINDOW;
    owner_ = CreateWindow(cs, DefWindowProc, nullptr);
    RECT area;
    ASSERT_TRUE(GetWindowRect(owner_, &area));
    BOOL enabledDuring = TRUE;
    int centreX = 0, centreY = 0;
    Run(
        AboutTemplate(),
        [&](Fl_Window& w) {
            enabledDuring = IsWindowEnabled(owner_);
            centreX = w.x() + w.w() / 2;
            centreY = w.y() + w.h() / 2;
            PressKey(w, FL_Enter);
        },
        owner_);
    EXPECT_FALSE(enabledDuring);
    EXPECT_TRUE(IsWindowEnabled(owner_));
    EXPECT_NEAR(centreX, (area.left + area.right) / 2, 1);
    EXPECT_NEAR(centreY, (area.top + area.bottom) / 2, 1);
}

TEST_F(DialogWindowTest, AnEmptyTemplateStillMakesAWindowThatEscapeCloses) {
    bool shownAfterEnter = false;
    const int result = Run(DialogTemplate(), [&](Fl_Window& w) {
        EXPECT_GE(w.w(), 1);
        EXPECT_GE(w.h(), 1);
        PressKey(w, FL_Enter);
        shownAfterEnter = w.shown();
        PressKey(w, FL_Escape);
    });
    EXPECT_TRUE(shownAfterEnter) << "without a default button Enter does nothing";
    EXPECT_EQ(result, IDCANCEL);
}

} // namespace
