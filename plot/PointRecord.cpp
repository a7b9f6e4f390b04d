#include "plot/PointRecord.h"

#include "plot/AxesRenderer.h"

#include <algorithm>

namespace curvalia::plot {

namespace {

// Blocks kept over a clear(): the memory of an ordinary plot.
constexpr std::size_t kBlocksKept = 8;

} // namespace

void PointRecord::addAxes(const AxesCall& call) {
    if (overflowed_)
        return;
    axes_.push_back(call);
    push(Entry{0, 0, ~static_cast<std::int32_t>(axes_.size() - 1)});
}

bool PointRecord::addBlock() {
    if (size_ >= kMaxPoints) {
        overflow();
        return false;
    }
    if (blocksUsed_ == blocks_.size())
        blocks_.emplace_back(new Entry[kBlockEntries]);
    next_ = blocks_[blocksUsed_++].get();
    blockEnd_ = next_ + std::min(kBlockEntries, kMaxPoints - size_);
    return true;
}

void PointRecord::freeBlocksFrom(std::size_t kept) {
    if (blocks_.size() > kept)
        blocks_.resize(kept);
    if (kept == 0)
        std::vector<std::unique_ptr<Entry[]>>().swap(blocks_);
    blocksUsed_ = 0;
    next_ = blockEnd_ = nullptr;
    size_ = 0;
}

void PointRecord::replay(plot::Surface& target) const {
    forEach(
        [&](const Point& p) {
            target.setDrawWidth(p.penWidth);
            target.PSet(p.xTwips, p.yTwips, p.colour);
        },
        [&](const Line& l) {
            target.setDrawWidth(l.penWidth);
            target.Line(l.x1, l.y1, l.x2, l.y2, l.colour);
        },
        [&](const AxesCall& c) {
            target.setDrawWidth(1);
            plot::DrawAxes(target, c.Xmin, c.Xmax, c.Ymin, c.Ymax, c.GridOn, c.grid);
        });
    target.setDrawWidth(1);
}

void PointRecord::overflow() {
    overflowed_ = true;
    freeBlocksFrom(0);
    std::vector<AxesCall>().swap(axes_);
}

void PointRecord::clear() {
    freeBlocksFrom(kBlocksKept);
    axes_.clear();
    overflowed_ = false;
}

std::size_t PointRecord::memoryBytes() const {
    return blocks_.size() * kBlockEntries * sizeof(Entry) +
           blocks_.capacity() * sizeof(blocks_[0]) + axes_.capacity() * sizeof(AxesCall);
}

} // namespace curvalia::plot
