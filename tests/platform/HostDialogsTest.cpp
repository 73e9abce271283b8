#include "platform/HostDialogs.h"
#include "platform/HostDisplay.h"

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

TEST_F(HostDialogsHookTest, OnlyTheHooksSetAreUsed) {
    int calls = 0;
    DialogHooks hooks;
    hooks.dialogBox = [&](HWND, const DialogTemplate&) { return ++calls; };
    SetDialogHooks(hooks);
    EXPECT_EQ(DialogBox(nullptr, DialogTemplate()), 1);
    if (HasDisplay())
        return; // the unhooked calls would show real windows
    EXPECT_EQ(MessageBox(nullptr, "text", "caption", MB_YESNOCANCEL), IDYES);
    EXPECT_EQ(calls, 1);
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
