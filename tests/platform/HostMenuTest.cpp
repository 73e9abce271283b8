#include "platform/HostMenu.h"

#include <gtest/gtest.h>

namespace host::test {
namespace {

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
        AppendMenu(file, MF_POPUP, reinterpret_cast<std::uintptr_t>(nested), "&Model");
        AppendMenu(file, MF_STRING, 57665, "&Koniec");
        AppendMenu(bar, MF_POPUP, reinterpret_cast<std::uintptr_t>(file), "&Súbor");
        AppendMenu(bar, MF_STRING, 57664, "Info");
    }
    void TearDown() override { DestroyMenu(bar); }
};

TEST_F(HostMenuTest, ItemsByPosition) {
    EXPECT_EQ(GetMenuItemCount(bar), 2);
    EXPECT_EQ(GetSubMenu(bar, 0), file);
    EXPECT_EQ(GetMenuItemID(bar, 0), kPopupItemId);
    EXPECT_EQ(GetMenuItemID(bar, 1), 57664u);
    EXPECT_EQ(GetMenuItemID(file, 1), 0u);
    EXPECT_EQ(GetMenuItemID(file, 9), kPopupItemId);
    EXPECT_EQ(GetMenuItemID(file, -1), kPopupItemId);
    EXPECT_EQ(GetSubMenu(file, 0), nullptr);
    EXPECT_EQ(GetMenuString(bar, 0, MF_BYPOSITION), "&Súbor");
    EXPECT_EQ(GetMenuString(file, 0, MF_BYPOSITION), "&Načítať...\tCtrl+O");
    EXPECT_EQ(GetMenuString(file, 7, MF_BYPOSITION), "");
    EXPECT_TRUE(GetMenuState(file, 1, MF_BYPOSITION) & MF_SEPARATOR);
    EXPECT_TRUE(GetMenuState(file, 2, MF_BYPOSITION) & MF_POPUP);
}

TEST_F(HostMenuTest, ByCommandSearchesPopups) {
    EXPECT_EQ(GetMenuString(bar, 32771, MF_BYCOMMAND), "&Body");
    EXPECT_EQ(GetMenuString(bar, 57665, MF_BYCOMMAND), "&Koniec");
    EXPECT_EQ(GetMenuState(bar, 12345, MF_BYCOMMAND), 0xFFFFFFFFu);
    // Separators have id 0 but are not found as command 0.
    EXPECT_EQ(GetMenuState(bar, 0, MF_BYCOMMAND), 0xFFFFFFFFu);
}

TEST_F(HostMenuTest, InsertAndDeleteByPositionAndCommand) {
    EXPECT_TRUE(InsertMenu(file, 1, MF_BYPOSITION | MF_STRING, 57616, "Recent"));
    EXPECT_EQ(GetMenuItemID(file, 1), 57616u);
    EXPECT_TRUE(InsertMenu(bar, 32771, MF_BYCOMMAND | MF_STRING, 32772, "&Drôty"));
    EXPECT_EQ(GetMenuItemID(nested, 0), 32772u);
    EXPECT_EQ(GetMenuItemID(nested, 1), 32771u);
    EXPECT_TRUE(InsertMenu(file, 99, MF_BYPOSITION | MF_STRING, 1, "last"));
    EXPECT_EQ(GetMenuItemID(file, GetMenuItemCount(file) - 1), 1u);
    EXPECT_FALSE(InsertMenu(bar, 4242, MF_BYCOMMAND | MF_STRING, 2, "nowhere"));

    EXPECT_TRUE(DeleteMenu(bar, 32771, MF_BYCOMMAND));
    EXPECT_EQ(GetMenuItemCount(nested), 1);
    EXPECT_TRUE(DeleteMenu(file, 1, MF_BYPOSITION));
    EXPECT_EQ(GetMenuState(bar, 57616, MF_BYCOMMAND), 0xFFFFFFFFu);
    EXPECT_FALSE(DeleteMenu(file, 99, MF_BYPOSITION));
    EXPECT_FALSE(DeleteMenu(bar, 4242, MF_BYCOMMAND));
}

TEST_F(HostMenuTest, DeletingAPopupItemFreesThePopup) {
    EXPECT_TRUE(DeleteMenu(file, 2, MF_BYPOSITION));
    EXPECT_EQ(GetMenuItemCount(nested), -1);
    EXPECT_EQ(GetMenuState(bar, 32771, MF_BYCOMMAND), 0xFFFFFFFFu);
}

TEST_F(HostMenuTest, EnableAndGrayReturnThePreviousState) {
    EXPECT_EQ(EnableMenuItem(bar, 57665, MF_BYCOMMAND | MF_GRAYED | MF_DISABLED), 0u);
    EXPECT_EQ(EnableMenuItem(file, 3, MF_BYPOSITION | MF_ENABLED), MF_GRAYED | MF_DISABLED);
    EXPECT_EQ(GetMenuState(file, 3, MF_BYPOSITION) & (MF_GRAYED | MF_DISABLED), 0u);
    EXPECT_EQ(EnableMenuItem(file, 42, MF_BYPOSITION), 0xFFFFFFFFu);
}

TEST_F(HostMenuTest, ModifyReplacesTextAndStateByPosition) {
    EXPECT_TRUE(ModifyMenu(file, 0, MF_BYPOSITION | MF_STRING | MF_GRAYED, 57601, "&Otvoriť"));
    EXPECT_EQ(GetMenuString(file, 0, MF_BYPOSITION), "&Otvoriť");
    EXPECT_EQ(GetMenuState(file, 0, MF_BYPOSITION), MF_GRAYED);
    EXPECT_EQ(GetMenuItemID(file, 0), 57601u);
    // Keeping the same popup keeps it alive.
    EXPECT_TRUE(ModifyMenu(file, 2, MF_BYPOSITION | MF_POPUP,
                           reinterpret_cast<std::uintptr_t>(nested), "&Model 2"));
    EXPECT_EQ(GetSubMenu(file, 2), nested);
    EXPECT_EQ(GetMenuItemCount(nested), 1);
    EXPECT_FALSE(ModifyMenu(file, 99, MF_BYPOSITION, 1, "x"));
}

TEST_F(HostMenuTest, PopupOwnershipIsSingle) {
    // A popup already held by an item can neither be appended again nor
    // destroyed on its own; a menu cannot hold itself.
    EXPECT_FALSE(AppendMenu(bar, MF_POPUP, reinterpret_cast<std::uintptr_t>(nested), "again"));
    EXPECT_FALSE(DestroyMenu(nested));
    HMENU loose = CreatePopupMenu();
    EXPECT_FALSE(AppendMenu(loose, MF_POPUP, reinterpret_cast<std::uintptr_t>(loose), "self"));
    EXPECT_TRUE(DestroyMenu(loose));
    EXPECT_FALSE(DestroyMenu(loose));
    EXPECT_EQ(GetMenuItemCount(loose), -1);
    EXPECT_FALSE(AppendMenu(loose, MF_STRING, 1, "gone"));
}

TEST_F(HostMenuTest, DestroyFreesPopupsToo) {
    HMENU other = CreateMenu();
    HMENU sub = CreatePopupMenu();
    AppendMenu(other, MF_POPUP, reinterpret_cast<std::uintptr_t>(sub), "sub");
    EXPECT_TRUE(DestroyMenu(other));
    EXPECT_EQ(GetMenuItemCount(sub), -1);
}

} // namespace
} // namespace host::test
