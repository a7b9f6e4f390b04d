#include "ui/PointRecord.h"

namespace curvalia::ui {

void PointRecord::addAxes(const plot::AxesCall& call) {
    if (overflowed_)
        return;
    if (entries_.size() >= kMaxPoints) {
        overflow();
        return;
    }
    entries_.push_back(Entry{0, 0, ~static_cast<std::int32_t>(axes_.size())});
    axes_.push_back(call);
}

void PointRecord::overflow() {
    overflowed_ = true;
    std::vector<Entry>().swap(entries_);
    std::vector<plot::AxesCall>().swap(axes_);
}

void PointRecord::clear() {
    // Keeps the memory of an ordinary plot for the next one, but not that of
    // a huge one.
    if (entries_.capacity() > (1u << 16)) {
        std::vector<Entry>().swap(entries_);
        std::vector<plot::AxesCall>().swap(axes_);
    } else {
        entries_.clear();
        axes_.clear();
    }
    overflowed_ = false;
}

std::size_t PointRecord::memoryBytes() const {
    return entries_.capacity() * sizeof(Entry) + axes_.capacity() * sizeof(plot::AxesCall);
}

} // namespace curvalia::ui
