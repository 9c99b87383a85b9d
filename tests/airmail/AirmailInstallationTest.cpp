// Finding AirMail's folders: the program file, the registry, the install log.
#include "airmail/AirmailInstallation.h"

#include <gtest/gtest.h>

#include "common/TextFileLines.h"
#include "tests/airmail/Fixture.h"
#include "tests/common/TempFolder.h"

namespace velmora {
namespace {

struct FakeRegistry final : AirmailRegistry {
  explicit FakeRegistry(std::optional<std::string> v) : value(std::move(v)) {}
  std::optional<std::string> InstallFolder() const override {
    ++asked;
    return value;
  }
  std::optional<std::string> value;
  mutable int asked = 0;
};

class AirmailInstallation : public ::testing::Test {
 protected:
  AutoConnectSettings Folders(const std::filesystem::path& dataFolder, const std::filesystem::path& programFolder) {
    AutoConnectSettings s;
    s.airmailDirectoryData = dataFolder.string();
    s.airmailDirectoryProgram = programFolder.string();
    return s;
  }
  testing::TempFolder folder;
  const std::filesystem::path program = folder.path() / "program", data = folder.path() / "data";
};

TEST_F(AirmailInstallation, WithoutTheProgramFileOrARegistryValueTheFoldersStay) {
  const auto before = Folders(data, program);
  for (const auto& value : {std::optional<std::string>(), std::optional<std::string>(std::string("\0", 1))}) {
    auto s = before;
    AirmailInstallationGet(s, FakeRegistry(value));
    EXPECT_EQ(s, before) << "an empty value names no folder";
  }
}

// The registry's value through the real registry is AirmailRegistryTest's.
// Here: the install log's last "NewCommonRoot=" names the data folder,
// looked for in the program folder, or else in the registry's folder; a
// program file in place leaves the registry alone, an "Airmail.ini" the log.
TEST_F(AirmailInstallation, TheInstallLogNamesTheDataFolder) {
  const std::string longLog = std::string(200000, 'x') + "\r\nNewCommonRoot= E:\\AirMail  \r\n" + std::string(300000, 'y');
  struct Case {
    const char* name;
    bool programFile, airmailIni;  // in the program folder
    std::string log, registry;
    bool programRight;  // the stored program folder holds AirMail
    std::string data;  // found; empty: the program folder
  } cases[] = {
      {"CR LF, the last root", true, false,
       "Started\r\nNewCommonRoot= C:\\First\\\r\nCopied\r\nNewCommonRoot= D:\\Mail\\AirMail\\\r\nDone\r\n",
       "C:\\Elsewhere", true, "D:\\Mail\\AirMail"},
      {"LF, within a line, an empty last root", false, false,
       "x NewCommonRoot= " + data.string() + "/\nNewCommonRoot= ", program.string() + "/", false, data.string()},
      {"no trailing separator, a long log", false, false, longLog, program.string(), false, "E:\\AirMail"},
      {"Airmail.ini in the registry's folder", false, true, "NewCommonRoot= D:\\Other\\\r\n", program.string(),
       false, ""},
      {"a log past any install log's size, refused unread", true, false,
       "NewCommonRoot= D:\\Mail\\\r\n" + std::string(kDataFileLimit, 'z'), "C:\\Elsewhere", true, data.string()},
  };
  for (const auto& c : cases) {
    std::filesystem::remove_all(program);
    std::filesystem::create_directories(program);
    if (c.programFile) testing::WriteBytes(program / "Airmail3.exe", "");
    if (c.airmailIni) testing::WriteBytes(program / "Airmail.ini", "[Settings]\r\n");
    testing::WriteBytes(program / "Install.log", c.log);
    FakeRegistry registry(c.registry);
    auto s = c.programRight ? Folders(data, program) : Folders("C:\\Nowhere", "C:\\Nowhere");
    AirmailInstallationGet(s, registry);
    EXPECT_EQ(s.airmailDirectoryData, c.data.empty() ? program.string() : c.data) << c.name;
    EXPECT_EQ(s.airmailDirectoryProgram, program.string()) << c.name;
    EXPECT_EQ(registry.asked == 0, c.programRight) << c.name;
  }
}

TEST(FolderFromStoredText, DropsOneTrailingSeparatorOnlyWhenThere) {
  EXPECT_EQ(FolderFromStoredText(std::string("C:\\AirMail\\\0\0", 13)), "C:\\AirMail");
  EXPECT_EQ(FolderFromStoredText("C:\\"), "C:\\") << "a drive's root keeps its separator";
  EXPECT_EQ(FolderFromStoredText("\\\\server\\mail\\"), "\\\\server\\mail");
  EXPECT_EQ(FolderFromStoredText(""), "");
  EXPECT_EQ(FolderFromStoredText("\\"), "\\");
}

}  // namespace
}  // namespace velmora
