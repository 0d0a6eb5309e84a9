// The class library's popup menus as nodes' menus, without a display.
#include "ui/window/vg_popupmenulink.h"

#include <gtest/gtest.h>

#include "platform/gui/Menus.h"
#include "ui/core/vg_persistent.h"
#include "ui/core/vg_popupmenu.h"
#include "ui/core/vg_visual.h"

namespace vg {
namespace {

struct PlatformMenus : ::testing::Test {
  PlatformMenus() { vgUsePlatformPopupMenus(); }
  ~PlatformMenus() override { vgSetPopupMenuAdapter(nullptr); }
};

TEST_F(PlatformMenus, ANodeTakesAPlatformMenuAndForgetsItWhenTheMenuGoes) {
  TvgOwned<TvgVisualObject> node(new TvgVisualObject(nullptr));
  auto* menu = new gui::TPopupMenu(nullptr);
  node->SetPopupMenu(menu);
  ASSERT_EQ(node->PopupMenu(), menu);

  IvgPopupMenu* link = vgPopupMenuOf(menu);
  ASSERT_NE(link, nullptr);
  EXPECT_EQ(vgPopupMenuOf(menu), link);  // one link a menu
  link->SetPopupComponent(node.get());
  EXPECT_EQ(menu->PopupComponent, node.get());

  menu->Free();  // frees the link with it
  EXPECT_EQ(node->PopupMenu(), nullptr);
}

TEST_F(PlatformMenus, OtherComponentsAreNoMenus) {
  TvgOwned<TvgVisualObject> node(new TvgVisualObject(nullptr));
  TvgOwned<gui::TMenuItem> item(new gui::TMenuItem(nullptr));
  node->SetPopupMenu(item.get());
  EXPECT_EQ(node->PopupMenu(), nullptr);
  EXPECT_EQ(vgPopupMenuOf(nullptr), nullptr);
}

}  // namespace
}  // namespace vg
