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
class InstallationKey {
 public:
  InstallationKey() {
    HKEY existing = nullptr;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, kMaker, 0, KEY_READ, &existing) == ERROR_SUCCESS) {
      RegCloseKey(existing);
      return;
    }
    RegCreateKeyExA(HKEY_CURRENT_USER, kAirmailInstallationKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key_,
                    nullptr);
  }
  ~InstallationKey() {
    if (!key_) return;
    RegCloseKey(key_);
    RegDeleteTreeA(HKEY_CURRENT_USER, kMaker);
  }
  bool Made() const { return key_ != nullptr; }
  void Set(const std::string& folder) {
    RegSetValueExA(key_, kAirmailInstallFolderValue, 0, REG_SZ, reinterpret_cast<const BYTE*>(folder.c_str()),
                   static_cast<DWORD>(folder.size() + 1));
  }

 private:
  static constexpr const char* kMaker = "Software\\Sirius Cybernetics";
  HKEY key_ = nullptr;
};

class AirmailRegistryTest : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!key.Made()) GTEST_SKIP() << "an AirMail installation's key is in this prefix already";
    testing::CopyFixtureData(installed.path());
  }
  testing::TempFolder installed;  // AirMail's data in its program folder, as a plain install has it
  InstallationKey key;
  Win32AirmailRegistry registry;
};

// The value is read whole, however long, and names the installation found
// when the stored folders hold no AirMail (its last separator dropped:
// FolderFromStoredText's test).
TEST_F(AirmailRegistryTest, TheInstallFolderIsReadWholeAndFound) {
  const std::string longFolder = "C:\\" + std::string(600, 'a') + "\\";
  key.Set(longFolder);
  EXPECT_EQ(registry.InstallFolder().value_or("").c_str(), longFolder);
  key.Set(installed.path().string() + "\\");
  AutoConnectSettings settings;
  settings.airmailDirectoryData = settings.airmailDirectoryProgram = "C:\\Nowhere";
  AirmailInstallationGet(settings, registry);
  EXPECT_EQ(settings.airmailDirectoryData, installed.path().string());
  EXPECT_EQ(settings.airmailDirectoryProgram, installed.path().string());
}

}  // namespace
}  // namespace velmora
