// The frame: command routing through view, document and application, menu
// graying before a popup opens, accelerators and closing.

#include "FrameworkTestSupport.h"

#include "framework/CCmdUI.h"
#include "framework/CTestCmdUI.h"
#include "framework/FrameworkIds.h"
#include "platform/HostMenu.h"
#include "platform/HostQueue.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <sys/stat.h>

using fwtest::Log;
using host::UINT;

namespace {

class CFrameWndTest : public fwtest::FrameworkTest {
protected:
    void SetUp() override {
        FrameworkTest::SetUp();
        ASSERT_NE(StartNew(), nullptr);
        Log().clear();
    }

    bool Route(UINT id) { return MainFrame()->RouteCommand(id, 0, nullptr, nullptr) != 0; }

    // A popup of items with the given ids (0: separator), grayed at first.
    host::HMENU MakePopup(const std::vector<UINT>& ids) {
        host::HMENU popup = host::CreatePopupMenu();
        for (UINT id : ids) {
            if (id == 0) {
                host::AppendMenu(popup, host::MF_SEPARATOR, 0, "");
                continue;
            }
            host::AppendMenu(popup, host::MF_STRING | host::MF_GRAYED, id, "item");
        }
        return popup;
    }

    bool Grayed(host::HMENU popup, UINT position) {
        return (host::GetMenuState(popup, position, host::MF_BYPOSITION) & host::MF_GRAYED) != 0;
    }
};

TEST_F(CFrameWndTest, RoutingOrderIsViewDocumentFrameApplication) {
    EXPECT_TRUE(Route(fwtest::ID_VIEW_AND_DOC));
    EXPECT_TRUE(Route(fwtest::ID_DOC_AND_APP));
    EXPECT_TRUE(Route(fwtest::ID_APP_ONLY));
    EXPECT_TRUE(Route(fwtest::ID_DATA_OBJECTS));
    EXPECT_FALSE(Route(fwtest::ID_UNHANDLED));
    EXPECT_EQ(Log(),
              (std::vector<std::string>{"view:40001", "doc:40002", "app:40003", "doc:32771"}));
}

TEST_F(CFrameWndTest, ContinueRoutingAsksTheNextReceiver) {
    CTestCmdUI state;
    state.m_id = fwtest::ID_PASS_ON;
    EXPECT_TRUE(MainFrame()->RouteCommand(state.m_id, fw::kUpdateCode, &state, nullptr));
    EXPECT_EQ(Log(), (std::vector<std::string>{"view:update40004", "doc:update40004"}));
    EXPECT_FALSE(state.m_enabled);
    EXPECT_FALSE(state.m_continueRouting) << "cleared after it was honoured";
}

TEST_F(CFrameWndTest, RoutingViewIsRecordedOnlyWhileTheDocumentIsAsked) {
    EXPECT_EQ(CView::RoutingView(), nullptr);
    Route(fwtest::ID_DOC_AND_APP);
    EXPECT_EQ(CView::RoutingView(), nullptr);
}

TEST_F(CFrameWndTest, PopupUpdateGraysByHandlerPresence) {
    // open, separator, unhandled, document command, system command, exit
    host::HMENU popup = MakePopup({fw::ID_FILE_OPEN, 0, fwtest::ID_UNHANDLED,
                                   fwtest::ID_DATA_OBJECTS, 0xF060, fw::ID_APP_EXIT});
    MainFrame()->UpdatePopupMenu(popup, 0, host::FALSE);
    EXPECT_FALSE(Grayed(popup, 0));
    EXPECT_TRUE(Grayed(popup, 2));
    EXPECT_FALSE(Grayed(popup, 3));
    EXPECT_TRUE(Grayed(popup, 4)) << "system commands are left as they are";
    EXPECT_FALSE(Grayed(popup, 5));
    EXPECT_EQ(host::GetMenuState(popup, 3, host::MF_BYPOSITION) & host::MF_CHECKED, 0u);
    EXPECT_TRUE(Log().empty()) << "updating runs no command";
    host::DestroyMenu(popup);
}

TEST_F(CFrameWndTest, PopupUpdateLeavesSystemMenuAndSubmenuItems) {
    host::HMENU popup = MakePopup({fwtest::ID_UNHANDLED});
    host::HMENU sub = MakePopup({fwtest::ID_UNHANDLED});
    host::EnableMenuItem(sub, 0, host::MF_BYPOSITION | host::MF_ENABLED);
    host::AppendMenu(popup, host::MF_POPUP | host::MF_GRAYED, reinterpret_cast<std::uintptr_t>(sub),
                     "sub");
    host::EnableMenuItem(popup, 0, host::MF_BYPOSITION | host::MF_ENABLED);
    MainFrame()->UpdatePopupMenu(popup, 0, host::TRUE);
    EXPECT_FALSE(Grayed(popup, 0)) << "the system menu is not updated";
    MainFrame()->UpdatePopupMenu(popup, 0, host::FALSE);
    EXPECT_TRUE(Grayed(popup, 0));
    EXPECT_TRUE(Grayed(popup, 1)) << "an item opening a popup is never touched";
    EXPECT_FALSE(Grayed(sub, 0)) << "nor grayed through its first item";
    host::DestroyMenu(popup);
}

TEST_F(CFrameWndTest, PopupUpdateFollowsDeletedAndInsertedItems) {
    host::HMENU popup = MakePopup({fwtest::ID_DELETES_ITSELF, fwtest::ID_DATA_OBJECTS,
                                   fwtest::ID_INSERTS_TWO, fwtest::ID_APP_ONLY});
    MainFrame()->UpdatePopupMenu(popup, 0, host::FALSE);
    ASSERT_EQ(host::GetMenuItemCount(popup), 4);
    // The item that moved into the deleted one's place is still updated.
    EXPECT_EQ(host::GetMenuItemID(popup, 0), fwtest::ID_DATA_OBJECTS);
    EXPECT_FALSE(Grayed(popup, 0));
    // The inserted items stay as their handler left them, and the item after
    // them is updated.
    EXPECT_EQ(host::GetMenuItemID(popup, 1), fwtest::ID_INSERTS_TWO);
    EXPECT_EQ(host::GetMenuItemID(popup, 2), fwtest::ID_INSERTS_TWO + 1);
    EXPECT_FALSE(Grayed(popup, 2));
    EXPECT_FALSE(Grayed(popup, 3));
    EXPECT_EQ(Log(), (std::vector<std::string>{"app:update40010", "app:update40012"}));
    host::DestroyMenu(popup);
}

TEST_F(CFrameWndTest, MenuOfTheFrameKeepsHandledItemsEnabled) {
    host::HMENU popup = host::GetSubMenu(host::GetMenu(MainFrame()->m_hWnd), 0);
    ASSERT_NE(popup, nullptr);
    host::SendMessage(MainFrame()->m_hWnd, host::WM_INITMENUPOPUP,
                      reinterpret_cast<host::WPARAM>(popup), 0);
    EXPECT_FALSE(Grayed(popup, 0));                                 // open
    EXPECT_FALSE(Grayed(popup, host::GetMenuItemCount(popup) - 1)); // exit
    EXPECT_FALSE(Grayed(popup, host::GetMenuItemCount(popup) - 3)); // 32771
}

TEST_F(CFrameWndTest, CtrlNMakesANewDocumentWithoutAMenuItem) {
    const int before = fwtest::TestDoc::s_live->m_newCalls;
    PressKey('N', host::MK_CONTROL);
    EXPECT_EQ(fwtest::TestDoc::s_live->m_newCalls, before + 1);
    EXPECT_EQ(host::GetWindowText(MainFrame()->m_hWnd), "Untitled - Kovomodel");
}

TEST_F(CFrameWndTest, KeysInAnotherTopLevelWindowStillReachTheMainAccelerators) {
    CWnd other; // a window outside the main window's family
    ASSERT_TRUE(other.CreateEx(host::CREATESTRUCT()));
    const int before = fwtest::TestDoc::s_live->m_newCalls;
    host::SetKeyState(host::MK_CONTROL);
    host::PostMessage(other.m_hWnd, host::WM_KEYDOWN, 'N', 0);
    app.PumpOneMessage();
    host::SetKeyState(0);
    EXPECT_EQ(fwtest::TestDoc::s_live->m_newCalls, before + 1);
}

TEST_F(CFrameWndTest, CtrlOOpensTheOpenDialog) {
    PressKey('O', host::MK_CONTROL);
    ASSERT_EQ(dialogs.openDialogs.size(), 1u);
    const host::OPENFILENAME& ofn = dialogs.openDialogs[0];
    EXPECT_EQ(ofn.title, "Open");
    ASSERT_EQ(ofn.filters.size(), 1u);
    EXPECT_EQ(ofn.filters[0].first, "All Files (*.*)");
    EXPECT_EQ(ofn.filters[0].second, "*.*");
    EXPECT_TRUE(ofn.fileMustExist);
    EXPECT_EQ(ofn.owner, MainFrame()->m_hWnd);
    EXPECT_TRUE(ofn.file.empty());
}

TEST_F(CFrameWndTest, CtrlSNeverWritesTheDocumentsFile) {
    const std::string path = WriteFile("model.dat", "SURFACE 1 2 3\n");
    ASSERT_NE(app.OpenDocumentPath(path), nullptr);
    struct stat before {};
    ASSERT_EQ(::stat(path.c_str(), &before), 0);
    dialogs.boxes.clear();
    PressKey('S', host::MK_CONTROL);
    EXPECT_TRUE(Route(fw::ID_FILE_SAVE)) << "the command is accepted";
    EXPECT_TRUE(Route(fw::ID_FILE_SAVE_AS));
    struct stat after {};
    ASSERT_EQ(::stat(path.c_str(), &after), 0);
    std::stringstream content;
    content << std::ifstream(path).rdbuf();
    EXPECT_EQ(content.str(), "SURFACE 1 2 3\n");
    EXPECT_EQ(after.st_mtim.tv_nsec, before.st_mtim.tv_nsec);
    EXPECT_EQ(after.st_ino, before.st_ino);
    EXPECT_TRUE(dialogs.boxes.empty());
    EXPECT_TRUE(dialogs.openDialogs.empty());
}

TEST_F(CFrameWndTest, EditingAndPaneKeysDoNothing) {
    const std::string title = host::GetWindowText(MainFrame()->m_hWnd);
    const std::vector<std::pair<UINT, UINT>> keys = {{'Z', host::MK_CONTROL},
                                                     {'X', host::MK_CONTROL},
                                                     {'C', host::MK_CONTROL},
                                                     {'V', host::MK_CONTROL},
                                                     {host::VK_BACK, host::MK_ALT},
                                                     {host::VK_DELETE, host::MK_SHIFT},
                                                     {host::VK_INSERT, host::MK_CONTROL},
                                                     {host::VK_INSERT, host::MK_SHIFT},
                                                     {host::VK_F6, 0},
                                                     {host::VK_F6, host::MK_SHIFT}};
    for (const auto& [key, modifiers] : keys) {
        PressKey(key, modifiers);
    }
    EXPECT_TRUE(Log().empty());
    EXPECT_TRUE(dialogs.boxes.empty());
    EXPECT_TRUE(dialogs.openDialogs.empty());
    EXPECT_EQ(host::GetWindowText(MainFrame()->m_hWnd), title);
    EXPECT_EQ(fwtest::TestDoc::s_live->m_newCalls, 1);
}

TEST_F(CFrameWndTest, PaneCommandsAreDisabledSoTheProbeSwallowsThem) {
    for (UINT id : {fw::ID_NEXT_PANE, fw::ID_PREV_PANE, fw::ID_WINDOW_SPLIT}) {
        CTestCmdUI state;
        state.m_id = id;
        MainFrame()->RouteCommand(id, fw::kUpdateCode, &state, nullptr);
        EXPECT_FALSE(state.m_enabled) << id;
        EXPECT_TRUE(MainFrame()->HandleCommand(id, 0)) << id;
    }
}

TEST_F(CFrameWndTest, SizeLaysTheViewOverTheClientArea) {
    host::MoveWindow(MainFrame()->m_hWnd, 10, 10, 400, 300, host::TRUE);
    host::RECT frame, view;
    host::GetClientRect(MainFrame()->m_hWnd, &frame);
    host::GetClientRect(View()->m_hWnd, &view);
    EXPECT_EQ(view.right, frame.right);
    EXPECT_EQ(view.bottom, frame.bottom);
}

TEST_F(CFrameWndTest, ExitClosesEverythingAndPostsQuit) {
    EXPECT_TRUE(Route(fw::ID_APP_EXIT));
    EXPECT_EQ(app.m_pMainWnd, nullptr);
    EXPECT_EQ(fwtest::TestDoc::s_live, nullptr);
    EXPECT_EQ(docTemplate->m_onlyDoc, nullptr);
    EXPECT_TRUE(dialogs.boxes.empty()) << "nothing asks to save";
    host::MSG msg;
    ASSERT_TRUE(host::PeekMessage(&msg, host::PM_REMOVE));
    EXPECT_EQ(msg.message, host::WM_QUIT);
}

TEST_F(CFrameWndTest, IdleUpdateReachesVisibleMainWindowAndDescendants) {
    EXPECT_FALSE(app.IdleStep(1));
    EXPECT_EQ(View()->m_idleUpdates, 0);
    EXPECT_TRUE(app.IdleStep(0));
    EXPECT_EQ(View()->m_idleUpdates, 1);
    host::ShowWindow(MainFrame()->m_hWnd, host::SW_HIDE);
    app.IdleStep(0);
    EXPECT_EQ(View()->m_idleUpdates, 1);
}

} // namespace
