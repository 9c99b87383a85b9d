// The terminal operations see the detectors' own Pactor counts.
#include "airmail/DetectorPactorCounts.h"

#include <gtest/gtest.h>

#include "analysis/SignalAnalysis.h"
#include "tools/signalgen/SignalGen.h"

namespace velmora {
namespace {

using namespace signalgen;

TEST(DetectorPactorCounts, CountsDetectionsAndEmptiesThem) {
  DetectorSettings settings;
  SignalAnalysis analysis(settings);
  DetectorPactorCounts counts(analysis);
  SignalRecipe recipe{.form = Form::Pactor2, .snrDb = 30, .seconds = 2};
  recipe.rhythm.cycle = 0;  // continuous
  auto pcm = ToPcm16(Generate(recipe).samples);
  std::string panel;
  for (size_t at = 0; at + 2048 <= pcm.size(); at += 2048) {
    analysis.Analyse(std::span(pcm).subspan(at, 2048), 2048);
    analysis.Detect(panel);
  }
  EXPECT_EQ(counts.Get().pactor2, analysis.Pactor2Count());
  EXPECT_GE(counts.Get().pactor2, 8);
  counts.Clear();
  EXPECT_EQ(counts.Get().pactor2, 0);
}

}  // namespace
}  // namespace velmora
