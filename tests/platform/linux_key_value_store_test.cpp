#include "platform/FileSystem.h"
#include "platform/LinuxKeyValueStore.h"
#include "platform/SysInfoLauncher.h"
#include "platform_fakes_support.h"

#include <gtest/gtest.h>

#include <array>
#include <filesystem>
#include <fstream>
#include <random>

namespace curvalia::platform {
namespace {

namespace fs = std::filesystem;

struct TempFolder {
    fs::path path =
        fs::temp_directory_path() / ("curvalia-kv-" + std::to_string(std::random_device{}()));
    TempFolder() { fs::create_directories(path); }
    ~TempFolder() { fs::remove_all(path); }
    fs::path addProgram(const std::string& name, bool executable = true) const {
        std::ofstream(path / name) << "#!/bin/sh\n";
        fs::permissions(path / name, executable ? fs::perms::owner_all : fs::perms::owner_read);
        return path / name;
    }
};

TEST(LinuxKeyValueStore, AnswersTheFirstCandidateFoundInItsOrder) {
    TempFolder folder;
    folder.addProgram("gnome-system-monitor");
    const std::string kinfo = folder.addProgram("kinfocenter").string();
    folder.addProgram("hardinfo", false); // earlier in the list, but not executable
    LinuxKeyValueStore store({folder.path.string()});

    KeyHandle key = 0;
    ASSERT_EQ(store.openKey(kLocalMachineRoot, SysInfoLauncher::kToolKey, kAllAccess, key),
              kSuccess);
    std::array<char, 1024> buffer{};
    std::uint32_t size = buffer.size(), type = 0;
    ASSERT_EQ(store.queryValue(key, "PATH", type, buffer.data(), size), kSuccess);
    EXPECT_EQ(type, kStringValue);
    EXPECT_EQ(std::string(buffer.data(), size), kinfo + '\0'); // stored with its terminator

    size = 4; // too small: the need is told, nothing is read
    EXPECT_EQ(store.queryValue(key, "PATH", type, buffer.data(), size), kMoreData);
    EXPECT_EQ(size, kinfo.size() + 1);
    EXPECT_EQ(store.queryValue(key, "OTHER", type, buffer.data(), size), kNotFound);
    EXPECT_EQ(store.closeKey(key), kSuccess);

    EXPECT_NE(store.openKey(kLocalMachineRoot, SysInfoLauncher::kFolderKey, kAllAccess, key),
              kSuccess);
    EXPECT_EQ(key, 0u);
}

TEST(LinuxKeyValueStore, LauncherStartsTheFoundProgramOrShowsTheMessage) {
    TempFolder folder;
    const fs::path tool = folder.addProgram("hardinfo");
    LinuxKeyValueStore store({folder.path.string()});
    LocalFileSystem files;
    testing::FakeShell fakes;
    SysInfoLauncher launcher(store, files, fakes.starter, fakes.messages);
    launcher.StartSysInfo();
    fs::remove(tool); // nothing installed any more
    launcher.StartSysInfo();
    EXPECT_EQ(fakes.starter.attempts, std::vector<std::string>{tool.string()});
    EXPECT_EQ(fakes.messages.shown, std::vector<std::string>{SysInfoLauncher::kUnavailable});
}

} // namespace
} // namespace curvalia::platform
