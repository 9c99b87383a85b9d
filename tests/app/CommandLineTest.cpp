// The command line: "/connect" in any case, and the first argument that is
// anything else refused by name.
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
      {"/CONNECT", true, {}},
      {" \t/Connect  ", true, {}},
      {"\"/connect\"", true, {}},
      {"/connect /connect", true, {}},
      {"connect", false, "connect"},
      {"/connects", false, "/connects"},
      {"-connect", false, "-connect"},
      {"/connect /now", true, "/now"},
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
  EXPECT_EQ(CommandLineRefusedText("/now").rfind("Velmora - Unknown command line argument \"/now\".", 0), 0u);
}

}  // namespace
}  // namespace velmora
