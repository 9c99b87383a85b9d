// AirMail's "Install.log" and the folder its registry value names: where
// the data folder is looked for when AirMail's own is not beside it.
#include "airmail/AirmailInstallation.h"
#include "airmail/AutoConnectSettings.h"
#include "tests/fuzz/FuzzSupport.h"

using namespace velmora;

namespace {

struct FuzzedRegistry final : AirmailRegistry {
  explicit FuzzedRegistry(std::string_view text) : value(text) {}
  std::optional<std::string> InstallFolder() const override { return value; }
  std::string value;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const auto text = fuzz::Text(data, size);
  const auto program = fuzz::ScratchFolder() / "program";
  std::filesystem::create_directories(program);
  testing::WriteBytes(program / "Airmail3.exe", "");
  testing::WriteBytes(program / "Install.log", text);

  AutoConnectSettings settings;
  settings.airmailDirectoryProgram = program.string();
  settings.airmailDirectoryData = (fuzz::ScratchFolder() / "none").string();
  AirmailInstallationGet(settings, FuzzedRegistry(text));

  // Without AirMail in the program folder, the registry names it.
  settings.airmailDirectoryProgram = (fuzz::ScratchFolder() / "none").string();
  AirmailInstallationGet(settings, FuzzedRegistry(text));
  return 0;
}
