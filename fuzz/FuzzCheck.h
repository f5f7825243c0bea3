#pragma once

// Property checks for the fuzz targets. A failed check names itself on standard error and traps,
// so that libFuzzer stores the input as a crash artifact and ctest's corpus replay fails.

#include <cstdio>

#define FUZZ_CHECK(condition)                                                                                \
    do {                                                                                                     \
        if (!(condition)) {                                                                                  \
            std::fprintf(stderr, "%s:%d: property violated: %s\n", __FILE__, __LINE__, #condition);          \
            std::fflush(stderr);                                                                             \
            __builtin_trap();                                                                                \
        }                                                                                                    \
    } while (false)
