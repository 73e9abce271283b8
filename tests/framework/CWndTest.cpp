// Dispatch: handler tables, window-message signatures, the lookup cache and
// the guard that turns escaping exceptions into results and messages.

#include "FrameworkTestSupport.h"

#include "framework/CFileException.h"
#include "framework/CMemoryException.h"
#include "framework/CUserException.h"
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
    std::vector<int> arguments; // of the last size or mouse message

    int OnCreate(host::CREATESTRUCT*) {
        if (refuseCreate) {
            throw CFileException(CFileException::Generic, 0, "x");
        }
        return 0;
    }
    void OnAction() { action(); }
    LRESULT OnTest(host::WPARAM, host::LPARAM) {
        ++testCalls;
        action();
        return 42;
    }
    void OnSize(UINT type, int cx, int cy) { arguments = {int(type), cx, cy}; }
    void OnMouseMove(UINT flags, int x, int y) { arguments = {int(flags), x, y}; }
};

KOVO_BEGIN_MESSAGE_MAP(ProbeWindow, CWnd)
KOVO_ON_CREATE(&ProbeWindow::OnCreate)
KOVO_ON_PLAIN(host::WM_PAINT, &ProbeWindow::OnAction)
KOVO_ON_COMMAND(kThrowingCommand, &ProbeWindow::OnAction)
KOVO_ON_MESSAGE(WM_TEST, &ProbeWindow::OnTest)
KOVO_ON_SIZE(&ProbeWindow::OnSize)
KOVO_ON_MOUSE(host::WM_MOUSEMOVE, &ProbeWindow::OnMouseMove)
KOVO_END_MESSAGE_MAP()

class CWndTest : public ::testing::Test {
protected:
    void SetUp() override {
        fwtest::RegisterTestResources();
        ASSERT_TRUE(window.CreateEx(host::CREATESTRUCT()));
    }
    LRESULT Send(UINT message, host::WPARAM wParam = 0, host::LPARAM lParam = 0) {
        return host::SendMessage(window.m_hWnd, message, wParam, lParam);
    }

    fwtest::TestApp app;
    fwtest::DialogRecorder dialogs;
    ProbeWindow window;
};

TEST_F(CWndTest, HandlersGetUnpackedArgumentsAndLookupsAreCached) {
    Send(host::WM_SIZE, host::SIZE_MAXIMIZED, host::MAKELPARAM(640, 480));
    EXPECT_EQ(window.arguments, (std::vector<int>{host::SIZE_MAXIMIZED, 640, 480}));
    // Points left or above the client area arrive negative.
    Send(host::WM_MOUSEMOVE, host::MK_LBUTTON, host::MAKELPARAM(-5, -7));
    EXPECT_EQ(window.arguments, (std::vector<int>{host::MK_LBUTTON, -5, -7}));

    EXPECT_EQ(Send(WM_TEST), 42);
    Send(WM_UNLISTED);
    const unsigned long walks = MessageLookupCache::WalkCount();
    Send(WM_TEST);
    Send(WM_UNLISTED); // misses are remembered too
    Send(WM_TEST);
    EXPECT_EQ(MessageLookupCache::WalkCount(), walks);
    EXPECT_EQ(window.testCalls, 3);
}

TEST_F(CWndTest, FailuresInCreationAndPaintAreSilent) {
    ProbeWindow refused;
    refused.refuseCreate = true;
    EXPECT_FALSE(refused.CreateEx(host::CREATESTRUCT()));
    EXPECT_EQ(refused.m_hWnd, nullptr);

    window.action = [] { throw CException(); };
    host::InvalidateRect(window.m_hWnd, nullptr, host::FALSE);
    EXPECT_EQ(Send(host::WM_PAINT), 0);
    host::MSG msg;
    EXPECT_FALSE(host::PeekMessage(&msg, host::PM_NOREMOVE)) << "the paint would repeat";
    EXPECT_TRUE(dialogs.boxes.empty());
}

