// The command line: "/connect" in any case, and the first argument that is
// anything else refused by name (the real program's unattended runs show the
// refusal's message and "/connect /now").
#include "app/CommandLine.h"

#include <gtest/gtest.h>

namespace velmora {
namespace {

TEST(CommandLine, OnlyConnectIsTaken) {
  struct {
    const char* line;
    bool connect;
    std::optional<std::string> refused;
  } cases[] = {
      {"", false, {}},
      {"   ", false, {}},
      {"/connect", true, {}},
      {" \t/Connect  ", true, {}},
      {"\"/connect\"", true, {}},
      {"/connect /connect", true, {}},
      {"connect", false, "connect"},
      {"/connects", false, "/connects"},
      {"/x /connect", false, "/x"},
      {"\"my file.bin\"", false, "my file.bin"},
      {"\"\"", false, ""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.line);
    CommandLine read = CommandLineRead(c.line);
    EXPECT_EQ(read.refused, c.refused);
    if (!c.refused) EXPECT_EQ(read.connect, c.connect);
  }
}

}  // namespace
}  // namespace velmora
