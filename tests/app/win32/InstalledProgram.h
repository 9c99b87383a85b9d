#pragma once
// The real program in a folder of its own beside a stand-in AirMail, as a
// scheduled run or a user meets it, and the stand-in's record read by time.
#include <memory>
#include <optional>

#include "audio/MainSettings.h"
#include "common/ProfileFile.h"
#include "tests/airmail/win32/StandInSession.h"
#include "tools/signalgen/SignalGen.h"

namespace velmora::testing {

inline constexpr double kInstalledNotBusySeconds = 2;
inline constexpr int kInstalledAttempts = 2;

// The system's time in milliseconds, as the stand-in stamps its record.
inline long long NowMs() {
  FILETIME now;
  GetSystemTimeAsFileTime(&now);
  return static_cast<long long>(((static_cast<unsigned long long>(now.dwHighDateTime) << 32) | now.dwLowDateTime) /
                                10000);
}

// Pactor 3 at 1400/2800: one of the forms that show a link.
inline signalgen::Signal Pactor(double seconds, std::uint64_t seed) {
  return signalgen::Generate({.form = signalgen::Form::Pactor3, .variant = 3, .seconds = seconds, .seed = seed});
}

// When (ms) the stand-in first received a line beginning with `prefix`.
inline std::optional<long long> FirstTime(const std::vector<std::string>& record, std::string_view prefix) {
  for (const auto& line : record) {
    auto blank = line.find(' ');
    if (blank != std::string::npos && line.compare(blank + 1, prefix.size(), prefix) == 0)
      return std::stoll(line.substr(0, blank));
  }
  return std::nullopt;
}

// The program in a folder of its own, its settings pointing at AirMail's.
class Installed {
 public:
  // `lines` come first, and win; `detector` keys go to the main window's settings.
  Installed(int mode, const StandInSession& airmail, const std::string& lines = {},
            const std::string& detector = {}) {
    std::filesystem::copy_file(HostPath(VELMORA_BINARY_DIR "/Velmora.exe"), folder_.path() / "Velmora.exe");
    // The test prefix has no REC533: the table is AirMail's own list, and
    // the message about it is a box that closes itself.
    WriteBytes(folder_.path() / kSettingsFileName,
               "[Airmail Data]\r\n" + lines + "Mode Index=" + std::to_string(mode) +
                   "\r\nAirmail Directory Data=" + airmail.DataFolder() +
                   "\r\nAirmail Directory Program=" + airmail.ProgramFolder() +
                   "\r\nAirmail Startup=False\r\nAirmail Lat/Lon Check=False\r\nAirmail Resize=True\r\n"
                   "Auto Select Range Max=5000\r\nPropagation Model Model=3\r\nConnect Not Busy=" +
                   std::to_string(kInstalledNotBusySeconds) + "\r\nConnect Attempts=" +
                   std::to_string(kInstalledAttempts) + "\r\n[Detector Data]\r\n" + detector);
  }
  std::unique_ptr<ChildProcess> Launch(const char* arguments = "/connect") const {
    return std::make_unique<ChildProcess>("\"" + (folder_.path() / "Velmora.exe").string() + "\" " + arguments,
                                          folder_.path().string());
  }
  std::string Kept(const char* file) const { return ReadBytes(folder_.path() / file); }
  std::filesystem::path Folder() const { return folder_.path(); }
  ProfileDocument Settings() const { return ProfileDocument::Load(folder_.path() / kSettingsFileName); }

 private:
  TempFolder folder_;
};

}  // namespace velmora::testing
