#pragma once
// Profile files written: many writes to one file applied together and the
// file replaced whole, a failed save told, and what this copy of the
// program last had for the keys of its settings file, so that two copies
// beside each other keep each other's changes.
#include <filesystem>
#include <string>
#include <string_view>
#include <system_error>
#include <unordered_map>
#include <vector>

#include "common/Messages.h"
#include "common/ProfileFile.h"

namespace velmora {

// What this copy of the program last had for the keys of its settings
// file: the values it held once started, and those it wrote since. Another
// copy beside it writes the same file; a key this copy has not changed
// since is left as the file holds it, so neither copy's changes are lost.
class ProfileBaseline {
 public:
  void Set(std::string_view section, std::string_view key, std::string_view value);
  bool Holds(std::string_view section, std::string_view key, std::string_view value) const;

 private:
  std::unordered_map<std::string, std::string> values_;  // by section, line feed, key
};

// Many writes to one file applied together: the file is read once and
// replaced once, with the same result as the single writes in order. With
// a baseline, a key whose value is still the baseline's is left as the
// file has it, and the baseline takes what a commit wrote.
class ProfileWriter {
 public:
  explicit ProfileWriter(std::filesystem::path file, ProfileBaseline* baseline = nullptr);
  void Write(std::string_view section, std::string_view key, std::string_view value);
  bool Commit(std::error_code& error);
  const std::filesystem::path& File() const { return file_; }
  // The file as read, with the writes so far.
  const ProfileDocument& Document() const { return document_; }
  // Every value written so far into the baseline, the file untouched.
  void KeepIn(ProfileBaseline& baseline) const;

 private:
  struct Written {
    std::string section, key, value;
  };
  std::filesystem::path file_;
  ProfileDocument document_;
  std::error_code loadError_;  // the file exists but could not be read whole: never overwrite it
  ProfileBaseline* baseline_;
  std::vector<Written> written_;
};

// Commits a save of settings; a failure is told as "ProfileSave - Cannot
// write <file>" and the reason.
bool ProfileSaveCommit(ProfileWriter& writer, Messenger& messenger);

// A convenience call on a file, one key at a time: ProfileRead's twin.
bool ProfileWrite(const std::filesystem::path& file, std::string_view section, std::string_view key,
                  std::string_view value, std::error_code& error);

}  // namespace velmora
