// The application and its thread: message boxes, the entry, the message loop,
// dialogs and resources.

#include "FrameworkTestSupport.h"

#include "framework/CDialog.h"
#include "framework/CRecentFileList.h"
#include "framework/CWinThread.h"
#include "framework/FrameworkIds.h"
#include "framework/ResourceRegistry.h"
#include "platform/HostQueue.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <new>

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
    // Without a title the executable's name serves.
    ResourceRegistry::RegisterString(fw::IDS_APP_TITLE, "");
    app.m_exeName = "/usr/bin/kovomodel";
    EXPECT_EQ(app.AppTitle(), "kovomodel");
}

// An application whose start-up fails, or which asks its main window to
// close as soon as the loop runs. It keeps no recent-file list.
class StartingApp : public fwtest::TestApp {
public:
    host::BOOL InitInstance() override {
        AddDocTemplate(std::make_unique<CSingleDocTemplate>(128, &fwtest::TestDoc::classRecord,
                                                            &fwtest::TestFrame::classRecord,
                                                            &fwtest::TestView::classRecord));
        OnFileNew();
        if (succeed) {
            host::PostMessage(m_pMainWnd->m_hWnd, host::WM_CLOSE, 0, 0);
        }
        return succeed;
    }
    int ExitInstance() override {
        ++exits;
        return CWinApp::ExitInstance();
    }
    host::BOOL succeed = host::FALSE;
    int exits = 0;
};

TEST_F(CWinAppTest, TheHelpContextHoldsOnlyWhileItsBoxIsUpAlsoWhenShowingFails) {
    host::UINT seen = 0;
    host::DialogHooks hooks;
    hooks.messageBox = [&](host::HWND, const std::string& text, const std::string&, host::UINT) {
        seen = app.m_helpContext;
        if (text == "fails") {
            throw std::bad_alloc();
        }
        return host::IDOK;
    };
    host::SetDialogHooks(hooks);
    app.m_helpContext = 7;
    app.ShowMessage("shown", host::MB_OK, 61);
    EXPECT_EQ(seen, 61u);
    EXPECT_EQ(app.m_helpContext, 7u);
    EXPECT_THROW(app.ShowMessage("fails", host::MB_OK, 62), std::bad_alloc);
    EXPECT_EQ(seen, 62u);
    EXPECT_EQ(app.m_helpContext, 7u) << "the outer box's help context is back";
}

