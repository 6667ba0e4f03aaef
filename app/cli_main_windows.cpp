// kestrune-cli on Windows: the arguments as the system holds them (UTF-16),
// passed on as UTF-8 like every other text of the program, so that a file
// name such as C:\Users\Zoë\Desktop\dump.txt arrives intact.
#include <fcntl.h>
#include <io.h>

#include <clocale>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <iostream>
#include <string>
#include <vector>

#include "app/cli.h"
#include "cpu/utf16_windows.h"

int wmain(int argc, wchar_t** wide) {
    // Dates in reports follow the user's locale; numbers keep their point.
    // LC_ALL, LC_TIME or LANG set to C (or POSIX) asks for the C library's
    // own formats, as on Linux.
    const char* asked = std::getenv("LC_ALL");
    if (!asked || !*asked) asked = std::getenv("LC_TIME");
    if (!asked || !*asked) asked = std::getenv("LANG");
    const bool plain = asked && (std::strcmp(asked, "C") == 0 || std::strcmp(asked, "POSIX") == 0);
    std::setlocale(LC_TIME, plain ? "C" : "");
    std::vector<std::string> args;
    for (int i = 0; i < argc; ++i) args.push_back(kest::WideToUtf8(wide[i]));
    std::vector<char*> argv;
    for (std::string& a : args) argv.push_back(a.data());
    argv.push_back(nullptr);
    // Reports are bytes: no CR put before each LF.
    _setmode(_fileno(stdout), _O_BINARY);
    _setmode(_fileno(stderr), _O_BINARY);
    return kest::RunCli(argc, argv.data(), std::cout, std::cerr);
}
