#pragma once
// The ITS HF programs are Windows programs: on Linux velmora-predict runs
// them through Wine. Paths are found as Windows finds them, without regard
// to case ("RUN\sound.dat" is the package's "run/sound.dat").
#include <sys/types.h>

#include <optional>
#include <string>

#include "propagation/ModelProgram.h"

namespace velmora {

// The path with each part that does not exist as written replaced by an
// entry of its folder that differs only in case.
std::filesystem::path CaseFoldedPath(const std::filesystem::path& path);

class WineModelProgram final : public LocalModelFiles {
 public:
  explicit WineModelProgram(std::string wine) : wine_(std::move(wine)) {}
  ~WineModelProgram() override;

  bool Start(const std::string& commandLine, std::error_code& error) override;
  bool Wait(double seconds) override;

 private:
  std::filesystem::path LocalPath(const std::filesystem::path& path) const override { return CaseFoldedPath(path); }

  std::string wine_;
  pid_t process_ = -1;
};

// "wine" on the PATH, or nullopt.
std::optional<std::string> WineFind();

// A Unix folder as a Windows program under Wine names it: "Z:\tmp\itshfbc".
std::string WineFolderName(const std::string& folder);

}  // namespace velmora
