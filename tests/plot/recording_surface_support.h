// Test doubles for the plot code: a surface that records every call, a host
// that records what the draw command tells the window, and a clock that
// moves only when a test moves it.
#pragma once

#include "plot/PlotHost.h"
#include "plot/Surface.h"

#include <chrono>
#include <functional>
#include <string>
#include <vector>

namespace curvalia::plot::testing {

struct Point {
    float x, y;
    int colour;
    bool operator==(const Point&) const = default;
};

struct Segment {
    float x1, y1, x2, y2;
    int colour, width;
};

// Every call in order; a Cls is recorded as colour -1, a pen width change
// as colour -2 with the width in x. Segments go to lines, with the pen width
// they were drawn with.
struct RecordingSurface : Surface {
    static constexpr int kCls = -1, kWidth = -2;
    std::vector<Point> calls;
    std::vector<Segment> lines;
    int width = 1;
    std::function<void()> onPSet = [] {};
    double pointsAnnounced = -1; // by the last sweep, before its first point

    void PSet(float x, float y, int colour) override {
        calls.push_back({x, y, colour});
        onPSet();
    }
    void Line(float x1, float y1, float x2, float y2, int colour) override {
        lines.push_back({x1, y1, x2, y2, colour, width});
    }
    void Cls() override { calls.push_back({0, 0, kCls}); }
    void setDrawWidth(int pixels) override {
        width = pixels;
        calls.push_back({float(pixels), 0, kWidth});
    }
    void pointsAhead(double count) override { pointsAnnounced = count; }
    // The points of one colour, since the last Cls or over the whole run.
    std::vector<Point> points(int colour, bool sinceCls = true) const {
        std::vector<Point> out;
        for (const Point& c : calls) {
            if (c.colour == kCls && sinceCls)
                out.clear();
            else if (c.colour == colour)
                out.push_back(c);
        }
        return out;
    }
};

struct FakeHost : PlotHost {
    std::string expression = "x";
    RangeTexts texts;
    bool drawFunction = true, drawDerivative = false, closing = false;
    std::vector<std::string> statuses;
    std::vector<bool> enabledHistory;
    std::function<void()> onYield = [] {}, onRepaint = [] {};

    void setStatus(std::string_view text) override { statuses.emplace_back(text); }
    void setInputsEnabled(bool enabled) override { enabledHistory.push_back(enabled); }
    bool eventsPending() override { return true; }
    void yield() override { onYield(); }
    void repaint() override { onRepaint(); }
    bool closeRequested() override { return closing; }
    std::string expressionText() override { return expression; }
    RangeTexts rangeTexts() override { return texts; }
    bool drawFunctionChecked() override { return drawFunction; }
    bool drawDerivativeChecked() override { return drawDerivative; }
    std::string lastStatus() const { return statuses.empty() ? std::string() : statuses.back(); }
};

struct FakeClock : Clock {
    std::chrono::steady_clock::time_point time{};
    std::chrono::steady_clock::time_point now() override { return time; }
};

} // namespace curvalia::plot::testing
