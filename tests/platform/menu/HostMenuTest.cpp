#include "platform/HostMenu.h"
#include "MessageLog.h"
#include "platform/HostDisplay.h"
#include "platform/menu/MenuLabel.h"

#include <FL/Enumerations.H>
#include <gtest/gtest.h>

namespace host::test {
namespace {

std::uintptr_t Popup(HMENU menu) {
    return reinterpret_cast<std::uintptr_t>(menu);
}

// The ids of a menu's items by position, then one past the end.
std::vector<UINT> Ids(HMENU menu) {
    std::vector<UINT> ids;
    for (int i = 0; i <= GetMenuItemCount(menu); ++i)
        ids.push_back(GetMenuItemID(menu, i));
    return ids;
}

// A bar like the program's: a popup with items, a separator, a nested popup,
// and a command item on the bar itself.
class HostMenuTest : public ::testing::Test {
protected:
    HMENU bar = CreateMenu();
    HMENU file = CreatePopupMenu();
    HMENU nested = CreatePopupMenu();

    void SetUp() override {
        AppendMenu(file, MF_STRING, 57601, "&Načítať...\tCtrl+O");
        AppendMenu(file, MF_SEPARATOR, 0, "");
        AppendMenu(nested, MF_STRING, 32771, "&Body");
        AppendMenu(file, MF_POPUP, Popup(nested), "&Model");
        AppendMenu(file, MF_STRING, 57665, "&Koniec");
        AppendMenu(bar, MF_POPUP, Popup(file), "&Súbor");
        AppendMenu(bar, MF_STRING, 57664, "Info");
    }
    void TearDown() override { DestroyMenu(bar); }
};

TEST_F(HostMenuTest, ItemsByPositionAndByCommandInsidePopups) {
    EXPECT_EQ(Ids(bar), (std::vector<UINT>{kPopupItemId, 57664, kPopupItemId}));
    EXPECT_EQ(Ids(file), (std::vector<UINT>{57601, 0, kPopupItemId, 57665, kPopupItemId}));
    EXPECT_EQ(GetMenuItemID(file, -1), kPopupItemId);
    EXPECT_EQ(GetSubMenu(bar, 0), file);
    EXPECT_EQ(GetSubMenu(file, 0), nullptr);
    EXPECT_EQ(GetMenuString(file, 0, MF_BYPOSITION), "&Načítať...\tCtrl+O");
    EXPECT_EQ(GetMenuString(file, 7, MF_BYPOSITION), "");
    EXPECT_TRUE(GetMenuState(file, 1, MF_BYPOSITION) & MF_SEPARATOR);
    EXPECT_TRUE(GetMenuState(file, 2, MF_BYPOSITION) & MF_POPUP);
    EXPECT_EQ(GetMenuString(bar, 32771, MF_BYCOMMAND), "&Body");
    EXPECT_EQ(GetMenuString(bar, 57665, MF_BYCOMMAND), "&Koniec");
    EXPECT_EQ(GetMenuState(bar, 12345, MF_BYCOMMAND), 0xFFFFFFFFu);
    // Separators have id 0 but are not found as command 0.
    EXPECT_EQ(GetMenuState(bar, 0, MF_BYCOMMAND), 0xFFFFFFFFu);
}

TEST_F(HostMenuTest, InsertAndDeleteByPositionAndCommand) {
    EXPECT_TRUE(InsertMenu(file, 1, MF_BYPOSITION | MF_STRING, 57616, "Recent"));
    EXPECT_TRUE(InsertMenu(file, 99, MF_BYPOSITION | MF_STRING, 1, "last"));
    EXPECT_TRUE(InsertMenu(bar, 32771, MF_BYCOMMAND | MF_STRING, 32772, "&Drôty"));
    EXPECT_FALSE(InsertMenu(bar, 4242, MF_BYCOMMAND | MF_STRING, 2, "nowhere"));
    EXPECT_EQ(Ids(file),
              (std::vector<UINT>{57601, 57616, 0, kPopupItemId, 57665, 1, kPopupItemId}));
    EXPECT_EQ(Ids(nested), (std::vector<UINT>{32772, 32771, kPopupItemId}));

    EXPECT_TRUE(DeleteMenu(bar, 32771, MF_BYCOMMAND));
    EXPECT_TRUE(DeleteMenu(file, 1, MF_BYPOSITION));
    EXPECT_FALSE(DeleteMenu(file, 99, MF_BYPOSITION));
    EXPECT_FALSE(DeleteMenu(bar, 4242, MF_BYCOMMAND));
    EXPECT_EQ(Ids(file), (std::vector<UINT>{57601, 0, kPopupItemId, 57665, 1, kPopupItemId}));
    EXPECT_EQ(Ids(nested), (std::vector<UINT>{32772, kPopupItemId}));
    // Deleting a popup item frees the popup.
    EXPECT_TRUE(DeleteMenu(file, 2, MF_BYPOSITION));
    EXPECT_EQ(GetMenuItemCount(nested), -1);
}

TEST_F(HostMenuTest, EnableGrayAndModify) {
    EXPECT_EQ(EnableMenuItem(bar, 57665, MF_BYCOMMAND | MF_GRAYED | MF_DISABLED), 0u);
    EXPECT_EQ(EnableMenuItem(file, 3, MF_BYPOSITION | MF_ENABLED), MF_GRAYED | MF_DISABLED);
    EXPECT_EQ(GetMenuState(file, 3, MF_BYPOSITION) & (MF_GRAYED | MF_DISABLED), 0u);
    EXPECT_EQ(EnableMenuItem(file, 42, MF_BYPOSITION), 0xFFFFFFFFu);

    EXPECT_TRUE(ModifyMenu(file, 0, MF_BYPOSITION | MF_STRING | MF_GRAYED, 57601, "&Otvoriť"));
    EXPECT_EQ(GetMenuString(file, 0, MF_BYPOSITION), "&Otvoriť");
    EXPECT_EQ(GetMenuState(file, 0, MF_BYPOSITION), MF_GRAYED);
    // Keeping the same popup keeps it alive.
    EXPECT_TRUE(ModifyMenu(file, 2, MF_BYPOSITION | MF_POPUP, Popup(nested), "&Model 2"));
    EXPECT_EQ(GetSubMenu(file, 2), nested);
    EXPECT_EQ(GetMenuItemCount(nested), 1);
    EXPECT_FALSE(ModifyMenu(file, 99, MF_BYPOSITION, 1, "x"));
}

TEST_F(HostMenuTest, APopupHasOneOwnerAndGoesWithIt) {
    EXPECT_FALSE(AppendMenu(bar, MF_POPUP, Popup(nested), "again"));
    EXPECT_FALSE(DestroyMenu(nested));
    HMENU loose = CreatePopupMenu();
    EXPECT_FALSE(AppendMenu(loose, MF_POPUP, Popup(loose), "self"));
    HMENU sub = CreatePopupMenu();
    AppendMenu(loose, MF_POPUP, Popup(sub), "sub");
    EXPECT_TRUE(DestroyMenu(loose));
    EXPECT_EQ(GetMenuItemCount(sub), -1);
    EXPECT_FALSE(DestroyMenu(loose));
    EXPECT_FALSE(AppendMenu(loose, MF_STRING, 1, "gone"));
}

// The menu above on a frame, with an accelerator table of the program's shape.
class AcceleratorTest : public HostMenuTest {
protected:
    MessageLog log;
    HWND frame = log.CreateTopLevel();
    HACCEL table = CreateAcceleratorTable({
        {FVIRTKEY | FCONTROL, 'O', 57601},
        {FVIRTKEY | FCONTROL, 'N', 57600},
        {FVIRTKEY | FALT, VK_BACK, 57643},
        {FVIRTKEY | FCONTROL, 'N', 11111}, // shadowed by the first Ctrl+N
        {FVIRTKEY | FSHIFT, VK_F6, 57681},
        {FVIRTKEY, VK_F6, 57680},
        {FVIRTKEY, VK_F1, 57664},
    });

