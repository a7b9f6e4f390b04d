// Writing a file whole or not at all: new files, and replaced files keeping
// their permissions (the failures are tested through the plot export, which
// names each cause).
#include "platform/AtomicFile.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <unistd.h>

namespace curvalia::platform {
namespace {

namespace fs = std::filesystem;

struct AtomicFileTest : ::testing::Test {
    AtomicFileTest() {
        dir = fs::temp_directory_path() / ("curvalia-atomic-" + std::to_string(getpid()));
        fs::create_directories(dir);
    }
    ~AtomicFileTest() override { fs::remove_all(dir); }
    static std::string read(const fs::path& p) {
        std::ifstream in(p, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), {}};
    }
    std::vector<std::string> names() const {
        std::vector<std::string> all;
        for (const auto& entry : fs::directory_iterator(dir))
            all.push_back(entry.path().filename().string());
        std::sort(all.begin(), all.end());
        return all;
    }
    fs::path dir;
};

TEST_F(AtomicFileTest, WritesNewFilesAndReplacesOldOnesKeepingTheirPermissions) {
    const fs::path file = dir / "grafico.svg";
    ASSERT_EQ(writeFileAtomically(file.string(), "primo"), 0);
    EXPECT_EQ(read(file), "primo");
    fs::permissions(file, fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    ASSERT_EQ(writeFileAtomically(file.string(), std::string(100000, 'x')), 0);
    EXPECT_EQ(read(file), std::string(100000, 'x'));
    EXPECT_EQ(fs::status(file).permissions(),
              fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    ASSERT_EQ(writeFileAtomically(file.string(), ""), 0);
    EXPECT_EQ(fs::file_size(file), 0u);
    EXPECT_EQ(names(), std::vector<std::string>{"grafico.svg"});
}

} // namespace
} // namespace curvalia::platform
