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
    fs::path dir;
};

TEST_F(AtomicFileTest, WritesNewFilesAndReplacesOldOnesKeepingTheirPermissions) {
    const fs::path file = dir / "grafico.svg";
    ASSERT_EQ(writeFileAtomically(file.string(), "primo"), 0);
    EXPECT_EQ(read(file), "primo");
    const fs::perms perms = fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read;
    fs::permissions(file, perms);
    ASSERT_EQ(writeFileAtomically(file.string(), std::string(100000, 'x')), 0);
    EXPECT_EQ(read(file), std::string(100000, 'x'));
    EXPECT_EQ(fs::status(file).permissions(), perms);
    ASSERT_EQ(writeFileAtomically(file.string(), ""), 0);
    EXPECT_EQ(fs::file_size(file), 0u);
    EXPECT_EQ(std::distance(fs::directory_iterator(dir), {}), 1); // no temporary file left
}

} // namespace
} // namespace curvalia::platform
