#include "plot/YieldPolicy.h"

#include "recording_surface_support.h"

#include <gtest/gtest.h>

namespace curvalia::plot {
namespace {

using namespace std::chrono_literals;
using Time = std::chrono::steady_clock::time_point;

// Events arrive at chosen samples; what the policy does is logged by sample.
struct ScriptedEvents : EventSource {
    bool eventsPending() override { return pendingAt(sample); }
    void yield() override { yieldedAfter.push_back(sample); }
    void repaint() override { repaints.push_back(clock.time); }
    bool pendingAt(int i) const { return every > 0 && i % every == 0; }

    testing::FakeClock clock;
    int every = 0, sample = 0;
    std::vector<int> yieldedAfter;
    std::vector<Time> repaints;
};

struct PolicyCase {
    const char* name;
    bool eachSample;
    std::chrono::microseconds perSample;
    int samples;
    int eventsEvery; // 0: no events
};

const PolicyCase kPolicyCases[] = {
    {"each_sample_events_always", true, 1us, 200000, 1},
    {"each_sample_no_events", true, 2us, 100000, 0},
    {"each_sample_slow_samples", true, 5ms, 100, 1},
    {"fast_mode_ignores_pending", false, 1us, 200000, 1},
    {"fast_mode_slow_samples", false, 3ms, 100, 0},
};

TEST(YieldPolicy, HandlesEventsAfterTheirSampleAndBoundsRepaints) {
    for (const PolicyCase& c : kPolicyCases) {
        SCOPED_TRACE(c.name);
        ScriptedEvents events;
        events.every = c.eventsEvery;
        YieldPolicy policy(events.clock, events);
        for (events.sample = 0; events.sample < c.samples; ++events.sample) {
            events.clock.time += c.perSample;
            policy.sampleDone(c.eachSample);
        }
        const auto elapsed = c.perSample * c.samples;
        // At most one repaint per interval, and none missed for long.
        ASSERT_LE(events.repaints.size(), size_t(elapsed / YieldPolicy::kRepaintInterval) + 1);
        Time last{};
        for (Time t : events.repaints) {
            EXPECT_GE(t - last, YieldPolicy::kRepaintInterval);
            last = t;
        }
        EXPECT_LE(Time{} + elapsed - last,
                  YieldPolicy::kYieldInterval + YieldPolicy::kCheckInterval + c.perSample);
        if (!c.eachSample) {
            EXPECT_LE(events.yieldedAfter.size(),
                      size_t(elapsed / YieldPolicy::kYieldInterval) + 1);
            continue;
        }
        std::vector<bool> yielded(c.samples, false);
        for (int i : events.yieldedAfter)
            yielded[i] = true;
        for (int i = 0; i < c.samples; ++i)
            ASSERT_TRUE(yielded[i] || !events.pendingAt(i)) << "events waited after sample " << i;
        if (c.eventsEvery == 0) { // only to show the repaints
            EXPECT_EQ(events.yieldedAfter.size(), events.repaints.size());
        }
    }
}

} // namespace
} // namespace curvalia::plot
