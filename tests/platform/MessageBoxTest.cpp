#include "HostDialogsTestDriver.h"

#include "platform/DialogText.h"
#include "platform/HostWindow.h"
#include "platform/MessageBoxButtons.h"
#include "platform/MessageBoxIcon.h"
#include "platform/MessageBoxWindow.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <vector>

using namespace host;
using dialogs_test::FindButton;
using dialogs_test::ModalAnswer;
using dialogs_test::PressKey;

namespace {

std::vector<int> Ids(UINT type) {
    std::vector<int> ids;
    for (const MessageBoxButton& button : MessageBoxButtons::For(type))
        ids.push_back(button.id);
    return ids;
}

TEST(MessageBoxButtonsTest, OnlyTheLowBitsChooseTheButtonsAndAnUnknownTypeGetsOk) {
    const UINT type = MB_YESNO | MB_ICONQUESTION | MB_SYSTEMMODAL;
    EXPECT_EQ(Ids(type), (std::vector<int>{IDYES, IDNO}));
    EXPECT_EQ(MessageBoxButtons::EscapeId(type), IDNO);
    EXPECT_EQ(Ids(0x0002), (std::vector<int>{IDOK}));
    EXPECT_EQ(MessageBoxButtons::EscapeId(0x0005), IDOK);
}

// The icon values share bits (exclamation is hand | question), so they must
// be told apart as whole values.
TEST(MessageBoxIconTest, IconValuesThatShareBitsAreToldApart) {
    using Kind = MessageBoxIcon::Kind;
    EXPECT_EQ(MessageBoxIcon::KindFor(MB_OK), Kind::NoIcon);
    EXPECT_EQ(MessageBoxIcon::KindFor(MB_OK | MB_ICONEXCLAMATION), Kind::Exclamation);
    EXPECT_EQ(MessageBoxIcon::KindFor(MB_YESNO | MB_ICONSTOP), Kind::Stop);
    EXPECT_EQ(MessageBoxIcon::KindFor(MB_ICONQUESTION), Kind::Question);
    EXPECT_EQ(MessageBoxIcon::KindFor(MB_ICONASTERISK | MB_SYSTEMMODAL), Kind::Information);
    EXPECT_EQ(MessageBoxIcon::KindFor(0x0050), Kind::NoIcon);
}

class MessageBoxWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        if (!dialogs_test::OpenDialogDisplay())
            GTEST_SKIP() << "no display";
    }

    void TearDown() override {
        if (owner_)
            DestroyWindow(owner_);
    }

    /// Runs a box of type whose answer is given by answer.
    int Ask(UINT type, ModalAnswer::Action answer, HWND owner = nullptr) {
        MessageBoxWindow box("Text", "Kovomodel", type);
        ModalAnswer modal(std::move(answer));
        const int result = box.Run(owner);
        EXPECT_TRUE(modal.Answered());
        return result;
    }

    HWND MakeOwner(int x, int y, int width, int height) {
        CREATESTRUCT cs;
        cs.x = x;
        cs.y = y;
        cs.cx = width;
        cs.cy = height;
        cs.style = WS_OVERLAPPEDWINDOW;
        cs.name = "Owner";
        owner_ = CreateWindow(cs, DefWindowProc, nullptr);
        return owner_;
    }

    HWND owner_ = nullptr;
};

TEST_F(MessageBoxWindowTest, EnterChoosesTheFirstButtonAndEscapeOrCloseTheCancellingOne) {
    struct Case {
        UINT type;
        std::vector<int> buttons;
        int escape;
    };
    const Case cases[] = {{MB_OK, {IDOK}, IDOK},
                          {MB_OKCANCEL, {IDOK, IDCANCEL}, IDCANCEL},
                          {MB_YESNO, {IDYES, IDNO}, IDNO},
                          {MB_YESNOCANCEL, {IDYES, IDNO, IDCANCEL}, IDCANCEL}};
    const auto enter = [](Fl_Window& w) { PressKey(w, FL_Enter); };
    const auto escape = [](Fl_Window& w) { PressKey(w, FL_Escape); };
    const auto close = [](Fl_Window& w) { w.do_callback(); };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.type);
        EXPECT_EQ(Ids(c.type), c.buttons);
        EXPECT_EQ(Ask(c.type, enter), c.buttons.front());
        EXPECT_EQ(Ask(c.type, escape), c.escape);
        EXPECT_EQ(Ask(c.type, close), c.escape);
    }
}

