// Starts another program in its own process, without waiting for it.
#pragma once

#include <string>

namespace curvalia::platform {

class ProgramStarter {
  public:
    virtual ~ProgramStarter() = default;
    // False when the program could not be started (missing, not executable).
    virtual bool start(const std::string& program) = 0;
};

class DetachedProgramStarter final : public ProgramStarter {
  public:
    bool start(const std::string& program) override;
};

} // namespace curvalia::platform
