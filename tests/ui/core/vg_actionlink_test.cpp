#include "ui/core/vg_actionlink.h"

#include <gtest/gtest.h>

#include "ui/core/vg_control.h"

using namespace vg;

namespace {

// Stands for the text controls, which the link knows by class name.
class TvgTextControl : public TvgControl {
  RTL_CLASS(TvgTextControl, TvgControl)
  using TvgControl::TvgControl;
  ~TvgTextControl() override { TearDown(); }
  const rtl::WideString& Text() const { return text_; }
  void SetText(const rtl::WideString& value) { text_ = value; }

 private:
  static void Publish(rtl::TPublisher<TvgTextControl>& p) {
    p.Property("Text", &TvgTextControl::Text, &TvgTextControl::SetText);
  }
  rtl::WideString text_;
};

struct Linked : ::testing::Test {
  TvgOwned<rtl::TAction> action{new rtl::TAction(nullptr)};
  TvgOwned<TvgTextControl> control{new TvgTextControl(nullptr)};
  int executed = 0;

  void SetUp() override {
    action->SetCaption(u"Go");
    action->SetHint(u"Starts");
    action->SetHelpKeyword("start");
    action->SetOnExecute([this](rtl::TObject*) { ++executed; });
    control->SetAction(action.get());
  }
};

}  // namespace

TEST_F(Linked, LinkingCopiesTheActionIntoTheControl) {
  EXPECT_EQ(control->Action(), action.get());
  EXPECT_EQ(control->Text(), u"Go");
  EXPECT_EQ(control->Hint(), u"Starts");
  EXPECT_EQ(control->HelpKeyword(), "start");
  control->OnClick(control.get());
  EXPECT_EQ(executed, 1);
}

TEST_F(Linked, ChangesReachTheControlOnlyWhileItsValueStillAgrees) {
  action->SetCaption(u"Run");
  EXPECT_EQ(control->Text(), u"Run");
  control->SetText(u"Mine");  // by hand
  action->SetCaption(u"Again");
  EXPECT_EQ(control->Text(), u"Mine");

  action->SetEnabled(false);
  action->SetVisible(false);
  EXPECT_FALSE(control->Enabled());
  EXPECT_FALSE(control->Visible());
  action->SetEnabled(true);
  EXPECT_TRUE(control->Enabled());
  control->SetVisible(true);  // by hand: no longer agrees
  action->SetVisible(true);    // agrees again from here
  action->SetVisible(false);
  EXPECT_FALSE(control->Visible());
  control->SetEnabled(false);
  action->SetHint(u"Still");   // other values keep following
  EXPECT_EQ(control->Hint(), u"Still");

  control->SetHelpContext(7);  // the help data no longer agree
  action->SetHelpKeyword("other");
  EXPECT_EQ(control->HelpKeyword(), "start");
  action->SetHint(u"New");
  EXPECT_EQ(control->Hint(), u"New");
}

TEST_F(Linked, TheHintIsAlwaysShownAndAFreedActionUnlinks) {
  rtl::WideString hint = u"Starts";
  EXPECT_TRUE(control->ActionLink()->DoShowHint(hint));
  action.reset();
  EXPECT_EQ(control->Action(), nullptr);
  control->SetAction(nullptr);
  EXPECT_EQ(control->ActionLink(), nullptr);
}
