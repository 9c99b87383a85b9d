// The AutoConnect window as a user meets it: opened from the main window on
// the AirMail fixture, its frames by mode, the table's check boxes, its
// fields, the settings and window keys at close, and the close check while
// a run goes on against the stand-in AirMail.
#include "autoconnect/win32/AutoConnectWindow.h"

#include <gtest/gtest.h>

#include <memory>
#include <set>

#include "app/win32/MainWindow.h"
#include "selection/TableColumns.h"
#include "tests/airmail/Fixture.h"
#include "tests/airmail/win32/StandInSession.h"
#include "tests/common/TempFolder.h"
#include "tests/common/win32/TestWin32.h"

namespace velmora {
namespace {

using testing::MessageBoxAnswerer;
using testing::PumpUntil;

class AutoConnectWindowTest : public ::testing::Test {
 protected:
  void SetUp() override { testing::CopyFixtureData(data.path()); }
  void TearDown() override {
    if (main && main->Handle()) main->Close();
    main.reset();
    window.reset();
    testing::DrainQuit();
  }

  // The settings file beside the program: AirMail's folders, nothing that
  // asks a question at the first showing, a range that reaches the
  // fixture's stations from its ship, and the lines given.
  void Settings(const std::string& lines, const std::string& program = testing::FixturePath("program").string(),
                const std::string& dataFolder = {}) {
    testing::WriteBytes(SettingsFile(),
                        "[Airmail Data]\r\nAirmail Directory Data=" +
                            (dataFolder.empty() ? data.path().string() : dataFolder) +
                            "\r\nAirmail Directory Program=" + program +
                            "\r\nAirmail Startup=False\r\nAirmail Lat/Lon Check=False\r\nAirmail Resize=False\r\n"
                            "Auto Select Range Max=5000\r\n" +
                            lines);
  }
  // The main window, then the AutoConnect window from its "Airmail" button.
  void Open() {
    window = std::make_unique<AutoConnectWindow>(pump);
    main = std::make_unique<MainWindow>(folder.path().string(), pump, *window);
    ASSERT_TRUE(main->Create());
    main->SetAutoStart(false);
    main->RecallAtStartup();
    main->Show(SW_SHOWNORMAL);
    MessageBoxAnswerer unexpected;
    main->Command(main->Tools().IdOf("Airmail"));
    ASSERT_TRUE(PumpUntil([&] { return window->Activated(); }, 10));
    ASSERT_EQ(testing::WindowText(window->Handle()), "AutoConnect");
    EXPECT_EQ(unexpected.Texts(), std::vector<std::string>{});
  }
  std::filesystem::path SettingsFile() const { return folder.path() / kSettingsFileName; }
  ProfileDocument Saved() const { return ProfileDocument::Load(SettingsFile()); }

  int IdOf(std::string_view field) const { return GetDlgCtrlID(window->Options().Control(field)); }
  void Type(std::string_view field, const char* text) { SetWindowTextA(window->Options().Control(field), text); }
  void Press(std::string_view button) {
    SendMessageA(window->Handle(), WM_COMMAND, MAKEWPARAM(IdOf(button), BN_CLICKED),
                 reinterpret_cast<LPARAM>(window->Options().Control(button)));
  }
  bool StartOffered() { return window->Tools().IsEnabled("Start"); }

