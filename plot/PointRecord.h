// What a plot surface has drawn since it was last cleared, in the order
// drawn, so that the plot can be drawn anew at another size and written out
// as vector graphics: each point with its twip position, palette colour and
// pen width, each segment with its two ends, colour and pen width, and each
// call of the axes renderer (whose dots depend on the size, so the call is
// kept rather than its dots). A point costs twelve bytes, a segment twice
// that. The record is bounded: past kMaxPoints it gives up, frees its
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
    struct Line {
        float x1, y1, x2, y2;
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
    // A segment is kept whole or not at all.
    bool addLine(float x1, float y1, float x2, float y2, int colour, int penWidth) {
        if (overflowed_)
            return false;
        if (size_ + 2 > kMaxPoints) {
            overflow();
            return false;
        }
        const std::int32_t tag = tagOf(colour, penWidth) | kLineBit;
        push(Entry{x1, y1, tag});
        push(Entry{x2, y2, tag});
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

    // Calls point(const Point&), line(const Line&) and axes(const
    // AxesCall&) for everything recorded, in the order drawn.
    template <class P, class L, class A> void forEach(P&& point, L&& line, A&& axes) const {
        std::size_t left = size_;
        const Entry* start = nullptr; // of a segment whose end comes next
        for (const auto& block : blocks_) {
            const std::size_t n = std::min(left, kBlockEntries);
            for (const Entry *e = block.get(), *end = e + n; e != end; ++e) {
                if (e->tag < 0) {
                    axes(axes_[static_cast<std::size_t>(~e->tag)]);
                } else if (!(e->tag & kLineBit)) {
                    point(Point{e->x, e->y, e->tag & 0xFF, e->tag >> 8});
                } else if (!start) {
                    start = e;
                } else {
                    line(Line{start->x, start->y, e->x, e->y, e->tag & 0xFF,
                              (e->tag & ~kLineBit) >> 8});
                    start = nullptr;
                }
            }
            left -= n;
        }
    }

  private:
    // tag >= 0: colour in bits 0..7, pen width in bits 8..23, kLineBit on
    // both ends of a segment; tag < 0: ~tag indexes axes_.
    struct Entry {
        float x, y;
        std::int32_t tag;
        bool operator==(const Entry&) const = default;
    };
    static constexpr std::int32_t kLineBit = 1 << 30;
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
