#include "DisplayProcess.h"
#include "MessageLog.h"
#include "platform/HostMenu.h"
#include "platform/HostMenuBar.h"
#include "platform/MenuBarMirror.h"
#include "platform/PeerWindow.h"
#include "platform/ToolkitPeer.h"
#include "platform/Window.h"

#include <FL/Fl.H>

#include <cstring>

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
        // Let the X server map and expose the windows before the test starts.
        for (int i = 0; i < 10; ++i) {
            Fl::wait(0.03);
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

TEST(HostDisplayTest, MenuBarMirrorsItemsAndTexts) {
    RunWithDisplay([] {
        Frame f;
        const std::vector<Fl_Menu_Item>& items = f.Items();
        ASSERT_GE(items.size(), 7u);
        EXPECT_STREQ(items[0].label(), "&Súbor");
        EXPECT_TRUE(items[0].submenu());
        EXPECT_STREQ(items[1].label(), "&Načítať...");
        EXPECT_EQ(items[1].shortcut(), FL_CTRL + 'o');
        EXPECT_TRUE(items[1].flags & FL_MENU_DIVIDER); // the separator after it
        EXPECT_STREQ(items[2].label(), "Posledný súbor");
        EXPECT_FALSE(items[2].active());
        EXPECT_STREQ(items[3].label(), "&Koniec");
        EXPECT_EQ(items[4].label(), nullptr); // end of the popup
        EXPECT_STREQ(items[5].label(), "Info");
        EXPECT_FALSE(items[5].submenu());
        RECT client;
        GetClientRect(f.frame, &client);
        EXPECT_EQ(client.bottom, 275);
        EXPECT_EQ(PeerOf(f.view).Window().y(), kMenuBarHeight);
    });
}

TEST(HostDisplayTest, OpeningTheBarUpdatesPopupsFirstAndPickingPostsTheCommand) {
    RunWithDisplay([] {
        Frame f;
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
        MSG msg;
        ASSERT_TRUE(PeekMessage(&msg, PM_REMOVE));
        EXPECT_EQ(msg.message, WM_COMMAND);
        EXPECT_EQ(msg.wParam, MAKEWPARAM(57665, 0));
        EXPECT_EQ(msg.hwnd, f.frame);
    });
}

void SendKey(PeerWindow& window, int key, int state) {
    Fl::e_keysym = key;
    Fl::e_state = state;
    static char text[2] = {0, 0};
    text[0] = static_cast<char>(key < 128 ? key : 0);
    Fl::e_text = text;
    Fl::e_length = text[0] ? 1 : 0;
    Fl::handle(FL_KEYDOWN, &window);
}

TEST(HostDisplayTest, KeysGoToTheQueueOfTheFocusWindow) {
    RunWithDisplay([] {
        Frame f;
        SetFocus(f.view);
        SendKey(PeerOf(f.frame).Window(), 'o', FL_CTRL);
        SendKey(PeerOf(f.frame).Window(), 's', FL_ALT);
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
        SendKey(PeerOf(f.frame).Window(), 'o', FL_CTRL);
        for (const MSG& taken : Drain())
            EXPECT_EQ(taken.message, WM_PAINT);
        EnableWindow(f.frame, TRUE);
    });
}

void SendMouse(PeerWindow& window, int event, int x, int y, int button, int state) {
    Fl::e_x = x;
    Fl::e_y = y;
    Fl::e_x_root = x;
    Fl::e_y_root = y;
    Fl::e_keysym = FL_Button + button;
    Fl::e_state = state;
    Fl::e_clicks = 0;
    window.handle(event);
}

TEST(HostDisplayTest, MouseMessagesCarryClientPointsAndStayInside) {
    RunWithDisplay([] {
        Frame f;
        PeerWindow& view = PeerOf(f.view).Window();
        SendMouse(view, FL_PUSH, 10, 20, FL_LEFT_MOUSE, FL_BUTTON1 | FL_SHIFT);
        SendMouse(view, FL_DRAG, 30, 40, FL_LEFT_MOUSE, FL_BUTTON1);
        SendMouse(view, FL_DRAG, -5, 40, FL_LEFT_MOUSE, FL_BUTTON1); // outside: dropped
        SendMouse(view, FL_RELEASE, 500, 40, FL_LEFT_MOUSE, 0);      // outside: dropped
        SendMouse(view, FL_MOVE, 7, 8, 0, 0);
        SendMouse(view, FL_PUSH, 1, 2, FL_RIGHT_MOUSE, FL_BUTTON3);
        const std::vector<MSG> taken = Drain();
        std::vector<UINT> messages;
        for (const MSG& msg : taken)
            if (msg.message != WM_PAINT)
                messages.push_back(msg.message);
        EXPECT_EQ(messages,
                  (std::vector<UINT>{WM_LBUTTONDOWN, WM_MOUSEMOVE, WM_MOUSEMOVE, WM_RBUTTONDOWN}));
        ASSERT_GE(taken.size(), 4u);
        EXPECT_EQ(taken[0].hwnd, f.view);
        EXPECT_EQ(taken[0].lParam, MAKELPARAM(10, 20));
        EXPECT_EQ(taken[0].wParam, MK_LBUTTON | MK_SHIFT);
        EXPECT_EQ(taken[1].wParam, MK_LBUTTON);
        EXPECT_EQ(taken[2].wParam, 0u);
        EXPECT_EQ(taken[3].wParam, MK_RBUTTON);
    });
}

TEST(HostDisplayTest, PressOnTheFrameReachesTheChildUnderTheMouse) {
    RunWithDisplay([] {
        Frame f;
        // Input arrives at the top-level window in its own coordinates.
        SendMouse(PeerOf(f.frame).Window(), FL_PUSH, 30, kMenuBarHeight + 40, FL_LEFT_MOUSE,
                  FL_BUTTON1);
        std::vector<MSG> taken;
        for (const MSG& msg : Drain())
            if (msg.message != WM_PAINT)
                taken.push_back(msg);
        ASSERT_EQ(taken.size(), 1u);
        EXPECT_EQ(taken[0].hwnd, f.view);
        EXPECT_EQ(taken[0].message, WM_LBUTTONDOWN);
        EXPECT_EQ(taken[0].lParam, MAKELPARAM(30, 40));
        Fl::pushed(nullptr);
    });
}

TEST(HostDisplayTest, SecondClickOfADoubleClickIsADoubleClickMessage) {
    RunWithDisplay([] {
        Frame f;
        PeerWindow& view = PeerOf(f.view).Window();
        SendMouse(view, FL_PUSH, 5, 6, FL_LEFT_MOUSE, FL_BUTTON1);
        SendMouse(view, FL_RELEASE, 5, 6, FL_LEFT_MOUSE, 0);
        Fl::e_x = 5;
        Fl::e_y = 6;
        Fl::e_keysym = FL_Button + FL_LEFT_MOUSE;
        Fl::e_state = FL_BUTTON1;
        Fl::e_clicks = 1; // the toolkit counts the second click
        view.handle(FL_PUSH);
        std::vector<UINT> messages;
        for (const MSG& msg : Drain())
            if (msg.message != WM_PAINT)
                messages.push_back(msg.message);
        EXPECT_EQ(messages, (std::vector<UINT>{WM_LBUTTONDOWN, WM_LBUTTONUP, WM_LBUTTONDBLCLK}));
    });
}

TEST(HostDisplayTest, CloseBoxSendsCloseAndEscapeDoesNot) {
    RunWithDisplay([] {
        Frame f;
        f.log.react = [](HWND, UINT message, WPARAM, LPARAM) -> LRESULT {
            return message == WM_CLOSE ? 0 : -2; // kept open
        };
        PeerWindow& window = PeerOf(f.frame).Window();
        Fl::e_number = FL_SHORTCUT;
        Fl::e_keysym = FL_Escape;
        window.do_callback();
        EXPECT_TRUE(f.log.Of(WM_CLOSE).empty());
        Fl::e_number = FL_CLOSE;
        window.do_callback();
        EXPECT_EQ(f.log.Of(WM_CLOSE).size(), 1u);
    });
}

TEST(HostDisplayTest, UserResizeSendsSizeAndPaintsComeFromExposure) {
    RunWithDisplay([] {
        Frame f;
        PeerWindow& window = PeerOf(f.frame).Window();
        window.resize(window.x(), window.y(), 500, 325);
        const std::vector<Logged> sizes = f.log.Of(WM_SIZE);
        ASSERT_EQ(sizes.size(), 1u);
        EXPECT_EQ(sizes[0].hwnd, f.frame);
        EXPECT_EQ(sizes[0].lParam, MAKELPARAM(500, 300));
        // The view keeps the place the program gave it.
        EXPECT_EQ(PeerOf(f.view).Window().w(), 400);
        EXPECT_EQ(PeerOf(f.frame).Menu()->Bar().w(), 500);

        // A move by the program lays the bar out too, and sends one WM_SIZE.
        MoveWindow(f.frame, 0, 0, 300, 200, FALSE);
        EXPECT_EQ(PeerOf(f.frame).Menu()->Bar().w(), 300);
        EXPECT_EQ(f.log.Of(WM_SIZE).size(), 2u);
        EXPECT_EQ(window.w(), 300);

        ValidateRect(f.view, nullptr);
        PeerOf(f.view).Window().damage(FL_DAMAGE_EXPOSE);
        Fl::flush();
        bool painted = false;
        for (const MSG& msg : Drain())
            painted = painted || (msg.message == WM_PAINT && msg.hwnd == f.view);
        EXPECT_TRUE(painted);
    });
}

TEST(HostDisplayTest, AnExposureIsAPaintWithoutWaitingForAnotherEvent) {
    RunWithDisplay([] {
        Frame f;
        ValidateRect(f.frame, nullptr);
        ValidateRect(f.view, nullptr);
        XClearArea(fl_display, fl_xid(&PeerOf(f.view).Window()), 0, 0, 0, 0, True);
        XFlush(fl_display);
        // Should the paint wait for a further event, this one ends the wait.
        Fl::add_timeout(
            2.0, [](void* hwnd) { PostMessage(static_cast<HWND>(hwnd), WM_USER + 99, 0, 0); },
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
    });
}

TEST(HostDisplayTest, ModalScopeKeepsTheQueueRunningInToolkitLoops) {
    RunWithDisplay([] {
        Frame f;
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
        MSG msg;
        ASSERT_TRUE(PeekMessage(&msg, PM_REMOVE));
        EXPECT_EQ(msg.message, WM_QUIT); // left for the program's loop
        PostMessage(f.frame, WM_USER + 1, 0, 0);
        Fl::check();
        EXPECT_TRUE(f.log.Of(WM_USER + 1).empty());
        Drain();
    });
}

TEST(HostDisplayTest, WaitCursorAndIconsOnShownWindows) {
    RunWithDisplay([] {
        Frame f;
        SetWaitCursor(true);
        EXPECT_TRUE(IsWaitCursorShown());
        SetWaitCursor(false);
        IconImage icon;
        icon.width = 2;
        icon.height = 2;
        icon.pixels = {0xFF00FF00u, 0xFF00FF00u, 0xFF00FF00u, 0xFF00FF00u};
        IconImage broken;
        broken.width = 64;
        broken.height = 64; // no pixels: left out
        SetWindowIcon(f.frame, {icon, broken});
        ProcessToolkitEvents(0);
        EXPECT_TRUE(IsWindow(f.frame));
    });
}

} // namespace
} // namespace host::test
