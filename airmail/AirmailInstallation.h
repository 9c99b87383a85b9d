#pragma once
// Finding AirMail's program folder and data folder: the program file, the
// registry value AirMail's installer leaves, and AirMail's install log.
#include <optional>
#include <string>
#include <string_view>

#include "airmail/AutoConnectSettings.h"

namespace velmora {

// The registry value "Install Folder" of AirMail's installation key, as
// stored (terminating NULs included; an expandable one with the names it
// holds filled in); nullopt when it cannot be read.
class AirmailRegistry {
 public:
  virtual ~AirmailRegistry() = default;
  virtual std::optional<std::string> InstallFolder() const = 0;
};

// Where there is no registry (the command-line check on other systems).
class NoAirmailRegistry final : public AirmailRegistry {
 public:
  std::optional<std::string> InstallFolder() const override { return std::nullopt; }
};

// Replaces the data and program folders of the settings where AirMail is
// found elsewhere. Reports nothing: the first reader that misses a file does.
void AirmailInstallationGet(AutoConnectSettings& settings, const AirmailRegistry& registry);

// A folder as stored by AirMail: up to a NUL, blanks at the end dropped,
// then one trailing separator dropped when there is one (a drive's root
// such as "C:\" keeps it).
std::string FolderFromStoredText(std::string_view text);

}  // namespace velmora
