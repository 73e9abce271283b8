#include "MessageLog.h"
#include "platform/HostMenu.h"

#include <gtest/gtest.h>

namespace host::test {
namespace {

// A frame with the menu "&Súbor" (open 57601, exit 57665) and the accelerator
// table of the program's shape.
class AcceleratorTest : public ::testing::Test {
protected:
    MessageLog log;
    HWND frame = nullptr;
    HMENU file = nullptr;
    HACCEL table = nullptr;

    void SetUp() override {
        HMENU bar = CreateMenu();
        file = CreatePopupMenu();
        AppendMenu(file, MF_STRING, 57601, "&Načítať...\tCtrl+O");
        AppendMenu(file, MF_STRING, 57665, "&Koniec");
        AppendMenu(bar, MF_POPUP, reinterpret_cast<std::uintptr_t>(file), "&Súbor");
        AppendMenu(bar, MF_STRING, 57664, "Info");
        frame = log.CreateTopLevel();
        SetMenu(frame, bar);
        table = CreateAcceleratorTable({
            {FVIRTKEY | FCONTROL, 'O', 57601},
            {FVIRTKEY | FCONTROL, 'N', 57600},
            {FVIRTKEY | FALT, VK_BACK, 57643},
            {FVIRTKEY | FCONTROL, 'N', 11111}, // shadowed by the first Ctrl+N
            {FVIRTKEY | FSHIFT, VK_F6, 57681},
            {FVIRTKEY, VK_F6, 57680},
            {FVIRTKEY, VK_F1, 57664},
        });
        log.entries.clear();
    }
    void TearDown() override {
        DestroyAcceleratorTable(table);
        DestroyWindow(frame);
        SetKeyState(0);
    }

    BOOL Press(UINT key, UINT keyState, UINT message = WM_KEYDOWN) {
        SetKeyState(keyState);
        MSG msg;
        msg.hwnd = frame;
        msg.message = message;
        msg.wParam = key;
        msg.keyState = keyState;
        return TranslateAccelerator(frame, table, &msg);
    }
    std::vector<UINT> Messages() const {
        std::vector<UINT> messages;
        for (const Logged& entry : log.entries)
            messages.push_back(entry.message);
        return messages;
    }
};

TEST_F(AcceleratorTest, MenuItemGetsPopupUpdateBeforeItsCommand) {
    EXPECT_TRUE(Press('O', MK_CONTROL));
    EXPECT_EQ(Messages(), (std::vector<UINT>{WM_INITMENU, WM_INITMENUPOPUP, WM_COMMAND}));
    EXPECT_EQ(log.entries[1].wParam, reinterpret_cast<WPARAM>(file));
    EXPECT_EQ(log.entries[1].lParam, MAKELPARAM(0, FALSE));
    EXPECT_EQ(log.entries[2].wParam, MAKEWPARAM(57601, 1));
    EXPECT_EQ(log.entries[2].lParam, 0);
}

TEST_F(AcceleratorTest, ItemGrayedByThePopupUpdateIsConsumedWithoutCommand) {
    log.react = [this](HWND, UINT message, WPARAM, LPARAM) -> LRESULT {
        if (message == WM_INITMENUPOPUP)
            EnableMenuItem(file, 57601, MF_BYCOMMAND | MF_GRAYED);
        return -2;
    };
    EXPECT_TRUE(Press('O', MK_CONTROL));
    EXPECT_TRUE(log.Of(WM_COMMAND).empty());
}

TEST_F(AcceleratorTest, CommandOutsideTheMenuIsSentDirectlyAndFirstMatchWins) {
    EXPECT_TRUE(Press('N', MK_CONTROL));
    EXPECT_EQ(Messages(), (std::vector<UINT>{WM_COMMAND}));
    EXPECT_EQ(LOWORD(log.entries[0].wParam), 57600);
}

TEST_F(AcceleratorTest, CommandItemOnTheBarGetsOnlyTheMenuInit) {
    EXPECT_TRUE(Press(VK_F1, 0));
    EXPECT_EQ(Messages(), (std::vector<UINT>{WM_INITMENU, WM_COMMAND}));
}

TEST_F(AcceleratorTest, ModifiersMustMatchExactly) {
    EXPECT_FALSE(Press('O', 0));
    EXPECT_FALSE(Press('O', MK_CONTROL | MK_SHIFT));
    EXPECT_FALSE(Press('O', MK_CONTROL | MK_ALT));
    EXPECT_TRUE(Press(VK_F6, MK_SHIFT));
    EXPECT_EQ(LOWORD(log.Of(WM_COMMAND).back().wParam), 57681);
    EXPECT_TRUE(Press(VK_F6, 0));
    EXPECT_EQ(LOWORD(log.Of(WM_COMMAND).back().wParam), 57680);
    EXPECT_TRUE(Press(VK_BACK, MK_ALT, WM_SYSKEYDOWN));
    EXPECT_EQ(LOWORD(log.Of(WM_COMMAND).back().wParam), 57643);
}

TEST_F(AcceleratorTest, NoMatchOrNotAKeyDownIsNotConsumed) {
    EXPECT_FALSE(Press('Q', MK_CONTROL));
    EXPECT_FALSE(Press('O', MK_CONTROL, WM_KEYUP));
    EXPECT_TRUE(log.entries.empty());
    MSG msg;
    msg.message = WM_KEYDOWN;
    msg.wParam = 'O';
    SetKeyState(MK_CONTROL);
    EXPECT_FALSE(TranslateAccelerator(frame, nullptr, &msg));
    EXPECT_FALSE(TranslateAccelerator(nullptr, table, &msg));
    EXPECT_FALSE(TranslateAccelerator(frame, table, nullptr));
}

} // namespace
} // namespace host::test
