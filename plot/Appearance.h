// How the plot looks, apart from what it shows: the background, the width
// of the curves, dots or joined lines, the size of the axis numbers and the
// grid's style. The default is the plot's own look; every other choice is
// for projectors and paper.
#pragma once

#include "plot/Palette.h"

namespace curvalia::plot {

enum class Background { Black, White };
enum class AxisNumberSize { Small, Medium, Large };
enum class GridStyle { Dots, Lines };

struct Appearance {
    static constexpr int kMinThickness = 1;
    static constexpr int kMaxThickness = 4;

    Background background = Background::Black;
    int thickness = 1; // pixels, kMinThickness..kMaxThickness
    bool continuousLines = false;
    AxisNumberSize axisNumbers = AxisNumberSize::Small;
    GridStyle grid = GridStyle::Dots;

    bool operator==(const Appearance&) const = default;
};

// The colour a palette number is shown in on a background. On black, the
// palette itself. On white, the colours that would not read there (a
// contrast under 3 : 1 with white) are drawn as their dark partners: white
// as black, light green, light cyan and light yellow as green, cyan and
// yellow; light grey, the axes' colour, as dark grey.
constexpr Rgb shownColour(int number, Background background) {
    if (background == Background::Black)
        return QBColor(number);
    switch (static_cast<unsigned>(number) & 15u) {
    case 7:
        return Rgb{64, 64, 64};
    case 10:
        return QBColor(2);
    case 11:
        return QBColor(3);
    case 14:
        return QBColor(6);
    case 15:
        return QBColor(0);
    default:
        return QBColor(number);
    }
}

constexpr std::uint32_t shownColourArgb(int number, Background background) {
    const Rgb c = shownColour(number, background);
    return 0xFF000000u | (std::uint32_t{c.r} << 16) | (std::uint32_t{c.g} << 8) |
           std::uint32_t{c.b};
}

constexpr Rgb backgroundColour(Background background) {
    return background == Background::Black ? QBColor(0) : QBColor(15);
}

} // namespace curvalia::plot