TEST(RunApplicationTest, FailedStartUpOrClosedWindowEndsAfterTheExitSteps) {
    // The entry finds the profile through the environment: keep it away from
    // the user's own.
    char folder[] = "/tmp/kovo-run-XXXXXX";
    ASSERT_NE(mkdtemp(folder), nullptr);
    const fwtest::ScopedVariable config("XDG_CONFIG_HOME", folder);
    fwtest::RegisterTestResources();
    fwtest::DialogRecorder dialogs;
    for (host::BOOL succeed : {host::FALSE, host::TRUE}) {
        StartingApp app;
        app.succeed = succeed;
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
    EXPECT_TRUE(dialogs.boxes.empty());
    EXPECT_FALSE(std::filesystem::exists(std::string(folder) + "/kovomodel.INI"))
        << "an application without a list writes no profile";
    std::filesystem::remove_all(folder);
}

// An application that keeps a list with one entry and ends at once.
class ListingApp : public fwtest::TestApp {
public:
    host::BOOL InitInstance() override {
        LoadStdProfileSettings(4);
        m_recentList->AddPath("/m/a.dat");
        return host::FALSE;
    }
};

TEST(RunApplicationTest, WithoutANameTheSystemNamesTheProgramAndWithoutAHomeNoProfile) {
    char folder[] = "/tmp/kovo-run-XXXXXX";
    ASSERT_NE(mkdtemp(folder), nullptr);
    const std::filesystem::path previous = std::filesystem::current_path();
    std::filesystem::current_path(folder);
    const std::string self = std::filesystem::read_symlink("/proc/self/exe").filename().string();
    char empty[] = "";
    char* argv[] = {empty};
    {
        const fwtest::ScopedVariable config("XDG_CONFIG_HOME", folder);
        ListingApp app;
        RunApplication(app, 1, argv);
        EXPECT_EQ(app.m_profileName, self + ".INI") << "not a hidden \".INI\"";
        EXPECT_TRUE(std::filesystem::exists(std::string(folder) + "/" + self + ".INI"));
        std::filesystem::remove(std::string(folder) + "/" + self + ".INI");
    }
    {
        const fwtest::ScopedVariable config("XDG_CONFIG_HOME", nullptr);
        const fwtest::ScopedVariable home("HOME", nullptr);
        ListingApp app;
        RunApplication(app, 1, argv);
        EXPECT_EQ(app.m_profilePath, "");
    }
    EXPECT_TRUE(std::filesystem::is_empty(folder)) << "nothing in the current folder";
    std::filesystem::current_path(previous);
    std::filesystem::remove_all(folder);
}

TEST_F(CWinAppTest, DialogsAreOwnedByTheMainWindowAndMissingResourcesAreNothing) {
    host::DialogTemplate about;
    about.caption = "Prezerak - info";
    ResourceRegistry::RegisterDialog(100, about);
    StartNew();
    EXPECT_EQ(CDialog(100).DoModal(), host::IDOK);
    EXPECT_EQ(dialogs.dialogOwners, std::vector<host::HWND>{MainFrame()->m_hWnd});
    EXPECT_EQ(CDialog(4242).DoModal(), -1);
    // Missing resources load as nothing.
    EXPECT_EQ(ResourceRegistry::LoadString(1), "");
    EXPECT_EQ(ResourceRegistry::LoadMenu(4711), nullptr);
    EXPECT_EQ(ResourceRegistry::LoadAccelerators(4711), nullptr);
    EXPECT_EQ(ResourceRegistry::FindIcon(4711), nullptr);
}

TEST(IdleTriggerTest, PaintsTimerTicksAndRepeatedMovesDoNotTrigger) {
    const struct {
        host::UINT message;
        int x, y;
        int clientX; // the point in lParam
        bool triggers;
    } sequence[] = {
        {host::WM_PAINT, 0, 0, 0, false},
        {host::WM_SYSTIMER, 0, 0, 0, false},
        {host::WM_MOUSEMOVE, 10, 20, 10, true}, // the first move is news
        {host::WM_MOUSEMOVE, 10, 20, 10, false},
        {host::WM_PAINT, 0, 0, 0, false},
        {host::WM_MOUSEMOVE, 10, 20, 10, false}, // a paint between changes nothing
        {host::WM_MOUSEMOVE, 10, 20, 4, false},  // only the cursor position counts
        {host::WM_MOUSEMOVE, 11, 20, 4, true},
        {host::WM_NCMOUSEMOVE, 11, 20, 4, true}, // another kind of mouse message
        {host::WM_NCMOUSEMOVE, 11, 20, 4, false},
        {host::WM_LBUTTONDOWN, 11, 20, 4, true},
        {host::WM_KEYDOWN, 0, 0, 0, true},
        {host::WM_USER, 0, 0, 0, true},
    };
    CWinThread thread;
    int step = 0;
    for (const auto& s : sequence) {
        host::MSG msg;
        msg.message = s.message;
        msg.pt.x = s.x;
        msg.pt.y = s.y;
        msg.lParam = host::MAKELPARAM(s.clientX, s.y);
        EXPECT_EQ(thread.IsIdleTrigger(&msg) != 0, s.triggers) << "step " << step++;
    }
}

// A thread that records its idle steps and can post a message at the end of
// each idle period.
class CountingThread : public CWinThread {
public:
    host::BOOL IdleStep(long count) override {
        steps.push_back(count);
        if (count == 1 && !toPost.empty()) {
            host::PostMessage(nullptr, toPost.front(), 0, 0);
            toPost.erase(toPost.begin());
        }
        return CWinThread::IdleStep(count);
    }
    int ExitInstance() override {
        ++exits;
        return CWinThread::ExitInstance();
    }
    std::vector<long> steps;
    std::vector<host::UINT> toPost;
    int exits = 0;
};

TEST(MessageLoopTest, TwoIdleStepsPerIdlePeriodAndTheQuitCode) {
    CountingThread thread;
    host::PostQuitMessage(7);
    EXPECT_EQ(thread.RunMessageLoop(), 7);
    EXPECT_TRUE(thread.steps.empty()) << "a waiting message comes first";
    EXPECT_EQ(thread.exits, 1);

    CountingThread idle;
    EXPECT_EQ(idle.RunMessageLoop(), 0); // an empty queue without a display ends
    EXPECT_EQ(idle.steps, (std::vector<long>{0, 1}));

    // Only a triggering message starts a new idle period.
    CountingThread triggered;
    triggered.toPost = {host::WM_USER};
    EXPECT_EQ(triggered.RunMessageLoop(), 0);
    EXPECT_EQ(triggered.steps, (std::vector<long>{0, 1, 0, 1}));
    CountingThread quiet;
    quiet.toPost = {host::WM_SYSTIMER};
    EXPECT_EQ(quiet.RunMessageLoop(), 0);
    EXPECT_EQ(quiet.steps, (std::vector<long>{0, 1}));
}

} // namespace
