// The AutoConnect side before its window: its settings record in the
// settings file, and nothing of the window's own keys.
#include "app/SettingsOnlyAutoConnect.h"

#include <gtest/gtest.h>

#include "tests/common/TempFolder.h"

namespace velmora {
namespace {

TEST(SettingsOnlyAutoConnect, KeepsTheRecordButNoWindowKeys) {
  SettingsOnlyAutoConnect seam;
  EXPECT_FALSE(seam.Available());
  EXPECT_FALSE(seam.Visible());
  EXPECT_EQ(seam.Link(), nullptr) << "no main window handed over yet";
  seam.ProfileRecall(ProfileDocument::Parse("[Airmail Data]\r\nConnect Attempts=4\r\nWindow Width=9000\r\n"));
  EXPECT_EQ(seam.Settings().connectAttempts, 4);
  testing::TempFolder folder;
  ProfileWriter writer(folder.path() / "Velmora.Ini");
  seam.ProfileSave(writer);
  seam.ProfileSaveWindow(writer);
  std::error_code error;
  ASSERT_TRUE(writer.Commit(error));
  auto doc = ProfileDocument::Load(folder.path() / "Velmora.Ini");
  EXPECT_EQ(doc.Read(kAutoConnectSection, "Connect Attempts"), "4");
  EXPECT_EQ(doc.Read(kAutoConnectSection, "Window Width"), "") << "no window, no placement";
  EXPECT_EQ(doc.Read(kAutoConnectSection, "Window Visible"), "") << "the main window's key";
}

}  // namespace
}  // namespace velmora
