#pragma once
// The window of a message box: an icon, the text wrapped to a readable
// width, and a centred row of buttons of which the first is the default.

#include "platform/HostTypes.h"
#include "platform/dialog/DialogFrame.h"

#include <string>

namespace host {

class MessageBoxIcon;
class DialogText;

class MessageBoxWindow : public DialogFrame {
public:
    /// Builds the box for type's buttons and icon (see MessageBox), not shown
    /// yet. Needs an open display.
    MessageBoxWindow(const std::string& text, const std::string& caption, UINT type);

    /// Runs the box modally over owner; MB_SYSTEMMODAL keeps it above all
    /// windows. Returns the id of the button chosen.
    int Run(HWND owner);

    const MessageBoxIcon& Icon() const { return *m_icon; }
    const DialogText& TextWidget() const { return *m_text; }

private:
    struct Layout {
        int width = 0;
        int height = 0;
        int textWidth = 0;
        int textHeight = 0;
        bool hasIcon = false;
    };
    static Layout Measure(const std::string& text, UINT type);
    MessageBoxWindow(const std::string& text, const std::string& caption, UINT type,
                     const Layout& layout);
    void AddContent(const std::string& text, const Layout& layout);
    void AddButtons(const Layout& layout);

    UINT m_type = MB_OK;
    MessageBoxIcon* m_icon = nullptr; ///< a child; the window owns it
    DialogText* m_text = nullptr;     ///< a child; the window owns it
};

} // namespace host
