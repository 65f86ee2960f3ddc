#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "system/DisplayModes.h"

namespace orvane {
namespace {

struct Size {
  std::int32_t width;
  std::int32_t height;
  bool isCurrent;
};

struct ModeCase {
  const char* name;
  std::vector<DisplayMode> modes;  // {width, height, bits per pixel, Hz}
  DisplayMode current;
  std::vector<std::int32_t> rates;
  std::vector<Size> sizes;  // every entry carries current.refreshHz
};

void PrintTo(const ModeCase& c, std::ostream* os) { *os << c.name; }

class DisplayModeListsTest : public ::testing::TestWithParam<ModeCase> {};

TEST_P(DisplayModeListsTest, PicksRatesAndResolutions) {
  const ModeCase& c = GetParam();
  const DisplayModeLists lists = BuildDisplayModeLists(c.modes, c.current);
  EXPECT_EQ(lists.refreshRates, c.rates);
  std::vector<DisplayResolution> expected;
  for (const Size& size : c.sizes) expected.push_back({size.width, size.height, c.current.refreshHz, size.isCurrent});
  EXPECT_EQ(lists.resolutions, expected);
}

const DisplayMode kFhd75{1920, 1080, 32, 75};

INSTANTIATE_TEST_SUITE_P(
    Cases, DisplayModeListsTest,
    ::testing::Values(
        ModeCase{"FiveRatesKeepLowestMiddleHighestAndCurrent",
                 {{1920, 1080, 32, 60}, {1920, 1080, 32, 75}, {1920, 1080, 32, 120}, {1920, 1080, 32, 144},
                  {1920, 1080, 32, 165}},
                 kFhd75,
                 {60, 75, 120, 165},
                 {{1920, 1080, true}}},
        ModeCase{"CurrentAlreadyKeptIsNotRepeated",
                 {{1920, 1080, 32, 50}, {1920, 1080, 32, 60}, {1920, 1080, 32, 75}, {1920, 1080, 32, 100},
                  {1920, 1080, 32, 120}, {1920, 1080, 32, 144}},
                 {1920, 1080, 32, 100},
                 {50, 100, 144},
                 {{1920, 1080, true}}},
        ModeCase{"FewRatesAreSortedAndListedOnce",
                 {{1920, 1080, 32, 75}, {1920, 1080, 32, 60}, {1920, 1080, 32, 75}, {1920, 1080, 32, 60}},
                 kFhd75,
                 {60, 75},
                 {{1920, 1080, true}}},
        ModeCase{"RatesOnlyAtTheCurrentSizeFromTrueColourAndFrom48Hz",
                 {{1920, 1080, 16, 144}, {1920, 1080, 32, 30}, {1920, 1080, 32, 48}, {1920, 1080, 32, 59},
                  {2560, 1440, 32, 165}},
                 {1920, 1080, 32, 59},
                 {48, 59},
                 {{2560, 1440, false}, {1920, 1080, true}}},
        ModeCase{"NoRateFoundOffersTheCurrentOne",
                 {{2560, 1440, 32, 60}},
                 kFhd75,
                 {75},
                 {{2560, 1440, false}}},
        ModeCase{"NoModesAndNoCurrentRateOfferNothing", {}, {1920, 1080, 32, 0}, {}, {}},
        ModeCase{"SmallAndLowColourSizesAreLeftOut",
                 {{1024, 768, 32, 60}, {1280, 719, 32, 60}, {1279, 1024, 32, 60}, {1280, 720, 32, 60},
                  {1366, 768, 32, 60}, {3840, 2160, 16, 60}},
                 {1366, 768, 32, 60},
                 {60},
                 {{1366, 768, true}, {1280, 720, false}}},
        ModeCase{"LargestFourFirstEachListedOnce",
                 {{1280, 720, 32, 60}, {1920, 1080, 32, 60}, {1920, 1080, 32, 75}, {1600, 900, 32, 60},
                  {3840, 2160, 32, 60}, {2560, 1440, 32, 60}, {1280, 1024, 32, 60}},
                 kFhd75,
                 {60, 75},
                 {{3840, 2160, false}, {2560, 1440, false}, {1920, 1080, true}, {1600, 900, false}}},
        ModeCase{"CurrentSizeBeyondTheFourLargestIsNotMarked",
                 {{1280, 720, 32, 60}, {1920, 1080, 32, 60}, {1600, 900, 32, 60}, {3840, 2160, 32, 60},
                  {2560, 1440, 32, 60}},
                 {1280, 720, 32, 60},
                 {60},
                 {{3840, 2160, false}, {2560, 1440, false}, {1920, 1080, false}, {1600, 900, false}}},
        ModeCase{"EqualAreasKeepTheDisplaysOrder",
                 {{1600, 1200, 32, 60}, {1920, 1000, 32, 60}, {1280, 1500, 32, 60}},
                 {1920, 1000, 32, 60},
                 {60},
                 {{1600, 1200, false}, {1920, 1000, true}, {1280, 1500, false}}}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace orvane
