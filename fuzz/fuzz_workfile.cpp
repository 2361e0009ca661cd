// libFuzzer entry point: the checks of checks/WorkFileCheck.cpp on every input.

#include "checks/FuzzChecks.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    orlamo::fuzz::CheckWorkFileInput(data, size);
    return 0;
}
