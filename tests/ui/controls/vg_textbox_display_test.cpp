// Text boxes on a real window (run under xvfb-run) with the built-in style,
// the GDI+ canvas and the desktop's clipboard: key presses typed into the
// window, Chinese committed by the input method, and a copy from one box
// pasted into another through the clipboard; a spin box's held button
// repeating on the real timers; a number box clicked and typed into through
// the X server, as a user would. Saved as screenshots.
#include <gtest/gtest.h>
#include <gtk/gtk.h>

#include <string>

#include "platform/rtl/TextConvert.h"
#include "tests/support/gui_events.h"
#include "tests/support/gui_pump.h"
#include "tests/support/vg_scene_form.h"
#include "tests/support/window_shot.h"
#include "tests/ui/window/xtest_input.h"
#include "ui/controls/vg_controls.h"
#include "ui/window/vg_scenehost.h"

namespace vg {
namespace {

using namespace std::chrono_literals;
using test_support::PumpFor;
using test_support::PumpUntil;
using test_support::SendKey;
using test_support::Type;

class TextBoxOnScreen : public test_support::ControlsFormTest<> {
 protected:
  void SetUp() override {
    SetUpControlsForm(u"esctool text box");
  }
  void Show(int width, int height) {
    root->SetBounds(0, 0, width, height);
    ASSERT_NO_FATAL_FAILURE(ShowForm(width, height));
    form->ClientWindow()->SetFocus();
  }
  template <class T = TvgTextBox>
  T* AddBox(float y, const char16_t* text) {
    auto* box = new T(nullptr);
    box->SetParent(root);
    box->SetBounds(20, y, 260, 24);
    box->SetText(text);
    return box;
  }
  void Click(TvgCustomTextBox* box) {
    const TvgPoint p = box->LocalToAbsolute({box->Width() - 4, box->Height() / 2});
    scene->MouseDown(vgMouseLeft, vgLeftButton, p.X, p.Y);
    scene->MouseUp(vgMouseLeft, 0, p.X, p.Y);
  }
  void TypeKeys(std::initializer_list<unsigned> keys, unsigned state = 0) {
    for (unsigned key : keys) Type(form->Handle(), key, state);
    PumpFor(20ms);
  }
  // The simple input method composes a character from its hex code:
  // Ctrl+Shift+U, the digits, then space.
  void Compose(std::initializer_list<unsigned> hexDigits) {
    GtkWidget* window = form->Handle();
    SendKey(window, GDK_KEY_U, GDK_CONTROL_MASK | GDK_SHIFT_MASK);
    SendKey(window, GDK_KEY_U, GDK_CONTROL_MASK | GDK_SHIFT_MASK, false);
    SendKey(window, GDK_KEY_Shift_L, GDK_CONTROL_MASK | GDK_SHIFT_MASK, false);
    SendKey(window, GDK_KEY_Control_L, GDK_CONTROL_MASK, false);
    for (unsigned key : hexDigits) Type(window, key);
    Type(window, GDK_KEY_space);
    PumpFor(20ms);
  }
};

TEST_F(TextBoxOnScreen, TypingComposingAndAClipboardRoundTrip) {
  TvgTextBox* name = AddBox(20, u"ESC ");
  TvgTextBox* copy = AddBox(60, u"");
  TvgTextBox* secret = AddBox(100, u"hidden");
  secret->SetPassword(true);
  Show(300, 150);

  Click(name);
  ASSERT_TRUE(name->IsFocused());
  EXPECT_EQ(name->GetSelText(), u"ESC ") << "entering selects everything";
  TypeKeys({GDK_KEY_End, GDK_KEY_4, GDK_KEY_0, GDK_KEY_A, GDK_KEY_space});
  EXPECT_EQ(name->Text(), u"ESC 40A ");
  Compose({GDK_KEY_4, GDK_KEY_e, GDK_KEY_2, GDK_KEY_d});
  Compose({GDK_KEY_6, GDK_KEY_5, GDK_KEY_8, GDK_KEY_7});
  EXPECT_EQ(name->Text(), u"ESC 40A \u4e2d\u6587");
  EXPECT_EQ(name->CaretPosition(), 10);

  TypeKeys({GDK_KEY_a, GDK_KEY_c}, GDK_CONTROL_MASK);
  GtkClipboard* clipboard = gtk_clipboard_get(GDK_SELECTION_CLIPBOARD);
  gchar* held = gtk_clipboard_wait_for_text(clipboard);
  ASSERT_NE(held, nullptr);
  EXPECT_STREQ(held, "ESC 40A \u4e2d\u6587");
  g_free(held);

  Click(copy);
  ASSERT_TRUE(copy->IsFocused());
  TypeKeys({GDK_KEY_v}, GDK_CONTROL_MASK);
  EXPECT_EQ(copy->Text(), name->Text());

  TypeKeys({GDK_KEY_Home});
  TypeKeys({GDK_KEY_Right, GDK_KEY_Right, GDK_KEY_Right}, GDK_SHIFT_MASK);
  EXPECT_EQ(copy->GetSelText(), u"ESC");
  PumpFor(300ms);
  EXPECT_TRUE(test_support::SaveWindowShot(form->Handle(), "textbox_editing"));
}

TEST_F(TextBoxOnScreen, AHeldSpinButtonRepeatsOnTheRealTimers) {
  auto* spin = AddBox<TvgSpinBox>(20, u"");
  spin->SetMax(100);
  spin->SetPostfix(u" %");
  spin->SetValue(20);
  auto* number = AddBox<TvgNumberBox>(60, u"");
  number->SetValueType(vgValueFloat);
  number->SetValue(1.25f);
  Show(300, 100);

  const TvgPoint plus = spin->LocalToAbsolute({spin->Width() - 10, spin->Height() / 2});
  scene->MouseDown(vgMouseLeft, vgLeftButton, plus.X, plus.Y);
  PumpFor(400ms);
  EXPECT_FLOAT_EQ(spin->Value(), 20) << "nothing before half a second";
  PumpFor(700ms);
  scene->MouseUp(vgMouseLeft, 0, plus.X, plus.Y);
  EXPECT_GE(spin->Value(), 22) << "repeats once held past half a second, plus the click";
  const float released = spin->Value();
  PumpFor(300ms);
  EXPECT_FLOAT_EQ(spin->Value(), released) << "the release stops the repeat";
  EXPECT_EQ(spin->Text(), rtl::Utf8ToUtf16(std::to_string(int(released)) + " %"));
  EXPECT_TRUE(test_support::SaveWindowShot(form->Handle(), "spinbox_numberbox"));
}

TEST_F(TextBoxOnScreen, ANumberBoxClickedAndTypedIntoTakesTheTypedNumber) {
  auto* number = AddBox<TvgNumberBox>(20, u"");
  number->SetValueType(vgValueFloat);
  number->SetMax(1000);
  TvgTextBox* other = AddBox(60, u"elsewhere");
  Show(300, 100);
  const struct {
    std::initializer_list<unsigned> keys;
    float value;
  } cases[] = {{{GDK_KEY_4, GDK_KEY_2}, 42},
               {{GDK_KEY_1, GDK_KEY_2, GDK_KEY_period, GDK_KEY_3, GDK_KEY_4, GDK_KEY_5, GDK_KEY_6, GDK_KEY_a, GDK_KEY_b},
                12.3456f}};
  const gui::TPoint client = form->ClientWindow()->ClientToScreen({0, 0});
  for (const auto& c : cases) {
    other->SetFocus();
    number->SetValue(12.5f);
    PumpFor(50ms);
    const TvgPoint p = number->LocalToAbsolute({number->Width() / 2, number->Height() / 2});
    test_support::ClickAt(client.X + int(p.X), client.Y + int(p.Y));
    ASSERT_TRUE(PumpUntil([&] { return number->IsFocused(); }, 2000ms));
    PumpFor(50ms);
    for (unsigned key : c.keys) test_support::TypeKey(key);
    test_support::TypeKey(GDK_KEY_Return);
    PumpUntil([&] { return number->Value() != 12.5f; }, 2000ms);
    EXPECT_FLOAT_EQ(number->Value(), c.value) << rtl::Utf16ToUtf8(number->Text());
  }
  PumpFor(200ms);
  EXPECT_TRUE(test_support::SaveWindowShot(form->Handle(), "numberbox_typed"));
}

}  // namespace
}  // namespace vg
