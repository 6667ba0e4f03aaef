// The live machine's packages, cores and threads from a sysfs tree.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <unistd.h>
#include <string>

#include "cpu/topology.h"

namespace kest {
namespace {

namespace fs = std::filesystem;

void Write(const fs::path& p, const std::string& text) {
    fs::create_directories(p.parent_path());
    std::ofstream(p) << text << "\n";
}

// A hybrid package: P-cores 0 and 1 with two threads each (CPUs 0-3), four
// E-cores (CPUs 4-7), CPU 7 offline; a second package with one core.
TEST(Topology, SysfsCountsPackagesCoresThreadsAndKinds) {
    const fs::path root = fs::temp_directory_path() / ("kest_topology_" + std::to_string(::getpid()));
    fs::remove_all(root);
    Write(root / "system/cpu/online", "0-6,8");
    const int core_of[] = {0, 0, 1, 1, 8, 9, 10, 11, 0};
    for (int cpu = 0; cpu <= 8; ++cpu) {
        const fs::path dir = root / ("system/cpu/cpu" + std::to_string(cpu)) / "topology";
        Write(dir / "physical_package_id", cpu == 8 ? "1" : "0");
        Write(dir / "die_id", "0");
        Write(dir / "core_id", std::to_string(core_of[cpu]));
    }
    Write(root / "cpu_core/cpus", "0-3");
    Write(root / "cpu_atom/cpus", "4-7");

    Topology t;
    ASSERT_TRUE(ReadSysfsTopology(root.string(), t));
    EXPECT_EQ(t.packages, 2u);
    EXPECT_EQ(t.cores, 6u);   // 2 P + 3 online E in package 0, one core in package 1
    EXPECT_EQ(t.threads, 8u);
    EXPECT_EQ(t.pcores, 2u);
    EXPECT_EQ(t.ecores, 3u);
    EXPECT_EQ(TopologyText(t), "2 packages, 6 cores (2P + 3E), 8 threads");

    // Without the tree the machine cannot tell; a dump's counts are per package.
    fs::remove_all(root);
    EXPECT_FALSE(ReadSysfsTopology(root.string(), t));
    EXPECT_EQ(TopologyText(Topology{0, 8, 16, 0, 0}), "per package: 8 cores, 16 threads");
}

}  // namespace
}  // namespace kest
