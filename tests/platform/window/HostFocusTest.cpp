// The active window and the keyboard focus: which calls and clicks activate a
// top-level window, and the WM_ACTIVATE and WM_MOUSEACTIVATE messages that say
// so, in the order and with the parameters that windows rely on.

#include "MessageLog.h"
#include "platform/queue/MessageQueue.h"

#include <gtest/gtest.h>

#include <tuple>

namespace host::test {
namespace {

using Seen = std::tuple<HWND, UINT, WPARAM, LPARAM>;

// The activation and focus messages logged, in order.
std::vector<Seen> ActivationMessages(const MessageLog& log) {
    std::vector<Seen> seen;
    for (const Logged& entry : log.entries) {
        const UINT m = entry.message;
        if (m == WM_ACTIVATE || m == WM_MOUSEACTIVATE || m == WM_SETFOCUS || m == WM_KILLFOCUS) {
            seen.emplace_back(entry.hwnd, m, entry.wParam, entry.lParam);
        }
    }
    return seen;
}

LPARAM Handle(HWND hwnd) {
    return reinterpret_cast<LPARAM>(hwnd);
}

// A press by the user, as the toolkit posts it.
void PostPress(HWND hwnd, UINT message) {
    MSG msg;
    msg.hwnd = hwnd;
    msg.message = message;
    msg.lParam = MAKELPARAM(5, 6);
    MessageQueue::Instance().PostInput(msg);
}

// Two frames, the first with a child view; the second is shown last, so it
// is the active one.
struct TwoFrames {
    MessageLog log;
    HWND first = log.CreateTopLevel();
    HWND view = log.CreateChild(first, 1);
    HWND second = log.CreateTopLevel();

