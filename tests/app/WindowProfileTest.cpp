// The main window's placement and the AutoConnect window's visibility in
// the settings file.
#include "app/WindowProfile.h"

#include <gtest/gtest.h>

#include "tests/common/TempFolder.h"

namespace velmora {
namespace {

class WindowProfileFile : public ::testing::Test {
 protected:
  ProfileDocument SaveOver(std::string_view before, bool normal, const WindowPlacement& placement,
                           std::optional<bool> visible) {
    auto file = folder.path() / "Velmora.Ini";
    std::error_code error;
    EXPECT_TRUE(ProfileWrite(file, "Airmail Data", "Window Visible", before, error));
    ProfileWriter w(file);
    ProfileSaveWindow(w, normal, placement, visible);
    EXPECT_TRUE(w.Commit(error));
    return ProfileDocument::Load(file);
  }
  testing::TempFolder folder;
};

TEST_F(WindowProfileFile, PlacementOnlyInTheNormalStateAndTheVisibilityAlways) {
  auto doc = SaveOver("False", true, {10.0f, 20.0f, 800.0f, 600.0f}, true);
  auto placement = ProfileRecallWindow(doc);
  EXPECT_EQ(placement.left, 10.0f);
  EXPECT_EQ(placement.top, 20.0f);
  EXPECT_EQ(placement.width, 800.0f);
  EXPECT_EQ(placement.height, 600.0f);
  EXPECT_TRUE(AutoConnectWasVisible(doc));

  doc = SaveOver("True", false, {0.0f, 0.0f, 1920.0f, 1080.0f}, false);
  EXPECT_EQ(ProfileRecallWindow(doc).width, 800.0f) << "nothing written while minimised or maximised";
  EXPECT_FALSE(AutoConnectWasVisible(doc));
  EXPECT_FALSE(AutoConnectWasVisible(ProfileDocument::Parse("")));
}

// A build without the AutoConnect window must not overwrite what the build
// with it stored.
TEST_F(WindowProfileFile, WithoutAnAutoConnectWindowTheStoredVisibilityStays) {
  EXPECT_TRUE(AutoConnectWasVisible(SaveOver("True", true, {}, std::nullopt)));
}

}  // namespace
}  // namespace velmora