TEST_F(MessageBoxWindowTest, ASystemModalBoxAnswersLikeAnyOther) {
    const UINT type = MB_OKCANCEL | MB_ICONEXCLAMATION | MB_SYSTEMMODAL;
    EXPECT_EQ(Ask(type, [](Fl_Window& w) { PressKey(w, FL_Escape); }), IDCANCEL);
}

int g_shortcutsSeen = 0;
int CountShortcuts(int event) {
    if (event == FL_SHORTCUT)
        ++g_shortcutsSeen;
    return 0;
}

TEST_F(MessageBoxWindowTest, KeysTheBoxDoesNotUseReachNoGlobalHandler) {
    g_shortcutsSeen = 0;
    Fl::add_handler(CountShortcuts);
    const int result = Ask(MB_OKCANCEL, [](Fl_Window& w) {
        PressKey(w, 'o');
        PressKey(w, FL_F + 6);
        PressKey(w, FL_Escape);
    });
    Fl::remove_handler(CountShortcuts);
    EXPECT_EQ(result, IDCANCEL);
    EXPECT_EQ(g_shortcutsSeen, 0);
}

TEST_F(MessageBoxWindowTest, EachButtonAnswersWithItsOwnId) {
    const auto press = [](const char* label) {
        return [label](Fl_Window& w) {
            Fl_Button* button = FindButton(w, label);
            ASSERT_NE(button, nullptr) << label;
            button->do_callback();
        };
    };
    EXPECT_EQ(Ask(MB_YESNOCANCEL, press("No")), IDNO);
    EXPECT_EQ(Ask(MB_YESNOCANCEL, press("Cancel")), IDCANCEL);
    EXPECT_EQ(Ask(MB_OKCANCEL, press("Cancel")), IDCANCEL);
    EXPECT_EQ(Ask(MB_YESNO, press("Yes")), IDYES);
}

TEST_F(MessageBoxWindowTest, EnterPressesTheFocusedButtonWhenTheFocusMoved) {
    const auto tabThenEnter = [](Fl_Window& w) {
        FindButton(w, "No")->take_focus();
        PressKey(w, FL_Enter);
    };
    EXPECT_EQ(Ask(MB_YESNO, tabThenEnter), IDNO);
}

TEST_F(MessageBoxWindowTest, TheFirstButtonHasTheFocus) {
    std::string focused;
    Ask(MB_OKCANCEL, [&](Fl_Window& w) {
        if (Fl::focus() && Fl::focus()->label())
            focused = Fl::focus()->label();
        PressKey(w, FL_Escape);
    });
    EXPECT_EQ(focused, "OK");
}

TEST_F(MessageBoxWindowTest, TheOwnerIsDisabledWhileTheBoxIsUpAndEnabledAfter) {
    HWND owner = MakeOwner(100, 80, 600, 400);
    BOOL enabledDuring = TRUE;
    Ask(
        MB_OK,
        [&](Fl_Window& w) {
            enabledDuring = IsWindowEnabled(owner);
            PressKey(w, FL_Enter);
        },
        owner);
    EXPECT_FALSE(enabledDuring);
    EXPECT_TRUE(IsWindowEnabled(owner));
}

TEST_F(MessageBoxWindowTest, AChildOwnerDisablesItsTopLevelWindow) {
    HWND owner = MakeOwner(100, 80, 600, 400);
    CREATESTRUCT cs;
    cs.hwndParent = owner;
    cs.style = WS_CHILD | WS_VISIBLE;
    cs.x = cs.y = 0;
    cs.cx = cs.cy = 50;
    HWND child = CreateWindow(cs, DefWindowProc, nullptr);
    ASSERT_NE(child, nullptr);
    BOOL enabledDuring = TRUE;
    Ask(
        MB_OK,
        [&](Fl_Window& w) {
            enabledDuring = IsWindowEnabled(owner);
            PressKey(w, FL_Enter);
        },
        child);
    EXPECT_FALSE(enabledDuring);
    EXPECT_TRUE(IsWindowEnabled(owner));
}

