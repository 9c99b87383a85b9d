#pragma once
// The engine wired to the stand-ins, fed a script of buffers: "14f" is 14
// free buffers, "b" busy, "n" noisy, "x" invalid (all samples zero); "+840"
// moves the steady clock on 840 seconds.
#include <cctype>

#include "tests/autoconnect/EngineFakes.h"

namespace velmora::testing {

// The Frequency column, as the reference modes show it, holds each row's frequency too.
inline const std::vector<TableRow> kOneStation = {
    {{"7102.0", "7102.0", "W1AW", "12", "", "7102.0"}, true, false},
    {{"10140.0", "10140.0", "W1AW", "15", "", "10140.0"}, true, true},
    {{"14105.0(p3)", "14105.0(p3)", "W1AW", "9", "P3", "14105.0(p3)"}, false, true},
};
inline const std::vector<TableRow> kTwoStations = {
    {{"7102.0", "7102.0", "K1AA", "12", "", "7102.0"}, true, false},
    {{"10140.0", "10140.0", "K1AA", "14", "", "10140.0"}, false, true},
    {{"7104.0", "7104.0", "W2BB", "8", "", "7104.0"}, true, false},
    {{"14105.0", "14105.0", "W2BB", "11", "", "14105.0"}, true, true},
};

// The engine on the stand-ins, with the scan, the noise collection and the
// reference measurement attached.
struct EngineRig {
  explicit EngineRig(int mode, bool answer = true) : messenger(answer) {
    window.settings.modeIndex = static_cast<std::int16_t>(mode);
    table.rows = mode == kModeMultipleStations ? kTwoStations : kOneStation;
    // Window events inside every terminal operation bring the next buffer:
    // it must change nothing while the step is still running.
    terminal.inside = [this](const std::string&) { engine.Update(kQuietBuffer); };
    machines.Attach(engine.Run(), table, {kept, radio, kept, kept, kept});
    engine.ListeningSet(&listening);
  }
  void Play(std::string_view script) {
    for (size_t i = 0; i < script.size();) {
      if (script[i] == ' ') {
        ++i;
        continue;
      }
      bool later = script[i] == '+';
      i += later;
      int count = 0;
      while (i < script.size() && std::isdigit(static_cast<unsigned char>(script[i])))
        count = count * 10 + (script[i++] - '0');
      if (later) {
        clock.seconds += count;
        continue;
      }
      char kind = script[i++];
      Verdict verdict{kind != 'x', kind == 'b', kind == 'n', false};
      for (int n = 0; n < std::max(count, 1); ++n) engine.Update(verdict);
    }
  }
  // Status panel 2 without the blank it is written with.
  std::string Status() {
    std::string text = window.panels[2];
    if (!text.empty() && text.back() == ' ') text.pop_back();
    return text;
  }
  // The cell's back colour; 0 when it was never given one.
  Bgr Colour(int row, EngineColumn column) {
    auto found = table.colours.find({row, column});
    return found == table.colours.end() ? 0 : found->second;
  }

  FakeTable table;
  ScriptedTerminal terminal;
  FakeWindow window;
  FakeDetectors main;
  RecordingMessenger messenger;
  KeptLog log;
  FakeClock clock;
  ScriptedRadio radio;
  KeptActivities kept;
  KeptListening listening;
  ActivityMachines machines{radio, kept};
  AutoConnectEngine engine{{terminal, table, window, main, messenger, log, clock}, machines.Seams()};
};

}  // namespace velmora::testing
