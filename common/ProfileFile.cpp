#include "common/ProfileFile.h"

#include "common/AtomicFile.h"
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

}  // namespace

ProfileDocument ProfileDocument::Parse(std::string_view content) {
  ProfileDocument doc;
  size_t start = 0;
  while (start < content.size()) {
    auto lf = content.find('\n', start);
    Line line;
    if (lf == std::string_view::npos) {
      line.text = content.substr(start);
      start = content.size();
    } else {
      size_t end = lf;
      line.ending = "\n";
      if (end > start && content[end - 1] == '\r') {
        --end;
        line.ending = "\r\n";
      }
      line.text = content.substr(start, end - start);
      start = lf + 1;
    }
    doc.lines_.push_back(std::move(line));
  }
  return doc;
}

ProfileDocument ProfileDocument::Load(const std::filesystem::path& file) {
  std::error_code error;
  auto content = ReadWholeFile(file, error);
  return content ? Parse(*content) : ProfileDocument{};
}

ProfileDocument::Place ProfileDocument::Locate(std::string_view section, std::string_view key) const {
  Place place;
  auto wantSection = TrimBlanks(section);
  auto wantKey = TrimBlanks(key);
  // Lines before the first header belong to a section without a name.
  if (wantSection.empty()) place.sectionLine = 0;
  for (size_t i = 0; i < lines_.size(); ++i) {
    auto header = HeaderName(lines_[i].text);
    if (place.sectionLine == npos) {
      if (header && EqualsNoCase(*header, wantSection)) place.sectionLine = i;
      continue;
    }
    if (header) {
      place.endLine = i;
      return place;
    }
    if (TrimBlanks(lines_[i].text).empty()) continue;
    if (place.keyLine == npos && EqualsNoCase(ParseEntry(lines_[i].text).key, wantKey)) place.keyLine = i;
  }
  if (place.sectionLine != npos) place.endLine = lines_.size();
  return place;
}

std::optional<std::string> ProfileDocument::Find(std::string_view section, std::string_view key) const {
  auto place = Locate(section, key);
  if (place.keyLine == npos) return std::nullopt;
  auto entry = ParseEntry(lines_[place.keyLine].text);
  if (!entry.value) return std::nullopt;
  return std::string(*entry.value);
}

std::vector<ProfileDocument::Entry> ProfileDocument::Entries(std::string_view section) const {
  std::vector<Entry> entries;
  auto place = Locate(section, {});
  if (place.sectionLine == npos) return entries;
  // A named section starts after its header; the unnamed one at the top.
  size_t first = TrimBlanks(section).empty() ? 0 : place.sectionLine + 1;
  for (size_t i = first; i < place.endLine; ++i) {
    if (TrimBlanks(lines_[i].text).empty()) continue;
    auto entry = ParseEntry(lines_[i].text);
    entries.push_back({std::string(entry.key), entry.value ? std::optional<std::string>(*entry.value) : std::nullopt});
  }
  return entries;
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

std::string ProfileDocument::NewLineEnding() const {
  for (const auto& line : lines_)
    if (!line.ending.empty()) return line.ending;
  return "\r\n";
}

void ProfileDocument::InsertLine(size_t at, std::string text) {
  std::string ending = NewLineEnding();
  if (at > 0 && lines_[at - 1].ending.empty()) lines_[at - 1].ending = ending;
  lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(at), Line{std::move(text), ending});
}

void ProfileDocument::Write(std::string_view section, std::string_view key, std::string_view value) {
  auto place = Locate(section, key);
  std::string cleanKey(TrimBlanks(key));
  std::string cleanValue = CleanValue(value);
  if (place.keyLine != npos) {
    auto entry = ParseEntry(lines_[place.keyLine].text);
    lines_[place.keyLine].text = std::string(entry.key) + "=" + cleanValue;
    return;
  }
  if (place.sectionLine != npos) {
    // After the section's last non-blank line, so the blank line that
    // separates it from the next section stays where it is.
    size_t at = place.endLine;
    while (at > place.sectionLine + 1 && TrimBlanks(lines_[at - 1].text).empty()) --at;
    InsertLine(at, cleanKey + "=" + cleanValue);
    return;
  }
  if (!lines_.empty() && !TrimBlanks(lines_.back().text).empty()) InsertLine(lines_.size(), "");
  InsertLine(lines_.size(), "[" + std::string(TrimBlanks(section)) + "]");
  InsertLine(lines_.size(), cleanKey + "=" + cleanValue);
}

std::string ProfileDocument::Text() const {
  std::string out;
  for (const auto& line : lines_) out += line.text + line.ending;
  return out;
}

std::string ProfileRead(const std::filesystem::path& file, std::string_view section, std::string_view key,
                        size_t bufferSize) {
  return ProfileDocument::Load(file).Read(section, key, bufferSize);
}

bool ProfileWrite(const std::filesystem::path& file, std::string_view section, std::string_view key,
                  std::string_view value, std::error_code& error) {
  ProfileWriter writer(file);
  writer.Write(section, key, value);
  return writer.Commit(error);
}

ProfileWriter::ProfileWriter(std::filesystem::path file) : file_(std::move(file)) {
  std::error_code readError;
  auto content = ReadWholeFile(file_, readError);
  std::error_code ignored;
  if (content)
    document_ = ProfileDocument::Parse(*content);
  else if (std::filesystem::exists(file_, ignored))
    loadError_ = readError;
}

void ProfileWriter::Write(std::string_view section, std::string_view key, std::string_view value) {
  document_.Write(section, key, value);
}

bool ProfileWriter::Commit(std::error_code& error) {
  if (loadError_) {
    error = loadError_;
    return false;
  }
  return WriteFileAtomically(file_, document_.Text(), error);
}

}  // namespace velmora
