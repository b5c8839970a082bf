#include "TempDir.h"
#include "text/WholeFile.h"

#include <csignal>
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>

using namespace vorn::text;
namespace fs = std::filesystem;

namespace {

// Stands in for a full disk: writes past the limit fail (and raise no signal).
class FileSizeLimit {
  public:
    explicit FileSizeLimit(rlim_t bytes) : oldHandler_(std::signal(SIGXFSZ, SIG_IGN)) {
        getrlimit(RLIMIT_FSIZE, &old_);
        rlimit limit = old_;
        limit.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~FileSizeLimit() {
        setrlimit(RLIMIT_FSIZE, &old_);
        std::signal(SIGXFSZ, oldHandler_);
    }

  private:
    rlimit old_{};
    void (*oldHandler_)(int);
};

} // namespace

TEST(WholeFile, ReplacesTheTargetWholeOrLeavesItAsItWas) {
    const vorn::testing::TempDir dir;
    const fs::path target = dir.path() / "a.txt";
    const std::string bytes("line\r\n\0end", 10);
    ASSERT_TRUE(WriteWholeFile(target, "old contents"));
    fs::permissions(target, fs::perms::owner_read | fs::perms::owner_write);
    ASSERT_TRUE(WriteWholeFile(target, bytes));
    EXPECT_EQ(ReadWholeFile(target), bytes);
    EXPECT_EQ(fs::status(target).permissions(), fs::perms::owner_read | fs::perms::owner_write);
    fs::create_symlink(target, dir.path() / "link");
    ASSERT_TRUE(WriteWholeFile(dir.path() / "link", "through the link"));
    EXPECT_TRUE(fs::is_symlink(dir.path() / "link"));
    EXPECT_EQ(ReadWholeFile(target), "through the link");
    ASSERT_TRUE(WriteWholeFile(target, bytes));

    fs::create_directory(dir.path() / "folder");
    EXPECT_FALSE(WriteWholeFile(dir.path() / "folder", bytes));
    EXPECT_FALSE(WriteWholeFile(dir.path() / "missing" / "a.txt", bytes));
    ASSERT_EQ(mkfifo((dir.path() / "pipe").c_str(), 0600), 0);
    EXPECT_FALSE(WriteWholeFile(dir.path() / "pipe", bytes));
    EXPECT_TRUE(fs::is_fifo(dir.path() / "pipe")) << "a device or pipe was replaced by a file";
    {
        FileSizeLimit fullDisk(4); // the write fails only when the buffer is flushed
        EXPECT_FALSE(WriteWholeFile(target, "longer than four bytes"));
    }
    EXPECT_EQ(ReadWholeFile(target), bytes);
    EXPECT_EQ(std::distance(fs::directory_iterator(dir.path()), fs::directory_iterator()), 4)
        << "a temporary file was left behind";
    EXPECT_EQ(ReadWholeFile(dir.path() / "folder"), std::nullopt);
    EXPECT_EQ(ReadWholeFile(dir.path() / "missing.txt"), std::nullopt);
}
