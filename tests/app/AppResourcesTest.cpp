#include "app/AppResources.h"

#include "app/Resource.h"
#include "framework/ResourceRegistry.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

namespace {

std::string Describe(const MenuResourceItem& e) {
    std::string text = e.flags & host::MF_SEPARATOR ? "---" : e.text;
    if (!(e.flags & (host::MF_SEPARATOR | host::MF_POPUP))) {
        text += " " + std::to_string(e.id);
    }
    text += e.flags & host::MF_GRAYED ? " grayed" : "";
    text += e.flags & host::MF_CHECKED ? " checked" : "";
    for (const MenuResourceItem& child : e.children) {
        text += (&child == &e.children.front() ? ": " : " | ") + Describe(child);
    }
    return text;
}

} // namespace

TEST(AppResourcesTest, MenuHasItsItemsInOrderAndOnlyThePlaceholderGrayed) {
    std::vector<std::string> bar;
    for (const MenuResourceItem& e : MainMenuEntries()) {
        EXPECT_EQ(bool(e.flags & host::MF_POPUP), !e.children.empty()) << e.text;
        bar.push_back(Describe(e));
    }
    EXPECT_EQ(bar, (std::vector<std::string>{
                       "&Dáta...: &Načítať...\tCtrl+O 57601 | --- | Recent File 57616 grayed | "
                       "aj objekty v strede? 32771 | --- | &Koniec 57665",
                       "Model...: Bodový 32772 | Drôtený 32773 | Stenový 32774",
                       "Tónovanie...: Konštantné 32775 | Hladké 32776",
                       "Info 57664", // a command on the bar: no popup
                   }));
}

TEST(AppResourcesTest, AcceleratorsAreTheThirteenBindingsInOrder) {
    using namespace host;
    const ACCEL expected[] = {
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
        EXPECT_EQ(table[i].fVirt, FVIRTKEY | expected[i].fVirt);
        EXPECT_EQ(table[i].key, expected[i].key);
        EXPECT_EQ(table[i].cmd, expected[i].cmd);
    }
}

TEST(AppResourcesTest, AboutDialogIsRegisteredWithItsControlsInTabOrderAndOkDefault) {
    RegisterAppResources();
    const host::DialogTemplate* dialog = ResourceRegistry::FindDialog(100);
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(dialog->caption, "Prezerak - info");
    EXPECT_EQ(dialog->fontName, "MS Sans Serif");
    EXPECT_EQ((std::vector<int>{dialog->pointSize, dialog->cx, dialog->cy}),
              (std::vector<int>{8, 217, 81}));
    using Kind = host::DialogControl::Kind;
    // The author line precedes the OpenGL line in tab order though drawn below it.
    const host::DialogControl expected[] = {
        {Kind::DefaultButton, 1, 81, 60, 60, 14, "OK"}, // first and default: Enter closes
        {Kind::TextCentered, -1, 13, 15, 197, 10, "Prezerak - jednoduchý prehliadač 3D objektov:"},
        {Kind::TextLeft, -1, 47, 24, 152, 9, "- podporuje zatiaľ len dodané \".dat\" súbory"},
        {Kind::TextCentered, -1, 31, 44, 159, 8, "Autor: "},
        {Kind::TextLeft, -1, 47, 32, 112, 8, "- používa OpenGL knižnice"},
    };
    ASSERT_EQ(dialog->controls.size(), 5u);
    for (int i = 0; i < 5; ++i) {
        SCOPED_TRACE(i);
        const host::DialogControl& c = dialog->controls[i];
        const host::DialogControl& e = expected[i];
        EXPECT_EQ(c.kind, e.kind);
        EXPECT_EQ(c.id, e.id);
        EXPECT_EQ((std::vector<int>{c.x, c.y, c.cx, c.cy}),
                  (std::vector<int>{e.x, e.y, e.cx, e.cy}));
        EXPECT_EQ(c.text.substr(0, e.text.size()), e.text);
    }
    EXPECT_GT(dialog->controls[3].text.size(), 7u) << "the author is named";
}

TEST(AppResourcesTest, TitleAndDocumentStringAreRegisteredWithTheirFields) {
    RegisterAppResources();
    EXPECT_EQ(ResourceRegistry::LoadString(57344), "Kovomodel");
    // Window title, (none), new-file name, (no filter), (no extension), type id, type name.
    EXPECT_EQ(ResourceRegistry::LoadString(128),
              "Kovomodel\n\nKovomo\n\n\nKovomodel.Document\nKovomo Document");
}

TEST(AppResourcesTest, IconHasA32AndA16PixelOpaqueImageOfSixteenColoursAtMost) {
    RegisterAppResources();
    const std::vector<host::IconImage>* images = ResourceRegistry::FindIcon(128);
    ASSERT_NE(images, nullptr);
    ASSERT_EQ(images->size(), 2u);
    const int sizes[] = {32, 16};
    for (int i = 0; i < 2; ++i) {
        const host::IconImage& image = (*images)[i];
        EXPECT_EQ(image.width, sizes[i]);
        EXPECT_EQ(image.height, sizes[i]);
        ASSERT_EQ(image.pixels.size(), static_cast<std::size_t>(image.width * image.height));
        const std::set<std::uint32_t> colours(image.pixels.begin(), image.pixels.end());
        EXPECT_LE(colours.size(), 16u);
        for (std::uint32_t argb : colours) {
            EXPECT_EQ(argb >> 24, 0xFFu) << "opaque";
        }
    }
}
