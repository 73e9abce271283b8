#include "ShellTestApp.h"

#include "framework/CCommandLineInfo.h"
#include "framework/CDocManager.h"
#include "framework/CDocument.h"
#include "framework/CFrameWnd.h"
#include "framework/CRecentFileList.h"
#include "platform/HostWindow.h"

#include <gtest/gtest.h>

using host::FALSE;
using host::TRUE;

namespace {

class CWinAppCommandLineTest : public ::testing::Test {
protected:
    void SetUp() override {
        m_app.InitInstance();
        m_app.LoadStdProfileSettings(4);
    }

    /// Parses the arguments and carries the request out, as start-up does.
    host::BOOL Start(std::vector<std::string> arguments) {
        m_app.m_arguments = std::move(arguments);
        CCommandLineInfo info;
        m_app.ParseCommandLine(info);
        return m_app.ProcessShellCommand(info);
    }
    CDocument* Document() const {
        auto* frame = static_cast<CFrameWnd*>(m_app.m_pMainWnd);
        return frame != nullptr ? frame->GetActiveDocument() : nullptr;
    }
    bool MainWindowVisible() const {
        return m_app.m_pMainWnd != nullptr && host::IsWindowVisible(m_app.m_pMainWnd->m_hWnd);
    }

    ShellTestApp m_app;
};

} // namespace

TEST_F(CWinAppCommandLineTest, NoArgumentsMakeANewDocument) {
    EXPECT_TRUE(Start({}));
    ASSERT_NE(Document(), nullptr);
    EXPECT_EQ(Document()->m_pathName, "");
    EXPECT_TRUE(MainWindowVisible());
    EXPECT_TRUE(m_app.m_userControl);
    EXPECT_TRUE(m_app.m_messages.empty());
}

TEST_F(CWinAppCommandLineTest, NamedFileOpens) {
    const std::string path = m_app.MakeFile("my model.dat");
    EXPECT_TRUE(Start({"-unknown", path}));
    ASSERT_NE(Document(), nullptr);
    EXPECT_EQ(Document()->m_pathName, path);
    EXPECT_EQ(m_app.m_recentList->m_names[0], path);
    EXPECT_TRUE(MainWindowVisible());
}

TEST_F(CWinAppCommandLineTest, MissingFileEndsAfterItsMessage) {
    const std::string path = m_app.m_folder + "/missing.dat";
    EXPECT_FALSE(Start({path}));
    ASSERT_EQ(m_app.m_messages.size(), 1u);
    EXPECT_EQ(m_app.m_messages[0], path + " was not found.");
    EXPECT_EQ(m_app.m_pMainWnd, nullptr);
    EXPECT_EQ(m_app.ExitInstance(), 1) << "a failed start must not end with a success status";
}

TEST_F(CWinAppCommandLineTest, PrintFlagsOpenUnseenAndEnd) {
    const std::string path = m_app.MakeFile("dom.dat");
    EXPECT_FALSE(Start({"-p", path}));
    ASSERT_NE(Document(), nullptr);
    EXPECT_EQ(Document()->m_pathName, path);
    EXPECT_FALSE(MainWindowVisible());
    EXPECT_TRUE(m_app.m_messages.empty());
    EXPECT_EQ(m_app.ExitInstance(), 0) << "ending unprinted is what was asked for";
    m_app.CloseMainWindow();

    EXPECT_FALSE(Start({"/pt", path, "Printer", "Driver", "Port"}));
    EXPECT_FALSE(MainWindowVisible());
    m_app.CloseMainWindow();

    EXPECT_FALSE(Start({"-p", m_app.m_folder + "/missing.dat"}));
    EXPECT_EQ(m_app.m_messages.size(), 1u);
}

TEST_F(CWinAppCommandLineTest, UnregisterLeavesTheProfileUntouched) {
    const std::string before = "[Recent File List]\nFile2=/kept.dat\n[Settings]\nPreviewPages=0\n";
    m_app.StoreProfile(before);
    m_app.LoadStdProfileSettings(4);
    EXPECT_FALSE(Start({"/UNREGISTER"}));
    ASSERT_EQ(m_app.m_messages.size(), 1u);
    EXPECT_EQ(m_app.m_messages[0],
              "System registry entries have been removed and the INI file (if any) was deleted.");
    EXPECT_EQ(m_app.m_pMainWnd, nullptr);
    m_app.AddToRecentList(m_app.MakeFile("new.dat"));
    m_app.ExitInstance();
    EXPECT_EQ(m_app.ProfileText(), before);
}

TEST_F(CWinAppCommandLineTest, ShellRequestsEndAtOnceUnseen) {
    // Nothing could ever send the shell request "dde" waits for.
    EXPECT_FALSE(Start({"-dde"}));
    EXPECT_EQ(m_app.m_pMainWnd, nullptr);
    EXPECT_FALSE(m_app.m_userControl);
    EXPECT_FALSE(m_app.m_unregisterRequested);
    // An embedded unregister request shows nothing.
    EXPECT_FALSE(Start({"-Embedding", "-Unregserver"}));
    EXPECT_TRUE(m_app.m_unregisterRequested);
    EXPECT_TRUE(m_app.m_messages.empty());
}
