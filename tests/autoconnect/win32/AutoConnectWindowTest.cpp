// The AutoConnect window as a user meets it, opened from the main window on
// the AirMail fixture: its frames, fields, menus and settings files, and
// runs against the stand-in AirMail and the stand-in radio.
#include <windows.h>
#include <commctrl.h>
#include <commdlg.h>

#include <utility>

#include "airmail/win32/AirmailRegistry.h"
#include "autoconnect/AutoConnectMenus.h"
#include "autoconnect/StationScanMachine.h"
#include "reports/win32/AutoConnectOptionsDialog.h"
#include "selection/ReferenceData.h"
#include "selection/TableColumns.h"
#include "tests/airmail/win32/StandInSession.h"
#include "tests/autoconnect/win32/AutoConnectFixture.h"
#include "tests/common/win32/WorkAreaFit.h"
#include "tests/selection/SelectionFakes.h"

namespace velmora {
namespace {

using testing::Answered;
using testing::HamScenario;
using testing::MessageBoxAnswerer;
using testing::PumpUntil;

class AutoConnectWindowTest : public testing::AutoConnectFixture {
 protected:
  // The settings for the stand-in `airmail`, started with its terminal.
  bool StartAirmail(testing::StandInSession& airmail, const std::string& lines) {
    Settings(lines, airmail.ProgramFolder(), airmail.DataFolder());
    return airmail.Start();
  }
};

TEST_F(AutoConnectWindowTest, AChangedFieldHoldsStartBackUntilRefreshAndLettersKeepTheValue) {
  Open();
  EXPECT_TRUE(window->Tools().IsEnabled("Start"));
  Type("txtConnectAttempts", "ten");
  EXPECT_TRUE(window->SettingsPending());
  EXPECT_FALSE(window->Tools().IsEnabled("Start"));
  EXPECT_FALSE(IsWindowEnabled(window->Options().Control("cmbMode"))) << "no other mode with the change unapplied";
  // The box's text: WindowFields' tests.
  EXPECT_EQ(Answered(IDOK, [&] { Press("cmdResync"); }).size(), 1u);
  EXPECT_EQ(window->Options().Text("txtConnectAttempts"), "10");
  EXPECT_FALSE(window->SettingsPending());
  EXPECT_TRUE(window->Tools().IsEnabled("Start"));

  // Enter on the focused "Refresh" presses it, as Space does.
  Type("txtConnectAttempts", "7");
  ASSERT_TRUE(window->SettingsPending());
  SetFocus(window->Options().Control("cmdResync"));
  Key(VK_RETURN);
  EXPECT_FALSE(window->SettingsPending());

  // A check box counts at once.
  SendMessageA(window->Options().Control("chkConnectTxOnly"), BM_CLICK, 0, 0);
  EXPECT_TRUE(window->Settings().connectTxOnly);
  EXPECT_FALSE(window->Tools().IsEnabled("Start"));
}

// From the keyboard: Tab reaches the toolbar, whose arrows go from button
// to button and whose Space presses the one shown hot (Start and Stop too).
TEST_F(AutoConnectWindowTest, TheToolbarIsWorkedFromTheKeyboardAndTheFocusComesBackWhereItWas) {
  Open();
  HWND tools = window->Tools().Handle();
  SetFocus(window->Options().Control("cmbMode"));
  for (int i = 0; i < 60 && GetFocus() != tools; ++i) Key(VK_TAB);
  ASSERT_EQ(GetFocus(), tools) << "Tab reaches the toolbar";
  const bool menuBar = window->Settings().menuBar;
  Key(VK_SPACE);
  EXPECT_NE(window->Settings().menuBar, menuBar) << "\"Menu\" pressed";
  const auto propagationButton = SendMessageA(tools, TB_COMMANDTOINDEX, window->Tools().IdOf("Propagation"), 0);
  for (int i = 0; i < 6 && SendMessageA(tools, TB_GETHOTITEM, 0, 0) != propagationButton; ++i) Key(VK_RIGHT);
  const bool propagation = window->Settings().propagationModelAdditionalData;
  Key(VK_SPACE);
  EXPECT_NE(window->Settings().propagationModelAdditionalData, propagation) << "\"Propagation\" pressed";
  // A box told, or another window used meanwhile: the focus comes back to
  // the field that had it, not to the window's face.
  HWND field = window->Options().Control("txtConnectNotBusy");
  SetFocus(field);
  HWND other = CreateWindowA("STATIC", "other", WS_POPUP | WS_VISIBLE, 0, 0, 50, 50, nullptr, nullptr, nullptr, nullptr);
  SetActiveWindow(other);
  ASSERT_NE(GetFocus(), field);
  SetActiveWindow(window->Handle());
  EXPECT_EQ(GetFocus(), field);
  DestroyWindow(other);
  // Alt and a letter: a caption's key takes the focus on to its box.
  AltKey('a');
  EXPECT_EQ(GetFocus(), window->Options().Control("txtConnectAttempts")) << "\"Attempts\" labels it";
  // F1 in a field opens the program's help, its overview, where it tells
  // of this window, and in the options dialog where it tells of that; the
  // lines before wrap in the overview's box.
  std::string overview = "Velmora\r\n", wrapped;
  for (int word = 0; word < 60; ++word) wrapped += "word ";
  for (int line = 1; line <= 200; ++line)
    overview += line == 61 ? "AUTOCONNECT\r\n" : line == 121 ? "AUTOCONNECT OPTIONS\r\n" : wrapped + "\r\n";
  testing::WriteBytes(folder.path() / "Velmora.txt", overview);
  auto topLine = [this] {
    HWND shown = main->Overview()->Handle();
    if (!shown || !IsWindowVisible(shown)) return std::string();
    HWND box = GetWindow(shown, GW_CHILD);
    char line[512] = {};
    *reinterpret_cast<WORD*>(line) = sizeof line - 1;
    LRESULT length = SendMessageA(box, EM_GETLINE, SendMessageA(box, EM_GETFIRSTVISIBLELINE, 0, 0),
                                  reinterpret_cast<LPARAM>(line));
    return std::string(line, static_cast<size_t>(length));
  };
  Key(VK_F1);
  EXPECT_EQ(topLine(), "AUTOCONNECT");
  RecordingMessenger messages{true};
  AutoConnectOptionsDialog dialog{[this] { return window->Handle(); }, window->Settings(), data.path(), messages, pump,
                                  [] {}};
  dialog.OptionsShow(OptionsDialogLink::kAirmailPage);
  SetActiveWindow(dialog.Handle());
  SetFocus(dialog.Box("Last Connect Check Minutes"));
  Key(VK_F1);
  EXPECT_EQ(topLine(), "AUTOCONNECT OPTIONS");
}

// At every showing the position's age is told (its text is tested with the
// positions), and then the place saved at the last close is recalled. A
// selected no-connect file names itself in the caption in every mode.
// AirMail, found through its installer's registry value where the settings
// hold none, is found when the window is made, before anything (the centre
// tone of the Options dialog) reads its files, and saved.
TEST_F(AutoConnectWindowTest, ClosingSavesTheSettingsAndThePlaceButNotAMaximisedPlaceAndAirmailIsFoundAtLoad) {
  Settings("Airmail Lat/Lon Check=True\r\nMode Index=1\r\n"
           "No Connect Data File=C:\\Velmora\\Data\\2005-03-14 183000.nct\r\n", "C:\\Nowhere", "C:\\Nowhere");
  ASSERT_EQ(RegSetKeyValueA(HKEY_CURRENT_USER, kAirmailInstallationKey, kAirmailInstallFolderValue, REG_SZ,
                            data.path().string().c_str(), static_cast<DWORD>(data.path().string().size() + 1)), 0);
  OpenMain();
  RegDeleteTreeA(HKEY_CURRENT_USER, "Software\\Sirius Cybernetics");
  EXPECT_EQ(window->AirmailDataFolder(), data.path().string());
  MessageBoxAnswerer ok;
  EXPECT_TRUE(Show([&] { return ok.Texts().size() == 1; }));
  EXPECT_EQ(testing::WindowText(window->Handle()), "No Connect Data - 03/14/05 18:30:00");
  SetWindowPos(window->Handle(), nullptr, 300, 120, 700, 500, SWP_NOZORDER);
  Type("txtConnectNotBusy", "9");
  window->Close();
  EXPECT_FALSE(window->Visible());
  const auto saved = Saved();
  EXPECT_EQ(saved.Read(kAutoConnectSection, "Connect Not Busy"), "9");
  // Twips: 15 to the pixel on a screen of 96 dots per inch.
  EXPECT_EQ(saved.Read(kAutoConnectSection, "Window Left"), "4500");

  EXPECT_TRUE(Show([&] { return ok.Texts().size() == 2; }));
  RECT placed{};
  GetWindowRect(window->Handle(), &placed);
  EXPECT_EQ(placed.left, 300) << "the place recalled before showing";
  ShowWindow(window->Handle(), SW_MAXIMIZE);
  window->Close();
  EXPECT_EQ(Saved().Read(kAutoConnectSection, "Window Width"), "10500") << "the normal place kept";
  // Saved on a larger screen, it comes back no larger than this one.
  std::error_code error;
  const std::string tall = std::to_string((GetSystemMetrics(SM_CYVIRTUALSCREEN) + 400) * 15);
  ASSERT_TRUE(ProfileWrite(SettingsFile(), kAutoConnectSection, "Window Height", tall, error));
  EXPECT_TRUE(Show([&] { return ok.Texts().size() == 3; }));
  EXPECT_TRUE(testing::FillsWorkAreaHeight(window->Handle())) << "raised to keep its status bar on the screen";
}

// "Airmail Resize" shrank the main window beside this one for good (its
// toolbar cut off) and that small place was saved. Now closing this window
// gives the earlier place back, unless the user placed the main window
// since, and the program closed while it is open saves the earlier place.
TEST_F(AutoConnectWindowTest, TheMainWindowGetsItsPlaceBackWhenThisWindowCloses) {
  Settings("Airmail Resize=True\r\nMode Index=1\r\n");
  OpenMain();
  auto place = [&] {
    RECT r{};
    GetWindowRect(main->Handle(), &r);
    return std::vector<LONG>{r.left, r.top, r.right - r.left, r.bottom - r.top};
  };
  const std::vector<LONG> earlier{60, 40, 820, 600};
  SetWindowPos(main->Handle(), nullptr, 60, 40, 820, 600, SWP_NOZORDER);
  EXPECT_TRUE(Show());
  EXPECT_EQ(place()[2], 370) << "shrunk beside it";
  window->Close();
  EXPECT_EQ(place(), earlier);
  EXPECT_TRUE(Show());
  SetWindowPos(main->Handle(), nullptr, 10, 10, 500, 300, SWP_NOZORDER);
  // Too wide and too tall to stand beside it on this screen (a netbook's),
  // it is narrowed and lowered to stay on the screen whole.
  RECT work{};
  SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
  SetWindowPos(window->Handle(), nullptr, 0, 0, work.right - work.left - 100, work.bottom - work.top + 50,
               SWP_NOZORDER);
  window->Close();
  EXPECT_EQ(place(), (std::vector<LONG>{10, 10, 500, 300})) << "placed by hand, it stays";
  SetWindowPos(main->Handle(), nullptr, 60, 40, 820, 600, SWP_NOZORDER);
  EXPECT_TRUE(Show());
  RECT beside{};
  GetWindowRect(window->Handle(), &beside);
  EXPECT_EQ(std::vector<LONG>({beside.left, beside.top, beside.right, beside.bottom}),
            std::vector<LONG>({work.left + 370, work.top, work.right, work.bottom}));
  main->Close();
  const auto saved = Saved();
  EXPECT_EQ(saved.Read(kDisplaySection, "Window Width"), "820") << "not the shrunk place";
  EXPECT_EQ(saved.Read(kAutoConnectSection, "Window Visible"), "True");
}

// The settings choosers open in the program's folder also when it is named
// with an accented letter (as the system gives it, in the code page).
TEST_F(AutoConnectWindowTest, TheSettingsChoosersOpenInTheProgramsFolder) {
  const std::string program = folder.path().string() + "\\J\xfcrgen";
  std::filesystem::create_directory(program);
  std::filesystem::copy_file(SettingsFile(), std::filesystem::path(program) / kSettingsFileName);
  OpenMain(program);
  ASSERT_TRUE(Show());
  for (auto [command, title] : {std::pair{autoconnect_menu::kSettingsRecall, "Recall Settings"},
                                {autoconnect_menu::kSettingsSave, "Save Settings"}}) {
    wchar_t shown[MAX_PATH * 2] = {};
    MessageBoxAnswerer cancel(IDCANCEL, [&, title = title] {
      if (HWND chooser = FindWindowA("#32770", title))
        SendMessageW(chooser, CDM_GETFOLDERPATH, MAX_PATH * 2, reinterpret_cast<LPARAM>(shown));
    });
    SendMessageA(window->Handle(), WM_COMMAND, command, 0);
    EXPECT_EQ(std::filesystem::path(shown), std::filesystem::path(program)) << title;
  }
}

// A frame's option buttons are one choice (the options as settings:
// WindowFields' tests); then the window's settings saved, recalled and set
// to their defaults.
TEST_F(AutoConnectWindowTest, OptionGroupsAndTheSettingsFiles) {
  Open();
  MessageBoxAnswerer ok;
  window->ModeChoose(kModeReferenceData);
  // The frame's pair: the second button clicked, the first let go.
  SendMessageA(window->Options().Control("optReferenceDataReference", 1), BM_CLICK, 0, 0);
  for (int which : {0, 1}) {
    HWND option = window->Options().Control("optReferenceDataReference", which);
    EXPECT_EQ(SendMessageA(option, BM_GETCHECK, 0, 0), which == 1 ? BST_CHECKED : BST_UNCHECKED) << which;
  }
  // The level is "Rx Snr" at 0, as the second button says.
  EXPECT_EQ(window->Settings().referenceDataReference, 0);

  const auto file = folder.path() / "Saved.ini";
  window->ModeChoose(kModeNoConnectData);
  window->SettingsSaveTo(file);
  window->ModeChoose(kModeMultipleFrequencies);
  window->SettingsRecallFrom(file);
  // The recalled offline mode's window, and nothing locked: it has no "Refresh" to press.
  EXPECT_EQ(window->Settings().modeIndex, kModeNoConnectData);
  // One that cannot be read is told, and the settings stay.
  const auto unreadable = folder.path() / "Folder.ini";
  std::filesystem::create_directory(unreadable);
  EXPECT_EQ(Answered(IDOK, [&] { window->SettingsRecallFrom(unreadable); }).size(), 1u);
  // One without this window's values was taken without a word, nothing recalled.
  const auto other = folder.path() / "Airmail.ini";
  testing::WriteBytes(other, "[Settings]\r\nMyCall=W1AW\r\n");
  auto told = Answered(IDOK, [&] { window->SettingsRecallFrom(other); });
  ASSERT_EQ(told.size(), 1u);
  EXPECT_NE(told[0].find("holds no AutoConnect settings: nothing was recalled."), std::string::npos) << told[0];
  EXPECT_EQ(window->Settings().modeIndex, kModeNoConnectData);
  EXPECT_EQ(FramesShown(), std::set<std::string>{"frmNoConnectData"});
  EXPECT_FALSE(window->SettingsPending());
  EXPECT_TRUE(IsWindowEnabled(window->Options().Control("cmbMode")));
  EXPECT_TRUE(MenuEnabled("Mode", autoconnect_menu::kMode0 + static_cast<int>(kModeMultipleStations)));
  Type("txtConnectNotBusy", "9");
  window->Command(autoconnect_menu::kFileDefault);
  EXPECT_EQ(window->Options().Text("txtConnectNotBusy"), "7");
  EXPECT_EQ(FramesShown(), (std::set<std::string>{"frmConnect", "frmAutoSelect"})) << "the default mode 2";
}

// "Velmora.Ini" that could not be read at start (another program held it)
// is left as it is when this window closes, as when the main window does:
// its close once saved the defaults that stood in for the settings.
TEST_F(AutoConnectWindowTest, ASettingsFileUnreadableAtStartIsNotSavedOverAtItsClose) {
  const std::string before = testing::ReadBytes(SettingsFile());
  HANDLE lock = CreateFileW(SettingsFile().c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(lock, INVALID_HANDLE_VALUE);
  EXPECT_EQ(Answered(IDOK, [&] { OpenMain(); }).size(), 1u);
  CloseHandle(lock);
  MessageBoxAnswerer ok;
  ASSERT_TRUE(Show());
  window->Close();
  EXPECT_EQ(testing::ReadBytes(SettingsFile()), before);
}

// A run asks before its window closes, greys what would replace its
// settings, keeps its own, and keeps a failed round when it ends.
TEST_F(AutoConnectWindowTest, ARunGreysWhatWouldReplaceItsSettingsAndKeepsItsOwn) {
  testing::StandInSession airmail(HamScenario({{"Outcome", "noanswer"}, {"Seconds", "0.3"}}));
  ASSERT_TRUE(StartAirmail(airmail, "Mode Index=1\r\nConnect Tx Only=True\r\nConnect Attempts=1\r\n"
                                    "Connect Not Busy=0.5\r\nNo Connect Data=True\r\n"));
  Open();
  if (!window->Table().CheckGet(1, kColumnTxConnect)) ClickCell(1, kColumnTxConnect);
  using namespace autoconnect_menu;
  // One entry of each menu: a menu's entries that replace settings are greyed alike.
  const std::pair<const char*, int> entries[] = {
      {"File", kFileRecall}, {"Settings", kSettingsDefault}, {"Mode", kMode0}};
  ASSERT_TRUE(window->Start()) << window->Status().Text(2);
  AutoConnectEngine& engine = *window->Engine();
  EXPECT_EQ(window->Status().Text(1), "Running");
  EXPECT_FALSE(window->Tools().IsEnabled("Start"));
  EXPECT_TRUE(window->Tools().IsEnabled("Stop"));
  EXPECT_FALSE(IsWindowEnabled(window->Options().Control("cmdResync"))) << "a rebuild would move the run's rows";
  for (const auto& [menu, command] : entries) EXPECT_FALSE(MenuEnabled(menu, command)) << menu << " " << command;
  // Closing the window asks first; No keeps the run going.
  EXPECT_EQ(Answered(IDNO, [&] { window->Close(); }).size(), 1u) << "the engine's question";
  EXPECT_TRUE(window->Visible());
  EXPECT_TRUE(engine.Running());
  // Another data folder in an offline mode: refused by the window, taken
  // through the main window's Recall, and no matter to the run.
  const auto other = folder.path() / "Other.ini";
  testing::WriteBytes(other,
                      "[Airmail Data]\r\nMode Index=4\r\nAirmail Directory Data=" + data.path().string() + "\r\n");
  window->Command(kFileDefault);
  window->SettingsRecallFrom(other);
  EXPECT_EQ(window->Settings().modeIndex, kModeMultipleFrequencies);
  main->RecallSettingsFrom(other);
  EXPECT_EQ(window->Settings().modeIndex, kModeReferenceData);

  // Free buffers until the call's result ends the run; each change of
  // frequency restarts the input, here the one buffer of the test signal.
  main->Signal().inputSource = kSimulated;
  EXPECT_TRUE(PumpUntil([&] {
    window->Update(Verdict{});
    return !engine.Running();
  }, 30)) << window->Status().Text(2);
  EXPECT_EQ(window->Status().Text(2), "Did not Connect ");
  EXPECT_FALSE(main->Detectors().AutoConnectActive());
  // The failed round is kept as the run asked, and selected for mode 5.
  const std::filesystem::path kept = window->Settings().noConnectDataFile;
  EXPECT_EQ(kept.parent_path(), folder.path() / "Data");
  EXPECT_EQ(kept.extension(), ".nct");
  EXPECT_TRUE(std::filesystem::exists(kept));
  // The recalled mode is one "Refresh" away, and nothing stays greyed.
  Answered(IDOK, [&] { Press("cmdResync"); });
  for (const auto& [menu, command] : entries) EXPECT_TRUE(MenuEnabled(menu, command)) << menu << " " << command;
}

// No position left in AirMail's files: the log's start asks for it in a
// box, and the program is closed from inside that box. The start ends first
// and goes no further, and nothing is unloaded under it (the same wait holds
// for the question whether to start AirMail, or any call into the window).
TEST_F(AutoConnectWindowTest, ClosingTheProgramWhileAStartWaitsInABoxEndsTheStartFirst) {
  testing::StandInSession airmail(HamScenario());
  ASSERT_TRUE(StartAirmail(airmail, "Mode Index=1\r\n"));
  Open();
  testing::WriteBytes(std::filesystem::path(airmail.DataFolder()) / "Airmail.ini", "[Settings]\r\n");
  HWND mainWindow = main->Handle();
  bool bothThere = false, started = true;
  std::vector<std::string> told;
  {
    MessageBoxAnswerer answer(IDOK, [&] {
      SendMessageA(mainWindow, WM_CLOSE, 0, 0);
      bothThere = IsWindow(mainWindow) && window->Handle() && IsWindow(window->Handle());
    });
    started = window->Start();
    told = answer.Texts();
  }
  ASSERT_FALSE(told.empty());
  EXPECT_NE(told[0].find("Unable to find AirMail's"), std::string::npos) << told[0];
  EXPECT_TRUE(bothThere) << "nothing unloaded under the waiting start";
  EXPECT_FALSE(started);
  EXPECT_FALSE(main->Detectors().AutoConnectActive());
  EXPECT_TRUE(PumpUntil([&] { return main->Handle() == nullptr; })) << "the close follows";
  EXPECT_EQ(window->Handle(), nullptr);
}

// Stopped while its start waits in a box: until that start has returned,
// Start and Refresh are greyed and a Start is refused, then both come back
// and a new run starts. Closed and shown again there, its showing's rebuild
// (and AirMail brought to the front) waits for the start to return, and is
// not lost.
TEST_F(AutoConnectWindowTest, WhatComesWhileAStoppedRunsStartWaitsInABoxWaitsForItToReturn) {
  testing::StandInSession airmail(HamScenario());
  ASSERT_TRUE(StartAirmail(airmail, "Mode Index=1\r\n"));
  Open();
  const std::string station = window->Table().CellGet(1, kColumnStation);
  const auto position = std::filesystem::path(airmail.DataFolder()) / "Airmail.ini";
  const std::string kept = testing::ReadBytes(position);
  testing::WriteBytes(position, "[Settings]\r\n");
  bool answered = false, startShown = true, refreshShown = true, startedInside = true, rebuiltInside = true;
  {
    MessageBoxAnswerer answer(IDOK, [&] {
      if (std::exchange(answered, true)) return;
      window->Stop();
      startShown = window->Tools().IsEnabled("Start");
      refreshShown = IsWindowEnabled(window->Options().Control("cmdResync"));
      testing::WriteBytes(position, kept);
      startedInside = window->Start();
      window->Close();
      window->Table().CellSet(1, kColumnStation, "Old");
      window->Show();
      PumpUntil([] { return false; }, 1);
      rebuiltInside = window->Table().CellGet(1, kColumnStation) != "Old";
    });
    EXPECT_FALSE(window->Start());
  }
  EXPECT_FALSE(startShown);
  EXPECT_FALSE(refreshShown);
  EXPECT_FALSE(startedInside);
  EXPECT_FALSE(rebuiltInside);
  MessageBoxAnswerer none;
  EXPECT_TRUE(PumpUntil([&] { return window->Table().CellGet(1, kColumnStation) == station; }, 5));
  EXPECT_EQ(none.Texts(), std::vector<std::string>{});
  EXPECT_TRUE(window->Tools().IsEnabled("Start"));
  EXPECT_TRUE(IsWindowEnabled(window->Options().Control("cmdResync")));
  EXPECT_TRUE(window->Start()) << window->Status().Text(2);
  window->Stop();
}

// Windows ending the session mid-run with the log held by another program:
// the box about the record came before anything was saved and held the
// shutdown there, the settings, the history and the channels heard lost
// when Windows ended the process. The boxes now come once all is saved.
TEST_F(AutoConnectWindowTest, WindowsEndingTheSessionSavesAllBeforeItsBoxes) {
  testing::StandInSession airmail(HamScenario());
  ASSERT_TRUE(StartAirmail(airmail, "Mode Index=1\r\nConnect Not Busy=60\r\n"));
  Open();
  ASSERT_TRUE(window->Start()) << window->Status().Text(2);
  const auto log = folder.path() / "AutoConnectLog.txt";
  HANDLE held = CreateFileW(log.c_str(), GENERIC_READ, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(held, INVALID_HANDLE_VALUE);
  bool savedFirst = true;
  std::vector<std::string> told;
  {
    MessageBoxAnswerer answer(IDOK,
                              [&] { savedFirst = savedFirst && !Saved().Read(kDetectorSection, "Burst").empty(); });
    SendMessageA(main->Handle(), WM_ENDSESSION, TRUE, 0);
    told = answer.Texts();
  }
  CloseHandle(held);
  ASSERT_FALSE(told.empty());
  EXPECT_NE(told.back().find("LogFileStop"), std::string::npos) << told.back();
  EXPECT_TRUE(savedFirst) << told[0];
}

constexpr Verdict kFree{}, kBusy{true, true, false, false};
// The fixture's HAM list has a station whose grid square is no place.
const std::vector<std::string> kNoPlace = {"[Velmora]\n\nOK\nUnable to Convert Grid CM8 to Lat/Lon\n"};

// Two busy buffers in a row stop the scan in its box; its Cancel ends the run
// (the status it leaves: StationScanMachine's table) and the seconds shown.
TEST_F(AutoConnectWindowTest, AScanStopsOnABusyFrequencyInItsBox) {
  testing::StandInSession airmail(HamScenario());
  ASSERT_TRUE(StartAirmail(airmail, "Mode Index=6\r\nScan Station Not Busy=1\r\n"));
  Open(kNoPlace);
  ASSERT_TRUE(window->Start()) << window->Status().Text(2);
  main->Signal().inputSource = kSimulated;
  // Minimised while it scans (AirMail wanted in front): the box comes up
  // where the window comes back, not beside the minimised one off the screen.
  ShowWindow(window->Handle(), SW_MINIMIZE);
  for (Verdict verdict : {kFree, kBusy, kBusy}) window->Update(verdict);
  EXPECT_EQ(window->Table().CellColor(1, kColumnTxConnect), kColorScanBusy);
  EXPECT_NE(window->Options().Text("lblScanNotBusy"), "");
  HWND box = window->ScanBox()->Handle();
  ASSERT_TRUE(IsWindowVisible(box));
  ShowWindow(window->Handle(), SW_RESTORE);
  RECT shown{}, work{};
  GetWindowRect(box, &shown);
  SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
  EXPECT_TRUE(shown.left >= work.left && shown.top >= work.top && shown.right <= work.right &&
              shown.bottom <= work.bottom)
      << shown.left << "," << shown.top;
  SendMessageA(box, WM_COMMAND, kScanCancelId, 0);
  window->Update(kFree);
  EXPECT_FALSE(window->Engine()->Running());
  EXPECT_FALSE(IsWindowVisible(box));
  EXPECT_EQ(window->Options().Text("lblScanNotBusy"), "") << "no seconds of a scan that has ended";
}

// Measured through the radio (its S-meter silent, so with "Rx Pwr" as the
// reference no row gets a "Ref") and the sound card. Whatever would drop
// the measurements asks first, a rebuild for settings applied during the
// run too once the run has ended; a save that fails keeps them. Saved as
// Windows ends, every measured row is in the file; recalled into "Reference Data".
TEST_F(AutoConnectWindowTest, ReferenceMeasurementsAreAskedForBeforeAnythingDropsThemSavedAndRecalled) {
  testing::StandInSession airmail(HamScenario());
  ASSERT_TRUE(StartAirmail(airmail, "Mode Index=3\r\nReference Station S-Meter=True\r\nRadio Comm Port=8\r\n"
                                    "Reference Data Reference=1\r\nReference Station Average=1\r\n"
                                    "Reference Station All Stations Limit=1\r\n"));
  const auto radioRecord = folder.path() / "Radio.txt";
  // S 5 to every request, then silence. A second of buffers per row: the
  // replies come a few buffers late when the buffers come this fast.
  std::string readings = "5";
  for (int i = 1; i < 200; ++i) readings += ",5";
  testing::ChildProcess radio("\"" + testing::HostPath(VELMORA_RADIO_STANDIN).string() + "\" COM9 \"" +
                              radioRecord.string() + "\" --readings " + readings);
  ASSERT_TRUE(PumpUntil([&] { return std::filesystem::exists(radioRecord); }, 10)) << "the radio holds COM9";
  // A run killed with the radio in remote control left its mark: handed back as the window opens.
  const auto remoteMark = folder.path() / kRadioRemoteMarkFile;
  testing::WriteBytes(remoteMark, "8,3\r\n");
  Open(kNoPlace);
  EXPECT_EQ(window->Status().Text(2), "Radio, Remote Control Off ");
  EXPECT_TRUE(PumpUntil([&] { return testing::ReadBytes(radioRecord).find("REMOTE,OFF") != std::string::npos; }, 5));
  const int rows = window->Table().DataRows();
  ASSERT_GT(rows, 0);
  EXPECT_FALSE(IsWindowEnabled(window->Options().Control("cmdSave")));
  testing::WriteBytes(folder.path() / "Data", "in the way");  // no save can succeed
  auto askedAndRefused = [&](const std::vector<std::string>& asked) {
    ASSERT_EQ(asked.size(), 2u);
    EXPECT_NE(asked[0].find(kReferenceUnsavedQuestion), std::string::npos) << asked[0];
    EXPECT_NE(asked[1].find("ReferenceStationSave, "), std::string::npos) << asked[1];
    EXPECT_EQ(window->Table().DataRows(), rows);
    EXPECT_TRUE(window->ReferenceUnsaved());
  };
  ASSERT_TRUE(window->Start()) << window->Status().Text(2);
  main->Signal().inputSource = kSimulated;
  {
    MessageBoxAnswerer yes(IDYES);
    window->OptionsApplied();
    EXPECT_TRUE(window->Engine()->Running()) << "no rebuild under the run";
    ASSERT_TRUE(PumpUntil([&] {
      window->Update(kFree);
      return yes.Texts().size() == 2;
    }, 60)) << window->Status().Text(2);
    askedAndRefused(yes.Texts());
  }
  EXPECT_EQ(window->Status().Text(1), "Done");
  EXPECT_FALSE(std::filesystem::exists(remoteMark)) << "handed back at the end";
  EXPECT_TRUE(IsWindowEnabled(window->Options().Control("cmdSave")));
  // The power is the reference level; a row the radio gave no reading for has no figures.
  for (int row = 1; row <= rows; ++row)
    EXPECT_EQ(window->Table().CellGet(row, kColumnRef), window->Table().CellGet(row, kColumnRxPwr)) << row;
  const int measured = static_cast<int>(ReferenceRowsKept(window->Table()).size());
  ASSERT_GT(measured, 0);

  using namespace autoconnect_menu;
  const std::pair<const char*, std::function<void()>> drops[] = {
      {"Refresh", [&] { Press("cmdResync"); }},
      {"Propagation", [&] { window->Command(window->Tools().IdOf("Propagation")); }},
      {"Settings Recall...", [&] { window->SettingsRecallFrom(SettingsFile()); }},
      {"another mode", [&] { window->ModeChoose(kModeReferenceData); }},
      {"Close", [&] { window->Close(); }},
      {"the program closed", [&] { main->Close(); }},
  };
  for (const auto& [name, drop] : drops) {
    SCOPED_TRACE(name);
    askedAndRefused(Answered(IDYES, drop));
    EXPECT_EQ(window->Settings().modeIndex, kModeReferenceStations);
    EXPECT_FALSE(window->Settings().propagationModelAdditionalData);
    EXPECT_TRUE(window->Visible());
    EXPECT_TRUE(IsWindow(main->Handle()));
  }

  {  // A file clicked in the working list asks too, under way while it asks.
    bool busy = false;
    MessageBoxAnswerer asking(IDYES, [&] { busy = busy || window->Busy(); });
    window->ReferenceRecallFrom(folder.path() / "Other.ref");
    askedAndRefused(asking.Texts());
    EXPECT_TRUE(busy) << "a close from the question would unload the window under it";
    EXPECT_NE(window->Settings().referenceDataFile, (folder.path() / "Other.ref").string());
  }

  // Windows ending the session saves them without a question nobody would answer.
  std::filesystem::remove(folder.path() / "Data");
  {
    MessageBoxAnswerer none;
    SendMessageA(main->Handle(), WM_ENDSESSION, TRUE, 0);
    EXPECT_EQ(none.Texts(), std::vector<std::string>{});
  }
  EXPECT_FALSE(window->ReferenceUnsaved());
  const std::filesystem::path saved = window->Settings().referenceDataFile;
  EXPECT_EQ(Saved().Read(kAutoConnectSection, "Reference Data File"), saved.string());
  EXPECT_EQ(SplitLines(testing::ReadBytes(saved)).size(), 3u + measured) << "every measured row";
  window->Close();
  EXPECT_FALSE(window->Visible());

  MessageBoxAnswerer ok;
  window->Show();
  ASSERT_TRUE(PumpUntil([&] { return window->Ready(); }, 10));
  window->Status().SetText(2, "Ready");
  EXPECT_FALSE(window->ReferenceSave()) << "the rebuilt table holds nothing measured";
  EXPECT_EQ(window->Status().Text(2), "Ready") << "never \"Saved Data\"";
  window->ReferenceRecallFrom(saved);
  std::vector<std::string> told = ok.Texts();
  std::erase(told, kNoPlace[0]);
  ASSERT_EQ(told.size(), 1u) << "one refusal and no other box";
  EXPECT_NE(told[0].find(kReferenceNothingMeasured), std::string::npos) << told[0];
  EXPECT_EQ(window->Settings().modeIndex, kModeReferenceData);
  EXPECT_EQ(window->Table().DataRows(), measured);
  EXPECT_EQ(window->Status().Text(2), "Recalled Data ");
}

// A recalled table's stations are of the system it was kept for: the View
// menu showed them with no system (an empty window, or the station shown
// before). Current Frequency has no tool-tips: the last one of another mode
// stood over every cell. A rebuild waits in boxes as a start does.
TEST_F(AutoConnectWindowTest, ARecalledRowIsOfItsSystemAndCurrentFrequencyHasNoToolTips) {
  struct Views final : StationWindows {
    std::string shown;
    void PropagationDetailsShow(std::string_view system, std::string_view station, const UtcDateTime&) override {
      shown = std::string(system) + "," + std::string(station);
    }
    void PropagationHoursShow(std::string_view, std::string_view, const UtcDateTime&) override {}
  } views;
  auto file = folder.path() / "r.ref";
  testing::WriteBytes(file, testing::RefFile({testing::RefLine({{kColumnStation, "KX1"}, {kColumnRxSnr, "20"}})}));
  Settings("Mode Index=4\r\nReference Data File=" + file.string() + "\r\n");
  Open();
  window->StationViewsSet(&views, nullptr);
  ClickCell(1, kColumnStation);
  window->Command(autoconnect_menu::kViewPropagationDetailed);
  EXPECT_EQ(views.shown, "HAM,KX1");
  auto hover = [&](int x) {
    RECT cell = window->Grid().CellRect(0, kColumnStation);
    SendMessageA(window->Grid().Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(cell.left + x, cell.top + 3));
    return window->Grid().ToolTipText();
  };
  EXPECT_EQ(hover(3), "Station (Id)");
  // Asked for by another window, as here, the rebuild waiting in a box
  // counts as under way: a close from the box waited for none.
  bool busy = false;
  MessageBoxAnswerer answer(IDNO, [&] { busy = window->Busy(); });
  window->ModeChoose(kModeCurrentFrequency);
  EXPECT_TRUE(busy);
  EXPECT_EQ(hover(5), "");
}

}  // namespace
}  // namespace velmora
