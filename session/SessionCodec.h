// A session as a small JSON text, and back. Reading checks the whole file
// before it answers, so a caller that only applies a good answer can never
// apply half a file. Unknown keys are refused, in every section: a file
// that holds something this version would drop is not one it can restore.
#pragma once

#include "session/Session.h"

#include <optional>
#include <string>
#include <string_view>

namespace curvalia::session {

std::string writeSession(const Session& session);

struct SessionReading {
    std::optional<Session> session;
    std::string reason; // in Italian, when refused
};

// Curve expressions are checked as the draw checks them, on an engine of
// its own whose messages go nowhere but into the reason.
SessionReading readSession(std::string_view bytes);

} // namespace curvalia::session
