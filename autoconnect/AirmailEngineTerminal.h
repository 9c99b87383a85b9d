#pragma once
// The engine's terminal is AirMail's terminal.
#include "airmail/AirmailTerminal.h"
#include "autoconnect/EngineTerminal.h"

namespace velmora {

class AirmailEngineTerminal final : public EngineTerminal {
 public:
  explicit AirmailEngineTerminal(AirmailTerminal& terminal) : terminal_(terminal) {}

  bool TerminalActivate() override { return terminal_.TerminalActivate(); }
  bool TerminalSelectSystem(std::string_view system) override { return terminal_.TerminalSelectSystem(system); }
  bool TerminalSelectStation(std::string_view station) override { return terminal_.TerminalSelectStation(station); }
  bool TerminalSelectFrequencyField() override { return terminal_.TerminalSelectFrequencyField(); }
  bool TerminalFieldPaste(std::string_view text) override { return terminal_.TerminalFieldPaste(text); }
  bool TerminalSelectSet(std::string_view station, std::string_view frequency) override {
    return terminal_.TerminalSelectSet(station, frequency);
  }
  bool TerminalConnect(const CallAbandoned& abandoned) override { return terminal_.TerminalConnect(abandoned); }
  TerminalStatus TerminalConnectCheck(const CallTarget& current) override {
    return terminal_.TerminalConnectCheck(current);
  }
  void ConnectAidCheck(std::string_view system) override { terminal_.ConnectAidCheck(system); }

 private:
  AirmailTerminal& terminal_;
};

}  // namespace velmora
