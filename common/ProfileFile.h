#pragma once
// INI-style profile files read and written key by key with the rules of the
// platform's private-profile calls: section and key names compared without
// regard to case and blanks around them, values trimmed, a value wrapped in
// matching quotes unwrapped, the first of duplicate sections or keys wins, an
// absent file or key reads as absent. A write changes only the line of its
// key (or adds it, and its section, where needed); every other line of the
// file stays as it was, and the file is replaced whole, never half-written.
// Names are written as a line can hold them (see ProfileName), so what is
// written reads back. Keys are found through an index, not by scanning.
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <system_error>
#include <unordered_map>
#include <vector>

#include "common/Messages.h"

namespace velmora {

// Settings and station files hold a few hundred lines; a file past this
// size is none of them and is refused whole, unread.
inline constexpr size_t kProfileFileLimit = 4 << 20;

// A section or key name as a line of the file can hold it: line breaks
// become blanks, and in a key so does "=" (which would end it) and a
// leading "[" (which could make the line a section header). Names are
// written so and compared so (without regard to case), which leaves every
// name a file can hold as it was.
std::string ProfileName(std::string_view name, bool isKey);

// A value as a line holds it so that it reads back as it is: in double
// quotes when it has blanks at either end (the reader trims them) or is
// wrapped in quotes itself (the reader takes them off). Line breaks it
// cannot keep.
std::string ProfileValue(std::string_view text);

class ProfileDocument {
 public:
  ProfileDocument();
  // A text longer than kProfileFileLimit gives an empty document.
  static ProfileDocument Parse(std::string_view content);
  // An unreadable, missing or oversized file gives an empty document.
  static ProfileDocument Load(const std::filesystem::path& file);
  // A missing file gives an empty document; one that is there but cannot
  // be read whole (locked, oversized) gives nothing and the reason.
  static std::optional<ProfileDocument> LoadExisting(const std::filesystem::path& file, std::error_code& error);
  // A file's lines as this reader takes them: a byte order mark left out,
  // UTF-16 made narrow, a carriage return alone ending a line where no
  // line feed follows.
  static std::vector<std::string> ContentLines(std::string_view content);

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
  // Whether a key of the section has a value that is not empty: a file of
  // another kind (AirMail's own) has none in our sections.
  bool HoldsValues(std::string_view section) const;

  // Sets the key's value as the platform's write call does.
  void Write(std::string_view section, std::string_view key, std::string_view value);

  std::string Text() const;

 private:
  // A line is a stretch of text_ and its end: a few bytes a line, however
  // many lines a file holds.
  enum class LineEnd : std::uint8_t { kNone, kLf, kCrLf, kCr };
  struct Line {
    std::uint32_t start = 0, size = 0;
    LineEnd end = LineEnd::kNone;
  };
  // A header line and the lines up to the next one; the first block holds
  // the lines before any header and has none.
  struct Block {
    std::optional<Line> header;
    std::vector<Line> lines;
  };
  using KeyIndex = std::unordered_map<std::string, size_t>;  // upper-cased key name to its first line
  std::string_view TextOf(const Line& line) const;
  Line NewLine(std::string_view text, LineEnd end);
  LineEnd EndAfter(const Line* before) const;
  size_t AddLine(Block& block, std::string_view text);
  Line* LastLine();
  // The first block of the section, the index of its keys (made at the
  // first look-up in it) and the line of a key there.
  std::optional<size_t> BlockOf(std::string_view section) const;
  const KeyIndex& KeysOf(size_t block) const;
  std::optional<size_t> LineOf(size_t block, std::string_view key) const;

  std::string text_;  // the lines' text: the file as read, then each line written since
  std::vector<Block> blocks_;
  std::unordered_map<std::string, size_t> sections_;  // upper-cased name to its first block
  mutable std::unordered_map<size_t, KeyIndex> keys_;  // by block, for the blocks looked in
  LineEnd newLineEnd_ = LineEnd::kCrLf;                // the file's own, for lines added
  bool crTail_ = false;  // lines after the last line feed end in a carriage return alone
  // How the file is written: as read, or with the byte order mark it had.
  enum class Encoding : std::uint8_t { kPlain, kUtf8Mark, kUtf16Le, kUtf16Be };
  Encoding encoding_ = Encoding::kPlain;
  // A "Unicode" file's text is kept in UTF-8, as is a UTF-8 file's with its
  // mark; callers read and write the program's narrow text, each character
  // a letter of Latin-1 ("?" for any other).
  std::string_view Decode(std::string_view content, std::string& decoded);
  bool Wide() const;
  std::string Outward(std::string_view text) const;
  std::string Inward(std::string_view text) const;
  std::string IndexKey(std::string_view name, bool isKey) const;
  std::string Encode(std::string text) const;
};

// One line of a profile file as the document reads it: the name of the
// section it opens (nullopt for any other line), or its entry.
std::optional<std::string_view> ProfileLineSection(std::string_view line);
ProfileDocument::Entry ProfileLineEntry(std::string_view line);

// A settings file to recall: a missing one is an empty document; one that is
// there but cannot be read is told as "ProfileRecall - Cannot read <file>",
// the reason and `consequence`, and gives nothing: a recall that took
// nothing must not pass for one.
std::optional<ProfileDocument> ProfileRecallRead(const std::filesystem::path& file, Messenger& messenger,
                                                 std::string_view consequence = {});

// A convenience call on a file, one key at a time.
std::string ProfileRead(const std::filesystem::path& file, std::string_view section, std::string_view key,
                        size_t bufferSize = 256);

}  // namespace velmora
