#pragma once
// A log read line by line in chunks of a fixed size, so a log of any
// length costs the chunk and one line. The file is opened shared: AirMail
// goes on writing its debug log meanwhile.
#include <filesystem>
#include <functional>
#include <string>
#include <string_view>
#include <system_error>

#include "common/LogLimits.h"
#include "reports/HistorySummary.h"

namespace velmora {

// Missing: the log is not there (yet) in a folder that is.
enum class LogReadResult { Done, Missing, OpenFailed, ReadFailed };

// What a summary of the log shows after the reading: the summary, with
// the failure after it when the reading failed midway; the failure alone
// when the log could not be opened; a summary of nothing when it is not
// there yet.
HistorySummary HistoryOf(LogReadResult result, HistorySummary summary, std::string failure);

// Lines end with LF, CR LF or CR; a last line without its end counts. A
// line longer than kLongestLogLine is seen cut to that length. Zero bytes
// are left out.
LogReadResult ReadLogLines(const std::filesystem::path& file, const std::function<void(std::string_view)>& line,
                           std::error_code& error);

}  // namespace velmora
