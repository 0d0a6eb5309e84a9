// Value tracks, scroll bars and the progress bar on a real scene with the
// built-in style book.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <vector>

#include "tests/ui/controls/controls_fixture.h"

namespace {

using namespace vg;
using vgtest::ControlScene;
using ::testing::ElementsAre;
using ::testing::FloatEq;

struct Tracks : ControlScene {
  // A track of the built-in style whose thumb has no padding.
  TvgTrack* BareTrack(float width, float height, TvgOrientation orientation = vgHorizontal) {
    auto* track = Add<TvgTrack>();
    track->SetOrientation(orientation);
    track->SetBounds(0, 0, width, height);
    track->FindResource("thumb")->Visual()->Padding()->SetRect({0, 0, 0, 0});
    return track;
  }
  // Presses the thumb of `track` through the scene, moves the pointer by
  // each of `moves` along x and releases it.
  void DragThumb(TvgCustomTrack* track, const std::vector<float>& moves) {
    auto* thumb = dynamic_cast<TvgThumb*>(track->FindResource("thumb"));
    ASSERT_NE(thumb, nullptr);
    const TvgPoint p = thumb->LocalToAbsolute({thumb->Width() / 2, thumb->Height() / 2});
    scene->MouseMove(0, p.X, p.Y);
    scene->MouseDown(vgMouseLeft, vgLeftButton, p.X, p.Y);
    for (float dx : moves) scene->MouseMove(vgLeftButton, p.X + dx, p.Y);
    scene->MouseUp(vgMouseLeft, 0, p.X + (moves.empty() ? 0 : moves.back()), p.Y);
  }
};

TEST_F(Tracks, ValueSnapsHalvesToEvenAndClamps) {
  auto* track = Add<TvgTrackBar>();
  const struct {
    float frequency, value, stored;
  } cases[] = {{5, 12.5f, 10},  {5, 13, 15},  {10, 12.5f, 10}, {10, 15, 20}, {10, 25, 20},
               {0, 12.5f, 12.5f}, {0, 150, 100}, {0, -5, 0},     {30, 100, 90}};
  for (const auto& c : cases) {
    track->SetFrequency(0);
    track->SetValue(50);
    track->SetFrequency(c.frequency);
    track->SetValue(c.value);
    EXPECT_EQ(track->Value(), c.stored) << c.frequency << " " << c.value;
  }
}

TEST_F(Tracks, RangeChangesClampWithoutEvents) {
  auto* track = Add<TvgTrackBar>();
  int changes = 0;
  track->OnChange = [&changes](rtl::TObject*) { ++changes; };
  track->SetValue(80);
  EXPECT_EQ(changes, 1);
  track->SetMax(50);
  EXPECT_EQ(track->Value(), 50);
  track->SetMin(60);  // not clamped again until the next SetValue
  EXPECT_EQ(track->Value(), 50);
  EXPECT_EQ(changes, 1);
  track->SetValue(55);
  EXPECT_EQ(track->Value(), 60);
  track->SetMax(10);  // below Min
  EXPECT_FLOAT_EQ(track->Max(), 60.001f);

  auto* scroll = Add<TvgTrack>();
  scroll->SetViewportSize(20);
  scroll->SetValue(95);
  EXPECT_EQ(scroll->Value(), 80);
  scroll->SetViewportSize(150);
  EXPECT_EQ(scroll->ViewportSize(), 100);
  EXPECT_EQ(scroll->Value(), 0);
}

TEST_F(Tracks, ThumbRectangleShowsValueAndViewport) {
  const struct {
    TvgOrientation orientation;
    float viewport, value;
    TvgRect rect;
  } cases[] = {
      {vgHorizontal, 0, 50, {43, 0, 57, 15}},   // centred on the value
      {vgHorizontal, 0, 0, {0, 0, 14, 15}},     // pushed back inside
      {vgHorizontal, 0, 100, {86, 0, 100, 15}},
      {vgHorizontal, 20, 30, {30, 0, 50, 15}},  // as long as the viewport
      {vgHorizontal, 5, 0, {0, 0, 14, 15}},     // too short: widened
      {vgVertical, 20, 80, {0, 80, 15, 100}},
      {vgVertical, 0, 50, {0, 43, 15, 57}},
  };
  for (const auto& c : cases) {
    const bool horizontal = c.orientation == vgHorizontal;
    TvgTrack* track = BareTrack(horizontal ? 100 : 15, horizontal ? 15 : 100, c.orientation);
    track->SetViewportSize(c.viewport);
    track->SetValue(c.value);
    const TvgRect r = track->GetThumbRect();
    EXPECT_EQ(r, c.rect) << c.viewport << " " << c.value << " got " << r.Left << "," << r.Top << ","
                         << r.Right << "," << r.Bottom;
    auto* thumb = track->FindResource("thumb")->Visual();
    EXPECT_EQ(thumb->Position()->X(), c.rect.Left);
    EXPECT_EQ(thumb->Width(), c.rect.Right - c.rect.Left);
    track->Free();
  }
}

TEST_F(Tracks, ThumbPaddingAndParentMarginsShrinkOrGrowTheThumb) {
  TvgTrack* track = BareTrack(100, 15);
  auto* thumb = track->FindResource("thumb")->Visual();
  thumb->Padding()->SetRect({0, -2, 0, -2});
  thumb->Parent()->Visual()->Margins()->SetRect({1, 1, 1, 1});
  track->SetValue(50);
  EXPECT_EQ(track->GetThumbRect(), (TvgRect{44, -1, 56, 16}));
  EXPECT_EQ(thumb->Height(), 17);
  track->SetMin(200);  // an empty range: the whole track
  EXPECT_EQ(track->GetThumbRect(), track->GetLocalRect());
}

TEST_F(Tracks, KeysStepByFrequencyAndAreConsumed) {
  auto* track = Add<TvgTrackBar>();
  const struct {
    std::uint16_t key;
    float frequency, from, to;
    bool consumed;
  } cases[] = {{35, 0, 50, 100, true}, {36, 0, 50, 0, true},  {37, 0, 50, 49, true}, {38, 5, 50, 55, true},
               {39, 0, 50, 51, true},  {40, 5, 50, 45, true}, {65, 0, 50, 50, false}};
  for (const auto& c : cases) {
    track->SetFrequency(c.frequency);
    track->SetValue(c.from);
    std::uint16_t key = c.key;
    char16_t ch = 0;
    track->KeyDown(key, ch, 0);
    EXPECT_EQ(track->Value(), c.to) << c.key;
    EXPECT_EQ(key == 0, c.consumed) << c.key;
  }
  int changes = 0;
  track->SetTracking(false);
  track->SetValue(0);
  track->OnChange = [&changes](rtl::TObject*) { ++changes; };
  std::uint16_t home = 36;
  char16_t ch = 0;
  track->KeyDown(home, ch, 0);  // reported again although unchanged
  EXPECT_EQ(changes, 1);
}

TEST_F(Tracks, ArrowKeysMoveTheThumbTheWayTheyPointOnScreen) {
  enum : std::uint16_t { kLeft = 37, kUp = 38, kRight = 39, kDown = 40 };
  auto* holder = new TvgLayout(nullptr);
  holder->SetParent(root);
  holder->SetBounds(100, 100, 200, 200);
  auto* track = new TvgTrackBar(nullptr);
  track->SetParent(holder);
  track->SetFrequency(5);
  track->ApplyResource();
  TvgVisualObject* thumb = track->FindResource("thumb")->Visual();
  const struct {
    TvgOrientation orientation;
    float holderAngle, ownAngle;
    std::uint16_t key;
  } cases[] = {
      {vgHorizontal, 0, 0, kRight},   {vgHorizontal, 0, 0, kLeft},   {vgHorizontal, 0, 180, kRight},
      {vgHorizontal, 0, 180, kLeft},  {vgHorizontal, 90, 0, kUp},    {vgHorizontal, 90, 0, kDown},
      {vgVertical, 0, 0, kUp},        {vgVertical, 0, 0, kDown},     {vgVertical, 0, -180, kUp},
      {vgVertical, 0, -180, kDown},   {vgVertical, 90, 90, kUp},     {vgVertical, 180, 0, kDown},
      {vgVertical, 0, 90, kLeft},     {vgVertical, 0, 90, kRight},
  };
  for (const auto& c : cases) {
    track->SetOrientation(c.orientation);
    if (c.orientation == vgHorizontal)
      track->SetBounds(20, 90, 150, 15);
    else
      track->SetBounds(90, 20, 15, 150);
    holder->SetRotateAngle(c.holderAngle);
    track->SetRotateAngle(c.ownAngle);
    track->SetValue(50);
    const TvgPoint before = thumb->LocalToAbsolute({0, 0});
    std::uint16_t key = c.key;
    char16_t ch = 0;
    track->KeyDown(key, ch, 0);
    const TvgPoint after = thumb->LocalToAbsolute({0, 0});
    const float moved = c.key == kLeft || c.key == kRight ? after.X - before.X : after.Y - before.Y;
    const float wanted = c.key == kRight || c.key == kDown ? 1 : -1;
    EXPECT_GT(moved * wanted, 0.5f) << c.orientation << " " << c.holderAngle << " " << c.ownAngle << " key " << c.key;
  }
  // The keys across a horizontal track: Up goes as Right does, Down as Left.
  holder->SetRotateAngle(0);
  track->SetRotateAngle(0);
  track->SetOrientation(vgHorizontal);
  track->SetValue(50);
  for (const auto& [key, value] : {std::pair<std::uint16_t, float>{kUp, 55}, {kDown, 50}}) {
    std::uint16_t pressed = key;
    char16_t ch = 0;
    track->KeyDown(pressed, ch, 0);
    EXPECT_EQ(track->Value(), value) << key;
  }
}

TEST_F(Tracks, WithoutTrackingADragReportsOnceOnRelease) {
  auto* track = Add<TvgTrackBar>();
  track->SetBounds(50, 50, 100, 15);
  track->SetValue(50);
  track->SetTracking(false);
  std::vector<float> changes, tracking;
  track->OnChange = [&](rtl::TObject*) { changes.push_back(track->Value()); };
  track->OnTracking = [&](rtl::TObject*) { tracking.push_back(track->Value()); };
  DragThumb(track, {10, 20});
  EXPECT_THAT(tracking, ElementsAre(FloatEq(60), FloatEq(70), FloatEq(70)));
  EXPECT_THAT(changes, ElementsAre(FloatEq(70)));
  EXPECT_TRUE(track->IsFocused());
  EXPECT_FALSE(track->GetIsTracking());

  track->SetTracking(true);
  changes.clear();
  DragThumb(track, {-20});
  EXPECT_THAT(changes, ElementsAre(FloatEq(50)));

  // The release reports any final value, 65535 too.
  track->SetMax(100000);
  track->SetValue(65535);
  track->SetTracking(false);
  changes.clear();
  DragThumb(track, {});
  EXPECT_THAT(changes, ElementsAre(FloatEq(65535)));
}

TEST_F(Tracks, PressBesideTheThumbJumpsOrPages) {
  auto* bar = Add<TvgTrackBar>();
  bar->SetBounds(0, 100, 100, 15);
  scene->MouseDown(vgMouseLeft, vgLeftButton, 80, 107);
  scene->MouseUp(vgMouseLeft, 0, 80, 107);
  EXPECT_EQ(bar->Value(), 80);

  TvgTrack* scroll = BareTrack(100, 15);
  scroll->Position()->SetPoint({0, 200});
  scroll->SetViewportSize(20);
  scroll->SetValue(10);
  scene->MouseDown(vgMouseLeft, vgLeftButton, 90, 207);
  scene->MouseUp(vgMouseLeft, 0, 90, 207);
  EXPECT_EQ(scroll->Value(), 30);
}

TEST_F(Tracks, DataIsTheValue) {
  auto* track = Add<TvgTrackBar>();
  track->SetMin(5);
  int changes = 0;
  track->SetData(EventToVariant([&changes](rtl::TObject*) { ++changes; }));
  track->SetData(rtl::Variant(40));
  EXPECT_EQ(track->GetData(), rtl::Variant(40.0));
  track->SetData(rtl::Variant(u"forty"));
  EXPECT_EQ(track->Value(), 5);
  EXPECT_EQ(changes, 2);
}

TEST_F(Tracks, ScrollBarKeepsItsPartsInStep) {
  auto* bar = Add<TvgScrollBar>();
  bar->SetViewportSize(20);
  int changes = 0;
  bar->OnChange = [&changes](rtl::TObject*) { ++changes; };
  bar->SetValue(30);
  auto* htrack = dynamic_cast<TvgCustomTrack*>(bar->FindResource("htrack"));
  auto* vtrack = dynamic_cast<TvgCustomTrack*>(bar->FindResource("vtrack"));
  ASSERT_TRUE(htrack && vtrack);
  EXPECT_EQ(htrack->Value(), 30);
  EXPECT_EQ(htrack->ViewportSize(), 20);
  EXPECT_TRUE(htrack->Visible());
  EXPECT_FALSE(vtrack->Visible());
  EXPECT_FALSE(htrack->CanFocused());

  bar->FindResource("rightbutton")->Visual()->Click();
  EXPECT_EQ(bar->Value(), 31);
  bar->SetSmallChange(5);
  bar->FindResource("leftbutton")->Visual()->Click();
  EXPECT_EQ(bar->Value(), 26);
  EXPECT_FALSE(bar->FindResource("topbutton")->Visual()->Visible());

  htrack->SetValue(60);  // the user moves the track
  EXPECT_EQ(bar->Value(), 60);
  EXPECT_EQ(changes, 4);

  bar->SetOrientation(vgVertical);
  EXPECT_TRUE(vtrack->Visible());
  EXPECT_FALSE(htrack->Visible());
  EXPECT_EQ(vtrack->Orientation(), vgVertical);
  EXPECT_TRUE(bar->FindResource("bottombutton")->Visual()->Visible());

  bar->SetValue(95);
  EXPECT_EQ(bar->Value(), 80);
  bar->SetViewportSize(150);
  EXPECT_EQ(bar->ViewportSize(), 100);
  EXPECT_EQ(bar->Value(), 0);
  EXPECT_EQ(Add<TvgSmallScrollBar>()->Height(), 8);
}

TEST_F(Tracks, ProgressIndicatorGrowsWithTheValueAndHidesWhenTiny) {
  auto* bar = Add<TvgProgressBar>();
  bar->SetBounds(0, 0, 124, 20);
  auto* indicator = bar->FindResource("hindicator")->Visual();
  const struct {
    float value, width;
    bool visible;
  } cases[] = {{50, 60, true},  {100, 120, true}, {1, 1.2f, false}, {2.5f, 3, true},
               {0, 0, false},   {150, 120, true}, {-20, 0, false}};  // past either end: held in the track
  for (const auto& c : cases) {
    bar->SetValue(c.value);
    EXPECT_FLOAT_EQ(indicator->Width(), c.width) << c.value;
    EXPECT_EQ(indicator->Visible(), c.visible) << c.value;
  }
  EXPECT_FALSE(bar->FindResource("vindicator")->Visual()->Visible());
  EXPECT_FALSE(bar->FindResource("vtrack")->Visual()->Visible());

  bar->SetValue(50);
  bar->SetMax(200);  // alone it does not re-measure
  EXPECT_FLOAT_EQ(indicator->Width(), 60);
  bar->SetValue(100);
  EXPECT_FLOAT_EQ(indicator->Width(), 60);
  bar->SetValue(150);
  EXPECT_FLOAT_EQ(indicator->Width(), 90);

  bar->SetMin(200);  // an empty range leaves the indicator
  bar->SetValue(10);
  EXPECT_FLOAT_EQ(indicator->Width(), 90);
}

}  // namespace
