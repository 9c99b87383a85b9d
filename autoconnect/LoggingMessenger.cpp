#include "autoconnect/LoggingMessenger.h"

#include <cstdio>

#include "autoconnect/AutoConnectLog.h"
#include "common/ScopedCount.h"

namespace velmora {

std::filesystem::path MessageLogPath(const std::filesystem::path& programFolder) {
  return programFolder / "Velmora.log";
}

Record MessageLogRecord(const UtcDateTime& t, std::string_view text) {
  char stamp[32];
  std::snprintf(stamp, sizeof stamp, "%04d-%02d-%02d %02d:%02d:%02d", t.year, t.month, t.day, t.hour, t.minute,
                t.second);
  return {stamp, RecordField(CommasAsDashes(text))};
}

void LoggingMessenger::Append(std::string_view text) {
  std::error_code error;
  // A log that cannot be written must not hide the message itself, and
  // there is nobody to tell: the box follows regardless, and the run's exit
  // code tells it.
  if (!AppendRecord(file_, "", MessageLogRecord(clock_.Utc(), text), error)) failed_ = true;
}

void LoggingMessenger::Show(std::string_view text, MessageIcon icon, std::string_view title) {
  Append(text);
  ScopedCount showing(showing_);  // a box is up while it lasts
  inner_.Show(text, icon, title);
}

bool LoggingMessenger::AskYesNo(std::string_view text, MessageIcon icon, std::string_view title) {
  Append(text);
  ScopedCount showing(showing_);  // a box is up while it lasts
  return inner_.AskYesNo(text, icon, title);
}

}  // namespace velmora
