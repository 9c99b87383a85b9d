#include "autoconnect/StationFieldTerminal.h"

#include "airmail/MailSystems.h"

namespace velmora {

std::string StationFieldTerminal::FieldText(std::string_view station) const {
  if (!SystemIsSailmail(system_)) return std::string(station);
  std::string name = name_(system_, station);
  return name.empty() ? std::string(station) : name;
}

}  // namespace velmora
