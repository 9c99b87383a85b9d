#pragma once
// The real main window and AutoConnect window on a copy of the AirMail
// fixture (or on another AirMail's folders), closed and gone after each test.
#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <set>

#include "app/win32/MainWindow.h"
#include "autoconnect/win32/AutoConnectWindow.h"
#include "common/win32/MenuBuilder.h"
#include "tests/airmail/Fixture.h"
#include "tests/common/win32/WindowChecks.h"

namespace velmora::testing {

// The stand-in AirMail's scenario: its terminal on HAM's W1AW, with the other keys given.
inline std::map<std::string, std::string> HamScenario(std::map<std::string, std::string> more = {}) {
  more.insert({{"System", "HAM"}, {"Station", "W1AW"}, {"Frequency", "14075.0"}, {"Terminal", "1"}});
  return more;
}

class AutoConnectFixture : public ::testing::Test {
 protected:
  // Mode 1 on the fixture unless a test writes other settings.
  void SetUp() override {
    CopyFixtureData(data.path());
    Settings("Mode Index=1\r\n");
  }
  void TearDown() override {
    if (main && main->Handle()) main->Close();
    main.reset();
    AfterMain();
    window.reset();
    DrainQuit();
  }

  // The settings file beside the program: the lines given (the first of
  // a key wins), AirMail's folders, nothing that asks a question at the
  // first showing, and a range that reaches the fixture's stations from its ship.
  void Settings(const std::string& lines, const std::string& program = FixturePath("program").string(),
                const std::string& dataFolder = {}) {
    WriteBytes(SettingsFile(),
               "[Airmail Data]\r\n" + lines + "Airmail Directory Data=" +
                   (dataFolder.empty() ? data.path().string() : dataFolder) + "\r\nAirmail Directory Program=" +
                   program + "\r\nAirmail Startup=False\r\nAirmail Lat/Lon Check=False\r\nAirmail Resize=False\r\n"
                   "Auto Select Range Max=5000\r\n");
  }
  // The main window of the program in `programFolder`, the test's folder unless given.
  void OpenMain(const std::string& programFolder = {}) {
    window = std::make_unique<AutoConnectWindow>(pump);
    BeforeMain();
    main = std::make_unique<MainWindow>(programFolder.empty() ? folder.path().string() : programFolder, pump, *window);
    ASSERT_TRUE(main->Create());
    main->SetAutoStart(false);
    main->RecallAtStartup();
    main->Show(SW_SHOWNORMAL);
  }
  // What a test attaches to the AutoConnect window before the main window
  // exists, and lets go once the main window is gone.
  virtual void BeforeMain() {}
  virtual void AfterMain() {}
  // The AutoConnect window from the main window's "Airmail" button, shown
  // and active, and `also` holding.
  bool Show(const std::function<bool()>& also = [] { return true; }) {
    main->Command(main->Tools().IdOf("Airmail"));
    return PumpUntil([&] { return window->Visible() && window->Activated() && also(); }, 10);
  }
  // The main window, then the AutoConnect window; no box but those expected.
  void Open(const std::vector<std::string>& boxes = {}) {
    OpenMain();
    MessageBoxAnswerer unexpected;
    ASSERT_TRUE(Show());
    ASSERT_EQ(WindowText(window->Handle()), "AutoConnect");
    EXPECT_EQ(unexpected.Texts(), boxes);
  }
  std::filesystem::path SettingsFile() const { return folder.path() / kSettingsFileName; }
  ProfileDocument Saved() const { return ProfileDocument::Load(SettingsFile()); }

  void Type(std::string_view field, const char* text) { SetWindowTextA(window->Options().Control(field), text); }
  void Press(std::string_view button) {
    HWND control = window->Options().Control(button);
    SendMessageA(window->Handle(), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(control), BN_CLICKED),
                 reinterpret_cast<LPARAM>(control));
  }
  void Key(WPARAM key) { PressKey(pump, key); }
  void AltKey(char letter) { PressAltKey(pump, letter); }
  void ClickCell(int row, int column) {
    RECT cell = window->Grid().CellRect(row, column);
    LPARAM at = MAKELPARAM((cell.left + cell.right) / 2, (cell.top + cell.bottom) / 2);
    SendMessageA(window->Grid().Handle(), WM_LBUTTONDOWN, MK_LBUTTON, at);
    SendMessageA(window->Grid().Handle(), WM_LBUTTONUP, 0, at);
  }
  // A menu entry as the menu shows it when it opens.
  bool MenuEnabled(const char* menu, int command) {
    HMENU popup = MenuBarPopup(window->MenuBar(), menu);
    SendMessageA(window->Handle(), WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(popup), 0);
    return (GetMenuState(popup, static_cast<UINT>(command), MF_BYCOMMAND) & MF_GRAYED) == 0;
  }
  std::set<std::string> FramesShown() {
    std::set<std::string> shown;
    for (const auto& frame : OptionFrames())
      if (IsWindowVisible(window->Options().Frame(frame.frame))) shown.insert(frame.name);
    return shown;
  }

  TempFolder folder, data;
  MessagePump pump;
  std::unique_ptr<AutoConnectWindow> window;
  std::unique_ptr<MainWindow> main;
};

}  // namespace velmora::testing
