// The segments of one sweep with joined lines: each pair of consecutive
// defined samples that the judge joins, for f, and for f' where f joined
// both pairs its difference quotients come from. Each segment is clipped
// in doubles to the view and a margin, so that a surface gets only finite
// ends near its frame however steep the curve.
#pragma once

#include "plot/PlotFrame.h"
#include "plot/RangeReader.h"
#include "plot/SegmentJudge.h"
#include "plot/Surface.h"

#include <cstdint>
#include <optional>

namespace curvalia::plot {

struct CurvePens {
    // Read at every point: a colour chosen while the sweep yields colours
    // the rest of it.
    const std::int16_t& colour;
    int derivativeColour;
    bool function;
    bool derivative;
};

class CurveLines {
  public:
    CurveLines(SegmentJudge& judge, Surface& graph, const PlotRange& range, const PlotFrame& frame)
        : judge_(judge), graph_(graph), range_(range), frame_(frame) {}

    // After the dots of the sample at x: its value and difference quotient
    // when it has them.
    void sample(double x, std::optional<double> value, std::optional<double> slope,
                const CurvePens& pens);
    // An undefined sample breaks both curves there.
    void gap() {
        previous_.reset();
        joinedBefore_.reset();
    }

  private:
    struct Known {
        double x, y;
        std::optional<double> slope;
    };
    bool outsideOnOneSide(double a, double b) const {
        return (a > range_.Ymax && b > range_.Ymax) || (a < range_.Ymin && b < range_.Ymin);
    }
    void draw(double x0, double v0, double x1, double v1, int colour);

    SegmentJudge& judge_;
    Surface& graph_;
    const PlotRange& range_;
    const PlotFrame& frame_;
    std::optional<Known> previous_; // the sample just before, when defined
    std::optional<Known> beforeThat_;
    // The judge's word on (beforeThat_, previous_), when it was asked.
    std::optional<bool> joinedBefore_;
};

} // namespace curvalia::plot
