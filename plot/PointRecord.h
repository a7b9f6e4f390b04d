// What a plot surface has drawn since it was last cleared, in the order
// drawn, so that the plot can be drawn anew at another size and written out
// as vector graphics: each point with its twip position, palette colour and
// pen width, and each call of the axes renderer (whose dots depend on the
// size, so the call is kept rather than its dots). A point costs twelve
// bytes. The record is bounded: past kMaxPoints it gives up, frees its
// memory and says so (the caller then falls back to the pixel image).
#pragma once

#include "plot/Surface.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

namespace curvalia::plot {

class PointRecord {
  public:
    static constexpr std::size_t kMaxPoints = 2'000'000;

    struct Point {
        float xTwips, yTwips;
        int colour, penWidth;
    };

    // Inline: a sweep records millions of these. The very same point again
    // changes nothing and is not kept. False once the record has given up.
    bool addPoint(float xTwips, float yTwips, int colour, int penWidth) {
        if (overflowed_)
            return false;
        const Entry entry{xTwips, yTwips, tagOf(colour, penWidth)};
        if (size_ == 0 || !(last_ == entry))
            push(entry);
        return !overflowed_;
    }
    void addAxes(const AxesCall& call);
    // Gives up as if count more points had been added, when they would not
    // fit.
    void expect(double count) {
        if (!overflowed_ && static_cast<double>(size_) + count > static_cast<double>(kMaxPoints))
            overflow();
    }

    void clear();

    // True once more than kMaxPoints were drawn since the last clear().
    bool overflowed() const { return overflowed_; }
    std::size_t size() const { return size_; }
    bool empty() const { return size_ == 0; }
    // Heap memory held, in bytes.
    std::size_t memoryBytes() const;

    // Draws everything again onto target, in the order drawn: the points
    // with their pen widths, the axes through the axes renderer. The pen
    // width is left at 1.
    void replay(plot::Surface& target) const;

    // Calls point(const Point&) and axes(const AxesCall&) for
    // everything recorded, in the order drawn.
    template <class P, class A> void forEach(P&& point, A&& axes) const {
        std::size_t left = size_;
        for (const auto& block : blocks_) {
            const std::size_t n = std::min(left, kBlockEntries);
            for (const Entry *e = block.get(), *end = e + n; e != end; ++e) {
                if (e->tag >= 0)
                    point(Point{e->x, e->y, e->tag & 0xFF, e->tag >> 8});
                else
                    axes(axes_[static_cast<std::size_t>(~e->tag)]);
            }
            left -= n;
        }
    }

  private:
    // tag >= 0: colour in bits 0..7, pen width above; tag < 0: ~tag indexes
    // axes_.
    struct Entry {
        float x, y;
        std::int32_t tag;
        bool operator==(const Entry&) const = default;
    };
    static std::int32_t tagOf(int colour, int penWidth) {
        return (colour & 0xFF) | ((penWidth & 0xFFFF) << 8);
    }
    void push(const Entry& entry) {
        if (next_ == blockEnd_ && !addBlock())
            return;
        *next_++ = entry;
        last_ = entry;
        ++size_;
    }
    bool addBlock();
    void overflow();
    void freeBlocksFrom(std::size_t kept);

    // Fixed blocks rather than one vector: a fine sweep records millions of
    // points, and a growing vector would copy them over and over.
    static constexpr std::size_t kBlockEntries = 8192;
    std::vector<std::unique_ptr<Entry[]>> blocks_;
    std::size_t blocksUsed_ = 0;
    Entry* next_ = nullptr;
    Entry* blockEnd_ = nullptr;
    std::size_t size_ = 0;
    Entry last_{};
    std::vector<AxesCall> axes_;
    bool overflowed_ = false;
};

} // namespace curvalia::plot
