// The Options dialog and the help windows as a user meets them, on the
// real main window.
#include <windows.h>
#include <commctrl.h>

#include "app/MenuModel.h"
#include "common/win32/LayoutScale.h"
#include "common/SystemLib.h"
#include "display/win32/OptionsIds.h"
#include "tests/app/win32/MainWindowFixture.h"
#include "tests/common/AccessKeyCheck.h"

namespace velmora {
namespace {

using testing::AccessKeyFaults;

// An AutoConnect side that knows only where AirMail's data lies.
class FixtureAutoConnect final : public NoAutoConnect {
 public:
  std::string folder = testing::HostPath(VELMORA_SOURCE_DIR "/tests/airmail/fixture/data").string();
  std::string AirmailDataFolder() const override { return folder; }
};

class OptionsDialogTest : public testing::MainWindowFixture<FixtureAutoConnect> {
 protected:
  OptionsDialog& Options() { return *window->Options(); }
  HWND Item(int tab, int id) { return GetDlgItem(Options().Page(tab), id); }
  void Click(int tab, int id) { SendMessageA(Item(tab, id), BM_CLICK, 0, 0); }
  void Press(int id) { SendMessageA(Options().Handle(), WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), 0); }
  void Type(int tab, int id, const char* text) { SetWindowTextA(Item(tab, id), text); }
  std::string Text(int tab, int id) { return testing::WindowText(Item(tab, id)); }
  void Open(int tab) {
    window->Command(menu::kOptionsInput + tab);
    ASSERT_TRUE(Options().Visible());
  }
};

// The toolbar's button opens the dialog on its tab, the members shown. A
// bad value keeps the dialog open, the boxes before it stored and those
// after it not; Cancel then leaves the members as they are, and the next
// showing shows them.
TEST_F(OptionsDialogTest, OpensOnTheAskedTabABadValueShowsItsMessageCancelLeavesTheMembersApplyOnlyTheChanged) {
  window->Settings().detector.pactor2Threshold = 42.5f;
  window->Command(window->Tools().IdOf("Detector"));
  ASSERT_TRUE(Options().Visible());
  EXPECT_EQ(SendMessageA(GetDlgItem(Options().Handle(), IDC_SSTAB), TCM_GETCURSEL, 0, 0), 2);
  EXPECT_EQ(Text(2, IDC_TXTPACTOR2), "42.5");
  EXPECT_EQ(Options().ReadControls(), DataSet(window->Settings(), window->Signal()));
  Type(2, IDC_TXTPACTOR2, "45");
  Type(2, IDC_TXTPACTOR3, "thirty");
  Type(2, IDC_TXTPOWER, "3");
  Click(2, IDC_CHKBURST);
  EXPECT_TRUE(testing::ToldOnce(testing::Answered(IDOK, [&] { Press(IDC_CMDOK); }),
                                "Options Detector Error, Type mismatch in Pactor 3 Threshold: \"thirty\""));
  EXPECT_TRUE(Options().Visible());
  EXPECT_EQ(window->Settings().detector.pactor2Threshold, 45);
  EXPECT_EQ(window->Settings().detector.pactor3Threshold, 35);
  Press(IDC_CMDCANCEL);
  EXPECT_FALSE(Options().Visible());
  EXPECT_FALSE(window->Settings().detector.burstEnabled);
  Open(OptionsDialog::kDetectorTab);
  EXPECT_EQ(Text(2, IDC_TXTPACTOR3), "35");
  EXPECT_EQ(Text(2, IDC_TXTPOWER), "10");
  EXPECT_NE(SendMessageA(Item(2, IDC_CHKBURST), BM_GETCHECK, 0, 0), BST_CHECKED);

  // Apply stores only the boxes the user changed: what the menus and
  // AutoConnect changed while the dialog was open (a recording, the sample
  // size, the centre of the Pactor search at each frequency) stays.
  window->Command(menu::kFileRecord);
  window->Command(menu::kFrequencySamples0 + 12);
  window->Detectors().SetCenterFrequency(2100);
  Press(IDC_CMDAPPLY);
  EXPECT_TRUE(window->Signal().Recording());
  EXPECT_EQ(window->Settings().display.sampleSize, 4096);
  EXPECT_EQ(window->Settings().detector.centerFrequency, 2100);
  testing::Answered(IDOK, [&] { window->Command(menu::kFileRecord); });  // no buffer came: told so
  Press(IDC_CMDOK);
  EXPECT_FALSE(window->Signal().Recording());
  // After an Apply that refused a box, one it stored and the user set back
  // as it was shown is a change again.
  Open(OptionsDialog::kDetectorTab);
  Type(2, IDC_TXTPACTOR2, "46");
  Type(2, IDC_TXTPACTOR3, "thirty");
  testing::Answered(IDOK, [&] { Press(IDC_CMDAPPLY); });
  Type(2, IDC_TXTPACTOR2, "45");
  Type(2, IDC_TXTPACTOR3, "35");
  // While the box is up the dialog takes no clicks: a second Apply, or a
  // Default, would run inside the first one, which then stores its boxes over them.
  Type(2, IDC_TXTPACTOR3, "thirty");
  EXPECT_TRUE(testing::NoClicksUnderItsBox(Options().Handle(), [&] { Press(IDC_CMDAPPLY); }));
  EXPECT_EQ(window->Settings().detector.pactor2Threshold, 45) << "set back as it was shown: stored again";
}

// The level buttons' box ("Problem Setting Input Sound Level": the control
// panel would not start) left the dialog taking clicks under it.
TEST_F(OptionsDialogTest, TheDialogTakesNoClicksUnderTheLevelControlsBox) {
  // Found before the system's own: a control panel that cannot start.
  std::ofstream(folder.path() / "control.exe", std::ios::binary) << "not a program";
  wchar_t before[MAX_PATH] = {};
  GetCurrentDirectoryW(MAX_PATH, before);
  SetCurrentDirectoryW(folder.path().c_str());
  Open(OptionsDialog::kInputTab);
  EXPECT_TRUE(testing::NoClicksUnderItsBox(Options().Handle(), [&] { Press(IDC_CMDSOUNDLEVEL); },
                                           "Problem Setting Input Sound Level"));
  SetCurrentDirectoryW(before);
}

// Asked for again while open (another tab from the toolbar), the dialog
// keeps what the user typed and shows what changed elsewhere meanwhile. The
// focus leaves the page turned away for the tabs: keys typed go nowhere unseen.
TEST_F(OptionsDialogTest, ShownAgainWhileOpenItKeepsTheBoxesBeingEdited) {
  Open(OptionsDialog::kDetectorTab);
  Type(2, IDC_TXTPACTOR2, "45");
  SetFocus(Item(2, IDC_TXTPACTOR2));
  window->Command(menu::kFrequencySamples0 + 12);
  Open(OptionsDialog::kDisplayTab);
  EXPECT_EQ(GetFocus(), GetDlgItem(Options().Handle(), IDC_SSTAB));
  EXPECT_EQ(Text(2, IDC_TXTPACTOR2), "45");
  EXPECT_EQ(SendMessageA(Item(1, IDC_CMBDISPLAYTIME), CB_GETCURSEL, 0, 0), SampleSizeIndex(4096));
  Press(IDC_CMDOK);
  EXPECT_EQ(window->Settings().detector.pactor2Threshold, 45);
}

// Then the waterfall, the wide band, "Digital Busy" and "Pactor Fading" switched here.
TEST_F(OptionsDialogTest, SpecialModesDisableThePactorAndNoiseControlsAndTheCentreFollowsAirmail) {
  window->Settings().detector.centerFrequencyAuto = false;
  Open(OptionsDialog::kDetectorTab);
  Click(2, IDC_CHKFAX);
  for (int id : {IDC_CHKPACTOR2, IDC_TXTPACTOR3, IDC_CHKPOWER, IDC_CHKBURST, IDC_CMDSTATISTICS})
    EXPECT_FALSE(IsWindowEnabled(Item(2, id))) << id;
  Click(2, IDC_CHKCW);
  Click(2, IDC_CHKFAX);
  EXPECT_FALSE(IsWindowEnabled(Item(2, IDC_CHKPACTOR2))) << "CW is still checked";
  Click(2, IDC_CHKCW);
  EXPECT_TRUE(IsWindowEnabled(Item(2, IDC_CHKPACTOR2)));

  // The automatic centre frequency comes from AirMail.
  EXPECT_TRUE(IsWindowEnabled(Item(2, IDC_TXTCENTERFREQUENCY)));
  Click(2, IDC_CHKCENTERFREQUENCY);
  EXPECT_TRUE(window->Settings().detector.centerFrequencyAuto);
  EXPECT_EQ(window->Settings().detector.centerFrequencyAutoFrequency, 1500) << "the fixture's PTC Center Tone";
  EXPECT_EQ(Text(2, IDC_TXTCENTERFREQUENCY), "1500");
  EXPECT_FALSE(IsWindowEnabled(Item(2, IDC_TXTCENTERFREQUENCY)));
  for (int id : {IDC_CHKPACTOR3WIDEBAND, IDC_CHKDIGITALBUSY, IDC_CHKPACTORFADING}) Click(2, id);
  Click(1, IDC_CHKWATERFALL);
  Press(IDC_CMDAPPLY);
  EXPECT_EQ(window->Settings().detector.centerFrequency, 1500);
  EXPECT_TRUE(window->Settings().display.waterfall);
  EXPECT_TRUE(window->Settings().detector.pactor3WideBand);
  EXPECT_TRUE(window->Settings().detector.digitalBusy);
  EXPECT_TRUE(window->Settings().detector.pactorFading);
}

// The test signal's slider steps whole bins of the sample size in use, also
// one chosen from the spectrum's menu while the dialog is open.
TEST_F(OptionsDialogTest, TheSimulateSliderStepsBinsOfTheSampleSizeInUseAndItsBoxTypedAfterItIsApplied) {
  window->Settings().display.sampleSize = 2048;
  window->Signal().simulate.frequency = 1500;
  Open(OptionsDialog::kInputTab);
  window->Command(menu::kFrequencySamples0 + 8);
  HWND bar = Item(0, IDC_HSCSIMULATEFREQUENCY);
  SendMessageA(Options().Page(0), WM_HSCROLL, MAKEWPARAM(SB_LINERIGHT, 0), reinterpret_cast<LPARAM>(bar));
  EXPECT_NEAR(window->Signal().simulate.frequency, 36 * 11025 / 256.0, 0.01) << "one bin above 1500 Hz";
  // The box typed back to the value it showed before the slider moved is a change.
  Type(0, IDC_TXTSIMULATEFREQUENCY, "1500");
  Press(IDC_CMDAPPLY);
  EXPECT_EQ(window->Signal().simulate.frequency, 1500);
}

TEST_F(OptionsDialogTest, StatisticsCountOnlyWhileTheDialogIsShown) {
  window->Signal().inputSource = kSimulated;
  window->Signal().SimulateData();  // the dialog is hidden: not counted
  Open(OptionsDialog::kDetectorTab);
  for (int i = 0; i < 3; ++i) window->Signal().SimulateData();
  EXPECT_EQ(window->Statistics().Record(StatisticsDetector::Power).count, 3);
  EXPECT_EQ(window->Statistics().Record(StatisticsDetector::BurstNoise).count, 0) << "switched off";
  auto told = testing::Answered(IDOK, [&] { Press(IDM_STATISTICSDISPLAY); });
  ASSERT_TRUE(testing::ToldOnce(told, "\r\n\r\nPactor 2:\r\nCount 3"));
  EXPECT_EQ(told[0].find("Burst Noise:"), std::string::npos) << told[0];
  Press(IDM_STATISTICSRESET);
  EXPECT_EQ(window->Statistics().Record(StatisticsDetector::Power).count, 0);
}

// A missing file is told; the file is read again at the next showing (one
// past any real one's size is refused by the shared reader: RecordFileTest).
// One that another program holds shut cannot be opened either: it was told
// as unreadable. One that is no plain text is told as unreadable.
TEST_F(OptionsDialogTest, TheOverviewShowsVelmoraTxtOrTellsItIsMissingOrLocked) {
  const auto file = folder.path() / "Velmora.txt";
  auto told = testing::Answered(IDOK, [&] { window->Command(menu::kHelpOverView); });
  ASSERT_TRUE(testing::ToldOnce(told, "Overview, Unable to open Overview File, "));
  EXPECT_NE(told[0].find(NotReadText(file) + "."), std::string::npos) << "named, as it is missing: " << told[0];
  std::ofstream(file, std::ios::binary) << "First line\nSecond line\r\nThird";
  window->Overview()->Hide();
  window->Command(menu::kHelpOverView);
  EXPECT_EQ(window->Overview()->Text(), "First line\r\nSecond line\r\nThird");
  HANDLE lock = CreateFileW(file.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  window->Overview()->Hide();
  told = testing::Answered(IDOK, [&] { window->Command(menu::kHelpOverView); });
  CloseHandle(lock);
  EXPECT_TRUE(testing::ToldOnce(told, "Overview, Unable to open Overview File, "));
  // Saved as Unicode text: it was shown cut at its first zero byte, without a word.
  std::ofstream(file, std::ios::binary) << std::string("\xFF\xFE" "F\0i\0r\0", 8);
  window->Overview()->Hide();
  EXPECT_TRUE(testing::ToldOnce(testing::Answered(IDOK, [&] { window->Command(menu::kHelpOverView); }),
                                "Overview, Unable to read Overview File, "));
  EXPECT_EQ(window->Overview()->Text(), "");
}

// Alt and a letter reach every control of every page, as each input source
// shows its own, none shared with another or the dialog's own buttons.
TEST_F(OptionsDialogTest, EveryCaptionOfAPageHasAnAccessKeyOfItsOwn) {
  for (int tab = OptionsDialog::kInputTab; tab <= OptionsDialog::kOutputTab; ++tab)
    for (int source = 0; source < (tab == OptionsDialog::kInputTab ? 3 : 1); ++source) {
      Open(tab);
      if (tab == OptionsDialog::kInputTab) Click(tab, IDC_OPTINPUT0 + source);
      auto captions = testing::KeyedCaptions(Options().Handle());
      for (auto& caption : testing::KeyedCaptions(Options().Page(tab))) captions.push_back(caption);
      EXPECT_EQ(AccessKeyFaults(captions), std::vector<std::string>{}) << "tab " << tab << ", source " << source;
    }
}

// Alt and a letter reach a page's controls (a label's key its box), and F1
// opens the overview where it tells of the tab shown.
TEST_F(OptionsDialogTest, AccessKeysReachThePageAndF1OpensTheOverviewAtItsTopic) {
  std::string text = "Velmora\r\n";
  for (int line = 1; line <= 121; ++line) text += line == 61 ? "WHAT THE VERDICTS MEAN\r\n" : "line\r\n";
  std::ofstream(folder.path() / "Velmora.txt", std::ios::binary) << text;
  Open(OptionsDialog::kDetectorTab);
  SetActiveWindow(Options().Handle());
  SetFocus(Item(OptionsDialog::kDetectorTab, IDC_TXTPOWER));
  AltKey('o');
  EXPECT_EQ(GetDlgCtrlID(GetFocus()), IDC_TXTOFFSETFREQUENCYRANGE) << "\"Offset Freq\" labels it";
  Key(VK_F1);
  EXPECT_EQ(testing::TopLine(window->Overview()->Handle()), "WHAT THE VERDICTS MEAN") << "its line 61";
}

// The program diagram took clicks under the box of its Terminal button: a
// second click stacked a second box, whose answer gave the main window its
// clicks back under the first.
TEST_F(OptionsDialogTest, TheDiagramsLeadToTheirWindowsAndTakeNoClicksUnderTheirBoxes) {
  window->Command(menu::kHelpDiagram);
  ASSERT_NE(window->Diagram()->Handle(), nullptr);
  // Alt and the buttons' access keys, as in a dialog.
  SetFocus(GetWindow(window->Diagram()->Handle(), GW_CHILD));
  AltKey('v');  // "Velmora Program"
  HWND diagram = window->DiagramMain()->Handle();
  ASSERT_NE(diagram, nullptr);
  HWND terminal = FindWindowExA(diagram, nullptr, "Button", "&Terminal\nAirMail's Terminal Window");
  EXPECT_TRUE(testing::NoClicksUnderItsBox(diagram, [&] { SendMessageA(terminal, BM_CLICK, 0, 0); },
                                           "AirMail's Terminal window must be open."));
  {  // Under a dark scheme their labels, lines and arrows were black on the ground, black too.
    testing::DarkScheme dark;
    const LayoutScale s(static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT)));
    struct Mark { HWND window; RECT area; const char* what; };  // the area at 96 dots per inch
    for (const Mark& mark : {Mark{window->Diagram()->Handle(), {180, 104, 230, 118}, "\"Audio Out\""},
                             Mark{window->Diagram()->Handle(), {95, 90, 105, 100}, "the antenna's line"},
                             Mark{diagram, {110, 100, 160, 114}, "\"Time Data\""}}) {
      RedrawWindow(mark.window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
      HDC dc = GetDC(mark.window);
      const COLORREF ground = GetPixel(dc, s.X(mark.area.left), s.Y(mark.area.top));
      int inked = 0;
      for (int x = s.X(mark.area.left); x < s.X(mark.area.right); ++x)
        for (int y = s.Y(mark.area.top); y < s.Y(mark.area.bottom); ++y) inked += GetPixel(dc, x, y) != ground;
      ReleaseDC(mark.window, dc);
      EXPECT_GT(inked, 0) << mark.what << " under a dark scheme";
    }
  }
  SetFocus(GetWindow(diagram, GW_CHILD));
  AltKey('p');  // "Pactor Detector"
  EXPECT_TRUE(Options().Visible());
  // F1 in a tool window opens the program's help, as in the window that owns it.
  SetFocus(GetWindow(window->Diagram()->Handle(), GW_CHILD));
  testing::Answered(IDOK, [&] { Key(VK_F1); });  // no "Velmora.txt" here: told so
  EXPECT_TRUE(IsWindowVisible(window->Overview()->Handle()));
  // Esc closes a tool window as it does a dialog, wherever its focus is.
  for (ToolWindow* tool : std::initializer_list<ToolWindow*>{window->DiagramMain(), window->Diagram()}) {
    tool->Show();
    SetFocus(GetWindow(tool->Handle(), GW_CHILD));
    Key(VK_ESCAPE);
    EXPECT_FALSE(IsWindowVisible(tool->Handle()));
  }
}

}  // namespace
}  // namespace velmora
