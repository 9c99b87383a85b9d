// Reading the programs' output: VOACAP's own and a hand-made REC533 file in
// its layout (the ICEPAC layout is read through the runner's tests).
#include <gtest/gtest.h>

#include <cmath>

#include "propagation/ModelOutput.h"
#include "tests/airmail/Fixture.h"

namespace velmora {
namespace {

std::string Output(const std::string& name) {
  return testing::ReadBytes(std::filesystem::path(VELMORA_SOURCE_DIR) / "tests/propagation/fixture" / name);
}

PropagationHours Read(const std::string& name, int firstHour, size_t frequencyCount, std::string* problem = nullptr) {
  PropagationHours hours;
  hours.Reset(2, frequencyCount);
  std::string reason;
  bool ok = IcepacVoacapOutputRead(Output(name), firstHour, 2, 0, frequencyCount, hours, reason);
  if (problem)
    *problem = reason;
  else
    EXPECT_TRUE(ok) << reason;
  return hours;
}

TEST(IcepacVoacapOutputRead, VoacapsOwnOutput) {
  auto h = Read("voacap-14-15.out", 14, 10);
  EXPECT_EQ(h.hours[0].muf, 21030);
  EXPECT_EQ(h.hours[0].luf, 9330);
  EXPECT_EQ(h.hours[1].muf, 21920);
  EXPECT_EQ(h.hours[1].luf, 10660);
  // Columns 43-48, 51-56 and 60-66 of "312.92  109.07    1969.2".
  EXPECT_DOUBLE_EQ(h.transmitterAzimuth, 312.9);
  EXPECT_DOUBLE_EQ(h.receiverAzimuth, 109.0);
  EXPECT_DOUBLE_EQ(h.pathLength, 1969);
  const FrequencyHour first{"  3F2", 25.2, 14.1, 330, -142, -158, 16};  // 6.3 MHz at 14 h
  const FrequencyHour last{"  3 E", 6.3, 12.4, 98, -165, -159, -6};     // 7.0 MHz at 15 h
  EXPECT_EQ(h.hours[0].frequencies[0], first);
  EXPECT_EQ(h.hours[1].frequencies[9], last);
}

TEST(IcepacVoacapOutputRead, MidnightIsTheFirstHourThoughListedLast) {
  // VOACAP prints the MUF table of a run from 0 h as 1.0, then 24.0.
  auto h = Read("voacap-00-01.out", 0, 10);
  EXPECT_EQ(h.hours[0].muf, 25180);
  EXPECT_EQ(h.hours[0].luf, 16810);
  EXPECT_EQ(h.hours[1].muf, 25040);
  EXPECT_EQ(h.hours[1].luf, 6230);
  EXPECT_EQ(h.hours[0].frequencies[0].snr, 24);  // the 24.0 table comes first there
  EXPECT_EQ(h.hours[1].frequencies[0].snr, 34);
}

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
