#pragma once
// Dialog templates measure in dialog units, which scale with the dialog's
// font: a horizontal unit is a quarter of the font's average character width,
// a vertical unit an eighth of its height. This keeps a template's layout
// proportional to whatever sans-serif font stands in for the one it names.

namespace host {

class DialogUnits {
public:
    /// baseX is the average character width, baseY the font height, in
    /// pixels. Values below 1 are taken as 1, so no layout collapses to zero.
    DialogUnits(int baseX, int baseY);

    /// Measures the toolkit's dialog font at pixelSize. Needs an open display.
    static DialogUnits ForDialogFont(int pixelSize);
    /// The pixel size of a font of pointSize points at 96 dots per inch;
    /// sizes below 1 give the 8-point default.
    static int PixelSizeForPoints(int pointSize);

    int BaseX() const { return m_baseX; }
    int BaseY() const { return m_baseY; }
    /// Horizontal dialog units to pixels, rounded half away from zero.
    int ToPixelsX(int units) const;
    /// Vertical dialog units to pixels, rounded half away from zero.
    int ToPixelsY(int units) const;

private:
    int m_baseX = 1;
    int m_baseY = 1;
};

} // namespace host
