// Window-message dispatch: signatures, the lookup cache and the guard that
// turns escaping exceptions into results and messages.

#include "FrameworkTestSupport.h"

#include "framework/CFileException.h"
#include "framework/CMemoryException.h"
#include "framework/CUserException.h"
#include "framework/CWnd.h"
#include "framework/FrameworkIds.h"
#include "framework/MessageLookupCache.h"
#include "platform/HostQueue.h"

#include <gtest/gtest.h>

#include <functional>
#include <new>

using host::LRESULT;
using host::UINT;

namespace {

constexpr UINT kThrowingCommand = 41000;
constexpr UINT WM_TEST = host::WM_USER + 1;
constexpr UINT WM_UNLISTED = host::WM_USER + 2;

// A window whose handlers run whatever the test asks for.
class ProbeWindow : public CWnd {
public:
    KOVO_DECLARE_MESSAGE_MAP()

    std::function<void()> action = [] {};
    bool refuseCreate = false;
    int testCalls = 0;
    UINT sizeType = 0;
    int cx = 0, cy = 0, x = 0, y = 0;

    int OnCreate(host::CREATESTRUCT*) {
        if (refuseCreate) {
            throw CFileException(CFileException::Generic, 0, "x");
        }
        return 0;
    }
    void OnPaint() { action(); }
    void OnCommandThrows() { action(); }
    LRESULT OnTest(host::WPARAM, host::LPARAM) {
        ++testCalls;
        action();
        return 42;
    }
    void OnSize(UINT type, int width, int height) {
        sizeType = type;
        cx = width;
        cy = height;
    }
    void OnMouseMove(UINT, int px, int py) {
        x = px;
        y = py;
    }
};

KOVO_BEGIN_MESSAGE_MAP(ProbeWindow, CWnd)
KOVO_ON_CREATE(&ProbeWindow::OnCreate)
KOVO_ON_PLAIN(host::WM_PAINT, &ProbeWindow::OnPaint)
KOVO_ON_COMMAND(kThrowingCommand, &ProbeWindow::OnCommandThrows)
KOVO_ON_MESSAGE(WM_TEST, &ProbeWindow::OnTest)
KOVO_ON_SIZE(&ProbeWindow::OnSize)
KOVO_ON_MOUSE(host::WM_MOUSEMOVE, &ProbeWindow::OnMouseMove)
KOVO_END_MESSAGE_MAP()

class CWndTest : public ::testing::Test {
protected:
    void SetUp() override {
        fwtest::RegisterTestResources();
        host::CREATESTRUCT cs;
        cs.cx = 200;
        cs.cy = 100;
        ASSERT_TRUE(window.CreateEx(cs));
    }

    LRESULT Send(UINT message, host::WPARAM wParam = 0, host::LPARAM lParam = 0) {
        return host::SendMessage(window.m_hWnd, message, wParam, lParam);
    }

