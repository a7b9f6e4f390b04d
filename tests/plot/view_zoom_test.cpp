// The free view: zoom around the pointer, pan, box zoom and the way home,
// with the limits each axis keeps and the step that follows the width.
#include "plot/ViewZoom.h"

#include "support/table_rows.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <vector>

namespace curvalia::plot {
namespace {

std::vector<double> values(const PlotRange& r) {
    return {r.Xmin, r.Xmax, r.Ymin, r.Ymax, r.Step};
}

const PlotRange kHome = {-10, 10, -5, 5, 0.01234};
const auto kChanged = ViewOutcome::Changed, kNarrow = ViewOutcome::TooNarrow,
           kWide = ViewOutcome::TooWide;
const double kInf = std::numeric_limits<double>::infinity();

TEST(ViewZoom, KeepsTheAnchorAndNotchesBackGiveTheStartExactlyPastBothLimits) {
    for (const auto& [fx, fy] :
         {std::pair{0.0, 0.0}, {1.0, 1.0}, {0.0, 1.0}, {0.5, 0.5}, {0.37, 0.81}}) {
        SCOPED_TRACE(::testing::Message() << fx << "," << fy);
        ViewZoom zoom;
        zoom.start({1e6, 1e6 + 20, -5, 5, 0.01}); // the narrowest x is 1e-3 wide here
        zoom.pan(0.3, -0.7);
        const PlotRange panned = zoom.view();
        zoom.zoom(2, fx, fy); // a start the anchor computed, not the one it was taken at
        const PlotRange start = zoom.view();
        for (int n : {1, 7, 30}) {
            for (int i = 0; i < n; ++i)
                ASSERT_EQ(zoom.zoom(1, fx, fy), kChanged);
            const PlotRange& v = zoom.view();
            EXPECT_NEAR(v.Xmin + fx * (v.Xmax - v.Xmin),
                        start.Xmin + fx * (start.Xmax - start.Xmin), 1e-12 * 1e6);
            EXPECT_NEAR(v.Ymax - fy * (v.Ymax - v.Ymin),
                        start.Ymax - fy * (start.Ymax - start.Ymin), 1e-12 * 10);
            zoom.zoom(-n, fx, fy);
            EXPECT_EQ(values(zoom.view()), values(start));
        }
        int in = 0, out = 0;
        while (in < 1000 && zoom.zoom(1, fx, fy) == kChanged)
            ++in;
        EXPECT_EQ(zoom.zoom(3, fx, fy), kNarrow); // refused whole, the level kept
        EXPECT_LT(zoom.view().Xmax - zoom.view().Xmin, 1e-3 * kZoomFactor);
        while (out < 1000 && zoom.zoom(-1, fx, fy) == kChanged)
            ++out;
        EXPECT_EQ(zoom.zoom(-1, fx, fy), kWide);
        EXPECT_GT(zoom.view().Xmax - zoom.view().Xmin, kMaxWidth / kZoomFactor);
        EXPECT_EQ(zoom.zoom(out - in, fx, fy), kChanged);
        EXPECT_EQ(values(zoom.view()), values(start));
        zoom.zoom(-2, fx, fy);
        EXPECT_EQ(values(zoom.view()), values(panned));
    }
}

// Boxes in any corner order, from kHome; a refused one leaves it as it was.
struct BoxCase {
    double x0, y0, x1, y1;
    ViewOutcome outcome;
    double step = 0;
};
using B = BoxCase;
const std::vector<BoxCase> kBoxes = ::curvalia::testing::rows(
    B(0.1, -2.5, 3.7, 4e-3, kChanged, 0.00222), B(3.7, 4e-3, 0.1, -2.5, kChanged, 0.00222),
    B(17, 0, -3, 1, kChanged, 0.01234), B(0, 0, 20.0 / 3, 1, kChanged, 0.00411),
    B(0, 0, 2e-9, 1, kChanged, 1.23e-12), B(0, 0, 0.5e-9, 1, kNarrow),
    B(0, 0.4e-9, 1, -0.4e-9, kNarrow), B(1, 1, 1, 2, kNarrow),
    B(1e6 - 6e-4, 0, 1e6 + 6e-4, 1, kChanged, 7.4e-7), B(1e6 - 4e-4, 0, 1e6 + 4e-4, 1, kNarrow),
    B(0, -1e6 - 4e-4, 1, -1e6 + 4e-4, kNarrow), B(-5e14, 0, 5e14, 1, kChanged, 6.17e11),
    B(-6e14, 0, 6e14, 1, kWide), B(0, 0, 1, 1.5e15, kWide), B(0, 0, kInf, 1, kWide),
    B(0, 1, 1, std::nan(""), kWide));

TEST(ViewZoom, BoxGivesTheRectangleOrNamesTheLimitItBreaks) {
    for (const BoxCase& c : kBoxes) {
        SCOPED_TRACE(::testing::Message() << c.x0 << "," << c.y0 << " " << c.x1 << "," << c.y1);
        ViewZoom zoom;
        zoom.start(kHome);
        EXPECT_EQ(zoom.box(c.x0, c.y0, c.x1, c.y1), c.outcome);
        const std::vector<double> boxed = {std::fmin(c.x0, c.x1), std::fmax(c.x0, c.x1),
                                           std::fmin(c.y0, c.y1), std::fmax(c.y0, c.y1), c.step};
        EXPECT_EQ(values(zoom.view()), c.outcome == kChanged ? boxed : values(kHome));
    }
}

TEST(ViewZoom, PansByFractionsKeepingWidthsAndStepAndGoesHomeExactly) {
    ViewZoom zoom;
    zoom.start(kHome);
    zoom.zoom(1, 0.5, 0.5);
    zoom.zoom(-1, 0.5, 0.5);
    // Leaves x 20 wide to an ulp: still the user's own step, not 0.0123.
    EXPECT_EQ(zoom.pan(26.38, -1.3), kChanged);
    const std::vector<double> panned = {-10 + 26.38, 10 + 26.38, -5 - 1.3, 5 - 1.3, 0.01234};
    EXPECT_EQ(values(zoom.view()), panned);
    EXPECT_EQ(zoom.pan(1e300, 0), kNarrow); // 20 wide is nothing at 1e300
    EXPECT_EQ(zoom.pan(0, -kInf), kWide);
    EXPECT_EQ(values(zoom.view()), panned);
    EXPECT_FALSE(zoom.atHome());
    ASSERT_EQ(zoom.zoom(1, 0.5, 0.5), kChanged); // around the centre the pan moved to
    EXPECT_NEAR(zoom.view().Xmin + zoom.view().Xmax, 2 * 26.38, 1e-12);
    zoom.goHome();
    EXPECT_TRUE(zoom.atHome());
    EXPECT_EQ(values(zoom.view()), values(kHome));
}

} // namespace
} // namespace curvalia::plot
