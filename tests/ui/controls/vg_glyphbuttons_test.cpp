// Glyph buttons place their picture or path by layout; the state button
// shows one of three bitmaps by its state.
#include <gtest/gtest.h>

#include <string>

#include "tests/ui/controls/controls_fixture.h"

namespace {

using namespace vg;
using vgtest::ControlScene;

TEST_F(ControlScene, BitmapGlyphTakesItsPlaceOnlyWhenItHasAPicture) {
  auto* button = Add<TvgBitmapButton>();
  EXPECT_EQ(button->Width(), 50);
  EXPECT_EQ(button->Height(), 60);
  auto* image = dynamic_cast<TvgImage*>(button->FindResource("image"));
  ASSERT_NE(image, nullptr);
  EXPECT_EQ(image->Align(), vaNone);  // the empty 1 x 1 glyph
  EXPECT_EQ(button->FindResource("text")->Visual()->Padding()->Left(), 2);

  button->SetBitmapSpacing(3);
  TvgBitmap picture(32, 32);
  picture.Clear(0xFF20A040);
  const struct {
    TvgButtonLayout layout;
    TvgAlign align;
    float width, height;  // 0: left as the alignment makes it
    TvgRect padding;
  } cases[] = {{vgGlyphTop, vaTop, 0, 32, {2, 2, 2, 3}},    {vgGlyphLeft, vaLeft, 32, 0, {2, 2, 3, 2}},
               {vgGlyphRight, vaRight, 32, 0, {3, 2, 2, 2}}, {vgGlyphBottom, vaBottom, 0, 32, {2, 3, 2, 2}},
               {vgGlyphCenter, vaCenter, 32, 32, {3, 3, 3, 3}}};
  for (const auto& c : cases) {
    button->SetBitmapLayout(c.layout);
    button->SetBitmap(&picture);
    image = dynamic_cast<TvgImage*>(button->FindResource("image"));
    EXPECT_EQ(image->Align(), c.align) << int(c.layout);
    if (c.width) {
      EXPECT_EQ(image->Width(), c.width) << int(c.layout);
    }
    if (c.height) {
      EXPECT_EQ(image->Height(), c.height) << int(c.layout);
    }
    EXPECT_EQ(image->Padding()->GetRect(), c.padding) << int(c.layout);
    EXPECT_EQ(image->Bitmap()->Width(), 32);
  }
  auto* tool = Add<TvgToolButton>();
  EXPECT_FALSE(tool->CanFocused());
  EXPECT_EQ(tool->BitmapLayout(), vgGlyphTop);
}

TEST_F(ControlScene, PathGlyphCarriesThePathAndItsBrushes) {
  auto* button = Add<TvgPathButton>();
  TvgObject* owner = button->FindResource("pathowner");
  auto* path = dynamic_cast<TvgPath*>(button->FindResource("path"));
  ASSERT_TRUE(owner && path);
  EXPECT_EQ(owner->Visual()->Align(), vaNone);  // no points yet

  button->Path()->SetPathString("M 0,0 L 10,0 L 5,8 Z");
  EXPECT_EQ(owner->Visual()->Align(), vaLeft);
  EXPECT_EQ(owner->Visual()->Width(), 32);
  EXPECT_EQ(path->Data()->GetPathString(), button->Path()->GetPathString());
  EXPECT_EQ(path->Fill()->SolidColor(), 0xFFFFFFFFu);
  button->PathFill()->SetSolidColor(0xFF3D8EE6);
  button->SetPathStrokeThickness(2);
  EXPECT_EQ(path->Fill()->SolidColor(), 0xFF3D8EE6u);
  EXPECT_EQ(path->StrokeThickness(), 2);
  EXPECT_FALSE(Add<TvgToolPathButton>()->CanFocused());
}

TEST_F(ControlScene, StateButtonPaintsTheBitmapOfItsState) {
  auto* button = Add<TvgBitmapStateButton>();
  EXPECT_EQ(button->Width(), 64);
  button->Bitmap()->SetSize(16, 16);
  button->BitmapHot()->SetSize(20, 20);
  button->BitmapDown()->SetSize(200, 100);
  EXPECT_EQ(button->Showing(), button->Bitmap());
  button->MouseEnter();
  EXPECT_EQ(button->Showing(), button->BitmapHot());
  button->MouseDown(vgMouseLeft, vgLeftButton, 32, 32);
  EXPECT_EQ(button->Showing(), button->BitmapDown());

  auto* canvas = dynamic_cast<vgtest::RecordingCanvas*>(scene->Canvas());
  const struct {
    bool pressed;
    const char* dest;  // fitted bitmaps are drawn at their own size, centred
  } cases[] = {{false, "(22,22,42,42)"}, {true, "(0,16,64,48)"}};
  for (const auto& c : cases) {
    if (!c.pressed) button->MouseUp(vgMouseLeft, 0, 32, 32);
    canvas->Log.clear();
    button->Paint();
    ASSERT_EQ(canvas->Log.size(), 1u);
    EXPECT_NE(canvas->Log[0].find(c.dest), std::string::npos) << canvas->Log[0];
    if (!c.pressed) button->MouseDown(vgMouseLeft, vgLeftButton, 32, 32);
  }
}

}  // namespace
