// velmora-airmail: what Velmora sees of an AirMail installation, through
// the program's own readers, one record per line:
//   system,SYSTEM
//   station,SYSTEM,KEY,NAME,LOCATOR,SELECTED
//   frequency,SYSTEM,KEY,LABEL,GROUP,P3
//   message,TEXT          (each message the program would show)
// A "," inside a field is written as ";", a carriage return as "\r".
#include <cstdio>
#include <iostream>
#include <string>
#include <string_view>
#include <vector>

#include "airmail/AirmailInstallation.h"
#include "airmail/FrequencyLists.h"
#include "airmail/MailSystems.h"
#include "airmail/StationEntries.h"
#include "common/SystemLib.h"
#include "tools/HelpAsked.h"
#include "tools/OutputChecked.h"
#ifdef _WIN32
#include "airmail/win32/AirmailRegistry.h"
#endif

namespace velmora {
namespace {

constexpr int kUsageError = 1;
constexpr int kDataUnreadable = 2;

std::string Field(std::string_view text) {
  std::string out;
  for (char c : text) {
    if (c == ',') out += ';';
    else if (c == '\r') out += "\\r";
    else if (c == '\n') out += "\\n";
    else out += c;
  }
  return out;
}

void Record(std::initializer_list<std::string_view> fields) {
  std::string line;
  for (auto f : fields) line += (line.empty() ? "" : ",") + Field(f);
  std::cout << line << '\n';
}

// Messages appear where the program would show them, between the records.
class MessageLines final : public Messenger {
 public:
  void Show(std::string_view text, MessageIcon, std::string_view) override { Record({"message", text}); }
  bool AskYesNo(std::string_view text, MessageIcon, std::string_view) override {
    Record({"message", text});
    return false;
  }
};

void ListStation(const StationFile& file, const StationEntry& station, const std::string& selected) {
  const std::string& system = file.System();
  Record({"station", system, station.key, station.name, station.locator,
          StationIsSelected(selected, station.key) ? "1" : "0"});
  std::vector<FrequencyRow> rows;
  StationFrequencyListGet(file, station.key, rows);
  for (const auto& row : rows)
    Record({"frequency", system, station.key, row.label, std::to_string(row.group), row.pactor3 ? "1" : "0"});
}

// Each station file is read once for its whole listing; false when it
// could not be read, which the listing then lacks.
bool ListSystem(const AirmailDataFolder& data, const std::string& system) {
  std::vector<StationEntry> stations;
  FileFailure failure;
  auto file = StationFile::Load(data, system, failure);
  if (!file) {
    StationEntriesGet(data, system, StationListKind::All, stations);  // says why
    return false;
  }
  std::string selected = StationSelectedGet(*file);
  StationEntriesGet(*file, StationListKind::All, stations);
  for (const auto& station : stations) ListStation(*file, station, selected);
  return true;
}

constexpr const char* kUsage =
    "usage: velmora-airmail --data DIR [--program DIR]\n"
    "Lists AirMail's systems, stations and frequencies as Velmora reads them from\n"
    "AirMail's data folder DIR. With --program, AirMail is first looked for as the\n"
    "program does at start (Airmail3.exe, the registry, Install.log).\n"
    "Exit status: 0 when the data folder could be read and its listing written, 2 when not\n"
    "(or when a station file could not be read: the listing lacks its stations).\n";

int Usage(const std::string& problem) {
  std::cerr << "velmora-airmail: " << problem << "\n" << kUsage;
  return kUsageError;
}

int Run(int argc, char** argv) {
  if (HelpAsked(std::vector<std::string_view>(argv + 1, argv + argc))) {
    std::cout << kUsage;
    return 0;
  }
  AutoConnectSettings folders;
  bool haveData = false, haveProgram = false;
  for (int i = 1; i < argc; ++i) {
    std::string arg = argv[i];
    if (arg != "--data" && arg != "--program") return Usage((arg.empty() ? "\"\"" : arg) + ": no such option");
    if (i + 1 >= argc) return Usage(arg + ": a folder must follow");
    (arg == "--data" ? folders.airmailDirectoryData : folders.airmailDirectoryProgram) = argv[++i];
    (arg == "--data" ? haveData : haveProgram) = true;
  }
  if (!haveData) return Usage("--data: AirMail's data folder is needed");
  if (haveProgram) {
#ifdef _WIN32
    Win32AirmailRegistry registry;
#else
    NoAirmailRegistry registry;
#endif
    AirmailInstallationGet(folders, registry);
  }

  RecordingMessenger first;
  SelectionList systems;
  if (!SystemGetList(AirmailDataFolder(folders.airmailDirectoryData, first), systems, 0)) {
    for (const auto& text : first.Texts()) {
      std::string readable = text;
      for (char& c : readable)
        if (c == '\r') c = '\n';
      std::cerr << readable << '\n';
    }
    return kDataUnreadable;
  }
  MessageLines messages;
  AirmailDataFolder data(folders.airmailDirectoryData, messages);
  for (const auto& system : systems.entries) Record({"system", system});
  bool whole = true;
  for (const auto& system : systems.entries) whole = ListSystem(data, system) && whole;
  return whole ? 0 : kDataUnreadable;
}

}  // namespace
}  // namespace velmora

int main(int argc, char** argv) {
  velmora::PathTextInCodePage();  // the paths given are in the system's code page
  velmora::SystemErrorBoxesOff();
  return velmora::OutputChecked("velmora-airmail", velmora::Run(argc, argv), 2);
}
