// Saving and appending under faults: a folder that cannot be written, a full
// disk, a file that vanished. Nothing half-written may remain.
#include <gtest/gtest.h>
#include <fcntl.h>
#include <linux/fs.h>
#include <signal.h>
#include <sys/ioctl.h>
#include <sys/mount.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>

#include "cpu/file_io.h"
#include "record/database.h"
#include "report/bitmap.h"
#include "report/file_size_limit.h"
#include "report/temp_dir.h"

namespace kest {
namespace {

using test::Listing;
using test::ReadFile;
using test::FileSizeLimit;
using test::TempDir;
using test::WriteFile;

// A small tmpfs mounted for the test (root only, where mounting is allowed).
class TmpfsMount {
public:
    TmpfsMount(const std::string& dir, const char* options, unsigned long flags = 0) : dir_(dir) {
        ok_ = ::mount("tmpfs", dir.c_str(), "tmpfs", flags, options) == 0;
    }
    ~TmpfsMount() {
        if (ok_) ::umount2(dir_.c_str(), MNT_DETACH);
    }
    bool ok() const { return ok_; }

private:
    std::string dir_;
    bool ok_ = false;
};

const std::string kBig(256 * 1024, 'x');

TEST(SafeWrite, CreatesAndReplacesWithoutLeavingTemporaries) {
    TempDir dir;
    ASSERT_EQ(WriteFileSafely(dir / "r.txt", "first\r\n"), std::nullopt);
    EXPECT_EQ(ReadFile(dir / "r.txt"), "first\r\n");
    ::chmod((dir / "r.txt").c_str(), 0640);
    ASSERT_EQ(WriteFileSafely(dir / "r.txt", "second\r\n"), std::nullopt);
    EXPECT_EQ(ReadFile(dir / "r.txt"), "second\r\n");
    struct stat st {};
    ASSERT_EQ(::stat((dir / "r.txt").c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0640u) << "the replaced file keeps its permissions";
    EXPECT_EQ(Listing(dir.path()), "r.txt;");
}

// A save writes only where it was told: a link there, dangling or not, is
// replaced by the new file and what it pointed to stays as it was.
TEST(SafeWrite, SymlinkIsReplacedAndItsTargetLeftAlone) {
    TempDir dir;
    WriteFile(dir / "real.txt", "old");
    std::filesystem::create_symlink(dir / "real.txt", dir / "link.txt");
    std::filesystem::create_symlink(dir / "absent.txt", dir / "dangling.txt");
    for (const char* name : {"link.txt", "dangling.txt"}) {
        ASSERT_EQ(WriteFileSafely(dir / name, "new"), std::nullopt) << name;
        EXPECT_FALSE(std::filesystem::is_symlink(dir / name)) << name;
        EXPECT_EQ(ReadFile(dir / name), "new") << name;
    }
    EXPECT_EQ(ReadFile(dir / "real.txt"), "old");
    EXPECT_EQ(Listing(dir.path()), "dangling.txt;link.txt;real.txt;");
}

// Sets or clears the immutable flag (root cannot write such a file either);
// false where the file system has no such flag.
bool SetImmutable(const std::string& path, bool on) {
    const int fd = ::open(path.c_str(), O_RDONLY);
    if (fd < 0) return false;
    int flags = 0;
    bool ok = ::ioctl(fd, FS_IOC_GETFLAGS, &flags) == 0;
    flags = on ? (flags | FS_IMMUTABLE_FL) : (flags & ~FS_IMMUTABLE_FL);
    ok = ok && ::ioctl(fd, FS_IOC_SETFLAGS, &flags) == 0;
    ::close(fd);
    return ok;
}

TEST(SafeWrite, ReadOnlyFileAndPipeWithoutReaderAreRefused) {
    TempDir dir;
    ASSERT_EQ(::mkfifo((dir / "pipe").c_str(), 0644), 0);
    EXPECT_EQ(WriteFileSafely(dir / "pipe", "x"), "File access denied") << "must not wait for a reader";

    WriteFile(dir / "r.txt", "old report");
    ::chmod((dir / "r.txt").c_str(), 0444);
    if (::geteuid() == 0 && !SetImmutable(dir / "r.txt", true))
        GTEST_SKIP() << "root writes any file, and this file system has no immutable flag";
    EXPECT_EQ(WriteFileSafely(dir / "r.txt", "new report"), "File access denied");
    if (::geteuid() == 0) SetImmutable(dir / "r.txt", false);
    EXPECT_EQ(ReadFile(dir / "r.txt"), "old report");
    EXPECT_EQ(Listing(dir.path()), "pipe;r.txt;");
}

TEST(SafeWrite, FolderThatIsARegularFile) {
    TempDir dir;
    WriteFile(dir / "plain", "not a folder");
    auto err = WriteFileSafely(dir / "plain/report.txt", "x");
    ASSERT_TRUE(err);
    EXPECT_EQ(*err, "Path not found");
    EXPECT_EQ(ReadFile(dir / "plain"), "not a folder");
}

TEST(SafeWrite, ReadOnlyFolderKeepsOldFile) {
    TempDir dir;
    const std::string ro = dir / "ro";
    std::filesystem::create_directory(ro);
    WriteFile(ro + "/r.txt", "old report");
    std::unique_ptr<TmpfsMount> mount;
    if (::geteuid() == 0) {
        // chmod does not stop root: make the folder a read-only file system.
        mount = std::make_unique<TmpfsMount>(ro, "size=64k");
        if (!mount->ok()) GTEST_SKIP() << "cannot mount a read-only folder here";
        WriteFile(ro + "/r.txt", "old report");
        ASSERT_EQ(::mount(nullptr, ro.c_str(), nullptr, MS_REMOUNT | MS_RDONLY, nullptr), 0);
    } else {
        ::chmod(ro.c_str(), 0555);
    }
    auto err = WriteFileSafely(ro + "/r.txt", "new report");
    ASSERT_TRUE(err);
    EXPECT_EQ(*err, "File access denied");
    EXPECT_EQ(ReadFile(ro + "/r.txt"), "old report");
    EXPECT_EQ(Listing(ro), "r.txt;");
    ::chmod(ro.c_str(), 0755);
}

TEST(SafeWrite, DeviceThatIsAlwaysFull) {
    auto err = WriteFileSafely("/dev/full", "report\r\n");
    ASSERT_TRUE(err);
    EXPECT_EQ(*err, "Disk full");
    struct stat st {};
    ASSERT_EQ(::stat("/dev/full", &st), 0);
    EXPECT_TRUE(S_ISCHR(st.st_mode)) << "the device must not be replaced by a file";
}

TEST(SafeWrite, DiskFullMidwayLeavesOldFileUntouched) {
    TempDir dir;
    WriteFile(dir / "r.txt", "old report");
    {
        FileSizeLimit limit(64 * 1024);
        auto err = WriteFileSafely(dir / "r.txt", kBig);
        ASSERT_TRUE(err);
        EXPECT_EQ(*err, "Disk full");
    }
    EXPECT_EQ(ReadFile(dir / "r.txt"), "old report");
    EXPECT_EQ(Listing(dir.path()), "r.txt;");
}

TEST(SafeWrite, FullTmpfs) {
    if (::geteuid() != 0) GTEST_SKIP() << "mounting a tmpfs needs root";
    TempDir dir;
    TmpfsMount mount(dir.path(), "size=64k");
    if (!mount.ok()) GTEST_SKIP() << "cannot mount a tmpfs here";
    WriteFile(dir / "r.txt", "old report");
    auto err = WriteFileSafely(dir / "r.txt", kBig);
    ASSERT_TRUE(err);
    EXPECT_EQ(*err, "Disk full");
    EXPECT_EQ(ReadFile(dir / "r.txt"), "old report");
    EXPECT_EQ(Listing(dir.path()), "r.txt;");

    // The record append on the same full disk is taken back whole.
    WriteFile(dir / "cpus.db", "old records\r\n");
    auto msg = AddDatabaseRecord(dir.path(), "cpus.db", kBig);
    ASSERT_TRUE(msg);
    EXPECT_NE(msg->find("Disk full"), std::string::npos) << *msg;
    EXPECT_EQ(ReadFile(dir / "cpus.db"), "old records\r\n");
}

TEST(DatabaseAppend, FailedWriteIsCutBack) {
    TempDir dir;
    const std::string old(1000, 'r');
    WriteFile(dir / "cpus.db", old);
    {
        FileSizeLimit limit(4096);  // part of the record fits, the rest does not
        auto msg = AddDatabaseRecord(dir.path(), "cpus.db", std::string(8192, 'n'));
        ASSERT_TRUE(msg);
        EXPECT_NE(msg->find("\"" + dir / "cpus.db" + "\""), std::string::npos) << *msg;
        EXPECT_NE(msg->find("Disk full"), std::string::npos) << *msg;
    }
    EXPECT_EQ(ReadFile(dir / "cpus.db"), old);
}

TEST(DatabaseAppend, FileDeletedBetweenTwoAdds) {
    TempDir dir;
    WriteFile(dir / "cpus.db", "");
    ASSERT_EQ(AddDatabaseRecord(dir.path(), "cpus.db", "one\r\n"), std::nullopt);
    EXPECT_EQ(ReadFile(dir / "cpus.db"), "one\r\n");
    std::filesystem::remove(dir / "cpus.db");
    auto msg = AddDatabaseRecord(dir.path(), "cpus.db", "two\r\n");
    ASSERT_TRUE(msg);
    EXPECT_EQ(*msg, "Cannot add the record to the database file \"" + dir / "cpus.db" + "\". File not found");
    EXPECT_EQ(Listing(dir.path()), "");
}

TEST(Bitmap, HeaderRowsAndPadding) {
    // 3 x 2 pixels: rows of 9 bytes padded to 12, stored bottom row first.
    RgbImage img{3, 2, {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17, 18}};
    const std::string b = BmpBytes(img);
    ASSERT_EQ(b.size(), 14u + 40 + 24);
    auto u32 = [&](size_t at) {
        return uint32_t(uint8_t(b[at])) | uint32_t(uint8_t(b[at + 1])) << 8 | uint32_t(uint8_t(b[at + 2])) << 16 |
               uint32_t(uint8_t(b[at + 3])) << 24;
    };
    EXPECT_EQ(b.substr(0, 2), "BM");
    EXPECT_EQ(u32(2), 78u);   // file size
    EXPECT_EQ(u32(10), 54u);  // pixel offset
    EXPECT_EQ(u32(14), 40u);
    EXPECT_EQ(u32(18), 3u);
    EXPECT_EQ(u32(22), 2u);
    EXPECT_EQ(uint8_t(b[28]), 24);  // bits per pixel
    EXPECT_EQ(u32(34), 24u);        // pixel bytes
    const std::string bottom("\x0C\x0B\x0A\x0F\x0E\x0D\x12\x11\x10\0\0\0", 12);
    const std::string top("\x03\x02\x01\x06\x05\x04\x09\x08\x07\0\0\0", 12);
    EXPECT_EQ(b.substr(54, 12), bottom);
    EXPECT_EQ(b.substr(66, 12), top);

    EXPECT_EQ(BmpBytes(RgbImage{2, 2, {1, 2, 3}}), "");  // wrong buffer size
    EXPECT_EQ(BmpBytes(RgbImage{}), "");
}

TEST(Bitmap, SaveAndFailureMessage) {
    TempDir dir;
    RgbImage img{1, 1, {255, 0, 0}};
    ASSERT_EQ(SaveBmp(dir / "shot.bmp", img), std::nullopt);
    EXPECT_EQ(ReadFile(dir / "shot.bmp"), BmpBytes(img));
    WriteFile(dir / "plain", "");
    auto err = SaveBmp(dir / "plain/shot.bmp", img);
    ASSERT_TRUE(err);
    EXPECT_EQ(*err, "Cannot create file \"" + dir / "plain/shot.bmp" + "\". Path not found");
}

}  // namespace
}  // namespace kest
