#include "common/ProfileFile.h"

#include <algorithm>

#include "common/AtomicFile.h"
#include "common/SystemLib.h"
#include "common/TextParse.h"

namespace velmora {
namespace {

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

// A name is found by the narrow letters the program reads it as, so a
// caller finds each name it was shown (a letter beyond Latin-1 as "?", a
// lone byte an earlier save left as its letter).
std::string ProfileDocument::IndexKey(std::string_view name, bool isKey) const {
  return IndexName(Wide() ? Inward(Outward(name)) : std::string(name), isKey);
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

}  // namespace velmora
