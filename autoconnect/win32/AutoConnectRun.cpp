#include "autoconnect/win32/AutoConnectRun.h"

#include "airmail/StationEntries.h"

namespace velmora {

std::string SettingsStationNames::StationFromStationName(std::string_view system, std::string_view name) {
  return velmora::StationFromStationName(AirmailDataFolder(settings_.airmailDirectoryData, messenger_), system, name);
}

AutoConnectRun::AutoConnectRun(const AutoConnectRunSetup& s)
    : settings_(s.settings),
      desktop_(s.window, s.pump, clock_),
      activator_(s.window, s.messenger),
      terminalStatus_(s.engineWindow),
      counts_(s.main.Detectors()),
      names_(settings_, s.messenger),
      history_(s.main.ProgramFolder() / kStationHistoryDataFile, settings_, s.messenger),
      monitor_(s.messenger, activator_),
      terminal_({desktop_, s.messenger, terminalStatus_, activator_, counts_, names_, history_, monitor_, settings_,
                 s.unattended}),
      engineTerminal_(terminal_),
      stationField_(engineTerminal_,
                    [&settings = settings_, &messenger = s.messenger](std::string_view system, std::string_view key) {
                      AirmailDataFolder data(settings.airmailDirectoryData, messenger);
                      return StationNameFromStation(data, system, key);
                    }),
      engineTable_(s.table),
      ship_(s.geometry),
      log_(AutoConnectLogPath(s.main.ProgramFolder()), runClock_, ship_, s.main.Detectors(), s.messenger),
      radio_(settings_, {serial_, s.messenger, terminalStatus_, activator_, s.pump, clock_,
                         s.main.ProgramFolder() / kRadioRemoteMarkFile, s.unattended}),
      radioLink_(radio_),
      noiseSelection_(s.table, s.messenger),
      occupancy_(s.main.ProgramFolder() / kStationOccupancyDataFile, settings_, utc_, s.messenger),
      machines_(radioLink_, s.noConnect),
      engine_({stationField_, engineTable_, s.engineWindow, s.main, s.messenger, log_, runClock_}, machines_.Seams(),
              s.colors) {
  machines_.Attach(engine_.Run(), engineTable_, {s.scanBox, radioLink_, s.reference, noiseSelection_, s.labels});
  engine_.ListeningSet(&occupancy_);
}

}  // namespace velmora
