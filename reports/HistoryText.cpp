#include "reports/HistoryText.h"

#include <cmath>

#include "common/Format.h"

namespace velmora {

std::string SecondsToText(double seconds) {
  // A day or more starts again from 0; what is no duration is none.
  if (!std::isfinite(seconds) || seconds < 0) seconds = 0;
  if (seconds >= 86400) seconds = 86400 + std::fmod(seconds, 86400);
  long long whole = std::llround(seconds);
  long long ofDay = whole % 86400;
  int h = static_cast<int>(ofDay / 3600), m = static_cast<int>(ofDay / 60 % 60), s = static_cast<int>(ofDay % 60);
  if (whole < 60) return ":" + TwoDigits(s);
  if (whole < 600) return IntegerText(m) + ":" + TwoDigits(s);
  if (whole < 3600) return TwoDigits(m) + ":" + TwoDigits(s);
  if (whole < 36000) return IntegerText(h) + ":" + TwoDigits(m) + ":" + TwoDigits(s);
  return TwoDigits(h) + ":" + TwoDigits(m) + ":" + TwoDigits(s);
}

std::string ShortDate(std::optional<std::chrono::sys_days> date) {
  if (!date) return {};
  std::chrono::year_month_day ymd{*date};
  return TwoDigits(static_cast<int>(static_cast<unsigned>(ymd.month()))) + "/" +
         TwoDigits(static_cast<int>(static_cast<unsigned>(ymd.day()))) + "/" +
         TwoDigits(static_cast<int>(ymd.year()) % 100);
}

int PeriodDays(std::optional<std::chrono::sys_days> first, std::optional<std::chrono::sys_days> last) {
  if (!first || !last) return 1;
  return static_cast<int>((*last - *first).count()) + 1;
}

std::string PercentText(double part, double whole) {
  return FormatNumber(whole != 0 ? part * 100 / whole : 0.0, "0") + "%";
}

std::string RatioText(double part, double whole) { return FormatNumber(whole != 0 ? part / whole : 0.0, "0.0"); }

std::string CsvField(std::string_view text) {
  if (text.find_first_of(",\"\r\n") == std::string_view::npos) return std::string(text);
  std::string out = "\"";
  for (char c : text) {
    if (c == '"') out += '"';
    out += c;
  }
  return out + "\"";
}

}  // namespace velmora
