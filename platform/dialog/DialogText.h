#pragma once
// A piece of static text in a dialog. The text is drawn as it is: unlike a
// toolkit label, "@" starts no symbol and "&" marks no shortcut, so paths and
// messages show every character.

#include <FL/Fl_Widget.H>

#include <string>

namespace host {

class DialogText : public Fl_Widget {
public:
    /// alignment is FL_ALIGN_LEFT or FL_ALIGN_CENTER (other bits are ignored);
    /// lines wrap at spaces to the widget's width.
    DialogText(int x, int y, int w, int h, std::string text, Fl_Align alignment);

    const std::string& Text() const { return m_text; }

    /// The size the text needs with lines wrapped at maxWidth: width is the
    /// widest line (a word longer than maxWidth widens it). Uses the current
    /// toolkit font.
    static void Measure(const std::string& text, int maxWidth, int& width, int& height);

protected:
    void draw() override;

private:
    std::string m_text;
};

} // namespace host
