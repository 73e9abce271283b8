#include "app/AppResources.h"

#include "app/Resource.h"
#include "framework/ResourceRegistry.h"
#include "platform/HostMenu.h"
#include "platform/HostQueue.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

namespace {

std::vector<std::string> Fields(const std::string& text) {
    std::vector<std::string> fields;
    std::istringstream in(text);
    for (std::string field; std::getline(in, field, '\n');) {
        fields.push_back(field);
    }
    return fields;
}

std::string Describe(const MenuResourceItem& e) {
    if (e.flags & host::MF_SEPARATOR) {
        return "---";
    }
    std::string text = e.text + " " + std::to_string(e.id);
    if (e.flags & host::MF_GRAYED) {
        text += " grayed";
    }
    return text;
}

std::vector<std::string> Describe(const std::vector<MenuResourceItem>& entries) {
    std::vector<std::string> out;
    for (const MenuResourceItem& e : entries) {
        out.push_back(Describe(e));
    }
    return out;
}

} // namespace

TEST(AppResourcesTest, MenuBarHasThreePopupsThenInfoAsACommand) {
    const std::vector<MenuResourceItem> bar = MainMenuEntries();
    ASSERT_EQ(bar.size(), 4u);
    EXPECT_EQ(bar[0].text, "&Dáta...");
    EXPECT_EQ(bar[1].text, "Model...");
    EXPECT_EQ(bar[2].text, "Tónovanie...");
    for (int i = 0; i < 3; ++i) {
        EXPECT_TRUE(bar[i].flags & host::MF_POPUP) << bar[i].text;
    }
    EXPECT_EQ(bar[3].text, "Info");
    EXPECT_EQ(bar[3].id, ID_APP_ABOUT);
    EXPECT_FALSE(bar[3].flags & host::MF_POPUP);
    EXPECT_TRUE(bar[3].children.empty());
}

TEST(AppResourcesTest, PopupItemsAreExactInOrderAndOnlyThePlaceholderIsGrayed) {
    const std::vector<MenuResourceItem> bar = MainMenuEntries();
    EXPECT_EQ(
        Describe(bar[0].children),
        (std::vector<std::string>{"&Načítať...\tCtrl+O 57601", "---", "Recent File 57616 grayed",
                                  "aj objekty v strede? 32771", "---", "&Koniec 57665"}));
    EXPECT_EQ(Describe(bar[1].children),
              (std::vector<std::string>{"Bodový 32772", "Drôtený 32773", "Stenový 32774"}));
    EXPECT_EQ(Describe(bar[2].children),
              (std::vector<std::string>{"Konštantné 32775", "Hladké 32776"}));
    for (const MenuResourceItem& popup : bar) {
        for (const MenuResourceItem& item : popup.children) {
            EXPECT_FALSE(item.flags & host::MF_CHECKED) << item.text;
        }
    }
}

TEST(AppResourcesTest, AcceleratorsAreTheThirteenBindingsInOrder) {
    using namespace host;
    struct Expected {
        BYTE modifiers;
        WORD key;
        WORD command;
    };
    const Expected expected[] = {
        {FCONTROL, 'N', 57600},       {FCONTROL, 'O', 57601},     {FCONTROL, 'S', 57603},
        {FCONTROL, 'Z', 57643},       {FCONTROL, 'X', 57635},     {FCONTROL, 'C', 57634},
        {FCONTROL, 'V', 57637},       {FALT, VK_BACK, 57643},     {FSHIFT, VK_DELETE, 57635},
        {FCONTROL, VK_INSERT, 57634}, {FSHIFT, VK_INSERT, 57637}, {0, VK_F6, 57680},
        {FSHIFT, VK_F6, 57681},
    };
    const std::vector<ACCEL> table = MainAccelerators();
    ASSERT_EQ(table.size(), 13u);
    for (std::size_t i = 0; i < table.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(table[i].fVirt, FVIRTKEY | expected[i].modifiers);
        EXPECT_EQ(table[i].key, expected[i].key);
        EXPECT_EQ(table[i].cmd, expected[i].command);
    }
}

