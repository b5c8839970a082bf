#include "TempDir.h"
#include "text/WholeFile.h"

#include <csignal>
#include <grp.h>
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace vorn::text;
namespace fs = std::filesystem;

namespace {

// Runs body in a forked child: true when it returned true.
template <class Body> bool InChild(const Body& body) {
    const pid_t child = fork();
    if (child == 0) _exit(body() ? 0 : 1);
    int status = 0;
    return child > 0 && waitpid(child, &status, 0) == child && WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

// Writes in a child whose writes past four bytes fail as on a full disk: with the signal ignored
// the write fails, with a handler that ends the child it dies in the middle of the save. Nothing
// is masked, so a file keeps the mode it was made with.
bool WriteOnAFullDisk(const fs::path& target, void (*onFull)(int)) {
    return InChild([&] {
        umask(0);
        std::signal(SIGXFSZ, onFull);
        const rlimit limit{4, 4};
        return setrlimit(RLIMIT_FSIZE, &limit) == 0 && WriteWholeFile(target, "longer than four bytes");
    });
}

} // namespace

TEST(WholeFile, ReplacesTheTargetWholeOrLeavesItAsItWas) {
    const vorn::testing::TempDir dir;
    // Every test's folder is made afresh and private, never one that was there before.
    EXPECT_EQ(fs::status(dir.path()).permissions(), fs::perms::owner_all) << "not a folder made afresh";
    const fs::path target = dir.path() / "a.txt";
    const std::string bytes("line\r\n\0end", 10);
    ASSERT_TRUE(WriteWholeFile(target, "old contents"));
    fs::permissions(target, fs::perms::owner_read | fs::perms::owner_write);
    ASSERT_TRUE(WriteWholeFile(target, bytes));
    EXPECT_EQ(ReadWholeFile(target), bytes);
    EXPECT_EQ(fs::status(target).permissions(), fs::perms::owner_read | fs::perms::owner_write);
    fs::create_symlink("a.txt", dir.path() / "link"); // beside the link
    ASSERT_TRUE(WriteWholeFile(dir.path() / "link", "through the link"));
    EXPECT_TRUE(fs::is_symlink(dir.path() / "link"));
    EXPECT_EQ(ReadWholeFile(target), "through the link");
    ASSERT_TRUE(WriteWholeFile(target, bytes));
    const fs::path longest = dir.path() / (std::string(251, 'n') + ".lst"); // a name may not be longer
    EXPECT_TRUE(WriteWholeFile(longest, "x") && WriteWholeFile(longest, "yz") &&
                ReadWholeFile(longest) == "yz");

    const fs::path fresh = dir.path() / "fresh.txt"; // a new file is made as the user's umask says
    EXPECT_TRUE(InChild([&] {
        umask(027);
        return WriteWholeFile(fresh, "new");
    }));
    EXPECT_EQ(fs::status(fresh).permissions(),
              fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    fs::remove(fresh);

    fs::create_directory(dir.path() / "folder");
    EXPECT_FALSE(WriteWholeFile(dir.path() / "folder", bytes));
    EXPECT_FALSE(WriteWholeFile(dir.path() / "missing" / "a.txt", bytes));
    ASSERT_EQ(mkfifo((dir.path() / "pipe").c_str(), 0600), 0);
    EXPECT_FALSE(WriteWholeFile(dir.path() / "pipe", bytes));
    EXPECT_TRUE(fs::is_fifo(dir.path() / "pipe")) << "a device or pipe was replaced by a file";
    EXPECT_FALSE(WriteOnAFullDisk(target, SIG_IGN));
    EXPECT_EQ(ReadWholeFile(target), bytes);
    EXPECT_EQ(std::distance(fs::directory_iterator(dir.path()), fs::directory_iterator()), 5)
        << "a temporary file was left behind";
    // A reader is told why; a pipe or a device is refused without waiting for it.
    std::string failure;
    EXPECT_TRUE(!ReadWholeFile(dir.path() / "missing.txt", failure) &&
                failure == "No such file or directory");
    for (const fs::path& path : {dir.path() / "folder", dir.path() / "pipe", fs::path("/dev/null")})
        EXPECT_TRUE(!ReadWholeFile(path, failure) && failure == "Not a regular file" && !IsRegularFile(path));
    EXPECT_TRUE(IsRegularFile(target));
}

// A hard link stays one file and an owner stays; a failed write puts the old bytes back.
TEST(WholeFile, WhereARenameWouldChangeWhatTheFileIsItIsWrittenInPlace) {
    const vorn::testing::TempDir dir;
    const fs::path target = dir.path() / "a.lbl";
    const fs::path theirs = dir.path() / "report.txt";
    ASSERT_TRUE(WriteWholeFile(target, "abc") && WriteWholeFile(theirs, "abc"));
    fs::create_hard_link(target, dir.path() / "b.lbl");
    EXPECT_FALSE(WriteOnAFullDisk(target, SIG_IGN));
    EXPECT_EQ(ReadWholeFile(dir.path() / "b.lbl"), "abc");
    ASSERT_TRUE(WriteWholeFile(target, "new text"));
    EXPECT_TRUE(ReadWholeFile(dir.path() / "b.lbl") == "new text" && fs::hard_link_count(target) == 2);
    ASSERT_EQ(chown(theirs.c_str(), 65534, getegid()), 0);
    ASSERT_TRUE(WriteWholeFile(theirs, "new text"));
    struct stat status {};
    EXPECT_TRUE(stat(theirs.c_str(), &status) == 0 && status.st_uid == 65534);
    EXPECT_EQ(std::distance(fs::directory_iterator(dir.path()), fs::directory_iterator()), 3);

    // In a shared sticky folder a link is followed only when the folder's owner or the writer made it.
    const fs::path shared = dir.path() / "shared";
    fs::create_directory(shared);
    fs::permissions(shared, fs::perms(01777));
    ASSERT_EQ(chown(shared.c_str(), 65534, 65534), 0);
    for (const uid_t owner : {65534u, geteuid(), 65533u}) {
        const fs::path link = shared / std::to_string(owner);
        fs::create_symlink(target, link);
        ASSERT_EQ(lchown(link.c_str(), owner, owner), 0);
        EXPECT_EQ(WriteWholeFile(link, link.string()), owner != 65533u) << owner;
        EXPECT_EQ(ReadWholeFile(target) == link.string(), owner != 65533u) << owner;
    }
}

// A read-only file stays refused, also in the user's own folder.
TEST(WholeFile, AnOrdinaryUserWritesAWritableFileInAFolderItMayNotWriteAndNothingElse) {
    const vorn::testing::TempDir dir;
    fs::permissions(dir.path(), fs::perms(0755));
    const fs::path writable = dir.path() / "a.cod";
    const fs::path readOnly = dir.path() / "own" / "b.cod";
    fs::create_directory(dir.path() / "own");
    ASSERT_TRUE(WriteWholeFile(writable, "old") && WriteWholeFile(readOnly, "old"));
    ASSERT_EQ(chown(readOnly.parent_path().c_str(), 65534, 65534) + chown(readOnly.c_str(), 65534, 65534), 0);
    fs::permissions(writable, fs::perms(0666));
    fs::permissions(readOnly, fs::perms(0444));
    EXPECT_TRUE(InChild([&] {
        // The suite runs as root, whom permissions do not stop.
        return setgroups(0, nullptr) == 0 && setgid(65534) == 0 && setuid(65534) == 0 &&
               WriteWholeFile(writable, "new text") && !WriteWholeFile(readOnly, "new text") &&
               !WriteWholeFile(dir.path() / "c.cod", "new");
    }));
    EXPECT_TRUE(ReadWholeFile(writable) == "new text" && ReadWholeFile(readOnly) == "old");
    EXPECT_EQ(std::distance(fs::directory_iterator(dir.path()), fs::directory_iterator()), 2);
}

// A writer that dies in the middle of a save leaves its temporary file behind: as private as
// the target from its first byte on.
TEST(WholeFile, TheTemporaryFileOfAPrivateTargetIsNeverReadableByOthers) {
    const vorn::testing::TempDir dir;
    const fs::path target = dir.path() / "state.sim";
    ASSERT_TRUE(WriteWholeFile(target, "old"));
    fs::permissions(target, fs::perms(0600));
    EXPECT_FALSE(WriteOnAFullDisk(
        target, +[](int) { _exit(2); }));
    std::vector<fs::perms> left;
    for (const fs::directory_entry& entry : fs::directory_iterator(dir.path()))
        if (entry.path() != target) left.push_back(entry.status().permissions());
    EXPECT_EQ(left, std::vector{fs::perms(0600)});
    EXPECT_EQ(ReadWholeFile(target), "old");
}
