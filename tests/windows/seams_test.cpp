// The Windows side of the machine, topology and firmware seams on the
// machine the tests run on (under wine: its made-up SMBIOS table).
#include <gtest/gtest.h>
#include <windows.h>

#include <stdexcept>

#include "cpu/machine.h"
#include "cpu/topology.h"
#include "dmi/dmi.h"

namespace kest {
namespace {

TEST(WindowsMachine, PriorityAndAffinityComeBackOnEveryPath) {
    auto machine = MakeLiveMachine();
    const DWORD process_before = GetPriorityClass(GetCurrentProcess());
    const int thread_before = GetThreadPriority(GetCurrentThread());
    GROUP_AFFINITY affinity_before{};
    ASSERT_TRUE(GetThreadGroupAffinity(GetCurrentThread(), &affinity_before));
    try {
        RaisedPriority raised(*machine);
        PinnedThread pinned(*machine);
        // Windows grants the high class instead where the real-time one is
        // not permitted.
        const DWORD cls = GetPriorityClass(GetCurrentProcess());
        EXPECT_TRUE(cls == REALTIME_PRIORITY_CLASS || cls == HIGH_PRIORITY_CLASS) << cls;
        EXPECT_EQ(GetThreadPriority(GetCurrentThread()), THREAD_PRIORITY_TIME_CRITICAL);
        ASSERT_GE(pinned.Processor(), 0);
        GROUP_AFFINITY one{};
        ASSERT_TRUE(GetThreadGroupAffinity(GetCurrentThread(), &one));
        EXPECT_EQ(one.Mask & (one.Mask - 1), KAFFINITY(0)) << "bound to one logical processor";
        throw std::runtime_error("measurement failed");
    } catch (const std::runtime_error&) {
    }
    EXPECT_EQ(GetPriorityClass(GetCurrentProcess()), process_before);
    EXPECT_EQ(GetThreadPriority(GetCurrentThread()), thread_before);
    GROUP_AFFINITY after{};
    ASSERT_TRUE(GetThreadGroupAffinity(GetCurrentThread(), &after));
    EXPECT_EQ(after.Mask, affinity_before.Mask);
}

TEST(WindowsMachine, CounterAndClockAdvance) {
    auto machine = MakeLiveMachine();
    const uint64_t t0 = machine->MonotonicNs();
    const auto c0 = machine->ReadTsc();
    machine->SleepMs(20);
    const uint64_t t1 = machine->MonotonicNs();
    const auto c1 = machine->ReadTsc();
    EXPECT_GE(t1 - t0, 15'000'000u);
    ASSERT_TRUE(c0 && c1);
    EXPECT_GT(*c1, *c0);
    EXPECT_TRUE(machine->RunAddChain(kChainBlockAdds * 4));
}

TEST(WindowsTopology, CountsEveryLogicalProcessor) {
    Topology t;
    ASSERT_TRUE(ReadLiveTopology(t));
    EXPECT_EQ(t.threads, GetActiveProcessorCount(ALL_PROCESSOR_GROUPS));
    EXPECT_GE(t.packages, 1u);
    EXPECT_GE(t.cores, t.packages);
    EXPECT_LE(t.cores, t.threads);
    EXPECT_EQ(t.pcores + t.ecores == 0 || t.pcores + t.ecores == t.cores, true);
}

// Whatever table the system gives is read through 'RSMB'; without a
// processor record (wine's table has none) the processor's fields keep
// their masks and no cache is named.
TEST(WindowsFirmware, LiveTableReadsWithoutAProcessorRecord) {
    auto memory = MakeLiveFirmwareMemory();
    ASSERT_TRUE(memory);
    const DmiTable table = ReadDmiTable(*memory);
    const DmiProcessorInfo info = ReadDmi(*memory);
    if (!table.read) {
        EXPECT_FALSE(info.dmiread);
        EXPECT_EQ(info.source, "");
        return;
    }
    EXPECT_TRUE(info.dmiread);
    EXPECT_EQ(info.source, "firmware");
    bool has_processor = false;
    for (uint32_t off : table.offsets) has_processor |= table.bytes[off] == kSmbiosProcessor;
    if (has_processor) GTEST_SKIP() << "this firmware has a processor record";
    EXPECT_EQ(info.extclock, 0);
    EXPECT_EQ(info.curspeed, 0);
    EXPECT_EQ(info.l1handle, 0xFFFF);
    EXPECT_EQ(info.l2handle, 0xFFFF);
    EXPECT_EQ(info.l3handle, 0xFFFF);
}

}  // namespace
}  // namespace kest
