#pragma once
// AirMail's data folder as the readers meet it: single values from AirMail's
// INI files, the hint that ends every message about them, and the version
// line of the options dialog.
#include <filesystem>
#include <string>
#include <string_view>

#include "airmail/AirmailFileText.h"
#include "common/Messages.h"
#include "common/SystemLib.h"

namespace velmora {

// The data folder and where its readers report. Messages that concern
// AirMail's files go to the messenger, which on the desktop brings the
// program's window to the front first.
class AirmailDataFolder {
 public:
  AirmailDataFolder(std::string folder, Messenger& messenger) : folder_(std::move(folder)), messenger_(messenger) {}
  // The folder a setting names at each use, for readers that live longer
  // than one value of the setting (it may be recalled or changed).
  static AirmailDataFolder Following(const std::string& setting, Messenger& messenger) {
    AirmailDataFolder data({}, messenger);
    data.followed_ = &setting;
    return data;
  }
  const std::string& Folder() const { return followed_ ? *followed_ : folder_; }
  Messenger& Messages() const { return messenger_; }
  std::filesystem::path File(std::string_view name) const { return JoinPath(Folder(), name); }
  // How long a read waits out AirMail rewriting the file; none where
  // nothing rewrites it and each input must be read as it stands.
  std::chrono::milliseconds RewritePatience() const { return patience_; }
  void SetRewritePatience(std::chrono::milliseconds patience) { patience_ = patience; }

 private:
  std::string folder_;
  const std::string* followed_ = nullptr;
  Messenger& messenger_;
  std::chrono::milliseconds patience_ = kAirmailRewritePatience;
};

// Two carriage returns, then "Please check that the AirMail's Data Folder
// "<folder>" is correct.".
std::string AirmailErrorDataMessage(const AirmailDataFolder& data);
std::string AirmailErrorDataMessage(std::string_view folder);

// "Unable to find AirMail's <section>, <key> in "<file>"." with the hint,
// as an exclamation box.
void AirmailReportMissing(const AirmailDataFolder& data, std::string_view fileName, std::string_view section,
                          std::string_view key);

// AirMail's values are read through a buffer of this many characters, so
// a longer value arrives cut to one less.
inline constexpr size_t kAirmailValueBuffer = 1024;

// One value of an INI file of the data folder; empty when it is missing,
// which is reported when asked for.
std::string AirMailGetProfileString(const AirmailDataFolder& data, std::string_view fileName,
                                    std::string_view section, std::string_view key, bool reportMissing);

// "Test Version 3.2.022." and, on a second line, AirMail's own version
// ("Last Program Version" of "Airmail.ini", reported when missing).
std::string AirmailVersionText(const AirmailDataFolder& data);

// The age of a time stamp as the options dialog shows it: whole calendar
// days when the dates differ, else whole clock hours, else minutes
// ("1 days", "3 hours", "0 minutes"); negative for a time in the future.
std::string TimeSpanText(const UtcDateTime& then, const UtcDateTime& now);

}  // namespace velmora
