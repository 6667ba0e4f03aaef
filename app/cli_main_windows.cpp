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
#include "report/text_encoding.h"
#include "cpu/utf16_windows.h"

int wmain(int argc, wchar_t** wide) {
    // Dates in reports follow the user's locale, as on Linux.
    kest::UseUserTimeLocale();
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
