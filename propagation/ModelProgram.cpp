#include "propagation/ModelProgram.h"

#include <cerrno>
#include <cstdio>
#include <memory>

#include "common/AtomicFile.h"
#include "common/CFile.h"

namespace velmora {

bool LocalModelFiles::ProgramExists(const std::filesystem::path& program) {
  std::error_code ignored;
  return std::filesystem::is_regular_file(LocalPath(program), ignored);
}

bool LocalModelFiles::DeckWrite(const std::filesystem::path& deck, std::string_view text, DeckFailure& failure,
                                std::error_code& error) {
  errno = 0;
  CFile file = CFileOpen(LocalPath(deck), "wb");
  if (!file) {
    failure = DeckFailure::Open;
    error = LastCError();
    return false;
  }
  bool written = std::fwrite(text.data(), 1, text.size(), file.get()) == text.size();
  written = std::fclose(file.release()) == 0 && written;
  if (!written) {
    failure = DeckFailure::Write;
    error = LastCError();
  }
  return written;
}

bool LocalModelFiles::OutputDelete(const std::filesystem::path& output, std::error_code& error) {
  std::filesystem::remove(LocalPath(output), error);
  return !error;
}

std::optional<std::string> LocalModelFiles::OutputRead(const std::filesystem::path& output, size_t limit,
                                                      std::error_code& error) {
  return ReadWholeFile(LocalPath(output), error, limit);
}

}  // namespace velmora
