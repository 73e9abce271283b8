#include "platform/messagebox/MessageBoxIcon.h"

#include <FL/fl_draw.H>

namespace host {

MessageBoxIcon::MessageBoxIcon(int x, int y, int size, Kind kind)
    : Fl_Widget(x, y, size, size), m_kind(kind) {
    box(FL_NO_BOX);
    clear_visible_focus();
}

MessageBoxIcon::Kind MessageBoxIcon::KindFor(UINT type) {
    switch (type & MB_ICONMASK) {
    case MB_ICONEXCLAMATION:
        return Kind::Exclamation;
    case MB_ICONHAND:
        return Kind::Stop;
    case MB_ICONQUESTION:
        return Kind::Question;
    case MB_ICONASTERISK:
        return Kind::Information;
    default:
        return Kind::NoIcon;
    }
}

void MessageBoxIcon::draw() {
    switch (m_kind) {
    case Kind::Exclamation:
        DrawTriangle();
        DrawGlyph("!", FL_BLACK);
        break;
    case Kind::Stop:
        DrawCircle(FL_RED);
        DrawGlyph("X", FL_WHITE);
        break;
    case Kind::Question:
        DrawCircle(FL_BLUE);
        DrawGlyph("?", FL_WHITE);
        break;
    case Kind::Information:
        DrawCircle(FL_BLUE);
        DrawGlyph("i", FL_WHITE);
        break;
    case Kind::NoIcon:
        break;
    }
}

void MessageBoxIcon::DrawTriangle() {
    const int left = x(), top = y(), right = x() + w() - 1, bottom = y() + h() - 1;
    const int middle = x() + w() / 2;
    fl_color(FL_YELLOW);
    fl_polygon(middle, top, right, bottom, left, bottom);
    fl_color(FL_DARK3);
    fl_loop(middle, top, right, bottom, left, bottom);
}

void MessageBoxIcon::DrawCircle(Fl_Color fill) {
    fl_color(fill);
    fl_pie(x(), y(), w(), h(), 0, 360);
    fl_color(FL_DARK3);
    fl_arc(x(), y(), w(), h(), 0, 360);
}

void MessageBoxIcon::DrawGlyph(const char* glyph, Fl_Color colour) {
    fl_font(FL_HELVETICA_BOLD, h() * 2 / 3);
    fl_color(colour);
    // The triangle's centre of mass lies low, so its mark is drawn lower.
    const int shift = m_kind == Kind::Exclamation ? h() / 8 : 0;
    fl_draw(glyph, x(), y() + shift, w(), h(), FL_ALIGN_CENTER, nullptr, 0);
}

} // namespace host
