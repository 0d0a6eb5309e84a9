#include "app/PageSwitch.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace app {
namespace {

// The layouts shown, as their numbers.
std::vector<int> Shown(int tag, const std::string& controller, int linkMode) {
  std::vector<int> shown;
  const auto visible = VisiblePages(tag, controller, linkMode);
  for (int n = 1; n <= kPageLayouts; ++n)
    if (visible[static_cast<std::size_t>(n - 1)]) shown.push_back(n);
  return shown;
}

TEST(PageSwitch, TagsControllersAndLinkModesChooseTheLayouts) {
  struct Case {
    int tag;
    const char* controller;
    int linkMode;
    std::vector<int> shown;
  } cases[] = {
      {0, "", 0, {1}},
      {1, "", 0, {2}},
      {3, "CAR_ESC", 0, {4}},
      {3, "Corvanel_HV_V4.1", 0, {11}},
      {3, "Corvanel_V4", 0, {11}},
      {3, "x TESSIM_V5 y", 0, {11}},
      {3, "corvanel_v4", 0, {4}},  // case-sensitive
      {6, "", 0, {7}},
      {7, "", 0, {8}},
      {7, "", 1, {8}},
      {7, "", 3, {12}},
      {7, "", 5, {}},
      {8, "", 0, {9}},
      {9, "", 0, {10}},
      {10, "PORTAVEX", 5, {13}},
      {10, "PORTAVEX", 4, {}},
      {10, "ESC", 5, {}},
      {11, "", 0, {}},
  };
  for (const Case& c : cases)
    EXPECT_EQ(Shown(c.tag, c.controller, c.linkMode), c.shown) << c.tag << " " << c.controller << " " << c.linkMode;
}

TEST(PageSwitch, HelpPaneBesideParameterAndCalculatorPages) {
  for (int tag = 0; tag <= 10; ++tag) EXPECT_EQ(PageHasHelpPane(tag), (tag >= 1 && tag <= 7) || tag == 9) << tag;
}

}  // namespace
}  // namespace app
