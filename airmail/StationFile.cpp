#include "airmail/StationFile.h"

#include "airmail/AirmailFileText.h"
#include "common/TextParse.h"

namespace velmora {

std::string StationFileName(std::string_view system) { return "System." + std::string(system) + ".ini"; }

std::optional<StationFile> StationFile::Load(const AirmailDataFolder& data, std::string_view system,
                                             FileFailure& failure) {
  auto text = AirmailFileText(data.File(StationFileName(system)), failure, kProfileFileLimit, data.RewritePatience());
  if (!text) return std::nullopt;
  return StationFile(data, system, std::move(*text));
}

StationFile::StationFile(const AirmailDataFolder& data, std::string_view system, std::string text)
    : data_(data), system_(system), text_(std::move(text)), profile_(ProfileDocument::Parse(text_)) {}

SectionLines StationFile::Section(std::string_view header) const {
  SectionLines section;
  TextLines lines(text_);
  auto line = lines.Next();
  while (line && Trim(*line) != header) line = lines.Next();
  if (!line) return section;
  while ((line = lines.Next())) {
    auto equals = line->find('=');
    if (equals == std::string_view::npos) {
      section.endedByLine = true;
      break;
    }
    section.entries.push_back({std::string(Trim(line->substr(0, equals))), std::string(Trim(line->substr(equals + 1))),
                               std::string(*line)});
  }
  return section;
}

std::optional<std::string> StationFile::WholeValue(std::string_view section, std::string_view key) const {
  return profile_.Find(section, key);
}

std::string StationFile::Value(std::string_view section, std::string_view key, bool reportMissing) const {
  auto whole = WholeValue(section, key);
  auto value = whole ? ProfileDocument::ValueAsRead(*whole, kAirmailValueBuffer) : std::string();
  if (value.empty() && reportMissing) AirmailReportMissing(data_, FileName(), section, key);
  return value;
}

const StationFile* StationFileCache::Of(const AirmailDataFolder& data, std::string_view system) {
  auto path = data.File(StationFileName(system));
  std::error_code error;
  const auto written = std::filesystem::last_write_time(path, error);
  const auto size = error ? 0 : std::filesystem::file_size(path, error);
  if (error) {
    read_.reset();
    return nullptr;
  }
  // Its values report through the messenger it was read with.
  if (read_ && read_->path == path && read_->size == size && read_->written == written &&
      &read_->file.Data().Messages() == &data.Messages())
    return &read_->file;
  read_.reset();
  FileFailure failure;
  auto file = StationFile::Load(data, system, failure);
  if (!file) return nullptr;
  read_.emplace(Read{std::move(*file), std::move(path), size, written});
  return &read_->file;
}

}  // namespace velmora
