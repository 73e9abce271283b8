#include "MessageLog.h"
#include "platform/HostDisplay.h"
#include "platform/HostGl.h"
#include "platform/HostMenu.h"

#include <gtest/gtest.h>

namespace host::test {
namespace {

TEST(HostWindowTest, CreateSendsCreateThenSizeOrDestroysWhenRefused) {
    MessageLog log;
    HWND seenParent = nullptr;
    log.react = [&](HWND w, UINT message, WPARAM, LPARAM) -> LRESULT {
        if (message == WM_CREATE)
            seenParent = GetParent(w);
        return -2;
    };
    HWND frame = log.CreateTopLevel(300, 200);
    EXPECT_EQ(log.Messages(), (std::vector<UINT>{WM_CREATE, WM_SIZE}));
    EXPECT_EQ(log.entries[1].wParam, SIZE_RESTORED);
    EXPECT_EQ(log.entries[1].lParam, MAKELPARAM(300, 200));
    EXPECT_FALSE(IsWindowVisible(frame));
    EXPECT_EQ(GetWindowText(frame), "Test");

    HWND view = log.CreateChild(frame, 59648);
    EXPECT_EQ(seenParent, frame);
    EXPECT_EQ(GetTopLevelWindow(view), frame);
    EXPECT_EQ(GetDlgItem(frame, 59648), view);
    EXPECT_EQ(GetDlgCtrlID(view), 59648);
    DestroyWindow(frame);

    // Refused with -1, or without a live parent, no window is left.
    log.entries.clear();
    CREATESTRUCT orphan;
    orphan.style = WS_CHILD;
    EXPECT_EQ(CreateWindow(orphan, &MessageLog::Proc, &log), nullptr);
    EXPECT_TRUE(log.entries.empty());
    log.react = [](HWND, UINT message, WPARAM, LPARAM) -> LRESULT {
        return message == WM_CREATE ? -1 : -2;
    };
    EXPECT_EQ(log.CreateTopLevel(), nullptr);
    EXPECT_EQ(log.Messages(), (std::vector<UINT>{WM_CREATE, WM_DESTROY, WM_NCDESTROY}));
    EXPECT_FALSE(IsWindow(log.entries[0].hwnd));
}

TEST(HostWindowTest, DestroyOrderAndCleanup) {
    MessageLog log;
    HWND frame = log.CreateTopLevel();
    HWND a = log.CreateChild(frame, 1);
    HWND b = log.CreateChild(frame, 2);
    HWND a1 = log.CreateChild(a, 3);
    EXPECT_EQ(GetChildWindows(frame), (std::vector<HWND>{a, b}));
    PostMessage(a1, WM_USER, 0, 0);
    log.entries.clear();
    int destroys = 0;
    log.react = [&](HWND w, UINT message, WPARAM, LPARAM) -> LRESULT {
        if (message == WM_DESTROY && ++destroys == 2) {
            EXPECT_FALSE(DestroyWindow(GetParent(w))); // already going
        }
        return -2;
    };
    EXPECT_TRUE(DestroyWindow(frame));
    std::vector<std::pair<HWND, UINT>> order;
    for (const Logged& entry : log.entries)
        order.emplace_back(entry.hwnd, entry.message);
    const std::vector<std::pair<HWND, UINT>> expected = {
        {frame, WM_DESTROY}, {a, WM_DESTROY},   {a1, WM_DESTROY},  {b, WM_DESTROY},
        {a1, WM_NCDESTROY},  {a, WM_NCDESTROY}, {b, WM_NCDESTROY}, {frame, WM_NCDESTROY}};
    EXPECT_EQ(order, expected);
    for (HWND w : {frame, a, b, a1})
        EXPECT_FALSE(IsWindow(w));
    MSG msg;
    EXPECT_FALSE(PeekMessage(&msg, PM_REMOVE)); // the posted message went too
    EXPECT_FALSE(DestroyWindow(frame));

    HWND closed = log.CreateTopLevel();
    SendMessage(closed, WM_CLOSE, 0, 0); // the default closes by destroying
    EXPECT_FALSE(IsWindow(closed));
}

TEST(HostWindowTest, SizesFollowMovesMenusAndMinimising) {
    MessageLog log;
    HWND frame = log.CreateTopLevel(400, 300);
    HWND view = log.CreateChild(frame, 1, 10, 10);
    log.entries.clear();
    MoveWindow(view, 0, 0, 10, 10, FALSE);
    EXPECT_TRUE(log.Of(WM_SIZE).empty()); // same size: no message
    MoveWindow(view, 5, 5, 120, 0, FALSE);
    ASSERT_EQ(log.Of(WM_SIZE).size(), 1u);
    EXPECT_EQ(log.Of(WM_SIZE)[0].lParam, MAKELPARAM(120, 0));

    HMENU bar = CreateMenu();
    AppendMenu(bar, MF_STRING, 100, "Info");
    SetMenu(frame, bar);
    RECT client;
    GetClientRect(frame, &client);
    EXPECT_EQ(client.bottom, 300 - 25); // the bar takes its height
    EXPECT_EQ(client.right, 400);

    ShowWindow(frame, SW_SHOW);
    ShowWindow(frame, SW_MINIMIZE);
    EXPECT_TRUE(IsIconic(frame));
    EXPECT_EQ(log.entries.back().message, WM_SIZE);
    EXPECT_EQ(log.entries.back().wParam, SIZE_MINIMIZED);
    EXPECT_EQ(log.entries.back().lParam, 0);
    ShowWindow(frame, SW_RESTORE);
    EXPECT_EQ(log.Of(WM_SIZE).back().wParam, SIZE_RESTORED);
    EXPECT_EQ(log.Of(WM_SIZE).back().lParam, MAKELPARAM(400, 275));
    DestroyWindow(frame);
    EXPECT_EQ(GetMenuItemCount(bar), -1); // the menu went with its window
}

TEST(HostWindowTest, MaximisingMarksTheWindowUntilItIsShownNormallyOrRestored) {
    MessageLog log;
    HWND frame = log.CreateTopLevel(400, 300);
    HWND view = log.CreateChild(frame, 1, 40, 30);
    RECT before;
    GetWindowRect(frame, &before);
    struct Step {
        int command;
        bool zoomed;
        UINT sizeType; // of the last WM_SIZE
    };
    // Without a display the record keeps its size; only the state changes.
    const Step steps[] = {
        {SW_SHOWMAXIMIZED, true, SIZE_MAXIMIZED}, {SW_MINIMIZE, true, SIZE_MINIMIZED},
        {SW_RESTORE, true, SIZE_MAXIMIZED},       {SW_SHOW, true, SIZE_MAXIMIZED},
        {SW_RESTORE, false, SIZE_RESTORED},       {SW_SHOWMAXIMIZED, true, SIZE_MAXIMIZED},
        {SW_SHOWNORMAL, false, SIZE_RESTORED},
    };
    for (const Step& step : steps) {
        ShowWindow(frame, step.command);
        EXPECT_EQ(IsZoomed(frame) != FALSE, step.zoomed) << step.command;
        EXPECT_EQ(log.Of(WM_SIZE).back().wParam, step.sizeType) << step.command;
    }
    RECT after;
    GetWindowRect(frame, &after);
    EXPECT_EQ(after.right - after.left, before.right - before.left);
    ShowWindow(view, SW_SHOWMAXIMIZED);
    EXPECT_FALSE(IsZoomed(view)) << "a child window does not maximise";
    DestroyWindow(frame);
    EXPECT_FALSE(IsZoomed(frame));
}

TEST(HostWindowTest, VisibilityEnablingAndFocus) {
    MessageLog log;
    HWND frame = log.CreateTopLevel();
    HWND view = log.CreateChild(frame, 1);
    EXPECT_FALSE(IsWindowVisible(view)); // shown, but its frame is not
    EXPECT_FALSE(ShowWindow(frame, SW_SHOW));
    EXPECT_TRUE(IsWindowVisible(view));
    EXPECT_EQ(GetActiveWindow(), frame);

    EXPECT_FALSE(EnableWindow(frame, FALSE));
    EXPECT_TRUE(EnableWindow(frame, FALSE));
    EXPECT_TRUE(GetWindowStyle(frame) & WS_DISABLED);
    EXPECT_TRUE(EnableWindow(frame, TRUE));
    EXPECT_EQ(log.Of(WM_ENABLE).size(), 2u);

    SetFocus(view);
    EXPECT_EQ(GetFocus(), view);
    DestroyWindow(frame);
    EXPECT_EQ(GetFocus(), nullptr);
    EXPECT_EQ(GetActiveWindow(), nullptr);

    RECT rect; // calls on a gone window fail quietly
    EXPECT_FALSE(GetClientRect(frame, &rect));
    EXPECT_FALSE(ShowWindow(frame, SW_SHOW));
    EXPECT_FALSE(InvalidateRect(frame, nullptr, TRUE));
    EXPECT_EQ(BeginPaint(frame, nullptr), nullptr);
}

TEST(HostWindowTest, WaitCursorNestsAndIgnoresUnbalancedEnds) {
    for (const char* step : {"+1", "+1", "-1", "-0", "-0", "+1"}) {
        SetWaitCursor(step[0] == '+');
        EXPECT_EQ(IsWaitCursorShown(), step[1] == '1') << step;
    }
    SetWaitCursor(false);
}
} // namespace
} // namespace host::test