TEST_F(CWndTest, FailuresInHandlersBecomeTheirTexts) {
    const struct {
        UINT message;
        std::function<void()> thrower;
        const char* text; // null: no message
        UINT icon;
    } cases[] = {
        {host::WM_COMMAND, [] { throw CException(); }, "Command failed.", host::MB_ICONSTOP},
        {WM_TEST, [] { throw CException(); }, "Internal application error.", host::MB_ICONSTOP},
        {host::WM_COMMAND,
         [] { throw CFileException(CFileException::FileNotFound, 2, "/tmp/a.dat"); },
         "/tmp/a.dat was not found.", host::MB_ICONSTOP},
        {WM_TEST, [] { throw CMemoryException(); }, "Out of memory.",
         host::MB_ICONEXCLAMATION | host::MB_SYSTEMMODAL},
        {WM_TEST, [] { throw std::bad_alloc(); }, "Out of memory.",
         host::MB_ICONEXCLAMATION | host::MB_SYSTEMMODAL},
        {host::WM_COMMAND, [] { throw CUserException(); }, nullptr, 0}, // reported already
    };
    for (const auto& c : cases) {
        dialogs.boxes.clear();
        window.action = c.thrower;
        const bool command = c.message == host::WM_COMMAND;
        EXPECT_EQ(Send(c.message, command ? kThrowingCommand : 0), command ? host::TRUE : 0);
        if (c.text == nullptr) {
            EXPECT_TRUE(dialogs.boxes.empty());
            continue;
        }
        ASSERT_EQ(dialogs.boxes.size(), 1u) << c.text;
        EXPECT_EQ(dialogs.boxes[0].text, c.text);
        EXPECT_EQ(dialogs.boxes[0].caption, "Kovomodel");
        EXPECT_EQ(dialogs.boxes[0].type & (host::MB_ICONMASK | host::MB_SYSTEMMODAL), c.icon)
            << c.text;
    }
    EXPECT_FALSE(window.HandleCommand(0, 0));
    EXPECT_FALSE(window.HandleCommand(fwtest::ID_UNHANDLED, 0));
}

class Base : public CCmdTarget {
public:
    KOVO_DECLARE_MESSAGE_MAP()
    void OnBase() {}
    void OnBaseRange() {}
};

class Derived : public Base {
public:
    KOVO_DECLARE_MESSAGE_MAP()
    void OnDerived() {}
    void OnFirstOfTwo() {}
    void OnSecondOfTwo() {}
};

KOVO_BEGIN_MESSAGE_MAP(Base, CCmdTarget)
KOVO_ON_COMMAND(100, &Base::OnBase)
KOVO_ON_COMMAND_RANGE(200, 210, &Base::OnBaseRange)
KOVO_END_MESSAGE_MAP()

KOVO_BEGIN_MESSAGE_MAP(Derived, Base)
KOVO_ON_COMMAND(100, &Derived::OnDerived)
KOVO_ON_COMMAND_RANGE(300, 310, &Derived::OnFirstOfTwo)
KOVO_ON_COMMAND(305, &Derived::OnSecondOfTwo)
KOVO_END_MESSAGE_MAP()

const MessageMapEntry* FindCommand(const CCmdTarget& target, host::UINT id) {
    return target.GetMessageMap()->Find(host::WM_COMMAND, 0, id);
}

TEST(MessageMapTest, OwnTableShadowsBaseAndFirstEntryWins) {
    Derived derived;
    const MessageMapEntry* own = FindCommand(derived, 100);
    ASSERT_NE(own, nullptr);
    EXPECT_EQ(own, &Derived::s_messageMap.entries[0]);

    // 305 lies in the earlier range: the later single entry never wins.
    EXPECT_EQ(FindCommand(derived, 305), &Derived::s_messageMap.entries[1]);
    // Ranges include both ends; the base table is searched after the own.
    EXPECT_EQ(FindCommand(derived, 200), &Base::s_messageMap.entries[1]);
    EXPECT_EQ(FindCommand(derived, 210), &Base::s_messageMap.entries[1]);
    EXPECT_EQ(FindCommand(derived, 211), nullptr);
    EXPECT_EQ(FindCommand(derived, 199), nullptr);
    // A command entry answers neither a menu-update request nor a window
    // message with the same number.
    EXPECT_EQ(derived.GetMessageMap()->Find(host::WM_COMMAND, 0xFFFFFFFF, 100), nullptr);
    EXPECT_EQ(derived.GetMessageMap()->Find(host::WM_PAINT, 0, 100), nullptr);
}

} // namespace
