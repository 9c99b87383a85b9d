#pragma once
// The engine wired to the stand-ins, fed a script of buffers: "14f" is 14
// free buffers, "b" busy, "n" noisy, "x" invalid (all samples zero).
#include <gtest/gtest.h>

#include <cctype>

#include "tests/autoconnect/EngineFakes.h"

namespace velmora::testing {

inline const std::vector<TableRow> kOneStation = {
    {"W1AW", "12", "", "7102.0", true, "7102.0", false},
    {"W1AW", "15", "", "10140.0", true, "10140.0", true},
    {"W1AW", "9", "P3", "14105.0(p3)", false, "14105.0(p3)", true},
};
inline const std::vector<TableRow> kTwoStations = {
    {"K1AA", "12", "", "7102.0", true, "7102.0", false},
    {"K1AA", "14", "", "10140.0", false, "10140.0", true},
    {"W2BB", "8", "", "7104.0", true, "7104.0", false},
    {"W2BB", "11", "", "14105.0", true, "14105.0", true},
};

struct EngineRig {
  explicit EngineRig(int mode, bool answer = true) : messenger(answer) {
    window.settings.modeIndex = static_cast<std::int16_t>(mode);
    table.rows = mode == kModeMultipleStations ? kTwoStations : kOneStation;
    // Window events inside every terminal operation bring the next buffer:
    // it must change nothing while the step is still running.
    terminal.inside = [this](const std::string&) { engine.Update(kQuietBuffer); };
  }

  void Play(std::string_view script) {
    for (size_t i = 0; i < script.size();) {
      if (script[i] == ' ') {
        ++i;
        continue;
      }
      int count = 0;
      while (std::isdigit(static_cast<unsigned char>(script[i]))) count = count * 10 + (script[i++] - '0');
      char kind = script[i++];
      Verdict verdict{kind != 'x', kind == 'b', kind == 'n', false};
      for (int n = 0; n < std::max(count, 1); ++n) engine.Update(verdict);
    }
  }
  std::string Status() {
    std::string text = window.panels[2];
    if (!text.empty() && text.back() == ' ') text.pop_back();
    return text;
  }

  FakeTable table;
  ScriptedTerminal terminal;
  FakeWindow window;
  FakeDetectors main;
  RecordingMessenger messenger;
  KeptLog log;
  FakeClock clock;
  IdleSeams seams;
  AutoConnectEngine engine{{terminal, table, window, main, messenger, log, clock}, seams.Seams()};
};

}  // namespace velmora::testing
