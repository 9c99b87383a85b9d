#include "common/ProfileFile.h"

#include <algorithm>

#include "common/AtomicFile.h"
#include "common/SystemLib.h"
#include "common/TextParse.h"

namespace velmora {
namespace {

constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF";
constexpr std::string_view kUtf16LeMark = "\xFF\xFE";
constexpr std::string_view kUtf16BeMark = "\xFE\xFF";

// Blanks as the profile reader sees them (Ctrl-Z included, as old editors left it).
bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f' || c == 0x1a; }

std::string_view TrimBlanks(std::string_view s) {
  while (!s.empty() && IsBlank(s.front())) s.remove_prefix(1);
  while (!s.empty() && IsBlank(s.back())) s.remove_suffix(1);
  return s;
}

// The section name of a header line, or nullopt when the line is no header.
std::optional<std::string_view> HeaderName(std::string_view line) {
  auto t = TrimBlanks(line);
  if (t.empty() || t.front() != '[') return std::nullopt;
  auto close = t.rfind(']');
  if (close == std::string_view::npos) return std::nullopt;
  return TrimBlanks(t.substr(1, close - 1));
}

struct Entry {
  std::string_view key;
  std::optional<std::string_view> value;  // absent when the line has no "="
};

Entry ParseEntry(std::string_view line) {
  auto t = TrimBlanks(line);
  auto equals = t.find('=');
  if (equals == std::string_view::npos) return {t, std::nullopt};
  return {TrimBlanks(t.substr(0, equals)), TrimBlanks(t.substr(equals + 1))};
}

std::string CleanValue(std::string_view value) {
  // A line break inside a value would split the file's line in two.
  std::string out(TrimBlanks(value));
  for (char& c : out)
    if (c == '\r' || c == '\n') c = ' ';
  return out;
}

// A "Unicode" file's text is kept in UTF-8, which holds each of its letters
// (and a surrogate left unpaired), so a line not written is written back as
// it was read.
bool IsHighSurrogate(char32_t c) { return c >= 0xD800 && c <= 0xDBFF; }
bool IsLowSurrogate(char32_t c) { return c >= 0xDC00 && c <= 0xDFFF; }

void AppendUtf8(std::string& out, char32_t c) {
  if (c < 0x80) {
    out += static_cast<char>(c);
  } else if (c < 0x800) {
    out += {static_cast<char>(0xC0 | c >> 6), static_cast<char>(0x80 | (c & 0x3F))};
  } else if (c < 0x10000) {
    out += {static_cast<char>(0xE0 | c >> 12), static_cast<char>(0x80 | (c >> 6 & 0x3F)),
            static_cast<char>(0x80 | (c & 0x3F))};
  } else {
    out += {static_cast<char>(0xF0 | c >> 18), static_cast<char>(0x80 | (c >> 12 & 0x3F)),
            static_cast<char>(0x80 | (c >> 6 & 0x3F)), static_cast<char>(0x80 | (c & 0x3F))};
  }
}

// The code point at `at` of a UTF-8 text; `at` moves past it. A byte that
// begins no whole sequence is the Latin-1 letter of its code (as earlier
// saves wrote a letter into a UTF-8 file).
char32_t NextCodePoint(std::string_view text, size_t& at) {
  const unsigned char lead = static_cast<unsigned char>(text[at++]);
  const size_t more = lead < 0xC2 ? 0 : lead < 0xE0 ? 1 : lead < 0xF0 ? 2 : lead < 0xF5 ? 3 : 0;
  if (more == 0 || at + more > text.size()) return lead;
  char32_t c = lead & (0x3F >> more);
  for (size_t n = 0; n < more; ++n) {
    const unsigned char next = static_cast<unsigned char>(text[at + n]);
    if ((next & 0xC0) != 0x80) return lead;
    c = c << 6 | (next & 0x3F);
  }
  // A long form of a shorter letter is none: it could hide a line's "=".
  constexpr char32_t kLeast[] = {0, 0x80, 0x800, 0x10000};
  if (c < kLeast[more] || c > 0x10FFFF) return lead;
  at += more;
  return c;
}

// A name as the indexes keep it.
std::string IndexName(std::string_view name, bool isKey) {
  return ToUpper(ProfileName(name, isKey));
}

}  // namespace

std::string ProfileName(std::string_view name, bool isKey) {
  std::string out(name);
  for (char& c : out)
    if (c == '\r' || c == '\n' || (isKey && c == '=')) c = ' ';
  size_t first = 0;
  while (first < out.size() && (IsBlank(out[first]) || (isKey && out[first] == '['))) ++first;
  size_t end = out.size();
  while (end > first && IsBlank(out[end - 1])) --end;
  out.erase(end);
  out.erase(0, first);
  return out;
}

std::optional<std::string_view> ProfileLineSection(std::string_view line) { return HeaderName(line); }

ProfileDocument::Entry ProfileLineEntry(std::string_view line) {
  auto entry = ParseEntry(line);
  return {std::string(entry.key), entry.value ? std::optional<std::string>(*entry.value) : std::nullopt};
}

std::string ProfileValue(std::string_view text) {
  bool blankEnd = !text.empty() && (IsBlank(text.front()) || IsBlank(text.back()));
  bool wrapped = text.size() >= 2 && (text.front() == '"' || text.front() == '\'') && text.back() == text.front();
  return blankEnd || wrapped ? "\"" + std::string(text) + "\"" : std::string(text);
}

ProfileDocument::ProfileDocument() : blocks_(1) { sections_.emplace("", 0); }

ProfileDocument ProfileDocument::Parse(std::string_view content) {
  ProfileDocument doc;
  if (content.size() > kProfileFileLimit) return doc;
  std::string decoded;
  content = doc.Decode(content, decoded);
  doc.text_ = content;
  bool endSeen = false;
  for (size_t start = 0; start < content.size();) {
    // Where no line feed follows, a carriage return alone ends the line (a
    // file saved with old Macintosh line ends), as the platform reads it.
    size_t lf = content.find('\n', start);
    const bool crOnly = lf == std::string_view::npos;
    if (crOnly) lf = content.find('\r', start);
    lf = std::min(lf, content.size());
    Line line{static_cast<std::uint32_t>(start), static_cast<std::uint32_t>(lf - start), LineEnd::kNone};
    if (lf < content.size())
      line.end = crOnly ? LineEnd::kCr : lf > start && content[lf - 1] == '\r' ? LineEnd::kCrLf : LineEnd::kLf;
    if (line.end == LineEnd::kCrLf) --line.size;
    if (line.end == LineEnd::kCr) doc.crTail_ = true;
    start = lf + 1;
    if (!endSeen && line.end != LineEnd::kNone) {
      doc.newLineEnd_ = line.end;
      endSeen = true;
    }

    if (auto name = HeaderName(doc.TextOf(line))) {
      doc.blocks_.push_back({line, {}});
      doc.sections_.emplace(doc.IndexKey(*name, false), doc.blocks_.size() - 1);  // the first wins
    } else {
      doc.blocks_.back().lines.push_back(line);
    }
  }
  return doc;
}

ProfileDocument ProfileDocument::Load(const std::filesystem::path& file) {
  std::error_code error;
  return LoadExisting(file, error).value_or(ProfileDocument{});
}

std::optional<ProfileDocument> ProfileDocument::LoadExisting(const std::filesystem::path& file,
                                                             std::error_code& error) {
  auto content = ReadWholeFile(file, error, kProfileFileLimit);
  if (content) return Parse(*content);
  if (!FileMissing(file)) return std::nullopt;
  error.clear();
  return ProfileDocument{};
}

std::string_view ProfileDocument::TextOf(const Line& line) const {
  return std::string_view(text_).substr(line.start, line.size);
}

std::optional<size_t> ProfileDocument::BlockOf(std::string_view section) const {
  auto found = sections_.find(IndexKey(section, false));
  if (found == sections_.end()) return std::nullopt;
  return found->second;
}

// The first line of a key counts, with or without its "=".
const ProfileDocument::KeyIndex& ProfileDocument::KeysOf(size_t block) const {
  auto [index, made] = keys_.try_emplace(block);
  if (!made) return index->second;
  const auto& lines = blocks_[block].lines;
  index->second.reserve(lines.size());
  for (size_t i = 0; i < lines.size(); ++i) {
    auto text = TextOf(lines[i]);
    if (!TrimBlanks(text).empty()) index->second.emplace(IndexKey(ParseEntry(text).key, true), i);
  }
  return index->second;
}

std::optional<size_t> ProfileDocument::LineOf(size_t block, std::string_view key) const {
  const KeyIndex& keys = KeysOf(block);
  auto found = keys.find(IndexKey(key, true));
  if (found == keys.end()) return std::nullopt;
  return found->second;
}

std::optional<std::string> ProfileDocument::Find(std::string_view section, std::string_view key) const {
  auto block = BlockOf(Inward(section));
  auto line = block ? LineOf(*block, Inward(key)) : std::nullopt;
  if (!line) return std::nullopt;
  auto entry = ParseEntry(TextOf(blocks_[*block].lines[*line]));
  if (!entry.value) return std::nullopt;
  return Outward(*entry.value);
}

std::vector<ProfileDocument::Entry> ProfileDocument::Entries(std::string_view section) const {
  std::vector<Entry> entries;
  auto block = BlockOf(Inward(section));
  if (!block) return entries;
  for (const Line& line : blocks_[*block].lines) {
    if (TrimBlanks(TextOf(line)).empty()) continue;
    auto entry = ParseEntry(TextOf(line));
    entries.push_back({Outward(entry.key), entry.value ? std::optional<std::string>(Outward(*entry.value)) : std::nullopt});
  }
  return entries;
}

bool ProfileDocument::HoldsValues(std::string_view section) const {
  for (const auto& entry : Entries(section))
    if (entry.value && !entry.value->empty()) return true;
  return false;
}

std::string ProfileDocument::Read(std::string_view section, std::string_view key, size_t bufferSize) const {
  auto found = Find(section, key);
  return found ? ValueAsRead(*found, bufferSize) : std::string();
}

std::string ProfileDocument::ValueAsRead(std::string_view value, size_t bufferSize) {
  if (bufferSize == 0) return {};
  // A value wrapped in matching quotes is unwrapped, as long as the buffer
  // holds it whole.
  char quote = 0;
  if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') && value.back() == value.front()) {
    quote = value.front();
    value.remove_prefix(1);
  }
  std::string out(value.substr(0, bufferSize - 1));
  if (quote && bufferSize >= value.size() && !out.empty()) out.pop_back();
  return out;
}

