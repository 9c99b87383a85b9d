// The registry value AirMail's installer leaves, written here with the
// registry calls and removed afterwards (the installation it names found at
// the AutoConnect window's load: AutoConnectWindowTest).
#include "airmail/win32/AirmailRegistry.h"

#include <gtest/gtest.h>

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
  }
  void TearDown() override { if (made) RegDeleteTreeA(HKEY_CURRENT_USER, kMaker); }

  static constexpr const char* kMaker = "Software\\Sirius Cybernetics";
  bool made = false;
};

// The value is read whole, however long (its last separator dropped:
// FolderFromStoredText's test).
TEST_F(AirmailRegistryTest, TheInstallFolderIsReadWhole) {
  const std::string longFolder = "C:\\" + std::string(600, 'a') + "\\";
  RegSetKeyValueA(HKEY_CURRENT_USER, kAirmailInstallationKey, kAirmailInstallFolderValue, REG_SZ, longFolder.c_str(),
                  static_cast<DWORD>(longFolder.size() + 1));
  EXPECT_EQ(Win32AirmailRegistry().InstallFolder().value_or("").c_str(), longFolder);
}

// A value of the kind that names other values ("%ProgramFiles%\AirMail")
// is read with them filled in.
TEST_F(AirmailRegistryTest, AnExpandableFolderIsReadExpanded) {
  SetEnvironmentVariableA("VELMORA_MAIL_ROOT", "D:\\Mail");
  const std::string folder = "%VELMORA_MAIL_ROOT%\\AirMail\\";
  RegSetKeyValueA(HKEY_CURRENT_USER, kAirmailInstallationKey, kAirmailInstallFolderValue, REG_EXPAND_SZ,
                  folder.c_str(), static_cast<DWORD>(folder.size() + 1));
  EXPECT_EQ(Win32AirmailRegistry().InstallFolder().value_or("").c_str(), std::string("D:\\Mail\\AirMail\\"));
}

}  // namespace
}  // namespace velmora