TEST_F(MessageBoxWindowTest, ANestedBoxLeavesTheOwnerDisabledUntilTheOuterOneEnds) {
    HWND owner = MakeOwner(100, 80, 600, 400);
    BOOL enabledAfterInner = TRUE;
    int inner = 0;
    bool outerModalAgain = false;
    const int outer = Ask(
        MB_OKCANCEL,
        [&](Fl_Window& outerBox) {
            MessageBoxWindow innerBox("Inner", "Kovomodel", MB_YESNO);
            ModalAnswer answer([](Fl_Window& w) { PressKey(w, FL_Escape); });
            inner = innerBox.Run(owner);
            enabledAfterInner = IsWindowEnabled(owner);
            outerModalAgain = Fl::modal() == &outerBox;
            PressKey(outerBox, FL_Escape);
        },
        owner);
    EXPECT_EQ(inner, IDNO);
    EXPECT_EQ(outer, IDCANCEL);
    EXPECT_FALSE(enabledAfterInner);
    EXPECT_TRUE(outerModalAgain);
    EXPECT_TRUE(IsWindowEnabled(owner));
}

TEST_F(MessageBoxWindowTest, AnOwnerThatWasDisabledStaysDisabled) {
    HWND owner = MakeOwner(100, 80, 600, 400);
    EnableWindow(owner, FALSE);
    Ask(
        MB_OK, [](Fl_Window& w) { PressKey(w, FL_Enter); }, owner);
    EXPECT_FALSE(IsWindowEnabled(owner));
}

TEST_F(MessageBoxWindowTest, AnOwnerDestroyedWhileTheBoxIsUpIsLeftAlone) {
    HWND owner = MakeOwner(100, 80, 600, 400);
    const int result = Ask(
        MB_OKCANCEL,
        [&](Fl_Window& w) {
            DestroyWindow(owner);
            PressKey(w, FL_Escape);
        },
        owner);
    owner_ = nullptr;
    EXPECT_EQ(result, IDCANCEL);
    EXPECT_FALSE(IsWindow(owner));
}

TEST_F(MessageBoxWindowTest, TheBoxIsCentredOverItsOwner) {
    HWND owner = MakeOwner(100, 80, 600, 400);
    RECT area;
    ASSERT_TRUE(GetWindowRect(owner, &area));
    int x = 0, y = 0, w = 0, h = 0;
    Ask(
        MB_OK,
        [&](Fl_Window& box) {
            x = box.x(), y = box.y(), w = box.w(), h = box.h();
            PressKey(box, FL_Enter);
        },
        owner);
    EXPECT_NEAR(x + w / 2, (area.left + area.right) / 2, 1);
    EXPECT_NEAR(y + h / 2, (area.top + area.bottom) / 2, 1);
}

TEST_F(MessageBoxWindowTest, TheTextIsShownLiterallyAndLongTextIsWrapped) {
    const std::string text = "user@host & more: " + std::string(60, 'a') + " " +
                             "the quick brown fox jumps over the lazy dog again and again";
    MessageBoxWindow box(text, "Kovomodel", MB_OK | MB_ICONEXCLAMATION);
    EXPECT_EQ(box.TextWidget().Text(), text);
    EXPECT_EQ(box.Icon().IconKind(), MessageBoxIcon::Kind::Exclamation);
    EXPECT_LE(box.w(), Fl::w());
    EXPECT_GT(box.TextWidget().h(), box.TextWidget().labelsize() * 2) << "wrapped onto lines";
    EXPECT_STREQ(box.label(), "Kovomodel");
}

TEST_F(MessageBoxWindowTest, TheCaptionNamesTheWindowForTheWindowSystem) {
    if (std::system("command -v xdotool >/dev/null 2>&1") != 0)
        GTEST_SKIP() << "xdotool is not installed";
    std::string found;
    MessageBoxWindow box("Text", "Kovomodel", MB_OK);
    ModalAnswer modal([&](Fl_Window& w) {
        Fl::flush();
        if (FILE* pipe = popen("xdotool search --name '^Kovomodel$' 2>/dev/null", "r")) {
            char line[64];
            while (fgets(line, sizeof line, pipe))
                found += line;
            pclose(pipe);
        }
        PressKey(w, FL_Enter);
    });
    box.Run(nullptr);
    EXPECT_FALSE(found.empty());
}

} // namespace
