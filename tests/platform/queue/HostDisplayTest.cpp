#include "DisplayProcess.h"
#include "MessageLog.h"
#include "platform/HostGl.h"
#include "platform/HostMenu.h"
#include "platform/menu/HostMenuBar.h"
#include "platform/menu/MenuBarMirror.h"
#include "platform/queue/KeyBridge.h"
#include "platform/queue/Toolkit.h"
#include "platform/window/PeerWindow.h"
#include "platform/window/ToolkitPeer.h"
#include "platform/window/Window.h"

#include <FL/Fl.H>
#include <GL/gl.h>

#include <stdexcept>

namespace host::test {
namespace {

ToolkitPeer& PeerOf(HWND hwnd) {
    return *static_cast<ToolkitPeer*>(hwnd->peer.get());
}

// A shown frame with the program's kind of menu and a view filling it.
struct Frame {
    MessageLog log;
    HWND frame = nullptr;
    HWND view = nullptr;
    HMENU file = nullptr;

    Frame() {
        HMENU bar = CreateMenu();
        file = CreatePopupMenu();
        AppendMenu(file, MF_STRING, 57601, "&Načítať...\tCtrl+O");
        AppendMenu(file, MF_SEPARATOR, 0, "");
        AppendMenu(file, MF_STRING | MF_GRAYED, 57616, "Posledný súbor");
        AppendMenu(file, MF_STRING, 57665, "&Koniec");
        AppendMenu(bar, MF_POPUP, reinterpret_cast<std::uintptr_t>(file), "&Súbor");
        AppendMenu(bar, MF_STRING, 57664, "Info");
        frame = log.CreateTopLevel(400, 300);
        SetMenu(frame, bar);
        view = log.CreateChild(frame, 1, 400, 275);
        ShowWindow(frame, SW_SHOW);
        // Let the X server map and expose the windows before the test starts:
        // once a round trip has come back, the exposures it made are queued,
        // however busy the machine.
        XSync(fl_display, False);
        for (int i = 0; i < 3; ++i) {
            Fl::check();
            Drain();
        }
        log.entries.clear();
    }
    ~Frame() {
        if (IsWindow(frame))
            DestroyWindow(frame);
    }
    const std::vector<Fl_Menu_Item>& Items() { return PeerOf(frame).Menu()->Items(); }
};

// The messages taken, less the paints that exposures may add at any time.
std::vector<MSG> DrainNonPaint() {
    std::vector<MSG> taken;
    for (const MSG& msg : Drain())
        if (msg.message != WM_PAINT)
            taken.push_back(msg);
    return taken;
}

TEST(HostDisplayTest, MenuBarMirrorsTheMenuUpdatesOnOpeningPostsThePickAndFollowsResizes) {
    RunWithDisplay([] {
        Frame f;
        const std::vector<Fl_Menu_Item>& items = f.Items();
        ASSERT_GE(items.size(), 7u);
        const std::pair<size_t, const char*> labels[] = {
            {0, "&Súbor"}, {1, "&Načítať..."}, {2, "Posledný súbor"}, {3, "&Koniec"}, {5, "Info"}};
        for (const auto& [index, label] : labels)
            EXPECT_STREQ(items[index].label(), label);
        EXPECT_EQ(items[4].label(), nullptr); // end of the popup
        EXPECT_TRUE(items[0].submenu());
        EXPECT_FALSE(items[5].submenu());
        EXPECT_EQ(items[1].shortcut(), FL_CTRL + 'o');
        EXPECT_TRUE(items[1].flags & FL_MENU_DIVIDER); // the separator after it
        EXPECT_FALSE(items[2].active());
        RECT client;
        GetClientRect(f.frame, &client);
        EXPECT_EQ(client.bottom, 275);
        EXPECT_EQ(PeerOf(f.view).Window().y(), kMenuBarHeight);

        f.log.react = [&f](HWND, UINT message, WPARAM, LPARAM) -> LRESULT {
            if (message == WM_INITMENUPOPUP)
                ModifyMenu(f.file, 2, MF_BYPOSITION | MF_STRING, 57616, "1 dom.dat");
            return -2;
        };
        PeerOf(f.frame).Menu()->UpdateBeforeOpening();
        const std::vector<Logged> popups = f.log.Of(WM_INITMENUPOPUP);
        ASSERT_EQ(f.log.Of(WM_INITMENU).size(), 1u);
        ASSERT_EQ(popups.size(), 1u);
        EXPECT_EQ(popups[0].wParam, reinterpret_cast<WPARAM>(f.file));
        EXPECT_EQ(popups[0].lParam, MAKELPARAM(0, FALSE));
        EXPECT_STREQ(f.Items()[2].label(), "1 dom.dat");
        EXPECT_TRUE(f.Items()[2].active());

        Fl_Menu_Item exit = f.Items()[3];
        exit.do_callback(&PeerOf(f.frame).Menu()->Bar());
        const std::vector<MSG> taken = DrainNonPaint();
        ASSERT_EQ(taken.size(), 1u);
        EXPECT_EQ(taken[0].message, WM_COMMAND);
        EXPECT_EQ(taken[0].wParam, MAKEWPARAM(57665, 0));
        EXPECT_EQ(taken[0].hwnd, f.frame);

        // A resize by the user sends WM_SIZE and lays the bar out; the view keeps
        // the place the program gave it.
        PeerWindow& window = PeerOf(f.frame).Window();
        window.resize(window.x(), window.y(), 500, 325);
        const std::vector<Logged> sizes = f.log.Of(WM_SIZE);
        ASSERT_EQ(sizes.size(), 1u);
        EXPECT_EQ(sizes[0].hwnd, f.frame);
        EXPECT_EQ(sizes[0].lParam, MAKELPARAM(500, 300));
        EXPECT_EQ(PeerOf(f.view).Window().w(), 400);
        EXPECT_EQ(PeerOf(f.frame).Menu()->Bar().w(), 500);

        // A move by the program lays the bar out too, and sends one WM_SIZE.
        MoveWindow(f.frame, 0, 0, 300, 200, FALSE);
        EXPECT_EQ(PeerOf(f.frame).Menu()->Bar().w(), 300);
        EXPECT_EQ(f.log.Of(WM_SIZE).size(), 2u);
        EXPECT_EQ(window.w(), 300);

        // Maximised, the window fills the screen's work area (all of it on a
        // server without a window manager) and returns when shown normally.
        int x = 0, y = 0, w = 0, h = 0;
        Fl::screen_work_area(x, y, w, h, 0, 0);
        ShowWindow(f.frame, SW_SHOWMAXIMIZED);
        EXPECT_TRUE(IsZoomed(f.frame));
        EXPECT_EQ(f.log.Of(WM_SIZE).back().wParam, SIZE_MAXIMIZED);
        EXPECT_EQ(f.log.Of(WM_SIZE).back().lParam, MAKELPARAM(w, h - kMenuBarHeight));
        EXPECT_EQ(window.w(), w);
        EXPECT_EQ(window.h(), h);
        ShowWindow(f.frame, SW_SHOWNORMAL);
        EXPECT_EQ(window.w(), 300);
        EXPECT_EQ(f.log.Of(WM_SIZE).back().lParam, MAKELPARAM(300, 200 - kMenuBarHeight));
    });
}

void SendKey(PeerWindow& window, int key, int state) {
    static char text[2] = {0, 0};
    text[0] = static_cast<char>(key);
    Fl::e_keysym = key;
    Fl::e_state = state;
    Fl::e_text = text;
    Fl::e_length = 1;
    Fl::handle(FL_KEYDOWN, &window);
}

void SendMouse(PeerWindow& window, int event, int x, int y, int button, int state, int clicks = 0) {
    Fl::e_x = Fl::e_x_root = x;
    Fl::e_y = Fl::e_y_root = y;
    Fl::e_keysym = FL_Button + button;
    Fl::e_state = state;
    Fl::e_clicks = clicks;
    window.handle(event);
}

TEST(HostDisplayTest, KeysAndMouseGoToTheQueueAndOnlyTheCloseBoxCloses) {
    RunWithDisplay([] {
        Frame f;
        PeerWindow& window = PeerOf(f.frame).Window();
        SetFocus(f.view);
        SendKey(window, 'o', FL_CTRL);
        SendKey(window, 's', FL_ALT);
        MSG msg;
        ASSERT_TRUE(PeekMessage(&msg, PM_REMOVE));
        EXPECT_EQ(msg.hwnd, f.view);
        EXPECT_EQ(msg.message, WM_KEYDOWN);
        EXPECT_EQ(msg.wParam, static_cast<WPARAM>('O'));
        EXPECT_LT(GetKeyState(VK_CONTROL), 0);
        ASSERT_TRUE(PeekMessage(&msg, PM_REMOVE));
        EXPECT_EQ(msg.message, WM_SYSKEYDOWN);
        EXPECT_EQ(msg.wParam, static_cast<WPARAM>('S'));
        EXPECT_LT(GetKeyState(VK_MENU), 0);
        EnableWindow(f.frame, FALSE); // a modal dialog is up
        SendKey(window, 'o', FL_CTRL);
        EXPECT_TRUE(DrainNonPaint().empty());
        EnableWindow(f.frame, TRUE);

        f.log.react = [](HWND, UINT message, WPARAM, LPARAM) -> LRESULT {
            return message == WM_CLOSE ? 0 : -2; // kept open
        };
        Fl::e_number = FL_SHORTCUT;
        Fl::e_keysym = FL_Escape;
        window.do_callback();
        EXPECT_TRUE(f.log.Of(WM_CLOSE).empty());
        Fl::e_number = FL_CLOSE;
        window.do_callback();
        EXPECT_EQ(f.log.Of(WM_CLOSE).size(), 1u);

        // Mouse messages carry client points and buttons; those outside are dropped.
        PeerWindow& view = PeerOf(f.view).Window();
        SendMouse(view, FL_PUSH, 10, 20, FL_LEFT_MOUSE, FL_BUTTON1 | FL_SHIFT);
        SendMouse(view, FL_DRAG, 30, 40, FL_LEFT_MOUSE, FL_BUTTON1);
        SendMouse(view, FL_DRAG, -5, 40, FL_LEFT_MOUSE, FL_BUTTON1); // outside: dropped
        SendMouse(view, FL_RELEASE, 500, 40, FL_LEFT_MOUSE, 0);      // outside: dropped
        SendMouse(view, FL_MOVE, 7, 8, 0, 0);
        SendMouse(view, FL_PUSH, 1, 2, FL_RIGHT_MOUSE, FL_BUTTON3);
        SendMouse(view, FL_RELEASE, 1, 2, FL_RIGHT_MOUSE, 0);
        SendMouse(view, FL_PUSH, 5, 6, FL_LEFT_MOUSE, FL_BUTTON1, 1); // the toolkit counts clicks
        SendMouse(view, FL_RELEASE, 9, 6, FL_LEFT_MOUSE, 0);          // the move it overtook first
        // Input for the top-level window comes in its own coordinates.
        SendMouse(PeerOf(f.frame).Window(), FL_PUSH, 30, kMenuBarHeight + 40, FL_LEFT_MOUSE,
                  FL_BUTTON1);
        Fl::pushed(nullptr);
        const std::vector<MSG> taken = DrainNonPaint();
        std::vector<std::tuple<HWND, UINT, WPARAM, LPARAM>> got;
        for (const MSG& msg : taken)
            got.emplace_back(msg.hwnd, msg.message, msg.wParam, msg.lParam);
        const HWND v = f.view;
        const std::vector<std::tuple<HWND, UINT, WPARAM, LPARAM>> expected = {
            {v, WM_LBUTTONDOWN, MK_LBUTTON | MK_SHIFT, MAKELPARAM(10, 20)},
            {v, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(30, 40)},
            {v, WM_MOUSEMOVE, 0, MAKELPARAM(7, 8)},
            {v, WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(1, 2)},
            {v, WM_RBUTTONUP, 0, MAKELPARAM(1, 2)},
            {v, WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(5, 6)},
            {v, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(9, 6)},
            {v, WM_LBUTTONUP, 0, MAKELPARAM(9, 6)},
            {v, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(30, 40)},
        };
        EXPECT_EQ(got, expected);
    });
}

TEST(HostDisplayTest, ExposuresPaintAtOnceAndModalScopesRunTheQueueInToolkitLoops) {
    RunWithDisplay([] {
        Frame f;
        ValidateRect(f.frame, nullptr);
        ValidateRect(f.view, nullptr);
        XClearArea(fl_display, fl_xid(&PeerOf(f.view).Window()), 0, 0, 0, 0, True);
        XFlush(fl_display);
        // Should the paint wait for a further event, this one ends the wait;
        // late enough that a busy machine has long delivered the exposure.
        Fl::add_timeout(
            10.0, [](void* hwnd) { PostMessage(static_cast<HWND>(hwnd), WM_USER + 99, 0, 0); },
            f.frame);
        // The frame's own first exposure may still arrive on a busy machine;
        // only the view's paint is asked about here.
        MSG msg;
        do {
            ASSERT_TRUE(GetMessage(&msg));
            if (msg.message == WM_PAINT && msg.hwnd == f.frame)
                ValidateRect(f.frame, nullptr);
        } while (msg.message == WM_PAINT && msg.hwnd == f.frame);
        EXPECT_EQ(msg.message, WM_PAINT);
        EXPECT_EQ(msg.hwnd, f.view);
        Fl::remove_timeout(nullptr, f.frame);
        ValidateRect(f.view, nullptr);

        // Posted messages are handled in toolkit loops only within a ModalScope.
        PostMessage(f.frame, WM_USER, 0, 0);
        ProcessToolkitEvents(0);
        EXPECT_TRUE(f.log.Of(WM_USER).empty()); // no modal loop: the program's loop does it
        {
            ModalScope outer;
            ModalScope inner;
            PostQuitMessage(3);
            Fl::check();
            EXPECT_EQ(f.log.Of(WM_USER).size(), 1u);
        }
        ASSERT_TRUE(PeekMessage(&msg, PM_REMOVE));
        EXPECT_EQ(msg.message, WM_QUIT); // left for the program's loop
        PostMessage(f.frame, WM_USER + 1, 0, 0);
        Fl::check();
        EXPECT_TRUE(f.log.Of(WM_USER + 1).empty());
        Drain();
    });
}

TEST(HostDisplayTest, OnlyTheSecondPressOfAPairIsADoubleClickForEitherButton) {
    RunWithDisplay([] {
        Frame f;
        PeerWindow& view = PeerOf(f.view).Window();
        // The toolkit counts the quick presses of one button: 1 for the
        // second press, 2 for the third.
        SendMouse(view, FL_PUSH, 1, 2, FL_RIGHT_MOUSE, FL_BUTTON3, 1);
        SendMouse(view, FL_RELEASE, 1, 2, FL_RIGHT_MOUSE, 0, 1);
        SendMouse(view, FL_PUSH, 3, 4, FL_LEFT_MOUSE, FL_BUTTON1, 1);
        SendMouse(view, FL_RELEASE, 3, 4, FL_LEFT_MOUSE, 0, 1);
        SendMouse(view, FL_PUSH, 3, 4, FL_LEFT_MOUSE, FL_BUTTON1, 2);
        Fl::pushed(nullptr);
        std::vector<UINT> got;
        for (const MSG& msg : DrainNonPaint()) {
            got.push_back(msg.message);
        }
        const std::vector<UINT> expected = {WM_RBUTTONDBLCLK, WM_RBUTTONUP, WM_LBUTTONDBLCLK,
                                            WM_LBUTTONUP, WM_LBUTTONDOWN};
        EXPECT_EQ(got, expected);
    });
}

TEST(HostDisplayTest, AClickActivatesItsFrameAndTheWindowManagersFocusIsFollowed) {
    RunWithDisplay([] {
        Frame f;
        MessageLog otherLog;
        HWND other = otherLog.CreateTopLevel();
        ShowWindow(other, SW_SHOW);
        ASSERT_EQ(GetActiveWindow(), other);
        f.log.entries.clear();
        SendMouse(PeerOf(f.view).Window(), FL_PUSH, 10, 20, FL_LEFT_MOUSE, FL_BUTTON1);
        Fl::pushed(nullptr);
        ASSERT_EQ(DrainNonPaint().size(), 1u);
        EXPECT_EQ(f.log.Of(WM_MOUSEACTIVATE).size(), 2u) << "the view, then its frame";
        ASSERT_EQ(f.log.Of(WM_ACTIVATE).size(), 1u);
        EXPECT_EQ(f.log.Of(WM_ACTIVATE)[0].wParam, MAKEWPARAM(WA_CLICKACTIVE, 0));
        EXPECT_EQ(GetActiveWindow(), f.frame);

        // The window manager gives the keyboard to the other window and back.
        const auto focusAndWait = [](HWND hwnd, HWND expected) {
            XSetInputFocus(fl_display, fl_xid(&PeerOf(hwnd).Window()), RevertToParent, CurrentTime);
            XFlush(fl_display);
            for (int i = 0; i < 100 && GetActiveWindow() != expected; ++i) {
                Fl::wait(0.02);
            }
        };
        focusAndWait(other, other);
        EXPECT_EQ(GetActiveWindow(), other);
        focusAndWait(f.frame, f.frame);
        EXPECT_EQ(GetActiveWindow(), f.frame);
        EXPECT_EQ(f.log.Of(WM_ACTIVATE).back().wParam, MAKEWPARAM(WA_ACTIVE, 0));
        DestroyWindow(other);
        Drain();
    });
}

TEST(HostDisplayTest, TheModalHookHoldsOffNestedChecksAndSurvivesAThrowingProcedure) {
    RunWithDisplay([] {
        Frame f;
        f.log.react = [](HWND, UINT message, WPARAM, LPARAM) -> LRESULT {
            if (message == WM_USER + 1) {
                throw std::runtime_error("handler failed");
            }
            return -2;
        };
        // A check of the toolkit that runs after the hook, within the same
        // outer check, must still find checks held off.
        struct Probe {
            HWND frame;
            MessageLog* log;
            bool asked = false;
            bool heldOff = false;
        } probe{f.frame, &f.log};
        const auto look = [](void* data) {
            auto* p = static_cast<Probe*>(data);
            if (!p->asked && !p->log->Of(WM_USER).empty()) {
                p->asked = true;
                p->heldOff = Toolkit::ChecksHeldOff();
            }
        };
        Fl::add_check(look, &probe);
        {
            // The toolkit runs the checks added last first: the hook, then the probe.
            const ModalScope scope;
            PostMessage(f.frame, WM_USER, 0, 0);
            Toolkit::Check();
            EXPECT_EQ(f.log.Of(WM_USER).size(), 1u);
            ASSERT_TRUE(probe.asked);
            EXPECT_TRUE(probe.heldOff) << "the hook ended the outer check's hold";

            testing::internal::CaptureStderr();
            PostMessage(f.frame, WM_USER + 1, 0, 0);
            Fl::check();
            const std::string report = testing::internal::GetCapturedStderr();
            EXPECT_NE(report.find("handler failed"), std::string::npos) << report;
            PostMessage(f.frame, WM_USER + 2, 0, 0);
            Fl::check();
            EXPECT_EQ(f.log.Of(WM_USER + 2).size(), 1u) << "the hook runs on after a failure";
        }
        Fl::remove_check(look, &probe);
        EXPECT_FALSE(Toolkit::ChecksHeldOff());

        // An exception out of the toolkit's own handling ends the hold too.
        Fl::add_timeout(0.0, [](void*) { throw std::runtime_error("timer failed"); });
        EXPECT_THROW(Toolkit::Check(), std::runtime_error);
        EXPECT_FALSE(Toolkit::ChecksHeldOff());
    });
}

// A toolkit window whose key handling fails.
class FailingWindow : public Fl_Window {
public:
    FailingWindow() : Fl_Window(0, 0, 10, 10) { end(); }
    int handle(int event) override {
        if (event == FL_KEYDOWN || event == FL_SHORTCUT) {
            throw std::runtime_error("key handler failed");
        }
        return Fl_Window::handle(event);
    }
};

TEST(HostDisplayTest, AKeyGivenBackToAFailingWindowLeavesTheBridgeAndTheEventAsTheyWere) {
    RunWithDisplay([] {
        Frame f;
        PeerWindow& window = PeerOf(f.frame).Window();
        SetFocus(f.view);
        SendKey(window, 'x', 0);
        MSG msg;
        ASSERT_TRUE(PeekMessage(&msg, PM_REMOVE));
        ASSERT_EQ(msg.message, WM_KEYDOWN);
        char before[] = "before";
        Fl::e_text = before;
        Fl::e_keysym = 'b';
        FailingWindow failing;
        EXPECT_THROW(KeyBridge::GiveBack(msg, failing), std::runtime_error);
        EXPECT_EQ(Fl::e_text, before) << "the event's text must not point at a gone copy";
        EXPECT_EQ(Fl::e_keysym, 'b');
        SendKey(window, 'y', 0);
        ASSERT_TRUE(PeekMessage(&msg, PM_REMOVE)) << "keys still go to the program's queue";
        EXPECT_EQ(msg.wParam, static_cast<WPARAM>('Y'));
    });
}

} // namespace
} // namespace host::test
