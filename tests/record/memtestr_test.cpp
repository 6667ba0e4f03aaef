// memtestr written and read back: the digits the window and the record
// keep, and the averages the database browser shows from them.
#include <gtest/gtest.h>

#include "record/memtestr.h"

namespace kest {
namespace {

TEST(Memtestr, ReadWriteCopyInHexAndBack) {
    // 123.45 = 0x3039 hundredths, 3906.25 = 0x5F5E1, 1 = 0x64.
    const std::string text = MemtestrText({123.45, 3906.25, 1.0});
    EXPECT_EQ(text, "00003039" "0005F5E1" "00000064");
    const auto back = ReadMemtestr(text);
    ASSERT_TRUE(back);
    EXPECT_DOUBLE_EQ(back->read, 123.45);
    EXPECT_DOUBLE_EQ(back->write, 3906.25);
    EXPECT_DOUBLE_EQ(back->copy, 1.0);

    // Hundredths round half to even; out of range is held at the ends.
    EXPECT_EQ(MemtestrText({0.125, 0.375, -5}), "0000000C" "00000026" "00000000");
    EXPECT_EQ(MemtestrText({5e9, 0, 0}).substr(0, 8), "FFFFFFFF");

    // No run, and digits that were not written by the program.
    EXPECT_EQ(MemtestrText({}), kMemtestrDefault);
    EXPECT_FALSE(ReadMemtestr(kMemtestrDefault));
    EXPECT_FALSE(ReadMemtestr("00003039" "0005F5E1"));
    EXPECT_FALSE(ReadMemtestr("00003039" "0005F5E1" "0000006G"));
    EXPECT_FALSE(ReadMemtestr("00003039" "+005F5E1" "00000064"));
}

}  // namespace
}  // namespace kest
