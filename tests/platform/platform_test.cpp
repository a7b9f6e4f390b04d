// Writing a file whole or not at all (its failures are tested through the
// plot export, which names each cause); the system-information launcher over
// faked services, and over the real store and file system.
#include "platform/AtomicFile.h"
#include "platform/FileSystem.h"
#include "platform/LinuxKeyValueStore.h"
#include "platform/SysInfoLauncher.h"
#include "platform_fakes_support.h"
#include "support/table_rows.h"

#include <gtest/gtest.h>

#include <array>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <random>
#include <string>

namespace curvalia::platform {
namespace {

using namespace testing;
using Outcome = FakeProgramStarter::Outcome;
namespace fs = std::filesystem;

// Unique per test, so that parallel test processes never share one.
struct TempFolder {
    fs::path path =
        fs::temp_directory_path() / ("curvalia-" + std::to_string(std::random_device{}()));
    TempFolder() { fs::create_directories(path); }
    ~TempFolder() { fs::remove_all(path); }
};

std::string read(const fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

TEST(AtomicFile, WritesNewFilesAndReplacesOldOnesKeepingTheirPermissions) {
    const TempFolder dir;
    const fs::path file = dir.path / "grafico.svg";
    ASSERT_EQ(writeFileAtomically(file.string(), "primo"), 0);
    EXPECT_EQ(read(file), "primo");
    const fs::perms perms = fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read;
    fs::permissions(file, perms);
    ASSERT_EQ(writeFileAtomically(file.string(), std::string(100000, 'x')), 0);
    EXPECT_EQ(read(file), std::string(100000, 'x'));
    EXPECT_EQ(fs::status(file).permissions(), perms);
    ASSERT_EQ(writeFileAtomically(file.string(), ""), 0);
    EXPECT_EQ(fs::file_size(file), 0u);
    EXPECT_EQ(std::distance(fs::directory_iterator(dir.path), {}), 1); // no temporary file left
}

FakeValue str(const char* bytes, std::size_t n) {
    return {kStringValue, std::string(bytes, n)};
}

// What is started ("" shows the message), the tool key's PATH (or, with
// toolName, another value), the folder key's MSINFO.
struct LaunchCase {
    const char* name;
    std::string started;
    std::optional<FakeValue> tool = {}, folder = {};
    Outcome outcome = Outcome::Starts;
    bool holdsProgram = true;
    const char* toolName = "PATH";
};

const FakeValue kFirst = str("/opt/first", 10), kFolder = str("/opt/msinfo", 11);
const FakeValue kNumber{kNumberValue, std::string("\1\0\0\0", 4)};
const char* const kProgram = "/opt/msinfo/MSINFO32.EXE";

using L = LaunchCase;

TEST(StartSysInfo, StartsTheRightProgramOrShowsTheMessage) {
    for (const LaunchCase& c : ::curvalia::testing::rows(
             L("FirstWins", "/opt/first", kFirst, kFolder),
             L("SecondKey", kProgram, {}, str("/opt/msinfo\0", 12)),
             L("FolderWithoutProgram", "", {}, kFolder, Outcome::Starts, false),
             L("FirstValueMissing", kProgram, kFirst, kFolder, Outcome::Starts, true, "OTHER"),
             L("NoKeys", ""),
             // A value of another type is read but names nothing: the first key
             // ends the search with the message, the second is not asked.
             L("FirstKeyNumber", "", kNumber, kFolder),
             L("SecondKeyBinary", "", {}, FakeValue{kBinaryValue, "/opt/msinfo"}),
             L("StartFails", "", kFirst, {}, Outcome::Fails),
             L("StartThrows", "", {}, kFolder, Outcome::Throws))) {
        SCOPED_TRACE(c.name);
        FakeShell<> rig;
        if (c.tool)
            rig.store.keys[SysInfoLauncher::kToolKey][c.toolName] = *c.tool;
        if (c.folder)
            rig.store.keys[SysInfoLauncher::kFolderKey]["MSINFO"] = *c.folder;
        // Only the exact name counts: a lower-case file is not the program.
        rig.files.files.insert(c.holdsProgram ? kProgram : "/opt/msinfo/msinfo32.exe");
        rig.starter.outcome = c.outcome;
        rig.sysInfo.StartSysInfo();
        const std::vector<std::string> none, message{SysInfoLauncher::kUnavailable};
        EXPECT_EQ(rig.messages.shown, c.started.empty() ? message : none);
        if (!c.started.empty() || c.outcome == Outcome::Starts) {
            EXPECT_EQ(rig.starter.attempts, c.started.empty() ? none : std::vector{c.started});
        }
    }
}

TEST(GetKeyValue, TrimsTheLastNulAndCopiesOnlyStrings) {
    struct Case {
        const char* name;
        FakeValue value;
        bool result;
        std::string keyVal;
        bool openFails = false;
    };
    for (const Case& c : ::curvalia::testing::rows(
             Case("OnlyLastNulDropped", str("ab\0\0", 4), true, std::string("ab\0", 3)),
             Case("FullBufferWithoutNul", FakeValue{kStringValue, std::string(1024, 'z')}, true,
                  std::string(1024, 'z')),
             Case("NumberKeepsPrevious", FakeValue{kNumberValue, "\5"}, true, "previous"),
             // A store that claims more than the buffer holds is read no further.
             Case("ClaimedSizeBeyondBuffer", FakeValue{kStringValue, "abc", 5000u}, true,
                  "abc" + std::string(1020, '\0')),
             Case("TooLong", FakeValue{kStringValue, std::string(1025, 'z')}, false, ""),
             Case("FailedOpenEmptiesAndStillCloses", str("abc", 3), false, "", true))) {
        FakeShell<> rig;
        rig.store.keys["K"]["V"] = c.value;
        std::string keyVal = "previous";
        // A key under another root is not found.
        const std::int32_t root = c.openFails ? kLocalMachineRoot + 1 : kLocalMachineRoot;
        EXPECT_EQ(rig.sysInfo.GetKeyValue(root, "K", "V", keyVal), c.result) << c.name;
        EXPECT_EQ(keyVal, c.keyVal) << c.name;
        EXPECT_EQ(rig.store.closed, std::vector<KeyHandle>{c.openFails ? 0u : 1u}) << c.name;
    }
}

fs::path addProgram(const TempFolder& folder, const std::string& name, bool executable = true) {
    std::ofstream(folder.path / name) << "#!/bin/sh\n";
    fs::permissions(folder.path / name, executable ? fs::perms::owner_all : fs::perms::owner_read);
    return folder.path / name;
}

TEST(LinuxKeyValueStore, AnswersTheFirstCandidateFoundInItsOrderToTheLauncher) {
    TempFolder folder;
    addProgram(folder, "gnome-system-monitor");
    const std::string kinfo = addProgram(folder, "kinfocenter").string();
    addProgram(folder, "hardinfo", false); // earlier in the list, but not executable
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

    LocalFileSystem files;
    FakeShell<> fakes;
    SysInfoLauncher launcher(store, files, fakes.starter, fakes.messages);
    launcher.StartSysInfo();
    fs::remove_all(folder.path); // nothing installed any more
    launcher.StartSysInfo();
    EXPECT_EQ(fakes.starter.attempts, std::vector<std::string>{kinfo});
    EXPECT_EQ(fakes.messages.shown, std::vector<std::string>{SysInfoLauncher::kUnavailable});
}

} // namespace
} // namespace curvalia::platform
