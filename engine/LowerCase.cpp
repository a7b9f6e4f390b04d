#include "engine/LowerCase.h"

#include <algorithm>
#include <iterator>

namespace curvalia::engine {

namespace {

struct LowerRun {
    std::uint32_t first;
    std::uint32_t last;
    std::uint32_t stride;
    std::int32_t offset;
};

constexpr LowerRun kRuns[] = {
#include "engine/LowerCaseTable.inc"
};

} // namespace

std::uint32_t simpleLowerCase(std::uint32_t cp) {
    if (cp < 'A')
        return cp;
    if (cp <= 'Z')
        return cp + 32;
    if (cp < 0x80)
        return cp;
    // The last run that starts at or before cp.
    const LowerRun* run = std::upper_bound(std::begin(kRuns), std::end(kRuns), cp,
                                           [](std::uint32_t c, const LowerRun& r) { return c < r.first; });
    if (run == std::begin(kRuns))
        return cp;
    --run;
    if (cp > run->last || (cp - run->first) % run->stride != 0)
        return cp;
    return static_cast<std::uint32_t>(static_cast<std::int32_t>(cp) + run->offset);
}

} // namespace curvalia::engine
