// kestdbbr: the processor database browser. Without an argument it opens the
// database file that database.ini in the current directory names (the file
// that the window's "Add to database" appends to); with one, that file.
#include <cstdio>
#include <cstring>
#include <string>

#include <QApplication>
#include <QDir>

#include "dbbr/browser_window.h"
#include "record/database_read.h"

namespace {

constexpr const char* kUsage =
    "Usage: kestdbbr [FILE]\n"
    "Shows the records of a Kestrune processor database. Without FILE it opens the file\n"
    "named by the first line of database.ini in the current directory.\n"
    "The file is only read, never written.\n"
    "\n"
    "  -h, --help     show this help and exit\n"
    "  --version      show the program's name and version and exit\n";

}  // namespace

int main(int argc, char** argv) {
    // The options are looked at before any display is needed.
    std::string file;
    bool files_only = false;
    for (int i = 1; i < argc; ++i) {
        const char* a = argv[i];
        if (!files_only && (!std::strcmp(a, "-h") || !std::strcmp(a, "--help"))) {
            std::fputs(kUsage, stdout);
            return 0;
        }
        if (!files_only && !std::strcmp(a, "--version")) {
            std::printf("kestdbbr %s\n", KEST_VERSION);
            return 0;
        }
        if (!files_only && !std::strcmp(a, "--")) {
            files_only = true;
        } else if (!files_only && a[0] == '-' && a[1] != '\0') {
            std::fprintf(stderr, "kestdbbr: unknown option %s (see kestdbbr --help)\n", a);
            return 2;
        } else if (file.empty()) {
            file = a;
        } else {
            std::fprintf(stderr, "kestdbbr: one database file at most (see kestdbbr --help)\n");
            return 2;
        }
    }

    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("kestdbbr"));
    QApplication::setDesktopFileName(QStringLiteral("org.example.kestrune.kestdbbr"));

    kest::dbbr::BrowserWindow window;
    if (file.empty()) {
        std::string located;
        if (auto err = kest::LocateDatabase(QDir::currentPath().toStdString(), located)) {
            std::fprintf(stderr, "kestdbbr: %s\n", err->c_str());
            window.ShowProblem(QString::fromStdString(*err) +
                               QStringLiteral(" Open a database file with File > Open."));
        } else {
            file = located;
        }
    }
    if (!file.empty() && !window.Open(QString::fromLocal8Bit(file.c_str())))
        std::fprintf(stderr, "kestdbbr: cannot read %s\n", file.c_str());
    window.show();
    return app.exec();
}
