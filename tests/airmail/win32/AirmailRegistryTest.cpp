// AirMail's installation found through the registry value its installer
// leaves, written here with the registry calls and removed afterwards.
#include "airmail/win32/AirmailRegistry.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <vector>

#include "tests/airmail/Fixture.h"
#include "tests/common/TempFolder.h"
#include "tests/common/win32/TestWin32.h"

namespace velmora {
namespace {

bool KeyExists(const std::string& path) {
  HKEY key = nullptr;
  if (RegOpenKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) return false;
  RegCloseKey(key);
  return true;
}

// Sets (or removes) the "Install Folder" value for one test; puts back what
// was there before and removes the keys the test created.
class InstallFolderValue {
 public:
  InstallFolderValue() {
    std::string path;
    for (const char* part : {"Software\\Sirius Cybernetics", "\\AirMail", "\\Installation"}) {
      path += part;
      if (!KeyExists(path)) created_.insert(created_.begin(), path);
    }
    RegCreateKeyExA(HKEY_CURRENT_USER, kAirmailInstallationKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key_,
                    nullptr);
    DWORD type = 0, size = 0;
    if (RegQueryValueExA(key_, kAirmailInstallFolderValue, nullptr, &type, nullptr, &size) == ERROR_SUCCESS) {
      previous_.emplace(size, '\0');
      previousType_ = type;
      RegQueryValueExA(key_, kAirmailInstallFolderValue, nullptr, &type, reinterpret_cast<BYTE*>(previous_->data()),
                       &size);
    }
  }
  ~InstallFolderValue() {
    if (previous_)
      RegSetValueExA(key_, kAirmailInstallFolderValue, 0, previousType_,
                     reinterpret_cast<const BYTE*>(previous_->data()), static_cast<DWORD>(previous_->size()));
    else
      RegDeleteValueA(key_, kAirmailInstallFolderValue);
    RegCloseKey(key_);
    for (const auto& path : created_) RegDeleteKeyA(HKEY_CURRENT_USER, path.c_str());
  }
  void Set(const std::string& folder) {
    RegSetValueExA(key_, kAirmailInstallFolderValue, 0, REG_SZ, reinterpret_cast<const BYTE*>(folder.c_str()),
                   static_cast<DWORD>(folder.size() + 1));
  }
  void Remove() { RegDeleteValueA(key_, kAirmailInstallFolderValue); }

 private:
  HKEY key_ = nullptr;
  std::vector<std::string> created_;  // innermost first
  std::optional<std::string> previous_;
  DWORD previousType_ = REG_SZ;
};

class AirmailRegistryTest : public ::testing::Test {
 protected:
  void SetUp() override { testing::CopyFixtureData(installed.path()); }
  AutoConnectSettings NotFound() const {
    AutoConnectSettings s;
    s.airmailDirectoryData = s.airmailDirectoryProgram = "C:\\Nowhere\\AirMail";
    return s;
  }
  testing::TempFolder installed;  // AirMail's data in its program folder, as a plain install has it
  InstallFolderValue value;
  Win32AirmailRegistry registry;
};

// The value is read whole, however long, with or without its last separator.
TEST_F(AirmailRegistryTest, TheInstallFolderGivesBothFolders) {
  const std::string folder = installed.path().string(), longFolder = "C:\\" + std::string(600, 'a');
  for (const std::string& stored : {folder + "\\", folder, longFolder + "\\"}) {
    value.Set(stored);
    EXPECT_EQ(registry.InstallFolder().value_or("").c_str(), stored);
    const std::string& expected = stored.starts_with(folder) ? folder : longFolder;
    auto s = NotFound();
    AirmailInstallationGet(s, registry);
    EXPECT_EQ(s.airmailDirectoryProgram, expected) << stored;
    if (expected == folder) {
      EXPECT_EQ(s.airmailDirectoryData, folder) << stored;
    }
  }
}

// The command-line check finds the same installation as the program.
TEST_F(AirmailRegistryTest, VelmoraAirmailFindsTheInstallationThroughTheRegistry) {
  value.Set(installed.path().string() + "\\");
  testing::TempFolder work;
  auto output = work.path() / "out.txt";
  SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
  HANDLE file = CreateFileA(output.string().c_str(), GENERIC_WRITE, FILE_SHARE_READ, &inherit, CREATE_ALWAYS,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(file, INVALID_HANDLE_VALUE);
  STARTUPINFOA si{};
  si.cb = sizeof si;
  si.dwFlags = STARTF_USESTDHANDLES;
  si.hStdOutput = si.hStdError = file;
  std::string command = "\"" + testing::HostPath(VELMORA_BINARY_DIR "/velmora-airmail.exe").string() +
                        "\" --data C:\\Nowhere --program C:\\Nowhere";
  PROCESS_INFORMATION pi{};
  ASSERT_TRUE(CreateProcessA(nullptr, command.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr, &si, &pi));
  ASSERT_EQ(WaitForSingleObject(pi.hProcess, 20000), WAIT_OBJECT_0);
  DWORD code = 99;
  GetExitCodeProcess(pi.hProcess, &code);
  CloseHandle(pi.hProcess);
  CloseHandle(pi.hThread);
  CloseHandle(file);
  auto text = testing::ReadBytes(output);
  EXPECT_EQ(code, 0u) << text;
  EXPECT_EQ(text.rfind("system,HAM\r\nsystem,SAILMAIL\r\nstation,HAM,W1AW,W1AW,FN31PR,1\r\n", 0), 0u) << text;
  EXPECT_NE(text.find("Data Folder \"" + installed.path().string() + "\" is correct."), std::string::npos) << text;
}

}  // namespace
}  // namespace velmora
