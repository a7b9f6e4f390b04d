// The standard 16-colour palette: every colour number the plot code hands to
// a surface (curve, derivative, axes, progress) is an index into this table.
#pragma once

#include <array>
#include <cstdint>

namespace curvalia::plot {

struct Rgb {
    std::uint8_t r;
    std::uint8_t g;
    std::uint8_t b;
};

inline constexpr std::array<Rgb, 16> kPalette = {{
    {0, 0, 0},       // 0 black
    {0, 0, 128},     // 1 blue
    {0, 128, 0},     // 2 green
    {0, 128, 128},   // 3 cyan
    {128, 0, 0},     // 4 red
    {128, 0, 128},   // 5 magenta
    {128, 128, 0},   // 6 yellow
    {192, 192, 192}, // 7 light grey
    {128, 128, 128}, // 8 grey
    {0, 0, 255},     // 9 light blue
    {0, 255, 0},     // 10 light green
    {0, 255, 255},   // 11 light cyan
    {255, 0, 0},     // 12 light red
    {255, 0, 255},   // 13 light magenta
    {255, 255, 0},   // 14 light yellow
    {255, 255, 255}, // 15 bright white
}};

// A colour number outside 0..15 wraps around instead of reading past the
// table: the switches are plain integers that any handler may set.
constexpr Rgb QBColor(int number) {
    return kPalette[static_cast<unsigned>(number) & 15u];
}

// 0xAARRGGBB, opaque, as 32-bit images store their pixels.
constexpr std::uint32_t QBColorArgb(int number) {
    const Rgb c = QBColor(number);
    return 0xFF000000u | (std::uint32_t{c.r} << 16) | (std::uint32_t{c.g} << 8) |
           std::uint32_t{c.b};
}

// The fixed colours of the plot.
inline constexpr int kAxesColour = 7;        // axes, ticks and grid dots
inline constexpr int kProgressColour = 9;    // progress bar
inline constexpr int kDerivativeColour = 12; // first derivative

} // namespace curvalia::plot
