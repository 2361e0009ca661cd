#pragma once
// How much of the module's sound budget a playlist takes, in the figures and texts the capacity
// gauge and orlamo-cli list show.

#include "formats/WorkFile.h"
#include "model/PlayList.h"

#include <cstdint>
#include <string>

namespace orlamo {

struct PlayListCapacity {
    std::int64_t Used = 0;                    // bytes of sound data in the occupied slots
    std::uint32_t Budget = WorkFileSizeLimit; // what the module takes without the size question
    double Percent = 0;                       // Used / Budget in per cent
    std::string PercentText;                  // to a tenth, rounded down: "81.2", "100.0"
    std::int64_t Over = 0;                    // bytes beyond the budget; 0 when within it
    // The rate the overrun is timed at: the rate index whose occupied slots hold the most data
    // (the lower index on a tie); -1 when within budget or when no slot has a known rate.
    int OverRateIndex = -1;
    // The overrun in hundredths of a second at that rate, rounded up so that cutting this much
    // sound is enough.
    std::uint64_t OverHundredths = 0;
    std::string OverSeconds; // OverHundredths as seconds with two decimals ("0.01"); "" when none

    std::string UsageText; // "812,400 / 1,000,000 bytes (81.2 %)"
    std::string OverText;  // "over by 1,200 bytes (about 0.03 s)"; empty within budget
    std::string Text;      // UsageText, then ", " and OverText when over

    bool IsOver() const { return Over > 0; }
};

PlayListCapacity CapacityFigures(const PlayList& list);

// 1234567 as "1,234,567".
std::string WithThousands(std::int64_t value);

} // namespace orlamo
