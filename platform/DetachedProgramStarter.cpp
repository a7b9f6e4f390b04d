#include "platform/ProgramStarter.h"

#include <QProcess>
#include <QString>
#include <QStringList>

namespace curvalia::platform {

bool DetachedProgramStarter::start(const std::string& program) {
    if (program.empty())
        return false;
    // The program path is passed whole, never split at blanks, so a folder
    // with a space in its name still starts the right file.
    return QProcess::startDetached(QString::fromStdString(program), QStringList());
}

} // namespace curvalia::platform
