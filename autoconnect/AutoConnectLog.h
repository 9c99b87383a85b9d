#pragma once
// "AutoConnectLog.txt" beside the program: one line of 20 fields per run of
// the calling and scanning modes, read later by the history summary. The
// fields are found by position, so no field may add a comma, and numbers
// always carry "." whatever the user's number format. Every record reads
// back as written: a figure that is no number or past what the summary
// takes is written 0, and a record longer than a log line is refused.
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "airmail/Locator.h"
#include "analysis/DetectorValues.h"
#include "autoconnect/RunClock.h"
#include "autoconnect/RunStatistics.h"
#include "common/Messages.h"
#include "common/RecordFile.h"

namespace velmora {

inline constexpr std::string_view kAutoConnectLogHeading =
    "Time,Stations,Frequencies,Signal(Sec),Noise(Sec),NotBusy(Sec),Connecting(Sec),Connected(Sec),Attempts,Status,"
    "Mode,Station,Lat,Lon,SnrModel,SnrDetectCount,SnrDetectSum1,SnrDetectSum2,SnrDetectMin,SnrDetectMax";

std::filesystem::path AutoConnectLogPath(const std::filesystem::path& programFolder);

// Every "," as " -", so a text keeps to its one field.
std::string CommasAsDashes(std::string_view text);

// A single in the general form: up to seven significant digits, no
// exponent, no trailing zeros ("12.5", "-99", "1234568").
std::string SingleText(float value);

struct LogRun {
  UtcDateTime start;
  std::optional<LatLon> ship;
  RunStatistics statistics;
  std::string status;  // status panel 2 as it read at the stop
  int mode = 0;
  float bufferSeconds = 0;
};

Record AutoConnectLogRecord(const LogRun& run);

// Where the ship is now; nullopt when no source gave a position.
class ShipPosition {
 public:
  virtual ~ShipPosition() = default;
  virtual std::optional<LatLon> LatLonGetCurrent() = 0;
};

class RunLog {
 public:
  virtual ~RunLog() = default;
  // Remembers the UTC start and the ship's position.
  virtual void LogFileStart() = 0;
  // Appends the run's record when a start was remembered, then forgets it.
  virtual void LogFileStop(const RunStatistics& statistics, std::string_view status, int mode) = 0;
};

class AutoConnectLog final : public RunLog {
 public:
  AutoConnectLog(std::filesystem::path file, RunClock& clock, ShipPosition& ship, DetectorValues& detectors,
                 Messenger& messenger)
      : file_(std::move(file)), clock_(clock), ship_(ship), detectors_(detectors), messenger_(messenger) {}

  void LogFileStart() override;
  void LogFileStop(const RunStatistics& statistics, std::string_view status, int mode) override;
  // The program ends: records the file refused get their last chance.
  void LogFileEnd();
  // Records the file refused, not written yet.
  bool Waiting() const { return !waiting_.empty(); }

 private:
  bool WaitingWrite(std::error_code& error);

  std::filesystem::path file_;
  RunClock& clock_;
  ShipPosition& ship_;
  DetectorValues& detectors_;
  Messenger& messenger_;
  std::optional<UtcDateTime> start_;
  std::optional<LatLon> position_;
  // Records the file refused (a spreadsheet holding it open): written ahead of the next one.
  std::vector<Record> waiting_;
};

}  // namespace velmora
