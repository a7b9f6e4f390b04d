// The joined segments of a plot as SVG paths: each run of segments of one
// colour and pen width, end to start, is one subpath, and each colour and
// width one <path>, so that a curve stays a curve when the picture is
// scaled. Segments are placed on the pixels the surface draws them on:
// from the centre of one end's dot to the centre of the other's.
#pragma once

#include "plot/PointRecord.h"
#include "ui/plotview/PlotMapping.h"

#include <QRgb>

#include <cstdint>
#include <functional>
#include <map>
#include <string>
#include <unordered_set>

namespace curvalia::ui {

class SvgCurvePaths {
  public:
    // colourOf gives the colour a palette number is drawn in.
    SvgCurvePaths(const plot::PointRecord& record, const PlotMapping& mapping,
                  std::function<QRgb(int)> colourOf);

    bool empty() const { return paths_.empty(); }
    // Whether a dot (its top-left logical pixel, width and colour) lies at
    // an end of a segment of its colour and width, whose stroke covers it.
    bool covers(int left, int top, int width, int colour) const {
        return ends_.count(keyOf(left, top, width, colour)) != 0;
    }
    void appendTo(std::string& out) const;

  private:
    struct Pixel {
        int left, top;
        bool operator==(const Pixel&) const = default;
    };
    struct Run {
        std::string d;
        Pixel last{0, 0};
        bool open = false;
    };
    static std::uint64_t keyOf(int left, int top, int width, int colour) {
        return (std::uint64_t(std::uint32_t(left)) << 32 | std::uint32_t(top)) * 31 +
               std::uint64_t((width << 8) | (colour & 0xFF));
    }
    void add(const plot::PointRecord::Line& line);

    const PlotMapping& mapping_;
    std::function<QRgb(int)> colourOf_;
    std::map<std::pair<int, int>, Run> paths_; // by pen width, colour
    std::unordered_set<std::uint64_t> ends_;
};

} // namespace curvalia::ui
