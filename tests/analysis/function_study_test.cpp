// The study of a function against answers worked out by hand: every point
// with its kind and no other, the hard cases each in a row (roots of every
// multiplicity, poles beside excluded points, the edges of a domain, noise).
// Tolerances scale with max(1, |x|): zeros 1e-12, extrema 1e-6, flexes 1e-5,
// unless the row says f is flat or noisy there.
#include "analysis/FunctionStudy.h"

#include "engine/Engine.h"
#include "engine/NumberText.h"
#include "support/table_rows.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <numbers>
#include <sstream>
#include <string>
#include <vector>

namespace curvalia::analysis {
namespace {

using K = PointKind;
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kPi = std::numbers::pi;
constexpr StudyRange kView{-10, 10, -10, 10, 0.01};

StudyRange view(double xmin, double xmax, double step = 0.01) {
    return {xmin, xmax, -10, 10, step};
}

// An expected point: kind, x, y (NaN: unknown) and the tolerance on x.
struct P {
    K kind;
    double x;
    double y = kNaN;
    double tolerance = 0;
    std::string other = {};
};
P Z(double x, double tol = 1e-12) {
    return {K::Zero, x, 0, tol};
}
P Z2(double x, double tol = 1e-12) {
    return {K::DoubleZero, x, 0, tol};
}
P Y(double y) {
    return {K::YIntercept, 0, y, 0};
}
P Max(double x, double y, double tol = 1e-6) {
    return {K::Maximum, x, y, tol};
}
P Min(double x, double y, double tol = 1e-6) {
    return {K::Minimum, x, y, tol};
}
P Fl(double x, double y, double tol = 1e-5) {
    return {K::Inflection, x, y, tol};
}
P VA(double x) {
    return {K::VerticalAsymptote, x, kNaN, 1e-9};
}
P Ex(double x, double y) {
    return {K::ExcludedPoint, x, y, 1e-9};
}
P In(const char* other, double x, double y) {
    return {K::Intersection, x, y, 1e-12, other};
}

struct Row {
    const char* expression;
    StudyRange range;
    std::vector<P> points;
    std::vector<std::string> others = {};
};

std::string listing(const Study& s) {
    std::ostringstream out;
    out.precision(17);
    for (const StudyPoint& p : s.points)
        out << kindName(p) << " " << p.x << " " << p.y << "\n";
    return out.str();
}

bool matches(const P& e, const StudyPoint& a) {
    if (a.kind != e.kind || a.other != e.other)
        return false;
    if (std::fabs(a.x - e.x) > e.tolerance * std::max(1.0, std::fabs(e.x)))
        return false;
    if (std::isnan(e.y))
        return std::isnan(a.y);
    // y is f at the x found: as close as x is, times the slope (at most 1e-4).
    const double slack = e.kind == K::Inflection || e.kind == K::Intersection ? 1e-4 : 1e-6;
    return std::fabs(a.y - e.y) <= slack * std::max(1.0, std::fabs(e.y));
}

void expectPoints(const Row& row) {
    FunctionStudy studies;
    const Study s = studies.study(row.expression, row.range, row.others);
    SCOPED_TRACE(std::string(row.expression) + "\n" + listing(s));
    ASSERT_FALSE(s.refusal) << *s.refusal;
    std::vector<bool> used(s.points.size(), false);
    for (const P& e : row.points) {
        bool found = false;
        for (std::size_t i = 0; i < s.points.size() && !found; ++i)
            if (!used[i] && matches(e, s.points[i]))
                used[i] = found = true;
        EXPECT_TRUE(found) << kindName({e.kind, e.x, e.y, e.other}) << " at " << e.x;
    }
    for (std::size_t i = 0; i < s.points.size(); ++i)
        EXPECT_TRUE(used[i]) << "extra: " << kindName(s.points[i]) << " at " << s.points[i].x;
    for (std::size_t i = 1; i < s.points.size(); ++i)
        EXPECT_LE(s.points[i - 1].x, s.points[i].x);
}

const double r3 = std::sqrt(3.0), r2 = std::sqrt(2.0), ie = 1 / std::numbers::e;
const double q1 = 1.6444328681582685, q2 = 0.543912255902338, q3 = 1.224744871391589;

// sin(a*x) on kView: a zero and a flex at every k*pi/a, an extremum
// between; with others, where the first of them, cos(a*x), meets it.
Row sine(const char* expression, double a, std::vector<std::string> others = {}) {
    Row row{expression, kView, {Y(0)}, others};
    for (int k = -40; k <= 40; ++k) {
        const double x = k * kPi / a, top = x + kPi / 2 / a, meet = x + kPi / 4 / a;
        const double sign = k % 2 == 0 ? 1 : -1;
        if (std::fabs(x) <= 10)
            row.points.insert(row.points.end(), {Z(x), Fl(x, 0)});
        if (std::fabs(top) <= 10)
            row.points.push_back(sign > 0 ? Max(top, 1) : Min(top, -1));
        if (!others.empty() && std::fabs(meet) <= 10)
            row.points.push_back(In(others[0].c_str(), meet, sign * r2 / 2));
    }
    return row;
}

// Worked out by hand: f' and f'' and their roots, the limits at the holes.
// The engine's lgn is log10 and lge the natural logarithm.
const std::vector<Row> kRows = testing::rows<Row>(
    // Polynomials: simple, double and triple roots.
    Row{"x^3-3*x", kView, {Z(-r3), Max(-1, 2), Z(0), Y(0), Fl(0, 0), Min(1, -2), Z(r3)}},
    Row{"x^3-3*x", view(-1.6, 1.6, 0.0016), {Max(-1, 2), Z(0), Y(0), Fl(0, 0, 0), Min(1, -2)}},
    Row{"x^3-3*x", view(-0.8, 0.7, 0.00075), {Z(0), Y(0), Fl(0, 0, 0)}},
    Row{"x^3-3*x", view(-0.01, 0.013, 0.00001), {Z(0), Y(0), Fl(0, 0, 0)}},
    Row{"x^2", kView, {Z2(0), Min(0, 0), Y(0)}},
    Row{"(x-1)^2*(x+2)", kView, {Z(-2), Max(-1, 4), Y(2), Fl(0, 2), Z2(1), Min(1, 0)}},
    Row{"x^2+0.000001", kView, {Min(0, 1e-6), Y(1e-6)}},
    Row{"x^2-0.000001", kView, {Z(-0.001), Min(0, -1e-6), Y(-1e-6), Z(0.001)}},
    Row{"x^4", kView, {Z2(0), Min(0, 0), Y(0)}},
    Row{"x^4+1", kView, {Min(0, 1, 1e-3), Y(1)}}, // 1 to 15 digits for |x| < 2e-4
    Row{"(x-1)^3", kView, {Y(-1), Z(1), Fl(1, 0)}},
    Row{"x^5-5*x^3+4*x",
        kView,
        {Z(-2), Max(-q1, 3.6314322084488406), Fl(-q3, 1.530931089239485), Z(-1),
         Min(-q2, -1.4186966255829239), Z(0), Y(0), Fl(0, 0), Max(q2, 1.4186966255829239), Z(1),
         Fl(q3, -1.530931089239485), Min(q1, -3.6314322084488406), Z(2)}},
    // Roots written out in full: noise around them, one point each, found to
    // about the m-th root of the noise.
    Row{"x^3-3*x^2+3*x-1", kView, {Y(-1), Z(1), Fl(1, 0, 1e-4)}},
    Row{"x^3-3*x^2+3*x-1", view(-10, 10, 0.03), {Y(-1), Z(1, 1e-4), Fl(1, 0, 1e-4)}},
    Row{"x^3-3*x^2+3*x-1", view(0.9, 1.1, 0.00001), {Z(1, 1e-4), Fl(1, 0, 1e-3)}},
    Row{"x^4-4*x^3+6*x^2-4*x+1", kView, {Y(1), Z2(1), Min(1, 0)}},
    Row{"x^4-4*x^3+6*x^2-4*x+1",
        view(0.99, 1.01, 0.000001),
        {Z2(1, 1e-3), {K::Minimum, 1, 0, 1e-3}}},
    // Rational functions: poles and excluded points, on and off the grid.
    Row{"(x^2-4)/(x-2)", kView, {Z(-2), Y(2), Ex(2, 4)}},
    Row{"(x^2-4)/(x-1)", view(-5, 5), {Z(-2), Y(4), VA(1), Z(2)}}, Row{"1/x", kView, {VA(0)}},
    Row{"1/(x^2-1)", kView, {VA(-1), Max(0, -1), Y(-1), VA(1)}},
    Row{"(x+1)/(x^2-1)", kView, {Ex(-1, -0.5), Y(-1), VA(1)}},
    Row{"x/(x^2+1)",
        kView,
        {Fl(-r3, -r3 / 4), Min(-1, -0.5), Z(0), Y(0), Fl(0, 0), Max(1, 0.5), Fl(r3, r3 / 4)}},
    Row{"1/(x-0.005)", kView, {Y(-200), VA(0.005)}},
    Row{"1/(x-0.005)^2", kView, {Y(40000), VA(0.005)}}, Row{"x/x", kView, {Ex(0, 1)}},
    Row{"x^2/x", kView, {Ex(0, 0)}}, Row{"abs(x)/x", kView, {Ex(0, kNaN)}}, // -1 and 1 either side
    Row{"sin(x)/x",
        kView,
        {Z(-3 * kPi), Fl(-9.205840142936665, 0.023592949250585905),
         Max(-7.725251836937707, 0.12837455352589913), Z(-2 * kPi),
         Fl(-5.940369990572712, -0.05658568749496346),
         Min(-4.493409457909064, -0.21723362821122166), Z(-kPi),
         Fl(-2.0815759778181007, 0.41908805820161554), Ex(0, 1),
         Fl(2.0815759778181007, 0.41908805820161554), Z(kPi),
         Min(4.493409457909064, -0.21723362821122166), Fl(5.940369990572712, -0.05658568749496346),
         Z(2 * kPi), Max(7.725251836937707, 0.12837455352589913),
         Fl(9.205840142936665, 0.023592949250585905), Z(3 * kPi)}},
    Row{"tg(x)", kView, {Fl(-3 * kPi, 0), Z(-3 * kPi),    VA(-2.5 * kPi), Fl(-2 * kPi, 0),
                         Z(-2 * kPi),     VA(-1.5 * kPi), Fl(-kPi, 0),    Z(-kPi),
                         VA(-kPi / 2),    Z(0),           Y(0),           Fl(0, 0),
                         VA(kPi / 2),     Z(kPi),         Fl(kPi, 0),     VA(1.5 * kPi),
                         Z(2 * kPi),      Fl(2 * kPi, 0), VA(2.5 * kPi),  Z(3 * kPi),
                         Fl(3 * kPi, 0)}},
    // Logarithms and roots at the edge of their domain.
    Row{"lgn(x)", kView, {VA(0), Z(1)}},
    Row{"lge(x)", view(0, 10), {VA(0), Z(1)}}, // the view starts on the asymptote
    Row{"lge(x^2)", kView, {Z(-1), VA(0), Z(1)}},
    Row{"x*lge(x)", kView, {Min(ie, -ie), Z(1)}}, // tends to 0 at 0, undefined there
    Row{"x*lgn(x)", kView, {Min(ie, -0.15976801130640933), Z(1)}},
    Row{"lgn(abs(x-0.005))", kView, {Z(-0.995), Y(-2.3010299956639813), VA(0.005), Z(1.005)}},
    Row{"rad(2)(x)", kView, {Z(0), Y(0)}}, Row{"rad(2)(x-0.005)", kView, {Z(0.005)}},
    Row{"rad(2)(x^2-2)", kView, {Z(-r2), Z(r2)}},
    Row{"rad(2)(4-x^2)", kView, {Z(-2), Y(2), Max(0, 2), Z(2)}}, Row{"1/rad(2)(x)", kView, {VA(0)}},
    Row{"rad(3)(x)", kView, {Z(0), Y(0), Fl(0, 0)}},     // a vertical tangent
    Row{"rad(3)(x^2)", kView, {Z2(0), Y(0), Min(0, 0)}}, // a cusp
    Row{"asin(x)", kView, {Z(0), Y(0), Fl(0, 0)}},
    Row{"acos(x)", kView, {Y(kPi / 2), Fl(0, kPi / 2)}}, // acos(1) is undefined here
    // Corners, a plateau, a straight line, a constant.
    Row{"abs(x)", kView, {Z2(0), Min(0, 0), Y(0)}},
    Row{"abs(x-0.005)", kView, {Y(0.005), Z2(0.005), Min(0.005, 0)}},
    Row{"abs(x^2-1)", kView, {Z2(-1), Min(-1, 0), Max(0, 1), Y(1), Z2(1), Min(1, 0)}},
    Row{"abs(x-1)+abs(x+1)", kView, {Y(2)}}, Row{"abs(x-1)+abs(x+1)-2", kView, {Y(0)}},
    Row{"2*x+1", kView, {Z(-0.5), Y(1)}}, Row{"5", kView, {Y(5)}},
    // Clean tiny values are values: no zero far out on e^(0-x^2).
    Row{"e^(0-x^2)",
        kView,
        {Fl(-1 / r2, 0.6065306597126334), Max(0, 1), Y(1), Fl(1 / r2, 0.6065306597126334)}},
    // A view that starts or ends on a point.
    Row{"x^2-4", view(-2, 2), {Z(-2), Min(0, -4), Y(-4), Z(2)}},
    Row{"(x^2-4)/(x-2)", view(2, 5), {Ex(2, 4)}}, Row{"1/x", view(0, 5), {VA(0)}},
    // A zero off the grid with a grid that misses 0.
    Row{"x^3", view(-9.995, 10), {Z(0), Y(0), Fl(0, 0)}},
    // Nearly touching curves: tangent, apart by 1e-6, crossing 0.002 apart.
    Row{"x^2", kView, {Z2(0), Min(0, 0), Y(0), In("2*x-1", 1, 1)}, {"2*x-1"}},
    Row{"x^2", kView, {Z2(0), Min(0, 0), Y(0)}, {"2*x-1.000001"}},
    Row{"x^2",
        kView,
        {Z2(0), Min(0, 0), Y(0), In("2*x-0.999999", 0.999, 0.998001),
         In("2*x-0.999999", 1.001, 1.002001)},
        {"2*x-0.999999"}},
    // A zero and a flex at every k*pi, an extremum between, and where cos
    // meets it; a refused curve meets nothing.
    sine("sin(x)", 1, {"cos(x)", "2x"}), sine("sin(10*x)", 10));

TEST(FunctionStudy, FindsEveryPointWorkedOutByHandAndNoOther) {
    for (const Row& row : kRows)
        expectPoints(row);
}

// Rounding hides where sin(x) bends by some 1e-8: the flex is the zero
// there, written alike in both rows, with y = 0 and not f's noise.
TEST(FunctionStudy, PutsAFlexHiddenByRoundingOnItsZero) {
    FunctionStudy studies;
    const Study s = studies.study("sin(x)", kView, {});
    std::vector<double> zeros;
    std::vector<double> flexes;
    for (const StudyPoint& p : s.points) {
        if (p.kind == K::Zero)
            zeros.push_back(p.x);
        if (p.kind == K::Inflection) {
            flexes.push_back(p.x);
            EXPECT_EQ(p.y, 0) << p.x;
        }
    }
    EXPECT_EQ(flexes.size(), 7u);
    EXPECT_EQ(flexes, zeros);
}

TEST(FunctionStudy, RefusesWhatCannotBeStudiedWithItsMessage) {
    const std::string brackets = engine::msg::kBrackets;
    using C = std::pair<const char*, std::string>;
    for (const auto& [expression, message] :
         {C{"", engine::msg::kEmptyExpression}, C{"sin(", engine::msg::kMoreOpen},
          C{"2x", brackets + " (scrivere 2*x)"}}) {
        FunctionStudy studies;
        const Study s = studies.study(expression, kView);
        ASSERT_TRUE(s.refusal) << expression;
        EXPECT_EQ(*s.refusal, message);
        EXPECT_TRUE(s.points.empty() && s.intervals.empty());
        EXPECT_EQ(studyText(s, [](double) { return "?"; }), message + "\n");
    }
    using V = std::pair<StudyRange, std::string>;
    for (const auto& [range, message] :
         {V{view(5, 5), msg::kBadRange}, V{view(-1e308, 1e308, 1e300), msg::kBadRange},
          V{view(-10, 10, 0), msg::kBadStep}, V{view(1e6, 1e6 + 1, 1e-12), msg::kBadStep},
          V{view(-10, 10, 1e-4), msg::kTooManySamples}}) {
        FunctionStudy studies;
        EXPECT_EQ(studies.study("x", range).refusal.value_or(""), message);
    }
    // At the limit, counted as the grid is laid (1 / 1e-5 falls just short
    // of 100000 in doubles).
    FunctionStudy studies;
    EXPECT_EQ(studies.study("x", view(-0.5, 0.5, 1e-5)).refusal.value_or(""), msg::kTooManySamples);
    EXPECT_FALSE(studies.study("x", view(-0.5, 0.49999, 1e-5)).refusal);
}

// Italian numbers as the window writes them, with fewer digits.
std::string italian(double v) {
    std::string text = engine::plainNumberText(v + 0.0, 6);
    for (char& c : text)
        if (c == '.')
            c = ',';
    return text;
}

TEST(FunctionStudy, SaysTheIntervalsInSentences) {
    struct S {
        const char* expression;
        StudyRange range;
        std::vector<std::string> sentences;
    };
    for (const S& c : {
             S{"(X^2-4)/(x-1)",
               view(-5, 5),
               {"f > 0 per x in (-2; 1) e (2; 5)", "f < 0 per x in (-5; -2) e (1; 2)",
                "f crescente per x in (-5; 1) e (1; 5)", "f concava verso l'alto per x in (-5; 1)",
                "f concava verso il basso per x in (1; 5)", "asintoto verticale: x = 1"}},
             S{"x^3-3*x",
               kView,
               {"f > 0 per x in (-1,73205; 0) e (1,73205; 10)",
                "f < 0 per x in (-10; -1,73205) e (0; 1,73205)",
                "f crescente per x in (-10; -1) e (1; 10)", "f decrescente per x in (-1; 1)",
                "f concava verso l'alto per x in (0; 10)",
                "f concava verso il basso per x in (-10; 0)"}},
             S{"lgn(x)",
               kView,
               {"f > 0 per x in (1; 10)", "f < 0 per x in (0; 1)", "f crescente per x in (0; 10)",
                "f concava verso il basso per x in (0; 10)", "f non definita per x in (-10; 0)",
                "asintoto verticale: x = 0"}},
             S{"abs(x-1)+abs(x+1)",
               kView,
               {"f > 0 per x in (-10; 10)", "f crescente per x in (1; 10)",
                "f decrescente per x in (-10; -1)"}},
             S{"tg(x)",
               view(-2, 2),
               {"f > 0 per x in (-2; -1,5708) e (0; 1,5708)",
                "f < 0 per x in (-1,5708; 0) e (1,5708; 2)",
                "f crescente per x in (-2; -1,5708), (-1,5708; 1,5708) e (1,5708; 2)",
                "f concava verso l'alto per x in (-2; -1,5708) e (0; 1,5708)",
                "f concava verso il basso per x in (-1,5708; 0) e (1,5708; 2)",
                "asintoto verticale: x = -1,5708", "asintoto verticale: x = 1,5708"}},
         }) {
        FunctionStudy studies;
        const Study s = studies.study(c.expression, c.range);
        EXPECT_EQ(sentences(s, italian), c.sentences) << c.expression;
    }
}

TEST(FunctionStudy, WritesThePointsThenTheSentencesAsText) {
    FunctionStudy studies;
    const Study s = studies.study("1/x", view(-1, 1, 0.1), {"x"});
    EXPECT_EQ(s.expression, "1/x");
    EXPECT_EQ(studyText(s, italian), "intersezione con x\t-1\t-1\n"
                                     "asintoto verticale\t0\t\n"
                                     "intersezione con x\t1\t1\n"
                                     "f > 0 per x in (0; 1)\n"
                                     "f < 0 per x in (-1; 0)\n"
                                     "f decrescente per x in (-1; 0) e (0; 1)\n"
                                     "f concava verso l'alto per x in (0; 1)\n"
                                     "f concava verso il basso per x in (-1; 0)\n"
                                     "asintoto verticale: x = 0\n");
}

} // namespace
} // namespace curvalia::analysis
