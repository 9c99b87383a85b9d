// The program's portable parts: the command line ("/connect" in any case,
// and the first argument that is anything else refused by name) and the
// designed menus' commands.
#include <gtest/gtest.h>

#include <set>

#include "app/CommandLine.h"
#include "app/MenuCommands.h"
#include "app/MenuModel.h"
#include "tests/common/AccessKeyCheck.h"

namespace velmora {
namespace {

// The real program's unattended runs show the refusal's message and "/connect /now".
TEST(CommandLine, OnlyConnectIsTaken) {
  struct { const char* line; bool connect; std::optional<std::string> refused; } cases[] = {
      {"", false, {}}, {"/connect", true, {}}, {" \t/Connect  ", true, {}}, {"\"/connect\"", true, {}},
      {"/connect /connect", true, {}}, {"connect", false, "connect"}, {"/connects", false, "/connects"},
      {"/x /connect", false, "/x"}, {"\"my file.bin\"", false, "my file.bin"}, {"\"\"", false, ""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.line);
    CommandLine read = CommandLineRead(c.line);
    EXPECT_EQ(std::pair(read.connect, read.refused), std::pair(c.connect, c.refused));
  }
}

// Every command of the designed menus does something, and nothing else does
// (what each does, the real main window's tests show: a sample size, an
// Options tab). Alt and a letter reach every item: each has its key, none
// shared in its menu.
TEST(MenuCommands, EveryMenuItemAndOnlyThoseAreRoutedEachByAnAccessKeyOfItsOwn) {
  std::set<int> commands;
  for (const auto& menu : MainMenus())
    for (const auto& item : menu.items)
      if (!item.Separator()) {
        commands.insert(item.command);
        EXPECT_TRUE(RouteMenuCommand(item.command)) << item.name << " " << item.caption;
      }
  for (int id = 1000; id < 1400; ++id) EXPECT_EQ(RouteMenuCommand(id).has_value(), commands.count(id) == 1) << id;
  EXPECT_EQ(testing::MenuAccessKeyFaults(MainMenus()), std::vector<std::string>{});
}

}  // namespace
}  // namespace velmora