    TwoFrames() {
        ShowWindow(first, SW_SHOW);
        ShowWindow(second, SW_SHOW);
        Drain(); // their first paints
        log.entries.clear();
    }
    ~TwoFrames() {
        DestroyWindow(first);
        DestroyWindow(second);
        Drain();
    }
};

TEST(HostFocusTest, ShowingOrRaisingActivatesAndTheWindowLosingItHearsFirst) {
    TwoFrames f;
    EXPECT_EQ(GetActiveWindow(), f.second);
    EXPECT_EQ(GetFocus(), f.second)
        << "the default handling gives an activated window the keyboard";

    BringWindowToTop(f.first);
    const std::vector<Seen> expected = {
        {f.second, WM_ACTIVATE, MAKEWPARAM(WA_INACTIVE, 0), Handle(f.first)},
        {f.first, WM_ACTIVATE, MAKEWPARAM(WA_ACTIVE, 0), Handle(f.second)},
        {f.second, WM_KILLFOCUS, reinterpret_cast<WPARAM>(f.first), 0},
        {f.first, WM_SETFOCUS, reinterpret_cast<WPARAM>(f.second), 0},
    };
    EXPECT_EQ(ActivationMessages(f.log), expected);
    EXPECT_EQ(GetActiveWindow(), f.first);

    // Nothing changes for the active window, a minimised one, a hidden one or a child.
    f.log.entries.clear();
    ShowWindow(f.first, SW_SHOW);
    BringWindowToTop(f.first);
    ShowWindow(f.second, SW_MINIMIZE);
    BringWindowToTop(f.view);
    HWND hidden = f.log.CreateTopLevel();
    BringWindowToTop(hidden);
    EXPECT_TRUE(ActivationMessages(f.log).empty());
    EXPECT_EQ(GetActiveWindow(), f.first);
    DestroyWindow(hidden);

    // A window's answer may move the keyboard on: the program's frames give it to their view.
    f.log.react = [&f](HWND hwnd, UINT message, WPARAM wParam, LPARAM) -> LRESULT {
        if (hwnd == f.second && message == WM_ACTIVATE && LOWORD(wParam) != WA_INACTIVE) {
            SetFocus(nullptr);
            return 0;
        }
        return -2;
    };
    ShowWindow(f.second, SW_RESTORE);
    EXPECT_EQ(GetActiveWindow(), f.second);
    EXPECT_EQ(GetFocus(), nullptr);
    DestroyWindow(f.second);
    EXPECT_EQ(GetActiveWindow(), nullptr);
}

TEST(HostFocusTest, AClickAsksTheWindowUnderTheMouseWhoseAnswerDecides) {
    struct Case {
        LRESULT answer; // -2: the default, which asks the parent first
        bool activates;
        bool delivered;
    };
    const Case cases[] = {
        {-2, true, true},
        {MA_ACTIVATE, true, true},
        {MA_ACTIVATEANDEAT, true, false},
        {MA_NOACTIVATE, false, true},
        {MA_NOACTIVATEANDEAT, false, false},
    };
    for (const Case& c : cases) {
        TwoFrames f;
        f.log.react = [&](HWND hwnd, UINT message, WPARAM, LPARAM) -> LRESULT {
            return hwnd == f.view && message == WM_MOUSEACTIVATE ? c.answer : -2;
        };
        PostPress(f.view, WM_LBUTTONDOWN);
        const std::vector<MSG> taken = Drain();
        const std::vector<Logged> asked = f.log.Of(WM_MOUSEACTIVATE);
        ASSERT_FALSE(asked.empty()) << c.answer;
        EXPECT_EQ(asked[0].hwnd, f.view);
        EXPECT_EQ(asked[0].wParam, reinterpret_cast<WPARAM>(f.first)) << "the top-level window";
        EXPECT_EQ(asked[0].lParam, MAKELPARAM(HTCLIENT, WM_LBUTTONDOWN));
        EXPECT_EQ(asked.size(), c.answer == -2 ? 2u : 1u) << "only the default asks the parent";
        EXPECT_EQ(GetActiveWindow(), c.activates ? f.first : f.second) << c.answer;
        if (c.activates) {
            const std::vector<Logged> activations = f.log.Of(WM_ACTIVATE);
            ASSERT_EQ(activations.size(), 2u);
            EXPECT_EQ(activations[1].hwnd, f.first);
            EXPECT_EQ(activations[1].wParam, MAKEWPARAM(WA_CLICKACTIVE, 0));
        }
        EXPECT_EQ(taken.size(), c.delivered ? 1u : 0u) << c.answer;
    }
}

TEST(HostFocusTest, OnlyUserPressesOutsideTheActiveWindowTakeTheActivationStep) {
    TwoFrames f;
    PostMessage(f.view, WM_LBUTTONDOWN, 0, 0); // the program's own post
    PostPress(f.second, WM_LBUTTONDOWN);       // into the active window itself
    PostPress(f.view, WM_MOUSEMOVE);
    PostPress(f.view, WM_LBUTTONUP);
    EXPECT_EQ(Drain().size(), 4u);
    EXPECT_TRUE(f.log.Of(WM_MOUSEACTIVATE).empty());

    // Every button's presses and double clicks ask; a child of the active
    // window is asked although its frame is active already.
    BringWindowToTop(f.first);
    for (UINT press : {WM_LBUTTONDOWN, WM_LBUTTONDBLCLK, WM_RBUTTONDOWN, WM_RBUTTONDBLCLK,
                       WM_MBUTTONDOWN, WM_MBUTTONDBLCLK}) {
        f.log.entries.clear();
        PostPress(f.view, press);
        EXPECT_EQ(Drain().size(), 1u);
        const std::vector<Logged> asked = f.log.Of(WM_MOUSEACTIVATE);
        ASSERT_EQ(asked.size(), 2u) << press;
        EXPECT_EQ(HIWORD(asked[0].lParam), press);
        EXPECT_TRUE(f.log.Of(WM_ACTIVATE).empty()) << press;
    }
}

} // namespace
} // namespace host::test
