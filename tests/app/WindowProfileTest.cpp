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

// The placement itself is written and read back by the real main window
// (MainWindowTest); the visibility is the AutoConnect window's, which this
// build does not have yet: written when there is one, kept when not.
TEST_F(WindowProfileFile, TheVisibilityIsWrittenOnlyWithAnAutoConnectWindow) {
  EXPECT_TRUE(AutoConnectWasVisible(SaveOver("False", true, {10.0f, 20.0f, 800.0f, 600.0f}, true)));
  EXPECT_FALSE(AutoConnectWasVisible(SaveOver("True", false, {}, false)));
  EXPECT_TRUE(AutoConnectWasVisible(SaveOver("True", true, {}, std::nullopt)));
  EXPECT_FALSE(AutoConnectWasVisible(ProfileDocument::Parse("")));
}

}  // namespace
}  // namespace velmora
