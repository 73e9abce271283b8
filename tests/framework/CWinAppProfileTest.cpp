#include "ShellTestApp.h"

#include "framework/CCommandLineInfo.h"
#include "framework/CFrameWnd.h"
#include "framework/CRecentFileList.h"
#include "framework/CTestCmdUI.h"
#include "platform/HostMenu.h"

#include <gtest/gtest.h>

#include <filesystem>

using host::FALSE;
using host::TRUE;

namespace {

class CWinAppProfileTest : public ::testing::Test {
protected:
    void SetUp() override { m_app.InitInstance(); }

    std::vector<std::string> Names() const { return m_app.m_recentList->m_names; }

    ShellTestApp m_app;
};

} // namespace

TEST_F(CWinAppProfileTest, FirstRunReadsDefaultsAndWritesOnlyTheList) {
    m_app.LoadStdProfileSettings(4);
    ASSERT_NE(m_app.m_recentList, nullptr);
    EXPECT_EQ(Names(), (std::vector<std::string>(4)));
    EXPECT_EQ(m_app.m_previewPages, 0);
    // Nothing is written while the program runs.
    m_app.AddToRecentList(m_app.MakeFile("a.dat"));
    EXPECT_FALSE(std::filesystem::exists(m_app.m_profilePath));
    m_app.m_exitCode = 3;
    EXPECT_EQ(m_app.ExitInstance(), 3);
    EXPECT_EQ(m_app.ProfileText(), "[Recent File List]\nFile1=" + m_app.m_folder + "/a.dat\n");
}

TEST_F(CWinAppProfileTest, ExitWritesTheListBackKeepingOtherSections) {
    m_app.StoreProfile("; mine\n[Recent File List]\nFile2=/m/two.dat\nFile9=/stale\n"
                       "[Other]\nkey=Value\n[Settings]\nPreviewPages=7\n");
    m_app.LoadStdProfileSettings(4);
    EXPECT_EQ(Names(), (std::vector<std::string>{"", "/m/two.dat", "", ""}));
    EXPECT_EQ(m_app.m_previewPages, 7);
    m_app.ExitInstance();
    EXPECT_EQ(m_app.ProfileText(), "; mine\n[Other]\nkey=Value\n[Settings]\nPreviewPages=7\n"
                                   "[Recent File List]\nFile2=/m/two.dat\n");
}

TEST_F(CWinAppProfileTest, ZeroPreviewPagesIsNotWritten) {
    m_app.StoreProfile("[Settings]\nPreviewPages=0\n");
    m_app.LoadStdProfileSettings(0);
    EXPECT_EQ(m_app.m_recentList, nullptr);
    m_app.ExitInstance();
    EXPECT_EQ(m_app.ProfileText(), "[Settings]\nPreviewPages=0\n");
}

TEST_F(CWinAppProfileTest, ProfileFunctionsNeedAProfilePath) {
    EXPECT_TRUE(m_app.ProfileWriteInt("S", "n", -12));
    EXPECT_EQ(m_app.ProfileReadInt("s", "N", 0), -12);
    m_app.m_profilePath.clear();
    EXPECT_FALSE(m_app.ProfileWriteInt("S", "n", 1));
    EXPECT_EQ(m_app.ProfileReadInt("S", "n", 9), 9);
    EXPECT_EQ(m_app.ProfileReadString("S", "n", nullptr), "");
}

TEST_F(CWinAppProfileTest, RecentEntriesReopenAndFailedOnesAreRemoved) {
    m_app.LoadStdProfileSettings(4);
    const std::string a = m_app.MakeFile("a.dat");
    const std::string b = m_app.MakeFile("b.dat");
    const std::string c = m_app.MakeFile("c.dat");
    for (const std::string& path : {a, b, c}) {
        ASSERT_NE(m_app.OpenDocumentPath(path), nullptr);
    }
    EXPECT_EQ(Names(), (std::vector<std::string>{c, b, a, ""}));

    // Choosing the second entry opens it and moves it to the top.
    EXPECT_TRUE(m_app.OpenRecent(57617));
    EXPECT_EQ(Names(), (std::vector<std::string>{b, c, a, ""}));

    // A deleted file is reported and its entry removed; the rest move up.
    std::filesystem::remove(c);
    EXPECT_TRUE(m_app.OpenRecent(57617));
    ASSERT_EQ(m_app.m_messages.size(), 1u);
    EXPECT_EQ(m_app.m_messages[0], c + " was not found.");
    EXPECT_EQ(Names(), (std::vector<std::string>{b, a, "", ""}));

    // Ids without an entry are not handled.
    EXPECT_FALSE(m_app.OpenRecent(57618));
    EXPECT_FALSE(m_app.OpenRecent(57631));
}

TEST_F(CWinAppProfileTest, RecentMenuWithoutAList) {
    m_app.LoadStdProfileSettings(0);
    CTestCmdUI ui;
    m_app.UpdateRecentMenu(&ui);
    EXPECT_FALSE(ui.m_enabled);
    EXPECT_FALSE(m_app.OpenRecent(57616));
}

TEST_F(CWinAppProfileTest, FirstPopupShowsPlaceholderThenTheOpenedFile) {
    m_app.LoadStdProfileSettings(4);
    CCommandLineInfo none;
    ASSERT_TRUE(m_app.ProcessShellCommand(none));
    auto* frame = static_cast<CFrameWnd*>(m_app.m_pMainWnd);
    const host::HMENU popup = host::GetSubMenu(host::GetMenu(frame->m_hWnd), 0);
    frame->UpdatePopupMenu(popup, 0, FALSE);
    EXPECT_EQ(host::GetMenuString(popup, 2, host::MF_BYPOSITION), "Recent File");
    EXPECT_TRUE(host::GetMenuState(popup, 2, host::MF_BYPOSITION) & host::MF_GRAYED);

    ASSERT_NE(m_app.OpenDocumentPath(m_app.MakeFile("a&b.dat")), nullptr);
    frame->UpdatePopupMenu(popup, 0, FALSE);
    const std::string shown = host::GetMenuString(popup, 2, host::MF_BYPOSITION);
    EXPECT_EQ(shown.rfind("&1 ", 0), 0u) << shown;
    EXPECT_NE(shown.find("a&&b.dat"), std::string::npos) << shown;
    EXPECT_FALSE(host::GetMenuState(popup, 2, host::MF_BYPOSITION) & host::MF_GRAYED);
    EXPECT_EQ(host::GetMenuItemCount(popup), 5);
}
