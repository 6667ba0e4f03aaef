#include <gtest/gtest.h>

#include <random>

#include "dmi/dmi.h"
#include "smbios_image.h"

namespace kest {
namespace {

using test::Bytes;
using test::CacheFields;
using test::Concat;
using test::CpuFields;
using test::FakeMemory;
using test::Firmware;
using test::StructureBuilder;

Bytes DesktopTable() {
    return Concat({test::Bios(),
                   test::Processor({.extclock = 200, .maxspeed = 3800, .curspeed = 3600}),
                   test::Cache({.handle = 0x0700, .config = 0x0180, .speed = 0, .ecc = 4, .type = 4}),
                   test::Cache({.handle = 0x0701, .config = 0x0181, .speed = 10, .ecc = 5}),
                   test::Cache({.handle = 0x0702, .config = 0x0282, .supported = 0x0030, .ecc = 6}),
                   test::EndOfTable()});
}

// --- the entry point -------------------------------------------------------

TEST(FindSmbiosEntry, HighestOfTwoAnchorsWinsAtAnyByte) {
    const Bytes low = Concat({test::Bios(), test::Processor({.extclock = 100})});
    const Bytes high = Concat({test::Bios(), test::Processor({.extclock = 200})});
    FakeMemory m;
    m.PlaceInSegment(0xF0010, test::Entry2(0xE0000, static_cast<uint16_t>(low.size()), 2));
    m.PlaceInSegment(0xF8003, test::Entry2(0xD0000, static_cast<uint16_t>(high.size()), 2));
    m.chunks[0xE0000] = low;
    m.chunks[0xD0000] = high;

    EXPECT_EQ(FindSmbiosEntry(m), 0xF8003u);
    const DmiProcessorInfo info = ReadDmi(m);
    EXPECT_TRUE(info.dmiread);
    EXPECT_EQ(info.extclock, 200);
}

TEST(FindSmbiosEntry, NoAnchorOrUnreadableSegmentMeansNoTable) {
    FakeMemory empty;
    empty.Segment();
    EXPECT_FALSE(FindSmbiosEntry(empty));
    EXPECT_FALSE(ReadDmi(empty).dmiread);

    FakeMemory nothing;  // every read fails
    EXPECT_FALSE(FindSmbiosEntry(nothing));
    EXPECT_FALSE(ReadDmi(nothing).dmiread);
}

TEST(FindSmbiosEntry, AnchorMustLieWhollyInsideTheSegment) {
    FakeMemory m;
    m.PlaceInSegment(0xFFFFD, Bytes{'_', 'S', 'M'});
    EXPECT_FALSE(FindSmbiosEntry(m));
    m.PlaceInSegment(0xFFFFC, Bytes{'_', 'S', 'M', '_'});
    EXPECT_EQ(FindSmbiosEntry(m), 0xFFFFCu);
    // The entry point itself runs past what can be read.
    EXPECT_FALSE(ReadDmi(m).dmiread);
}

TEST(FindSmbiosEntry, Smbios3AnchorOnlyWhenThereIsNoSmbios2Anchor) {
    const Bytes table = Concat({test::Processor({.extclock = 133}), test::EndOfTable()});
    FakeMemory m;
    m.PlaceInSegment(0xF0100, test::Entry3(0x1'2000'0000ull, static_cast<uint32_t>(table.size())));
    m.chunks[0x1'2000'0000ull] = table;
    EXPECT_EQ(FindSmbiosEntry(m), 0xF0100u);
    EXPECT_EQ(ReadDmi(m).extclock, 133);

    const Bytes old = Concat({test::Processor({.extclock = 66})});
    m.PlaceInSegment(0xF0040, test::Entry2(0xE0000, static_cast<uint16_t>(old.size()), 1));
    m.chunks[0xE0000] = old;
    EXPECT_EQ(FindSmbiosEntry(m), 0xF0040u);
    EXPECT_EQ(ReadDmi(m).extclock, 66);
}

TEST(FindSmbiosEntry, KnownEntryPointSkipsTheScan) {
    const Bytes table = DesktopTable();
    FakeMemory m;
    m.entry = 0;
    m.chunks[0] = Concat({test::Entry2(0x20, static_cast<uint16_t>(table.size()), 6), Bytes(1, 0), table});
    EXPECT_EQ(FindSmbiosEntry(m), 0u);
    const DmiTable t = ReadDmiTable(m);
    EXPECT_TRUE(t.read);
    EXPECT_EQ(t.address, 0x20u);
    EXPECT_EQ(t.offsets.size(), 6u);
    EXPECT_EQ(m.reads, 3);  // entry point head, whole entry point, table: no segment scan
}

// --- indexing --------------------------------------------------------------

TEST(ReadDmiTable, StringSetsEndAtTheFirstDoubleZeroAfterTheFormattedArea) {
    const Bytes none = StructureBuilder(0x80, 1, 6).Build();  // empty string set
    const Bytes two = StructureBuilder(0x81, 2, 5).Strings({"ab", "c"}).Build();
    // Zero bytes at the end of the formatted area are no string-set end.
    const Bytes zeros = StructureBuilder(0x82, 3, 8).Strings({"x"}).Build();
    const Bytes last = StructureBuilder(0x83, 4, 4).Build();
    FakeMemory m = Firmware(Concat({none, two, zeros, last}), 4);

    const DmiTable t = ReadDmiTable(m);
    ASSERT_TRUE(t.read);
    EXPECT_EQ(none.size(), 6u + 2);
    EXPECT_EQ(two.size(), 5u + 6);
    const uint32_t a = 6 + 2, b = a + 5 + 6, c = b + 8 + 3;
    EXPECT_EQ(t.offsets, (std::vector<uint32_t>{0, a, b, c}));
    EXPECT_EQ(t.bytes.size(), t.length);
}

TEST(ReadDmiTable, Smbios2CountDecidesSmbios3StopsAtEndOfTable) {
    const Bytes table = Concat({test::Processor({.extclock = 1}), test::EndOfTable(),
                                test::Processor({.extclock = 2})});
    FakeMemory two = Firmware(table, 2);
    EXPECT_EQ(ReadDmiTable(two).offsets.size(), 2u);
    EXPECT_EQ(ReadDmi(two).extclock, 1);
    FakeMemory three = Firmware(table, 3);
    EXPECT_EQ(ReadDmi(three).extclock, 2);

    FakeMemory sm3;
    sm3.entry = 0x100;
    sm3.chunks[0x100] = test::Entry3(0x4000, static_cast<uint32_t>(table.size()));
    sm3.chunks[0x4000] = table;
    const DmiTable t = ReadDmiTable(sm3);
    EXPECT_TRUE(t.smbios3);
    EXPECT_EQ(t.offsets.size(), 2u);
    EXPECT_EQ(ReadDmi(sm3).extclock, 1);
}

TEST(ReadDmiTable, Smbios3WithoutEndOfTableWalksToTheTableEnd) {
    const Bytes table = Concat({test::Bios(), test::Processor({.extclock = 7})});
    FakeMemory m;
    m.entry = 0;
    // The maximum size leaves room after the last structure.
    m.chunks[0] = Concat({test::Entry3(0x20, static_cast<uint32_t>(table.size() + 16)), Bytes(8, 0),
                          table, Bytes(16, 0)});
    const DmiTable t = ReadDmiTable(m);
    EXPECT_EQ(t.offsets.size(), 2u);
    EXPECT_EQ(ReadDmi(m).extclock, 7);
}

// --- the processor record --------------------------------------------------

TEST(DecodeDmiProcessor, LastProcessorRecordIsShown) {
    FakeMemory m = Firmware(
        Concat({test::Processor({.handle = 0x400, .extclock = 100, .maxspeed = 4000, .curspeed = 2100}),
                test::Processor({.handle = 0x401,
                                 .extclock = 133,
                                 .maxspeed = 3600,
                                 .curspeed = 2400,
                                 .status = 0x44,
                                 .l1 = 0x710,
                                 .l2 = 0x711,
                                 .l3 = 0xFFFF})}),
        2);
    const DmiProcessorInfo info = ReadDmi(m);
    EXPECT_TRUE(info.dmiread);
    EXPECT_EQ(info.extclock, 133);
    EXPECT_EQ(info.maxspeed, 3600);
    EXPECT_EQ(info.curspeed, 2400);
    EXPECT_EQ(info.cpustatus, "Idle");
    EXPECT_EQ(info.l1handle, 0x710);
    EXPECT_EQ(info.l2handle, 0x711);
    EXPECT_EQ(info.l3handle, 0xFFFF);
}

TEST(DecodeDmiProcessor, StatusUsesBitsZeroToTwo) {
    const std::vector<std::pair<uint8_t, std::string>> cases = {
        {0x41, "CPU Enabled"},  {0x45, ""},     {0x07, "Other"}, {0x00, "Unknown"},
        {0x42, "CPU Disabled by user"}, {0x03, "CPU Disabled by POST"}, {0x44, "Idle"},
        {0x06, ""},             {0xF9, "CPU Enabled"}};
    for (const auto& [status, text] : cases) {
        FakeMemory m = Firmware(test::Processor({.status = status}), 1);
        EXPECT_EQ(ReadDmi(m).cpustatus, text) << "status " << int(status);
        EXPECT_EQ(CpuStatusText(status), text);
    }
}

TEST(DecodeDmiProcessor, ShortRecordsReadOnlyTheirOwnFields) {
    struct Case {
        uint8_t length;
        uint16_t ext, max, cur;
        std::string status;
        uint16_t l1, l3;
    };
    // 0x1A: SMBIOS 2.0, no cache handles; 0x20: up to the L3 handle.
    const std::vector<Case> cases = {
        {0x1A, 200, 3800, 3600, "CPU Enabled", 0xFFFF, 0xFFFF},
        {0x20, 200, 3800, 3600, "CPU Enabled", 0x0700, 0x0702},
        {0x1F, 200, 3800, 3600, "CPU Enabled", 0x0700, 0xFFFF},
        {0x17, 200, 3800, 0, "", 0xFFFF, 0xFFFF},
        {0x04, 0, 0, 0, "", 0xFFFF, 0xFFFF},
    };
    for (const auto& c : cases) {
        FakeMemory m = Firmware(
            test::Processor({.extclock = 200, .maxspeed = 3800, .curspeed = 3600, .length = c.length}), 1);
        const DmiProcessorInfo info = ReadDmi(m);
        SCOPED_TRACE(int(c.length));
        EXPECT_TRUE(info.dmiread);
        EXPECT_EQ(info.extclock, c.ext);
        EXPECT_EQ(info.maxspeed, c.max);
        EXPECT_EQ(info.curspeed, c.cur);
        EXPECT_EQ(info.cpustatus, c.status);
        EXPECT_EQ(info.l1handle, c.l1);
        EXPECT_EQ(info.l3handle, c.l3);
    }
}

TEST(DecodeDmiProcessor, NoProcessorRecordLeavesClocksZeroButCachesRead) {
    // A cache record with handle 0 must not be taken for the processor's.
    FakeMemory m = Firmware(Concat({test::Bios(), test::Cache({.handle = 0x0000})}), 2);
    const DmiProcessorInfo info = ReadDmi(m);
    EXPECT_TRUE(info.dmiread);
    EXPECT_EQ(info.extclock, 0);
    EXPECT_EQ(info.curspeed, 0);
    EXPECT_EQ(info.cpustatus, "");
    ASSERT_EQ(info.caches.size(), 1u);
    EXPECT_EQ(info.caches[0].handle, 0x0000);
    for (uint16_t h : {info.l1handle, info.l2handle, info.l3handle}) {
        EXPECT_EQ(h, 0xFFFF);
        EXPECT_EQ(FindDmiCache(info, h), nullptr);
    }
}

// One read of the table for the processor and the caches; a later failed
// read (or no source at all) zeroes the clocks and the caches and keeps the
// rest of the processor fields.
TEST(ReadDmiAtStartup, OneReadAndAFailedReadKeepsTheRest) {
    DmiProcessorInfo info;
    FakeMemory good = Firmware(DesktopTable(), 6);
    FakeMemory counted = Firmware(DesktopTable(), 6);
    ReadDmiTable(counted);
    ReadDmiAtStartup(&good, info);
    EXPECT_EQ(good.reads, counted.reads);
    ASSERT_TRUE(info.dmiread);
    ASSERT_EQ(info.caches.size(), 3u);

    for (bool with_source : {true, false}) {
        DmiProcessorInfo again = info;
        FakeMemory broken;
        ReadDmiAtStartup(with_source ? &broken : nullptr, again);
        EXPECT_FALSE(again.dmiread);
        EXPECT_EQ(again.extclock, 0);
        EXPECT_EQ(again.curspeed, 0);
        EXPECT_EQ(again.maxspeed, 3800);
        EXPECT_EQ(again.cpustatus, "CPU Enabled");
        EXPECT_EQ(again.l2handle, 0x0701);
        EXPECT_TRUE(again.caches.empty());
    }
}

// --- the cache records -----------------------------------------------------

TEST(DecodeDmiCaches, FieldsComeFromTheirOffsets) {
    FakeMemory m = Firmware(DesktopTable(), 6);
    const DmiProcessorInfo info = ReadDmi(m);
    ASSERT_EQ(info.caches.size(), 3u);
    const DmiCacheRecord& l1 = info.caches[0];
    EXPECT_EQ(l1.handle, 0x0700);
    EXPECT_EQ(l1.config, 0x0180);
    EXPECT_EQ(l1.sramsupp, "Synchronous ");
    EXPECT_EQ(l1.sramcurr, "Synchronous ");
    EXPECT_EQ(l1.speedns, 0);
    EXPECT_EQ(l1.ecctype, "Parity");
    EXPECT_EQ(l1.cachetype, "Data");
    EXPECT_EQ(info.caches[1].speedns, 10);
    EXPECT_EQ(info.caches[1].ecctype, "Single-bit ECC");
    EXPECT_EQ(info.caches[1].cachetype, "Unified");
    EXPECT_EQ(info.caches[2].config, 0x0282);
    EXPECT_EQ(info.caches[2].sramsupp, "Pipeline Burst Synchronous ");
    EXPECT_EQ(info.caches[2].ecctype, "Multi-bit ECC");
}

TEST(DecodeDmiCaches, EveryRecordIsKeptInTableOrder) {
    Bytes table = test::Processor({});
    for (uint16_t i = 0; i < 12; ++i)
        table = Concat({table, test::Cache({.handle = static_cast<uint16_t>(0x0700 + i), .speed = uint8_t(i)})});
    FakeMemory m = Firmware(table, 13);
    const DmiProcessorInfo info = ReadDmi(m);
    ASSERT_EQ(info.caches.size(), 12u);
    for (uint16_t i = 0; i < 12; ++i) {
        EXPECT_EQ(info.caches[i].handle, 0x0700 + i);
        EXPECT_EQ(info.caches[i].speedns, i);
    }
}

TEST(DecodeDmiCaches, ShortRecordReadsMissingFieldsAsZero) {
    // SMBIOS 2.0 cache records end after the current SRAM type.
    FakeMemory m = Firmware(
        test::Cache({.handle = 0x0710, .config = 0x0181, .supported = 0x0012, .current = 0x0002,
                     .speed = 15, .ecc = 5, .type = 4, .length = 0x0F}),
        1);
    const DmiProcessorInfo info = ReadDmi(m);
    ASSERT_EQ(info.caches.size(), 1u);
    const DmiCacheRecord& c = info.caches[0];
    EXPECT_EQ(c.config, 0x0181);
    EXPECT_EQ(c.sramsupp, "Unknown Pipeline Burst ");
    EXPECT_EQ(c.sramcurr, "Unknown ");
    EXPECT_EQ(c.speedns, 0);
    EXPECT_EQ(c.ecctype, "N/A");
    EXPECT_EQ(c.cachetype, "N/A");
}

TEST(DmiTexts, SramWordsAppendOneNamePerBit) {
    const std::vector<std::pair<uint16_t, std::string>> cases = {
        {0x0000, ""},
        {0x0001, "N/A"},
        {0x0012, "Unknown Pipeline Burst "},
        {0x0003, "N/AUnknown "},
        {0x007F, "N/AUnknown Non-Burst Burst Pipeline Burst Synchronous Asynchronous "},
        {0xFF80, ""},
        {0x0048, "Burst Asynchronous "},
    };
    for (const auto& [word, text] : cases) EXPECT_EQ(SramTypeText(word), text) << std::hex << word;
}

TEST(DmiTexts, ErrorCorrectionAndSystemCacheTypes) {
    const std::vector<std::string> ecc = {"N/A",    "N/A",           "Unknown",      "None",
                                          "Parity", "Single-bit ECC", "Multi-bit ECC", "", ""};
    for (size_t v = 0; v < ecc.size(); ++v) EXPECT_EQ(EccTypeText(uint8_t(v)), ecc[v]) << v;
    EXPECT_EQ(EccTypeText(0xFF), "");
    const std::vector<std::string> type = {"N/A", "N/A", "Unknown", "Instruction", "Data", "Unified", ""};
    for (size_t v = 0; v < type.size(); ++v) EXPECT_EQ(SystemCacheTypeText(uint8_t(v)), type[v]) << v;
    EXPECT_EQ(SystemCacheTypeText(0xFF), "");
}

TEST(FindDmiCache, LastRecordWithTheHandleAndNeverForNoCache) {
    DmiProcessorInfo info;
    for (auto [handle, speed] : {std::pair<uint16_t, uint16_t>{0x10, 1}, {0xFFFF, 2}, {0x10, 3}}) {
        DmiCacheRecord c;
        c.handle = handle;
        c.speedns = speed;
        info.caches.push_back(c);
    }
    ASSERT_NE(FindDmiCache(info, 0x10), nullptr);
    EXPECT_EQ(FindDmiCache(info, 0x10)->speedns, 3);
    EXPECT_EQ(FindDmiCache(info, 0xFFFF), nullptr);
    EXPECT_EQ(FindDmiCache(info, 0x11), nullptr);
}

// --- malformed tables --------------------------------------------------------

TEST(MalformedTable, DecodesTheStructuresBeforeTheFault) {
    const Bytes cpu = test::Processor({.extclock = 200});
    const Bytes cache = test::Cache({.handle = 0x0700});
    Bytes short_header = StructureBuilder(0x80, 9, 4).Build();
    short_header[1] = 3;  // formatted area shorter than its header
    Bytes past_end = StructureBuilder(0x80, 9, 4).Build();
    past_end[1] = 0xFF;
    Bytes unterminated = StructureBuilder(7, 9, 0x13).Strings({"abc"}).Build();
    unterminated.resize(unterminated.size() - 2);  // drops "\0\0" after "abc"
    Bytes one_zero = StructureBuilder(0x80, 9, 4).Build();
    one_zero.pop_back();

    struct Case {
        const char* name;
        Bytes table;
        uint16_t count;
        size_t indexed;
    };
    const std::vector<Case> cases = {
        {"count larger than the table", Concat({cpu, cache}), 500, 2},
        {"count of zero", Concat({cpu, cache}), 0, 0},
        {"formatted length under 4", Concat({cpu, short_header, cache}), 3, 1},
        {"formatted area past the end", Concat({cpu, cache, past_end}), 3, 2},
        {"string set without its end", Concat({cpu, cache, unterminated}), 3, 2},
        {"string set with one zero", Concat({cpu, cache, one_zero}), 3, 2},
        {"first structure broken", Concat({short_header, cpu}), 2, 0},
        {"table shorter than a header", Bytes{4, 0x20}, 1, 0},
        {"zero padding after the last structure", Concat({cpu, cache, Bytes(7, 0)}), 9, 2},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        FakeMemory m = Firmware(c.table, c.count);
        const DmiTable t = ReadDmiTable(m);
        EXPECT_EQ(t.offsets.size(), c.indexed);
        const DmiProcessorInfo info = ReadDmi(m);
        EXPECT_EQ(info.dmiread, c.indexed > 0);
        EXPECT_EQ(info.extclock, c.indexed > 0 ? 200 : 0);
        EXPECT_EQ(info.caches.size(), c.indexed > 1 ? 1u : 0u);
    }
}

TEST(MalformedTable, EntryPointsNamingWhatCannotBeReadGiveNoTable) {
    const Bytes table = DesktopTable();
    struct Case {
        const char* name;
        Bytes entry;
    };
    const std::vector<Case> cases = {
        {"table longer than memory", test::Entry2(0xE0000, uint16_t(table.size() + 1), 6)},
        {"table past the address space", test::Entry2(0xFFFFFFF0u, 0x100, 6)},
        {"zero table length", test::Entry2(0xE0000, 0, 6)},
        {"huge SMBIOS 3 table", test::Entry3(0xE0000, 0xFFFFFFFFu)},
        {"SMBIOS 3 table at the top of the address space", test::Entry3(~0ull - 8, 0x100)},
        {"SMBIOS 3 table past memory", test::Entry3(0xE0000, uint32_t(table.size() + 1))},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        FakeMemory m;
        m.PlaceInSegment(0xF0000, c.entry);
        m.chunks[0xE0000] = table;
        EXPECT_FALSE(ReadDmi(m).dmiread);
        // No reader is asked for more than a table can sensibly hold.
        EXPECT_LE(m.largest, kMaxDmiTableLength);
    }
    // A known entry point without an anchor.
    FakeMemory m;
    m.entry = 0;
    m.chunks[0] = Concat({Bytes(0x20, 0x5F), table});
    EXPECT_FALSE(ReadDmi(m).dmiread);
    // An entry point cut short by the end of memory.
    FakeMemory cut;
    cut.entry = 0;
    cut.chunks[0] = test::Entry2(0x20, 10, 1);
    cut.chunks[0].resize(0x1C);
    EXPECT_FALSE(ReadDmi(cut).dmiread);
}

// Random tables and random damage to a good one: whatever the bytes, the
// index stays inside the table, and the decoding never reads outside it (the
// sanitizer build checks the second part).
TEST(MalformedTable, RandomBytesNeverLeadOutsideTheTable) {
    std::mt19937 rng(12345);
    const Bytes good = DesktopTable();
    for (int round = 0; round < 3000; ++round) {
        Bytes table;
        if (round % 2 == 0) {
            table = good;
            const int hits = 1 + static_cast<int>(rng() % 8);
            for (int h = 0; h < hits; ++h) table[rng() % table.size()] = static_cast<uint8_t>(rng());
            table.resize(4 + rng() % table.size());
        } else {
            table.resize(rng() % 300);
            for (auto& b : table) b = static_cast<uint8_t>(rng() % 4 == 0 ? 0 : rng());
        }
        const uint16_t count = static_cast<uint16_t>(rng() % 12);
        FakeMemory m;
        m.entry = 0;
        m.chunks[0] = test::Entry2(0x1F, static_cast<uint16_t>(table.size()), count);
        m.chunks[0x1F] = table;
        const DmiTable t = ReadDmiTable(m);
        const DmiProcessorInfo info = ReadDmi(m);
        ASSERT_EQ(info.dmiread, !t.offsets.empty());
        ASSERT_LE(t.offsets.size(), count);
        uint32_t prev = 0;
        for (size_t i = 0; i < t.offsets.size(); ++i) {
            const uint32_t off = t.offsets[i];
            ASSERT_TRUE(i == 0 ? off == 0 : off > prev);
            ASSERT_LE(off + t.bytes[off + 1] + 2u, t.bytes.size());
            prev = off;
        }
    }
}

}  // namespace
}  // namespace kest
