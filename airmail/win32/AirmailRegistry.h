#pragma once
// AirMail's installation folder as its installer left it in the registry.
#include "airmail/AirmailInstallation.h"

namespace velmora {

inline constexpr const char* kAirmailInstallationKey = "Software\\Sirius Cybernetics\\AirMail\\Installation";
inline constexpr const char* kAirmailInstallFolderValue = "Install Folder";

class Win32AirmailRegistry final : public AirmailRegistry {
 public:
  std::optional<std::string> InstallFolder() const override;
};

}  // namespace velmora
