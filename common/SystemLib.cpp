#include "common/SystemLib.h"

#include <algorithm>
#include <climits>
#include <ctime>
#include <cwchar>
#include <type_traits>

#include "common/CalendarTime.h"

namespace velmora {

std::string FileTitle(std::string_view path) {
  auto slash = path.find_last_of("\\/");
  auto dot = path.rfind('.');
  if (slash == std::string_view::npos || dot == std::string_view::npos || dot < slash) return std::string(path);
  return std::string(path.substr(slash + 1, dot - slash - 1));
}

std::string ErrorCodeText(long long code) { return "Error Code " + std::to_string(code); }

std::string WaveErrorText(unsigned code) {
  switch (code) {
    case 2: return "Specified device identifier is out of range.";
    case 4: return "Specified resource is already allocated.";
    case 6: return "No device driver is present.";
    case 7: return "Unable to allocate or lock memory.";
    case 32: return "Attempted to open with an unsupported waveform-audio format.";
    default: return ErrorCodeText(code);
  }
}

std::filesystem::path JoinPath(std::string_view folder, std::string_view name) {
  std::filesystem::path path{std::string(folder)};
  std::string part;
  for (char c : name) {
    if (c == '\\' || c == '/') {
      if (!part.empty()) path /= part;
      part.clear();
    } else {
      part += c;
    }
  }
  if (!part.empty()) path /= part;
  return path;
}

std::string PathText(const std::filesystem::path& path) {
  if constexpr (std::is_same_v<std::filesystem::path::value_type, char>) {
    return path.string();
  } else {
    // The library reads a narrow text letter by letter in the C library's
    // character set (the code page, once PathTextInCodePage has run): a
    // path of such letters only is spelled so, and checked.
    std::string text;
    std::mbstate_t state{};
    char letter[MB_LEN_MAX];
    for (auto c : path.native()) {
      size_t length = std::wcrtomb(letter, c, &state);
      if (length == static_cast<size_t>(-1)) return path.string();
      text.append(letter, length);
    }
    return std::filesystem::path(text).native() == path.native() ? text : path.string();
  }
}

std::string NotWrittenText(const std::filesystem::path& file) {
  return "\"" + PathText(file) + "\" could not be written";
}

std::string NotReadText(const std::filesystem::path& file) { return "\"" + PathText(file) + "\" could not be read"; }

UtcDateTime UtcNow() {
  auto now = std::chrono::system_clock::now();
  const std::tm tm = UtcCalendarTime(std::chrono::system_clock::to_time_t(now));
  auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(now.time_since_epoch()).count() % 1000;
  return {tm.tm_year + 1900, tm.tm_mon + 1, tm.tm_mday, tm.tm_hour, tm.tm_min, tm.tm_sec, static_cast<int>(ms)};
}

double SteadyClock::Seconds() {
  return std::chrono::duration<double>(std::chrono::steady_clock::now().time_since_epoch()).count();
}

void WaitSeconds(EventPump& pump, Clock& clock, double seconds) {
  double end = clock.Seconds() + seconds;
  pump.RunPending();
  for (double now = clock.Seconds(); now < end; now = clock.Seconds()) {
    auto left = std::chrono::milliseconds(static_cast<long long>((end - now) * 1000) + 1);
    pump.Idle(std::min(left, std::chrono::milliseconds(20)));
    pump.RunPending();
  }
}

}  // namespace velmora
