// AirMail's own files, the input taken as each. "Airmail.ini": the ship's
// position and its age from the position report or the propagation
// settings, AirMail's version, the modem's centre tone, and the position
// line of the options dialog. "Install.log" and the folder its registry
// value names: where the data folder is looked for when AirMail's own is
// not beside it. The station files "System.<system>.ini" (SAILMAIL's
// stations have names): the file read once, its stations (all and
// selected), their names, locators, ranges and frequency lists with the
// group filter, as the frequency table's fill reads them.
#include "airmail/AirmailInstallation.h"
#include "airmail/AirmailProfile.h"
#include "airmail/CenterTone.h"
#include "airmail/FrequencyFilters.h"
#include "airmail/FrequencyLists.h"
#include "airmail/Locator.h"
#include "airmail/StationEntries.h"
#include "airmail/StationFile.h"
#include "airmail/StationRanges.h"
#include "propagation/Positions.h"
#include "reports/AutoConnectOptions.h"
#include "tests/fuzz/FuzzSupport.h"

using namespace velmora;

namespace {

struct FuzzedRegistry final : AirmailRegistry {
  explicit FuzzedRegistry(std::string_view text) : value(text) {}
  std::optional<std::string> InstallFolder() const override { return value; }
  std::string value;
};

void StationFileRead(const AirmailDataFolder& folder, const std::string& system) {
  FileFailure failure;
  auto file = StationFile::Load(folder, system, failure);
  if (!file) return;
  StationSelectedGet(*file);
  StationGetAll(*file, LatLon{41.5, -71.25});
  for (auto kind : {StationListKind::All, StationListKind::Selected}) {
    std::vector<StationEntry> stations;
    if (!StationEntriesGet(*file, kind, stations)) continue;
    for (auto& station : stations) {
      LatLon position;
      GridToLatLon(station.locator, position, nullptr);
      StationNameFromStation(*file, station.key);
      std::vector<FrequencyRow> rows;
      if (!StationFrequencyListGet(*file, station.key, rows)) continue;
      rows.front().checked = true;
      size_t end = rows.size();
      FrequencyGroupFilter(*file, station.key, rows, 0, end);
    }
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const auto text = fuzz::Text(data, size);
  fuzz::ScratchFile("Airmail.ini", text);
  fuzz::QuietMessenger messages;
  AirmailDataFolder folder(fuzz::ScratchFolder().string(), messages);
  folder.SetRewritePatience({});
  const UtcDateTime now{2024, 5, 14, 12, 0, 0, 0};

  LatLon position;
  LatLonGetCurrent(folder, position);
  LatLonCheckAge(folder, AutoConnectSettings{}, now);
  AirmailVersionText(folder);
  AirmailPositionText(folder, now);
  CenterToneFromAirmail(folder);
  for (const char* system : {"HAM", "SAILMAIL"}) {
    fuzz::ScratchFile(StationFileName(system), text);
    StationFileRead(folder, system);
  }

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
