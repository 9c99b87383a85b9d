// The main window's placement and the AutoConnect window's visibility in
// the settings file.
#include "app/WindowProfile.h"

#include <gtest/gtest.h>

#include "tests/common/TempFolder.h"

namespace velmora {
namespace {

// The placement itself is written and read back by the real main window
// (MainWindowTest); the visibility is the AutoConnect window's, which this
// build does not have yet: written when there is one, kept when not.
TEST(WindowProfile, TheVisibilityIsWrittenOnlyWithAnAutoConnectWindow) {
  testing::TempFolder folder;
  auto saveOver = [file = folder.path() / "Velmora.Ini"](std::string_view before, std::optional<bool> visible) {
    std::error_code error;
    EXPECT_TRUE(ProfileWrite(file, "Airmail Data", "Window Visible", before, error));
    ProfileWriter w(file);
    ProfileSaveWindow(w, true, {10.0f, 20.0f, 800.0f, 600.0f}, visible);
    EXPECT_TRUE(w.Commit(error));
    return ProfileDocument::Load(file);
  };
  EXPECT_TRUE(AutoConnectWasVisible(saveOver("False", true)));
  EXPECT_FALSE(AutoConnectWasVisible(saveOver("True", false)));
  EXPECT_TRUE(AutoConnectWasVisible(saveOver("True", std::nullopt)));
  EXPECT_FALSE(AutoConnectWasVisible(ProfileDocument::Parse("")));
}

}  // namespace
}  // namespace velmora
