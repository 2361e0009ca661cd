// Require for the fuzz targets: a failed check aborts, and libFuzzer keeps the input.

#include "checks/FuzzChecks.h"

#include <cstdio>
#include <cstdlib>

namespace orlamo::fuzz {

void Require(bool condition, const char* what) {
    if (condition)
        return;
    std::fprintf(stderr, "fuzz check failed: %s\n", what);
    std::abort();
}

} // namespace orlamo::fuzz
