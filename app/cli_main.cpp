#include <clocale>
#include <iostream>

#include "app/cli.h"

int main(int argc, char** argv) {
    // Dates in reports follow the user's locale; numbers keep their point.
    std::setlocale(LC_TIME, "");
    return kest::RunCli(argc, argv, std::cout, std::cerr);
}
