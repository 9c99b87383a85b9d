#include "propagation/DateTimeText.h"

#include <array>
#include <chrono>
#include <string>
#include <vector>

#include "common/TextParse.h"

namespace velmora {
namespace {

struct Token {
  std::string text;
  bool number = false;
};

// Numbers and words; every other character separates them. The separators
// that matter (":" of a time, "." of a date or a fraction) are kept apart.
std::vector<Token> Tokens(std::string_view text) {
  std::vector<Token> tokens;
  for (size_t i = 0; i < text.size();) {
    char c = text[i];
    if (IsAsciiDigit(c) || IsAsciiLetter(c)) {
      bool digit = IsAsciiDigit(c);
      size_t j = i;
      while (j < text.size() && (digit ? IsAsciiDigit(text[j]) : IsAsciiLetter(text[j])))
        ++j;
      tokens.push_back({std::string(text.substr(i, j - i)), digit});
      i = j;
    } else {
      if (c == ':' || c == '.' || c == '/' || c == '-') tokens.push_back({std::string(1, text[i]), false});
      ++i;
    }
  }
  return tokens;
}

int MonthFromName(std::string_view word) {
  static constexpr std::array<std::string_view, 12> kMonths{"JANUARY",   "FEBRUARY", "MARCH",    "APRIL",
                                                            "MAY",       "JUNE",     "JULY",     "AUGUST",
                                                            "SEPTEMBER", "OCTOBER",  "NOVEMBER", "DECEMBER"};
  std::string upper = ToUpper(word);
  if (upper.size() < 3) return 0;
  for (size_t m = 0; m < kMonths.size(); ++m)
    if (kMonths[m].starts_with(upper)) return static_cast<int>(m) + 1;
  return 0;
}

int Year(const Token& t) {
  int year = std::stoi(t.text);
  if (t.text.size() <= 2) year += year < 30 ? 2000 : 1900;
  return year;
}

bool ValidDate(int year, int month, int day) {
  using namespace std::chrono;
  // The calendar's day and month keep only their low byte: 270 would pass as 14.
  if (month < 1 || month > 12 || day < 1 || day > 31) return false;
  return year_month_day{std::chrono::year{year}, std::chrono::month{static_cast<unsigned>(month)},
                        std::chrono::day{static_cast<unsigned>(day)}}
      .ok();
}

// Reads a date from the front of the tokens; the rest is left in 'at'.
bool ReadDate(const std::vector<Token>& t, size_t& at, DateOrder order, UtcDateTime& out) {
  auto number = [&](size_t i) { return i < t.size() && t[i].number && t[i].text.size() <= 4; };
  auto separator = [&](size_t i) {
    return i < t.size() && !t[i].number && (t[i].text == "/" || t[i].text == "-" || t[i].text == ".");
  };
  auto word = [&](size_t i) { return i < t.size() && !t[i].number && MonthFromName(t[i].text) != 0; };
  size_t i = at;
  if (number(i) && separator(i + 1) && number(i + 2) && separator(i + 3) && number(i + 4)) {
    int a = std::stoi(t[i].text), b = std::stoi(t[i + 2].text);
    bool dayFirst = t[i + 1].text == "." || order == DateOrder::DayMonthYear;
    // A number past 12 where the month should be can only be the day.
    if (dayFirst ? b > 12 && a <= 12 : a > 12) dayFirst = !dayFirst;
    bool yearLast = t[i + 4].text.size() == 4;
    if (t[i].text.size() == 4 || (order == DateOrder::YearMonthDay && !yearLast)) {
      out.year = Year(t[i]), out.month = b, out.day = std::stoi(t[i + 4].text);
    } else if (dayFirst) {
      out.day = a, out.month = b, out.year = Year(t[i + 4]);
    } else {
      out.month = a, out.day = b, out.year = Year(t[i + 4]);
    }
    at = i + 5;
  } else if (number(i) && word(i + 1 + separator(i + 1))) {  // 14-May-2024, 14 May 2024
    size_t m = i + 1 + separator(i + 1);
    size_t y = m + 1 + separator(m + 1);
    if (!number(y)) return false;
    out.day = std::stoi(t[i].text), out.month = MonthFromName(t[m].text), out.year = Year(t[y]);
    at = y + 1;
  } else if (word(i) && number(i + 1) && number(i + 2)) {  // May 14, 2024
    out.month = MonthFromName(t[i].text), out.day = std::stoi(t[i + 1].text), out.year = Year(t[i + 2]);
    at = i + 3;
  } else {
    return false;
  }
  return ValidDate(out.year, out.month, out.day);
}

bool ReadTime(const std::vector<Token>& t, size_t& at, UtcDateTime& out) {
  auto number = [&](size_t i) { return i < t.size() && t[i].number && t[i].text.size() <= 2; };
  auto colon = [&](size_t i) { return i < t.size() && t[i].text == ":"; };
  size_t i = at;
  if (!(number(i) && colon(i + 1) && number(i + 2))) return false;
  out.hour = std::stoi(t[i].text), out.minute = std::stoi(t[i + 2].text), out.second = 0, out.millisecond = 0;
  i += 3;
  if (colon(i) && number(i + 1)) {
    out.second = std::stoi(t[i + 1].text);
    i += 2;
    if (i + 1 < t.size() && t[i].text == "." && t[i + 1].number) {
      std::string fraction = (t[i + 1].text + "000").substr(0, 3);
      out.millisecond = std::stoi(fraction);
      i += 2;
    }
  }
  if (i < t.size() && !t[i].number) {
    std::string word = ToUpper(t[i].text);
    if (word == "AM" || word == "PM") {
      if (out.hour < 1 || out.hour > 12) return false;
      out.hour = out.hour % 12 + (word == "PM" ? 12 : 0);
      ++i;
    } else if (word == "Z" || word == "UTC" || word == "GMT") {
      ++i;
    }
  }
  if (out.hour >= 24 || out.minute >= 60 || out.second >= 60) return false;
  at = i;
  return true;
}

long long DayNumber(const UtcDateTime& t) {
  using namespace std::chrono;
  return sys_days{year_month_day{std::chrono::year{t.year}, std::chrono::month{static_cast<unsigned>(t.month)},
                                 std::chrono::day{static_cast<unsigned>(t.day)}}}
      .time_since_epoch()
      .count();
}

}  // namespace

std::optional<UtcDateTime> DateTimeFromText(std::string_view text, DateOrder order) {
  auto tokens = Tokens(text);
  if (tokens.empty()) return std::nullopt;
  UtcDateTime out{1899, 12, 30, 0, 0, 0, 0};
  size_t at = 0;
  bool date = ReadDate(tokens, at, order, out);
  if (!date) {
    out = {1899, 12, 30, 0, 0, 0, 0};
    at = 0;
  }
  if (at < tokens.size() && ToUpper(tokens[at].text) == "T") ++at;
  bool time = at < tokens.size() && ReadTime(tokens, at, out);
  if ((!date && !time) || at != tokens.size()) return std::nullopt;
  return out;
}

DateOrder DateOrderFromPattern(std::string_view pattern) {
  bool quoted = false;  // text in quotes is a literal: "'Day' d.M.yy"
  for (char c : pattern) {
    if (c == '\'') quoted = !quoted;
    if (quoted) continue;
    if (c == 'd' || c == 'D') return DateOrder::DayMonthYear;
    if (c == 'M') return DateOrder::MonthDayYear;
    if (c == 'y' || c == 'Y') return DateOrder::YearMonthDay;
  }
  return DateOrder::MonthDayYear;
}

long long CalendarDaysBetween(const UtcDateTime& from, const UtcDateTime& to) {
  return DayNumber(to) - DayNumber(from);
}

}  // namespace velmora
