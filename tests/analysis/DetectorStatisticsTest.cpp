#include "analysis/DetectorStatistics.h"

#include <gtest/gtest.h>

namespace velmora {
namespace {

using K = StatisticsDetector;

TEST(Statistics, RateSecondsMeanSpreadAndPeak) {
  DetectorStatistics s;
  s.Add(K::Pactor2, true, 50);
  s.Add(K::Pactor2, false, 30);
  // Mean time between hits: 0.2 s / 0.5.
  EXPECT_EQ(s.Text(K::Pactor2, 0.2f), "Pactor 2:\rCount 2, Hits 1\rRate 5.0e-1, Secs .4\rMean 40.0, Std 10.0\rPeak 50.0");
}

TEST(Statistics, SecondsWithoutHits) {
  DetectorStatistics s;
  for (int i = 0; i < 4; ++i) s.Add(K::PeakNoise, false, -150);  // below the reset peak of -100
  EXPECT_EQ(s.Text(K::PeakNoise, 0.5f), "Peak Noise:\rCount 4, Hits 0\rRate 0.0e0, Secs 2.0\rMean -150.0, Std .0\rPeak -100.0");
  for (int i = 0; i < 4; ++i) s.Add(K::Power, false, 3);
  EXPECT_EQ(s.Text(K::Power, 0.5f), "Power:\rCount 4, Hits 0\rRate 0.0e0, Secs .5\rMean 3.0, Std .0\rPeak 3.0");
}

TEST(Statistics, PowerCountsTheTimeTheGateWasOpen) {
  DetectorStatistics s;
  s.Add(K::Power, true, 20);
  s.Add(K::Power, true, 20);
  s.Add(K::Power, false, 5);
  s.Add(K::Power, true, 20);
  // 4 buffers of 0.25 s, open on 3 of them.
  EXPECT_EQ(s.Text(K::Power, 0.25f), "Power:\rCount 4, Hits 3\rRate 7.5e-1, Secs .8\rMean 16.3, Std 6.5\rPeak 20.0");
}

// A detector that never ran, or ran before a reset, shows only its counts.
TEST(Statistics, ResetStartsEveryRecordAgain) {
  DetectorStatistics s;
  EXPECT_EQ(s.Text(K::Pactor3, 0.186f), "Pactor 3:\rCount 0, Hits 0");
  s.Add(K::BurstNoise, true, 70);
  s.Reset();
  EXPECT_EQ(s.Text(K::BurstNoise, 0.186f), "Burst Noise:\rCount 0, Hits 0");
  EXPECT_EQ(s.Record(K::BurstNoise).peak, -100);
}

TEST(Statistics, UpdateAddsEachEnabledDetectorWithTheValueItsLabelShows) {
  DetectorStatistics s;
  DetectorSettings settings;  // power, Pactor 2 and 3 on; burst and peak off
  DetectorResults r;
  r.powerDetected = true;
  r.pactor2Score = 12;
  r.pactor3Score = 41;
  r.pactor3Detected = true;
  r.detectorValue = 99;  // the burst value, not the level
  StatisticsUpdate(s, r, settings, 25);
  EXPECT_EQ(s.Record(K::Power).sum, 25);
  EXPECT_EQ(s.Record(K::Power).hits, 1);
  EXPECT_EQ(s.Record(K::Pactor2).sum, 12);
  EXPECT_EQ(s.Record(K::Pactor2).hits, 0);
  EXPECT_EQ(s.Record(K::Pactor3).hits, 1);
  EXPECT_EQ(s.Record(K::BurstNoise).count, 0);
  EXPECT_EQ(s.Record(K::PeakNoise).count, 0);
  settings.burstEnabled = true;
  r.peakValue = 7;
  settings.peakEnabled = true;
  StatisticsUpdate(s, r, settings, 25);
  EXPECT_EQ(s.Record(K::BurstNoise).sum, 99);
  EXPECT_EQ(s.Record(K::PeakNoise).sum, 7);
  EXPECT_TRUE(StatisticsEnabled(K::PeakNoise, settings));
}

}  // namespace
}  // namespace velmora
