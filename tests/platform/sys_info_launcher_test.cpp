#include "platform/SysInfoLauncher.h"
#include "platform_fakes_support.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>

namespace curvalia::platform {
namespace {

using namespace testing;
using Outcome = FakeProgramStarter::Outcome;

const std::string kTool = SysInfoLauncher::kToolKey;
const std::string kFolder = SysInfoLauncher::kFolderKey;

struct Rig {
    FakeKeyValueStore store;
    FakeFileSystem files;
    FakeProgramStarter starter;
    FakeMessageBox messages;
    SysInfoLauncher launcher{store, files, starter, messages};

    void folderKey(const std::string& bytes, bool holdsProgram) {
        store.keys[kFolder]["MSINFO"] = FakeValue{kStringValue, bytes, {}};
        if (holdsProgram)
            files.files.insert("/opt/msinfo/MSINFO32.EXE");
    }
};

FakeValue str(const char* bytes, std::size_t n) {
    return {kStringValue, std::string(bytes, n), {}};
}

struct LaunchCase {
    const char* name;
    std::function<void(Rig&)> arrange;
    std::string started; // the program started successfully; "" shows the message
};
void PrintTo(const LaunchCase& c, std::ostream* os) {
    *os << c.name;
}

class StartSysInfoTable : public ::testing::TestWithParam<LaunchCase> {};

TEST_P(StartSysInfoTable, StartsTheRightProgramOrShowsTheMessage) {
    const LaunchCase& c = GetParam();
    Rig rig;
    c.arrange(rig);
    rig.launcher.StartSysInfo();
    if (c.started.empty()) {
        ASSERT_EQ(rig.messages.shown, std::vector<std::string>{SysInfoLauncher::kUnavailable});
        if (rig.starter.outcome == Outcome::Starts) {
            EXPECT_TRUE(rig.starter.attempts.empty());
        }
    } else {
        EXPECT_TRUE(rig.messages.shown.empty());
        EXPECT_EQ(rig.starter.attempts, std::vector<std::string>{c.started});
    }
    // Every key is closed, the ones that failed to open included.
    EXPECT_EQ(static_cast<int>(rig.store.closed.size()), rig.store.opens);
}

INSTANTIATE_TEST_SUITE_P(
    Lookup, StartSysInfoTable,
    ::testing::Values(
        LaunchCase{"FirstKey",
                   [](Rig& r) { r.store.keys[kTool]["PATH"] = str("/usr/bin/hw\0", 12); },
                   "/usr/bin/hw"},
        LaunchCase{"FirstKeyWinsOverSecond",
                   [](Rig& r) {
                       r.store.keys[kTool]["PATH"] = str("/opt/first", 10);
                       r.folderKey("/opt/msinfo", true);
                   },
                   "/opt/first"},
        LaunchCase{"SecondKeyFolderHoldsProgram",
                   [](Rig& r) { r.folderKey(std::string("/opt/msinfo\0", 12), true); },
                   "/opt/msinfo/MSINFO32.EXE"},
        LaunchCase{"SecondKeyFolderWithoutProgram",
                   [](Rig& r) {
                       r.folderKey("/opt/msinfo", false);
                       r.files.files.insert("/opt/msinfo/msinfo32.exe"); // the case matters
                   },
                   ""},
        LaunchCase{"FirstValueMissing",
                   [](Rig& r) {
                       r.store.keys[kTool]["OTHER"] = str("/opt/x", 6);
                       r.folderKey("/opt/msinfo", true);
                   },
                   "/opt/msinfo/MSINFO32.EXE"},
        LaunchCase{"FirstOpenFails",
                   [](Rig& r) {
                       r.store.keys[kTool]["PATH"] = str("/opt/first", 10);
                       r.store.failingOpens.insert(kTool);
                       r.folderKey("/opt/msinfo", true);
                   },
                   "/opt/msinfo/MSINFO32.EXE"},
        LaunchCase{"NoKeys", [](Rig&) {}, ""},
        // A value of another type is read but names nothing: the first key
        // ends the search with the message, the second is not asked.
        LaunchCase{"FirstKeyNumberValue",
                   [](Rig& r) {
                       r.store.keys[kTool]["PATH"] =
                           FakeValue{kNumberValue, std::string("\1\0\0\0", 4), {}};
                       r.folderKey("/opt/msinfo", true);
                   },
                   ""},
        LaunchCase{"SecondKeyBinaryValue",
                   [](Rig& r) {
                       r.folderKey("", true);
                       r.store.keys[kFolder]["MSINFO"] = FakeValue{kBinaryValue, "/opt/msinfo", {}};
                   },
                   ""},
        LaunchCase{"FirstKeyEmptyString",
                   [](Rig& r) { r.store.keys[kTool]["PATH"] = str("\0", 1); }, ""},
        LaunchCase{"StartFails",
                   [](Rig& r) {
                       r.store.keys[kTool]["PATH"] = str("/opt/first", 10);
                       r.starter.outcome = Outcome::Fails;
                   },
                   ""},
        LaunchCase{"StartThrows",
                   [](Rig& r) {
                       r.folderKey("/opt/msinfo", true);
                       r.starter.outcome = Outcome::Throws;
                   },
                   ""}),
    [](const ::testing::TestParamInfo<LaunchCase>& info) { return info.param.name; });

// GetKeyValue alone: the trimming rule and what KeyVal holds afterwards.
struct KeyValueCase {
    const char* name;
    FakeValue value;
    bool result;
    std::string keyVal;
};
void PrintTo(const KeyValueCase& c, std::ostream* os) {
    *os << c.name;
}

class GetKeyValueTable : public ::testing::TestWithParam<KeyValueCase> {};

TEST_P(GetKeyValueTable, TrimsAndCopiesOnlyStrings) {
    const KeyValueCase& c = GetParam();
    Rig rig;
    rig.store.keys["K"]["V"] = c.value;
    std::string keyVal = "previous";
    EXPECT_EQ(rig.launcher.GetKeyValue(kLocalMachineRoot, "K", "V", keyVal), c.result);
    EXPECT_EQ(keyVal, c.keyVal);
    EXPECT_EQ(rig.store.closed.size(), 1u);
}

INSTANTIATE_TEST_SUITE_P(
    Values, GetKeyValueTable,
    ::testing::Values(
        KeyValueCase{"WithNul", str("abc\0", 4), true, "abc"},
        KeyValueCase{"WithoutNul", str("abc", 3), true, "abc"},
        KeyValueCase{"OnlyLastNulDropped", str("ab\0\0", 4), true, std::string("ab\0", 3)},
        KeyValueCase{"Empty", str("", 0), true, ""},
        KeyValueCase{"NumberKeepsPrevious",
                     {kNumberValue, std::string("\5\0\0\0", 4), {}},
                     true,
                     "previous"},
        KeyValueCase{"FullBufferWithoutNul",
                     {kStringValue, std::string(1024, 'z'), {}},
                     true,
                     std::string(1024, 'z')},
        // A store that claims more than the buffer holds is read no further.
        KeyValueCase{"ClaimedSizeBeyondBuffer",
                     {kStringValue, "abc", 5000u},
                     true,
                     "abc" + std::string(1020, '\0')},
        KeyValueCase{"TooLong", {kStringValue, std::string(1025, 'z'), {}}, false, ""}),
    [](const ::testing::TestParamInfo<KeyValueCase>& info) { return info.param.name; });

TEST(GetKeyValue, FailedOpenEmptiesKeyValAndStillCloses) {
    Rig rig;
    rig.store.keys["K"]["V"] = str("abc", 3);
    rig.store.failingOpens.insert("K");
    std::string keyVal = "previous";
    EXPECT_FALSE(rig.launcher.GetKeyValue(kLocalMachineRoot, "K", "V", keyVal));
    EXPECT_EQ(keyVal, "");
    EXPECT_EQ(rig.store.closed, std::vector<KeyHandle>{0});
}

} // namespace
} // namespace curvalia::platform
