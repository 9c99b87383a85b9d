#pragma once
// Whole-file reads and writes. Writes go to a file of their own beside the
// target, which reaches the disk and then replaces the target in one step,
// so a crash or a power cut mid-write leaves the old or the new content.
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <system_error>

#include "common/TextFileLines.h"

namespace velmora {

// The file's bytes, or nullopt (with the error) when it cannot be read, or
// when it holds more than `limit` bytes (std::errc::file_too_large: what
// lies beyond is not read).
std::optional<std::string> ReadWholeFile(const std::filesystem::path& file, std::error_code& error,
                                         size_t limit = kDataFileLimit);

// Replaces the file's content; on failure the file is left as it was. The
// temporaries that earlier writes of files of its kind (its extension, in
// its folder) left when killed before their end are removed once nothing
// has touched them for some minutes.
bool WriteFileAtomically(const std::filesystem::path& file, std::string_view content, std::error_code& error);

}  // namespace velmora
