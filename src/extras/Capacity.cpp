#include "extras/Capacity.h"

#include "formats/WaveInspector.h"

#include <array>

namespace orlamo {

namespace {

constexpr int RateCount = static_cast<int>(WaveRateTable.size());

// The rate index holding the most sound data, or -1 when no occupied slot has a known rate.
int BusiestRateIndex(const PlayList& list) {
    std::array<std::uint64_t, WaveRateTable.size()> bytes{};
    bool any = false;
    for (const WAVE_DPTR& slot : list.AllSlots()) {
        const int index = static_cast<int>(slot.FormatCode >> 28);
        // An unmeasured slot (missing or refused wave) has no play time and no rate of its own.
        if (IsEmptySlot(slot) || slot.PlayTime.empty() || index >= RateCount)
            continue;
        bytes[static_cast<std::size_t>(index)] += slot.DataSize;
        any = true;
    }
    if (!any)
        return -1;
    int best = 0;
    for (int i = 1; i < RateCount; ++i)
        if (bytes[static_cast<std::size_t>(i)] > bytes[static_cast<std::size_t>(best)])
            best = i;
    return best;
}

// Tenths of a per cent, rounded down so that a playlist short of its budget never reads 100 %.
std::string TenthsOfPercent(std::int64_t used, std::uint32_t budget) {
    const std::int64_t tenths = used * 1000 / budget;
    return std::to_string(tenths / 10) + "." + std::to_string(tenths % 10);
}

std::string SecondsText(std::uint64_t hundredths) {
    const std::uint64_t fraction = hundredths % 100;
    return std::to_string(hundredths / 100) + (fraction < 10 ? ".0" : ".") +
           std::to_string(fraction);
}

} // namespace

std::string WithThousands(std::int64_t value) {
    // The magnitude as unsigned, so that the smallest value has one too.
    const std::uint64_t magnitude =
        value < 0 ? 0 - static_cast<std::uint64_t>(value) : static_cast<std::uint64_t>(value);
    const std::string digits = std::to_string(magnitude);
    std::string text = value < 0 ? "-" : "";
    const std::size_t lead = digits.size() % 3;
    for (std::size_t i = 0; i < digits.size(); ++i) {
        if (i != 0 && i % 3 == lead)
            text += ',';
        text += digits[i];
    }
    return text;
}

PlayListCapacity CapacityFigures(const PlayList& list) {
    PlayListCapacity figures;
    figures.Used = list.TotalSize();
    figures.Percent = static_cast<double>(figures.Used) * 100.0 / figures.Budget;
    figures.PercentText = TenthsOfPercent(figures.Used, figures.Budget);
    figures.UsageText = WithThousands(figures.Used) + " / " + WithThousands(figures.Budget) +
                        " bytes (" + figures.PercentText + " %)";
    figures.Text = figures.UsageText;
    if (figures.Used <= static_cast<std::int64_t>(figures.Budget))
        return figures;

    figures.Over = figures.Used - figures.Budget;
    figures.OverText =
        "over by " + WithThousands(figures.Over) + (figures.Over == 1 ? " byte" : " bytes");
    figures.OverRateIndex = BusiestRateIndex(list);
    if (figures.OverRateIndex >= 0) {
        const std::uint64_t divisor = TimeDivisor(figures.OverRateIndex);
        figures.OverHundredths = (static_cast<std::uint64_t>(figures.Over) + divisor - 1) / divisor;
        figures.OverSeconds = SecondsText(figures.OverHundredths);
        figures.OverText += " (about " + figures.OverSeconds + " s)";
    }
    figures.Text += ", " + figures.OverText;
    return figures;
}

} // namespace orlamo