ProfileDocument::Line ProfileDocument::NewLine(std::string_view text, LineEnd end) {
  Line line{static_cast<std::uint32_t>(text_.size()), static_cast<std::uint32_t>(text.size()), end};
  text_ += text;
  return line;
}

ProfileDocument::Line* ProfileDocument::LastLine() {
  for (auto block = blocks_.rbegin(); block != blocks_.rend(); ++block) {
    if (!block->lines.empty()) return &block->lines.back();
    if (block->header) return &*block->header;
  }
  return nullptr;
}

// The lines after the last line feed end in a carriage return alone; a
// line put among them (or after the file's last line, one of them then)
// must end so too, or its line feed would join them into one.
ProfileDocument::LineEnd ProfileDocument::EndAfter(const Line* before) const {
  const bool inCrTail = before && (before->end == LineEnd::kCr || (before->end == LineEnd::kNone && crTail_));
  return inCrTail ? LineEnd::kCr : newLineEnd_;
}

// After the block's last line that holds more than blanks, so the blank
// line that separates it from the next section stays where it is, and no
// line found through the index moves.
size_t ProfileDocument::AddLine(Block& block, std::string_view text) {
  size_t at = block.lines.size();
  while (at > 0 && TrimBlanks(TextOf(block.lines[at - 1])).empty()) --at;
  Line* before = at > 0 ? &block.lines[at - 1] : block.header ? &*block.header : nullptr;
  const LineEnd end = EndAfter(before);
  if (before && before->end == LineEnd::kNone) before->end = end;
  block.lines.insert(block.lines.begin() + static_cast<std::ptrdiff_t>(at), NewLine(text, end));
  return at;
}

