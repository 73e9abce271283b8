// The frame: command routing through view, document and application, menu
// graying before a popup opens, accelerators and closing.

#include "FrameworkTestSupport.h"

#include "framework/CTestCmdUI.h"
#include "framework/CommandProbe.h"
#include "framework/FrameworkIds.h"
#include "framework/MessageMapEntry.h"
#include "platform/HostMenu.h"
#include "platform/HostQueue.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

using fwtest::Log;
using host::UINT;
using Strings = std::vector<std::string>;

namespace {

class CFrameWndTest : public fwtest::FrameworkTest {
protected:
    void SetUp() override {
        FrameworkTest::SetUp();
        ASSERT_NE(StartNew(), nullptr);
        Log().clear();
    }

    bool Route(UINT id) { return MainFrame()->RouteCommand(id, 0, nullptr, nullptr) != 0; }

    // A popup of grayed items with the given ids (0: separator).
    static host::HMENU MakePopup(const std::vector<UINT>& ids) {
        host::HMENU popup = host::CreatePopupMenu();
        for (UINT id : ids) {
            host::AppendMenu(popup, id == 0 ? host::MF_SEPARATOR : host::MF_GRAYED, id, "item");
        }
        return popup;
    }
    // "g" for each grayed item, "-" for each other one.
    static std::string Grayed(host::HMENU popup) {
        std::string states;
        for (int i = 0; i < host::GetMenuItemCount(popup); ++i) {
            states +=
                host::GetMenuState(popup, i, host::MF_BYPOSITION) & host::MF_GRAYED ? 'g' : '-';
        }
        return states;
    }
};

TEST_F(CFrameWndTest, RoutingOrderIsViewDocumentFrameApplication) {
    EXPECT_TRUE(Route(fwtest::ID_VIEW_AND_DOC));
    EXPECT_TRUE(Route(fwtest::ID_DOC_AND_APP));
    EXPECT_TRUE(Route(fwtest::ID_APP_ONLY));
    EXPECT_TRUE(Route(fwtest::ID_DATA_OBJECTS));
    EXPECT_FALSE(Route(fwtest::ID_UNHANDLED));
    EXPECT_EQ(Log(), (Strings{"view:40001", "doc:40002", "app:40003", "doc:32771"}));
    EXPECT_EQ(CView::RoutingView(), nullptr) << "only set while the document is asked";

    // An update handler may let the next receiver decide.
    Log().clear();
    CTestCmdUI state;
    state.m_id = fwtest::ID_PASS_ON;
    EXPECT_TRUE(MainFrame()->RouteCommand(state.m_id, fw::kUpdateCode, &state, nullptr));
    EXPECT_EQ(Log(), (Strings{"view:update40004", "doc:update40004"}));
    EXPECT_FALSE(state.m_enabled);
    EXPECT_FALSE(state.m_continueRouting) << "cleared after it was honoured";
}

TEST_F(CFrameWndTest, PopupUpdateGraysByHandlerPresence) {
    // open, separator, unhandled, document, update handler grays, exit
    host::HMENU popup = MakePopup({fw::ID_FILE_OPEN, 0, fwtest::ID_UNHANDLED,
                                   fwtest::ID_DATA_OBJECTS, fwtest::ID_PASS_ON, fw::ID_APP_EXIT});
    host::AppendMenu(popup, 0, 0xF060, "system command, unhandled but never grayed");
    // A submenu is updated through its first item but never grayed.
    host::HMENU sub = host::CreatePopupMenu();
    host::AppendMenu(sub, 0, fwtest::ID_PASS_ON, "sub item");
    host::AppendMenu(popup, host::MF_POPUP, reinterpret_cast<std::uintptr_t>(sub), "sub");

    MainFrame()->UpdatePopupMenu(popup, 0, host::TRUE);
    EXPECT_EQ(Grayed(popup), "g-gggg--") << "the system menu is not updated";
    MainFrame()->UpdatePopupMenu(popup, 0, host::FALSE);
    EXPECT_EQ(Grayed(popup), "--g-g---");
    EXPECT_EQ(Grayed(sub), "-");
    EXPECT_EQ(Log(), (Strings{"view:update40004", "doc:update40004", "view:update40004",
                              "doc:update40004"}))
        << "updating runs no command";
    host::DestroyMenu(popup);

    // The frame's own menu is updated when a popup of it opens.
    popup = host::GetSubMenu(host::GetMenu(MainFrame()->m_hWnd), 0);
    host::SendMessage(MainFrame()->m_hWnd, host::WM_INITMENUPOPUP,
                      reinterpret_cast<host::WPARAM>(popup), 0);
    EXPECT_EQ(Grayed(popup), "--g---"); // the recent-file placeholder only
}

TEST_F(CFrameWndTest, PopupUpdateFollowsDeletedAndInsertedItems) {
    host::HMENU popup = MakePopup({fwtest::ID_DELETES_ITSELF, fwtest::ID_DATA_OBJECTS,
                                   fwtest::ID_INSERTS_TWO, fwtest::ID_APP_ONLY});
    MainFrame()->UpdatePopupMenu(popup, 0, host::FALSE);
    ASSERT_EQ(host::GetMenuItemCount(popup), 4);
    EXPECT_EQ(host::GetMenuItemID(popup, 0), fwtest::ID_DATA_OBJECTS);
    EXPECT_EQ(host::GetMenuItemID(popup, 1), fwtest::ID_INSERTS_TWO);
    EXPECT_EQ(host::GetMenuItemID(popup, 2), fwtest::ID_INSERTS_TWO + 1);
    // The item moved into the deleted one's place and the one after the
    // inserted pair are still updated; the pair stays as its handler left it.
    EXPECT_EQ(Grayed(popup), "----");
    EXPECT_EQ(Log(), (Strings{"app:update40010", "app:update40012"}));
    host::DestroyMenu(popup);
}

TEST_F(CFrameWndTest, CtrlNMakesANewDocumentAlsoFromAnotherTopLevelWindow) {
    ASSERT_NE(app.OpenDocumentPath(WriteFile("model.dat")), nullptr);
    PressKey('N', host::MK_CONTROL);
    EXPECT_EQ(fwtest::TestDoc::s_live->m_newCalls, 2);
    EXPECT_EQ(Caption(), "Untitled - Kovomodel");

    CWnd other; // outside the main window's family
    ASSERT_TRUE(other.CreateEx(host::CREATESTRUCT()));
    host::SetKeyState(host::MK_CONTROL);
    host::PostMessage(other.m_hWnd, host::WM_KEYDOWN, 'N', 0);
    app.PumpOneMessage();
    host::SetKeyState(0);
    EXPECT_EQ(fwtest::TestDoc::s_live->m_newCalls, 3);
}

TEST_F(CFrameWndTest, CtrlOOpensTheChosenFileAndCancelDoesNothing) {
    PressKey('O', host::MK_CONTROL);
    ASSERT_EQ(dialogs.openDialogs.size(), 1u);
    const host::OPENFILENAME& ofn = dialogs.openDialogs[0];
    EXPECT_EQ(ofn.title, "Open");
    EXPECT_EQ(ofn.filters, (decltype(ofn.filters){{"All Files (*.*)", "*.*"}}));
    EXPECT_TRUE(ofn.fileMustExist);
    EXPECT_EQ(ofn.owner, MainFrame()->m_hWnd);
    EXPECT_TRUE(ofn.file.empty());
    EXPECT_EQ(fwtest::TestDoc::s_live->m_openCalls, 0);

    dialogs.fileToChoose = WriteFile("chosen.dat");
    PressKey('O', host::MK_CONTROL);
    EXPECT_EQ(fwtest::TestDoc::s_live->m_pathName, dialogs.fileToChoose);
    EXPECT_EQ(Caption(), "chosen.dat - Kovomodel");
}

TEST_F(CFrameWndTest, SaveEditingAndPaneKeysDoNothingAndWriteNothing) {
    const std::string path = WriteFile("model.dat", "SURFACE 1 2 3\n");
    ASSERT_NE(app.OpenDocumentPath(path), nullptr);
    struct stat before {};
    ASSERT_EQ(::stat(path.c_str(), &before), 0);
    dialogs.boxes.clear();
    const std::pair<UINT, UINT> keys[] = {
        {'S', host::MK_CONTROL},           {'Z', host::MK_CONTROL},
        {'X', host::MK_CONTROL},           {'C', host::MK_CONTROL},
        {'V', host::MK_CONTROL},           {host::VK_BACK, host::MK_ALT},
        {host::VK_DELETE, host::MK_SHIFT}, {host::VK_INSERT, host::MK_CONTROL},
        {host::VK_INSERT, host::MK_SHIFT}, {host::VK_F6, 0},
        {host::VK_F6, host::MK_SHIFT}};
    for (const auto& [key, modifiers] : keys) {
        PressKey(key, modifiers);
    }
    EXPECT_TRUE(Route(fw::ID_FILE_SAVE)) << "the command is accepted";
    EXPECT_TRUE(Route(fw::ID_FILE_SAVE_AS));
    struct stat after {};
    ASSERT_EQ(::stat(path.c_str(), &after), 0);
    EXPECT_EQ(ReadFile(path), "SURFACE 1 2 3\n");
    EXPECT_EQ(after.st_mtim.tv_nsec, before.st_mtim.tv_nsec);
    EXPECT_TRUE(Log().empty());
    EXPECT_TRUE(dialogs.boxes.empty());
    EXPECT_TRUE(dialogs.openDialogs.empty());
    EXPECT_EQ(Caption(), "model.dat - Kovomodel");
    EXPECT_EQ(fwtest::TestDoc::s_live->m_newCalls, 1);

    // The pane commands are disabled, so the key's command is swallowed.
    for (UINT id : {fw::ID_NEXT_PANE, fw::ID_PREV_PANE, fw::ID_WINDOW_SPLIT}) {
        CTestCmdUI state;
        state.m_id = id;
        MainFrame()->RouteCommand(id, fw::kUpdateCode, &state, nullptr);
        EXPECT_FALSE(state.m_enabled) << id;
        EXPECT_TRUE(MainFrame()->HandleCommand(id, 0)) << id;
    }
    // Splitting is a plain command that the view ends; a pane command goes
    // on past the view and finds nobody.
    CommandProbe probe;
    EXPECT_TRUE(MainFrame()->RouteCommand(fw::ID_WINDOW_SPLIT, 0, nullptr, &probe));
    EXPECT_EQ(probe.target, View());
    ASSERT_NE(probe.entry, nullptr);
    EXPECT_EQ(probe.entry->signature, MessageSignature::Command);
    EXPECT_TRUE(Route(fw::ID_WINDOW_SPLIT));
    EXPECT_FALSE(Route(fw::ID_NEXT_PANE));
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
