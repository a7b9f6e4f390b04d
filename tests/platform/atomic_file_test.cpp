// Writing a file whole or not at all (the failures are tested through the
// plot export, which names each cause).
#include "platform/AtomicFile.h"
#include "platform_fakes_support.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

namespace curvalia::platform {
namespace {

namespace fs = std::filesystem;

std::string read(const fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

TEST(AtomicFile, WritesNewFilesAndReplacesOldOnesKeepingTheirPermissions) {
    const testing::TempFolder dir;
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

} // namespace
} // namespace curvalia::platform
