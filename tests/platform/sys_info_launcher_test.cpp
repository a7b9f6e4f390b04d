#include "platform/SysInfoLauncher.h"
#include "platform_fakes_support.h"
#include "support/case_name.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

namespace curvalia::platform {
namespace {

using namespace testing;
using Outcome = FakeProgramStarter::Outcome;

FakeValue str(const char* bytes, std::size_t n) {
    return {kStringValue, std::string(bytes, n)};
}

// The tool key's PATH (or, with toolName, another value), the folder key's
// MSINFO, whether the folder holds the program, and how starting it goes.
struct LaunchCase {
    const char* name;
    std::optional<FakeValue> tool = {}, folder = {};
    bool holdsProgram = true;
    Outcome outcome = Outcome::Starts;
    bool toolOpenFails = false;
    const char* toolName = "PATH";
    std::string started = ""; // "" shows the message
};

const FakeValue kFirst = str("/opt/first", 10), kFolder = str("/opt/msinfo", 11);
const FakeValue kNumber{kNumberValue, std::string("\1\0\0\0", 4)};
const char* const kProgram = "/opt/msinfo/MSINFO32.EXE";

class StartSysInfoTable : public ::testing::TestWithParam<LaunchCase> {};

TEST_P(StartSysInfoTable, StartsTheRightProgramOrShowsTheMessage) {
    const LaunchCase& c = GetParam();
    FakeShell rig;
    if (c.tool)
        rig.store.keys[SysInfoLauncher::kToolKey][c.toolName] = *c.tool;
    if (c.toolOpenFails)
        rig.store.failingOpens.insert(SysInfoLauncher::kToolKey);
    if (c.folder)
        rig.store.keys[SysInfoLauncher::kFolderKey]["MSINFO"] = *c.folder;
    // Only the exact name counts: a lower-case file is not the program.
    rig.files.files.insert(c.holdsProgram ? kProgram : "/opt/msinfo/msinfo32.exe");
    rig.starter.outcome = c.outcome;
    rig.launcher.StartSysInfo();
    const std::vector<std::string> none, message{SysInfoLauncher::kUnavailable};
    EXPECT_EQ(rig.messages.shown, c.started.empty() ? message : none);
    if (!c.started.empty() || c.outcome == Outcome::Starts) {
        EXPECT_EQ(rig.starter.attempts, c.started.empty() ? none : std::vector{c.started});
    }
    // Every key is closed, the ones that failed to open included.
    EXPECT_EQ(static_cast<int>(rig.store.closed.size()), rig.store.opens);
}

INSTANTIATE_TEST_SUITE_P(
    Lookup, StartSysInfoTable,
    ::testing::Values(
        LaunchCase{.name = "FirstKey", .tool = str("/usr/bin/hw\0", 12), .started = "/usr/bin/hw"},
        LaunchCase{.name = "FirstWins", .tool = kFirst, .folder = kFolder, .started = "/opt/first"},
        LaunchCase{.name = "SecondKey", .folder = str("/opt/msinfo\0", 12), .started = kProgram},
        LaunchCase{.name = "FolderWithoutProgram", .folder = kFolder, .holdsProgram = false},
        LaunchCase{.name = "FirstValueMissing",
                   .tool = kFirst,
                   .folder = kFolder,
                   .toolName = "OTHER",
                   .started = kProgram},
        LaunchCase{.name = "FirstOpenFails",
                   .tool = kFirst,
                   .folder = kFolder,
                   .toolOpenFails = true,
                   .started = kProgram},
        LaunchCase{.name = "NoKeys"},
        // A value of another type is read but names nothing: the first key
        // ends the search with the message, the second is not asked.
        LaunchCase{.name = "FirstKeyNumber", .tool = kNumber, .folder = kFolder},
        LaunchCase{.name = "SecondKeyBinary", .folder = FakeValue{kBinaryValue, "/opt/msinfo"}},
        LaunchCase{.name = "FirstKeyEmptyString", .tool = str("\0", 1)},
        LaunchCase{.name = "StartFails", .tool = kFirst, .outcome = Outcome::Fails},
        LaunchCase{.name = "StartThrows", .folder = kFolder, .outcome = Outcome::Throws}),
    [](const auto& test) { return std::string(test.param.name); });

TEST(GetKeyValue, TrimsTheLastNulAndCopiesOnlyStrings) {
    struct Case {
        const char* name;
        FakeValue value;
        bool result;
        std::string keyVal;
        bool openFails = false;
    };
    for (const Case& c : ::curvalia::testing::rows(
             Case("WithNul", str("abc\0", 4), true, "abc"),
             Case("WithoutNul", str("abc", 3), true, "abc"),
             Case("OnlyLastNulDropped", str("ab\0\0", 4), true, std::string("ab\0", 3)),
             Case("Empty", str("", 0), true, ""),
             Case("NumberKeepsPrevious", FakeValue{kNumberValue, "\5"}, true, "previous"),
             Case("FullBufferWithoutNul", FakeValue{kStringValue, std::string(1024, 'z')}, true,
                  std::string(1024, 'z')),
             // A store that claims more than the buffer holds is read no further.
             Case("ClaimedSizeBeyondBuffer", FakeValue{kStringValue, "abc", 5000u}, true,
                  "abc" + std::string(1020, '\0')),
             Case("TooLong", FakeValue{kStringValue, std::string(1025, 'z')}, false, ""),
             Case("FailedOpenEmptiesAndStillCloses", str("abc", 3), false, "", true))) {
        FakeShell rig;
        rig.store.keys["K"]["V"] = c.value;
        if (c.openFails)
            rig.store.failingOpens.insert("K");
        std::string keyVal = "previous";
        EXPECT_EQ(rig.launcher.GetKeyValue(kLocalMachineRoot, "K", "V", keyVal), c.result)
            << c.name;
        EXPECT_EQ(keyVal, c.keyVal) << c.name;
        EXPECT_EQ(rig.store.closed, std::vector<KeyHandle>{c.openFails ? 0u : 1u}) << c.name;
    }
}

} // namespace
} // namespace curvalia::platform