void ProfileDocument::Write(std::string_view narrowSection, std::string_view narrowKey, std::string_view value) {
  const std::string section = Inward(narrowSection), key = Inward(narrowKey);
  std::string cleanValue = CleanValue(Inward(value));
  auto block = BlockOf(section);
  if (auto line = block ? LineOf(*block, key) : std::nullopt) {
    Line& old = blocks_[*block].lines[*line];
    std::string text = std::string(ParseEntry(TextOf(old)).key) + "=" + cleanValue;
    old = NewLine(text, old.end);
    return;
  }
  std::string sectionName = ProfileName(section, false);
  if (!block) {
    // A new section at the end, after a blank line.
    Line* last = LastLine();
    const LineEnd end = EndAfter(last);
    if (last) {
      if (last->end == LineEnd::kNone) last->end = end;
      if (!TrimBlanks(TextOf(*last)).empty()) blocks_.back().lines.push_back(NewLine("", end));
    }
    blocks_.push_back({NewLine("[" + sectionName + "]", end), {}});
    block = blocks_.size() - 1;
    sections_.emplace(IndexKey(sectionName, false), *block);
  }
  size_t at = AddLine(blocks_[*block], ProfileName(key, true) + "=" + cleanValue);
  if (auto keys = keys_.find(*block); keys != keys_.end()) keys->second.emplace(IndexKey(key, true), at);
}

