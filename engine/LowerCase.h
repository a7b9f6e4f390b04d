// The Unicode simple lower-case mapping of one code point.
#pragma once

#include <cstdint>

namespace curvalia::engine {

// cp itself when it has no lower-case form; 'k' for the Kelvin sign, U+03C3
// for U+03A3, and so on for every script.
std::uint32_t simpleLowerCase(std::uint32_t cp);

} // namespace curvalia::engine
