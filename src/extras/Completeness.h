#pragma once
// The completeness report of a playlist: what would stop a compile (a wave missing, refused,
// changed in size since it was placed, or too large) and what deserves a look (two slots with the
// same wave, a voice gone from the library, empty slots between occupied ones).

#include "model/Library.h"
#include "model/PlayList.h"

#include <string>
#include <vector>

namespace orlamo {

enum class FindingKind {
    Missing,       // no wave file at the slot's full path
    Refused,       // the wave is not one of the accepted formats
    SizeChanged,   // the wave's data size differs from the size the slot recorded
    TooLarge,      // the wave's data do not fit a table entry
    DuplicatePath, // several slots play the same wave file
    SourceGone,    // the library no longer holds the slot's voice
    Gap,           // empty slots between the first and the last occupied slot
};

struct CompletenessFinding {
    FindingKind Kind = FindingKind::Missing;
    std::vector<int> Slots; // every slot concerned, in order (all the empty slots of a gap)
    std::string Message;
    bool StopsCompile = false; // the compiler refuses the playlist because of it
};

struct CompletenessReport {
    std::vector<CompletenessFinding>
        Findings; // the compile-stoppers first, each kind in slot order

    bool StopsCompile() const;
};

// Inspects every occupied slot's wave afresh and compares its size with the slot's DataSize, so
// that a playlist held in memory shows the waves that changed since they were placed. Without a
// library (or one without an archive), no voice is reported gone; with one, a slot's voice counts
// as present when its SourceBin and SourceIndex still lead to a voice with the same full path, or
// when any bin holds a voice with that full path.
CompletenessReport CheckPlayList(const PlayList& list, const Library* library = nullptr);

// "missing", "refused", "size-changed", "too-large", "duplicate", "source-gone", "gap".
const char* FindingKindName(FindingKind kind);

} // namespace orlamo
