#include "tools/history/OccupancyListing.h"

#include <algorithm>
#include <filesystem>
#include <string>
#include <system_error>
#include <vector>

#include "common/Format.h"
#include "common/SystemLib.h"
#include "common/TextParse.h"
#include "reports/HistoryText.h"
#include "selection/StationOccupancy.h"

namespace velmora {
namespace {

void CsvLine(std::ostream& out, std::initializer_list<std::string> cells) {
  bool first = true;
  for (const auto& cell : cells) {
    out << (first ? "" : ",") << CsvField(cell);
    first = false;
  }
  out << "\n";
}

// By system and station, the frequencies in the order of their kHz, then the hour.
bool ListedBefore(const StationOccupancy::Entries::value_type* a, const StationOccupancy::Entries::value_type* b) {
  const OccupancyKey& x = a->first;
  const OccupancyKey& y = b->first;
  if (x.system != y.system) return x.system < y.system;
  if (x.station != y.station) return x.station < y.station;
  if (Val(x.frequency) != Val(y.frequency)) return Val(x.frequency) < Val(y.frequency);
  if (x.frequency != y.frequency) return x.frequency < y.frequency;
  return x.hour < y.hour;
}

}  // namespace

int OccupancyListing(std::span<const std::string_view> arguments, std::ostream& out, std::ostream& err) {
  if (arguments.size() != 2 || arguments[0] != kOccupancyOption || arguments[1].empty()) {
    err << "velmora-history: " << kOccupancyOption << ": one file must follow, and nothing else\n";
    return 2;
  }
  const std::filesystem::path file = std::string(arguments[1]);
  // Not written yet in a folder that is there is an empty record, as a log
  // not written yet is; in a folder that is not there, a mistyped name.
  std::error_code ignored;
  const auto folder = file.has_parent_path() ? file.parent_path() : std::filesystem::path(".");
  if (!std::filesystem::exists(file, ignored) && !std::filesystem::is_directory(folder, ignored)) {
    err << "velmora-history: StationOccupancyGet - Open, "
        << ErrorText(std::make_error_code(std::errc::no_such_file_or_directory)) << "\n";
    return 1;
  }
  OccupancyRead read = StationOccupancyRead(file);
  if (!read.problem.empty()) err << "velmora-history: StationOccupancyGet - " << read.problem << "\n";
  if (read.unreadable) return 1;
  std::vector<const StationOccupancy::Entries::value_type*> entries;
  for (const auto& entry : read.record.All()) entries.push_back(&entry);
  std::stable_sort(entries.begin(), entries.end(), ListedBefore);
  out << kOccupancyHeading << "\n";
  for (const auto* e : entries)
    CsvLine(out, {e->first.system, e->first.station, e->first.frequency, IntegerText(e->first.hour),
                  FormatNumber(e->second.heard / 60, "0.0"), IntegerText(e->second.Percent())});
  return read.problem.empty() ? 0 : 1;
}

}  // namespace velmora
