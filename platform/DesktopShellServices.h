// The real desktop services, owned together for the whole run of the program.
#pragma once

#include "platform/DesktopDocumentOpener.h"
#include "platform/FileSystem.h"
#include "platform/LinuxKeyValueStore.h"
#include "platform/MessageBox.h"
#include "platform/ProgramStarter.h"
#include "platform/ShellServices.h"
#include "platform/SysInfoLauncher.h"

namespace curvalia::platform {

class DesktopShellServices {
  public:
    // messages: the toolkit's message box, which this library cannot build
    // itself (it has no widgets).
    explicit DesktopShellServices(MessageBox& messages);
    DesktopShellServices(const DesktopShellServices&) = delete;
    DesktopShellServices& operator=(const DesktopShellServices&) = delete;

    ShellServices& services() { return services_; }

  private:
    DesktopDocumentOpener opener_;
    LocalFileSystem files_;
    LinuxKeyValueStore store_;
    DetachedProgramStarter starter_;
    SysInfoLauncher sysInfo_;
    ShellServices services_;
};

} // namespace curvalia::platform
