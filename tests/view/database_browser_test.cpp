// When "Database browser" is enabled and which copy of the browser it starts:
// the current directory's first, else the one installed beside the program.
#include <gtest/gtest.h>

#include <filesystem>

#include "tests/view/harness.h"
#include "view/product.h"

namespace kest::test {
namespace {

struct BrowserSearch {
    Processor p = AthlonXP();
    WindowGlobals globals;
    TempDir current, installed;
    int beside_searches = 0;
    std::unique_ptr<MainWindowModel> model;

    BrowserSearch() {
        WindowSeams seams;
        seams.read_dmi = [](DmiProcessorInfo& d) { d.dmiread = false; };
        seams.measure_clock = [](ClockMethod) { return GivenClock(1000.0); };
        seams.find_in_current_dir = [this](const std::string& n) { return FindExactName(current.Path(), n); };
        seams.find_beside_program = [this](const std::string& n) -> std::optional<std::string> {
            ++beside_searches;
            if (!FindExactName(installed.Path(), n)) return std::nullopt;
            return installed.Path() + "/" + n;
        };
        model = std::make_unique<MainWindowModel>(p.cpu, p.caches, p.names, globals, seams);
    }
    bool Enabled() { return model->State()[ctl::kDatabasebrowser1].enabled; }
    const std::string& Program() { return model->Database().browser_program; }
};

TEST(DatabaseBrowserItem, CurrentDirectoryFirstThenBesideTheProgram) {
    const std::string name(kDatabaseBrowserProgram);
    BrowserSearch s;
    s.model->FormCreate();
    EXPECT_FALSE(s.Enabled());
    EXPECT_EQ(s.Program(), "");

    // Installed beside the program only: that copy, by its full path.
    s.installed.Touch(name);
    s.model->button_refreshClick();
    EXPECT_TRUE(s.Enabled());
    EXPECT_EQ(s.Program(), s.installed.Path() + "/" + name);

    // A copy in the current directory wins, as the bare name always did.
    s.current.Touch(name);
    s.model->button_refreshClick();
    EXPECT_TRUE(s.Enabled());
    EXPECT_EQ(s.Program(), "./" + name);

    // Never disabled again, and the program found is kept.
    std::filesystem::remove(s.current.Path() + "/" + name);
    std::filesystem::remove(s.installed.Path() + "/" + name);
    s.model->button_refreshClick();
    EXPECT_TRUE(s.Enabled());
    EXPECT_EQ(s.Program(), "./" + name);
}

TEST(DatabaseBrowserItem, OtherNamesBesideTheProgramDoNotCount) {
    BrowserSearch s;
    s.installed.Touch("KestDbBr");
    s.installed.Touch(std::string(kDatabaseBrowserProgram) + ".old");
    s.model->FormCreate();
    EXPECT_FALSE(s.Enabled());
    EXPECT_GE(s.beside_searches, 1);
}

}  // namespace
}  // namespace kest::test
