#pragma once
// A real main window in a folder of its own, its loop started by the test
// itself, closed and gone after each test.
#include <gtest/gtest.h>

#include <memory>

#include "app/win32/MainWindow.h"
#include "tests/app/win32/NoAutoConnect.h"
#include "tests/common/TempFolder.h"
#include "tests/common/win32/WindowChecks.h"
#include "tools/signalgen/SignalGen.h"

namespace velmora::testing {

template <typename Seam = NoAutoConnect>
class MainWindowFixture : public ::testing::Test {
 protected:
  void SetUp() override { Open(); }
  void TearDown() override {
    if (window && window->Handle()) window->Close();
    window.reset();
    DrainQuit();
  }
  void Open() {
    window = std::make_unique<MainWindow>(folder.path().string(), pump, autoConnect);
    ASSERT_TRUE(window->Create());
    window->SetAutoStart(false);
    window->RecallAtStartup();
    window->Show(SW_SHOWNORMAL);
  }
  void Reopen() { TearDown(); Open(); }  // on the settings file the close left
  void Press(const char* key) { window->Command(window->Tools().IdOf(key)); }
  void Key(WPARAM key) { PressKey(pump, key); }
  void AltKey(char letter) { PressAltKey(pump, letter); }
  // The input set to a recording of these samples.
  void Playback(const std::vector<float>& samples) {
    const auto file = folder.path() / "recording.bin";
    std::error_code error;
    ASSERT_TRUE(signalgen::WriteRecording(file, samples, false, error)) << error.message();
    window->Signal().inputSource = kPlayback;
    window->Signal().playbackFile = file;
  }
  std::filesystem::path SettingsFile() const { return folder.path() / kSettingsFileName; }

  TempFolder folder;
  MessagePump pump;
  Seam autoConnect;
  std::unique_ptr<MainWindow> window;
};

}  // namespace velmora::testing
