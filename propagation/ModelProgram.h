#pragma once
// The steps of a prediction run that leave the program: the files the
// outside program reads and writes, starting it hidden and waiting for it.
// The Win32 layer runs a real program; tests run a stand-in.
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <system_error>

namespace velmora {

enum class DeckFailure { Open, Write };

// The largest output a block of 24 hours and 10 frequencies can make is
// some 50 KB (VOACAP); anything past this a block is no output of ours and
// is refused unread.
inline constexpr size_t kModelOutputLimit = 1 << 20;

class ModelProgram {
 public:
  virtual ~ModelProgram() = default;
  // Whether the program file is there (errors count as absent).
  virtual bool ProgramExists(const std::filesystem::path& program) = 0;
  // Creates or overwrites the deck with the text.
  virtual bool DeckWrite(const std::filesystem::path& deck, std::string_view text, DeckFailure& failure,
                         std::error_code& error) = 0;
  // Removes an old output; a missing file is no error.
  virtual bool OutputDelete(const std::filesystem::path& output, std::error_code& error) = 0;
  // Starts the command line without a visible window.
  virtual bool Start(const std::string& commandLine, std::error_code& error) = 0;
  // Waits for the program started last; on time-out it is ended. True only
  // when it ended by itself with exit code 0.
  virtual bool Wait(double seconds) = 0;
  // The output whole; one larger than the limit (kModelOutputLimit a block)
  // fails with std::errc::file_too_large.
  virtual std::optional<std::string> OutputRead(const std::filesystem::path& output, size_t limit,
                                                std::error_code& error) = 0;
};

// The file steps on the local file system; starting and waiting belong to
// the platform.
class LocalModelFiles : public ModelProgram {
 public:
  bool ProgramExists(const std::filesystem::path& program) final;
  bool DeckWrite(const std::filesystem::path& deck, std::string_view text, DeckFailure& failure,
                 std::error_code& error) final;
  bool OutputDelete(const std::filesystem::path& output, std::error_code& error) final;
  std::optional<std::string> OutputRead(const std::filesystem::path& output, size_t limit,
                                        std::error_code& error) final;

 protected:
  // Where a path the program names lies on this file system: the path
  // itself, unless the platform finds files another way.
  virtual std::filesystem::path LocalPath(const std::filesystem::path& path) const { return path; }
};

}  // namespace velmora
