// The design-time editors' arithmetic (gradient angle, crop, aspect), the
// tab-order editor and inserting controls in a designed scene.
#include <gtest/gtest.h>

#include <cmath>

#include "platform/rtl/TextConvert.h"
#include "tests/ui/controls/controls_fixture.h"
#include "ui/controls/vg_brushdesign.h"
#include "ui/controls/vg_tabordereditor.h"

namespace {

using namespace vg;
using vgtest::ControlScene;

TEST(GradientAngle, PlacesStartAndStopAndReadsTheAngleBack) {
  struct Case {
    float angle;
    TvgPoint start, stop;
    float readBack;
  };
  const float r = 0.5f * std::sqrt(2.f) * 0.5f * std::sqrt(2.f);  // c * k at 45 degrees: 0.5
  const Case cases[] = {
      {-90, {0.5f, 0}, {0.5f, 1}, 7},  // vertical: the angle shown stays as it was
      {0, {0, 0.5f}, {1, 0.5f}, 0},
      {45, {0.5f - r, 0.5f + r}, {0.5f + r, 0.5f - r}, 45},  // reaches the corners
      {135, {1, 1}, {0, 0}, -225},
      {10, {0, 0.5f + 0.0882f}, {1, 0.5f - 0.0882f}, 10},  // |1 / cos 10| = 1.015 reaches the sides
      {60, {0.2113f, 1}, {0.7887f, 0}, 60},  // |1 / cos 60| = 2 is too far: sin decides
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.angle);
    TvgGradient gradient;
    vgSetGradientAngle(gradient, c.angle);
    EXPECT_NEAR(gradient.StartPosition()->X(), c.start.X, 2e-3);
    EXPECT_NEAR(gradient.StartPosition()->Y(), c.start.Y, 2e-3);
    EXPECT_NEAR(gradient.StopPosition()->X(), c.stop.X, 2e-3);
    EXPECT_NEAR(gradient.StopPosition()->Y(), c.stop.Y, 2e-3);
    EXPECT_NEAR(vgGradientAngle(gradient, 7), c.readBack, 1e-3);
  }
}

// Each pixel tells its place: 0xFF00yyxx.
void Number(TvgBitmap& bitmap) {
  for (int y = 0; y < bitmap.Height(); ++y)
    for (int x = 0; x < bitmap.Width(); ++x) bitmap.Bits()[y * bitmap.Width() + x] = 0xFF000000u | (y << 8) | x;
}

TEST(BitmapCrop, TakesTheFrameDividedByTheScale) {
  TvgBitmap source(100, 80);
  Number(source);
  TvgBitmap cropped;
  vgCropBitmap(source, {20, 20, 60, 60}, 2, cropped);  // at scale 2: (10, 10) sized 20 x 20
  ASSERT_EQ(cropped.Width(), 20);
  ASSERT_EQ(cropped.Height(), 20);
  EXPECT_EQ(cropped.Bits()[0], 0xFF000000u | (10 << 8) | 10);
  EXPECT_EQ(cropped.Bits()[19 * 20 + 19], 0xFF000000u | (29 << 8) | 29);

  vgCropBitmap(source, {}, 2, cropped);  // no frame: the whole picture
  EXPECT_EQ(cropped.Width(), 100);
  EXPECT_EQ(cropped.Height(), 80);

  vgCropBitmap(source, {150, 140, 250, 200}, 2, cropped);  // past the edges: what lies on the picture
  EXPECT_EQ(cropped.Width(), 25);
  EXPECT_EQ(cropped.Height(), 10);
  EXPECT_EQ(cropped.Bits()[0], 0xFF000000u | (70 << 8) | 75);

  vgCropBitmap(source, {-20, -10, 20, 40}, 1, cropped);  // past the left and top edges
  EXPECT_EQ(cropped.Width(), 20);
  EXPECT_EQ(cropped.Height(), 40);
  EXPECT_EQ(cropped.Bits()[39 * 20 + 19], 0xFF000000u | (39 << 8) | 19);
}

TEST(BitmapResize, KeepsTheAspect) {
  EXPECT_FLOAT_EQ(vgKeepAspect(200, 100, 50), 25);  // width 200 -> 50 gives height 25
  EXPECT_FLOAT_EQ(vgKeepAspect(100, 200, 25), 50);
  EXPECT_FLOAT_EQ(vgKeepAspect(0, 30, 50), 30);
}

