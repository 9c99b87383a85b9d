// "FreqList.rtf" of the fixture read by its colours.
#include <gtest/gtest.h>

#include <map>

#include "reports/FreqListDocument.h"
#include "tests/airmail/Fixture.h"

namespace velmora {
namespace {

FreqListDocument Fixture() {
  return FreqListDocument(RtfColouredText(testing::ReadBytes(testing::FixturePath("data/FreqList.rtf"))));
}

TEST(FreqListDocument, BeamStationsNearestFirstTiesInListOrder) {
  auto document = Fixture();
  std::map<std::string, double> ranges = {{"W1AW", 812.4}, {"K4CJX", 95}, {"KX1", 10}};
  auto range = [&](const std::string& s) -> std::optional<double> {
    return ranges.contains(s) ? std::optional(ranges[s]) : std::nullopt;
  };
  const std::vector<std::string> stations = {"KX1", "W1AW", "N0LOC", "K4CJX"};
  std::vector<std::string> searched;
  EXPECT_EQ(FreqListBeams(document, stations, range, [&](const std::string& s) { searched.push_back(s); }),
            (std::vector<std::string>{"K4CJX", "W1AW"}));
  EXPECT_EQ(searched, (std::vector<std::string>{"K4CJX", "N0LOC", "W1AW", "KX1"}));
  ranges = {};
  EXPECT_EQ(FreqListBeams(document, stations, range), (std::vector<std::string>{"W1AW", "K4CJX"}));
}

// Blue blanks between blue frequencies (or after one) start no frequency:
// they once stopped the reading of the list in its place for ever.
TEST(FreqListDocument, BlueBlanksSeparateFrequencies) {
  FreqListDocument document(RtfColouredText(
      "{\\rtf1{\\colortbl ;\\red255\\green0\\blue0;\\red0\\green0\\blue255;}"
      "\\cf1 W1AW\\cf0 . Station 1: \\cf2 14075 14080# - list\\cf0 .}"));
  std::vector<std::string> found;
  for (auto f = document.GetStationFrequency(0, document.Last()); f && found.size() < 5;
       f = document.GetStationFrequency(f->next, document.Last()))
    found.push_back(f->text);
  EXPECT_EQ(found, (std::vector<std::string>{"14075", "14080#", "-", "list"}));
  EXPECT_EQ(FreqListTransceivers(document),
            (std::vector<StationRadioRecord>{{"HAM", "W1AW", "1", {"14075.0", "14080.0(p3)"}}}));
}

}  // namespace
}  // namespace velmora
