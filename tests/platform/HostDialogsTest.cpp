#include "HostDialogsTestDriver.h"

#include "platform/HostDialogs.h"
#include "platform/HostDisplay.h"
#include "platform/HostQueue.h"
#include "platform/HostWindow.h"

#include <gtest/gtest.h>

#include <string>

using namespace host;

namespace {

class HostDialogsHookTest : public ::testing::Test {
protected:
    void TearDown() override { SetDialogHooks({}); }
};

TEST_F(HostDialogsHookTest, EachCallGoesToItsHookWithItsArguments) {
    const HWND owner = reinterpret_cast<HWND>(0x10);
    std::string seen;
    DialogHooks hooks;
    hooks.messageBox = [&](HWND o, const std::string& text, const std::string& caption, UINT type) {
        EXPECT_EQ(o, owner);
        EXPECT_EQ(type, MB_YESNO | MB_ICONQUESTION);
        seen += text + "|" + caption + ";";
        return IDNO;
    };
    hooks.dialogBox = [&](HWND o, const DialogTemplate& dialog) {
        EXPECT_EQ(o, owner);
        seen += dialog.caption + ";";
        return 42;
    };
    hooks.openFileName = [&](OPENFILENAME& ofn) {
        seen += ofn.title + ";";
        ofn.file = "/tmp/chosen.dat";
        return TRUE;
    };
    SetDialogHooks(hooks);

    EXPECT_EQ(MessageBox(owner, "Save?", "Kovomodel", MB_YESNO | MB_ICONQUESTION), IDNO);
    DialogTemplate about;
    about.caption = "Prezerak - info";
    EXPECT_EQ(DialogBox(owner, about), 42);
    OPENFILENAME ofn;
    ofn.title = "Open";
    EXPECT_TRUE(GetOpenFileName(ofn));
    EXPECT_EQ(ofn.file, "/tmp/chosen.dat");
    EXPECT_EQ(seen, "Save?|Kovomodel;Prezerak - info;Open;");
}

TEST_F(HostDialogsHookTest, AHookMayReplaceTheHooksWhileItRuns) {
    const std::string answer(100, 'y'); // a capture large enough to live on the heap
    DialogHooks hooks;
    hooks.messageBox = [answer](HWND, const std::string&, const std::string&, UINT) {
        SetDialogHooks({});
        return answer.size() == 100 ? IDYES : IDNO;
    };
    SetDialogHooks(hooks);
    EXPECT_EQ(MessageBox(nullptr, "", "", MB_YESNO), IDYES);
}

TEST(HostDialogsWithoutDisplayTest, MessageBoxesAnswerWithTheirFirstButton) {
    if (HasDisplay())
        GTEST_SKIP() << "a display is open";
    EXPECT_EQ(MessageBox(nullptr, "text", "Kovomodel", MB_OK), IDOK);
    EXPECT_EQ(MessageBox(nullptr, "text", "Kovomodel", MB_OKCANCEL), IDOK);
    EXPECT_EQ(MessageBox(nullptr, "text", "Kovomodel", MB_YESNO | MB_ICONQUESTION), IDYES);
    EXPECT_EQ(MessageBox(nullptr, "text", "Kovomodel", MB_YESNOCANCEL), IDYES);
}

TEST(HostDialogsWithoutDisplayTest, DialogsCancelAndTheOpenDialogChoosesNothing) {
    if (HasDisplay())
        GTEST_SKIP() << "a display is open";
    EXPECT_EQ(DialogBox(nullptr, DialogTemplate()), IDCANCEL);
    OPENFILENAME ofn;
    ofn.file = "unchanged";
    EXPECT_FALSE(GetOpenFileName(ofn));
    EXPECT_EQ(ofn.file, "unchanged");
}

} // namespace

namespace {

using dialogs_test::ModalAnswer;
using dialogs_test::PressKey;

class HostDialogsOnDisplayTest : public ::testing::Test {
protected:
    void SetUp() override {
        if (!OpenDisplay())
            GTEST_SKIP() << "no display";
    }
    void TearDown() override {
        if (owner_)
            DestroyWindow(owner_);
    }

    static LRESULT OwnerProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
        if (message == WM_USER)
            ++s_userMessages;
        return DefWindowProc(hwnd, message, wParam, lParam);
    }

    HWND MakeOwner() {
        CREATESTRUCT cs;
        cs.x = 50;
        cs.y = 60;
        cs.cx = 500;
        cs.cy = 300;
        cs.style = WS_OVERLAPPEDWINDOW | WS_VISIBLE;
        cs.name = "Owner";
        owner_ = CreateWindow(cs, OwnerProc, nullptr);
        return owner_;
    }

    static int s_userMessages;
    HWND owner_ = nullptr;
};

int HostDialogsOnDisplayTest::s_userMessages = 0;

TEST_F(HostDialogsOnDisplayTest, MessageBoxAndDialogBoxShowRealWindows) {
    const HWND owner = MakeOwner();
    BOOL enabledDuring = TRUE;
    std::string caption;
    ModalAnswer answer([&](Fl_Window& w) {
        enabledDuring = IsWindowEnabled(owner);
        caption = w.label();
        PressKey(w, FL_Escape);
    });
    EXPECT_EQ(MessageBox(owner, "Save?", "Kovomodel", MB_YESNOCANCEL), IDCANCEL);
    EXPECT_EQ(caption, "Kovomodel");
    EXPECT_FALSE(enabledDuring);
    EXPECT_TRUE(IsWindowEnabled(owner));

    DialogTemplate dialog;
    dialog.caption = "Prezerak - info";
    dialog.cx = 100;
    dialog.cy = 50;
    dialog.controls = {{DialogControl::Kind::DefaultButton, IDOK, 20, 30, 60, 14, "OK"}};
    ModalAnswer enter([](Fl_Window& w) { PressKey(w, FL_Enter); });
    EXPECT_EQ(DialogBox(owner, dialog), IDOK);
}

TEST_F(HostDialogsOnDisplayTest, TheQueueKeepsRunningWhileABoxIsUp) {
    const HWND owner = MakeOwner();
    s_userMessages = 0;
    int seenWhileUp = -1;
    ModalAnswer answer([&](Fl_Window&) {
        PostMessage(owner, WM_USER, 0, 0);
        Fl::add_timeout(
            0.2,
            [](void* data) {
                Fl_Window* box = Fl::modal();
                *static_cast<int*>(data) = s_userMessages;
                if (box)
                    PressKey(*box, FL_Enter);
            },
            &seenWhileUp);
    });
    EXPECT_EQ(MessageBox(owner, "Text", "Kovomodel", MB_OK), IDOK);
    EXPECT_EQ(seenWhileUp, 1);
}

} // namespace
