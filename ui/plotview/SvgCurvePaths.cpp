#include "ui/plotview/SvgCurvePaths.h"

#include <algorithm>
#include <charconv>
#include <utility>

namespace curvalia::ui {

namespace {

// A dot's centre, in logical pixels: whole or half.
void appendCentre(std::string& out, int corner, int width) {
    const int twice = 2 * corner + width;
    char buffer[16];
    out.append(buffer, std::to_chars(buffer, buffer + sizeof buffer, twice / 2).ptr);
    if (twice % 2 != 0)
        out += ".5";
}

void appendHex(std::string& out, QRgb colour) {
    static constexpr char kHex[] = "0123456789abcdef";
    out += '#';
    for (const int part : {qRed(colour), qGreen(colour), qBlue(colour)}) {
        out += kHex[part >> 4];
        out += kHex[part & 15];
    }
}

} // namespace

SvgCurvePaths::SvgCurvePaths(const plot::PointRecord& record, const PlotMapping& mapping,
                             std::function<QRgb(int)> colourOf)
    : mapping_(mapping), colourOf_(std::move(colourOf)) {
    record.forEach([](const plot::PointRecord::Point&) {},
                   [&](const plot::PointRecord::Line& line) { add(line); },
                   [](const plot::AxesCall&) {});
}

void SvgCurvePaths::add(const plot::PointRecord::Line& line) {
    const int width = std::max(1, line.penWidth);
    const int colour = line.colour & 15;
    const auto a = dotCorner(mapping_.pixelX(line.x1), mapping_.pixelY(line.y1), width);
    const auto b = dotCorner(mapping_.pixelX(line.x2), mapping_.pixelY(line.y2), width);
    // Within one pixel it is the dot there, drawn as a dot.
    if (!a || !b || *a == *b)
        return;
    ends_.insert(keyOf(a->x(), a->y(), width, colour));
    ends_.insert(keyOf(b->x(), b->y(), width, colour));
    Run& run = paths_[{width, colour}];
    const auto point = [&](char command, const QPoint& p) {
        run.d += command;
        appendCentre(run.d, p.x(), width);
        run.d += ' ';
        appendCentre(run.d, p.y(), width);
    };
    if (!run.open || !(run.last == Pixel{a->x(), a->y()}))
        point('M', *a);
    point('L', *b);
    run.last = Pixel{b->x(), b->y()};
    run.open = true;
}

void SvgCurvePaths::appendTo(std::string& out) const {
    for (const auto& [key, run] : paths_) {
        out += "<path fill=\"none\" stroke=\"";
        appendHex(out, colourOf_(key.second));
        out += "\" stroke-width=\"";
        char buffer[16];
        out.append(buffer, std::to_chars(buffer, buffer + sizeof buffer, key.first).ptr);
        out += "\" stroke-linecap=\"square\" stroke-linejoin=\"round\" d=\"";
        out += run.d;
        out += "\"/>\n";
    }
}

} // namespace curvalia::ui
