#pragma once
// The radio's serial link as the engine and the reference measurement use
// it: opened at the start of a mode-3 run with the S-meter, tuned row by
// row, read once per buffer, and handed back to local control at the end.
#include "autoconnect/ActivityPorts.h"
#include "autoconnect/EngineSeams.h"
#include "radio/RadioComm.h"

namespace velmora {

class RadioCommLink final : public RadioLink, public RadioPort {
 public:
  explicit RadioCommLink(RadioComm& radio) : radio_(radio) {}

  bool RadioOpen() override { return radio_.RadioCommOpen(); }
  void RadioClose() override { radio_.RadioCommClose(); }
  // A link that closed meanwhile (the port taken away) cannot tune.
  bool Tune(std::string_view frequencyLabel) override {
    if (!radio_.IsOpen()) return false;
    radio_.RadioSetFrequency(frequencyLabel);
    return true;
  }
  int SMeter() override { return radio_.RadioSMeterGet(); }

 private:
  RadioComm& radio_;
};

}  // namespace velmora
