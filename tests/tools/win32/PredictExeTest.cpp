// velmora-predict.exe once from end to end with the real VOACAP: the CSV
// heading, and a line per station and frequency.
#include <windows.h>
#include <gtest/gtest.h>

#include "tests/airmail/Fixture.h"
#include "tests/common/TempFolder.h"
#include "tests/propagation/win32/RealItshfbc.h"

namespace velmora {
namespace {

struct Run {
  DWORD status = 99;
  std::vector<std::string> lines;  // of standard output and standard error, in turn
};

Run Predict(const std::string& arguments) {
  testing::TempFolder work;
  Run run;
  auto output = work.path() / "out.txt";
  SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
  HANDLE file = CreateFileA(output.string().c_str(), GENERIC_WRITE, FILE_SHARE_READ, &inherit, CREATE_ALWAYS,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return run;
  STARTUPINFOA si{};
  si.cb = sizeof si;
  si.dwFlags = STARTF_USESTDHANDLES;
  si.hStdOutput = si.hStdError = file;
  std::string command =
      "\"" + testing::HostPath(VELMORA_BINARY_DIR "/velmora-predict.exe").string() + "\" " + arguments;
  PROCESS_INFORMATION pi{};
  if (CreateProcessA(nullptr, command.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr, &si, &pi)) {
    if (WaitForSingleObject(pi.hProcess, 60000) == WAIT_OBJECT_0) GetExitCodeProcess(pi.hProcess, &run.status);
    CloseHandle(pi.hProcess);
    CloseHandle(pi.hThread);
  }
  CloseHandle(file);
  for (const auto& line : SplitLines(testing::ReadBytes(output))) run.lines.push_back(line);
  return run;
}

TEST(VelmoraPredictExe, ALinePerStationAndFrequency) {
  if (!testing::ItshfbcInstall()) GTEST_SKIP() << "no VOACAP in ../shared/itshfbc to copy to c:\\itshfbc";
  auto data = testing::HostPath(testing::FixturePath("data").string()).string();
  auto run = Predict("--data \"" + data +
                     "\" --system SAILMAIL --mode 6 --station WPE --station WLO --model 2 --time 2024-05-14T14:45");
  EXPECT_EQ(run.status, 0u);
  ASSERT_EQ(run.lines.size(), 1u + 4 + 3) << ::testing::PrintToString(run.lines);
  EXPECT_EQ(run.lines[0],
            "station,range_nmi,azimuth,frequency,luf_muf,layer,t_ang,s_dbw,n_dbw,snr,slope,offset_db,history_db,"
            "rx_check,tx_connect,reason_slot");
  const char* expected[] = {"WPE,", "WPE,", "WPE,", "WPE,", "WLO,", "WLO,", "WLO,"};
  for (size_t i = 0; i < 7; ++i) EXPECT_EQ(run.lines[i + 1].rfind(expected[i], 0), 0u) << run.lines[i + 1];
  EXPECT_NE(run.lines[5].find(",6318.5(p3),"), std::string::npos) << run.lines[5];
}

}  // namespace
}  // namespace velmora
