// velmora-history: the AirMail or AutoConnect history summary as the
// history window shows it, for mailing ashore or checking by script.
#include <algorithm>
#include <exception>
#include <filesystem>
#include <iostream>
#include <new>
#include <string_view>
#include <vector>

#include "common/SystemLib.h"
#include "reports/AirmailSummary.h"
#include "reports/HistoryText.h"
#include "reports/LogFileSummary.h"
#include "tools/HelpAsked.h"
#include "tools/OutputChecked.h"
#include "tools/history/HistoryOptions.h"
#include "tools/history/OccupancyListing.h"

namespace {

void PrintCsvLine(const std::vector<std::string>& cells) {
  for (size_t i = 0; i < cells.size(); ++i) std::cout << (i ? "," : "") << velmora::CsvField(cells[i]);
  std::cout << "\n";
}

int Run(int argc, char** argv) {
  std::vector<std::string_view> arguments(argv + 1, argv + argc);
  if (velmora::HelpAsked(arguments)) {
    std::cout << velmora::kHistoryUsage;
    return 0;
  }
  if (!arguments.empty() && arguments[0] == velmora::kOccupancyOption)
    return velmora::OccupancyListing(arguments, std::cout, std::cerr);
  std::string problem;
  const auto options = velmora::ParseHistoryOptions(arguments, problem);
  if (!options) {
    std::cerr << "velmora-history: " << problem << "\n" << velmora::kHistoryUsage;
    return 2;
  }
  const auto summary = options->log == velmora::HistoryLog::Airmail
                           ? velmora::AirmailSummary(options->file, options->Period())
                           : velmora::LogFileSummary(options->file, options->Period());
  if (!summary.failure.empty()) {
    // The window's message breaks its lines with a carriage return alone.
    std::string lines = summary.failure;
    std::replace(lines.begin(), lines.end(), '\r', '\n');
    std::cerr << "velmora-history: " << lines << "\n";
    return 1;
  }
  // The window's log of a fresh installation, but here more often a name
  // mistyped or a folder not the one meant: an empty summary says neither.
  std::error_code ignored;
  if (!std::filesystem::exists(options->file, ignored))
    std::cerr << "velmora-history: there is no log \"" << velmora::PathText(options->file)
              << "\" (none written yet): a summary of nothing\n";
  for (const auto& line : summary.lines) std::cout << line << "\n";
  std::cout << "\n";
  PrintCsvLine(summary.headers);
  for (const auto& row : summary.rows) PrintCsvLine(row);
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  velmora::PathTextInCodePage();  // the paths given are in the system's code page
  velmora::SystemErrorBoxesOff();
  // Whatever goes wrong ends in one line and status 2, never in an abort.
  try {
    return velmora::OutputChecked("velmora-history", Run(argc, argv), 1);
  } catch (const std::bad_alloc&) {
    std::cerr << "velmora-history: out of memory\n";
  } catch (const std::exception& e) {
    std::cerr << "velmora-history: " << e.what() << "\n";
  }
  return 2;
}
