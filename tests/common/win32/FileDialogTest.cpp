// The standard open dialog, a file typed into it as a user picks one.
#include <gtest/gtest.h>

#include "common/win32/FileDialog.h"
#include "tests/common/TempFolder.h"
#include "tests/common/win32/TestWin32.h"

namespace velmora {
namespace {

// In a folder named with a letter the code page lacks (the L with a stroke
// beside code page 1252), the path chosen still names the file.
TEST(ChooseFile, AFileInAFolderTheCodePageCannotSpellIsNamedSoItIsFound) {
  testing::TempFolder temp;
  const auto folder = temp.path() / L"\u0141ukasz";
  std::filesystem::create_directory(folder);
  const auto file = folder / "Record.bin";
  testing::WriteBytes(file, "recorded");
  testing::MessageBoxAnswerer open(IDOK, [&] {
    HWND chooser = FindWindowA("#32770", "Playback File");
    for (int box : {1148, 1152}) SetDlgItemTextW(chooser, box, file.wstring().c_str());
  });
  const std::string chosen = ChooseFile(nullptr, {.title = "Playback File", .filter = std::string("All\0*.*\0", 8)});
  ASSERT_FALSE(chosen.empty());
  EXPECT_EQ(testing::ReadBytes(std::filesystem::path(chosen)), "recorded") << chosen;
}

}  // namespace
}  // namespace velmora
