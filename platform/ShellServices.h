// What the splash, the About box and the help launcher need of the desktop,
// in one bundle so the windows can be built against fakes in the tests.
#pragma once

#include "platform/DocumentOpener.h"
#include "platform/FileSystem.h"
#include "platform/SysInfoLauncher.h"

namespace curvalia::platform {

struct ShellServices {
    DocumentOpener& opener;
    FileSystem& fileSystem;
    SysInfoLauncher& sysInfo;
};

} // namespace curvalia::platform
