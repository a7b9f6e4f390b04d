#include "plot/PlotModel.h"

#include <algorithm>

namespace curvalia::plot {

std::optional<std::size_t> PlotModel::find(const std::string& expression) const {
    for (std::size_t i = 0; i < curves_.size(); ++i) {
        if (curves_[i].expression == expression)
            return i;
    }
    return std::nullopt;
}

std::vector<std::size_t> PlotModel::shownCurves() const {
    std::vector<std::size_t> out;
    for (std::size_t i = 0; i < curves_.size(); ++i) {
        if (curves_[i].shown())
            out.push_back(i);
    }
    return out;
}

std::size_t PlotModel::shownCount() const {
    return static_cast<std::size_t>(
        std::count_if(curves_.begin(), curves_.end(), [](const Curve& c) { return c.shown(); }));
}

void PlotModel::clearCurves() {
    if (curves_.empty())
        return;
    curves_.clear();
    edited_.reset();
    changed();
}

std::size_t PlotModel::enter(Curve curve) {
    // A new draw of the same expression: its points lie over the old ones.
    if (const auto same = find(curve.expression))
        curves_.erase(curves_.begin() + static_cast<std::ptrdiff_t>(*same));
    curves_.push_back(std::move(curve));
    edited_ = curves_.size() - 1;
    changed();
    return curves_.size() - 1;
}

void PlotModel::remove(std::size_t index) {
    if (index >= curves_.size())
        return;
    curves_.erase(curves_.begin() + static_cast<std::ptrdiff_t>(index));
    if (edited_ && *edited_ == index)
        edited_.reset();
    else if (edited_ && *edited_ > index)
        --*edited_;
    changed();
}

void PlotModel::changed() {
    for (const Listener& listener : listeners_)
        listener();
}

std::optional<std::size_t> PlotModel::edited() const {
    if (edited_ && *edited_ < curves_.size())
        return edited_;
    if (curves_.empty())
        return std::nullopt;
    return curves_.size() - 1;
}

void PlotModel::setEdited(std::size_t index) {
    if (index < curves_.size())
        edited_ = index;
}

} // namespace curvalia::plot
