#include "framework/CRecentFileList.h"
#include "framework/CCmdUI.h"
#include "platform/HostMenu.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <unistd.h>

namespace fs = std::filesystem;
using host::FALSE;
using host::TRUE;

namespace {

constexpr host::UINT kFirst = 57616;

/// A profile in memory: section -> key -> value, names as written.
class MapProfile : public CProfileStore {
public:
    std::string ReadString(const char* section, const char* key, const char* fallback) override {
        const auto found = m_values[section].find(key);
        return found == m_values[section].end() ? (fallback ? fallback : "") : found->second;
    }
    host::BOOL WriteString(const char* section, const char* key, const char* value) override {
        if (key == nullptr) {
            m_values.erase(section);
        } else if (value == nullptr) {
            m_values[section].erase(key);
        } else {
            m_values[section][key] = value;
        }
        return TRUE;
    }
    std::map<std::string, std::map<std::string, std::string>> m_values;
};

class CRecentFileListTest : public ::testing::Test {
protected:
    void SetUp() override {
        auto profile = std::make_unique<MapProfile>();
        m_profile = profile.get();
        m_list = std::make_unique<CRecentFileList>(std::move(profile), 0, "Recent File List",
                                                   "File%d", 4);
        m_menu = host::CreatePopupMenu();
        host::AppendMenu(m_menu, host::MF_STRING, 57601, "&Načítať...\tCtrl+O");
        host::AppendMenu(m_menu, host::MF_SEPARATOR, 0, "");
        host::AppendMenu(m_menu, host::MF_STRING, kFirst, "Recent File");
        host::AppendMenu(m_menu, host::MF_SEPARATOR, 0, "");
        host::AppendMenu(m_menu, host::MF_STRING, 32771, "&Body");
    }
    void TearDown() override { host::DestroyMenu(m_menu); }

    /// Updates the menu as a popup update does for the item with id 57616.
    CCmdUI Update() {
        CCmdUI ui;
        ui.m_menu = m_menu;
        ui.m_id = kFirst;
        ui.m_indexMax = static_cast<host::UINT>(host::GetMenuItemCount(m_menu));
        for (int i = 0; i < host::GetMenuItemCount(m_menu); ++i) {
            if (host::GetMenuItemID(m_menu, i) == kFirst) {
                ui.m_index = static_cast<host::UINT>(i);
            }
        }
        m_list->FillMenu(&ui);
        return ui;
    }
    std::vector<std::string> Texts() const {
        std::vector<std::string> texts;
        for (int i = 0; i < host::GetMenuItemCount(m_menu); ++i) {
            texts.push_back(host::GetMenuString(m_menu, i, host::MF_BYPOSITION));
        }
        return texts;
    }
    bool Grayed(int position) const {
        return host::GetMenuState(m_menu, position, host::MF_BYPOSITION) & host::MF_GRAYED;
    }
    std::vector<std::string> Names() const { return m_list->m_names; }

    MapProfile* m_profile = nullptr; // owned by the list
    std::unique_ptr<CRecentFileList> m_list;
    host::HMENU m_menu = nullptr;
};

} // namespace

TEST_F(CRecentFileListTest, AddingKeepsTheFourMostRecentFirst) {
    for (const char* path : {"/m/a.dat", "/m/b.dat", "/m/c.dat", "/m/d.dat", "/m/e.dat"}) {
        m_list->AddPath(path);
    }
    EXPECT_EQ(Names(), (std::vector<std::string>{"/m/e.dat", "/m/d.dat", "/m/c.dat", "/m/b.dat"}));
    m_list->AddPath("/m/d.dat");
    EXPECT_EQ(Names(), (std::vector<std::string>{"/m/d.dat", "/m/e.dat", "/m/c.dat", "/m/b.dat"}));
    // A match in the last entry is dropped out rather than moved; same result.
    m_list->AddPath("/m/b.dat");
    EXPECT_EQ(Names(), (std::vector<std::string>{"/m/b.dat", "/m/d.dat", "/m/e.dat", "/m/c.dat"}));
    // Names differing in case are different files.
    m_list->AddPath("/m/B.dat");
    EXPECT_EQ(Names(), (std::vector<std::string>{"/m/B.dat", "/m/b.dat", "/m/d.dat", "/m/e.dat"}));
    // The comparison uses the full path; the entry keeps the text as given.
    m_list->AddPath("/m/x/../d.dat");
    EXPECT_EQ(Names()[0], "/m/x/../d.dat");
    EXPECT_EQ(Names()[3], "/m/e.dat");
    // Removing moves the later entries up.
    m_list->RemoveAt(1);
    EXPECT_EQ(Names(), (std::vector<std::string>{"/m/x/../d.dat", "/m/b.dat", "/m/e.dat", ""}));
}

