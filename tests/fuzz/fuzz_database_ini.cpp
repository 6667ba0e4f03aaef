// database.ini as the window reads it at every population: the first line
// names the database file, which "Add to database" then checks before
// appending.
#include <sys/stat.h>
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "fuzz_common.h"
#include "record/database.h"

namespace {

// A folder of this process's own, made once; database.ini is rewritten in
// it for every input.
const std::string& Folder() {
    static const std::string dir = [] {
        // In memory where there is a tmpfs for it: one file write per input.
        struct stat st {};
        std::string tmpl = ::stat("/dev/shm", &st) == 0 && S_ISDIR(st.st_mode) ? "/dev/shm" : "/tmp";
        tmpl += "/kest-fuzz-ini-XXXXXX";
        if (!::mkdtemp(tmpl.data())) std::abort();
        return tmpl;
    }();
    static const bool cleanup = [] {
        std::atexit([] {
            ::unlink((dir + "/database.ini").c_str());
            ::rmdir(dir.c_str());
        });
        return true;
    }();
    (void)cleanup;
    return dir;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string& dir = Folder();
    const std::string ini = dir + "/database.ini";
    if (std::FILE* f = std::fopen(ini.c_str(), "wb")) {
        if (size) std::fwrite(data, 1, size, f);
        std::fclose(f);
    } else {
        std::abort();
    }
    std::string ini_record, db_record, remembered;
    const auto err = kest::ReadDatabasePointer(dir, {ini_record, db_record, remembered});
    kest::fuzz::Check(!err, "a regular database.ini could not be read");
    kest::fuzz::Check(ini_record == "database.ini", "database.ini not found");
    kest::fuzz::Check(remembered.size() <= kest::kMaxDatabaseNameLength + 1, "first line read past a file name");
    kest::fuzz::Check(remembered.find_first_of("\r\n") == std::string::npos, "line break in the name");
    const auto bad = kest::CheckDatabaseName(remembered);
    if (!bad && remembered != "database.ini") {
        kest::fuzz::Check(remembered.find('/') == std::string::npos, "accepted a name with a path separator");
        kest::fuzz::Check(remembered != "." && remembered != "..", "accepted . or ..");
        kest::fuzz::Check(db_record.empty(), "found a database file that does not exist");
        // The named file does not exist: the append fails and creates nothing.
        const auto msg = kest::AddDatabaseRecord(dir, remembered, "record\r\n");
        kest::fuzz::Check(msg.has_value(), "appended to a file that does not exist");
        struct stat st {};
        kest::fuzz::Check(::lstat((dir + "/" + remembered).c_str(), &st) != 0, "the append created a file");
    }
    return 0;
}
