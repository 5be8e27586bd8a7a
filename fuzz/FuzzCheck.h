#pragma once

#include <cstdio>
#include <cstdlib>

namespace kestrix {

// A broken invariant is a crash, so that libFuzzer keeps the input and the
// corpus replay fails.
inline void fuzzCheck(bool holds, const char* invariant) {
    if (!holds) {
        std::fprintf(stderr, "invariant broken: %s\n", invariant);
        std::abort();
    }
}

} // namespace kestrix