    fwtest::TestApp app;
    fwtest::DialogRecorder dialogs;
    ProbeWindow window;
};

TEST_F(CWndTest, HandlersReceiveUnpackedArguments) {
    EXPECT_EQ(Send(WM_TEST), 42);
    Send(host::WM_SIZE, host::SIZE_MAXIMIZED, host::MAKELPARAM(640, 480));
    EXPECT_EQ(window.sizeType, host::SIZE_MAXIMIZED);
    EXPECT_EQ(window.cx, 640);
    EXPECT_EQ(window.cy, 480);
    // Points left or above the client area arrive negative.
    Send(host::WM_MOUSEMOVE, 0, host::MAKELPARAM(-5, -7));
    EXPECT_EQ(window.x, -5);
    EXPECT_EQ(window.y, -7);
}

TEST_F(CWndTest, LookupsAreCachedIncludingMisses) {
    Send(WM_TEST);
    Send(WM_UNLISTED);
    const unsigned long walks = MessageLookupCache::WalkCount();
    Send(WM_TEST);
    Send(WM_UNLISTED);
    Send(WM_TEST);
    EXPECT_EQ(MessageLookupCache::WalkCount(), walks);
    EXPECT_EQ(window.testCalls, 3);
}

TEST_F(CWndTest, FailureInCreationRefusesTheWindowSilently) {
    ProbeWindow refused;
    refused.refuseCreate = true;
    EXPECT_FALSE(refused.CreateEx(host::CREATESTRUCT()));
    EXPECT_EQ(refused.m_hWnd, nullptr);
    EXPECT_TRUE(dialogs.boxes.empty());
}

TEST_F(CWndTest, FailureInPaintValidatesWithoutMessage) {
    window.action = [] { throw CException(); };
    host::InvalidateRect(window.m_hWnd, nullptr, host::FALSE);
    EXPECT_EQ(Send(host::WM_PAINT), 0);
    host::MSG msg;
    EXPECT_FALSE(host::PeekMessage(&msg, host::PM_NOREMOVE)) << "the paint would repeat";
    EXPECT_TRUE(dialogs.boxes.empty());
}

TEST_F(CWndTest, FailureInMenuCommandShowsCommandFailed) {
    window.action = [] { throw CException(); };
    EXPECT_EQ(Send(host::WM_COMMAND, kThrowingCommand, 0), host::TRUE);
    ASSERT_EQ(dialogs.boxes.size(), 1u);
    EXPECT_EQ(dialogs.boxes[0].text, "Command failed.");
    EXPECT_EQ(dialogs.boxes[0].caption, "Kovomodel");
    EXPECT_EQ(dialogs.boxes[0].type & host::MB_ICONMASK, host::MB_ICONSTOP);
}

TEST_F(CWndTest, FailureInOtherMessageShowsInternalError) {
    window.action = [] { throw CException(); };
    EXPECT_EQ(Send(WM_TEST), 0);
    ASSERT_EQ(dialogs.boxes.size(), 1u);
    EXPECT_EQ(dialogs.boxes[0].text, "Internal application error.");
}

TEST_F(CWndTest, FailureWithOwnTextShowsIt) {
    window.action = [] { throw CFileException(CFileException::FileNotFound, 2, "/tmp/a.dat"); };
    Send(host::WM_COMMAND, kThrowingCommand, 0);
    ASSERT_EQ(dialogs.boxes.size(), 1u);
    EXPECT_EQ(dialogs.boxes[0].text, "/tmp/a.dat was not found.");
    EXPECT_EQ(dialogs.boxes[0].type & host::MB_ICONMASK, host::MB_ICONSTOP);
}

TEST_F(CWndTest, OutOfMemoryIsSystemModalExclamation) {
    for (auto thrower : {std::function<void()>([] { throw CMemoryException(); }),
                         std::function<void()>([] { throw std::bad_alloc(); })}) {
        dialogs.boxes.clear();
        window.action = thrower;
        EXPECT_EQ(Send(WM_TEST), 0);
        ASSERT_EQ(dialogs.boxes.size(), 1u);
        EXPECT_EQ(dialogs.boxes[0].text, "Out of memory.");
        EXPECT_EQ(dialogs.boxes[0].type & host::MB_ICONMASK, host::MB_ICONEXCLAMATION);
        EXPECT_NE(dialogs.boxes[0].type & host::MB_SYSTEMMODAL, 0u);
    }
}

TEST_F(CWndTest, AlreadyReportedFailureShowsNothing) {
    window.action = [] { throw CUserException(); };
    EXPECT_EQ(Send(host::WM_COMMAND, kThrowingCommand, 0), host::TRUE);
    EXPECT_TRUE(dialogs.boxes.empty());
}

TEST_F(CWndTest, CommandIdZeroAndUnhandledCommandsAreNotHandled) {
    EXPECT_FALSE(window.HandleCommand(0, 0));
    EXPECT_FALSE(window.HandleCommand(fwtest::ID_UNHANDLED, 0));
}

} // namespace
