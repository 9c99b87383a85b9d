#pragma once
// What a history summary shows of any log: figures a person can read,
// never a number that is none ("NaN", "Infinity") or a negative duration.
// The lines hold figures and dates only; a table row starts with the
// station's name, the log's own text.
#include <cstdlib>
#include <string_view>

#include "reports/HistorySummary.h"

namespace velmora::fuzz {

inline void RequireShowable(const HistorySummary& summary) {
  auto showable = [](std::string_view text) {
    return text.find("NaN") == std::string_view::npos && text.find("Infinity") == std::string_view::npos &&
           text.find(":-") == std::string_view::npos;
  };
  for (const auto& line : summary.lines)
    if (!showable(line)) std::abort();
  for (const auto& row : summary.rows)
    for (size_t column = 1; column < row.size(); ++column)
      if (!showable(row[column])) std::abort();
}

}  // namespace velmora::fuzz
