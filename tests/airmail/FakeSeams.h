#pragma once
// Stand-ins for the windows and records the automation reports to.
#include <string>
#include <vector>

#include "airmail/AutomationSeams.h"

namespace velmora::testing {

class RecordingStatus final : public StatusPanel {
 public:
  void StatusSet(std::string_view text) override { texts.emplace_back(text); }
  std::vector<std::string> texts;
};

class CountingActivator final : public OwnWindowActivator {
 public:
  void WindowActivate() override { ++count; }
  int count = 0;
};

class FakePactorCounts final : public PactorCounts {
 public:
  void Clear() override { values = {}; ++clears; }

  PactorCountValues Get() const override { return values; }
  PactorCountValues values;
  int clears = 0;
};

// Knows no display name: a SAILMAIL name read from the terminal finds no key.
class NoStationNames final : public StationNames {
 public:
  std::string StationFromStationName(std::string_view, std::string_view) override { return {}; }
};

// Each mark as "system station frequency outcome".
class RecordingHistory final : public StationHistory {
 public:
  void StationHistorySet(std::string_view system, std::string_view station, std::string_view frequency,
                         int outcome) override {
    entries.push_back(std::string(system) + " " + std::string(station) + " " + std::string(frequency) + " " +
                      std::to_string(outcome));
  }
  std::vector<std::string> entries;
};

// The terminal's records, one set for each terminal test fixture.
struct TerminalRecords {
  RecordingStatus status;
  FakePactorCounts counts;
  NoStationNames names;
  RecordingHistory history;
};

}  // namespace velmora::testing

