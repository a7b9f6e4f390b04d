// A small hierarchical key-value store, shaped like the three calls the
// system-information launcher makes: open a key under a root, query one
// value into the caller's buffer, close the key.
#pragma once

#include <cstdint>
#include <string>

namespace curvalia::platform {

using KeyHandle = std::uintptr_t;

inline constexpr std::int32_t kLocalMachineRoot = static_cast<std::int32_t>(0x80000002u);
inline constexpr std::uint32_t kAllAccess = 0x2003F;

// Status codes of the calls; kSuccess is the only good answer.
inline constexpr long kSuccess = 0;
inline constexpr long kNotFound = 2;
inline constexpr long kInvalidHandle = 6;
inline constexpr long kMoreData = 234; // the buffer is too small; size tells the need

// Value types; the launcher reads only string values.
inline constexpr std::uint32_t kStringValue = 1;
inline constexpr std::uint32_t kBinaryValue = 3;
inline constexpr std::uint32_t kNumberValue = 4;

class KeyValueStore {
  public:
    virtual ~KeyValueStore() = default;

    // On success sets key to a handle that closeKey accepts.
    virtual long openKey(std::int32_t root, const std::string& keyName, std::uint32_t access,
                         KeyHandle& key) = 0;

    // data holds size bytes on entry. On success the value's bytes (a string
    // value usually with its terminating NUL) are copied into data, size is
    // set to the number of bytes written and type to the value's type. When
    // the value does not fit, answers kMoreData with size set to the need.
    virtual long queryValue(KeyHandle key, const std::string& valueName, std::uint32_t& type,
                            char* data, std::uint32_t& size) = 0;

    // Accepts any handle, also one that was never opened.
    virtual long closeKey(KeyHandle key) = 0;
};

} // namespace curvalia::platform
