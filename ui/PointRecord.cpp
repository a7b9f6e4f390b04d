#include "ui/PointRecord.h"

namespace curvalia::ui {

void PointRecord::addRect(int left, int top, int width, int height, int colour) {
    if (overflowed_ || width <= 0 || height <= 0)
        return;
    const Dot dot{left, top, width, height, colour & 15};
    if (!entries_.empty() && (entries_.back() & kWideFlag) && wide_.back() == dot)
        return;
    if (entries_.size() >= kMaxPoints) {
        overflow();
        return;
    }
    entries_.push_back(kWideFlag | static_cast<std::uint32_t>(wide_.size()));
    wide_.push_back(dot);
}

PointRecord::Dot PointRecord::decode(std::uint32_t code) const {
    if (code & kWideFlag)
        return wide_[code & ~kWideFlag];
    return Dot{static_cast<int>(code & kMaxX), static_cast<int>((code >> kYShift) & kMaxY), 1, 1,
               static_cast<int>((code >> kColourShift) & 15u)};
}

void PointRecord::overflow() {
    overflowed_ = true;
    std::vector<std::uint32_t>().swap(entries_);
    std::vector<Dot>().swap(wide_);
}

void PointRecord::clear() {
    // Keeps the memory of an ordinary plot for the next one, but not that of
    // a huge one.
    if (entries_.capacity() > (1u << 16)) {
        std::vector<std::uint32_t>().swap(entries_);
        std::vector<Dot>().swap(wide_);
    } else {
        entries_.clear();
        wide_.clear();
    }
    overflowed_ = false;
}

std::size_t PointRecord::memoryBytes() const {
    return entries_.capacity() * sizeof(std::uint32_t) + wide_.capacity() * sizeof(Dot);
}

} // namespace curvalia::ui
