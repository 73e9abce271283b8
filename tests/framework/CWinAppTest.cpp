// The application: message boxes, the entry, dialogs and resources.

#include "FrameworkTestSupport.h"

#include "framework/CDialog.h"
#include "framework/FrameworkIds.h"
#include "framework/ResourceRegistry.h"
#include "platform/HostMenu.h"
#include "platform/HostQueue.h"

#include <gtest/gtest.h>

namespace {

class CWinAppTest : public fwtest::FrameworkTest {};

TEST_F(CWinAppTest, MessageBoxesGetCaptionOwnerAndDefaultIcon) {
    StartNew();
    dialogs.boxes.clear();
    app.ShowMessage("a", host::MB_OK);
    app.ShowMessage("b", host::MB_YESNOCANCEL);
    app.ShowMessage("c", host::MB_OK | host::MB_ICONSTOP);
    app.ShowMessage("d", 5); // retry/cancel: no icon of its own
    app.ShowMessage(fw::IDS_UNTITLED);
    ASSERT_EQ(dialogs.boxes.size(), 5u);
    EXPECT_EQ(dialogs.boxes[0].type, host::MB_OK | host::MB_ICONEXCLAMATION);
    EXPECT_EQ(dialogs.boxes[1].type, host::MB_YESNOCANCEL | host::MB_ICONEXCLAMATION);
    EXPECT_EQ(dialogs.boxes[2].type, host::MB_OK | host::MB_ICONSTOP);
    EXPECT_EQ(dialogs.boxes[3].type, 5u);
    EXPECT_EQ(dialogs.boxes[4].text, "Untitled");
    for (const fwtest::ShownBox& box : dialogs.boxes) {
        EXPECT_EQ(box.caption, "Kovomodel");
        EXPECT_EQ(box.owner, MainFrame()->m_hWnd);
    }
}

TEST_F(CWinAppTest, TitleFallsBackToTheExecutableName) {
    ResourceRegistry::RegisterString(fw::IDS_APP_TITLE, "");
    app.m_exeName = "/usr/bin/kovomodel";
    EXPECT_EQ(app.AppTitle(), "kovomodel");
}

// An application whose start-up can be made to fail, and that can ask its
// main window to close as soon as the loop runs. It writes no profile: it
// keeps no recent-file list.
class StartingApp : public fwtest::TestApp {
public:
    host::BOOL InitInstance() override {
        auto owned = std::make_unique<CSingleDocTemplate>(128, &fwtest::TestDoc::classRecord,
                                                          &fwtest::TestFrame::classRecord,
                                                          &fwtest::TestView::classRecord);
        AddDocTemplate(std::move(owned));
        OnFileNew();
        if (!succeed) {
            return host::FALSE;
        }
        host::PostMessage(m_pMainWnd->m_hWnd, host::WM_CLOSE, 0, 0);
        return host::TRUE;
    }
    int ExitInstance() override {
        ++exits;
        return CWinApp::ExitInstance();
    }
    bool succeed = false;
    int exits = 0;
};

TEST(RunApplicationTest, FailedStartUpDestroysTheWindowAndRunsExitSteps) {
    fwtest::RegisterTestResources();
    fwtest::DialogRecorder dialogs;
    StartingApp app;
    char name[] = "/opt/kovo/kovomodel";
    char arg[] = "file.dat";
    char* argv[] = {name, arg};
    EXPECT_EQ(RunApplication(app, 2, argv), 0);
    EXPECT_EQ(app.exits, 1);
    EXPECT_EQ(app.m_pMainWnd, nullptr);
    EXPECT_EQ(fwtest::TestDoc::s_live, nullptr);
    EXPECT_EQ(app.m_exeName, "/opt/kovo/kovomodel");
    EXPECT_EQ(app.m_arguments, std::vector<std::string>{"file.dat"});
    EXPECT_EQ(app.m_profileName, "kovomodel.INI");
    EXPECT_EQ(app.m_appTitle, "Kovomodel");
    host::MSG msg;
    EXPECT_FALSE(host::PeekMessage(&msg, host::PM_NOREMOVE)) << "no quit left behind";
}

TEST(RunApplicationTest, ClosingTheMainWindowEndsTheLoop) {
    fwtest::RegisterTestResources();
    fwtest::DialogRecorder dialogs;
    StartingApp app;
    app.succeed = true;
    char name[] = "kovomodel";
    char* argv[] = {name};
    EXPECT_EQ(RunApplication(app, 1, argv), 0);
    EXPECT_EQ(app.exits, 1);
    EXPECT_EQ(app.m_pMainWnd, nullptr);
    EXPECT_EQ(fwtest::TestDoc::s_live, nullptr);
    EXPECT_TRUE(dialogs.boxes.empty());
}

TEST_F(CWinAppTest, AboutDialogIsOwnedByTheMainWindow) {
    host::DialogTemplate about;
    about.caption = "Prezerak - info";
    ResourceRegistry::RegisterDialog(100, about);
    StartNew();
    CDialog dialog(100);
    EXPECT_EQ(dialog.DoModal(), host::IDOK);
    ASSERT_EQ(dialogs.dialogOwners.size(), 1u);
    EXPECT_EQ(dialogs.dialogOwners[0], MainFrame()->m_hWnd);
    CDialog missing(4242);
    EXPECT_EQ(missing.DoModal(), -1);
}

TEST_F(CWinAppTest, FrameIsBuiltFromItsResources) {
    StartNew();
    host::HMENU bar = host::GetMenu(MainFrame()->m_hWnd);
    ASSERT_NE(bar, nullptr);
    EXPECT_EQ(host::GetMenuItemCount(bar), 2);
    EXPECT_EQ(host::GetMenuString(bar, 0, host::MF_BYPOSITION), "&Dáta...");
    host::HMENU data = host::GetSubMenu(bar, 0);
    EXPECT_EQ(host::GetMenuItemID(data, 2), fw::ID_FILE_MRU_FILE1);
    EXPECT_EQ(host::GetMenuItemID(bar, 1), fw::ID_APP_ABOUT);
    EXPECT_NE(MainFrame()->m_accelTable, nullptr);
    EXPECT_EQ(MainFrame()->m_frameTitle, "Kovomodel");
    EXPECT_NE(host::GetWindowStyle(MainFrame()->m_hWnd) & fw::FWS_ADDTOTITLE, 0u);
}

TEST(ResourceRegistryTest, MissingResourcesAndFrameworkTexts) {
    EXPECT_EQ(ResourceRegistry::LoadString(1), "");
    EXPECT_EQ(ResourceRegistry::LoadMenu(4711), nullptr);
    EXPECT_EQ(ResourceRegistry::LoadAccelerators(4711), nullptr);
    EXPECT_EQ(ResourceRegistry::FindIcon(4711), nullptr);
    EXPECT_EQ(ResourceRegistry::LoadString(61443), "Untitled");
    EXPECT_EQ(ResourceRegistry::LoadString(61867),
              "A sharing violation occurred while accessing %1.");
    EXPECT_EQ(ResourceRegistry::LoadString(61728), "Unexpected file format.");
}

} // namespace
