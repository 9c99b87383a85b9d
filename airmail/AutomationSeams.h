#pragma once
// What the AirMail automation needs from the windows and records that
// other parts of the program own: the AutoConnect window (its status panel,
// bringing it to the front, its settings and the station it is calling),
// the main window's Pactor counts, the station lists and the station
// history. The settings it reads are the AutoConnect settings record.
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "airmail/TerminalText.h"

namespace velmora {

// The AutoConnect window's status panel; an empty text clears it.
class StatusPanel {
 public:
  virtual ~StatusPanel() = default;
  virtual void StatusSet(std::string_view text) = 0;
};

// Brings the AutoConnect window back in front of AirMail, before a message
// box or after keys were sent.
class OwnWindowActivator {
 public:
  virtual ~OwnWindowActivator() = default;
  virtual void WindowActivate() = 0;
};

// The main window's per-connection Pactor detection counts.
class PactorCounts {
 public:
  virtual ~PactorCounts() = default;
  virtual void Clear() = 0;
  virtual PactorCountValues Get() const = 0;
};

// A SAILMAIL display name turned into its station key (empty when none).
class StationNames {
 public:
  virtual ~StationNames() = default;
  virtual std::string StationFromStationName(std::string_view system, std::string_view name) = 0;
};

// Outcome +1 a good call, -1 a failed one.
class StationHistory {
 public:
  virtual ~StationHistory() = default;
  virtual void StationHistorySet(std::string_view system, std::string_view station, std::string_view frequency,
                                 int outcome) = 0;
};

// Asked just before the call key goes out: bringing the terminal to the
// front lets window events run, and the one who asked for the call may
// have given up meanwhile (a Stop pressed). True: no call is made.
using CallAbandoned = std::function<bool()>;

// The station being called, as the engine knows it.
struct CallTarget {
  std::string system;
  std::string station;
  std::string frequency;
};

}  // namespace velmora
