#include "platform/window/ToolkitInput.h"

#include <FL/Enumerations.H>

namespace host {

namespace {

struct ButtonMessages {
    UINT down;
    UINT doubleClick;
    UINT up;
};

// The messages of each button, left, middle and right in the toolkit's order.
constexpr ButtonMessages kButtons[] = {
    {WM_LBUTTONDOWN, WM_LBUTTONDBLCLK, WM_LBUTTONUP},
    {WM_MBUTTONDOWN, WM_MBUTTONDBLCLK, WM_MBUTTONUP},
    {WM_RBUTTONDOWN, WM_RBUTTONDBLCLK, WM_RBUTTONUP},
};

} // namespace

UINT ToolkitInput::ModifierFlags(int state) {
    UINT flags = 0;
    if (state & FL_SHIFT) {
        flags |= MK_SHIFT;
    }
    if (state & FL_CTRL) {
        flags |= MK_CONTROL;
    }
    if (state & FL_ALT) {
        flags |= MK_ALT;
    }
    return flags;
}

UINT ToolkitInput::ButtonFlags(int state) {
    UINT flags = 0;
    if (state & FL_BUTTON1) {
        flags |= MK_LBUTTON;
    }
    if (state & FL_BUTTON2) {
        flags |= MK_MBUTTON;
    }
    if (state & FL_BUTTON3) {
        flags |= MK_RBUTTON;
    }
    return flags;
}

UINT ToolkitInput::ButtonMessage(bool down, int button, int clicks) {
    if (button < FL_LEFT_MOUSE || button > FL_RIGHT_MOUSE) {
        return 0;
    }
    const ButtonMessages& messages = kButtons[button - FL_LEFT_MOUSE];
    if (!down) {
        return messages.up;
    }
    return clicks % 2 == 1 ? messages.doubleClick : messages.down;
}

} // namespace host
