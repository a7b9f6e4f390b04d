// Opens the help document, looked up in the current directory, with the
// program the desktop associates with it. When that cannot be done the
// caller shows the program's own copy of the help (see HelpWindow).
#pragma once

#include "platform/DocumentOpener.h"
#include "platform/FileSystem.h"

#include <string>

namespace curvalia::ui {

class HelpLauncher {
  public:
    static constexpr const char* kHelpFile = "/CurvaliaHelp.doc";

    HelpLauncher(platform::DocumentOpener& opener, platform::FileSystem& files);

    // The current directory of the process (not necessarily the program's
    // folder) followed by the document's name.
    std::string helpPath() const;

    // Hands the document to the desktop and tells answer whether it was
    // opened: false at once, with nothing tried, when the document is
    // missing; false too when nothing on the desktop can open it.
    void open(platform::DocumentOpener::Answer answer);

  private:
    platform::DocumentOpener& opener_;
    platform::FileSystem& files_;
};

} // namespace curvalia::ui
