#pragma once
// The open playlist: always exactly PlayListSlots numbered slots, each owning its own record.

#include "model/WaveRecord.h"

#include <cstdint>
#include <string>
#include <vector>

namespace orlamo {

constexpr int PlayListSlots = 245;

class PlayList {
public:
    PlayList(); // 245 empty slots numbered 1 to 245, named ""
    explicit PlayList(std::string name);

    std::string Name;
    int NextSlot = 1; // the slot Add To PlayList proposes next

    // Slot n (1 to 245) is element n - 1.
    WAVE_DPTR& Slot(int number) { return Slots.at(static_cast<std::size_t>(number - 1)); }
    const WAVE_DPTR& Slot(int number) const { return Slots.at(static_cast<std::size_t>(number - 1)); }
    std::vector<WAVE_DPTR>& AllSlots() { return Slots; }
    const std::vector<WAVE_DPTR>& AllSlots() const { return Slots; }

    // Replaces the slots; the list is cut or completed with empty slots to exactly 245.
    void SetSlots(std::vector<WAVE_DPTR> slots);

    // Derived totals, always equal to their definitions.
    int UsedSlotCount() const;
    std::int64_t TotalSize() const;    // sum of DataSize over occupied slots, in bytes
    std::int64_t KilobyteTotal() const; // sum of DataSize / 1000 per occupied slot
    int LastOccupiedSlot() const;       // 0 when every slot is empty

private:
    std::vector<WAVE_DPTR> Slots;
};

// An empty slot record carrying its number.
WAVE_DPTR MakeEmptySlot(int number);

} // namespace orlamo
