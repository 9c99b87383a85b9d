#pragma once
// The activities that share the engine's run but are built beside it: the
// reference measurement (mode 3), the station scan (mode 6), the noise
// collection of AutoSelect (ActivityMachines), the radio's serial link and
// the no-connect snapshot.
#include "common/SystemLib.h"
#include "common/Verdict.h"

namespace velmora {

// One buffer's step of a mode's activity.
class ModeSteps {
 public:
  virtual ~ModeSteps() = default;
  virtual void Step(Verdict verdict) = 0;
};

class ReferenceMeasurement : public ModeSteps {
 public:
  virtual void ReferenceRunStart(const UtcDateTime& start) = 0;  // the reference data's time
};

class StationScan : public ModeSteps {
 public:
  virtual void ScanMessageHide() = 0;  // the continue/cancel box
};

class NoiseCollection : public ModeSteps {
 public:
  virtual void NoiseCollectionBegin() = 0;  // empties the "Noise" cells, first state
};

class RadioLink {
 public:
  virtual ~RadioLink() = default;
  virtual bool RadioOpen() = 0;
  virtual void RadioClose() = 0;
};

class NoConnectData {
 public:
  virtual ~NoConnectData() = default;
  virtual void NoConnectSave() = 0;  // a snapshot of the table after a failed round
};

struct EngineSeams {
  ReferenceMeasurement& reference;
  StationScan& scan;
  NoiseCollection& noise;
  RadioLink& radio;
  NoConnectData& noConnect;
};

}  // namespace velmora
