// What a plot surface has drawn since it was last cleared, in the order
// drawn, so that the plot can be drawn anew at another size and written out
// as vector graphics: each point with its twip position, palette colour and
// pen width, and each call of the axes renderer (whose dots depend on the
// size, so the call is kept rather than its dots). A point costs twelve
// bytes. The record is bounded: past kMaxPoints it gives up, frees its
// memory and says so (the caller then falls back to the pixel image).
#pragma once

#include "plot/Surface.h"

#include <cstddef>
#include <cstdint>
#include <vector>

namespace curvalia::ui {

class PointRecord {
  public:
    static constexpr std::size_t kMaxPoints = 2'000'000;

    struct Point {
        float xTwips, yTwips;
        int colour, penWidth;
    };

    // Inline: a sweep records millions of these. The very same point again
    // changes nothing and is not kept.
    void addPoint(float xTwips, float yTwips, int colour, int penWidth) {
        if (overflowed_)
            return;
        const Entry entry{xTwips, yTwips, tagOf(colour, penWidth)};
        if (!entries_.empty() && entries_.back() == entry)
            return;
        if (entries_.size() >= kMaxPoints) {
            overflow();
            return;
        }
        entries_.push_back(entry);
    }
    void addAxes(const plot::AxesCall& call);

    void clear();

    // True once more than kMaxPoints were drawn since the last clear().
    bool overflowed() const { return overflowed_; }
    std::size_t size() const { return entries_.size(); }
    bool empty() const { return entries_.empty(); }
    // Heap memory held, in bytes.
    std::size_t memoryBytes() const;

    // Calls point(const Point&) and axes(const plot::AxesCall&) for
    // everything recorded, in the order drawn.
    template <class P, class A> void forEach(P&& point, A&& axes) const {
        for (const Entry& e : entries_) {
            if (e.tag >= 0)
                point(Point{e.x, e.y, e.tag & 0xFF, e.tag >> 8});
            else
                axes(axes_[static_cast<std::size_t>(~e.tag)]);
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
    void overflow();

    std::vector<Entry> entries_;
    std::vector<plot::AxesCall> axes_;
    bool overflowed_ = false;
};

} // namespace curvalia::ui
