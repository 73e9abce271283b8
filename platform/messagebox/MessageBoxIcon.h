#pragma once
// The picture at the left of a message box, drawn rather than loaded so that
// it needs no image files: a yellow warning triangle, a red stop circle, a
// blue question mark or a blue information sign.

#include "platform/HostTypes.h"

#include <FL/Fl_Widget.H>

namespace host {

class MessageBoxIcon : public Fl_Widget {
public:
    enum class Kind { NoIcon, Exclamation, Stop, Question, Information };

    MessageBoxIcon(int x, int y, int size, Kind kind);

    /// The icon that type's MB_ICON* bits ask for; NoIcon for none or an
    /// unknown value.
    static Kind KindFor(UINT type);
    Kind IconKind() const { return m_kind; }

protected:
    void draw() override;

private:
    void DrawTriangle();
    void DrawCircle(Fl_Color fill);
    void DrawGlyph(const char* glyph, Fl_Color colour);

    Kind m_kind = Kind::NoIcon;
};

} // namespace host
