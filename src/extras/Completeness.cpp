#include "extras/Completeness.h"

#include "extras/SlotWave.h"

#include <algorithm>
#include <filesystem>
#include <map>

namespace orlamo {

namespace {

std::string NormalPath(const std::string& path) {
    return std::filesystem::path(path).lexically_normal().string();
}

bool LibraryHolds(const Library& library, const WAVE_DPTR& slot) {
    const std::string wanted = NormalPath(slot.FullPath);
    if (slot.SourceBin >= 0 && slot.SourceBin < library.BinCount()) {
        const Bin& bin = library.BinAt(slot.SourceBin);
        if (slot.SourceIndex >= 0 &&
            static_cast<std::size_t>(slot.SourceIndex) < bin.Voices.size() &&
            NormalPath(bin.Voices[static_cast<std::size_t>(slot.SourceIndex)].FullPath) == wanted)
            return true;
    }
    for (const Bin& bin : library.AllBins())
        for (const WAVE_DPTR& voice : bin.Voices)
            if (NormalPath(voice.FullPath) == wanted)
                return true;
    return false;
}

FindingKind KindOf(SlotWaveStatus status) {
    switch (status) {
    case SlotWaveStatus::Missing:
        return FindingKind::Missing;
    case SlotWaveStatus::Refused:
        return FindingKind::Refused;
    case SlotWaveStatus::SizeChanged:
        return FindingKind::SizeChanged;
    case SlotWaveStatus::TooLarge:
    case SlotWaveStatus::Ok:
        break;
    }
    return FindingKind::TooLarge;
}

std::string SlotList(const std::vector<int>& slots) {
    std::string text;
    for (std::size_t i = 0; i < slots.size(); ++i)
        text += (i == 0 ? "" : i + 1 == slots.size() ? " and " : ", ") + std::to_string(slots[i]);
    return text;
}

void AddGaps(const PlayList& list, std::vector<CompletenessFinding>& findings) {
    int first = 0;
    for (int n = 1; n <= PlayListSlots && first == 0; ++n)
        if (!IsEmptySlot(list.Slot(n)))
            first = n;
    const int last = list.LastOccupiedSlot();
    for (int n = first + 1; first != 0 && n < last; ++n) {
        if (!IsEmptySlot(list.Slot(n)))
            continue;
        CompletenessFinding gap;
        gap.Kind = FindingKind::Gap;
        while (n < last && IsEmptySlot(list.Slot(n)))
            gap.Slots.push_back(n++);
        gap.Message = gap.Slots.size() == 1
                          ? "Slot " + std::to_string(gap.Slots.front()) + " is empty"
                          : "Slots " + std::to_string(gap.Slots.front()) + " to " +
                                std::to_string(gap.Slots.back()) + " are empty";
        findings.push_back(std::move(gap));
    }
}

} // namespace

bool CompletenessReport::StopsCompile() const {
    return std::any_of(Findings.begin(), Findings.end(),
                       [](const CompletenessFinding& finding) { return finding.StopsCompile; });
}

const char* FindingKindName(FindingKind kind) {
    switch (kind) {
    case FindingKind::Missing:
        return "missing";
    case FindingKind::Refused:
        return "refused";
    case FindingKind::SizeChanged:
        return "size-changed";
    case FindingKind::TooLarge:
        return "too-large";
    case FindingKind::DuplicatePath:
        return "duplicate";
    case FindingKind::SourceGone:
        return "source-gone";
    case FindingKind::Gap:
        return "gap";
    }
    return "unknown";
}

CompletenessReport CheckPlayList(const PlayList& list, const Library* library) {
    CompletenessReport report;
    std::vector<CompletenessFinding> notes;
    std::map<std::string, std::vector<int>> slotsByPath;

    for (int n = 1; n <= PlayListSlots; ++n) {
        const WAVE_DPTR& slot = list.Slot(n);
        if (IsEmptySlot(slot))
            continue;
        const SlotWaveCheck check = CheckSlotWave(slot, n);
        if (!check.Ok())
            report.Findings.push_back({KindOf(check.Status), {n}, check.Problem, true});
        slotsByPath[NormalPath(slot.FullPath)].push_back(n);
        if (library != nullptr && library->HasArchive() && !LibraryHolds(*library, slot))
            notes.push_back({FindingKind::SourceGone,
                             {n},
                             SlotLabel(n, slot) + ": the voice is no longer in the archive",
                             false});
    }

    // Duplicates in the order of their first slot.
    std::vector<std::vector<int>> duplicates;
    for (auto& [path, slots] : slotsByPath)
        if (slots.size() > 1)
            duplicates.push_back(slots);
    std::sort(duplicates.begin(), duplicates.end());
    for (const std::vector<int>& slots : duplicates)
        report.Findings.push_back({FindingKind::DuplicatePath, slots,
                                   "Slots " + SlotList(slots) + " play the same wave file (" +
                                       list.Slot(slots.front()).FullPath + ")",
                                   false});
    for (CompletenessFinding& note : notes)
        report.Findings.push_back(std::move(note));
    AddGaps(list, report.Findings);
    return report;
}

} // namespace orlamo
