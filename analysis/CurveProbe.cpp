#include "analysis/CurveProbe.h"

#include "engine/NumberText.h"

#include <algorithm>
#include <cmath>

namespace curvalia::analysis::detail {

double onLattice(double x) {
    // +0.0: no -0 reaches the engine or a caller.
    return engine::numberTextValue(x) + 0.0;
}

double latticeUnit(double x) {
    const double a = std::fabs(x);
    if (a == 0 || !std::isfinite(a))
        return 0;
    int e = static_cast<int>(std::floor(std::log10(a)));
    // log10 may land one off just below a power of ten.
    if (std::pow(10.0, e) > a)
        --e;
    else if (std::pow(10.0, e + 1) <= a)
        ++e;
    return std::pow(10.0, e - 14);
}

std::optional<double> CurveProbe::operator()(double x) const {
    const double at = onLattice(x);
    const engine::Sample s = f_.run(at);
    if (!s.defined || s.outcome != engine::SampleOutcome::Normal)
        return std::nullopt;
    if (!g_)
        return s.value;
    const engine::Sample t = g_->run(at);
    if (!t.defined || t.outcome != engine::SampleOutcome::Normal)
        return std::nullopt;
    return s.value - t.value;
}

double CurveProbe::noiseAt(double x) const {
    const double at = onLattice(x);
    const double unit = latticeUnit(at);
    const std::optional<double> here = (*this)(at);
    if (unit == 0 || !here)
        return 0;
    // What a straight line through the neighbours does not explain: the
    // slope alone moves f between lattice points, noise moves it at random.
    // Next to each other, the terms of a cancellation often round alike, so
    // the neighbours are also taken further out, up to 5 10^4 lattice
    // points, where curvature still moves f by nothing.
    double grain = 0;
    for (double decade = unit; decade <= 1e4 * unit; decade *= 10)
        for (const double times : {1, 2, 5}) {
            const std::optional<double> before = (*this)(at - times * decade);
            const std::optional<double> after = (*this)(at + times * decade);
            if (before && after)
                grain = std::max(grain, std::fabs(*after - 2 * *here + *before) / 2);
        }
    return grain;
}

double gridX(double xmin, double step, std::int64_t k) {
    return onLattice(xmin + static_cast<double>(k) * step);
}

std::int64_t gridCount(double xmin, double xmax, double step) {
    std::int64_t last = static_cast<std::int64_t>(std::floor((xmax - xmin) / step));
    last = std::max<std::int64_t>(last, 0);
    // The division and the rounding of each x may disagree by one.
    while (gridX(xmin, step, last + 1) <= xmax)
        ++last;
    while (last > 0 && gridX(xmin, step, last) > xmax)
        --last;
    return last + 1;
}

namespace {

void measure(Samples& s) {
    std::vector<double> magnitudes;
    magnitudes.reserve(s.x.size());
    for (std::size_t k = 0; k < s.x.size(); ++k)
        if (s.defined[k])
            magnitudes.push_back(std::fabs(s.y[k]));
    s.maxAbs = 0;
    s.typical = 0;
    if (magnitudes.empty())
        return;
    s.maxAbs = *std::max_element(magnitudes.begin(), magnitudes.end());
    const auto middle = magnitudes.begin() + static_cast<std::ptrdiff_t>(magnitudes.size() / 2);
    std::nth_element(magnitudes.begin(), middle, magnitudes.end());
    s.typical = *middle;
}

} // namespace

Samples sampleGrid(const CurveProbe& probe, double xmin, double step, std::int64_t count) {
    Samples s;
    const auto n = static_cast<std::size_t>(count);
    s.x.resize(n);
    s.y.resize(n);
    s.defined.resize(n);
    for (std::size_t k = 0; k < n; ++k) {
        s.x[k] = gridX(xmin, step, static_cast<std::int64_t>(k));
        const std::optional<double> v = probe(s.x[k]);
        s.defined[k] = v.has_value();
        s.y[k] = v.value_or(0.0);
    }
    measure(s);
    return s;
}

Samples difference(const Samples& f, const Samples& g) {
    Samples s;
    s.x = f.x;
    s.y.resize(f.x.size());
    s.defined.resize(f.x.size());
    for (std::size_t k = 0; k < f.x.size(); ++k) {
        s.defined[k] = f.defined[k] && g.defined[k];
        s.y[k] = s.defined[k] ? f.y[k] - g.y[k] : 0.0;
    }
    measure(s);
    return s;
}

} // namespace curvalia::analysis::detail
