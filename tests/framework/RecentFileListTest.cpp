// The recent-file list: its order, its menu items and its place in the profile.

#include "FrameworkTestSupport.h"

#include "framework/CRecentFileList.h"
#include "framework/CTestCmdUI.h"
#include "framework/FrameworkIds.h"
#include "platform/HostMenu.h"
#include "platform/PrivateProfile.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <stdexcept>
#include <sys/stat.h>
#include <sys/sysmacros.h>

namespace fs = std::filesystem;
using Names = std::vector<std::string>;

namespace {

class RecentFileListTest : public fwtest::FrameworkTest {
protected:
    const Names& List() const { return app.m_recentList->m_names; }

    // Opens the frame's first popup, as the user does, and returns its items.
    Names OpenPopup() {
        host::HMENU popup = host::GetSubMenu(host::GetMenu(MainFrame()->m_hWnd), 0);
        MainFrame()->UpdatePopupMenu(popup, 0, host::FALSE);
        Names texts;
        for (int i = 0; i < host::GetMenuItemCount(popup); ++i) {
            const bool grayed = host::GetMenuState(popup, i, host::MF_BYPOSITION) & host::MF_GRAYED;
            texts.push_back(host::GetMenuString(popup, i, host::MF_BYPOSITION) +
                            (grayed ? " (grayed)" : ""));
            if (host::GetMenuItemID(popup, i) == fw::ID_FILE_MRU_FILE1) {
                texts.back() += " (first)";
            }
        }
        return texts;
    }
};

TEST_F(RecentFileListTest, OpenedFilesComeFirstAndFailedEntriesAreRemoved) {
    app.LoadStdProfileSettings(4);
    Names paths;
    for (const char* name : {"a.dat", "b.dat", "c.dat", "d.dat", "e.dat"}) {
        paths.push_back(WriteFile(name));
        ASSERT_NE(app.OpenDocumentPath(paths.back()), nullptr);
    }
    const auto& [a, b, c, d, e] = std::tie(paths[0], paths[1], paths[2], paths[3], paths[4]);
    EXPECT_EQ(List(), (Names{e, d, c, b}));

    // Choosing the second entry opens it and moves it to the top.
    EXPECT_TRUE(app.OpenRecent(fw::ID_FILE_MRU_FILE1 + 1));
    EXPECT_EQ(fwtest::TestDoc::s_live->m_pathName, d);
    EXPECT_EQ(List(), (Names{d, e, c, b}));

    // A deleted file is reported and its entry removed; the rest move up.
    fs::remove(e);
    dialogs.boxes.clear();
    EXPECT_TRUE(app.OpenRecent(fw::ID_FILE_MRU_FILE1 + 1));
    ASSERT_EQ(dialogs.boxes.size(), 1u);
    EXPECT_EQ(dialogs.boxes[0].text, e + " was not found.");
    EXPECT_EQ(List(), (Names{d, c, b, ""}));
    EXPECT_EQ(fwtest::TestDoc::s_live->m_pathName, d);

    // Ids without an entry are not handled.
    EXPECT_FALSE(app.OpenRecent(fw::ID_FILE_MRU_FILE1 + 3));
    EXPECT_FALSE(app.OpenRecent(fw::ID_FILE_MRU_LAST));

    // A match in the last entry is dropped out rather than moved; names that
    // differ in case are different files; the entry keeps the text as given.
    CRecentFileList& list = *app.m_recentList;
    list.AddPath("/m/b.dat");
    list.AddPath(b);
    EXPECT_EQ(List(), (Names{b, "/m/b.dat", d, c}));
    list.AddPath("/m/B.dat");
    fs::create_directory(dir + "/x");
    list.AddPath(dir + "/x/../b.dat");
    EXPECT_EQ(List(), (Names{dir + "/x/../b.dat", "/m/B.dat", "/m/b.dat", d}));
}

TEST_F(RecentFileListTest, AnEntryThatUnquotesToNothingFailsAndLeaves) {
    // Three quotes read back as one, which opening takes as an empty name.
    WriteFile("config/test.INI", "[Recent File List]\nFile1=\"\"\"\nFile2=/m/two.dat\n");
    app.LoadStdProfileSettings(4);
    StartNew();
    ASSERT_EQ(List(), (Names{"\"", "/m/two.dat", "", ""}));
    dialogs.boxes.clear();
    EXPECT_TRUE(app.OpenRecent(fw::ID_FILE_MRU_FILE1));
    ASSERT_EQ(dialogs.boxes.size(), 1u);
    EXPECT_EQ(dialogs.boxes[0].text, "an unnamed file contains an invalid path.");
    EXPECT_EQ(List(), (Names{"/m/two.dat", "", "", ""}));
}

TEST_F(RecentFileListTest, MenuShowsEntriesInPlaceOfThePlaceholder) {
    app.LoadStdProfileSettings(4);
    StartNew();
    const Names empty = {"&Načítať...\tCtrl+O",  "", "Recent File (grayed) (first)",
                         "aj objekty v strede?", "", "&Koniec"};
    EXPECT_EQ(OpenPopup(), empty);

    app.m_recentList->AddPath("/m/a.dat");
    EXPECT_EQ(OpenPopup()[2], "&1 /m/a.dat (first)");
    // A tab in a name shows written out, not as the start of a shortcut.
    app.m_recentList->m_names[0] = "/m/tab\there.dat";
    EXPECT_EQ(OpenPopup()[2], "&1 /m/tab\\there.dat (first)");
    EXPECT_EQ(List()[0], "/m/tab\there.dat");
    app.m_recentList->m_names[0] = "/m/a.dat";
    // Emptied again, the placeholder comes back under its own id and text.
    app.m_recentList->RemoveAt(0);
    EXPECT_EQ(OpenPopup(), empty);

    app.m_recentList->AddPath("/m/a.dat");
    app.m_recentList->AddPath("/m/b&c.dat");
    OpenPopup();
    app.m_recentList->AddPath("/nowhere-kovo/a/very/long/folder/name/d.dat");
    // Files of the current directory show by name, others abbreviated.
    app.m_recentList->AddPath(dir + "/x&y.dat");
    const fs::path previous = fs::current_path();
    fs::current_path(dir);
    const Names shown = OpenPopup();
    fs::current_path(previous);
    EXPECT_EQ(shown, (Names{"&Načítať...\tCtrl+O", "", "&1 x&&y.dat (first)",
                            "&2 /nowhere-kovo/.../name/d.dat", "&3 /m/b&&c.dat", "&4 /m/a.dat",
                            "aj objekty v strede?", "", "&Koniec"}));
}

TEST_F(RecentFileListTest, OnlyFilesRightInTheCurrentDirectoryShowByName) {
    app.LoadStdProfileSettings(4);
    CRecentFileList& list = *app.m_recentList;
    auto name = [&](const std::string& path, const std::string& current = "/home/u/") {
        list.m_names[0] = path;
        std::string out;
        EXPECT_TRUE(list.DisplayName(0, current, current.size(), host::TRUE, out));
        return out;
    };
    EXPECT_EQ(name("/home/U/dom.dat"), "/home/U/dom.dat");
    // The appended "/" doubles the root's own, so root files show their path.
    EXPECT_EQ(name("/dom.dat", "//"), "/dom.dat");
}

TEST_F(RecentFileListTest, InTheRootFolderRootFilesShowByTheirPath) {
    app.LoadStdProfileSettings(4);
    StartNew();
    app.m_recentList->AddPath(dir + "/a.dat");
    app.m_recentList->AddPath("/dom.dat");
    const fwtest::CurrentDirectory root("/");
    const Names shown = OpenPopup();
    ASSERT_EQ(shown.size(), 7u);
    EXPECT_EQ(shown[2], "&1 /dom.dat (first)");
    EXPECT_EQ(shown[3], "&2 " + dir + "/a.dat");
}

TEST_F(RecentFileListTest, RelativeNamesEnterTheListAsFullPaths) {
    app.LoadStdProfileSettings(4);
    const std::string a = WriteFile("a.dat"), b = WriteFile("sub/b.dat");
    const fwtest::CurrentDirectory here(dir);
    app.AddToRecentList("a.dat");
    app.AddToRecentList("sub/b.dat");
    EXPECT_EQ(List(), (Names{b, a, "", ""}));
    // Another name of a listed file moves its entry up rather than adding one.
    app.AddToRecentList("./sub/../a.dat");
    EXPECT_EQ(List(), (Names{a, b, "", ""}));
    StartNew();
    EXPECT_EQ(OpenPopup()[2], "&1 a.dat (first)");
    EXPECT_EQ(OpenPopup()[3], "&2 " + b);
}

TEST_F(RecentFileListTest, FirstRunReadsDefaultsAndWritesOnlyTheListAtExit) {
    app.LoadStdProfileSettings(4);
    EXPECT_EQ(List(), Names(4));
    EXPECT_EQ(app.m_previewPages, 0);
    app.AddToRecentList(WriteFile("a.dat"));
    EXPECT_FALSE(fs::exists(app.m_profilePath)) << "nothing is written while running";
    app.m_exitCode = 3;
    EXPECT_EQ(app.ExitInstance(), 3);
    EXPECT_EQ(ReadFile(app.m_profilePath), "[Recent File List]\nFile1=" + dir + "/a.dat\n");
}

TEST_F(RecentFileListTest, ProfileRoundTripKeepsGapsAndOtherSections) {
    WriteFile("config/test.INI", "; mine\n[Recent File List]\nFile2=/m/two.dat\nFile4=rel.dat\n"
                                 "File9=/stale\n[Other]\nkey=Value\n[Settings]\nPreviewPages=7\n");
    app.LoadStdProfileSettings(4);
    EXPECT_EQ(List(), (Names{"", "/m/two.dat", "", "rel.dat"}));
    EXPECT_EQ(app.m_previewPages, 7);
    // With the first entry empty the menu shows only the grayed placeholder.
    StartNew();
    EXPECT_EQ(OpenPopup()[2], "Recent File (grayed) (first)");
    EXPECT_EQ(OpenPopup().size(), 6u);
    app.ExitInstance();
    EXPECT_EQ(ReadFile(app.m_profilePath),
              "; mine\n[Other]\nkey=Value\n[Settings]\nPreviewPages=7\n"
              "[Recent File List]\nFile2=/m/two.dat\nFile4=rel.dat\n");
}

// The application's profile, as the program's own list reaches it.
class AppStore : public CProfileStore {
public:
    explicit AppStore(CWinApp& app) : m_app(app) {}
    std::string ReadString(const char* section, const char* key, const char* value) override {
        return m_app.ProfileReadString(section, key, value);
    }
    host::BOOL WriteString(const char* section, const char* key, const char* value) override {
        return m_app.ProfileWriteString(section, key, value);
    }

private:
    CWinApp& m_app;
};

// A list whose writing fails after it has written everything.
class FailingList : public CRecentFileList {
public:
    explicit FailingList(CWinApp& app)
        : CRecentFileList(std::make_unique<AppStore>(app), 0, "Recent File List", "File%d", 4) {}
    void WriteEntries() override {
        CRecentFileList::WriteEntries();
        throw std::runtime_error("no more memory");
    }
};

TEST_F(RecentFileListTest, AnExitThatThrowsLeavesTheProfileAsItWasAndNoBatchBehind) {
    const std::string before = "[Recent File List]\nFile1=/m/a.dat\n";
    WriteFile("config/test.INI", before);
    app.m_recentList = std::make_unique<FailingList>(app);
    app.m_recentList->AddPath("/m/b.dat");
    EXPECT_THROW(app.ExitInstance(), std::runtime_error);
    ASSERT_EQ(app.m_profileBatch, nullptr);
    EXPECT_EQ(ReadFile(app.m_profilePath), before) << "nothing was half written";
    // Reads go to the file again, not to the gathered writes.
    EXPECT_EQ(app.ProfileReadString("Recent File List", "File1", ""), "/m/a.dat");
}

TEST_F(RecentFileListTest, WithoutAListTheMenuIsGrayedAndZeroPreviewPagesStay) {
    const std::string profile = "[Settings]\nPreviewPages=0\n";
    WriteFile("config/test.INI", profile);
    app.LoadStdProfileSettings(0);
    EXPECT_EQ(app.m_recentList, nullptr);
    CTestCmdUI ui;
    app.UpdateRecentMenu(&ui);
    EXPECT_FALSE(ui.m_enabled);
    EXPECT_FALSE(app.OpenRecent(fw::ID_FILE_MRU_FILE1));
    app.ExitInstance();
    EXPECT_EQ(ReadFile(app.m_profilePath), profile);
}

// Whatever lies in the profile's place is neither waited on nor replaced, and
// whatever names were opened, the profile keeps every one it can hold.
TEST_F(RecentFileListTest, OddProfilesAndOddNamesNeitherHangNorLoseEntries) {
    const std::string path = app.m_profilePath, kept = "[Recent File List]\nFile1=/m/kept.dat\n";
    const struct {
        mode_t kind;
        std::string text = {};
        Names opened = {"/m/n.dat"};
        std::string after = {}; ///< the profile after exit; "" when it must stay as it was
    } cases[] = {
        {S_IFDIR},
        {S_IFCHR},
        {S_IFREG, kept + std::string(host::PrivateProfile::kMaxFileSize, ';')},
        {S_IFREG,
         kept,
         {"/m/a\nb.dat", "/m/c.dat", "/m/d\r.dat"},
         "[Recent File List]\nFile1=/m/c.dat\nFile2=/m/kept.dat\n"},
        {S_IFIFO},
    };
    fs::create_directories(fs::path(path).parent_path());
    testing::internal::CaptureStderr();
    for (const auto& c : cases) {
        fs::remove_all(path);
        if (c.kind == S_IFREG) {
            std::ofstream(path) << c.text;
        } else {
            ASSERT_EQ(c.kind == S_IFDIR ? mkdir(path.c_str(), 0700)
                                        : mknod(path.c_str(), c.kind | 0600, makedev(1, 3)),
                      0);
        }
        app.LoadStdProfileSettings(4);
        for (const std::string& name : c.opened) {
            app.m_recentList->AddPath(name);
        }
        const Names shown = List();
        app.ExitInstance();
        EXPECT_EQ(List(), shown) << c.kind << ": refused names stay in the menu";
        struct stat left {};
        EXPECT_EQ(lstat(path.c_str(), &left) == 0 ? left.st_mode & S_IFMT : 0, c.kind);
        EXPECT_EQ(c.kind == S_IFREG ? ReadFile(path) : "", c.after.empty() ? c.text : c.after);
    }
    const std::string said = testing::internal::GetCapturedStderr();
    EXPECT_NE(said.find("left unchanged"), std::string::npos);
    EXPECT_EQ(said.find("left unchanged"), said.rfind("left unchanged")) << "said once";
}

} // namespace
