#include "extras/SlotPreview.h"
#include "formats/WaveInspector.h"
#include "formats/WorkFile.h"
#include "support/ExtrasFixtures.h"
#include "support/TestFiles.h"

#include <gtest/gtest.h>

#include <filesystem>

using namespace orlamo;
using namespace orlamo::test;
namespace fs = std::filesystem;

TEST(Preview, BytesAreTheWorkFilesSlotData) {
    TempDir dir;
    PlayList list("p");
    PlaceWave(list, 1, dir, "a.wav", 8000, 8, 1601);
    PlaceWave(list, 3, dir, "b.wav", 8000, 16, 320);
    PlaceWave(list, 4, dir, "c.wav", 22050, 16, 4410);
    PlaceWave(list, 9, dir, "d.wav", 48000, 16, 0);
    // Chunks before and after the data, a fmt chunk with an extension: only the data count.
    const std::string fancy =
        Riff(Chunk("LIST", "abc") + Chunk("fmt ", FmtBody(1, 44100, 16) + Le16(0)) +
             Chunk("data", PatternBytes(882, 5)) + Chunk("cue ", "xyzw"));
    WriteBytes(dir / "e.wav", fancy);
    PlaceWave(list, 12, dir, "e.wav", 44100, 16, 882);
    WriteBytes(dir / "e.wav", fancy);

    const std::string work = dir / "p.wrk";
    ASSERT_TRUE(CompileWorkFile(work, list.AllSlots()).Ok);
    const std::string image = ReadBytes(work);
    const WorkFileReport report = CheckWorkFile(work);
    ASSERT_EQ(report.Slots.size(), 5u);
    for (const WorkFileSlot& slot : report.Slots) {
        const SlotPreview preview = PreviewSlot(list, slot.Slot);
        ASSERT_TRUE(preview.Ok) << preview.Message;
        EXPECT_EQ(preview.RateIndex, slot.RateIndex) << slot.Slot;
        EXPECT_EQ(preview.SampleRate, WaveRateTable[static_cast<std::size_t>(slot.RateIndex)]);
        EXPECT_EQ(preview.Bits, slot.RateIndex == 0 ? 8 : 16);
        EXPECT_EQ(std::string(preview.Bytes.begin(), preview.Bytes.end()),
                  image.substr(slot.Offset, slot.DataSize))
            << slot.Slot;
    }
    EXPECT_EQ(PreviewSlot(list, 12).Bytes.size(), 882u);
}

TEST(Preview, RefusesWhatTheCompilerWouldRefuse) {
    TempDir dir;
    PlayList list("p");
    PlaceWave(list, 1, dir, "gone.wav", 8000, 8, 100);
    fs::remove(dir / "gone.wav");
    PlaceWave(list, 2, dir, "grown.wav", 8000, 8, 100);
    WriteBytes(dir / "grown.wav", SimpleWave(8000, 8, 150));
    PlaceWave(list, 3, dir, "big.wav", 8000, 8, 2);
    // A sparse file announcing one byte more than a preview holds.
    const std::uint32_t big = PreviewByteLimit + 1;
    WriteBytes(dir / "big.wav", "RIFF" + Le32(36 + big) + "WAVE" +
                                    Chunk("fmt ", FmtBody(1, 8000, 8)) + "data" + Le32(big));
    fs::resize_file(dir / "big.wav", 44 + std::uint64_t{big});
    list.Slot(3).DataSize = big;

    const struct {
        int Slot;
        std::string Message;
    } cases[] = {
        {1, "Slot 1 (" + (dir / "gone.wav") + "): the wave file is missing"},
        {2, "Slot 2 (" + (dir / "grown.wav") +
                "): the wave file now holds 150 bytes of sound data, the playlist records 100; "
                "reload the playlist"},
        {3, "Slot 3 (" + (dir / "big.wav") +
                "): 67,108,865 bytes of sound data are too many to preview (at most 67,108,864)"},
        {4, "Slot 4 is empty"},
        {0, "There is no slot 0; slots run from 1 to 245"},
        {246, "There is no slot 246; slots run from 1 to 245"},
    };
    for (const auto& c : cases) {
        const SlotPreview preview = PreviewSlot(list, c.Slot);
        EXPECT_FALSE(preview.Ok) << c.Slot;
        EXPECT_EQ(preview.Message, c.Message);
        EXPECT_TRUE(preview.Bytes.empty());
    }
}
