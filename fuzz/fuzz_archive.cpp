// libFuzzer entry point: the checks of checks/ArchiveCheck.cpp on every input.

#include "checks/FuzzChecks.h"

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    orlamo::fuzz::PlaceSeedWaves();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    orlamo::fuzz::CheckArchiveInput(data, size);
    return 0;
}
