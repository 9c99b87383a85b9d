// The AutoConnect settings travel with the main window's: recalled at
// start-up, written to the settings file at close.
#include <windows.h>

#include <gtest/gtest.h>

#include <memory>

#include "app/SettingsOnlyAutoConnect.h"
#include "app/win32/MainWindow.h"
#include "common/SystemLib.h"
#include "tests/airmail/Fixture.h"
#include "tests/common/TempFolder.h"
#include "tests/common/win32/TestWin32.h"

namespace velmora {
namespace {

class SettingsAtClose : public ::testing::Test {
 protected:
  std::filesystem::path SettingsFile() const { return folder.path() / kSettingsFileName; }
  testing::TempFolder folder;
};

// The program itself, started and closed as a user does.
TEST_F(SettingsAtClose, TheProgramWritesTheSectionAtExit) {
  std::filesystem::copy_file(testing::HostPath(VELMORA_BINARY_DIR "/Velmora.exe"), folder.path() / "Velmora.exe");
  testing::WriteBytes(SettingsFile(), "[Airmail Data]\r\nRadio Comm Port=3\r\n");
  testing::ChildProcess program("\"" + (folder.path() / "Velmora.exe").string() + "\"", folder.path().string());
  ASSERT_TRUE(program.Started());
  HWND main = program.WaitWindow([](HWND w) { return testing::ClassOf(w) == kMainWindowClass; });
  ASSERT_NE(main, nullptr);
  PostMessageA(main, WM_CLOSE, 0, 0);
  ASSERT_TRUE(program.WaitExit(10000));
  auto profile = ProfileDocument::Load(SettingsFile());
  EXPECT_EQ(profile.Read(kAutoConnectSection, "Radio Comm Port"), "3");
  EXPECT_EQ(profile.Read(kAutoConnectSection, "Radio Icom Address"), "3");
  EXPECT_EQ(profile.Read(kAutoConnectSection, "Station History Bad"), "-0.5");
  EXPECT_EQ(profile.Read(kAutoConnectSection, "Airmail Lat/Lon Check"), "True");
}

}  // namespace
}  // namespace velmora
