// The image viewer, dock bar, drop target and picture button.
#include <gtest/gtest.h>

#include <vector>

#include "tests/ui/controls/controls_fixture.h"

namespace {

using namespace vg;
using vgtest::ControlScene;

using ExtControls = ControlScene;

TEST_F(ExtControls, TheImageViewerScalesWithinItsLimitsAndCentresASmallPicture) {
  auto* viewer = Add<TvgImageViewer>();
  viewer->SetBounds(0, 0, 304, 304);  // a 300 x 300 view inside the frame
  ASSERT_NE(viewer->ContentLayout(), nullptr);
  viewer->Bitmap()->SetSize(100, 50);
  const TvgRect view = viewer->ContentLayout()->GetLocalRect();
  ASSERT_EQ(view.Right - view.Left, 300);
  TvgVisualObject* image = nullptr;
  for (TvgObject* child : viewer->Content()->Children())
    if (dynamic_cast<TvgImage*>(child)) image = child->Visual();
  ASSERT_NE(image, nullptr);
  EXPECT_EQ(image->Position()->X(), 100);
  EXPECT_EQ(image->Position()->Y(), 125);
  EXPECT_EQ(image->Width(), 100);

  const struct {
    float set, stored;
  } scales[] = {{20, 10}, {0, 0.01f}, {2, 2}};
  for (const auto& c : scales) {
    viewer->SetScale(c.set);
    EXPECT_FLOAT_EQ(viewer->BitmapScale(), c.stored) << c.set;
  }
  EXPECT_EQ(image->Width(), 200);
  bool handled = false;
  viewer->MouseWheel(0, 240, handled);
  EXPECT_TRUE(handled);
  EXPECT_FLOAT_EQ(viewer->BitmapScale(), 2.08f);
  viewer->Bitmap()->SetSize(600, 300);
  viewer->BestFit();
  EXPECT_FLOAT_EQ(viewer->BitmapScale(), 0.5f);
}

TEST_F(ExtControls, TheDockBarLinesUpAndMagnifiesNearThePointer) {
  auto* dock = Add<TvgDockBar>();
  dock->SetBounds(0, 0, 400, 80);
  std::vector<TvgVisualObject*> items;
  for (int i = 0; i < 5; ++i) {
    auto* item = new TvgRectangle(nullptr);
    item->SetBounds(float(i) * 40, 0, 32, 32);
    item->SetParent(dock);
    items.push_back(item);
  }
  dock->Realign();
  for (int i = 0; i < 5; ++i) {
    SCOPED_TRACE(i);
    EXPECT_EQ(items[i]->Position()->X(), 200 - 5 * 16 + i * 32);
    EXPECT_EQ(items[i]->Position()->Y(), 48);
    EXPECT_EQ(items[i]->Width(), 32);
  }
  dock->MouseMove(0, 200, 60, 0, 0);  // over the middle item
  EXPECT_EQ(items[2]->Width(), 64);
  EXPECT_EQ(items[2]->Height(), 64);
  EXPECT_GT(items[1]->Width(), 32);
  EXPECT_LT(items[1]->Width(), 64);
  EXPECT_FLOAT_EQ(items[1]->Width(), items[3]->Width());
  EXPECT_EQ(items[2]->Position()->Y(), 80 - 64 - 1);
  dock->MouseLeave();
  EXPECT_EQ(items[2]->Width(), 32);
}

TEST_F(ExtControls, TheDropTargetAcceptsEverythingAndReportsTheDrop) {
  auto* target = Add<TvgDropTarget>();
  EXPECT_EQ(target->Width(), 120);
  TvgDragObject data;
  data.Files = {u"/tmp/a.txt"};
  bool accept = false;
  target->DragOver(data, {5, 5}, accept);
  EXPECT_TRUE(accept);
  std::vector<rtl::WideString> dropped;
  target->OnDroped = [&](rtl::TObject*, const TvgDragObject& d, TvgPoint) { dropped = d.Files; };
  target->DragDrop(data, {5, 5});
  EXPECT_EQ(dropped, data.Files);
  target->OnDroped = {};
}

TEST_F(ExtControls, ThePictureButtonsBackgroundFillsItsStylePart) {
  auto* button = Add<TvgIPhoneButton>();
  auto* background = dynamic_cast<TvgShape*>(button->FindResource("background"));
  ASSERT_NE(background, nullptr);
  EXPECT_EQ(background->Fill()->SolidColor(), 0xFF808080u);
  button->Background()->SetSolidColor(0xFF2A5E99);
  EXPECT_EQ(background->Fill()->SolidColor(), 0xFF2A5E99u);
}

}  // namespace
