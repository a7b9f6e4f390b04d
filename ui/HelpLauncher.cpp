#include "ui/HelpLauncher.h"

namespace curvalia::ui {

HelpLauncher::HelpLauncher(platform::DocumentOpener& opener, platform::FileSystem& files)
    : opener_(opener), files_(files) {}

std::string HelpLauncher::helpPath() const {
    return files_.currentDirectory() + kHelpFile;
}

bool HelpLauncher::open() {
    // Some desktops answer an attempt to open a missing file with an error
    // window of their own, so the attempt is not made.
    const std::string path = helpPath();
    return files_.fileExists(path) && opener_.open(path);
}

} // namespace curvalia::ui
