#include "platform/dialog/DialogText.h"

#include <FL/fl_draw.H>

#include <utility>

namespace host {

namespace {

constexpr Fl_Align kLayout = FL_ALIGN_TOP | FL_ALIGN_INSIDE | FL_ALIGN_WRAP | FL_ALIGN_CLIP;

} // namespace

DialogText::DialogText(int x, int y, int w, int h, std::string text, Fl_Align alignment)
    : Fl_Widget(x, y, w, h), m_text(std::move(text)) {
    box(FL_NO_BOX);
    align((alignment & FL_ALIGN_LEFT ? FL_ALIGN_LEFT : FL_ALIGN_CENTER) | kLayout);
    clear_visible_focus();
}

void DialogText::Measure(const std::string& text, int maxWidth, int& width, int& height) {
    width = maxWidth;
    height = 0;
    fl_measure(text.c_str(), width, height, 0);
}

void DialogText::draw() {
    fl_font(labelfont(), labelsize());
    fl_color(active_r() ? labelcolor() : fl_inactive(labelcolor()));
    fl_draw(m_text.c_str(), x(), y(), w(), h(), align(), nullptr, 0);
}

} // namespace host