TEST_F(CRecentFileListTest, ProfileRoundTripKeepsGaps) {
    m_profile->m_values["Recent File List"] = {{"File2", "/m/two.dat"}, {"File4", "rel.dat"}};
    m_profile->m_values["Recent File List"]["Stale"] = "x";
    m_list->ReadEntries();
    EXPECT_EQ(Names(), (std::vector<std::string>{"", "/m/two.dat", "", "rel.dat"}));
    // With the first entry empty the menu shows only the grayed placeholder.
    Update();
    EXPECT_EQ(Texts()[2], "Recent File");
    EXPECT_TRUE(Grayed(2));
    EXPECT_EQ(host::GetMenuItemCount(m_menu), 5);
    // Written back under the same keys; the old section is replaced.
    m_list->WriteEntries();
    EXPECT_EQ(m_profile->m_values["Recent File List"],
              (std::map<std::string, std::string>{{"File2", "/m/two.dat"}, {"File4", "rel.dat"}}));
}

TEST_F(CRecentFileListTest, MenuShowsEntriesInPlaceOfThePlaceholder) {
    CCmdUI first = Update();
    EXPECT_EQ(m_list->m_placeholderText, "Recent File");
    EXPECT_TRUE(Grayed(2));
    EXPECT_TRUE(first.m_enableChanged);

    m_list->AddPath("/m/a.dat");
    m_list->AddPath("/m/b&c.dat");
    CCmdUI ui = Update();
    EXPECT_EQ(Texts(), (std::vector<std::string>{"&Načítať...\tCtrl+O", "", "&1 /m/b&&c.dat",
                                                 "&2 /m/a.dat", "", "&Body"}));
    EXPECT_FALSE(Grayed(2));
    EXPECT_EQ(host::GetMenuItemID(m_menu, 2), kFirst);
    EXPECT_EQ(host::GetMenuItemID(m_menu, 3), kFirst + 1);
    EXPECT_EQ(ui.m_index, 3u); // the last inserted item
    EXPECT_EQ(ui.m_indexMax, 6u);
    EXPECT_TRUE(ui.m_enableChanged);

    // Updating again replaces the entries instead of adding to them.
    m_list->AddPath("/m/d.dat");
    Update();
    EXPECT_EQ(Texts(), (std::vector<std::string>{"&Načítať...\tCtrl+O", "", "&1 /m/d.dat",
                                                 "&2 /m/b&&c.dat", "&3 /m/a.dat", "", "&Body"}));
}

TEST_F(CRecentFileListTest, DisplayNames) {
    auto name = [&](const std::string& path, const std::string& dir = "/home/u/") {
        m_list->m_names[0] = path;
        std::string out;
        EXPECT_TRUE(m_list->DisplayName(0, dir, dir.size(), TRUE, out));
        return out;
    };
    EXPECT_EQ(name("/home/u/dom.dat"), "dom.dat");
    EXPECT_EQ(name("/home/U/dom.dat"), "/home/U/dom.dat");
    EXPECT_EQ(name("/home/u/sub/dom.dat"), "/home/u/sub/dom.dat");
    // The appended "/" doubles the root's own, so root files show their path.
    EXPECT_EQ(name("/dom.dat", "//"), "/dom.dat");
    EXPECT_EQ(name("/projekty12/modely/zahradnej/old/dom.dat"), "/projekty12/.../old/dom.dat");
    m_list->m_maxDisplayLength = -1;
    EXPECT_EQ(name("/projekty12/modely/zahradnej/old/dom.dat"),
              "/projekty12/modely/zahradnej/old/dom.dat");
    std::string out;
    EXPECT_FALSE(m_list->DisplayName(1, "/", 1, TRUE, out));
}

TEST_F(CRecentFileListTest, MenuShowsFilesOfTheCurrentDirectoryByTitle) {
    const fs::path previous = fs::current_path();
    fs::current_path("/tmp");
    const std::string here = fs::current_path().string();
    m_list->AddPath("/nowhere-kovo/x.dat");
    m_list->AddPath(here + "/a&b.dat");
    Update();
    fs::current_path(previous);
    EXPECT_EQ(Texts()[2], "&1 a&&b.dat");
    EXPECT_EQ(Texts()[3], "&2 /nowhere-kovo/x.dat");
}
