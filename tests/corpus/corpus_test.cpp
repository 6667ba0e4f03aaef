// Runs every CPUID dump of the corpus folder through the start-up sequence
// (dump reader, CPUID pass, cache decoding, both identification stages) and
// compares the names, the decoded caches, the x86-64 level, the sets and one
// package's cores and threads with the dump's <name>.expected.json. Only the
// fields the expected file holds are compared; each "source" says where they
// come from.
#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "cpu/cpuid_dump.h"
#include "cpu/format.h"
#include "cpu/instruction_sets.h"
#include "cpu/topology.h"
#include "ident/startup.h"

namespace kest {
namespace {

namespace fs = std::filesystem;

// The expected file of a dump: "x.txt" and "x.cpuid-r.txt" have
// "x.expected.json" and "x.cpuid-r.expected.json".
fs::path ExpectedFileOf(const fs::path& dump) {
    std::string name = dump.filename().string();
    name.erase(name.size() - 4);
    return dump.parent_path() / (name + ".expected.json");
}

std::vector<fs::path> Dumps() {
    std::vector<fs::path> dumps;
    for (const fs::directory_entry& e : fs::directory_iterator(KEST_CORPUS_DIR)) {
        if (e.is_regular_file() && e.path().extension() == ".txt") dumps.push_back(e.path());
    }
    std::sort(dumps.begin(), dumps.end());
    return dumps;
}

// The texts of the record are Windows-1252; the expected files are UTF-8.
std::string FieldOf(const ProcessorNames& n, const std::string& key, bool& known) {
    known = true;
    if (key == "procname") return Cp1252ToUtf8(n.procname);
    if (key == "corecode") return Cp1252ToUtf8(n.corecode);
    if (key == "platform") return Cp1252ToUtf8(n.platform);
    if (key == "techpar1") return Cp1252ToUtf8(n.techpar1);
    if (key == "techpar2") return Cp1252ToUtf8(n.techpar2);
    if (key == "techpar3") return Cp1252ToUtf8(n.techpar3);
    if (key == "familynote") return Cp1252ToUtf8(n.familynote);
    if (key == "modelnote") return Cp1252ToUtf8(n.modelnote);
    if (key == "modelrating") return Cp1252ToUtf8(n.modelrating);
    known = false;
    return {};
}

// The caches the makers publish: "l1d", "l1i", "l2", "l3", each with "kb"
// (0: none) and, where published, "ways". Sizes are those of one cache as
// CPUID describes it (per core, module or core complex), not package totals.
void CompareCaches(const std::string& file, const nlohmann::json& want, const CacheInfo& got) {
    struct Level {
        const char* key;
        uint32_t kb;
        uint16_t ways;
    };
    const Level levels[] = {
        {"l1d", got.l1.level1dc, got.l1.l1dassoc},
        {"l1i", got.l1.level1ic, got.l1.l1iassoc},
        {"l2", got.l2.level2cs, got.l2.l2cassoc},
        {"l3", got.l3.level3cs, got.l3.l3cassoc},
    };
    for (const auto& [key, value] : want.items()) {
        if (key == "source") continue;
        const auto level = std::find_if(std::begin(levels), std::end(levels), [&](const Level& l) { return key == l.key; });
        if (level == std::end(levels) || !value.is_object() || !value.contains("kb")) {
            ADD_FAILURE() << file << ": unknown cache entry \"" << key << "\"";
            continue;
        }
        if (value["kb"] != level->kb)
            ADD_FAILURE() << file << ": " << key << " is " << level->kb << " KB, published " << value["kb"].dump() << " KB";
        if (value.contains("ways") && value["ways"] != level->ways)
            ADD_FAILURE() << file << ": " << key << " is " << level->ways << "-way, published " << value["ways"].dump();
    }
}

// The TLB fields an expected file may hold (numbers, as the JSON output
// names them).
std::optional<unsigned> TlbFieldOf(const CacheInfo& c, const std::string& key) {
    static const std::map<std::string, uint16_t CacheL1::*> l1 = {
        {"l1itlba4", &CacheL1::l1itlba4}, {"l1itlbe4", &CacheL1::l1itlbe4}, {"l1itlba2", &CacheL1::l1itlba2},
        {"l1itlbe2", &CacheL1::l1itlbe2}, {"l1dtlba4", &CacheL1::l1dtlba4}, {"l1dtlbe4", &CacheL1::l1dtlbe4},
        {"l1dtlba2", &CacheL1::l1dtlba2}, {"l1dtlbe2", &CacheL1::l1dtlbe2}, {"l1dtlbe1g", &CacheL1::l1dtlbe1g}};
    static const std::map<std::string, uint16_t CacheL2::*> l2 = {
        {"l2itlba4", &CacheL2::l2itlba4}, {"l2itlbe4", &CacheL2::l2itlbe4}, {"l2itlba2", &CacheL2::l2itlba2},
        {"l2itlbe2", &CacheL2::l2itlbe2}, {"l2dtlba4", &CacheL2::l2dtlba4}, {"l2dtlbe4", &CacheL2::l2dtlbe4},
        {"l2dtlba2", &CacheL2::l2dtlba2}, {"l2dtlbe2", &CacheL2::l2dtlbe2}, {"l2tlbe1g", &CacheL2::l2tlbe1g}};
    if (auto it = l1.find(key); it != l1.end()) return c.l1.*(it->second);
    if (auto it = l2.find(key); it != l2.end()) return c.l2.*(it->second);
    return std::nullopt;
}

TEST(Corpus, EveryDumpGetsItsExpectedNamesAndCaches) {
    const std::vector<fs::path> dumps = Dumps();
    ASSERT_FALSE(dumps.empty()) << "no dumps in " << KEST_CORPUS_DIR;

    for (const fs::path& dump : dumps) {
        const std::string file = dump.filename().string();
        const fs::path expected_path = ExpectedFileOf(dump);
        if (!fs::exists(expected_path)) {
            ADD_FAILURE() << file << ": no expected file " << expected_path.filename().string();
            continue;
        }

        nlohmann::json want;
        try {
            std::ifstream in(expected_path);
            want = nlohmann::json::parse(in);
        } catch (const nlohmann::json::exception& e) {
            ADD_FAILURE() << expected_path.filename().string() << ": " << e.what();
            continue;
        }
        if (!want.is_object() || !want.contains("source")) {
            ADD_FAILURE() << expected_path.filename().string() << ": needs an object with a \"source\"";
            continue;
        }

        StartupRecords r;
        try {
            r = RunStartup(*LoadCpuidDump(dump.string()));
        } catch (const DumpError& e) {
            ADD_FAILURE() << file << ": " << e.what();
            continue;
        }

        if (!want.contains("caches") || !want["caches"].is_object() || !want["caches"].contains("source")) {
            ADD_FAILURE() << expected_path.filename().string() << ": needs \"caches\" with a \"source\"";
        } else {
            CompareCaches(file, want["caches"], r.caches);
        }

        const Topology topo = TopologyFromCpuid(r.cpu);
        const std::vector<std::string> sets = LaterSets(r.cpu);
        auto has_set = [&](const std::string& name) { return std::find(sets.begin(), sets.end(), name) != sets.end(); };
        for (const auto& [key, value] : want.items()) {
            if (key == "source" || key == "caches" || key == "tlb_source") continue;
            // The instruction-set level, one package's cores and threads, and
            // sets the maker lists (or that the processor lacks).
            if (key == "x86_64_level") {
                EXPECT_EQ(X86_64LevelText(X86_64Level(r.cpu)), value.get<std::string>()) << file;
                continue;
            }
            if (key == "cores" || key == "threads") {
                EXPECT_EQ(key == "cores" ? topo.cores : topo.threads, value.get<unsigned>()) << file << " " << key;
                continue;
            }
            if (key == "has_sets" || key == "lacks_sets") {
                for (const auto& name : value)
                    EXPECT_EQ(has_set(name.get<std::string>()), key == "has_sets") << file << " " << name;
                continue;
            }
            if (key == "intprocn") {
                if (!value.is_number_unsigned() || value.get<unsigned>() != r.names.intprocn)
                    ADD_FAILURE() << file << ": intprocn is " << r.names.intprocn << ", expected " << value.dump();
                continue;
            }
            if (const auto tlb = TlbFieldOf(r.caches, key)) {
                if (!value.is_number_unsigned() || value.get<unsigned>() != *tlb)
                    ADD_FAILURE() << file << ": " << key << " is " << *tlb << ", expected " << value.dump();
                continue;
            }
            bool known = false;
            const std::string got = FieldOf(r.names, key, known);
            if (!known || !value.is_string()) {
                ADD_FAILURE() << expected_path.filename().string() << ": unknown or non-text field \"" << key << "\"";
                continue;
            }
            if (got != value.get<std::string>())
                ADD_FAILURE() << file << ": " << key << " is \"" << got << "\", expected \"" << value.get<std::string>()
                              << "\"";
        }
    }
}

}  // namespace
}  // namespace kest
