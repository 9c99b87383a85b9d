// The AutoConnect window as a user meets it, opened from the main window on
// the AirMail fixture: its fields, toolbar and keys, its place and the main
// window's, and its settings files. Runs: AutoConnectRunTest; measured and
// recalled tables: AutoConnectDataTest.
#include <windows.h>
#include <commctrl.h>
#include <commdlg.h>

#include <utility>

#include "airmail/win32/AirmailRegistry.h"
#include "autoconnect/AutoConnectMenus.h"
#include "reports/win32/AutoConnectOptionsDialog.h"
#include "selection/TableColumns.h"
#include "tests/autoconnect/win32/AutoConnectWindowFixture.h"
#include "tests/common/win32/WorkAreaFit.h"

namespace velmora {
namespace {

using testing::Answered;
using testing::AutoConnectWindowTest;
using testing::MessageBoxAnswerer;

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
  EXPECT_TRUE(testing::FocusComesBack(window->Options().Control("txtConnectNotBusy")));
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
  Key(VK_F1);
  EXPECT_EQ(testing::TopLine(main->Overview()->Handle()), "AUTOCONNECT");
  RecordingMessenger messages{true};
  AutoConnectOptionsDialog dialog{[this] { return window->Handle(); }, window->Settings(), data.path(), messages, pump,
                                  [] {}};
  dialog.OptionsShow(OptionsDialogLink::kAirmailPage);
  SetActiveWindow(dialog.Handle());
  SetFocus(dialog.Box("Last Connect Check Minutes"));
  Key(VK_F1);
  EXPECT_EQ(testing::TopLine(main->Overview()->Handle()), "AUTOCONNECT OPTIONS");
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
  EXPECT_TRUE(testing::ToldOnce(Answered(IDOK, [&] { window->SettingsRecallFrom(other); }),
                                "holds no AutoConnect settings: nothing was recalled."));
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
// is told, and left as it is when this window closes and when the main
// window does, the lock gone by then: a close once saved the defaults that
// stood in for the settings.
TEST_F(AutoConnectWindowTest, ASettingsFileUnreadableAtStartIsToldAndNotSavedOverAtAClose) {
  std::error_code error;
  ASSERT_TRUE(ProfileWrite(SettingsFile(), kDetectorSection, "Pactor3 Threshold", "33", error));
  const std::string before = testing::ReadBytes(SettingsFile());
  HANDLE lock = CreateFileW(SettingsFile().c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(lock, INVALID_HANDLE_VALUE);
  const auto told = Answered(IDOK, [&] { OpenMain(); });
  CloseHandle(lock);
  EXPECT_TRUE(testing::ToldOnce(told, "ProfileRecall - Cannot read " + SettingsFile().string()));
  EXPECT_NE(main->Settings().detector.pactor3Threshold, 33);
  MessageBoxAnswerer ok;
  ASSERT_TRUE(Show());
  window->Close();
  EXPECT_EQ(testing::ReadBytes(SettingsFile()), before) << "at the AutoConnect window's close";
  main->Close();
  EXPECT_EQ(testing::ReadBytes(SettingsFile()), before) << "at the main window's close";
}

}  // namespace
}  // namespace velmora
