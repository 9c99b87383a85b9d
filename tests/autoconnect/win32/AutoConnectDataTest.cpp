// The AutoConnect window's measured and recalled tables: reference
// measurements through the stand-in radio, asked for before anything drops
// them, saved and recalled; a recalled table's stations and tool-tips.
#include <windows.h>

#include <functional>
#include <utility>

#include "autoconnect/AutoConnectMenus.h"
#include "selection/ReferenceData.h"
#include "selection/TableColumns.h"
#include "tests/autoconnect/win32/AutoConnectWindowFixture.h"
#include "tests/selection/SelectionFakes.h"

namespace velmora {
namespace {

using testing::Answered;
using testing::AutoConnectWindowTest;
using testing::HamScenario;
using testing::kFree;
using testing::kNoPlace;
using testing::MessageBoxAnswerer;
using testing::PumpUntil;

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
  EXPECT_TRUE(testing::ToldOnce(told, kReferenceNothingMeasured)) << "one refusal and no other box";
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
