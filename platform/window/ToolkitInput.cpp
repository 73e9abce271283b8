#include "platform/window/ToolkitInput.h"

#include <FL/Enumerations.H>

#include <cstddef>

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

// A toolkit state bit and the host flag it stands for.
struct StateFlag {
    int toolkit;
    UINT host;
};

constexpr StateFlag kModifierFlags[] = {
    {FL_SHIFT, MK_SHIFT}, {FL_CTRL, MK_CONTROL}, {FL_ALT, MK_ALT}};
constexpr StateFlag kButtonFlags[] = {
    {FL_BUTTON1, MK_LBUTTON}, {FL_BUTTON2, MK_MBUTTON}, {FL_BUTTON3, MK_RBUTTON}};

template <std::size_t N> UINT Translate(int state, const StateFlag (&flags)[N]) {
    UINT translated = 0;
    for (const StateFlag& flag : flags) {
        if (state & flag.toolkit) {
            translated |= flag.host;
        }
    }
    return translated;
}

} // namespace

UINT ToolkitInput::ModifierFlags(int state) {
    return Translate(state, kModifierFlags);
}

UINT ToolkitInput::ButtonFlags(int state) {
    return Translate(state, kButtonFlags);
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
