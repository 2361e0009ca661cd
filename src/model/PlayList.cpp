#include "model/PlayList.h"

#include <algorithm>

namespace orlamo {

WAVE_DPTR MakeEmptySlot(int number) {
    WAVE_DPTR slot;
    ResetVoice(slot);
    slot.SlotNumber = number;
    return slot;
}

PlayList::PlayList() : PlayList(std::string()) {}

PlayList::PlayList(std::string name) : Name(std::move(name)) {
    Slots.reserve(PlayListSlots);
    for (int n = 1; n <= PlayListSlots; ++n)
        Slots.push_back(MakeEmptySlot(n));
}

void PlayList::SetSlots(std::vector<WAVE_DPTR> slots) {
    slots.resize(std::min<std::size_t>(slots.size(), PlayListSlots));
    for (int n = static_cast<int>(slots.size()) + 1; n <= PlayListSlots; ++n)
        slots.push_back(MakeEmptySlot(n));
    Slots = std::move(slots);
}

int PlayList::UsedSlotCount() const {
    int used = 0;
    for (const auto& slot : Slots)
        used += IsEmptySlot(slot) ? 0 : 1;
    return used;
}

std::int64_t PlayList::TotalSize() const {
    std::int64_t total = 0;
    for (const auto& slot : Slots)
        if (!IsEmptySlot(slot))
            total += slot.DataSize;
    return total;
}

std::int64_t PlayList::KilobyteTotal() const {
    std::int64_t total = 0;
    for (const auto& slot : Slots)
        if (!IsEmptySlot(slot))
            total += slot.DataSize / 1000;
    return total;
}

int PlayList::LastOccupiedSlot() const {
    for (int n = PlayListSlots; n >= 1; --n)
        if (!IsEmptySlot(Slot(n)))
            return n;
    return 0;
}

} // namespace orlamo