// A file an editor saved with a byte order mark (UTF-8, or Notepad's
// "Unicode"): the platform's calls read it as text of the program's code
// page, and write it back in its own form. Characters are taken as Latin-1,
// which the Windows code page shares outside 0x80-0x9F; others become "?".
std::string_view ProfileDocument::Decode(std::string_view content, std::string& decoded) {
  if (content.starts_with(kUtf8Mark)) {
    encoding_ = Encoding::kUtf8Mark;
    return content.substr(kUtf8Mark.size());
  }
  const bool little = content.starts_with(kUtf16LeMark);
  if (!little && !content.starts_with(kUtf16BeMark)) return content;
  encoding_ = little ? Encoding::kUtf16Le : Encoding::kUtf16Be;
  decoded.reserve(content.size() / 2);
  auto unit = [&](size_t i) -> char32_t {
    return static_cast<unsigned char>(content[little ? i : i + 1]) |
           static_cast<unsigned char>(content[little ? i + 1 : i]) << 8;
  };
  for (size_t i = 2; i + 1 < content.size(); i += 2) {
    char32_t c = unit(i);
    if (IsHighSurrogate(c) && i + 3 < content.size() && IsLowSurrogate(unit(i + 2))) {
      c = 0x10000 + ((c - 0xD800) << 10) + (unit(i + 2) - 0xDC00);
      i += 2;
    }
    AppendUtf8(decoded, c);
  }
  return decoded;
}

bool ProfileDocument::Wide() const { return encoding_ != Encoding::kPlain; }

// A name is found by the narrow letters the program reads it as, so a
// caller finds each name it was shown (a letter beyond Latin-1 as "?", a
// lone byte an earlier save left as its letter).
std::string ProfileDocument::IndexKey(std::string_view name, bool isKey) const {
  return IndexName(Wide() ? Inward(Outward(name)) : std::string(name), isKey);
}

std::string ProfileDocument::Outward(std::string_view text) const {
  if (!Wide()) return std::string(text);
  std::string out;
  for (size_t i = 0; i < text.size();) {
    char32_t c = NextCodePoint(text, i);
    out += c <= 0xFF ? static_cast<char>(c) : '?';
  }
  return out;
}

std::string ProfileDocument::Inward(std::string_view text) const {
  if (!Wide()) return std::string(text);
  std::string out;
  for (char c : text) AppendUtf8(out, static_cast<unsigned char>(c));
  return out;
}

std::vector<std::string> ProfileDocument::ContentLines(std::string_view content) {
  const ProfileDocument document = Parse(content);
  std::vector<std::string> lines;
  for (const Block& block : document.blocks_) {
    if (block.header) lines.push_back(document.Outward(document.TextOf(*block.header)));
    for (const Line& line : block.lines) lines.push_back(document.Outward(document.TextOf(line)));
  }
  return lines;
}

