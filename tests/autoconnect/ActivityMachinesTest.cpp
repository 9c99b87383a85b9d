// The station scan, the noise collection and the reference measurement
// driven buffer by buffer, on the engine's stand-ins with a scripted radio:
// one row per transition, with the terminal operations, the status, the
// cells written and how each ends.
#include <gtest/gtest.h>

#include "tests/autoconnect/EngineRig.h"

namespace velmora {
namespace {

using testing::EngineRig;
constexpr auto kTx = EngineColumn::TxConnect;
constexpr Bgr kBusy = 0x80FFFF, kNoisy = 0x8080FF;

TEST(StationScanMachine, EveryTransition) {
  using M = ScanBoxMode;
  // choice: made in the box after the script; after: buffers after the choice; calls: after the start's
  // system; end: empty while running.
  struct Case { const char *name, *script; M choice = M::Waiting; const char *after = "", *calls = "", *status = "",
                *end = ""; Bgr row2 = kColorWhite, row3 = 0; M box = M::Hidden; std::string failing = {}; };
  const char* first = "T:W1AW/10140.0";
  const char* both = "T:W1AW/10140.0 T:W1AW/14105.0(p3)";
  const Case cases[] = {
      {"4.5 s free: still on the first Tx Connect row", "f 9f", M::Waiting, "", first, "Checking, Waiting Not Busy"},
      {"5 s free: green, the next row", "f 10f", M::Waiting, "", both, "Checking, Waiting Not Busy", "",
       kColorScanFree, kColorWhite},
      {"a single busy buffer does not stop the scan", "f 4f b 5f", M::Waiting, "", both,
       "Checking, Waiting Not Busy", "", kColorScanFree, kColorWhite},
      {"nor do noisy ones", "f 10n", M::Waiting, "", both, "Checking, Waiting Not Busy", "", kColorScanFree,
       kColorWhite},
      {"two in a row do: red, the box", "f 3f 2b", M::Waiting, "5f", first, "Waiting for User", "",
       kColorScanBusy, 0, M::Waiting},
      {"invalid buffers between change nothing", "f b 3x b", M::Waiting, "", first, "Waiting for User", "",
       kColorScanBusy, 0, M::Waiting},
      {"Cancel", "f 2b", M::Cancel, "f", first, "Scan Cancelled", "Stopped", kColorScanBusy},
      {"Continue: the next row without listening again", "f 2b", M::Continue, "f", both,
       "Checking, Waiting Not Busy", "", kColorScanBusy, kColorWhite, M::Continue},
      {"Continue on the last row: done", "f 10f 2b", M::Continue, "f", both, "", "Done", kColorScanFree,
       kColorScanBusy},
      {"past the last row: done", "f 20f", M::Waiting, "", both, "", "Done", kColorScanFree, kColorScanFree},
      {"station and frequency not set: stopped", "f", M::Waiting, "", first, "", "Stopped", 0, 0, M::Hidden, "T"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EngineRig rig(kModeScanStations);
    if (!c.failing.empty()) rig.terminal.failing.insert(c.failing);
    rig.engine.AutoConnectStart();
    rig.Play(c.script);
    if (c.choice != M::Waiting) rig.kept.box = c.choice;
    rig.Play(c.after);
    EXPECT_EQ(rig.terminal.Calls(), std::string("S:HAM ") + c.calls);
    EXPECT_EQ(rig.Status(), c.status);
    EXPECT_EQ(rig.engine.Running(), !*c.end);
    EXPECT_EQ(*c.end ? rig.window.panels[1] : "", c.end);
    EXPECT_EQ(rig.Colour(2, kTx), c.row2);
    EXPECT_EQ(rig.Colour(3, kTx), c.row3);
    EXPECT_EQ(rig.kept.box, c.box);
    EXPECT_EQ(rig.window.beeps, 0);
  }
}

// Each row is heard for 2 s (4 buffers) after the buffer that sets it.
TEST(NoiseCollectionMachine, EveryTransition) {
  // kinds: one letter per buffer, as in the scripts, of the levels in turn; colour2: of the "Noise" cell;
  // stopAt: the terminal operation inside which Stop is pressed.
  struct Case { const char *name, *kinds; std::vector<float> levels; const char *calls, *noise2 = "", *noise3 = "";
                Bgr colour2 = 0; bool ended = false; int beeps = 0; std::string failing = {}; bool emptyList = false;
                const char* stopAt = ""; };
  const Case cases[] = {
      {"the rounded mean of a quiet frequency", "fffff", {0, 40, 41, 41, 41}, "F P:10140.0 F P:14105.0(p3)", "41"},
      {"invalid buffers count too", "fxxxx", {0, 40, 40, 40, 41}, "F P:10140.0 F P:14105.0(p3)", "40"},
      {"a station heard: the mean negated", "ffbff", {0, 40, 41, 41, 41}, "F P:10140.0 F P:14105.0(p3)", "-41", "",
       kBusy},
      // The sign marks a station heard: a quiet level below 0 dB shows 0,
      // a busy one stays below.
      {"a quiet frequency below 0 dB", "fffff", {0, -40, -41, -41, -41}, "F P:10140.0 F P:14105.0(p3)", "0"},
      {"a station heard below 0 dB", "ffbff", {0, -40, -41, -41, -41}, "F P:10140.0 F P:14105.0(p3)", "-41", "", kBusy},
      {"only noise: 100", "fnfnf", {0, 40, 41, 41, 41}, "F P:10140.0 F P:14105.0(p3)", "100", "", kNoisy},
      {"every row done: the selection, a beep", "fffffffff", {0, 30, 30, 30, 30, 20, 20, 20, 21},
       "F P:10140.0 F P:14105.0(p3) F", "30", "20", 0, true, 1},
      {"no frequency field: stopped without a beep", "f", {0}, "F", "", "", 0, true, 0, "F"},
      {"no checked row: stopped with a beep", "f", {0}, "F", "", "", 0, true, 1, {}, true},
      {"a Stop inside a terminal operation ends it", "fffff", {0, 40, 41, 41, 41}, "F P:10140.0 F P:14105.0(p3)", "41",
       "", 0, true, 0, {}, false, "P:14105.0(p3)"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EngineRig rig(kModeMultipleFrequencies);
    rig.table.rows[0].cells[static_cast<int>(EngineColumn::Noise)] = "7";  // from an earlier collection
    if (!c.failing.empty()) rig.terminal.failing.insert(c.failing);
    if (c.emptyList)
      for (auto& row : rig.table.rows) row.txChecked = false;
    rig.window.settings.autoSelectNoiseTopFrequencies = 2;
    rig.terminal.inside = [&](const std::string& token) {
      if (token == c.stopAt) rig.engine.StopPressed();
      rig.engine.Update(kQuietBuffer);  // as the rig's window events do
    };
    rig.engine.NoiseCollectionStart();
    for (size_t i = 0; c.kinds[i]; ++i) {
      rig.main.level = c.levels[i];
      rig.Play(std::string(1, c.kinds[i]));
    }
    EXPECT_EQ(rig.terminal.Calls(), c.calls);
    EXPECT_EQ(rig.table.CellText(1, EngineColumn::Noise), "");
    EXPECT_EQ(rig.table.CellText(2, EngineColumn::Noise), c.noise2);
    EXPECT_EQ(rig.table.CellText(3, EngineColumn::Noise), c.noise3);
    EXPECT_EQ(rig.Colour(2, EngineColumn::Noise), c.colour2);
    EXPECT_EQ(rig.engine.NoiseCollectionActive(), !c.ended);
    EXPECT_EQ(rig.window.beeps, c.beeps);
    bool selected = c.ended && c.failing.empty() && !c.emptyList && !*c.stopAt;
    EXPECT_EQ(rig.kept.selections, (std::vector<std::pair<int, int>>(selected, {1, 2})));
    if (c.ended) {
      EXPECT_EQ(rig.window.panels[1], selected ? "" : "Stopped");
      EXPECT_EQ(rig.table.blinking.first, 0) << "an ended collection marks no cell";
    }
  }
}

// Two reference rows of 2 s (4 buffers) each, after the buffer that tunes; a
// radio that cannot tune stops the run, without a beep.
TEST(ReferenceMeasurementMachine, AveragesTheRadioOrTheSoundCard) {
  // script: after the buffer that tunes the first row; detected: the FAX or WWV detector gave an SNR sample;
  // tunes: the radio takes each frequency.
  struct Case { const char* name; bool sMeter; std::deque<int> readings; const char *script, *system = "HAM",
                *station = "W1AW"; bool detected = false; const char *power = "", *snr = "", *end = "";
                std::int32_t reference = 0; bool tunes = true; };
  const Case cases[] = {
      // S-meter 3, 5, 4 and 2 over a level of 20: 38, 50, 44, 32.
      {"the radio's readings", true, {3, 5, 4, 2}, "4f", "HAM", "W1AW", false, "41", "0"},
      {"a buffer without a reading is left out", true, {3, -1, 5, 4}, "4f", "HAM", "W1AW", false, "44", "0"},
      {"no reading at all: no power", true, {}, "4f", "HAM", "W1AW", false, "", "0"},
      {"the sound card alone", false, {}, "4f", "HAM", "W1AW", false, "20", "0"},
      {"invalid buffers are not heard", false, {}, "3x 3f"},
      {"another system: the FAX level and SNR", false, {}, "4f", "FAX", "W1AW", true, "25", "12"},
      {"the WWV station", false, {}, "4f", "HAM", "WWV", true, "20", "12"},
      {"the power as the reference level", false, {}, "4f", "HAM", "W1AW", false, "20", "0", "", 1},
      {"after the last row: done", true, {1, 1, 1, 1, 1, 1, 1, 1}, "4f f 4f", "HAM", "W1AW", false, "26", "0", "Done"},
      {"a radio that cannot tune: stopped", true, {}, "4f", "HAM", "W1AW", false, "", "", "Stopped", 0, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EngineRig rig(kModeReferenceStations);
    rig.window.settings.referenceStationSMeter = c.sMeter;
    rig.window.settings.referenceStationAverage = 2;
    rig.window.settings.referenceDataReference = c.reference;
    rig.window.system = c.system;
    for (auto& row : rig.table.rows) row.cells[static_cast<int>(EngineColumn::Frequency)] = row.cells[0];
    rig.table.rows[0].cells[static_cast<int>(EngineColumn::Station)] = c.station;
    rig.radio.readings = c.readings;
    rig.radio.tunes = c.tunes;
    rig.main.level = 20;
    rig.main.faxLevel = 25;
    rig.main.snr = 12;
    rig.main.snrDetected = c.detected;
    rig.engine.AutoConnectStart();
    rig.Play("f");
    EXPECT_EQ(rig.main.wwv, std::string_view(c.station) == "WWV");
    EXPECT_EQ(rig.main.fax, std::string_view(c.system) == "FAX");
    rig.Play(c.script);
    auto cell = [&](EngineColumn column) { return rig.table.CellText(1, column); };
    EXPECT_EQ(cell(EngineColumn::RxPwr), c.power);
    EXPECT_EQ(cell(EngineColumn::RxSnr), c.snr);
    EXPECT_EQ(cell(EngineColumn::Ref), c.reference == 1 ? c.power : c.snr);
    EXPECT_EQ(rig.kept.measured, !c.tunes ? 0 : *c.end ? 2 : (*c.snr ? 1 : 0));
    EXPECT_TRUE(rig.kept.start.has_value());
    EXPECT_EQ(rig.engine.Running(), !*c.end);
    if (*c.end) {
      EXPECT_EQ(rig.window.panels[1], c.end);
      EXPECT_FALSE(rig.main.wwv || rig.main.fax);
      EXPECT_EQ(rig.window.beeps, 0);
    }
    if (c.sMeter) {
      std::vector<std::string> tuned = {"7102.0", "10140.0"};
      EXPECT_EQ(rig.radio.tuned, c.tunes ? tuned : std::vector<std::string>{"7102.0"});
      EXPECT_EQ(rig.terminal.Calls(), "");
    } else {
      bool other = std::string_view(c.station) != "W1AW";
      // The terminal's station changes only with the rows' station.
      std::string second = !*c.snr ? "" : other ? " T:W1AW/10140.0" : " F P:10140.0";
      EXPECT_EQ(rig.terminal.Calls(),
                std::string("S:") + c.system + (other ? " T:WWV/7102.0" : " F P:7102.0") + second);
    }
  }
}

}  // namespace
}  // namespace velmora
