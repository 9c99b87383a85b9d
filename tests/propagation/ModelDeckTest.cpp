// Fixed-width fields and the two deck layouts, byte for byte: the programs
// read their cards by column.
#include <gtest/gtest.h>

#include "propagation/FortranFormat.h"
#include "propagation/JointDeck.h"
#include "propagation/ModelDeck.h"
#include "propagation/ModelOutput.h"
#include "tests/propagation/StandInProgram.h"

namespace velmora {
namespace {

TEST(FortranFormat, RightAlignedFieldsOrNothing) {
  struct Case {
    double value;
    std::string format;
    std::optional<std::string> field;
  } cases[] = {
      // The fields that fit are the decks' below, byte for byte; too wide
      // for I5 and F5.1: AValueTooWideForItsFieldRefusesTheDeck.
      {0.25, "F5.2", "  .25"},
      {100000, "F5.0", std::nullopt},  // would push every later field one column right
      {1.0 / 0.0, "F5.1", std::nullopt},
  };
  for (const auto& c : cases) EXPECT_EQ(FortranFormat(c.value, c.format), c.field) << c.value << " " << c.format;
  RecordingMessenger messages;
  EXPECT_EQ(FortranFormat(1, "F9.9", &messages), std::nullopt);
  EXPECT_EQ(messages.Texts(), std::vector<std::string>{"FortranFormat, Unknown format."});
}

class Decks : public ::testing::Test {
 protected:
  static std::string Lines(std::initializer_list<std::string_view> lines) {
    std::string text;
    for (auto line : lines) text += std::string(line) + "\r\n";
    return text;
  }
  const float frequencies[4] = {6318.5f, 8420.5f, 12680.5f, 14105.5f};
  DeckRequest request{.year = 2024, .month = 5, .firstHour = 14, .hourCount = 2,
                      .circuit = {{30.51, -86.97}, {48.12, -123.43}}, .frequencies = frequencies,
                      .parameters = {.sunSpotNumber = 112}};
  std::string deck, problem;
};

TEST_F(Decks, IcepacAndVoacap) {
  ASSERT_TRUE(IcepacVoacapDeck(request, deck, problem)) << problem;
  EXPECT_EQ(deck, Lines({
                      "LINEMAX      55",
                      "COEFFS    URSI",
                      "TIME         14   15    1    1",
                      "MONTH      2024    5",
                      "SUNSPOT   112.0  3.0",
                      "LABEL     XMTR                  RCVR",
                      "CIRCUIT   30.51N    86.97W    48.12N   123.43W        0",
                      "SYSTEM      1.0 145.  3.0 50.0 40.0   .0 10.0",
                      "FPROB      1.00 1.00 1.00  .70",
                      "ANTENNA       1    1    2   30     0.000[DEFAULT\\CONST17.VOA  ]  0.0    0.1000",
                      "ANTENNA       2    2    2   30     0.000[DEFAULT\\SWWHIP.VOA   ]  0.0    0.0000",
                      "METHOD       26    0",
                      "EXECUTE",
                      "FREQUENCY   6.3  8.4 12.7 14.1",
                      "METHOD       20    0",
                      "EXECUTE",
                      "QUIT",
                  }));
}

TEST_F(Decks, Rec533) {
  request.circuit = {{0, 0}, {-12.5, 170.25}};  // the equator and the meridian count as south and west
  ASSERT_TRUE(Rec533Deck(request, deck, problem)) << problem;
  EXPECT_EQ(deck, Lines({
                      "OUTPUT        6    0",
                      "COEFFS    URSI",
                      "SUNSPOT   112.0",
                      "TIME         14   15    1",
                      "MONTH      2024    5",
                      "TRANS     Transmit                .00S       .00W  S     D",
                      "RECVR     Receieve              12.50S    170.25E  S     D",
                      "SYST           1.0000 3.00    0  0.0",
                      "ANTENNA       1    1    2   30     0.000[DEFAULT\\CONST17.VOA  ]  0.0    0.1000",
                      "ANTENNA       2    2    2   30     0.000[DEFAULT\\SWWHIP.VOA   ]  0.0    0.0000",
                      "NOIS       -145    1   40   50",
                      "FREQ          6.3    8.4   12.7   14.1",
                      "EXEC",
                      "QUIT",
                  }));
}

TEST_F(Decks, AValueTooWideForItsFieldRefusesTheDeck) {
  request.parameters.sunSpotNumber = 1234.5f;
  EXPECT_FALSE(IcepacVoacapDeck(request, deck, problem));
  EXPECT_EQ(problem, "The value 1234.5 does not fit the field F5.1 of the SUNSPOT card.");
  EXPECT_FALSE(Rec533Deck(request, deck, problem));
  request.parameters.sunSpotNumber = 112;
  request.parameters.noiseLevel = -123456;
  EXPECT_FALSE(Rec533Deck(request, deck, problem));
  EXPECT_EQ(problem, "The value -123456 does not fit the field I5 of the NOIS card.");
}

TEST_F(Decks, BlocksInOneDeckCarryTheOnceOnlyCardsOnceAndEndWithOneQuit) {
  std::string first, second, other;
  ASSERT_TRUE(IcepacVoacapDeck(request, first, problem));
  request.circuit.transmitter = {8.51, -79.97};
  request.frequencies = std::span(frequencies).first(1);
  ASSERT_TRUE(IcepacVoacapDeck(request, second, problem));
  request.parameters.ionCoefficients = "CCIR";
  ASSERT_TRUE(IcepacVoacapDeck(request, other, problem));

  JointDeck joint(2);
  EXPECT_TRUE(joint.Add(first));
  EXPECT_FALSE(joint.Add(other)) << "COEFFS only before the first EXECUTE";
  EXPECT_TRUE(joint.Add(second));
  EXPECT_FALSE(joint.Add(second)) << "full";
  EXPECT_EQ(joint.Blocks(), 2u);
  // The second block without its LINEMAX, COEFFS, ANTENNA and QUIT cards.
  auto between = [&](std::string_view from, std::string_view to) {
    return second.substr(second.find(from), second.find(to) - second.find(from));
  };
  const std::string secondOwn = between("TIME", "ANTENNA") + between("METHOD       26", "QUIT");
  EXPECT_EQ(joint.Text(), first.substr(0, first.find("QUIT")) + secondOwn + "QUIT\r\n");
}

TEST_F(Decks, AStationsNextBlockTakesTheMethod26PageOfItsFirst) {
  std::string first, next, other;
  ASSERT_TRUE(IcepacVoacapDeck(request, first, problem));
  request.frequencies = std::span(frequencies).first(1);
  ASSERT_TRUE(IcepacVoacapDeck(request, next, problem));
  request.circuit.transmitter = {8.51, -79.97};
  ASSERT_TRUE(IcepacVoacapDeck(request, other, problem));
  JointDeck joint(3);
  for (const auto& deck : {first, next, other}) ASSERT_TRUE(joint.Add(deck));
  const std::string page20 = "\f ~METHOD 20\r\ntables\r\n";
  auto parts = joint.OutputSplit("head\r\n\f METHOD 26\r\nLUF 1\r\n" + page20 + "\f METHOD 26\r\nLUF 2\r\n" + page20 +
                                 "\f METHOD 26\r\nLUF 3\r\n" + page20);
  ASSERT_TRUE(parts);
  EXPECT_EQ(*parts, (std::vector<std::string>{"\f METHOD 26\r\nLUF 1\r\n" + page20, "\f METHOD 26\r\nLUF 1\r\n" + page20,
                                              "\f METHOD 26\r\nLUF 3\r\n" + page20}));
}

TEST(JointOutputSplit, EachBlocksPagesReadAsItsOwnRunsOutput) {
  // ICEPAC's pages as its outputs are laid out; the kit has no ICEPAC to run.
  for (auto [name, firstHour, frequencyCount] : {std::tuple{"voacap-14-15.out", 14, 10}, {"icepac-12-13.out", 12, 3}}) {
    SCOPED_TRACE(name);
    const std::string one = testing::PropagationFixture(name);
    const std::string pages = one.substr(one.find('\f'));
    auto parts = JointOutputSplit(one.substr(0, one.find('\f')) + pages + pages + pages, 3);
    ASSERT_TRUE(parts);
    ASSERT_EQ(parts->size(), 3u);
    PropagationHours own, part;
    std::string problem;
    own.Reset(2, frequencyCount);
    part.Reset(2, frequencyCount);
    ASSERT_TRUE(IcepacVoacapOutputRead(one, firstHour, 2, 0, frequencyCount, own, problem)) << problem;
    for (const auto& p : *parts) {
      EXPECT_EQ(p, pages);
      ASSERT_TRUE(IcepacVoacapOutputRead(p, firstHour, 2, 0, frequencyCount, part, problem)) << problem;
      EXPECT_EQ(part, own);
    }
    EXPECT_FALSE(JointOutputSplit(one, 2)) << "one block's pages for two blocks";
  }
  EXPECT_FALSE(JointOutputSplit("", 1));
}

}  // namespace
}  // namespace velmora
