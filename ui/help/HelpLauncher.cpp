#include "ui/help/HelpLauncher.h"

#include <utility>

namespace curvalia::ui {

HelpLauncher::HelpLauncher(platform::DocumentOpener& opener, platform::FileSystem& files)
    : opener_(opener), files_(files) {}

std::string HelpLauncher::helpPath() const {
    return files_.currentDirectory() + kHelpFile;
}

void HelpLauncher::open(platform::DocumentOpener::Answer answer) {
    // Some desktops answer an attempt to open a missing file with an error
    // window of their own, so the attempt is not made.
    const std::string path = helpPath();
    if (!files_.fileExists(path)) {
        answer(false);
        return;
    }
    opener_.open(path, std::move(answer));
}

} // namespace curvalia::ui
