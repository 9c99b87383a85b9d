#pragma once
// The few terminal operations the AutoConnect steps call: each may block
// for seconds while window events run, and each reports its own failure to
// the user before it returns false.
#include <string_view>

#include "airmail/AutomationSeams.h"
#include "airmail/TerminalStatus.h"

namespace velmora {

class EngineTerminal {
 public:
  virtual ~EngineTerminal() = default;
  virtual bool TerminalActivate() = 0;
  virtual bool TerminalSelectSystem(std::string_view system) = 0;
  virtual bool TerminalSelectStation(std::string_view station) = 0;
  virtual bool TerminalSelectFrequencyField() = 0;
  // Replaces the focused field's text (the frequency field after the above).
  virtual bool TerminalFieldPaste(std::string_view text) = 0;
  virtual bool TerminalSelectSet(std::string_view station, std::string_view frequency) = 0;
  // False when the call could not be made, or when `abandoned` answered
  // true just before the call key; then no result may be read.
  virtual bool TerminalConnect(const CallAbandoned& abandoned) = 0;
  virtual TerminalStatus TerminalConnectCheck(const CallTarget& current) = 0;
  virtual void ConnectAidCheck(std::string_view system) = 0;
};

}  // namespace velmora
