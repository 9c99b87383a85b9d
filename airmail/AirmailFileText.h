#pragma once
// The whole text of one of AirMail's files, read while AirMail may be
// rewriting it: AirMail empties the file and writes it again in place, so a
// read can meet it empty or cut in the middle of a line, or held open for
// the moment of the write.
#include <chrono>
#include <filesystem>
#include <optional>
#include <string>

#include "common/TextFileLines.h"

namespace velmora {

// AirMail's rewrite of a file takes a few milliseconds: half a second in all
// covers it with room to spare.
inline constexpr std::chrono::milliseconds kAirmailRewritePatience{500};

// The text, read again after a short pause while it looks half written (empty,
// cut without its last line end, changed during the read) or cannot be
// opened, until it is whole, stays the same for a tenth of a second or the
// patience runs out (none: read once, as it stands); nullopt when the file is
// missing or still cannot be read (failure tells why), nothing reported.
std::optional<std::string> AirmailFileText(const std::filesystem::path& file, FileFailure& failure, size_t limit,
                                           std::chrono::milliseconds patience = kAirmailRewritePatience);

}  // namespace velmora
