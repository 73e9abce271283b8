#pragma once
// The buttons a message box type offers, in order, and which of them Esc and
// the close box choose.

#include "platform/HostTypes.h"

#include <string>
#include <vector>

namespace host {

struct MessageBoxButton {
    std::string label;
    int id = IDOK;
};

class MessageBoxButtons {
public:
    /// The buttons of type's low bits: OK; OK, Cancel; Yes, No; Yes, No,
    /// Cancel. Any other value gives the OK button alone, so that a box
    /// always has a way to be answered.
    static std::vector<MessageBoxButton> For(UINT type);
    /// The answer of Esc and the close box: Cancel where there is one, else
    /// No, else OK.
    static int EscapeId(UINT type);
};

} // namespace host
