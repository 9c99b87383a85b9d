#pragma once
// The tables of the reference and no-connect modes: the reference stations
// to measure (mode 3), the selected reference data recalled and fitted
// (mode 4), and the selected no-connect data recalled (mode 5), with the
// predictions made again when the options ask for it. What was recalled
// stays here for the window to show.
#include <optional>
#include <string>

#include "airmail/AutoConnectSettings.h"
#include "selection/ConfigurePorts.h"
#include "selection/NoConnectData.h"
#include "selection/ReferenceData.h"

namespace velmora {

class DataModeTables final : public ModeTables {
 public:
  DataModeTables(const AutoConnectSettings& settings, StationRowsServices services, UtcClock& clock)
      : settings_(settings), s_(services), clock_(clock) {}

  void ReferenceStationsFill(FrequencyTable& table, std::string_view system) override;
  void ReferenceDataFill(FrequencyTable& table) override;
  void NoConnectDataFill(FrequencyTable& table, std::string_view file) override;

  // "All Files": the fit shown is that of every saved reference file.
  void FitAllFilesSet(bool on) { fitAllFiles_ = on; }

  const std::optional<ReferenceRecall>& ReferenceRecalled() const { return reference_; }
  // The fit shown beside the table: the recalled (or recomputed) one, or
  // that of all files; with the difference option "new / recalled".
  const FitSummary& FitShown() const { return fitShown_; }
  const std::string& FitRmsLabel() const { return fitLabel_; }
  const std::optional<NoConnectRecall>& NoConnectRecalled() const { return noConnect_; }

 private:
  std::vector<std::string> ReferenceStationSet(std::string_view system);
  UtcDateTime PredictionTime() const;

  const AutoConnectSettings& settings_;
  StationRowsServices s_;
  UtcClock& clock_;
  bool fitAllFiles_ = false;
  std::optional<ReferenceRecall> reference_;
  FitSummary fitShown_;
  std::string fitLabel_;
  std::optional<NoConnectRecall> noConnect_;
};

}  // namespace velmora
