// libFuzzer entry point: the checks of checks/WaveCheck.cpp on every input.

#include "checks/FuzzChecks.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    orlamo::fuzz::CheckWaveInput(data, size);
    return 0;
}
