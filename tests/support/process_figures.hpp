// What /proc tells of a running process: its CPU time, whether it sleeps and its resident
// memory. For the soak test and the whole-process benchmarks, which watch the game from outside.
#pragma once

#include <sys/types.h>

namespace bolvenda::testing {

struct ProcessFigures {
    long cpu_ticks = -1;  // user and system time, in clock ticks
    bool sleeping = false;
    long resident_kib = -1, anonymous_kib = -1, shared_kib = -1;
};

// All -1 (and not sleeping) for a process that is gone.
ProcessFigures process_figures(pid_t pid);

}  // namespace bolvenda::testing
