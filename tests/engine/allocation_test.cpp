// A sample must not touch the heap: the draw command runs thousands of them
// per plot. This binary counts every global allocation.
#include "engine/Engine.h"
#include "engine/ReductionSchedule.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <functional>
#include <new>
#include <string>

namespace {
std::atomic<long> allocations{0};
}

// The array and sized forms call these by default. Out of line, so that the
// compiler does not pair a new expression with the free() and warn.
[[gnu::noinline]] void* operator new(std::size_t size) {
    ++allocations;
    if (void* p = std::malloc(size == 0 ? 1 : size))
        return p;
    throw std::bad_alloc();
}
[[gnu::noinline]] void operator delete(void* p) noexcept {
    std::free(p);
}
[[gnu::noinline]] void operator delete(void* p, std::size_t) noexcept {
    std::free(p);
}

namespace curvalia::engine {
namespace {

long allocationsOver(const std::function<void(double)>& sample) {
    const long before = allocations.load();
    for (double x = -20; x <= 20; x += 0.01)
        sample(x);
    return allocations.load() - before;
}

TEST(Allocations, NonePerReplayedOrPlainSampleWhereTheCounterSeesAllocations) {
    int samples = 0;
    const long counted = allocationsOver([&samples](double) {
        std::string* volatile text = new std::string(100, 'x');
        delete text;
        ++samples;
    });
    EXPECT_EQ(counted, 2 * samples);
    Engine engine;
    int messages = 0;
    engine.setStatusSink([&messages](std::string_view) { ++messages; });
    ReductionSchedule schedule(engine);
    // Domain errors on the way, the bracket message, the pass limit, a long one.
    for (const char* expression :
         {"x", "lge(x)+1/x+x^(1/3)", "2x", "(sinxx)",
          "sin(x)*x^2+3*x-1+cos(x)/(abs(x)+1)-lge(abs(x)+2)*atg(x/3)+rad(3)(x^2+1)-tg(x/7)*2.5+"
          "(x-1)*(x+1)/(x^2+4)+lgn(x^2+10)-acos(0.3)*asin(0.2)+x^3/100+2.25*x"}) {
        engine.emptyArrays();
        schedule.record(expression);
        EXPECT_EQ(allocationsOver([&](double x) { schedule.run(x); }), 0) << expression;
        engine.emptyArrays();
        engine.evaluateSample(expression, 0.5); // warm-up
        EXPECT_EQ(allocationsOver([&](double x) { engine.evaluateSample(expression, x); }), 0)
            << expression;
    }
    EXPECT_GT(messages, 0);
}

} // namespace
} // namespace curvalia::engine
