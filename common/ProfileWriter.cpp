#include "common/ProfileWriter.h"

#include "common/AtomicFile.h"
#include "common/SystemLib.h"

namespace velmora {

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
