// Opens the help document, looked up in the current directory, with the
// program the desktop associates with it.
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

    // Opens the document; when it is missing nothing happens at all.
    void open();

  private:
    platform::DocumentOpener& opener_;
    platform::FileSystem& files_;
};

} // namespace curvalia::ui
