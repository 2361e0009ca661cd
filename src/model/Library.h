#pragma once
// The open voice library: one archive node, its bins in order, each bin owning its voices.
// Tree positions: the archive node is position 0, the bin at child position k is position k + 1.

#include "model/WaveRecord.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace orlamo {

struct Bin {
    std::string Name;
    std::vector<WAVE_DPTR> Voices;
};

// Why a bin name cannot be used.
enum class BinNameProblem {
    Taken,      // equal to another bin's name in some letter case: the archive file could not hold them apart
    NotStorable // empty, a line break, "]", or blanks at either end: the archive file would change it
};

class Library {
public:
    bool HasArchive() const { return HasArchiveNode; }
    const std::string& ArchiveName() const { return Name; }

    // Makes the archive node (replacing the name when it exists already).
    void SetArchiveNode(std::string name);
    // Removes every node: no archive is open afterwards.
    void Clear();

    int BinCount() const { return static_cast<int>(Bins.size()); }
    const Bin& BinAt(int childPosition) const { return Bins.at(static_cast<std::size_t>(childPosition)); }
    Bin& BinAt(int childPosition) { return Bins.at(static_cast<std::size_t>(childPosition)); }
    const std::vector<Bin>& AllBins() const { return Bins; }

    // Appends a bin as the last child of the archive node.
    void AddBin(std::string name, std::vector<WAVE_DPTR> voices = {});
    void RemoveBin(int childPosition);

    // Child position of the bin with exactly this name, or nullopt.
    std::optional<int> FindBin(std::string_view name) const;
    // Whether a voice in the bin has exactly this file name.
    bool BinHasFileName(int childPosition, std::string_view fileName) const;

    // Checks a name for a new bin, or for renaming the bin at exceptPosition.
    std::optional<BinNameProblem> CheckBinName(std::string_view name, int exceptPosition = -1) const;

    int VoiceCount() const;

private:
    bool HasArchiveNode = false;
    std::string Name;
    std::vector<Bin> Bins;
};

// Whether the archive file can carry this bin name back unchanged.
bool IsStorableBinName(std::string_view name);
// Letter-case-blind equality (ASCII), as the archive file's section matching uses it.
bool EqualsIgnoringCase(std::string_view a, std::string_view b);

} // namespace orlamo
