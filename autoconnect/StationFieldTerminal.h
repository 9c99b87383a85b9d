#pragma once
// AirMail's station field takes a station as AirMail shows it there: by
// its key, or for SAILMAIL by its display name. The engine names stations
// by key; this terminal hands the field what it accepts and passes every
// other operation on as it is.
#include <functional>
#include <string>
#include <string_view>

#include "autoconnect/EngineTerminal.h"

namespace velmora {

class StationFieldTerminal final : public EngineTerminal {
 public:
  // The display name of a station key (empty when it has none).
  using StationName = std::function<std::string(std::string_view system, std::string_view key)>;
  StationFieldTerminal(EngineTerminal& terminal, StationName name) : terminal_(terminal), name_(std::move(name)) {}

  bool TerminalActivate() override { return terminal_.TerminalActivate(); }
  bool TerminalSelectSystem(std::string_view system) override {
    system_ = system;
    return terminal_.TerminalSelectSystem(system);
  }
  bool TerminalSelectStation(std::string_view station) override {
    return terminal_.TerminalSelectStation(FieldText(station));
  }
  bool TerminalSelectFrequencyField() override { return terminal_.TerminalSelectFrequencyField(); }
  bool TerminalFieldPaste(std::string_view text) override { return terminal_.TerminalFieldPaste(text); }
  bool TerminalSelectSet(std::string_view station, std::string_view frequency) override {
    return terminal_.TerminalSelectSet(FieldText(station), frequency);
  }
  bool TerminalConnect(const CallAbandoned& abandoned) override { return terminal_.TerminalConnect(abandoned); }
  TerminalStatus TerminalConnectCheck(const CallTarget& current) override {
    return terminal_.TerminalConnectCheck(current);
  }
  void ConnectAidCheck(std::string_view system) override { terminal_.ConnectAidCheck(system); }

  // The station as the field takes it in the system last put into the terminal.
  std::string FieldText(std::string_view station) const;

 private:
  EngineTerminal& terminal_;
  StationName name_;
  std::string system_;
};

}  // namespace velmora