struct TabOrder : ControlScene {
  std::vector<TvgButton*> buttons;
  void SetUp() override {
    ControlScene::SetUp();
    for (const char* name : {"first", "second", ""}) {
      auto* button = Add<TvgButton>();
      button->SetName(name);
      buttons.push_back(button);
    }
  }
  std::vector<std::string> Listed(TvgTabOrderEditor& editor) {
    std::vector<std::string> names;
    for (int i = 0; i < editor.List()->Count(); ++i)
      names.push_back(rtl::Utf16ToUtf8(editor.List()->ItemByIndex(i)->Text()));
    return names;
  }
};

TEST_F(TabOrder, ListsTheSiblingsAndMovesTheChosenOne) {
  TvgBackground editorRoot(nullptr);
  TvgTabOrderEditor editor(editorRoot, *buttons[1], 400);
  EXPECT_EQ(editor.Window()->Text(), u"TabOrder Editor");
  EXPECT_EQ(Listed(editor), (std::vector<std::string>{"first", "second", "TvgButton"}));
  EXPECT_EQ(editor.List()->ItemIndex(), 1);

  editor.UpButton()->Click();
  EXPECT_LT(buttons[1]->GetTabOrder(), buttons[0]->GetTabOrder());
  EXPECT_EQ(Listed(editor), (std::vector<std::string>{"second", "first", "TvgButton"}));
  EXPECT_EQ(editor.List()->ItemIndex(), 0);

  editor.UpButton()->Click();  // already first
  EXPECT_EQ(Listed(editor), (std::vector<std::string>{"second", "first", "TvgButton"}));
  editor.DownButton()->Click();
  editor.DownButton()->Click();
  EXPECT_EQ(Listed(editor), (std::vector<std::string>{"first", "TvgButton", "second"}));
  EXPECT_EQ(editor.List()->ItemIndex(), 2);
  EXPECT_EQ(editor.UpButton()->Position()->X(), 330);
  EXPECT_EQ(editor.DownButton()->Position()->Y(), 90);
}

TEST_F(ControlScene, InsertingAButtonPlacesItAtTheMenuPointAndNamesItsText) {
  scene->SetDesigning(true);
  auto* layout = new TvgLayout(nullptr);
  layout->SetParent(root);
  layout->SetBounds(100, 50, 200, 200);
  scene->DoDesignSelect(layout);
  scene->SetPopupPos({130, 80});  // the null window: screen = client
  scene->InsertObject("TvgButton");
  ASSERT_EQ(layout->ChildrenCount(), 1);
  auto* button = dynamic_cast<TvgButton*>(layout->GetChild(0));
  ASSERT_NE(button, nullptr);
  EXPECT_EQ(button->Text(), u"Button");
  EXPECT_EQ(button->Position()->GetPoint(), (TvgPoint{30, 30}));
  EXPECT_EQ(scene->Selected(), button);
  EXPECT_EQ(scene->PopupPos(), (TvgPoint{-1, -1}));
}

TEST_F(ControlScene, ATabInsertedInTheDesignerGetsAPageAndIsSelected) {
  scene->SetDesigning(true);
  auto* tabs = Add<TvgTabControl>();
  scene->DoDesignSelect(tabs);
  const TvgDesignMenu menu = scene->DesignMenu();
  const TvgDesignMenuItem* add = vgFindDesignMenuItem(menu, "Add TabItem");
  ASSERT_NE(add, nullptr);
  EXPECT_EQ(add->hint, "TvgTabItem");
  add->onClick();
  scene->DoDesignSelect(tabs);
  vgFindDesignMenuItem(scene->DesignMenu(), "Add TabItem")->onClick();
  auto* second = dynamic_cast<TvgTabItem*>(scene->Selected());
  ASSERT_NE(second, nullptr);
  ASSERT_NE(second->Layout(), nullptr);
  EXPECT_EQ(second->Layout()->Parent(), tabs);
  scene->DoDesignSelect(second);
  EXPECT_EQ(tabs->ItemIndex(), second->Index());
}

}  // namespace
