// Finding AirMail's folders: the program file, the registry, the install log.
#include "airmail/AirmailInstallation.h"

#include <gtest/gtest.h>

#include "tests/airmail/Fixture.h"
#include "tests/common/TempFolder.h"

namespace velmora {
namespace {

class FakeRegistry final : public AirmailRegistry {
 public:
  explicit FakeRegistry(std::optional<std::string> value = std::nullopt) : value_(std::move(value)) {}
  std::optional<std::string> InstallFolder() const override {
    ++asked;
    return value_;
  }
  mutable int asked = 0;

 private:
  std::optional<std::string> value_;
};

class AirmailInstallation : public ::testing::Test {
 protected:
  void SetUp() override {
    std::filesystem::create_directories(program());
    std::filesystem::create_directories(data());
  }
  std::filesystem::path program() const { return folder.path() / "program"; }
  std::filesystem::path data() const { return folder.path() / "data"; }
  AutoConnectSettings Folders(const std::filesystem::path& dataFolder, const std::filesystem::path& programFolder) {
    AutoConnectSettings s;
    s.airmailDirectoryData = dataFolder.string();
    s.airmailDirectoryProgram = programFolder.string();
    return s;
  }
  testing::TempFolder folder;
};

TEST_F(AirmailInstallation, AnInstallationInPlaceTouchesNeitherRegistryNorLog) {
  FakeRegistry registry("C:\\Elsewhere\\");
  auto s = Folders(testing::FixturePath("data"), testing::FixturePath("program"));
  auto before = s;
  AirmailInstallationGet(s, registry);
  EXPECT_EQ(s, before);
  EXPECT_EQ(registry.asked, 0);
}

TEST_F(AirmailInstallation, TheRegistryGivesBothFoldersWithOrWithoutATrailingSeparator) {
  for (std::string value : {std::string("C:\\AirMail\\\0", 12), std::string("C:\\AirMail\0", 11),
                            std::string("C:\\AirMail"), std::string("C:\\AirMail\\")}) {
    FakeRegistry registry(value);
    auto s = Folders(data(), program());
    AirmailInstallationGet(s, registry);
    EXPECT_EQ(s.airmailDirectoryProgram, "C:\\AirMail") << value;
    EXPECT_EQ(s.airmailDirectoryData, "C:\\AirMail") << value;
  }
}

TEST_F(AirmailInstallation, WithoutTheProgramFileOrARegistryValueTheFoldersStay) {
  FakeRegistry none;
  auto s = Folders(data(), program());
  auto before = s;
  AirmailInstallationGet(s, none);
  EXPECT_EQ(s, before);
  EXPECT_EQ(none.asked, 1);
  FakeRegistry empty(std::string("\0", 1));
  AirmailInstallationGet(s, empty);
  EXPECT_EQ(s, before) << "an empty value names no folder";
}

TEST_F(AirmailInstallation, TheLastCommonRootOfTheInstallLogNamesTheDataFolder) {
  testing::WriteBytes(program() / "Airmail3.exe", "");
  testing::WriteBytes(program() / "Install.log",
                      "Started\r\nNewCommonRoot= C:\\First\\\r\nCopied\r\nNewCommonRoot= D:\\Mail\\AirMail\\\r\nDone\r\n");
  FakeRegistry registry("C:\\Elsewhere");
  auto s = Folders(data(), program());
  AirmailInstallationGet(s, registry);
  EXPECT_EQ(s.airmailDirectoryData, "D:\\Mail\\AirMail");
  EXPECT_EQ(s.airmailDirectoryProgram, program().string());
  EXPECT_EQ(registry.asked, 0) << "the program folder was right";
}

TEST_F(AirmailInstallation, TheRegistryFolderIsWhereTheInstallLogIsLookedFor) {
  testing::WriteBytes(program() / "Install.log", "x NewCommonRoot= " + data().string() + "/\nNewCommonRoot= ");
  FakeRegistry registry(program().string() + "/");
  auto s = Folders("C:\\Nowhere", "C:\\Nowhere");
  AirmailInstallationGet(s, registry);
  EXPECT_EQ(s.airmailDirectoryProgram, program().string());
  EXPECT_EQ(s.airmailDirectoryData, data().string())
      << "LF line ends; the marker within a line; an empty last root is no folder";
}

TEST_F(AirmailInstallation, ARootWithoutTrailingSeparatorAndAVeryLongLogAreReadWhole) {
  std::string log = std::string(200000, 'x') + "\r\nNewCommonRoot= E:\\AirMail  \r\n" + std::string(300000, 'y');
  testing::WriteBytes(program() / "Install.log", log);
  FakeRegistry registry(program().string());
  auto s = Folders(data(), "C:\\Nowhere");
  AirmailInstallationGet(s, registry);
  EXPECT_EQ(s.airmailDirectoryData, "E:\\AirMail");
}

TEST_F(AirmailInstallation, AnAirmailIniInTheRegistryFolderEndsTheSearch) {
  testing::WriteBytes(program() / "Airmail.ini", "[Settings]\r\n");
  testing::WriteBytes(program() / "Install.log", "NewCommonRoot= D:\\Other\\\r\n");
  FakeRegistry registry(program().string());
  auto s = Folders(data(), "C:\\Nowhere");
  AirmailInstallationGet(s, registry);
  EXPECT_EQ(s.airmailDirectoryData, program().string());
}

TEST(FolderFromStoredText, DropsOneTrailingSeparatorOnlyWhenThere) {
  EXPECT_EQ(FolderFromStoredText("C:\\AirMail\\"), "C:\\AirMail");
  EXPECT_EQ(FolderFromStoredText("C:\\AirMail"), "C:\\AirMail");
  EXPECT_EQ(FolderFromStoredText(std::string("C:\\AirMail\\\0\0", 13)), "C:\\AirMail");
  EXPECT_EQ(FolderFromStoredText("C:\\"), "C:\\") << "a drive's root keeps its separator";
  EXPECT_EQ(FolderFromStoredText("\\\\server\\mail\\"), "\\\\server\\mail");
  EXPECT_EQ(FolderFromStoredText(""), "");
  EXPECT_EQ(FolderFromStoredText("\\"), "\\");
}

}  // namespace
}  // namespace velmora
