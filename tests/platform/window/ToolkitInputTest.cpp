// Toolkit input in the host's terms: which presses are double clicks, and the
// flags of an event's state.

#include "platform/window/ToolkitInput.h"

#include <FL/Enumerations.H>
#include <gtest/gtest.h>

namespace host::test {
namespace {

TEST(ToolkitInputTest, APressIsADoubleClickOnlyAsTheSecondOfAPairForEveryButton) {
    struct Case {
        int button;
        int clicks; // the toolkit's count of quick presses before this one
        UINT press;
        UINT release;
    };
    const Case cases[] = {
        {FL_LEFT_MOUSE, 0, WM_LBUTTONDOWN, WM_LBUTTONUP},
        {FL_LEFT_MOUSE, 1, WM_LBUTTONDBLCLK, WM_LBUTTONUP},
        {FL_LEFT_MOUSE, 2, WM_LBUTTONDOWN, WM_LBUTTONUP}, // the third of a triple click
        {FL_LEFT_MOUSE, 3, WM_LBUTTONDBLCLK, WM_LBUTTONUP},
        {FL_RIGHT_MOUSE, 0, WM_RBUTTONDOWN, WM_RBUTTONUP},
        {FL_RIGHT_MOUSE, 1, WM_RBUTTONDBLCLK, WM_RBUTTONUP}, // never a left double click
        {FL_RIGHT_MOUSE, 2, WM_RBUTTONDOWN, WM_RBUTTONUP},
        {FL_MIDDLE_MOUSE, 0, WM_MBUTTONDOWN, WM_MBUTTONUP},
        {FL_MIDDLE_MOUSE, 1, WM_MBUTTONDBLCLK, WM_MBUTTONUP},
        {4, 0, 0, 0}, // a wheel or side button makes no button message
        {0, 1, 0, 0},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ToolkitInput::ButtonMessage(true, c.button, c.clicks), c.press)
            << "button " << c.button << ", clicks " << c.clicks;
        EXPECT_EQ(ToolkitInput::ButtonMessage(false, c.button, c.clicks), c.release)
            << "button " << c.button << ", clicks " << c.clicks;
    }
}

TEST(ToolkitInputTest, StateFlagsNameOnlyWhatIsHeld) {
    EXPECT_EQ(ToolkitInput::ModifierFlags(0), 0u);
    EXPECT_EQ(ToolkitInput::ModifierFlags(FL_SHIFT | FL_CTRL | FL_ALT),
              MK_SHIFT | MK_CONTROL | MK_ALT);
    EXPECT_EQ(ToolkitInput::ModifierFlags(FL_CAPS_LOCK | FL_BUTTON1), 0u);
    EXPECT_EQ(ToolkitInput::ButtonFlags(FL_BUTTON1 | FL_BUTTON3), MK_LBUTTON | MK_RBUTTON);
    EXPECT_EQ(ToolkitInput::ButtonFlags(FL_BUTTON2 | FL_SHIFT), MK_MBUTTON);
}

} // namespace
} // namespace host::test
