// A radio for the tests, on the other end of a serial line pair: it writes
// each "$PICOA,90," sentence it receives to a record file and answers
// "REMOTE,ON", and "SIGM" from a script.
//
//   RadioStandIn.exe PORT RECORD [--readings 5,x,long,garbage,silence,7]
//
// Readings, one per "SIGM" in turn (silence once they run out): a digit
// answers with it, "x" answers "SIGM,x", "long" sends a 300-character line,
// "garbage" a line with no reading in it, "silence" nothing.
#include <windows.h>

#include <cstdio>
#include <deque>
#include <sstream>
#include <string>
#include <string_view>

namespace {

using Script = std::deque<std::string>;  // the readings still to give

Script ScriptRead(int argc, char** argv) {
  Script script;
  if (argc > 4 && std::string_view(argv[3]) == "--readings") {
    std::istringstream list(argv[4]);
    for (std::string reading; std::getline(list, reading, ',');) script.push_back(reading);
  }
  return script;
}

// Tried for a while: the stand-in of the test before may not have let go yet.
HANDLE PortOpen(const std::string& name) {
  HANDLE port = INVALID_HANDLE_VALUE;
  for (int attempt = 0; attempt < 100 && port == INVALID_HANDLE_VALUE; ++attempt) {
    port = CreateFileA(("\\\\.\\" + name).c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0,
                       nullptr);
    if (port == INVALID_HANDLE_VALUE) Sleep(50);
  }
  if (port == INVALID_HANDLE_VALUE) return port;
  // The line is a raw pseudo-terminal pair: its speed and framing are the program's end's business.
  COMMTIMEOUTS timeouts{.ReadIntervalTimeout = MAXDWORD};
  SetCommTimeouts(port, &timeouts);
  PurgeComm(port, PURGE_RXCLEAR | PURGE_TXCLEAR);
  return port;
}

void Send(HANDLE port, const std::string& text) {
  DWORD written = 0;
  WriteFile(port, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
}

// The answer to one sentence ("$PICOA,90,03,SIGM"), addressed back to the controller.
std::string Answer(std::string_view sentence, Script& script) {
  constexpr std::string_view prefix = "$PICOA,90,";
  if (sentence.substr(0, prefix.size()) != prefix) return {};
  std::string_view rest = sentence.substr(prefix.size());
  const auto comma = rest.find(',');
  if (comma == std::string_view::npos) return {};
  const std::string head = "$PICOA," + std::string(rest.substr(0, comma)) + ",90,";
  const std::string_view command = rest.substr(comma + 1);
  if (command == "REMOTE,ON") return head + "REMOTE,ON\r\n";
  if (command != "SIGM" || script.empty()) return {};
  const std::string reading = script.front();
  script.pop_front();
  if (reading == "silence") return {};
  if (reading == "long") return std::string(300, '#') + head + "SIGM,9\r\n";
  if (reading == "garbage") return "\x7f%&*?\r\n";
  return head + "SIGM," + reading + "\r\n";
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 3) return 2;
  Script script = ScriptRead(argc, argv);
  HANDLE port = PortOpen(argv[1]);
  FILE* record = std::fopen(argv[2], "wb");
  if (port == INVALID_HANDLE_VALUE || !record) return 1;
  std::fputs("OPEN\r\n", record);
  std::fflush(record);
  std::string line;
  // Ends when the test ends it.
  for (;;) {
    char buffer[256];
    DWORD got = 0;
    if (!ReadFile(port, buffer, sizeof buffer, &got, nullptr) || got == 0) {
      Sleep(5);
      continue;
    }
    for (DWORD i = 0; i < got; ++i) {
      if (buffer[i] == '\r') continue;
      if (buffer[i] != '\n') {
        line += buffer[i];
        continue;
      }
      std::fprintf(record, "%s\r\n", line.c_str());
      std::fflush(record);
      if (auto answer = Answer(line, script); !answer.empty()) Send(port, answer);
      line.clear();
    }
  }
}
