#pragma once
// INI-style profile files read and written key by key with the rules of the
// platform's private-profile calls: section and key names compared without
// regard to case and blanks around them, values trimmed, a value wrapped in
// matching quotes unwrapped, the first of duplicate sections or keys wins, an
// absent file or key reads as absent. A write changes only the line of its
// key (or adds it, and its section, where needed); every other line of the
// file stays as it was, and the file is replaced whole, never half-written.
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <system_error>
#include <vector>

namespace velmora {

class ProfileDocument {
 public:
  ProfileDocument() = default;
  static ProfileDocument Parse(std::string_view content);
  // An unreadable or missing file gives an empty document.
  static ProfileDocument Load(const std::filesystem::path& file);

  // What the platform's read call returns for this key into a buffer of
  // bufferSize characters with an empty default: at most bufferSize - 1
  // characters; empty when the key is absent or has no "=".
  std::string Read(std::string_view section, std::string_view key, size_t bufferSize = 256) const;

  // The trimmed raw value, or nullopt when absent.
  std::optional<std::string> Find(std::string_view section, std::string_view key) const;

  // What Read returns for a raw value found by Find.
  static std::string ValueAsRead(std::string_view raw, size_t bufferSize = 256);

  // One non-blank line of a section: its trimmed key and raw value (nullopt
  // when the line has no "=").
  struct Entry {
    std::string key;
    std::optional<std::string> value;
  };
  // The lines of the section that Find searches, in file order, duplicate
  // keys included (Find takes the first): one pass for a reader that looks
  // up many keys.
  std::vector<Entry> Entries(std::string_view section) const;

  // Sets the key's value as the platform's write call does.
  void Write(std::string_view section, std::string_view key, std::string_view value);

  std::string Text() const;

 private:
  struct Line {
    std::string text;
    std::string ending;  // "\r\n", "\n" or "" for a last line without one
  };
  struct Place {
    size_t sectionLine = npos;  // header line of the first matching section
    size_t endLine = npos;      // one past the last line that belongs to it
    size_t keyLine = npos;      // line of the first matching key
  };
  static constexpr size_t npos = static_cast<size_t>(-1);
  Place Locate(std::string_view section, std::string_view key) const;
  void InsertLine(size_t at, std::string text);
  std::string NewLineEnding() const;

  std::vector<Line> lines_;
};

// Convenience calls on a file, one key at a time.
std::string ProfileRead(const std::filesystem::path& file, std::string_view section, std::string_view key,
                        size_t bufferSize = 256);
bool ProfileWrite(const std::filesystem::path& file, std::string_view section, std::string_view key,
                  std::string_view value, std::error_code& error);

// Many writes to one file applied together: the file is read once and
// replaced once, with the same result as the single writes in order.
class ProfileWriter {
 public:
  explicit ProfileWriter(std::filesystem::path file);
  void Write(std::string_view section, std::string_view key, std::string_view value);
  bool Commit(std::error_code& error);
  const std::filesystem::path& File() const { return file_; }

 private:
  std::filesystem::path file_;
  ProfileDocument document_;
  std::error_code loadError_;  // the file exists but could not be read: never overwrite it
};

}  // namespace velmora
