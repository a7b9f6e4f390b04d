// Writing a file whole or not at all: new files, replaced files keeping
// their permissions, and the errno of each way it can fail, with no
// temporary file left behind.
#include "platform/AtomicFile.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <csignal>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <sys/resource.h>
#include <sys/stat.h>
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

TEST_F(AtomicFileTest, EachFailureGivesItsErrnoAndLeavesNothing) {
    fs::create_directory(dir / "cartella");
    std::ofstream(dir / "vecchio.png") << "vecchio";
    rlimit previous{};
    getrlimit(RLIMIT_FSIZE, &previous);
    const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    const struct {
        std::string path;
        int error;
        bool limitSize;
    } cases[] = {
        {(dir / "manca" / "a.png").string(), ENOENT, false},
        {(dir / "vecchio.png" / "a.png").string(), ENOTDIR, false},
        {(dir / "cartella").string(), EISDIR, false},
        {(dir / "").string(), EISDIR, false},
        {(dir / "vecchio.png").string(), EFBIG, true},
    };
    for (const auto& c : cases) {
        if (c.limitSize) {
            rlimit lowered = previous;
            lowered.rlim_cur = 3;
            setrlimit(RLIMIT_FSIZE, &lowered);
        }
        EXPECT_EQ(writeFileAtomically(c.path, "nuovo contenuto"), c.error) << c.path;
        setrlimit(RLIMIT_FSIZE, &previous);
    }
    std::signal(SIGXFSZ, oldHandler);
    EXPECT_EQ(read(dir / "vecchio.png"), "vecchio");
    EXPECT_EQ(names(), (std::vector<std::string>{"cartella", "vecchio.png"}));
}

TEST(AtomicFile, FolderOfAPath) {
    EXPECT_EQ(folderOf("/a/b/c.png"), "/a/b");
    EXPECT_EQ(folderOf("/c.png"), "/");
    EXPECT_EQ(folderOf("c.png"), ".");
}

} // namespace
} // namespace curvalia::platform
