#include "plot/RangeZoom.h"

#include <gtest/gtest.h>

#include <vector>

namespace curvalia::plot {
namespace {

std::vector<double> values(const PlotRange& r) {
    return {r.Xmin, r.Xmax, r.Ymin, r.Ymax, r.Step};
}

struct ZoomCase {
    const char* name;
    PlotRange start;
    int notches;
    double fx, fy;
    ZoomOutcome outcome;
    PlotRange expected = {}; // compared when the range changed
};

using Z = ZoomCase;
const auto kChanged = ZoomOutcome::Changed;
const ZoomCase kZoomCases[] = {
    Z("three_in_at_the_centre", {-10, 10, -10, 10, 0.01}, 3, 0.5, 0.5, kChanged,
      {-5, 5, -5, 5, 0.005}),
    Z("in_around_the_upper_left_quarter", {-10, 10, -10, 10, 0.01}, 1, 0.25, 0.25, kChanged,
      {-9, 7, -7, 9, 0.008}),
    Z("far_from_zero", {1e6, 1e6 + 100, 0, 10, 0.1}, 1, 0.5, 0.5, kChanged,
      {1e6 + 10, 1e6 + 90, 1, 9, 0.08}),
    Z("all_negative_out", {-50, -30, -20, -10, 0.01}, -1, 0.5, 0.5, kChanged,
      {-53, -28, -22, -9, 0.0125}),
    Z("one_unit_wide_in", {0, 1, 0, 1, 0.01}, 1, 0.5, 0.5, ZoomOutcome::Narrowest),
    Z("x_stays_one_unit_while_y_narrows", {0, 1, 0, 10, 0.01}, 1, 0.5, 0.5, kChanged,
      {0, 1, 1, 9, 0.01}),
    Z("out_past_two_million_samples", {-10, 10, -10, 10, 0.000005}, -1, 0.5, 0.5,
      ZoomOutcome::Widest),
    Z("out_past_the_largest_double", {-8e307, 8e307, -10, 10, 1e305}, -1, 0.5, 0.5,
      ZoomOutcome::Widest),
};

TEST(RangeZoom, ZoomsByWholeUnitsAroundTheAnchor) {
    for (const ZoomCase& c : kZoomCases) {
        SCOPED_TRACE(c.name);
        RangeZoom zoom;
        zoom.start(c.start);
        EXPECT_EQ(zoom.zoom(c.notches, c.fx, c.fy), c.outcome);
        EXPECT_EQ(values(zoom.shown()), values(c.outcome == kChanged ? c.expected : c.start));
        // What is written into the fields reads back as the same range.
        EXPECT_EQ(values(readRange(rangeTextsOf(zoom.shown())).range), values(zoom.shown()));
    }
}

TEST(RangeZoom, NotchesInThenAsManyOutGiveBackTheStartExactly) {
    struct Start {
        PlotRange range;
        double fx, fy;
    };
    for (const Start& s :
         {Start{{-10, 10, -10, 10, 0.01}, 0.37, 0.81}, Start{{-3, 4, 100, 101, 0.003}, 0.9, 0.1},
          Start{{123456789, 123456800, -7, 3, 0.5}, 0.01, 0.99},
          Start{{-1e15, 1e15, -1e15, 1e15, 1e10}, 0.6, 0.3}}) {
        for (int n = 1; n <= 14; ++n) {
            SCOPED_TRACE(::testing::Message() << s.range.Xmin << " n=" << n);
            RangeZoom zoom;
            zoom.start(s.range);
            zoom.pan(2, -1); // starts from a panned range, not a fresh one
            const PlotRange before = zoom.shown();
            // Past one unit each way a notch in changes nothing, and counts not.
            int in = 0;
            for (int i = 0; i < n; ++i)
                in += zoom.zoom(1, s.fx, s.fy) == ZoomOutcome::Changed;
            for (int i = 0; i < in; ++i)
                zoom.zoom(-1, s.fx, s.fy);
            EXPECT_EQ(values(zoom.shown()), values(before));
        }
    }
}

TEST(RangeZoom, PansByWholeUnitsAndRefusesARangeTheDrawWouldRefuse) {
    RangeZoom zoom;
    zoom.start({0, 20, -5, 5, 0.001});
    EXPECT_EQ(zoom.pan(3, -2), ZoomOutcome::Changed);
    EXPECT_EQ(values(zoom.shown()), (std::vector<double>{3, 23, -7, 3, 0.001}));
    // So far out the step no longer moves x: the range stays as it was.
    EXPECT_EQ(zoom.pan(1e14, 0), ZoomOutcome::Refused);
    EXPECT_EQ(values(zoom.shown()), (std::vector<double>{3, 23, -7, 3, 0.001}));
}

} // namespace
} // namespace curvalia::plot
