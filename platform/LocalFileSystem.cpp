#include "platform/FileSystem.h"

#include <QDir>
#include <QFileInfo>
#include <QString>

namespace curvalia::platform {

bool LocalFileSystem::fileExists(const std::string& path) {
    if (path.empty())
        return false;
    const QFileInfo info(QString::fromStdString(path));
    return info.exists() && info.isFile();
}

std::string LocalFileSystem::currentDirectory() {
    // QDir::currentPath() has no trailing separator except for the root
    // itself; dropping that one lets callers always append "/name".
    QString dir = QDir::currentPath();
    while (dir.endsWith(QLatin1Char('/')))
        dir.chop(1);
    return dir.toStdString();
}

} // namespace curvalia::platform
