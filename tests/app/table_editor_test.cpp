// The table editor's bars: the table never falls, two changed bars with the
// check box on fill the bars between them, the value step snaps, and the
// value labels follow the bars.
#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "app/TableEditorForm.h"
#include "app/FrequencyEditorForm.h"
#include "platform/rtl/DebugOutput.h"
#include "platform/rtl/TextConvert.h"

namespace app_test {
void StartDialogs();
}

namespace app {
namespace {

class TableEditor : public ::testing::Test {
 protected:
  void SetUp() override {
    app_test::StartDialogs();
    form_.reset(new TfrmAdjust(nullptr));
  }
  // Builds `count` bars and sets them as the launcher does, in index order.
  void Open(int count, int min, int max, const std::vector<int>& values, float step = 1) {
    form_->BuildTracks(count, min, max);
    for (int i = 0; i < count && i < static_cast<int>(values.size()); ++i) {
      form_->Bar(i).SetValue(static_cast<float>(values[static_cast<std::size_t>(i)]));
      form_->Bar(i).SetFrequency(step);
    }
  }
  std::vector<int> Slice(int from, int to) const {
    const std::vector<int> all = form_->Values();
    return {all.begin() + from, all.begin() + to + 1};
  }
  std::string ValueLabel(int i) const {
    return rtl::Utf16ToUtf8(form_->Node<vg::TvgLabel>("lbl" + std::to_string(i))->Text());
  }

  struct Free {
    void operator()(TfrmAdjust* form) const { form->Free(); }
  };
  std::unique_ptr<TfrmAdjust, Free> form_;
};

std::vector<int> Steps(int from, int step, int count) {
  std::vector<int> values;
  for (int i = 0; i < count; ++i) values.push_back(from + step * i);
  return values;
}

TEST_F(TableEditor, ABarNeitherFallsBelowItsPredecessorNorLeavesLaterBarsBelowIt) {
  Open(256, 0, 255, Steps(0, 1, 256));
  form_->Bar(10).SetValue(3);
  EXPECT_EQ(Slice(8, 11), (std::vector<int>{8, 9, 9, 11}));
  form_->Bar(10).SetValue(14);
  EXPECT_EQ(Slice(9, 16), (std::vector<int>{9, 14, 14, 14, 14, 14, 15, 16}));
  EXPECT_EQ(rtl::Utf16ToUtf8(form_->Label65->Text()), "14");
  EXPECT_EQ(ValueLabel(12), "14");
  EXPECT_EQ(rtl::Utf16ToUtf8(form_->Bar(12).Hint()), "14");
}

TEST_F(TableEditor, AStoredTableThatFallsIsShownRaised) {
  std::vector<int> values = Steps(0, 2, 256);
  values[40] = 5;
  Open(256, 0, 255, values);
  EXPECT_EQ(Slice(39, 41), (std::vector<int>{78, 78, 82}));
}

TEST_F(TableEditor, TwoChangesWithTheCheckBoxOnFillTheBarsBetween) {
  for (bool upwards : {true, false}) {
    SCOPED_TRACE(upwards);
    form_.reset(new TfrmAdjust(nullptr));
    Open(64, 0, 255, std::vector<int>(64, 0));
    form_->CheckBox1->SetIsChecked(true);
    form_->CheckBox1Click(form_->CheckBox1);
    if (upwards) {
      form_->Bar(4).SetValue(100);
      form_->Bar(14).SetValue(200);
    } else {
      form_->Bar(14).SetValue(200);
      form_->Bar(4).SetValue(100);
    }
    EXPECT_EQ(Slice(4, 14), Steps(100, 10, 11));
  }
}

TEST_F(TableEditor, ClickingTheCheckBoxForgetsTheFirstBarOfAPair) {
  Open(64, 0, 255, std::vector<int>(64, 0));
  form_->CheckBox1->SetIsChecked(true);
  form_->CheckBox1Click(form_->CheckBox1);
  form_->Bar(4).SetValue(100);
  form_->CheckBox1Click(form_->CheckBox1);
  form_->Bar(14).SetValue(200);
  EXPECT_EQ(Slice(4, 6), (std::vector<int>{100, 100, 100}));
  form_->Bar(20).SetValue(230);  // pairs with bar 14
  EXPECT_EQ(Slice(14, 20), (std::vector<int>{200, 205, 210, 215, 220, 225, 230}));
}

TEST_F(TableEditor, RpmBarsMoveInStepsOfFiftyWithinTheirRange) {
  Open(64, 1000, 30000, Steps(1000, 100, 64), 50);
  EXPECT_EQ(form_->Values()[3], 1300);  // loaded before the step was set
  form_->Bar(0).SetValue(1234);
  EXPECT_EQ(Slice(0, 3), (std::vector<int>{1250, 1250, 1250, 1300}));
  struct Case {
    float set;
    int shown;
  } cases[] = {{1275, 1300}, {1225, 1200}, {40000, 30000}, {10, 1000}};
  for (const Case& c : cases) {
    form_->Bar(0).SetValue(c.set);
    EXPECT_EQ(form_->Values()[0], c.shown) << c.set;
  }
}

TEST_F(TableEditor, ValueLabelsShowTheBarsFromTheStart) {
  Open(256, 0, 255, std::vector<int>(256, 0));
  EXPECT_EQ(ValueLabel(0), "0");
  EXPECT_EQ(ValueLabel(255), "0");
  form_->Bar(0).SetValue(1);
  EXPECT_EQ(ValueLabel(255), "1");
  EXPECT_EQ(form_->Label1->Text(), u"255");
  EXPECT_EQ(form_->Label2->Text(), u"0");
}

}  // namespace
}  // namespace app

namespace app {
namespace {

// The editors' forms read without a property error (a lenient read reports
// each on the debug output).
TEST(EditorForms, ReadWithoutErrors) {
  app_test::StartDialogs();
  std::vector<std::string> errors;
  const rtl::TDebugSink previous = rtl::SetDebugSink([&](const std::string& line) { errors.push_back(line); });
  for (gui::TForm* form : std::initializer_list<gui::TForm*>{new TfrmGraph(nullptr), new TfrmGraph2(nullptr),
                                                             new TfrmAdjust(nullptr)})
    form->Free();
  rtl::SetDebugSink(previous);
  EXPECT_EQ(errors, std::vector<std::string>{});
}

}  // namespace
}  // namespace app
