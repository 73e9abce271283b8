#include "MessageLog.h"
#include "platform/HostDisplay.h"
#include "platform/HostGl.h"
#include "platform/HostMenu.h"

#include <gtest/gtest.h>

namespace host::test {
namespace {

class HostQueueTest : public ::testing::Test {
protected:
    MessageLog log;
    HWND hwnd = nullptr;

    void SetUp() override {
        hwnd = log.CreateTopLevel();
        ShowWindow(hwnd, SW_SHOW);
        Drain();
        log.entries.clear();
    }
    void TearDown() override {
        DestroyWindow(hwnd);
        Drain();
        SetKeyState(0);
    }
};

TEST_F(HostQueueTest, PostedMessagesComeInOrderThenQuitThenPaints) {
    EXPECT_FALSE(PostMessage(reinterpret_cast<HWND>(&log), WM_USER, 0, 0)); // no such window
    InvalidateRect(hwnd, nullptr, FALSE);
    PostMessage(hwnd, WM_USER + 1, 1, 0);
    PostQuitMessage(7);
    PostMessage(nullptr, WM_USER + 2, 2, 0); // a thread message is kept too
    MSG msg;
    ASSERT_TRUE(PeekMessage(&msg, PM_NOREMOVE));
    ASSERT_TRUE(GetMessage(&msg));
    EXPECT_EQ(msg.message, WM_USER + 1);
    ASSERT_TRUE(GetMessage(&msg));
    EXPECT_EQ(msg.message, WM_USER + 2);
    EXPECT_EQ(msg.hwnd, nullptr);
    EXPECT_EQ(DispatchMessage(&msg), 0);
    EXPECT_FALSE(GetMessage(&msg));
    EXPECT_EQ(msg.message, WM_QUIT);
    EXPECT_EQ(msg.wParam, 7u);
    // Then the paint; with nothing left the headless queue ends with a plain
    // WM_QUIT instead of waiting for ever.
    if (HasDisplay())
        return; // it would wait for toolkit events
    ASSERT_TRUE(GetMessage(&msg));
    EXPECT_EQ(msg.message, WM_PAINT);
    DispatchMessage(&msg);
    EXPECT_FALSE(GetMessage(&msg));
    EXPECT_EQ(msg.wParam, 0u);
    EXPECT_FALSE(PeekMessage(&msg, PM_REMOVE));
}

TEST_F(HostQueueTest, InvalidationsMergeIntoOnePaintAfterPostedMessagesAndOnlyWhenShown) {
    if (HasDisplay())
        GTEST_SKIP() << "exposes from the display add paints";
    InvalidateRect(hwnd, nullptr, FALSE);
    InvalidateRect(hwnd, nullptr, TRUE);
    PostMessage(hwnd, WM_USER, 0, 0);
    const std::vector<MSG> taken = Drain();
    ASSERT_EQ(taken.size(), 2u);
    EXPECT_EQ(taken[0].message, WM_USER);
    EXPECT_EQ(taken[1].message, WM_PAINT);
    // The default paint erased first, once, because one request asked for it.
    EXPECT_EQ(log.Of(WM_ERASEBKGND).size(), 1u);

    ShowWindow(hwnd, SW_HIDE);
    InvalidateRect(hwnd, nullptr, FALSE);
    EXPECT_TRUE(Drain().empty());
    ShowWindow(hwnd, SW_SHOW);
    EXPECT_EQ(Drain().size(), 1u);
    InvalidateRect(hwnd, nullptr, TRUE);
    ValidateRect(hwnd, nullptr);
    EXPECT_TRUE(Drain().empty());
}

TEST_F(HostQueueTest, APaintStaysPendingUntilValidatedEvenWhenAskedForDuringErase) {
    log.react = [](HWND, UINT message, WPARAM, LPARAM) -> LRESULT {
        return message == WM_PAINT ? 0 : -2; // never validates
    };
    InvalidateRect(hwnd, nullptr, FALSE);
    MSG msg;
    ASSERT_TRUE(PeekMessage(&msg, PM_REMOVE));
    DispatchMessage(&msg);
    ASSERT_TRUE(PeekMessage(&msg, PM_NOREMOVE));
    EXPECT_EQ(msg.message, WM_PAINT);

    // BeginPaint validates before it erases, so an invalidation from the erase survives.
    log.react = [](HWND w, UINT message, WPARAM, LPARAM) -> LRESULT {
        if (message == WM_ERASEBKGND)
            InvalidateRect(w, nullptr, FALSE);
        return -2;
    };
    InvalidateRect(hwnd, nullptr, TRUE);
    PAINTSTRUCT paint;
    EXPECT_EQ(BeginPaint(hwnd, &paint), GetDC(hwnd));
    EndPaint(hwnd, &paint);
    log.react = nullptr;
    ASSERT_TRUE(PeekMessage(&msg, PM_NOREMOVE));
    EXPECT_EQ(msg.message, WM_PAINT);
    EXPECT_EQ(msg.hwnd, hwnd);
}

TEST_F(HostQueueTest, SendMessageIsSynchronousAndReentrant) {
    log.react = [](HWND w, UINT message, WPARAM wParam, LPARAM) -> LRESULT {
        if (message != WM_USER)
            return -2;
        return wParam == 0 ? 1 : wParam + SendMessage(w, WM_USER, wParam - 1, 0);
    };
    EXPECT_EQ(SendMessage(hwnd, WM_USER, 3, 0), 7);
    EXPECT_EQ(log.Of(WM_USER).size(), 4u);
    EXPECT_EQ(SendMessage(nullptr, WM_USER, 3, 0), 0);
}

TEST_F(HostQueueTest, KeyStateIsTheOneTheLastKeyMessageTakenWasPostedWith) {
    SetKeyState(MK_CONTROL | MK_SHIFT);
    PostMessage(hwnd, WM_KEYDOWN, 'O', 0);
    SetKeyState(MK_ALT);
    PostMessage(hwnd, WM_USER, 0, 0);
    MSG msg;
    ASSERT_TRUE(PeekMessage(&msg, PM_REMOVE));
    ASSERT_TRUE(PeekMessage(&msg, PM_REMOVE)); // not a key: changes nothing
    EXPECT_LT(GetKeyState(VK_CONTROL), 0);
    EXPECT_LT(GetKeyState(VK_SHIFT), 0);
    EXPECT_EQ(GetKeyState(VK_MENU), 0);
    EXPECT_EQ(GetKeyState('A'), 0);
}

} // namespace
} // namespace host::test
