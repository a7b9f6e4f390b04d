// The key-value store on Linux. There is no system-wide registry, so this
// store knows the one key the system-information launcher asks first and
// answers its "PATH" value with the first system-information program found
// among the usual desktop tools. Every other key is absent.
#pragma once

#include "platform/KeyValueStore.h"

#include <string>
#include <vector>

namespace curvalia::platform {

class LinuxKeyValueStore final : public KeyValueStore {
  public:
    // Programs tried in this order; the first one found wins.
    static const std::vector<std::string>& candidatePrograms();

    // folders: where to look for the programs; empty means the PATH of the
    // process.
    explicit LinuxKeyValueStore(std::vector<std::string> folders = {});

    long openKey(std::int32_t root, const std::string& keyName, std::uint32_t access,
                 KeyHandle& key) override;
    long queryValue(KeyHandle key, const std::string& valueName, std::uint32_t& type, char* data,
                    std::uint32_t& size) override;
    long closeKey(KeyHandle key) override;

    // The full path of the program the store would answer, or "" when none
    // of the candidates is installed.
    std::string findSystemInfoProgram() const;

  private:
    std::vector<std::string> folders_;
};

} // namespace curvalia::platform
