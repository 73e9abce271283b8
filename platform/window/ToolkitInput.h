#pragma once
// Toolkit input in the host's terms: the modifier and button flags of an
// event's state, and the message that a mouse button makes.

#include "platform/HostTypes.h"

namespace host {

class ToolkitInput {
public:
    /// MK_SHIFT, MK_CONTROL and MK_ALT of a toolkit event state.
    static UINT ModifierFlags(int state);
    /// MK_LBUTTON, MK_MBUTTON and MK_RBUTTON of the buttons a toolkit event
    /// state holds down.
    static UINT ButtonFlags(int state);
    /// The message of a press (down) or release of a toolkit mouse button
    /// (FL_LEFT_MOUSE, FL_MIDDLE_MOUSE, FL_RIGHT_MOUSE); 0 for other buttons.
    /// clicks is the toolkit's count of the quick presses of the same button
    /// before this one. A press is a double click only as the second of a
    /// pair (clicks 1, 3, 5...): the third press of a triple click starts a
    /// new pair and is a plain press.
    static UINT ButtonMessage(bool down, int button, int clicks);
};

} // namespace host
