// A second launch of the real program while a window captioned "Velmora" exists.
#include <gtest/gtest.h>

#include "airmail/AutoConnectSettings.h"
#include "common/ProfileFile.h"
#include "common/SystemLib.h"
#include "tests/app/win32/OtherSession.h"
#include "tests/common/TempFolder.h"
#include "tests/common/win32/TestWin32.h"

namespace velmora {
namespace {

bool IsQuestion(HWND w) { return testing::ClassOf(w) == "#32770"; }
bool IsMainWindow(HWND w) {
  return testing::ClassOf(w) == kMainWindowClass && testing::WindowText(w) == kMainWindowCaption;
}

// No ends the second launch without touching the settings; Yes starts a
// full second instance, and so does a window captioned other than exactly
// "Velmora", which is no other instance and asks nothing (a start beside no
// window at all is every other test's that starts the program). The
// program's folder is named with letters of the code page beyond Latin-1
// ("\x8a" is the S with a caron), as the system names it to the program.
TEST(SingleInstanceTest, NoEndsTheSecondLaunchAndAFullInstanceWritesItsSettingsAtExit) {
  testing::TempFolder temp;
  const std::string programFolder = PathText(temp.path()) + "\\\x8a\xe1rka";
  wchar_t wide[MAX_PATH] = {};
  MultiByteToWideChar(CP_ACP, 0, programFolder.c_str(), -1, wide, MAX_PATH);
  const std::filesystem::path folder(wide);
  std::filesystem::create_directory(folder);
  std::filesystem::copy_file(testing::HostPath(VELMORA_BINARY_DIR "/Velmora.exe"), folder / "Velmora.exe");
  const auto settings = folder / kSettingsFileName;
  const std::string before =
      "[Detector Data]\r\nBurst = True \r\n; kept as it is\r\n[Airmail Data]\r\nRadio Comm Port=3\r\n";
  testing::WriteBytes(settings, before);
  const std::pair<const char*, int> cases[] = {
      {kMainWindowCaption, IDNO}, {kMainWindowCaption, IDYES}, {"Velmora - Recording", 0}};
  for (auto [caption, answer] : cases) {
    SCOPED_TRACE(caption);
    testing::OtherSession first(caption);
    testing::ChildProcess second("\"" + programFolder + "\\Velmora.exe\"", programFolder);
    ASSERT_TRUE(second.Started());
    HWND shown = second.WaitWindow([](HWND w) { return IsMainWindow(w) || IsQuestion(w); });
    ASSERT_NE(shown, nullptr);
    ASSERT_EQ(IsQuestion(shown), answer != 0);
    if (answer) {
      std::string text = testing::ChildTexts(shown);
      EXPECT_NE(text.find("You have started another session of Velmora."), std::string::npos) << text;
      EXPECT_NE(text.find("Do you wish to continue?"), std::string::npos) << text;
      EXPECT_EQ(testing::WindowText(shown), "Velmora");
      PostMessageA(shown, WM_COMMAND, answer, 0);
    }
    if (answer == IDNO) {
      ASSERT_TRUE(second.WaitExit(10000));
      EXPECT_EQ(testing::ReadBytes(settings), before);
      continue;
    }
    HWND main = second.WaitWindow(IsMainWindow);
    ASSERT_NE(main, nullptr);
    PostMessageA(main, WM_CLOSE, 0, 0);
    ASSERT_TRUE(second.WaitExit(10000));
    std::string after = testing::ReadBytes(settings);
    EXPECT_NE(after.find("Sample Size=2048"), std::string::npos) << after;
    EXPECT_NE(after.find("; kept as it is"), std::string::npos) << "other lines stay";
    // The AutoConnect settings travel with the main window's: recalled, then written at exit.
    auto profile = ProfileDocument::Parse(after);
    EXPECT_EQ(profile.Read(kAutoConnectSection, "Radio Comm Port"), "3");
    EXPECT_EQ(profile.Read(kAutoConnectSection, "Station History Bad"), "-0.5");
  }
  // A letter the code page lacks (the L with a stroke beside code page
  // 1252), started as Explorer starts it: the folder is found all the same.
  const std::filesystem::path beyond = temp.path() / L"\u0141ukasz";
  std::filesystem::create_directory(beyond);
  std::filesystem::copy_file(folder / "Velmora.exe", beyond / "Velmora.exe");
  testing::WriteBytes(beyond / kSettingsFileName, before);
  testing::ChildProcess third(L"\"" + (beyond / "Velmora.exe").wstring() + L"\"", beyond.wstring());
  HWND main = third.WaitWindow(IsMainWindow);
  ASSERT_NE(main, nullptr);
  // A read from an empty card reader comes back as an error, not as the
  // system's box that would hold an unattended run.
  const DWORD quiet = SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX;
  EXPECT_EQ(third.ErrorMode().value_or(0) & quiet, quiet);
  PostMessageA(main, WM_CLOSE, 0, 0);
  ASSERT_TRUE(third.WaitExit(10000));
  const auto saved = ProfileDocument::Load(beyond / kSettingsFileName);
  EXPECT_EQ(saved.Read(kAutoConnectSection, "Station History Bad"), "-0.5") << "read and written";
}

}  // namespace
}  // namespace velmora
