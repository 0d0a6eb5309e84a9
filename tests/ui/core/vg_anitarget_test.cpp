#include <gtest/gtest.h>

#include "platform/rtl/Component.h"
#include "ui/core/vg_anitarget.h"
#include "ui/core/vg_brush.h"

using namespace vg;

namespace {

enum TProbeState { psIdle, psBusy };
RTL_ENUM_NAMES(TProbeState, psIdle, psBusy)

// A node-like object with the kinds of properties animations and triggers meet.
class TProbe : public rtl::TComponent {
  RTL_CLASS(TProbe, rtl::TComponent)

  explicit TProbe(rtl::TComponent* owner = nullptr) : rtl::TComponent(owner) {}
  ~TProbe() override = default;

  TvgBrush* Fill() const { return fill_.get(); }
  TProbe* ParentProbe() const { return parent_; }
  float Opacity = 1;
  std::int32_t Number = 0;
  bool IsMouseOver = false;
  bool IsPressed = false;
  TProbeState State = psIdle;
  TProbe* parent_ = nullptr;

 private:
  static void Publish(rtl::TPublisher<TProbe>& p) {
    p.Property("Fill", &TProbe::Fill);
    p.Property("Opacity", &TProbe::Opacity);
    p.Property("Number", &TProbe::Number);
    p.Property("IsMouseOver", &TProbe::IsMouseOver).RunTimeOnly();
    p.Property("IsPressed", &TProbe::IsPressed).RunTimeOnly();
    p.Property("State", &TProbe::State);
    p.Property("Parent", &TProbe::ParentProbe).RunTimeOnly();
  }
  TvgOwned<TvgBrush> fill_{new TvgBrush(vgBrushSolid, 0xFF000000)};
};

}  // namespace

TEST(VgAnimatedProperty, DottedPathsResolveWithoutRegardToCase) {
  TProbe parent, node;
  node.parent_ = &parent;
  TvgAnimatedProperty target;

  target.Resolve(&node, "fill.COLOR");
  EXPECT_EQ(target.Instance(), node.Fill());
  ASSERT_TRUE(target.IsString());
  target.WriteColor(0xFF7F7F7F);
  EXPECT_EQ(node.Fill()->GetColor(), "#FF7F7F7F");

  target.Resolve(&node, "Parent.Opacity");
  EXPECT_EQ(target.Instance(), &parent);
  target.WriteFloat(0.25f);
  EXPECT_FLOAT_EQ(parent.Opacity, 0.25f);

  target.Resolve(&node, "Unknown.Opacity");  // an unknown hop stays on the node
  EXPECT_EQ(target.Instance(), &node);

  node.parent_ = nullptr;
  target.Resolve(&node, "Parent.Opacity");  // an empty hop ends with nothing
  EXPECT_EQ(target.Instance(), nullptr);
  target.WriteFloat(0.5f);
  float value = 0;
  EXPECT_FALSE(target.ReadFloat(value));
}

TEST(VgAnimatedProperty, ReadsAndWritesOnlyTheMatchingKind) {
  TProbe node;
  TvgAnimatedProperty target;
  target.Resolve(&node, "Number");
  target.WriteColor(0x12345678);
  EXPECT_EQ(node.Number, 0x12345678);
  TvgColor color = 0;
  EXPECT_TRUE(target.ReadColor(color));
  EXPECT_EQ(color, 0x12345678u);
  target.WriteFloat(3);  // not a float: nothing written
  EXPECT_EQ(node.Number, 0x12345678);

  target.Resolve(&node, "Opacitty");  // misspelt
  target.WriteFloat(0);
  float value = 0;
  EXPECT_FALSE(target.ReadFloat(value));
  EXPECT_FLOAT_EQ(node.Opacity, 1);

  target.Resolve(&node, "Fill");
  EXPECT_EQ(target.HeldObject(), node.Fill());
}

TEST(VgTriggers, AnimationsNeedAMatchAndNoMismatchEffectsTakeTheLastCondition) {
  TProbe node;
  node.IsMouseOver = true;
  struct Case {
    const char* trigger;
    const char* name;
    bool starts;
    bool enables;
  } cases[] = {
      {"IsMouseOver=true", "IsMouseOver", true, true},
      {"ismouseover=TRUE", "IsMouseOver", true, true},
      {"IsMouseOver=false", "IsMouseOver", false, false},
      {"IsMouseOver=true", "IsFocused", false, true},  // not named: animations stay
      {"IsMouseOver=true;IsPressed=true", "IsPressed", false, false},
      {"IsPressed=true;IsMouseOver=true", "IsPressed", false, true},  // the last one counts
      {"IsMissing=true", "IsMissing", false, false},                  // no such property
      {"IsMissing=true;IsMouseOver=true", "IsMouseOver", true, true},
      {"State=psBusy;IsMouseOver=true", "IsMouseOver", false, true},
      {"Opacity=1;IsMouseOver=true", "IsMouseOver", true, true},  // not an enumeration
  };
  for (const Case& c : cases) {
    EXPECT_EQ(vgTriggerStartsAnimation(&node, c.trigger, c.name), c.starts) << c.trigger;
    EXPECT_EQ(vgTriggerEnablesEffect(&node, c.trigger), c.enables) << c.trigger;
  }
  EXPECT_FALSE(vgTriggerStartsAnimation(nullptr, "IsMouseOver=true", "IsMouseOver"));
  EXPECT_TRUE(vgTriggerMentions("IsMouseOver=true", "ismouseover"));
  EXPECT_FALSE(vgTriggerMentions("", "IsMouseOver"));
}
