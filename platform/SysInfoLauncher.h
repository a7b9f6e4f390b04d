// Starts the system's information tool from the About box, or tells the user
// it is not available. The tool is located through the key-value store: the
// first key names the program itself; failing that, the second key names a
// folder that must hold the program file.
#pragma once

#include "platform/FileSystem.h"
#include "platform/KeyValueStore.h"
#include "platform/MessageBox.h"
#include "platform/ProgramStarter.h"

#include <cstdint>
#include <string>

namespace curvalia::platform {

class SysInfoLauncher {
  public:
    static constexpr const char* kToolKey = "SOFTWARE\\Microsoft\\Shared Tools\\MSINFO";
    static constexpr const char* kToolValue = "PATH";
    static constexpr const char* kFolderKey = "SOFTWARE\\Microsoft\\Shared Tools Location";
    static constexpr const char* kFolderValue = "MSINFO";
    static constexpr const char* kProgramFile = "/MSINFO32.EXE";
    static constexpr const char* kUnavailable =
        "Le informazioni sul sistema non sono attualmente disponibili.";
    static constexpr std::uint32_t kBufferSize = 1024;

    SysInfoLauncher(KeyValueStore& store, FileSystem& files, ProgramStarter& starter,
                    MessageBox& messages);

    // Starts the tool, or shows the one message for every kind of failure.
    void StartSysInfo();

    // Reads one value. True when the value was read, whatever its type; only
    // a string value is copied into KeyVal, which otherwise keeps its text.
    // On failure KeyVal is emptied. The key is closed in every case.
    bool GetKeyValue(std::int32_t KeyRoot, const std::string& KeyName, const std::string& SubKeyRef,
                     std::string& KeyVal);

  private:
    bool startProgram(const std::string& path);

    KeyValueStore& store_;
    FileSystem& files_;
    ProgramStarter& starter_;
    MessageBox& messages_;
};

} // namespace curvalia::platform
