#include "extras/Capacity.h"
#include "formats/PlayListFile.h"
#include "support/ExtrasFixtures.h"
#include "support/TestFiles.h"

#include <gtest/gtest.h>

#include <limits>

using namespace orlamo;
using namespace orlamo::test;

TEST(Capacity, FiguresAtTheEdgesOfTheBudget) {
    struct Voice {
        std::uint32_t Size;
        int RateIndex;
    };
    struct Case {
        const char* Name;
        std::vector<Voice> Voices;
        std::int64_t Over;
        int OverRateIndex;
        const char* Text;
    } cases[] = {
        {"empty", {}, 0, -1, "0 / 1,000,000 bytes (0.0 %)"},
        {"just short", {{999'999, 8}}, 0, -1, "999,999 / 1,000,000 bytes (99.9 %)"},
        {"exactly the budget",
         {{600'000, 4}, {400'000, 9}},
         0,
         -1,
         "1,000,000 / 1,000,000 bytes (100.0 %)"},
        {"one byte over",
         {{600'001, 8}, {400'000, 9}},
         1,
         8,
         "1,000,001 / 1,000,000 bytes (100.0 %), over by 1 byte (about 0.01 s)"},
        // 441,000 bytes at 80 bytes per hundredth are 5512.5 hundredths: rounded up.
        {"timed at the rate holding the most data",
         {{300'000, 0}, {600'000, 0}, {541'000, 9}},
         441'000,
         0,
         "1,441,000 / 1,000,000 bytes (144.1 %), over by 441,000 bytes (about 55.13 s)"},
        {"a tie goes to the lower rate index",
         {{600'000, 5}, {600'000, 2}},
         200'000,
         2,
         "1,200,000 / 1,000,000 bytes (120.0 %), over by 200,000 bytes (about 9.10 s)"},
    };
    for (const Case& c : cases) {
        PlayList list("p");
        int slot = 1;
        for (const Voice& voice : c.Voices) {
            list.Slot(slot) = MeasuredSlot(slot, voice.Size, voice.RateIndex);
            slot += 3;
        }
        const PlayListCapacity figures = CapacityFigures(list);
        EXPECT_EQ(figures.Budget, 1'000'000u) << c.Name;
        EXPECT_EQ(figures.Used, list.TotalSize()) << c.Name;
        EXPECT_EQ(figures.Over, c.Over) << c.Name;
        EXPECT_EQ(figures.IsOver(), c.Over > 0) << c.Name;
        EXPECT_EQ(figures.OverRateIndex, c.OverRateIndex) << c.Name;
        EXPECT_EQ(figures.Text, c.Text) << c.Name;
        EXPECT_NEAR(figures.Percent, list.TotalSize() / 10'000.0, 1e-9) << c.Name;
        EXPECT_EQ(figures.OverText.empty(), c.Over == 0) << c.Name;
    }
}

TEST(Capacity, ThousandsSeparators) {
    const std::pair<std::int64_t, const char*> cases[] = {
        {0, "0"},
        {7, "7"},
        {999, "999"},
        {1000, "1,000"},
        {999'999, "999,999"},
        {1'000'000, "1,000,000"},
        {1'234'567'890, "1,234,567,890"},
        {-1234, "-1,234"},
        {std::numeric_limits<std::int64_t>::min(), "-9,223,372,036,854,775,808"},
    };
    for (const auto& [value, text] : cases)
        EXPECT_EQ(WithThousands(value), text) << value;
}

TEST(Capacity, ListShowsTheFiguresAfterWhatItShowedBefore) {
    TempDir dir;
    PlayList list("big");
    PlaceWave(list, 2, dir, "a.wav", 44100, 16, 700'000);
    PlaceWave(list, 5, dir, "b.wav", 8000, 8, 300'010);
    const std::string path = dir / "big.pla";
    ASSERT_TRUE(WritePlayListFile(path, list.Name, list.AllSlots()).Ok);

    CliRun run = RunCli({"list", path});
    ASSERT_EQ(run.Exit, 0) << run.Err;
    const std::string last = "Capacity: 1,000,010 / 1,000,000 bytes (100.0 %), over by 10 bytes "
                             "(about 0.01 s)\n";
    ASSERT_GE(run.Out.size(), last.size());
    EXPECT_EQ(run.Out.substr(run.Out.size() - last.size()), last) << run.Out;
    EXPECT_EQ(run.Out.rfind("PlayList: big (2 used slots, total size 1000010 bytes)\n", 0), 0u);

    run = RunCli({"list", "--json", path});
    ASSERT_EQ(run.Exit, 0) << run.Err;
    EXPECT_EQ(run.Out.rfind("{\"playlist\": \"big\", \"used_slots\": 2, \"total_size\": 1000010, "
                            "\"slots\": [{\"slot\": 2, ",
                            0),
              0u)
        << run.Out;
    EXPECT_TRUE(Contains(run.Out, "\"status\": \"ok\"}], \"capacity\": {\"used\": 1000010, "
                                  "\"budget\": 1000000, \"percent\": 100.0, \"over\": 10, "
                                  "\"over_rate_index\": 8, \"over_seconds\": 0.01, \"text\": "
                                  "\"1,000,010 / 1,000,000 bytes (100.0 %), over by 10 bytes "
                                  "(about 0.01 s)\"}}\n"))
        << run.Out;
}
