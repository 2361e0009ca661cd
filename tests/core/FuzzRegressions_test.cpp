// Replays the checks of the fuzz targets (fuzz/checks/) over their seed corpora and over every
// input that once found a fault (tests/data/fuzz-regressions/<target>/), so that a mended fault
// stays mended in every build, the sanitizer build of CI included.

#include "checks/FuzzChecks.h"
#include "support/TestFiles.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <stdexcept>

namespace orlamo::fuzz {
// In the tests a failed check throws, so that the failure names its input and the run goes on.
void Require(bool condition, const char* what) {
    if (!condition)
        throw std::runtime_error(what);
}
} // namespace orlamo::fuzz

namespace {

namespace fs = std::filesystem;
using orlamo::test::ReadBytes;

struct FuzzTarget {
    const char* Name; // the folder name under fuzz/corpus and tests/data/fuzz-regressions
    void (*Check)(const std::uint8_t*, std::size_t);
};

class FuzzRegressions : public ::testing::TestWithParam<FuzzTarget> {};

TEST_P(FuzzRegressions, SeedsAndPastFindingsPassTheChecks) {
    orlamo::fuzz::PlaceSeedWaves();
    const fs::path folders[] = {
        fs::path(ORLAMO_TEST_DATA) / "fuzz-regressions" / GetParam().Name,
        fs::path(ORLAMO_EXAMPLES).parent_path() / "fuzz" / "corpus" / GetParam().Name,
    };
    int replayed = 0;
    for (const auto& folder : folders) {
        std::error_code error;
        for (const auto& entry : fs::directory_iterator(folder, error)) {
            const std::string bytes = ReadBytes(entry.path());
            try {
                GetParam().Check(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size());
            } catch (const std::exception& failure) {
                ADD_FAILURE() << entry.path().string() << ": " << failure.what();
            }
            ++replayed;
        }
    }
    EXPECT_GT(replayed, 0) << "no seed found for " << GetParam().Name;
}

INSTANTIATE_TEST_SUITE_P(AllTargets, FuzzRegressions,
                         ::testing::Values(FuzzTarget{"wave", orlamo::fuzz::CheckWaveInput},
                                           FuzzTarget{"ini", orlamo::fuzz::CheckIniInput},
                                           FuzzTarget{"archive", orlamo::fuzz::CheckArchiveInput},
                                           FuzzTarget{"playlist", orlamo::fuzz::CheckPlayListInput},
                                           FuzzTarget{"workfile", orlamo::fuzz::CheckWorkFileInput},
                                           FuzzTarget{"convert", orlamo::fuzz::CheckConvertInput}),
                         [](const auto& info) { return std::string(info.param.Name); });

} // namespace
