#include "airmail/AirmailProfile.h"

#include <chrono>

#include "airmail/AirmailFileText.h"
#include "common/ProfileFile.h"

namespace velmora {
namespace {

constexpr char kCr = '\r';

// Boundaries counted as a calendar clock counts them: the seconds play no part.
long long DayNumber(const UtcDateTime& t) {
  using namespace std::chrono;
  year_month_day date{year{t.year}, month{static_cast<unsigned>(t.month)}, day{static_cast<unsigned>(t.day)}};
  return sys_days{date}.time_since_epoch().count();
}
long long HourNumber(const UtcDateTime& t) { return DayNumber(t) * 24 + t.hour; }
long long MinuteNumber(const UtcDateTime& t) { return HourNumber(t) * 60 + t.minute; }

}  // namespace

std::string AirmailErrorDataMessage(const AirmailDataFolder& data) { return AirmailErrorDataMessage(data.Folder()); }

std::string AirmailErrorDataMessage(std::string_view folder) {
  return std::string{kCr, kCr} + "Please check that the AirMail's Data Folder \"" + std::string(folder) +
         "\" is correct.";
}

std::string AirMailGetProfileString(const AirmailDataFolder& data, std::string_view fileName,
                                    std::string_view section, std::string_view key, bool reportMissing) {
  FileFailure failure;
  auto text = AirmailFileText(data.File(fileName), failure, kProfileFileLimit, data.RewritePatience());
  auto value = text ? ProfileDocument::Parse(*text).Read(section, key, kAirmailValueBuffer) : std::string();
  if (value.empty() && reportMissing) AirmailReportMissing(data, fileName, section, key);
  return value;
}

void AirmailReportMissing(const AirmailDataFolder& data, std::string_view fileName, std::string_view section,
                          std::string_view key) {
  data.Messages().Show("Unable to find AirMail's " + std::string(section) + ", " + std::string(key) + " in \"" +
                           std::string(fileName) + "\"." + AirmailErrorDataMessage(data),
                       MessageIcon::Exclamation);
}

std::string AirmailVersionText(const AirmailDataFolder& data) {
  std::string text = "Test Version 3.2.022.";
  auto version = AirMailGetProfileString(data, "Airmail.ini", "Settings", "Last Program Version", true);
  text += kCr;
  text += version.empty() ? "  Current Version N/A" : "  Current Version " + version;
  return text;
}

std::string TimeSpanText(const UtcDateTime& then, const UtcDateTime& now) {
  if (auto days = DayNumber(now) - DayNumber(then); days != 0) return std::to_string(days) + " days";
  if (auto hours = HourNumber(now) - HourNumber(then); hours != 0) return std::to_string(hours) + " hours";
  return std::to_string(MinuteNumber(now) - MinuteNumber(then)) + " minutes";
}

}  // namespace velmora
