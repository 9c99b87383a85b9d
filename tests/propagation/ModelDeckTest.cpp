// The decks byte for byte (the programs read their cards by column), and
// outputs read back: REC533's layout, and VOACAP's cut short (whole outputs:
// RealVoacapTest under Wine; ICEPAC's: the runner's tests; a joint output cut
// into its blocks: the runner's joint runs, whose parts that do not read as a
// whole run are run again alone).
#include <gtest/gtest.h>

#include <cmath>

#include "propagation/FortranFormat.h"
#include "propagation/JointDeck.h"
#include "propagation/ModelDeck.h"
#include "propagation/ModelOutput.h"
#include "tests/propagation/StandInProgram.h"

namespace velmora {
namespace {

// The fields that fit: the decks below; too wide for their field: a failing
// block of RealVoacapTest, its message through the runner (both kinds of
// deck write their cards alike).
TEST(FortranFormat, NoFieldForInfinity) { EXPECT_EQ(FortranFormat(1.0 / 0.0, "F5.1"), std::nullopt); }

class Decks : public ::testing::Test {
 protected:
  const float frequencies[4] = {6318.5f, 8420.5f, 12680.5f, 14105.5f};
  DeckRequest request{.year = 2024, .month = 5, .firstHour = 14, .hourCount = 2,
                      .circuit = {{30.51, -86.97}, {48.12, -123.43}}, .frequencies = frequencies,
                      .parameters = {.sunSpotNumber = 112}};
  std::string deck, problem;
};

TEST_F(Decks, IcepacAndVoacapThenRec533) {
  ASSERT_TRUE(IcepacVoacapDeck(request, deck, problem)) << problem;
  EXPECT_EQ(deck, testing::PropagationFixture("voacap-14-15.dat"));
  request.circuit = {{0, 0}, {-12.5, 170.25}};  // the equator and the meridian count as south and west
  ASSERT_TRUE(Rec533Deck(request, deck, problem)) << problem;
  EXPECT_EQ(deck, testing::PropagationFixture("rec533-14-15.dat"));
}

// What a joint deck's text holds shows in the real program's numbers, each
// block's the same as its own run's (RealVoacapTest). Blocks of one
// coefficient set, up to the deck's size; a station's next block reads
// its LUF from the METHOD 26 page of its first.
TEST_F(Decks, AStationsNextBlockTakesTheMethod26PageOfItsFirst) {
  std::string first, next, second, other;
  ASSERT_TRUE(IcepacVoacapDeck(request, first, problem));
  request.frequencies = std::span(frequencies).first(1);
  ASSERT_TRUE(IcepacVoacapDeck(request, next, problem));
  request.circuit.transmitter = {8.51, -79.97};
  ASSERT_TRUE(IcepacVoacapDeck(request, second, problem));
  request.parameters.ionCoefficients = "CCIR";
  ASSERT_TRUE(IcepacVoacapDeck(request, other, problem));

  JointDeck two(2);
  EXPECT_TRUE(two.Add(first));
  EXPECT_FALSE(two.Add(other)) << "COEFFS only before the first EXECUTE";
  EXPECT_TRUE(two.Add(second));
  EXPECT_FALSE(two.Add(second)) << "full";

  JointDeck joint(3);
  for (const auto& deck : {first, next, second}) ASSERT_TRUE(joint.Add(deck));
  const std::string page20 = "\f ~METHOD 20\r\ntables\r\n";
  auto parts = joint.OutputSplit("head\r\n\f METHOD 26\r\nLUF 1\r\n" + page20 + "\f METHOD 26\r\nLUF 2\r\n" + page20 +
                                 "\f METHOD 26\r\nLUF 3\r\n" + page20);
  ASSERT_TRUE(parts);
  EXPECT_EQ(*parts, (std::vector<std::string>{"\f METHOD 26\r\nLUF 1\r\n" + page20, "\f METHOD 26\r\nLUF 1\r\n" + page20,
                                              "\f METHOD 26\r\nLUF 3\r\n" + page20}));
}

TEST(Rec533OutputRead, LevelsFromFieldStrength) {
  const float frequencies[] = {7100, 10100, 14100};
  PropagationHours h;
  h.Reset(2, 3);
  std::string problem;
  const std::string output = testing::PropagationFixture("rec533-12-13.out");
  ASSERT_TRUE(Rec533OutputRead(output, 2, 0, frequencies, h, problem)) << problem;
  EXPECT_EQ(h.hours[0].muf, 20500);
  EXPECT_EQ(h.hours[0].luf, 8200);
  EXPECT_DOUBLE_EQ(h.transmitterAzimuth, 312.9);
  const auto& cell = h.hours[1].frequencies[1];  // 10.1 MHz at 13 h: 22 dBu, S/N 45, SNxx 44
  EXPECT_EQ(cell.mode, "  2F2");
  EXPECT_EQ(cell.takeoffAngle, 10);
  EXPECT_NEAR(cell.signal, 22 - 137 - 20 * std::log10(10100 / 20000.0), 1e-9);
  EXPECT_NEAR(cell.noise, cell.signal - 45, 1e-9);
  EXPECT_EQ(cell.snr, 44);
  EXPECT_EQ(h.hours[0].frequencies[2].takeoffAngle, 0) << "a field that is no number leaves the angle unset";
}

// On long paths VOACAP marks many an hour's LUF with a minus sign, its size
// going on from the hours beside it (10.02, -10.04, -9.07, -10.86); below
// 10 MHz the sign falls inside the LUF's columns.
TEST(IcepacVoacapOutputRead, AMarkedLufIsItsSize) {
  auto output = testing::PropagationFixture("voacap-14-15.out");
  for (auto [plain, marked] : {std::pair{"21.03   9.33", "21.03  -9.33"}, {"21.92  10.66", "21.92 -10.66"}})
    output.replace(output.find(plain), std::string_view(plain).size(), marked);
  PropagationHours hours;
  hours.Reset(2, 10);
  std::string problem;
  ASSERT_TRUE(IcepacVoacapOutputRead(output, 14, 2, 0, 10, hours, problem)) << problem;
  EXPECT_EQ(std::pair(hours.hours[0].luf, hours.hours[1].luf), std::pair(9330.0, 10660.0));
}

TEST(IcepacVoacapOutputRead, OutputThatEndsEarlyFailsInsteadOfReadingZeros) {
  // The output is cut at the line holding the occurrence of cutBefore, or
  // only that line is left out.
  struct Case { std::string cutBefore; int occurrence; std::string problem; bool lineOnly = false; } cases[] = {
      {"IONOSPHERIC", 1, "The output ends before \"MUF    LUF\"."},
      {"     15.0", 1, "The output ends before \"MUF    LUF\" of hour 2."},
      {"AZIMUTHS", 2, "The output ends before \"AZIMUTHS\"."},
      {"SNRxx", 2, "The output ends before \"SNRxx\" of hour 2."},
      // The page after the table is no hour's MUF (its "METHOD 20" read as 20 MHz).
      {"     15.0", 1, "The output ends before \"MUF    LUF\" of hour 2.", true},
      {"     14.0", 1, "The output ends before \"MUF    LUF\" of hour 2.", true},
  };
  auto full = testing::PropagationFixture("voacap-14-15.out");
  for (const auto& c : cases) {
    size_t at = std::string::npos;
    for (int i = 0; i < c.occurrence; ++i) at = full.find(c.cutBefore, at + 1);
    ASSERT_NE(at, std::string::npos) << c.cutBefore;
    size_t start = full.rfind('\n', at) + 1;
    std::string cut = c.lineOnly ? full.substr(0, start) + full.substr(full.find('\n', at) + 1) : full.substr(0, start);
    PropagationHours hours;
    hours.Reset(2, 10);
    std::string problem;
    EXPECT_FALSE(IcepacVoacapOutputRead(cut, 14, 2, 0, 10, hours, problem)) << c.cutBefore;
    EXPECT_EQ(problem, c.problem);
  }
}

}  // namespace
}  // namespace velmora
