#pragma once

#include <cstdio>
#include <cstdlib>

// A property a target asserts. A broken one aborts, which libFuzzer reports
// as a finding with its reproducer and the replay reports as a failed test.
#define FUZZ_CHECK(condition)                                                                  \
    do {                                                                                       \
        if (!(condition)) {                                                                    \
            std::fprintf(stderr, "%s:%d: property broken: %s\n", __FILE__, __LINE__,           \
                         #condition);                                                          \
            std::abort();                                                                      \
        }                                                                                      \
    } while (0)
