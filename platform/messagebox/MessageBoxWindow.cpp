#include "platform/messagebox/MessageBoxWindow.h"

#include "platform/dialog/DialogText.h"
#include "platform/messagebox/MessageBoxButtons.h"
#include "platform/messagebox/MessageBoxIcon.h"

#include <FL/Fl.H>
#include <FL/Fl_Button.H>
#include <FL/fl_draw.H>

#include <algorithm>

namespace host {

namespace {

constexpr int kFontSize = 12;
constexpr int kMargin = 12;
constexpr int kIconSize = 32;
constexpr int kGap = 12;
constexpr int kButtonWidth = 75;
constexpr int kButtonHeight = 23;
constexpr int kButtonGap = 6;
constexpr int kMaxTextWidth = 420;

int ButtonRowWidth(UINT type) {
    const int count = static_cast<int>(MessageBoxButtons::For(type).size());
    return count * kButtonWidth + (count - 1) * kButtonGap;
}

} // namespace

MessageBoxWindow::MessageBoxWindow(const std::string& text, const std::string& caption, UINT type)
    : MessageBoxWindow(text, caption, type, Measure(text, type)) {}

MessageBoxWindow::MessageBoxWindow(const std::string& text, const std::string& caption, UINT type,
                                   const Layout& layout)
    : DialogFrame(layout.width, layout.height, caption, MessageBoxButtons::EscapeId(type)),
      m_type(type) {
    AddContent(text, layout);
    AddButtons(layout);
}

int MessageBoxWindow::Run(HWND owner) {
    return DialogFrame::Run(owner, m_type & MB_SYSTEMMODAL);
}

MessageBoxWindow::Layout MessageBoxWindow::Measure(const std::string& text, UINT type) {
    fl_open_display();
    fl_font(FL_HELVETICA, kFontSize);
    Layout layout;
    layout.hasIcon = MessageBoxIcon::KindFor(type) != MessageBoxIcon::Kind::NoIcon;
    const int iconWidth = layout.hasIcon ? kIconSize + kGap : 0;
    // A word wider than the wrapping width (a long path) widens the box, but
    // never beyond the screen.
    const int screenLimit = Fl::w() - 2 * kMargin - iconWidth - 16;
    DialogText::Measure(text, kMaxTextWidth, layout.textWidth, layout.textHeight);
    layout.textWidth = std::max(1, std::min(layout.textWidth, screenLimit));
    const int contentHeight = std::max(layout.textHeight, layout.hasIcon ? kIconSize : 0);
    layout.width = std::max(iconWidth + layout.textWidth, ButtonRowWidth(type)) + 2 * kMargin;
    layout.height = kMargin + contentHeight + kGap + kButtonHeight + kMargin;
    return layout;
}

void MessageBoxWindow::AddContent(const std::string& text, const Layout& layout) {
    const MessageBoxIcon::Kind kind = MessageBoxIcon::KindFor(m_type);
    m_icon = new MessageBoxIcon(kMargin, kMargin, kIconSize, kind);
    add(m_icon);
    const int textX = kMargin + (layout.hasIcon ? kIconSize + kGap : 0);
    // A short text sits level with the middle of the icon.
    const int textY =
        kMargin + std::max(0, (layout.hasIcon ? kIconSize : 0) - layout.textHeight) / 2;
    m_text = new DialogText(textX, textY, layout.textWidth, layout.textHeight, text, FL_ALIGN_LEFT);
    m_text->labelfont(FL_HELVETICA);
    m_text->labelsize(kFontSize);
    add(m_text);
}

void MessageBoxWindow::AddButtons(const Layout& layout) {
    const std::vector<MessageBoxButton> buttons = MessageBoxButtons::For(m_type);
    int x = (layout.width - ButtonRowWidth(m_type)) / 2;
    const int y = layout.height - kMargin - kButtonHeight;
    for (size_t i = 0; i < buttons.size(); ++i) {
        Fl_Button* button =
            AddButton(x, y, kButtonWidth, kButtonHeight, buttons[i].label, buttons[i].id, i == 0);
        button->labelsize(kFontSize);
        x += kButtonWidth + kButtonGap;
    }
}

} // namespace host
