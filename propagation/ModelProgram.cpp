#include "propagation/ModelProgram.h"

#include <cerrno>
#include <cstdio>
#include <memory>

#include "common/AtomicFile.h"

namespace velmora {
namespace {

struct FileCloser {
  void operator()(std::FILE* f) const { std::fclose(f); }
};

std::error_code LastError() { return {errno ? errno : EIO, std::generic_category()}; }

}  // namespace

bool LocalModelFiles::ProgramExists(const std::filesystem::path& program) {
  std::error_code ignored;
  return std::filesystem::is_regular_file(program, ignored);
}

bool LocalModelFiles::DeckWrite(const std::filesystem::path& deck, std::string_view text, DeckFailure& failure,
                                std::error_code& error) {
  errno = 0;
  std::unique_ptr<std::FILE, FileCloser> file(std::fopen(deck.string().c_str(), "wb"));
  if (!file) {
    failure = DeckFailure::Open;
    error = LastError();
    return false;
  }
  bool written = std::fwrite(text.data(), 1, text.size(), file.get()) == text.size();
  written = std::fclose(file.release()) == 0 && written;
  if (!written) {
    failure = DeckFailure::Write;
    error = LastError();
  }
  return written;
}

bool LocalModelFiles::OutputDelete(const std::filesystem::path& output, std::error_code& error) {
  std::filesystem::remove(output, error);
  return !error;
}

std::optional<std::string> LocalModelFiles::OutputRead(const std::filesystem::path& output, std::error_code& error) {
  return ReadWholeFile(output, error);
}

}  // namespace velmora