TEST(AppResourcesTest, AboutDialogHasItsCaptionFontSizeAndControlsInTabOrder) {
    using Kind = host::DialogControl::Kind;
    const host::DialogTemplate dialog = AboutDialogTemplate();
    EXPECT_EQ(dialog.caption, "Prezerak - info");
    EXPECT_EQ(dialog.fontName, "MS Sans Serif");
    EXPECT_EQ(dialog.pointSize, 8);
    EXPECT_EQ(dialog.cx, 217);
    EXPECT_EQ(dialog.cy, 81);
    ASSERT_EQ(dialog.controls.size(), 5u);

    const host::DialogControl& ok = dialog.controls[0];
    EXPECT_EQ(ok.kind, Kind::DefaultButton); // first and default: Enter closes the dialog
    EXPECT_EQ(ok.id, 1);
    EXPECT_EQ(ok.text, "OK");
    EXPECT_EQ((std::vector<int>{ok.x, ok.y, ok.cx, ok.cy}), (std::vector<int>{81, 60, 60, 14}));

    struct Line {
        Kind kind;
        int x, y, cx, cy;
        const char* text;
    };
    const Line lines[] = {
        {Kind::TextCentered, 13, 15, 197, 10, "Prezerak - jednoduchý prehliadač 3D objektov:"},
        {Kind::TextLeft, 47, 24, 152, 9, "- podporuje zatiaľ len dodané \".dat\" súbory"},
        {Kind::TextCentered, 31, 44, 159, 8, nullptr}, // the author line
        {Kind::TextLeft, 47, 32, 112, 8, "- používa OpenGL knižnice"},
    };
    for (int i = 0; i < 4; ++i) {
        SCOPED_TRACE(i);
        const host::DialogControl& c = dialog.controls[i + 1];
        EXPECT_EQ(c.kind, lines[i].kind);
        EXPECT_EQ(c.id, -1);
        EXPECT_EQ((std::vector<int>{c.x, c.y, c.cx, c.cy}),
                  (std::vector<int>{lines[i].x, lines[i].y, lines[i].cx, lines[i].cy}));
        if (lines[i].text != nullptr) {
            EXPECT_EQ(c.text, lines[i].text);
        }
    }
    EXPECT_EQ(dialog.controls[3].text.rfind("Autor: ", 0), 0u);
    EXPECT_GT(dialog.controls[3].text.size(), 7u) << "the author is named";
}

TEST(AppResourcesTest, DocumentStringHasSevenFieldsAndTitle) {
    EXPECT_STREQ(kAppTitle, "Kovomodel");
    const std::vector<std::string> fields = Fields(kDocumentString);
    EXPECT_EQ(fields, (std::vector<std::string>{"Kovomodel", "", "Kovomo", "", "",
                                                "Kovomodel.Document", "Kovomo Document"}));
}

TEST(AppResourcesTest, RegisteredResourcesLoadByTheirIds) {
    RegisterAppResources();
    EXPECT_EQ(ResourceRegistry::LoadString(128), kDocumentString);
    EXPECT_EQ(ResourceRegistry::LoadString(57344), "Kovomodel");
    ASSERT_NE(ResourceRegistry::FindDialog(100), nullptr);
    EXPECT_EQ(ResourceRegistry::FindDialog(100)->caption, "Prezerak - info");
    ASSERT_NE(ResourceRegistry::FindIcon(128), nullptr);
    EXPECT_EQ(ResourceRegistry::FindIcon(128)->size(), 2u);
    host::HACCEL table = ResourceRegistry::LoadAccelerators(128);
    EXPECT_NE(table, nullptr);
    host::DestroyAcceleratorTable(table);

    host::HMENU bar = ResourceRegistry::LoadMenu(128);
    ASSERT_NE(bar, nullptr);
    ASSERT_EQ(host::GetMenuItemCount(bar), 4);
    EXPECT_EQ(host::GetMenuItemID(bar, 3), ID_APP_ABOUT) << "Info is a command on the bar";
    host::HMENU data = host::GetSubMenu(bar, 0);
    ASSERT_NE(data, nullptr);
    ASSERT_EQ(host::GetMenuItemCount(data), 6);
    const host::UINT ids[] = {57601, 0, 57616, 32771, 0, 57665};
    for (int i = 0; i < 6; ++i) {
        EXPECT_EQ(host::GetMenuItemID(data, i), ids[i]) << i;
    }
    EXPECT_EQ(host::GetMenuString(data, 0, host::MF_BYPOSITION), "&Načítať...\tCtrl+O");
    EXPECT_TRUE(host::GetMenuState(data, 2, host::MF_BYPOSITION) & host::MF_GRAYED);
    EXPECT_FALSE(host::GetMenuState(data, 3, host::MF_BYPOSITION) & host::MF_GRAYED);
    EXPECT_EQ(host::GetMenuString(host::GetSubMenu(bar, 2), 0, host::MF_BYPOSITION), "Konštantné");
    host::DestroyMenu(bar);
}
