#include "platform/DesktopShellServices.h"

namespace curvalia::platform {

DesktopShellServices::DesktopShellServices(MessageBox& messages)
    : sysInfo_(store_, files_, starter_, messages), services_{opener_, files_, sysInfo_} {}

} // namespace curvalia::platform
