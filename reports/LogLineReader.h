#pragma once
// A log read line by line in chunks of a fixed size, so a log of any
// length costs the chunk and one line. The file is opened shared: AirMail
// goes on writing its debug log meanwhile.
#include <filesystem>
#include <functional>
#include <string_view>
#include <system_error>

namespace velmora {

// Lines end with LF, CR LF or CR; a last line without its end counts. A
// line longer than this is seen cut to this length.
inline constexpr size_t kLongestLogLine = 64 * 1024;

enum class LogReadResult { Done, OpenFailed, ReadFailed };

LogReadResult ReadLogLines(const std::filesystem::path& file, const std::function<void(std::string_view)>& line,
                           std::error_code& error);

}  // namespace velmora
