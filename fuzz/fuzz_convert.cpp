// libFuzzer entry point: the checks of checks/ConvertCheck.cpp on every input.

#include "checks/FuzzChecks.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    orlamo::fuzz::CheckConvertInput(data, size);
    return 0;
}
