#include "platform/MenuLabel.h"

#include <FL/Enumerations.H>
#include <gtest/gtest.h>

namespace host::test {
namespace {

TEST(MenuLabelTest, ShortcutTextsOfTheProgramsMenus) {
    EXPECT_EQ(MenuLabel::ParseShortcut("Ctrl+O"), FL_CTRL + 'o');
    EXPECT_EQ(MenuLabel::ParseShortcut("Shift+Del"), FL_SHIFT + FL_Delete);
    EXPECT_EQ(MenuLabel::ParseShortcut("Alt+Backspace"), FL_ALT + FL_BackSpace);
    EXPECT_EQ(MenuLabel::ParseShortcut("Ctrl+Insert"), FL_CTRL + FL_Insert);
    EXPECT_EQ(MenuLabel::ParseShortcut("Shift+F6"), FL_SHIFT + FL_F + 6);
    EXPECT_EQ(MenuLabel::ParseShortcut("ctrl+shift+n"), FL_CTRL + FL_SHIFT + 'n');
}

TEST(MenuLabelTest, UnknownShortcutTextsShowNothing) {
    EXPECT_EQ(MenuLabel::ParseShortcut(""), 0);
    EXPECT_EQ(MenuLabel::ParseShortcut("Hyper+O"), 0);
    EXPECT_EQ(MenuLabel::ParseShortcut("Ctrl+"), 0);
    EXPECT_EQ(MenuLabel::ParseShortcut("F13"), 0);
    EXPECT_EQ(MenuLabel::ParseShortcut("Ctrl+PageWhere"), 0);
}

TEST(MenuLabelTest, LabelKeepsMnemonicAndEscapesToolkitSymbols) {
    const MenuLabel open = MenuLabel::Parse("&Načítať...\tCtrl+O");
    EXPECT_EQ(open.label, "&Načítať...");
    EXPECT_EQ(open.shortcut, FL_CTRL + 'o');
    const MenuLabel mail = MenuLabel::Parse("a@b");
    EXPECT_EQ(mail.label, "a@@b");
    EXPECT_EQ(mail.shortcut, 0);
    EXPECT_EQ(MenuLabel::Parse("Info").label, "Info");
}

} // namespace
} // namespace host::test
