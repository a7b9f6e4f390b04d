// The parts a study stands on: its grid, the number it reports for a
// bracket, what f does beside a point, the noise it reads, and the
// intervals; and the noise around roots written out in full over views of
// every size.
#include "analysis/Approach.h"
#include "analysis/CurveProbe.h"
#include "analysis/FunctionStudy.h"
#include "analysis/LatticeSearch.h"

#include "engine/Engine.h"
#include "support/table_rows.h"

#include <gtest/gtest.h>

#include <cmath>
#include <sstream>
#include <string>
#include <vector>

namespace curvalia::analysis {
namespace {

using namespace detail;

// One expression recorded on its own engine, read as a curve.
struct Recorded {
    engine::Engine engine;
    engine::ReductionSchedule schedule{engine};
    CurveProbe probe{schedule};
    explicit Recorded(const char* expression) {
        engine.emptyArrays();
        schedule.record(expression);
    }
};

TEST(StudyGrid, EachXIsOneMultiplicationPutOnTheLattice) {
    EXPECT_EQ(gridX(-10, 0.01, 1200), 2); // a pole of (x^2-4)/(x-2) lands on the grid
    EXPECT_EQ(gridX(-5, 0.01, 600), 1);   // where a running sum reads 0.999999999999938
    EXPECT_EQ(gridX(-10, 0.01, 1000), 0);
    EXPECT_EQ(gridCount(-10, 10, 0.01), 2001);
    EXPECT_EQ(gridCount(0, 1, 0.3), 4);
    EXPECT_EQ(gridCount(0, 1, 5), 1);
}

TEST(SimplestBetween, WritesWhatAPersonWouldForTheBracket) {
    using C = std::tuple<double, double, double>;
    for (const auto& [lo, hi, simplest] :
         {C{0.99, 1.001, 1}, C{-1e-15, 2e-15, 0}, C{3.14159, 3.1416, 3.1416},
          C{1.41421356237309, 1.4142135623731, 1.4142135623731}, C{-2.5, -2.45, -2.5},
          C{0.00499999999999999, 0.00500000000000015, 0.005}})
        EXPECT_EQ(simplestBetween(lo, hi), simplest) << lo << " " << hi;
}

TEST(Approach, TellsUnboundedFromAFiniteLimit) {
    struct C {
        const char* expression;
        double c;
        int side;
        bool unbounded;
        double limit = 0;
    };
    for (const C& c : testing::rows<C>(
             C{"1/x", 0, 1, true}, C{"1/x^2", 0, -1, true}, C{"tg(x)", 1.5707963267949, -1, true},
             C{"lgn(x)", 0, 1, true},             // a logarithm's slow growth
             C{"lgn(abs(x-2))", 2, -1, true},     // the same, where the lattice is coarse
             C{"lgn(abs(x-2))+100", 2, 1, true},  // far from 0 all along
             C{"rad(2)(x)", 0, 1, false, 0},      // a finite limit
             C{"rad(9)(x)+1", 0, 1, false, 1},    // steps shrinking slowly
             C{"(x^2-4)/(x-2)", 2, 1, false, 4},  // rounding noise near the hole
             C{"(x^2-4)/(x-2)", 2, -1, false, 4}, // from both sides
             C{"sin(x)/x", 0, 1, false, 1}, C{"abs(x)/x", 0, -1, false, -1})) {
        Recorded f(c.expression);
        const Approach a = approach(f.probe, c.c, c.side, 0.005);
        EXPECT_EQ(a.unbounded, c.unbounded) << c.expression;
        if (!c.unbounded) {
            EXPECT_TRUE(a.converges) << c.expression;
            EXPECT_NEAR(readLimit(a), c.limit, 1e-9) << c.expression;
        }
    }
}

TEST(CurveProbe, ReadsNoiseWhereTermsCancelOnly) {
    Recorded expanded("x^3-3*x^2+3*x-1");
    Recorded product("(x-1)^3");
    EXPECT_GT(expanded.probe.noiseAt(1.00001), 1e-15);
    EXPECT_LT(product.probe.noiseAt(1.00001), 1e-20);
    EXPECT_LT(Recorded("sin(x)").probe.noiseAt(3.14159), 1e-15);
}

// The intervals as "kind from to", comma-separated; an end within 1e-9 of
// a whole number is written as that number.
std::string listed(const std::vector<StudyInterval>& intervals) {
    static const char* const kinds[] = {"+", "-", "up", "down", "cup", "cap", "undefined"};
    std::ostringstream out;
    out.precision(17);
    for (const StudyInterval& i : intervals) {
        const auto end = [](double v) {
            return std::fabs(v - std::round(v)) <= 1e-9 ? std::round(v) + 0.0 : v;
        };
        out << (out.tellp() > 0 ? ", " : "") << kinds[static_cast<int>(i.kind)] << ' '
            << end(i.from) << ' ' << end(i.to);
    }
    return out.str();
}

TEST(FunctionStudy, FindsTheIntervalsWorkedOutByHand) {
    using C = std::pair<const char*, const char*>;
    for (const auto& [expression, intervals] :
         testing::rows(C{"rad(2)(x)", "+ 0 10, up 0 10, cap 0 10, undefined -10 0"},
                       C{"1/x", "+ 0 10, - -10 0, down -10 0, down 0 10, cup 0 10, cap -10 0"},
                       // straight on either side of the corner
                       C{"abs(x)", "+ -10 0, + 0 10, up 0 10, down -10 0"},
                       C{"x^4+1", "+ -10 10, up 0 10, down -10 0, cup -10 10"},
                       C{"(abs(x)+x)^2", "+ 0 10, up 0 10, cup 0 10"}, // 0 and flat up to 0
                       C{"asin(x)", "+ 0 1, - -1 0, up -1 1, cup 0 1, cap -1 0, undefined -10 -1, "
                                    "undefined 1 10"},
                       C{"(x^2-4)/(x-2)", "+ -2 2, + 2 10, - -10 -2, up -10 2, up 2 10"})) {
        FunctionStudy studies;
        EXPECT_EQ(listed(studies.study(expression, {-10, 10, -10, 10, 0.01}).intervals), intervals)
            << expression;
    }
}

// A root of multiplicity m written out in full is noise for about the m-th
// root of 1e-14 around it; whatever the view, it stays one zero, with no
// asymptote and no more than its own extremum or flex beside it.
TEST(FunctionStudy, ARootWrittenOutInFullIsOneZeroInEveryView) {
    struct C {
        const char* expression;
        int multiplicity;
    };
    const C roots[] = {{"x^3-3*x^2+3*x-1", 3},
                       {"x^4-4*x^3+6*x^2-4*x+1", 4},
                       {"x^5-5*x^4+10*x^3-10*x^2+5*x-1", 5},
                       {"x^6-6*x^5+15*x^4-20*x^3+15*x^2-6*x+1", 6}};
    const StudyRange views[] = {{0.9, 1.1, -1, 1, 0.00001},       {0.99, 1.01, -1, 1, 0.000001},
                                {0.996638, 1.008, -1, 1, 2.9e-5}, {0.999, 1.002, -1, 1, 1e-7},
                                {-10, 10, -1, 1, 0.03},           {0.5, 1.7, -1, 1, 0.0003},
                                {0.98, 1.03, -1, 1, 0.00002},     {-3, 5, -1, 1, 0.007}};
    for (const C& root : roots)
        for (const StudyRange& v : views) {
            FunctionStudy studies;
            const Study s = studies.study(root.expression, v);
            const double radius =
                std::pow(1e-13 * std::pow(2.0, root.multiplicity), 1.0 / root.multiplicity) +
                3 * v.Step;
            int zeros = 0, others = 0, beside = 0;
            for (const StudyPoint& p : s.points) {
                const bool near = std::fabs(p.x - 1) <= radius;
                if (p.kind == PointKind::Zero || p.kind == PointKind::DoubleZero)
                    ++(near ? zeros : others);
                else if (p.kind == PointKind::VerticalAsymptote ||
                         p.kind == PointKind::ExcludedPoint || !near)
                    others += p.kind != PointKind::YIntercept;
                else
                    ++beside;
            }
            EXPECT_EQ(zeros, 1) << root.expression << " from " << v.Xmin << " by " << v.Step;
            EXPECT_EQ(others, 0) << root.expression << " from " << v.Xmin << " by " << v.Step;
            EXPECT_LE(beside, 1) << root.expression << " from " << v.Xmin << " by " << v.Step;
        }
}

} // namespace
} // namespace curvalia::analysis
