#include "model/Library.h"
#include "model/Messages.h"
#include "model/PlayList.h"

#include <gtest/gtest.h>

using namespace orlamo;

TEST(WaveRecord, ResetVoiceEmptiesSlotButKeepsNumberOffsetAndFormat) {
    WAVE_DPTR slot;
    slot.FileName = "a.wav";
    slot.VoiceName = "A";
    slot.FullPath = "/w/a.wav";
    slot.PlayTime = "1.00";
    slot.DataSize = 10;
    slot.DataOffset = 36;
    slot.InPlayList = 1;
    slot.SourceBin = 2;
    slot.SourceIndex = 3;
    slot.SlotNumber = 7;
    slot.FormatCode = 0x40000000;
    ResetVoice(slot);
    EXPECT_TRUE(IsEmptySlot(slot));
    EXPECT_EQ(slot.DataSize, 0u);
    EXPECT_EQ(slot.InPlayList, 0);
    EXPECT_EQ(slot.SourceBin, -1);
    EXPECT_EQ(slot.SourceIndex, -1);
    EXPECT_EQ(slot.DataOffset, 36u);
    EXPECT_EQ(slot.SlotNumber, 7);
    EXPECT_EQ(slot.FormatCode, 0x40000000u);
}

TEST(Library, BinNameChecks) {
    Library library;
    library.SetArchiveNode("Station");
    library.AddBin("Doors");
    library.AddBin("Alarms");
    struct Case {
        const char* name;
        int except;
        std::optional<BinNameProblem> expected;
    } cases[] = {
        {"Lifts", -1, std::nullopt},
        {"doors", -1, BinNameProblem::Taken},
        {"DOORS", -1, BinNameProblem::Taken},
        {"Doors", 0, std::nullopt}, // renaming a bin to itself
        {"alarms", 0, BinNameProblem::Taken},
        {"", -1, BinNameProblem::NotStorable},
        {" Lifts", -1, BinNameProblem::NotStorable},
        {"Lifts ", -1, BinNameProblem::NotStorable},
        {"Li]fts", -1, BinNameProblem::NotStorable},
        {"Li\nfts", -1, BinNameProblem::NotStorable},
        {"\"Lifts\"", -1, BinNameProblem::NotStorable},
    };
    for (const auto& c : cases)
        EXPECT_EQ(library.CheckBinName(c.name, c.except), c.expected) << c.name;
}

TEST(PlayList, TotalsFollowTheirDefinitions) {
    PlayList list("Door");
    ASSERT_EQ(list.AllSlots().size(), 245u);
    EXPECT_EQ(list.UsedSlotCount(), 0);
    EXPECT_EQ(list.LastOccupiedSlot(), 0);
    list.Slot(3).FileName = "a.wav";
    list.Slot(3).DataSize = 1999;
    list.Slot(245).FileName = "b.wav";
    list.Slot(245).DataSize = 2001;
    list.Slot(10).DataSize = 5000; // an empty slot's size never counts
    EXPECT_EQ(list.UsedSlotCount(), 2);
    EXPECT_EQ(list.TotalSize(), 4000);
    EXPECT_EQ(list.KilobyteTotal(), 3); // 1 + 2: each voice rounded down first
    EXPECT_EQ(list.LastOccupiedSlot(), 245);
}

TEST(ChangeState, IndicatorsAndCaption) {
    ChangeState state;
    EXPECT_EQ(state.WindowCaption(), "Orlamo");
    EXPECT_FALSE(state.SetArchiveModified(false));
    EXPECT_TRUE(state.SetArchiveModified(true));
    EXPECT_EQ(state.ArchiveIndicatorText(), "Archive  Modified");
    EXPECT_TRUE(state.SetPlayListModified(true));
    EXPECT_EQ(state.PlayListIndicatorText(), "PlayList  Modified");
    EXPECT_TRUE(state.SetArchivePath("/v/station.arh"));
    EXPECT_FALSE(state.SetArchivePath("/v/station.arh"));
    EXPECT_EQ(state.WindowCaption(), "Orlamo - /v/station.arh");
    EXPECT_EQ(ResString(2202), "Found an identical File,Do You Want cover? ");
    EXPECT_EQ(ResString(9999), "");
}
