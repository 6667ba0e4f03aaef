// kestrune-cli --database: records appended by --format record read back for
// scripts, a damaged file, and --version.
#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "app/cli.h"

namespace {

namespace fs = std::filesystem;

struct CliRun {
    int code;
    std::string out, err;
};

CliRun Cli(std::vector<std::string> args) {
    args.insert(args.begin(), "kestrune-cli");
    std::vector<const char*> argv;
    for (auto& a : args) argv.push_back(a.c_str());
    std::ostringstream out, err;
    const int code = kest::RunCli(static_cast<int>(argv.size()), argv.data(), out, err);
    return {code, out.str(), err.str()};
}

const char* kPentium3 =
    "CPUID 00000000: 00000003-756E6547-6C65746E-49656E69\n"
    "CPUID 00000001: 00000683-00000000-00000000-0383FBFF\n"
    "CPUID 00000002: 03020101-00000000-00000000-0C040882\n"
    "CPUID 00000003: 00000000-00000000-A9E6E4D7-0000DE43\n";

TEST(DatabaseCli, AppendedRecordsReadBackAsJsonAndCsv) {
    const fs::path dir = fs::temp_directory_path() / ("kest-dbcli-" + std::to_string(::getpid()));
    fs::create_directories(dir);
    const std::string dump = (dir / "p3.txt").string(), db = (dir / "cpus.db").string();
    std::ofstream(dump) << kPentium3;
    for (const char* mhz : {"733", "800"}) {
        CliRun r = Cli({"--cpuid-dump", dump, "--mhz", mhz, "--format", "record"});
        ASSERT_EQ(r.code, 0) << r.err;
        std::ofstream(db, std::ios::app | std::ios::binary) << r.out;
    }

    CliRun r = Cli({"--database", db});
    ASSERT_EQ(r.code, 0) << r.err;
    EXPECT_EQ(r.err, "");
    auto j = nlohmann::json::parse(r.out);
    ASSERT_EQ(j["records"].size(), 2u);
    EXPECT_EQ(j["records"][1]["first_line"], 99);
    EXPECT_EQ(j["records"][0]["status"], "good");
    EXPECT_EQ(j["records"][0]["fields"]["stfamily"], "6");
    EXPECT_EQ(j["records"][0]["fields"]["st_model"], "8");
    EXPECT_TRUE(j["records"][1]["fields"]["frequenc"].get<std::string>().starts_with("800"));

    r = Cli({"--database", db, "--format", "csv"});
    ASSERT_EQ(r.code, 0) << r.err;
    std::istringstream csv(r.out);
    std::string header, row;
    std::getline(csv, header);
    EXPECT_TRUE(header.starts_with("first_line,last_line,status,problems,start_marker,reserved_2,procname,"));
    int rows = 0;
    while (std::getline(csv, row)) rows += !row.empty();
    EXPECT_EQ(rows, 2);

    // A changed covered value and a cut second record: exit 1, everything
    // that could be read is still printed, each problem named with its line.
    std::ifstream in(db, std::ios::binary);
    std::string bytes((std::istreambuf_iterator<char>(in)), {});
    bytes.replace(bytes.find("st_model=8"), 10, "st_model=9");
    bytes.resize(bytes.find("checksum=", bytes.find("--Start ", 10)));
    std::ofstream(db, std::ios::binary | std::ios::trunc) << bytes;
    r = Cli({"--database", db});
    EXPECT_EQ(r.code, 1);
    j = nlohmann::json::parse(r.out);
    ASSERT_EQ(j["records"].size(), 2u);
    EXPECT_EQ(j["records"][0]["status"], "checksum fails");
    EXPECT_EQ(j["records"][1]["status"], "incomplete");
    EXPECT_NE(r.err.find(db + ":1: record checksum fails"), std::string::npos) << r.err;
    EXPECT_NE(r.err.find(db + ":99: record incomplete"), std::string::npos) << r.err;

    // Errors: a missing file, a format that does not fit, mixed options.
    for (auto args : {std::vector<std::string>{"--database", db + ".missing"},
                      std::vector<std::string>{"--database", db, "--format", "html"},
                      std::vector<std::string>{"--database", db, "--cpuid-dump", dump}}) {
        r = Cli(args);
        EXPECT_EQ(r.code, 2);
        EXPECT_EQ(r.out, "");
    }
    fs::remove_all(dir);
}

TEST(DatabaseCli, VersionAndHelp) {
    CliRun r = Cli({"--version"});
    EXPECT_EQ(r.code, 0);
    EXPECT_EQ(r.out, std::string("kestrune-cli ") + KEST_VERSION + "\n");
    r = Cli({"--help"});
    EXPECT_EQ(r.code, 0);
    EXPECT_NE(r.out.find("--database"), std::string::npos);
}

}  // namespace
