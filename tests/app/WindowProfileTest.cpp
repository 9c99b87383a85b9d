// The main window's placement and the AutoConnect window's visibility in
// the settings file.
#include "app/WindowProfile.h"

#include <gtest/gtest.h>

#include "tests/common/TempFolder.h"

namespace velmora {
namespace {

// The placement itself is written and read back by the real main window
// (MainWindowTest), which also keeps the visibility when it has no
// AutoConnect window; the real program's unattended runs write it hidden.
TEST(WindowProfile, TheVisibilityIsWrittenWithAnAutoConnectWindow) {
  testing::TempFolder folder;
  const auto file = folder.path() / "Velmora.Ini";
  std::error_code error;
  EXPECT_TRUE(ProfileWrite(file, "Airmail Data", "Window Visible", "False", error));
  ProfileWriter w(file);
  ProfileSaveWindow(w, true, {10.0f, 20.0f, 800.0f, 600.0f}, true);
  EXPECT_TRUE(w.Commit(error));
  EXPECT_TRUE(AutoConnectWasVisible(ProfileDocument::Load(file)));
}

}  // namespace
}  // namespace velmora
