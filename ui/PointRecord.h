// The points a plot surface has drawn, in the order drawn, so that the plot
// can be written out as vector graphics. Positions are logical pixels of the
// surface, already clipped to it. Most points are single pixels; each costs
// four bytes. The record is bounded: past kMaxPoints it gives up, frees its
// memory and says so (the caller then falls back to the pixel image).
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace curvalia::ui {

class PointRecord {
  public:
    static constexpr std::size_t kMaxPoints = 2'000'000;

    // A recorded dot: a rectangle of whole logical pixels in one palette colour.
    struct Dot {
        int left, top, width, height;
        int colour;
        bool operator==(const Dot&) const = default;
    };

    // One pixel at (x, y) >= 0. Inline: a sweep records millions of these.
    void addPixel(int x, int y, int colour) {
        if (overflowed_)
            return;
        if (static_cast<unsigned>(x) <= kMaxX && static_cast<unsigned>(y) <= kMaxY) {
            const std::uint32_t code = static_cast<std::uint32_t>(x) |
                                       (static_cast<std::uint32_t>(y) << kYShift) |
                                       ((static_cast<std::uint32_t>(colour) & 15u) << kColourShift);
            // The same pixel again in the same colour changes nothing, also
            // when one point elsewhere came in between (a fine sweep sets
            // f and f' in turn, each many times on the same pixel).
            const std::size_t n = entries_.size();
            if (n >= 1 && entries_[n - 1] == code)
                return;
            if (n >= 2 && entries_[n - 2] == code && !(entries_[n - 1] & kWideFlag) &&
                ((entries_[n - 1] ^ code) & kPositionMask) != 0)
                return;
            if (entries_.size() >= kMaxPoints) {
                overflow();
                return;
            }
            entries_.push_back(code);
            return;
        }
        addRect(x, y, 1, 1, colour);
    }
    // A wider dot (thick pens, pixels far from the origin).
    void addRect(int left, int top, int width, int height, int colour);

    void clear();

    // True once more than kMaxPoints were drawn since the last clear().
    bool overflowed() const { return overflowed_; }
    std::size_t size() const { return entries_.size(); }
    bool empty() const { return entries_.empty(); }
    // Heap memory held, in bytes.
    std::size_t memoryBytes() const;

    // Calls f(const Dot&) for every dot in the order drawn.
    template <class F> void forEach(F&& f) const {
        for (const std::uint32_t code : entries_)
            f(decode(code));
    }

  private:
    // A single pixel: x in bits 0..13, y in bits 14..26, colour in 27..30.
    // Bit 31 set: the low bits index wide_.
    static constexpr unsigned kMaxX = (1u << 14) - 1;
    static constexpr unsigned kMaxY = (1u << 13) - 1;
    static constexpr int kYShift = 14;
    static constexpr int kColourShift = 27;
    static constexpr std::uint32_t kWideFlag = 1u << 31;
    static constexpr std::uint32_t kPositionMask = (1u << kColourShift) - 1;

    Dot decode(std::uint32_t code) const;
    void overflow();

    std::vector<std::uint32_t> entries_;
    std::vector<Dot> wide_;
    bool overflowed_ = false;
};

} // namespace curvalia::ui
