// Reading the programs' output: a hand-made REC533 file in its layout, and
// VOACAP's own output cut short (whole outputs, midnight's table among them,
// are read from the real program under Wine in RealVoacapTest; the ICEPAC
// layout through the runner's tests).
#include <gtest/gtest.h>

#include <cmath>

#include "propagation/ModelOutput.h"
#include "tests/propagation/StandInProgram.h"

namespace velmora {
namespace {

constexpr auto Output = testing::PropagationFixture;

TEST(Rec533OutputRead, LevelsFromFieldStrength) {
  const float frequencies[] = {7100, 10100, 14100};
  PropagationHours h;
  h.Reset(2, 3);
  std::string problem;
  ASSERT_TRUE(Rec533OutputRead(Output("rec533-12-13.out"), 2, 0, frequencies, h, problem)) << problem;
  EXPECT_EQ(h.hours[0].muf, 20500);
  EXPECT_EQ(h.hours[0].luf, 8200);
  EXPECT_EQ(h.hours[1].muf, 22000);
  EXPECT_DOUBLE_EQ(h.transmitterAzimuth, 312.9);
  const auto& cell = h.hours[1].frequencies[1];  // 10.1 MHz at 13 h: 22 dBu, S/N 45, SNxx 44
  EXPECT_EQ(cell.mode, "  2F2");
  EXPECT_EQ(cell.takeoffAngle, 10);
  EXPECT_NEAR(cell.signal, 22 - 137 - 20 * std::log10(10100 / 20000.0), 1e-9);
  EXPECT_NEAR(cell.noise, cell.signal - 45, 1e-9);
  EXPECT_EQ(cell.snr, 44);
  EXPECT_EQ(h.hours[0].frequencies[2].takeoffAngle, 0) << "a field that is no number leaves the angle unset";
}

TEST(IcepacVoacapOutputRead, OutputThatEndsEarlyFailsInsteadOfReadingZeros) {
  struct Case {
    std::string cutBefore;  // the output is cut at the line holding this text
    int occurrence;
    std::string problem;
  } cases[] = {
      {"IONOSPHERIC", 1, "The output ends before \"MUF    LUF\"."},
      {"     15.0", 1, "The output ends before \"MUF    LUF\" of hour 2."},
      {"AZIMUTHS", 2, "The output ends before \"AZIMUTHS\"."},
      {"S DBW", 2, "The output ends before \"S DBW\" of hour 2."},
      {"SNRxx", 2, "The output ends before \"SNRxx\" of hour 2."},
  };
  auto full = Output("voacap-14-15.out");
  for (const auto& c : cases) {
    size_t at = std::string::npos;
    for (int i = 0; i < c.occurrence; ++i) at = full.find(c.cutBefore, at + 1);
    ASSERT_NE(at, std::string::npos) << c.cutBefore;
    std::string cut = full.substr(0, full.rfind('\n', at) + 1);
    PropagationHours hours;
    hours.Reset(2, 10);
    std::string problem;
    EXPECT_FALSE(IcepacVoacapOutputRead(cut, 14, 2, 0, 10, hours, problem)) << c.cutBefore;
    EXPECT_EQ(problem, c.problem);
  }
}

}  // namespace
}  // namespace velmora
