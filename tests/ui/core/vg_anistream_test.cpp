#include <gtest/gtest.h>

#include <string>

#include "platform/rtl/Exceptions.h"
#include "platform/rtl/Streams.h"
#include "tests/support/vg_anim_fakes.h"
#include "ui/core/vg_ani.h"
#include "ui/core/vg_effects.h"

using namespace vg;

TEST(VgAnimationStreaming, StyleAnimationsAndEffectsReadAndWriteTheirProperties) {
  RegisterVGObjects("Core", {TvgVisualObject::StaticClass()});
  RegisterAnimationClasses();
  RegisterEffectClasses();
  const std::string text =
      "object Box: TvgVisualObject\n"
      "  object Hover: TvgColorAnimation\n"
      "    Duration = 0.3\n"
      "    Trigger = 'IsMouseOver=true'\n"
      "    TriggerInverse = 'IsMouseOver=false'\n"
      "    StartValue = '#FF102030'\n"
      "    StopValue = 'Red'\n"
      "    PropertyName = 'Fill.Color'\n"
      "  end\n"
      "  object Keys: TvgFloatKeyAnimation\n"
      "    PropertyName = 'Opacity'\n"
      "    Keys = <\n"
      "      item\n"
      "        Key = 0.5\n"
      "        Value = 2.0\n"
      "      end>\n"
      "  end\n"
      "  object Glow: TvgGlowEffect\n"
      "    Trigger = 'IsFocused=true'\n"
      "    Enabled = False\n"
      "    Softness = 20.0\n"
      "  end\n"
      "end\n";
  rtl::TStringStream input(text);
  TvgObject* box = CreateObjectFromStream(nullptr, input);
  ASSERT_NE(box, nullptr);
  ASSERT_EQ(box->ChildrenCount(), 3);
  auto* hover = dynamic_cast<TvgColorAnimation*>(box->GetChild(0));
  auto* keys = dynamic_cast<TvgFloatKeyAnimation*>(box->GetChild(1));
  auto* glow = dynamic_cast<TvgGlowEffect*>(box->GetChild(2));
  ASSERT_TRUE(hover && keys && glow);
  EXPECT_FLOAT_EQ(hover->Duration(), 0.3f);
  EXPECT_EQ(hover->TriggerInverse(), "IsMouseOver=false");
  EXPECT_EQ(hover->StopValue(), "#FFFF0000");
  ASSERT_EQ(keys->Keys()->Count(), 1);
  EXPECT_FLOAT_EQ(keys->Keys()->Keys(0)->Key(), 0.5f);
  EXPECT_FALSE(glow->Enabled());
  EXPECT_FLOAT_EQ(glow->Softness(), 9);  // clamped

  rtl::TStringStream output;
  box->SaveToStream(output);
  const std::string saved = output.DataString();
  EXPECT_NE(saved.find("Duration = 0.3"), std::string::npos);
  EXPECT_EQ(saved.find("Interpolation"), std::string::npos);  // defaults stay out
  EXPECT_NE(saved.find("Enabled = False"), std::string::npos);
  box->Free();
}

TEST(VgAnimationClock, WithoutAnInstalledClockTimersNeverTickAndWaitingIsRefused) {
  vgtest::FakeScene scene;
  TvgOwned<vgtest::FakeShape> node(new vgtest::FakeShape);
  node->SetNewScene(&scene);
  node->AnimateFloat("Opacity", 0, 0.1f);
  EXPECT_EQ(node->ChildrenCount(), 1);  // started; no loop will move it
  EXPECT_THROW(vgAniClock().WaitForEvent(), rtl::EInvalidOperation);
  bool fired = false;
  auto shot = vgStartOneShot(1, [&] { fired = true; });
  EXPECT_NE(shot, nullptr);
  EXPECT_FALSE(fired);
  vgFreeAniThread();
}
