#include "platform/LinuxKeyValueStore.h"

#include "platform/SysInfoLauncher.h"

#include <QStandardPaths>
#include <QString>
#include <QStringList>

#include <cstring>
#include <utility>

namespace curvalia::platform {

namespace {
// The only key this store holds; any other handle value is invalid.
constexpr KeyHandle kToolKeyHandle = 1;
} // namespace

const std::vector<std::string>& LinuxKeyValueStore::candidatePrograms() {
    static const std::vector<std::string> programs = {
        "hardinfo2", "hardinfo", "kinfocenter", "gnome-system-monitor", "mate-system-monitor",
    };
    return programs;
}

LinuxKeyValueStore::LinuxKeyValueStore(std::vector<std::string> folders)
    : folders_(std::move(folders)) {}

std::string LinuxKeyValueStore::findSystemInfoProgram() const {
    QStringList paths;
    for (const std::string& folder : folders_)
        paths << QString::fromStdString(folder);
    for (const std::string& program : candidatePrograms()) {
        const QString found =
            QStandardPaths::findExecutable(QString::fromStdString(program), paths);
        if (!found.isEmpty())
            return found.toStdString();
    }
    return {};
}

long LinuxKeyValueStore::openKey(std::int32_t root, const std::string& keyName, std::uint32_t,
                                 KeyHandle& key) {
    key = 0;
    if (root != kLocalMachineRoot || keyName != SysInfoLauncher::kToolKey)
        return kNotFound;
    key = kToolKeyHandle;
    return kSuccess;
}

long LinuxKeyValueStore::queryValue(KeyHandle key, const std::string& valueName,
                                    std::uint32_t& type, char* data, std::uint32_t& size) {
    if (key != kToolKeyHandle)
        return kInvalidHandle;
    if (valueName != SysInfoLauncher::kToolValue)
        return kNotFound;
    const std::string program = findSystemInfoProgram();
    if (program.empty())
        return kNotFound;
    // Stored as a string value with its terminating NUL, as string values
    // usually are.
    const std::uint32_t need = static_cast<std::uint32_t>(program.size() + 1);
    if (data == nullptr || size < need) {
        size = need;
        return kMoreData;
    }
    std::memcpy(data, program.c_str(), need);
    size = need;
    type = kStringValue;
    return kSuccess;
}

long LinuxKeyValueStore::closeKey(KeyHandle key) {
    return key == kToolKeyHandle ? kSuccess : kInvalidHandle;
}

} // namespace curvalia::platform
