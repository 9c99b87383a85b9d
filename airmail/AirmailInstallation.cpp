#include "airmail/AirmailInstallation.h"

#include <filesystem>

#include "common/TextFileLines.h"
#include "common/SystemLib.h"

namespace velmora {
namespace {

constexpr std::string_view kCommonRootMarker = "NewCommonRoot= ";

bool FileExists(std::string_view folder, std::string_view name) {
  std::error_code ignored;
  return std::filesystem::is_regular_file(JoinPath(folder, name), ignored);
}

bool IsDriveRoot(std::string_view text) { return text.size() == 3 && text[1] == ':'; }

// The data folder of the last "NewCommonRoot= " line of AirMail's install
// log; nullopt when the log cannot be read or names none.
std::optional<std::string> DataFolderFromInstallLog(std::string_view programFolder) {
  FileFailure failure;
  auto lines = ReadTextLines(JoinPath(programFolder, "Install.log"), failure);
  if (!lines) return std::nullopt;
  std::optional<std::string> folder;
  for (const auto& line : *lines) {
    auto at = line.find(kCommonRootMarker);
    if (at == std::string::npos) continue;
    auto named = FolderFromStoredText(std::string_view(line).substr(at + kCommonRootMarker.size()));
    if (!named.empty()) folder = named;
  }
  return folder;
}

}  // namespace

std::string FolderFromStoredText(std::string_view text) {
  text = text.substr(0, text.find('\0'));
  while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) text.remove_suffix(1);
  if (!text.empty() && (text.back() == '\\' || text.back() == '/') && !IsDriveRoot(text) && text.size() > 1)
    text.remove_suffix(1);
  return std::string(text);
}

void AirmailInstallationGet(AutoConnectSettings& settings, const AirmailRegistry& registry) {
  if (!FileExists(settings.airmailDirectoryProgram, "Airmail3.exe")) {
    auto installed = registry.InstallFolder();
    if (!installed) return;
    auto folder = FolderFromStoredText(*installed);
    if (folder.empty()) return;  // an empty value names no folder
    settings.airmailDirectoryProgram = folder;
    settings.airmailDirectoryData = settings.airmailDirectoryProgram;
  }
  if (FileExists(settings.airmailDirectoryData, "Airmail.ini")) return;
  if (auto data = DataFolderFromInstallLog(settings.airmailDirectoryProgram)) settings.airmailDirectoryData = *data;
}

}  // namespace velmora
