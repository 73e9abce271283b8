#include "app/MainIcon.h"

#include <cassert>
#include <cstring>

namespace {

// A green wireframe house on a dark tile: the program's subject, drawn the way
// the viewer's wire mode shows a model. One letter per pixel, one string per
// row; hidden edges are darker.
struct PaletteEntry {
    char key;
    std::uint32_t argb;
};

constexpr PaletteEntry kPalette[] = {
    {'.', 0xFF101828}, // background
    {'b', 0xFF2E3B55}, // tile border
    {'g', 0xFF3CFF5A}, // front edges
    {'G', 0xFF22A83A}, // visible back edges
    {'d', 0xFF14552A}, // hidden edges
    {'y', 0xFFE8C547}, // door
};

// clang-format off
// ICON-32-BEGIN
const char* const kRows32[] = {
    "bbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbb",
    "b..............................b",
    "b..............................b",
    "b..................G...........b",
    "b................GG.G..........b",
    "b..............GGd...G.........b",
    "b............GG.d.....G........b",
    "b...........g...d.....G........b",
    "b..........g.g.d.......G.......b",
    "b.........g...g.........G......b",
    "b........g...d.g.........G.....b",
    "b........g..d...g.........G....b",
    "b.......g.ddd...g.......GGG....b",
    "b......gdd..d....g....GG..G....b",
    "b.....gd....d.....g.GG....G....b",
    "b....ggggggggggggggg......G....b",
    "b....g......d......g......G....b",
    "b....g......d......g......G....b",
    "b....g......d......g......G....b",
    "b....g......d......g......G....b",
    "b....g......d......g......G....b",
    "b....g....yyyy.....g......G....b",
    "b....g....y.dy.....g......G....b",
    "b....g....y.dydddddgddddddG....b",
    "b....g....yd.y.....g....GG.....b",
    "b....g..ddy..y.....g..GG.......b",
    "b....gdd..y..y.....gGG.........b",
    "b....ggggggggggggggg...........b",
    "b..............................b",
    "b..............................b",
    "b..............................b",
    "bbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbb",
};
// ICON-32-END
// clang-format on

// clang-format off
// ICON-16-BEGIN
const char* const kRows16[] = {
    "bbbbbbbbbbbbbbbb",
    "b..............b",
    "b........GG....b",
    "b......GGd.G...b",
    "b.....g.d..G...b",
    "b....g.g....G..b",
    "b...gdd.g....G.b",
    "b..gd.d..g.GGG.b",
    "b.ggggggggg..G.b",
    "b.g...d...g..G.b",
    "b.g...d...g..G.b",
    "b.g...d...g..G.b",
    "b.g..dddddgddG.b",
    "b.gdd.....gGG..b",
    "b.ggggggggg....b",
    "bbbbbbbbbbbbbbbb",
};
// ICON-16-END
// clang-format on

std::uint32_t ColourOf(char key) {
    for (const PaletteEntry& entry : kPalette) {
        if (entry.key == key) {
            return entry.argb;
        }
    }
    assert(!"icon art uses a letter outside the palette");
    return 0;
}

template <std::size_t N> host::IconImage ImageFromRows(const char* const (&rows)[N]) {
    host::IconImage image;
    image.width = static_cast<int>(std::strlen(rows[0]));
    image.height = static_cast<int>(N);
    image.pixels.reserve(static_cast<std::size_t>(image.width) * N);
    for (const char* row : rows) {
        assert(static_cast<int>(std::strlen(row)) == image.width);
        for (const char* p = row; *p != '\0'; ++p) {
            image.pixels.push_back(ColourOf(*p));
        }
    }
    return image;
}

} // namespace

std::vector<host::IconImage> MainIconImages() {
    return {ImageFromRows(kRows32), ImageFromRows(kRows16)};
}
