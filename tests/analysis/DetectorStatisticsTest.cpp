#include "analysis/DetectorStatistics.h"

#include <gtest/gtest.h>

#include <tuple>

namespace velmora {
namespace {

using K = StatisticsDetector;

TEST(Statistics, TextsOfEachRecordAndAReset) {
  DetectorStatistics s;
  EXPECT_EQ(s.Text(K::Pactor3, 0.186f), "Pactor 3:\rCount 0, Hits 0");  // never ran: only the counts
  s.Add(K::Pactor2, true, 50);
  s.Add(K::Pactor2, false, 30);
  // Mean time between hits: 0.2 s / 0.5.
  EXPECT_EQ(s.Text(K::Pactor2, 0.2f), "Pactor 2:\rCount 2, Hits 1\rRate 5.0e-1, Secs .4\rMean 40.0, Std 10.0\rPeak 50.0");
  for (int i = 0; i < 4; ++i) {
    s.Add(K::PeakNoise, false, -150);  // below the reset peak of -100
    s.Add(K::Power, false, 3);
  }
  EXPECT_EQ(s.Text(K::PeakNoise, 0.5f), "Peak Noise:\rCount 4, Hits 0\rRate 0.0e0, Secs 2.0\rMean -150.0, Std .0\rPeak -100.0");
  EXPECT_EQ(s.Text(K::Power, 0.5f), "Power:\rCount 4, Hits 0\rRate 0.0e0, Secs .5\rMean 3.0, Std .0\rPeak 3.0");
  s.Reset();
  EXPECT_EQ(s.Text(K::PeakNoise, 0.186f), "Peak Noise:\rCount 0, Hits 0");
  EXPECT_EQ(s.Record(K::PeakNoise).peak, -100);
  // Power counts the time the gate was open: 4 buffers of 0.25 s, open on 3.
  for (bool open : {true, true, false, true}) s.Add(K::Power, open, open ? 20 : 5);
  EXPECT_EQ(s.Text(K::Power, 0.25f), "Power:\rCount 4, Hits 3\rRate 7.5e-1, Secs .8\rMean 16.3, Std 6.5\rPeak 20.0");
}

TEST(Statistics, UpdateAddsEachEnabledDetectorWithTheValueItsLabelShows) {
  DetectorStatistics s;
  DetectorSettings settings;  // power, Pactor 2 and 3 on; burst and peak off
  DetectorResults r;
  r.powerDetected = r.pactor3Detected = r.digitalDetected = true;
  r.pactor2Score = 12;
  r.pactor3Score = 41;
  r.detectorValue = 99;  // the burst value, not the level
  r.peakValue = 7;
  r.digitalWidth = 2200;  // the band the modem occupied, Hz
  StatisticsUpdate(s, r, settings, 25);
  settings.burstEnabled = settings.peakEnabled = settings.digitalBusy = true;
  StatisticsUpdate(s, r, settings, 25);
  const std::tuple<K, int, double, int> expected[] = {  // count, sum, hits
      {K::Power, 2, 50, 2}, {K::Pactor2, 2, 24, 0}, {K::Pactor3, 2, 82, 2}, {K::BurstNoise, 1, 99, 0}, {K::PeakNoise, 1, 7, 0},
      {K::Digital, 1, 2200, 1}};
  for (const auto& [k, count, sum, hits] : expected) {
    const StatisticsRecord& record = s.Record(k);
    EXPECT_EQ(std::tuple(record.count, record.sum, record.hits), std::tuple(count, sum, hits)) << static_cast<int>(k);
  }
  EXPECT_TRUE(StatisticsEnabled(K::PeakNoise, settings));
  EXPECT_EQ(s.Text(K::Digital, 0.5f), "Digital:\rCount 1, Hits 1\rRate 1.0e0, Secs .5\rMean 2200.0, Std .0\rPeak 2200.0");
}

}  // namespace
}  // namespace velmora
