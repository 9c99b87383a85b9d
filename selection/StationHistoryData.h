#pragma once
// "StationHistoryData.txt": a learned SNR correction per station and
// frequency that rises after good connections and falls after bad ones,
// kept as a profile file with one section per system and station.
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "airmail/AutoConnectSettings.h"
#include "airmail/AutomationSeams.h"
#include "common/Messages.h"
#include "common/ProfileFile.h"
#include "selection/FrequencyTable.h"

namespace velmora {

inline constexpr const char* kStationHistoryDataFile = "StationHistoryData.txt";

// system + "," + station.
std::string StationHistorySection(std::string_view system, std::string_view station);

// The stored value; nullopt when there is none or it is no number a single
// holds. Values written with a decimal comma by earlier versions read as
// meant.
std::optional<double> StationHistoryValue(const ProfileDocument& history, std::string_view system,
                                          std::string_view station, std::string_view frequency);

struct StationHistoryRows {
  std::string_view system;
  std::string_view station;
  int first = 1, last = 0;
  int frequencyColumn = 0, snrColumn = 0, historyColumn = 0;
  bool colour = true;  // the reason colour on changed SNR cells, else bold
};

// Adds each row's history value to its SNR and shows the value in the
// history column. A missing file adds nothing.
void StationHistoryGet(FrequencyTable& table, const StationHistoryRows& rows, const std::filesystem::path& file,
                       const ReasonColors& colors);

// The value after one outcome: +1 a good call ("Station History Good", up to
// "Station History Max"), -1 a bad one ("Station History Bad", down to
// "Station History Min"), anything else unchanged.
double StationHistoryNext(double value, int outcome, const AutoConnectSettings& settings);

// What the engine calls (through AirMail's terminal) with each call's
// result: updates one value, creating the file when needed. A failure to
// write (another program holds the file) is reported once, and the marks
// wait to be written with the next one.
class StationHistoryFile final : public StationHistory {
 public:
  StationHistoryFile(std::filesystem::path file, const AutoConnectSettings& settings, Messenger& messenger)
      : file_(std::move(file)), settings_(settings), messenger_(messenger) {}
  void StationHistorySet(std::string_view system, std::string_view station, std::string_view frequency,
                         int outcome) override;
  // The program ends: marks the file refused get their last chance.
  void StationHistoryEnd();
  // Marks the file refused, not written yet.
  bool Waiting() const { return !waiting_.empty(); }

 private:
  bool WaitingWrite(std::error_code& error);

  struct Mark {
    std::string system, station, frequency;
    int outcome = 0;
  };
  std::filesystem::path file_;
  const AutoConnectSettings& settings_;
  Messenger& messenger_;
  std::vector<Mark> waiting_;
};

}  // namespace velmora
