#include "session/SessionView.h"

#include "plot/ViewZoom.h"

namespace curvalia::session {

namespace {

constexpr double kDefaultSamples = 2000; // -10 to 10 by 0.01

plot::PlotRange ownHome(const ViewEnds& ends) {
    return {ends.xmin, ends.xmax, ends.ymin, ends.ymax, (ends.xmax - ends.xmin) / kDefaultSamples};
}

} // namespace

SessionRanges rangesOf(const Session& session) {
    const ViewEnds& ends = session.view;
    const plot::RangeReading reading = plot::readRange(session.area);
    if (reading.verdict == plot::RangeVerdict::Valid &&
        plot::stepAdvancesAcross(reading.range.Xmin, reading.range.Xmax, reading.range.Step)) {
        plot::ViewZoom zoom;
        zoom.start(reading.range);
        const bool same = ends.xmin == reading.range.Xmin && ends.xmax == reading.range.Xmax &&
                          ends.ymin == reading.range.Ymin && ends.ymax == reading.range.Ymax;
        if (same ||
            zoom.box(ends.xmin, ends.ymin, ends.xmax, ends.ymax) == plot::ViewOutcome::Changed)
            return {reading.range, zoom.view()};
    }
    return {ownHome(ends), ownHome(ends)};
}

} // namespace curvalia::session