    void SetUp() override {
        HostMenuTest::SetUp();
        SetMenu(frame, bar);
    }
    void TearDown() override {
        DestroyAcceleratorTable(table);
        DestroyWindow(frame); // takes the menu with it
        SetKeyState(0);
    }

    BOOL Press(UINT key, UINT keyState, UINT message = WM_KEYDOWN) {
        log.entries.clear();
        SetKeyState(keyState);
        MSG msg;
        msg.hwnd = frame;
        msg.message = message;
        msg.wParam = key;
        msg.keyState = keyState;
        return TranslateAccelerator(frame, table, &msg);
    }
};

TEST_F(AcceleratorTest, MenuItemsGetTheirMenuUpdatesBeforeTheCommandOthersOnlyTheCommand) {
    EXPECT_TRUE(Press('O', MK_CONTROL));
    EXPECT_EQ(log.Messages(), (std::vector<UINT>{WM_INITMENU, WM_INITMENUPOPUP, WM_COMMAND}));
    EXPECT_EQ(log.entries[1].wParam, reinterpret_cast<WPARAM>(file));
    EXPECT_EQ(log.entries[1].lParam, MAKELPARAM(0, FALSE));
    EXPECT_EQ(log.entries[2].wParam, MAKEWPARAM(57601, 1));
    EXPECT_EQ(log.entries[2].lParam, 0);

    EXPECT_TRUE(Press(VK_F1, 0)); // an item on the bar itself has no popup
    EXPECT_EQ(log.Messages(), (std::vector<UINT>{WM_INITMENU, WM_COMMAND}));

    EXPECT_TRUE(Press('N', MK_CONTROL)); // in no menu; the first match wins
    EXPECT_EQ(log.Messages(), (std::vector<UINT>{WM_COMMAND}));
    EXPECT_EQ(log.entries[0].wParam, MAKEWPARAM(57600, 1));
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

TEST_F(AcceleratorTest, ModifiersMustMatchExactlyAndOtherwiseNothingIsConsumed) {
    struct Case {
        UINT key, state, message;
        WORD command; // 0: not consumed
    };
    const Case cases[] = {
        {'O', 0, WM_KEYDOWN, 0},
        {'O', MK_CONTROL | MK_SHIFT, WM_KEYDOWN, 0},
        {'O', MK_CONTROL | MK_ALT, WM_KEYDOWN, 0},
        {'O', MK_CONTROL, WM_KEYUP, 0},
        {'Q', MK_CONTROL, WM_KEYDOWN, 0},
        {VK_F6, MK_SHIFT, WM_KEYDOWN, 57681},
        {VK_F6, 0, WM_KEYDOWN, 57680},
        {VK_BACK, MK_ALT, WM_SYSKEYDOWN, 57643},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.key);
        EXPECT_EQ(Press(c.key, c.state, c.message), c.command != 0);
        if (c.command) {
            EXPECT_EQ(LOWORD(log.Of(WM_COMMAND).at(0).wParam), c.command);
        } else {
            EXPECT_TRUE(log.entries.empty());
        }
    }
    MSG msg;
    msg.message = WM_KEYDOWN;
    msg.wParam = 'O';
    SetKeyState(MK_CONTROL);
    EXPECT_FALSE(TranslateAccelerator(frame, nullptr, &msg));
    EXPECT_FALSE(TranslateAccelerator(nullptr, table, &msg));
    EXPECT_FALSE(TranslateAccelerator(frame, table, nullptr));
}

TEST(MenuLabelTest, ShortcutTextsAndLabels) {
    const std::pair<const char*, int> shortcuts[] = {
        {"Shift+Del", FL_SHIFT + FL_Delete},
        {"Alt+Backspace", FL_ALT + FL_BackSpace},
        {"Shift+F6", FL_SHIFT + FL_F + 6},
        {"ctrl+shift+n", FL_CTRL + FL_SHIFT + 'n'},
    };
    for (const auto& [text, shortcut] : shortcuts)
        EXPECT_EQ(MenuLabel::ParseShortcut(text), shortcut) << text;
    for (const char* unknown : {"", "Hyper+O", "Ctrl+", "F13", "Ctrl+PageWhere"})
        EXPECT_EQ(MenuLabel::ParseShortcut(unknown), 0) << unknown;
    EXPECT_EQ(MenuLabel::Parse("a@b").label, "a@@b"); // not a toolkit symbol
}

TEST(MenuFontTest, PreparingTheFontWithoutADisplayOpensNone) {
    // Start-up may prepare it before it knows a display is there.
    PrepareMenuFont();
    EXPECT_FALSE(HasDisplay());
}

} // namespace
} // namespace host::test
