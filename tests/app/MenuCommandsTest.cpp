// Every command of the designed menus does something, and nothing else does.
#include "app/MenuCommands.h"

#include <gtest/gtest.h>

#include <set>

#include "app/MenuModel.h"

namespace velmora {
namespace {

TEST(MenuCommands, EveryMenuItemAndOnlyThoseAreRouted) {
  std::set<int> commands;
  for (const auto& menu : MainMenus())
    for (const auto& item : menu.items)
      if (!item.Separator()) {
        commands.insert(item.command);
        EXPECT_TRUE(RouteMenuCommand(item.command)) << item.name << " " << item.caption;
      }
  for (int id = 1000; id < 1400; ++id) {
    if (!commands.count(id)) {
      EXPECT_FALSE(RouteMenuCommand(id)) << id;
    }
  }
  auto samples = RouteMenuCommand(menu::kTimeSamples0 + 11);
  ASSERT_TRUE(samples);
  EXPECT_EQ(samples->action, MenuAction::SampleSize);
  EXPECT_EQ(samples->argument, 11);
  EXPECT_EQ(RouteMenuCommand(menu::kOptionsDetector)->argument, 2) << "the Detector tab";
}

}  // namespace
}  // namespace velmora
