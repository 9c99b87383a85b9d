#pragma once
// What the station scan, the noise collection and the reference
// measurement act through besides the engine's own ports: the scan's
// continue/cancel box, the radio's tuning and S-meter, the reference data
// that takes the measurements, the table's noise selection and the three
// labels that show their time.
#include <cstdint>
#include <string_view>

#include "common/SystemLib.h"

namespace velmora {

// The modeless "Busy Channel Found" box of the scan and the choice made in it.
enum class ScanBoxMode : std::int16_t { Waiting = 0, Continue = 1, Cancel = 2, Hidden = 3 };

class ScanMessageBox {
 public:
  virtual ~ScanMessageBox() = default;
  // Waiting shows the box without blocking; any other mode hides it. The
  // mode is kept either way, and the buttons replace it.
  virtual void SetMode(ScanBoxMode mode) = 0;
  virtual ScanBoxMode GetMode() = 0;
};

// The radio tuned and read for the reference measurement.
inline constexpr int kNoSMeterReading = -1;

class RadioPort {
 public:
  virtual ~RadioPort() = default;
  virtual bool Tune(std::string_view frequencyLabel) = 0;
  // The S-meter digit 0 to 9, or kNoSMeterReading.
  virtual int SMeter() = 0;
};

// The reference data the measurements are collected for.
class ReferenceSink {
 public:
  virtual ~ReferenceSink() = default;
  // The run's start names the data when it is saved.
  virtual void ReferenceCollectionTime(const UtcDateTime& start) = 0;
  // A row's results were written: there is something to save.
  virtual void ReferenceMeasured() = 0;
  // A row went through without a figure: the radio gave no reading there.
  virtual void ReferenceMissed() = 0;
};

// Keeps the quietest checked Tx Connect rows once every one was measured.
class NoiseSelection {
 public:
  virtual ~NoiseSelection() = default;
  // In mode 1 over all rows, in mode 2 per station; `top` rows kept each.
  virtual void NoiseSelectRows(int mode, int top) = 0;
};

// The labels beside the options that show the time spent so far.
class ActivityLabels {
 public:
  virtual ~ActivityLabels() = default;
  virtual void ScanNotBusyShow(std::string_view text) = 0;       // lblScanNotBusy
  virtual void NoiseIntervalShow(std::string_view text) = 0;     // lblAutoSelectNoiseInterval
  virtual void ReferenceAverageShow(std::string_view text) = 0;  // lblReferenceAverage
};

struct ActivityPorts {
  ScanMessageBox& scanBox;
  RadioPort& radio;
  ReferenceSink& reference;
  NoiseSelection& noiseSelection;
  ActivityLabels& labels;
};

}  // namespace velmora
