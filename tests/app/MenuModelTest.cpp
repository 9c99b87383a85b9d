#include "app/MenuModel.h"

#include <gtest/gtest.h>

namespace velmora {
namespace {

TEST(MenuModel, ResolutionCaptionsForEverySampleSize) {
  EXPECT_EQ(FrequencySamplesCaption(8), "Resolution 43.1 Hz");
  const char* values[] = {"21.5", "10.8", "5.4", "2.7", "1.3", "0.7", "0.3"};
  for (int e = 9; e <= 15; ++e)
    EXPECT_EQ(FrequencySamplesCaption(e), std::string("     ...         ") + values[e - 9] + " Hz");
}

TEST(MenuModel, TimeCaptionsNameThePowersOfTwo) {
  EXPECT_EQ(TimeSamplesCaption(8), "Samples 256");
  EXPECT_EQ(TimeSamplesCaption(14), "... 16384");
  EXPECT_EQ(TimeSamplesCaption(15), "... 32768");
}

TEST(MenuModel, MenusInTheBarAndTheirOrder) {
  std::vector<std::string> bar;
  for (const auto& m : MainMenus())
    if (m.inMenuBar) bar.push_back(m.caption);
  EXPECT_EQ(bar, (std::vector<std::string>{"File", "View", "Options", "Settings", "Help"}));
  const auto& file = FindMenu("mnuFile");
  std::vector<std::string> captions;
  for (const auto& item : file.items) captions.push_back(item.Separator() ? "-" : item.caption);
  EXPECT_EQ(captions, (std::vector<std::string>{"Default", "-", "Recall...", "Save...", "-", "Record", "-", "Exit"}));
}

}  // namespace
}  // namespace velmora
