// Included before every source of the Windows build: the open() flags that
// the file readers pass and that the C runtime on Windows does not know
// (there are no FIFOs to block on and no exec to close across there).
#pragma once
#include <fcntl.h>
#ifndef O_CLOEXEC
#define O_CLOEXEC 0
#endif
#ifndef O_NONBLOCK
#define O_NONBLOCK 0
#endif