  testing::TempFolder folder, data;
  MessagePump pump;
  std::unique_ptr<AutoConnectWindow> window;
  std::unique_ptr<MainWindow> main;
};

TEST_F(AutoConnectWindowTest, EachModeShowsExactlyItsFramesAndBuildsItsTable) {
  Settings("Mode Index=1\r\n");
  Open();
  EXPECT_TRUE(window->Visible());
  EXPECT_TRUE(main->Tools().IsEnabled("Airmail"));
  struct Case {
    int mode;
    std::set<std::string> frames;
    bool rows;
  };
  const Case cases[] = {
      {0, {"frmConnect"}, true},
      {1, {"frmConnect", "frmAutoSelect"}, true},
      {2, {"frmConnect", "frmAutoSelect"}, true},
      {3, {"frmReferenceStation"}, false},
      {4, {"frmReferenceData"}, false},
      {5, {"frmNoConnectData"}, false},
      {6, {"frmScanStation"}, true},
  };
  for (const auto& c : cases) {
    {
      // Mode 0 reads AirMail's terminal: AirMail is not running, and is not started.
      MessageBoxAnswerer no(IDNO);
      window->ModeChoose(c.mode);
    }
    std::set<std::string> shown;
    for (const auto& frame : OptionFrames())
      if (IsWindowVisible(window->Options().Frame(frame.frame))) shown.insert(frame.name);
    EXPECT_EQ(shown, c.frames) << "mode " << c.mode;
    for (const auto& field : OptionFields()) {
      if (field.frame == OptionFrame::None) continue;
      EXPECT_EQ(IsWindowVisible(window->Options().Control(field.name)) != FALSE, FrameShown(field.frame, c.mode))
          << field.name << " in mode " << c.mode;
    }
    EXPECT_EQ(window->Settings().modeIndex, c.mode);
    EXPECT_EQ(window->Table().DataRows() > 0, c.rows) << "mode " << c.mode;
  }
}

TEST_F(AutoConnectWindowTest, AClickOnACheckBoxCellTogglesIt) {
  Settings("Mode Index=1\r\n");
  Open();
  FrequencyTable& table = window->Table();
  ASSERT_GE(table.DataRows(), 2);
  HWND grid = window->Grid().Handle();
  for (int column : {kColumnRxCheck, kColumnTxConnect})
    for (int row : {1, 2}) {
      bool before = table.CheckGet(row, column);
      RECT cell = window->Grid().CellRect(row, column);
      LPARAM at = MAKELPARAM((cell.left + cell.right) / 2, (cell.top + cell.bottom) / 2);
      SendMessageA(grid, WM_LBUTTONDOWN, MK_LBUTTON, at);
      SendMessageA(grid, WM_LBUTTONUP, 0, at);
      EXPECT_NE(table.CheckGet(row, column), before) << "row " << row << " column " << column;
    }
}

TEST_F(AutoConnectWindowTest, AChangedFieldHoldsStartBackUntilRefreshAndLettersKeepTheValue) {
  Settings("Mode Index=1\r\n");
  Open();
  EXPECT_TRUE(StartOffered());
  Type("txtConnectAttempts", "ten");
  EXPECT_TRUE(window->SettingsPending());
  EXPECT_FALSE(StartOffered());
  EXPECT_FALSE(window->Tools().IsEnabled("Stop"));
  EXPECT_FALSE(IsWindowEnabled(window->Options().Control("cmbMode"))) << "no other mode with the change unapplied";
  std::vector<std::string> told;
  {
    MessageBoxAnswerer ok(IDOK);
    Press("cmdResync");
    told = ok.Texts();
  }
  ASSERT_EQ(told.size(), 1u);
  EXPECT_NE(told[0].find("The previous value 10 is kept."), std::string::npos) << told[0];
  EXPECT_EQ(window->Settings().connectAttempts, 10);
  EXPECT_EQ(window->Options().Text("txtConnectAttempts"), "10");
  EXPECT_FALSE(window->SettingsPending());
  EXPECT_TRUE(StartOffered());

  // A check box counts at once.
  SendMessageA(window->Options().Control("chkConnectTxOnly"), BM_CLICK, 0, 0);
  EXPECT_TRUE(window->Settings().connectTxOnly);
  EXPECT_FALSE(StartOffered());
}

TEST_F(AutoConnectWindowTest, ClosingSavesTheSettingsAndThePlaceButNotAMaximisedPlace) {
  Settings("Mode Index=1\r\n");
  Open();
  SetWindowPos(window->Handle(), nullptr, 300, 120, 700, 500, SWP_NOZORDER);
  Type("txtConnectNotBusy", "9");
  window->Close();
  EXPECT_FALSE(window->Visible());
  auto saved = Saved();
  EXPECT_EQ(saved.Read(kAutoConnectSection, "Connect Not Busy"), "9");
  // Twips: 15 to the pixel on a screen of 96 dots per inch.
  EXPECT_EQ(saved.Read(kAutoConnectSection, "Window Left"), "4500");
  EXPECT_EQ(saved.Read(kAutoConnectSection, "Window Height"), "7500");

  main->Command(main->Tools().IdOf("Airmail"));
  ASSERT_TRUE(PumpUntil([&] { return window->Visible() && window->Activated(); }));
  RECT placed{};
  GetWindowRect(window->Handle(), &placed);
  EXPECT_EQ(placed.left, 300) << "the place recalled before showing";
  ShowWindow(window->Handle(), SW_MAXIMIZE);
  Type("txtConnectNotBusy", "11");
  window->Close();
  saved = Saved();
  EXPECT_EQ(saved.Read(kAutoConnectSection, "Connect Not Busy"), "11");
  EXPECT_EQ(saved.Read(kAutoConnectSection, "Window Width"), "10500") << "the normal place kept";
}

TEST_F(AutoConnectWindowTest, ClosingDuringARunAsksAndNoKeepsItGoing) {
  testing::StandInSession airmail(
      {{"System", "HAM"}, {"Station", "W1AW"}, {"Frequency", "14075.0"}, {"Terminal", "1"}});
  Settings("Mode Index=1\r\n", airmail.ProgramFolder(), airmail.DataFolder());
  ASSERT_TRUE(airmail.Start(true));
  Open();
  ASSERT_TRUE(window->Start()) << window->Status().Text(2);
  AutoConnectEngine& engine = *window->Engine();
  EXPECT_EQ(window->Status().Text(1), "Running");
  EXPECT_FALSE(window->Tools().IsEnabled("Start"));
  EXPECT_TRUE(window->Tools().IsEnabled("Stop"));
  EXPECT_FALSE(IsWindowEnabled(window->Options().Control("cmdResync"))) << "a rebuild would move the run's rows";
  std::vector<std::string> asked;
  {
    MessageBoxAnswerer no(IDNO);
    window->Close();
    asked = no.Texts();
  }
  ASSERT_EQ(asked.size(), 1u);
  EXPECT_NE(asked[0].find("AutoConnect is running.  Closing the window will stop AutoConnect."), std::string::npos);
  EXPECT_TRUE(window->Visible());
  EXPECT_TRUE(engine.Running());
  {
    MessageBoxAnswerer yes(IDYES);
    window->Close();
  }
  EXPECT_FALSE(window->Visible());
  EXPECT_FALSE(engine.Running());
  EXPECT_FALSE(main->Detectors().AutoConnectActive());
  std::string log = testing::ReadBytes(folder.path() / "AutoConnectLog.txt");
  EXPECT_NE(log.find("\r\n"), log.rfind("\r\n")) << "the heading and one record:\n" << log;
}

}  // namespace
}  // namespace velmora
