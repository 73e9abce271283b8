#pragma once
// Where a modal dialog appears: centred over its owner, or over the screen
// without one, and kept on the screen so that its buttons stay reachable.

#include "platform/HostTypes.h"

namespace host {

class DialogPlacement {
public:
    /// The top-left corner of a width × height window centred over area and
    /// then moved, if needed, to lie inside screen (its top-left corner wins
    /// when the window is larger than the screen).
    static POINT CentreOver(const RECT& area, int width, int height, const RECT& screen);
};

} // namespace host
