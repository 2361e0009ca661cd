// libFuzzer entry point: the checks of checks/PlayListCheck.cpp on every input.

#include "checks/FuzzChecks.h"

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    orlamo::fuzz::PlaceSeedWaves();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    orlamo::fuzz::CheckPlayListInput(data, size);
    return 0;
}
