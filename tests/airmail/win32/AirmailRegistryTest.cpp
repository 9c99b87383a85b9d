// AirMail's installation found through the registry value its installer
// leaves, written here with the registry calls and removed afterwards.
#include "airmail/win32/AirmailRegistry.h"

#include <gtest/gtest.h>

#include "airmail/AirmailInstallation.h"
#include "tests/airmail/Fixture.h"
#include "tests/common/win32/TestWin32.h"

namespace velmora {
namespace {

// The maker's key, made for one test and removed whole afterwards; one that
// was there before belongs to an installation, and the test leaves it alone.
class AirmailRegistryTest : public ::testing::Test {
 protected:
  void SetUp() override {
    HKEY existing = nullptr;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, kMaker, 0, KEY_READ, &existing) == ERROR_SUCCESS) {
      RegCloseKey(existing);
      GTEST_SKIP() << "an AirMail installation's key is in this prefix already";
    }
    made = true;
    testing::CopyFixtureData(installed.path());
  }
  void TearDown() override { if (made) RegDeleteTreeA(HKEY_CURRENT_USER, kMaker); }
  void Set(const std::string& folder) {
    RegSetKeyValueA(HKEY_CURRENT_USER, kAirmailInstallationKey, kAirmailInstallFolderValue, REG_SZ, folder.c_str(),
                    static_cast<DWORD>(folder.size() + 1));
  }

  static constexpr const char* kMaker = "Software\\Sirius Cybernetics";
  bool made = false;
  testing::TempFolder installed;  // AirMail's data in its program folder, as a plain install has it
  Win32AirmailRegistry registry;
};

// The value is read whole, however long, and names the installation found
// when the stored folders hold no AirMail (its last separator dropped:
// FolderFromStoredText's test).
TEST_F(AirmailRegistryTest, TheInstallFolderIsReadWholeAndFound) {
  const std::string longFolder = "C:\\" + std::string(600, 'a') + "\\";
  Set(longFolder);
  EXPECT_EQ(registry.InstallFolder().value_or("").c_str(), longFolder);
  Set(installed.path().string() + "\\");
  AutoConnectSettings settings;
  settings.airmailDirectoryData = settings.airmailDirectoryProgram = "C:\\Nowhere";
  AirmailInstallationGet(settings, registry);
  EXPECT_EQ(settings.airmailDirectoryData, installed.path().string());
  EXPECT_EQ(settings.airmailDirectoryProgram, installed.path().string());
}

}  // namespace
}  // namespace velmora
