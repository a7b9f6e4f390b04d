#include "platform/SysInfoLauncher.h"

#include <algorithm>
#include <array>

namespace curvalia::platform {

SysInfoLauncher::SysInfoLauncher(KeyValueStore& store, FileSystem& files, ProgramStarter& starter,
                                 MessageBox& messages)
    : store_(store), files_(files), starter_(starter), messages_(messages) {}

void SysInfoLauncher::StartSysInfo() {
    // Whatever goes wrong on the way (a store or a start that throws
    // included) ends in the same message: the user can do nothing different
    // about any of the causes.
    try {
        std::string path;
        if (GetKeyValue(kLocalMachineRoot, kToolKey, kToolValue, path)) {
            if (startProgram(path))
                return;
        } else if (GetKeyValue(kLocalMachineRoot, kFolderKey, kFolderValue, path) &&
                   files_.fileExists(path + kProgramFile)) {
            path += kProgramFile;
            if (startProgram(path))
                return;
        }
    } catch (...) {
    }
    messages_.show(kUnavailable);
}

bool SysInfoLauncher::startProgram(const std::string& path) {
    // A value read as True but empty (a non-string value, an empty string)
    // names no program: that is a failed start, not something to hand on.
    return !path.empty() && starter_.start(path);
}

bool SysInfoLauncher::GetKeyValue(std::int32_t KeyRoot, const std::string& KeyName,
                                  const std::string& SubKeyRef, std::string& KeyVal) {
    bool result = false;
    KeyHandle key = 0;
    if (store_.openKey(KeyRoot, KeyName, kAllAccess, key) != kSuccess) {
        KeyVal.clear();
    } else {
        std::array<char, kBufferSize> buffer{}; // all NUL
        std::uint32_t size = kBufferSize;
        std::uint32_t type = 0;
        if (store_.queryValue(key, SubKeyRef, type, buffer.data(), size) != kSuccess) {
            KeyVal.clear();
        } else {
            // A store cannot have written more than the buffer holds; a size
            // that says so is not trusted beyond it.
            size = std::min(size, kBufferSize);
            // The size counts the terminating NUL when the value was stored
            // with one; drop exactly that one, keep everything before it.
            std::string text;
            if (size > 0)
                text.assign(buffer.data(), buffer[size - 1] == '\0' ? size - 1 : size);
            if (type == kStringValue)
                KeyVal = text;
            result = true;
        }
    }
    store_.closeKey(key); // also after a failed open
    return result;
}

} // namespace curvalia::platform
