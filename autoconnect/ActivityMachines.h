#pragma once
// The station scan, the noise collection and the reference measurement of
// one engine, in place of the idle seams. The engine takes its seams when
// it is built, and the machines need its run: the seams are handed out
// first and pass each call on once the machines are attached; before that
// they do nothing.
#include <memory>

#include "autoconnect/ActivityPorts.h"
#include "autoconnect/NoiseCollectionMachine.h"
#include "autoconnect/ReferenceMeasurementMachine.h"
#include "autoconnect/StationScanMachine.h"

namespace velmora {

class ActivityMachines {
 public:
  ActivityMachines(RadioLink& radio, NoConnectData& noConnect) : radio_(radio), noConnect_(noConnect) {}
  ActivityMachines(const ActivityMachines&) = delete;
  ActivityMachines& operator=(const ActivityMachines&) = delete;

  EngineSeams Seams() { return {reference_, scan_, noise_, radio_, noConnect_}; }
  void Attach(EngineRun& run, EngineTable& table, ActivityPorts ports);

 private:
  struct Reference final : ReferenceMeasurement {
    void Step(Verdict verdict) override {
      if (machine) machine->Step(verdict);
    }
    void ReferenceRunStart(const UtcDateTime& start) override {
      if (machine) machine->ReferenceRunStart(start);
    }
    std::unique_ptr<ReferenceMeasurementMachine> machine;
  };
  struct Scan final : StationScan {
    void Step(Verdict verdict) override {
      if (machine) machine->Step(verdict);
    }
    void ScanMessageHide() override {
      if (machine) machine->ScanMessageHide();
    }
    std::unique_ptr<StationScanMachine> machine;
  };
  struct Noise final : NoiseCollection {
    void Step(Verdict verdict) override {
      if (machine) machine->Step(verdict);
    }
    void NoiseCollectionBegin() override {
      if (machine) machine->NoiseCollectionBegin();
    }
    std::unique_ptr<NoiseCollectionMachine> machine;
  };

  RadioLink& radio_;
  NoConnectData& noConnect_;
  Reference reference_;
  Scan scan_;
  Noise noise_;
};

inline void ActivityMachines::Attach(EngineRun& run, EngineTable& table, ActivityPorts ports) {
  reference_.machine = std::make_unique<ReferenceMeasurementMachine>(run, table, ports);
  scan_.machine = std::make_unique<StationScanMachine>(run, ports.scanBox, ports.labels);
  noise_.machine = std::make_unique<NoiseCollectionMachine>(run, table, ports);
}

}  // namespace velmora