std::string ProfileDocument::Encode(std::string text) const {
  switch (encoding_) {
    case Encoding::kPlain: return text;
    case Encoding::kUtf8Mark: return std::string(kUtf8Mark) + text;
    case Encoding::kUtf16Le:
    case Encoding::kUtf16Be: break;
  }
  const bool little = encoding_ == Encoding::kUtf16Le;
  std::string out(little ? kUtf16LeMark : kUtf16BeMark);
  out.reserve(2 + 2 * text.size());
  auto add = [&](char32_t unit) {
    const char low = static_cast<char>(unit & 0xFF), high = static_cast<char>(unit >> 8);
    out += little ? low : high;
    out += little ? high : low;
  };
  for (size_t i = 0; i < text.size();) {
    char32_t c = NextCodePoint(text, i);
    if (c < 0x10000) {
      add(c);
    } else {
      add(0xD800 + ((c - 0x10000) >> 10));
      add(0xDC00 + ((c - 0x10000) & 0x3FF));
    }
  }
  return out;
}

std::string ProfileDocument::Text() const {
  std::string out;
  auto add = [&](const Line& line) {
    out += TextOf(line);
    static constexpr std::string_view kEnds[] = {"", "\n", "\r\n", "\r"};  // by LineEnd
    out += kEnds[static_cast<size_t>(line.end)];
  };
  for (const Block& block : blocks_) {
    if (block.header) add(*block.header);
    for (const Line& line : block.lines) add(line);
  }
  return Encode(std::move(out));
}

std::string ProfileRead(const std::filesystem::path& file, std::string_view section, std::string_view key,
                        size_t bufferSize) {
  return ProfileDocument::Load(file).Read(section, key, bufferSize);
}

std::optional<ProfileDocument> ProfileRecallRead(const std::filesystem::path& file, Messenger& messenger,
                                                 std::string_view consequence) {
  std::error_code error;
  auto document = ProfileDocument::LoadExisting(file, error);
  if (!document)
    messenger.Show("ProfileRecall - Cannot read " + PathText(file) + "\r" + ErrorText(error) +
                   std::string(consequence));
  return document;
}

bool ProfileSaveCommit(ProfileWriter& writer, Messenger& messenger) {
  std::error_code error;
  if (writer.Commit(error)) return true;
  messenger.Show("ProfileSave - Cannot write " + PathText(writer.File()) + "\r" + ErrorText(error));
  return false;
}

bool ProfileWrite(const std::filesystem::path& file, std::string_view section, std::string_view key,
                  std::string_view value, std::error_code& error) {
  ProfileWriter writer(file);
  writer.Write(section, key, value);
  return writer.Commit(error);
}

namespace {

std::string BaselineKey(std::string_view section, std::string_view key) {
  return std::string(section) + "\n" + std::string(key);
}

}  // namespace

void ProfileBaseline::Set(std::string_view section, std::string_view key, std::string_view value) {
  values_[BaselineKey(section, key)] = value;
}

bool ProfileBaseline::Holds(std::string_view section, std::string_view key, std::string_view value) const {
  auto found = values_.find(BaselineKey(section, key));
  return found != values_.end() && found->second == value;
}

ProfileWriter::ProfileWriter(std::filesystem::path file, ProfileBaseline* baseline)
    : file_(std::move(file)), baseline_(baseline) {
  auto document = ProfileDocument::LoadExisting(file_, loadError_);
  if (document) document_ = std::move(*document);
}

void ProfileWriter::Write(std::string_view section, std::string_view key, std::string_view value) {
  // Unchanged here since: what the file holds now is another copy's change.
  if (baseline_ && baseline_->Holds(section, key, value) && document_.Find(section, key)) return;
  document_.Write(section, key, value);
  written_.push_back({std::string(section), std::string(key), std::string(value)});
}

bool ProfileWriter::Commit(std::error_code& error) {
  if (loadError_) {
    error = loadError_;
    return false;
  }
  if (!WriteFileAtomically(file_, document_.Text(), error)) return false;
  if (baseline_) KeepIn(*baseline_);
  return true;
}

void ProfileWriter::KeepIn(ProfileBaseline& baseline) const {
  for (const auto& w : written_) baseline.Set(w.section, w.key, w.value);
}

}  // namespace velmora
