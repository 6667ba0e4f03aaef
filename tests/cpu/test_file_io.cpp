// Reading whole files through the file layer: the bound, the refusals, and
// a file system that reports a size of 0 for a file with contents.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "cpu/file_io.h"

namespace kest {
namespace {

namespace fs = std::filesystem;

TEST(ReadWholeFile, BoundLinksAndFilesThatAreNotRegular) {
    const fs::path dir = fs::temp_directory_path() / ("kest-read-" + std::to_string(::getpid()));
    fs::remove_all(dir);
    fs::create_directories(dir);
    const std::string text(5000, 'x');
    std::ofstream(dir / "f", std::ios::binary) << text;

    // Exactly at the bound is read whole; one byte over is refused and
    // nothing of the file is handed back.
    FileContents at = ReadWholeFile(dir / "f", text.size(), {});
    EXPECT_TRUE(at.result);
    EXPECT_EQ(at.bytes, text);
    FileContents over = ReadWholeFile(dir / "f", text.size() - 1, {});
    EXPECT_EQ(over.result.step, FileStep::kTooLarge);
    EXPECT_TRUE(over.bytes.empty());

    // A link is followed only when the caller allows it.
    fs::create_symlink(dir / "f", dir / "link");
    EXPECT_EQ(ReadWholeFile(dir / "link", 1 << 20, {}).result.step, FileStep::kOpen);
    EXPECT_EQ(ReadWholeFile(dir / "link", 1 << 20, {.regular_only = true, .follow_links = true}).bytes, text);

    // A folder, a pipe without a writer (must not block) and a device.
    EXPECT_EQ(ReadWholeFile(dir, 1 << 20, {}).result.step, FileStep::kFolder);
    ASSERT_EQ(::mkfifo((dir / "pipe").c_str(), 0600), 0);
    EXPECT_EQ(ReadWholeFile(dir / "pipe", 1 << 20, {}).result.step, FileStep::kNotRegular);
    EXPECT_EQ(ReadWholeFile("/dev/zero", 1 << 20, {}).result.step, FileStep::kNotRegular);
    EXPECT_EQ(ReadWholeFile(dir / "absent", 1 << 20, {}).result.err, ENOENT);
    fs::remove_all(dir);

    // The kernel's files report size 0 and are still read to their end, and
    // the bound holds for them too.
    const FileContents status = ReadWholeFile("/proc/self/status", 1 << 20, {});
    ASSERT_TRUE(status.result);
    EXPECT_NE(status.bytes.find("Pid:"), std::string::npos);
    EXPECT_EQ(ReadWholeFile("/proc/self/status", 16, {}).result.step, FileStep::kTooLarge);
}

}  // namespace
}  // namespace kest
