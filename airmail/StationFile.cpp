#include "airmail/StationFile.h"

#include <algorithm>

#include "common/TextParse.h"

namespace velmora {
namespace {

std::string Joined(const std::vector<std::string>& lines) {
  std::string text;
  for (const auto& line : lines) (text += line) += '\n';
  return text;
}

}  // namespace

std::string StationFileName(std::string_view system) { return "System." + std::string(system) + ".ini"; }

std::optional<StationFile> StationFile::Load(const AirmailDataFolder& data, std::string_view system,
                                             FileFailure& failure) {
  auto lines = ReadTextLines(data.File(StationFileName(system)), failure);
  if (!lines) return std::nullopt;
  return StationFile(data, system, std::move(*lines));
}

StationFile::StationFile(const AirmailDataFolder& data, std::string_view system, std::vector<std::string> lines)
    : data_(data), system_(system), lines_(std::move(lines)), profile_(ProfileDocument::Parse(Joined(lines_))) {}

SectionLines StationFile::Section(std::string_view header) const {
  SectionLines section;
  auto at = std::find_if(lines_.begin(), lines_.end(), [&](const std::string& l) { return Trim(l) == header; });
  if (at == lines_.end()) return section;
  for (++at; at != lines_.end(); ++at) {
    auto equals = at->find('=');
    if (equals == std::string::npos) {
      section.endedByLine = true;
      break;
    }
    section.entries.push_back(
        {std::string(Trim(std::string_view(*at).substr(0, equals))), std::string(Trim(at->substr(equals + 1))), *at});
  }
  return section;
}

const StationFile::Keys& StationFile::KeysOf(std::string_view section) const {
  auto name = ToUpper(Trim(section));
  auto found = sections_.find(name);
  if (found != sections_.end()) return found->second;
  Keys keys;
  for (auto& entry : profile_.Entries(section)) keys.emplace(ToUpper(entry.key), std::move(entry.value));  // first wins
  return sections_.emplace(std::move(name), std::move(keys)).first->second;
}

std::optional<std::string> StationFile::WholeValue(std::string_view section, std::string_view key) const {
  const Keys& keys = KeysOf(section);
  auto found = keys.find(ToUpper(Trim(key)));
  return found == keys.end() ? std::nullopt : found->second;
}

std::string StationFile::Value(std::string_view section, std::string_view key, bool reportMissing) const {
  auto whole = WholeValue(section, key);
  auto value = whole ? ProfileDocument::ValueAsRead(*whole, kAirmailValueBuffer) : std::string();
  if (value.empty() && reportMissing) AirmailReportMissing(data_, FileName(), section, key);
  return value;
}

}  // namespace velmora
