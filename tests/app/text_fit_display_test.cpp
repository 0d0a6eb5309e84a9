// Every text of the windows fits its place, in both languages, with the
// shipped lang.ini: the main window's pages (the parameter pages of three
// sample models among them), the race sheet and the curve, frequency and
// table editors on screen under Xvfb. A text that leaves its box or lies on another
// control fails; so does a Chinese text in the English window. Screenshots
// are saved for a person to look at.
#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "app/CurveEditorForm.h"
#include "app/FrequencyEditorForm.h"
#include "app/MainFormParams.h"
#include "app/RaceSheet.h"
#include "app/TableEditorForm.h"
#include "platform/rtl/TextConvert.h"
#include "tests/app/main_form_fixture.h"
#include "tests/support/gui_pump.h"
#include "tests/support/text_extent.h"
#include "ui/controls/vg_combobox.h"
#include "ui/controls/vg_listbox.h"
#include "tests/support/window_shot.h"

namespace app {
namespace {

using namespace std::chrono_literals;
using testing::MainFormTest;

// Every entry of the shown drop-down lists under `root` that is wider than
// the face it shows in when chosen (the box less its arrow).
std::vector<std::string> EntriesWiderThanTheirFace(vg::TvgObject& root) {
  std::vector<std::string> found;
  test_support::text_extent::EachShown(root, [&](vg::TvgObject& node) {
    auto* list = dynamic_cast<vg::TvgStringComboBox*>(&node);
    if (!list || !test_support::text_extent::Shown(*list) || !list->GetCanvas() || !list->Selected()) return;
    auto* face = dynamic_cast<vg::TvgVisualObject*>(list->FindResource("Content"));
    if (!face) return;
    vg::TvgCanvas& canvas = *list->GetCanvas();
    canvas.Font()->Assign(list->Selected()->Font());
    for (int i = 0; i < list->Items()->Count(); ++i) {
      const rtl::WideString entry = list->Items()->Get(i);
      if (canvas.TextWidth(entry) > face->Width() + test_support::text_extent::kTolerance)
        found.push_back(list->Name() + " \"" + rtl::Utf16ToUtf8(entry) + "\" is wider than its face");
    }
  });
  return found;
}

class TextsFit : public MainFormTest, public ::testing::WithParamInterface<bool> {
 protected:
  void SetUp() override {
    MainFormTest::SetUp();
    const rtl::TBytes shipped =
        rtl::ReadFileBytes((std::filesystem::path(std::getenv("ESCTOOL_SOURCE_DIR")) / "data" / "lang.ini").string());
    std::string text(shipped.begin(), shipped.end());
    const std::size_t lang = text.find("\nlang=");
    ASSERT_NE(lang, std::string::npos);
    text[lang + 6] = English() ? '0' : '1';
    rtl::WriteFileBytes((folder / "lang.ini").string(), text);
    CreateOnScreen();
  }
  static bool English() { return GetParam(); }
  std::string Language() const { return English() ? "english" : "chinese"; }

  // What a person could not read on a scene form, shown on screen.
  std::vector<std::string> Unreadable(TSceneForm& window, const std::string& shot) {
    window.Show();
    test_support::PumpUntil([&] { return window.ControlsScene->DrawCount() > 0; }, 2000ms);
    test_support::PumpFor(100ms);
    EXPECT_TRUE(test_support::SaveWindowShot(window.Handle(), shot + "_" + Language()).has_value());
    std::vector<std::string> found = test_support::UnreadableTexts(*window.ControlsScene->GetRoot());
    if (English())
      for (const std::string& text : test_support::ChineseTexts(*window.ControlsScene->GetRoot()))
        found.push_back(text + " is Chinese");
    return found;
  }

  template <class Form>
  struct Owned {
    Form* form;
    ~Owned() { form->Free(); }
  };
};

TEST_P(TextsFit, TableEditor) {
  Owned<TfrmAdjust> editor{new TfrmAdjust(form)};
  editor.form->ControlsScene->SetStyle(form->ControlsScene->Style());
  editor.form->CheckBox1->SetText(rtl::W(form->LangText("btn_liner", "")));
  editor.form->btnOk->SetText(rtl::W(form->LangText("btn_Ok", "")));
  editor.form->btnCancel->SetText(rtl::W(form->LangText("btn_Cancel", "")));
  editor.form->BuildTracks(64, 0, 10000);
  for (int i = 0; i < 64; ++i) editor.form->Bar(i).SetValue(static_cast<float>(i * 150));
  EXPECT_EQ(editor.form->Label1->Text(), u"10000");
  EXPECT_EQ(Unreadable(*editor.form, "text_fit_table_editor"), std::vector<std::string>{});
  for (vg::TvgLabel* scale : {editor.form->Label1, editor.form->Label2})
    EXPECT_EQ(test_support::UnreadableTexts(*scale), std::vector<std::string>{});
}

TEST_P(TextsFit, CurveEditors) {
  Owned<TfrmGraph> rpm{new TfrmGraph(form)};
  Owned<TfrmGraph2> frequency{new TfrmGraph2(form)};
  const char* const rpmAxis[] = {"10000", "8750", "7500", "6250", "5000", "3750", "2500", "1250", "0"};
  const char* const pointAxis[] = {"1", "8", "16", "24", "32", "40", "48", "56", "64"};
  const char* const frequencyAxis[] = {"32k", "24k", "16k", "8k", "0k"};
  for (TCurveEditorForm* editor : {static_cast<TCurveEditorForm*>(rpm.form), static_cast<TCurveEditorForm*>(frequency.form)}) {
    editor->ControlsScene->SetStyle(form->ControlsScene->Style());
    editor->btnInit->SetText(rtl::W(form->LangText("btn_Init", "")));
    editor->btnOk->SetText(rtl::W(form->LangText("btn_Ok", "")));
    editor->btnCancel->SetText(rtl::W(form->LangText("btn_Cancel", "")));
    editor->Label3->SetText(English() ? u"Drag the points of the curve." : u"拖动曲线上的点。");
  }
  for (int i = 0; i < 9; ++i) {
    if (vg::TvgLabel* label = rpm.form->AxisLabel('y', i + 1)) label->SetText(rtl::W(rpmAxis[i]));
    if (vg::TvgLabel* label = rpm.form->AxisLabel('x', i + 1)) label->SetText(rtl::W(pointAxis[i]));
    if (vg::TvgLabel* label = frequency.form->AxisLabel('y', i + 1); label && i < 5)
      label->SetText(rtl::W(frequencyAxis[i]));
  }
  EXPECT_EQ(Unreadable(*rpm.form, "text_fit_curve_editor"), std::vector<std::string>{});
  EXPECT_EQ(Unreadable(*frequency.form, "text_fit_frequency_editor"), std::vector<std::string>{});
}

// The pages of three sample models as their descriptions build them, with
// every entry of their drop-down lists (the rotor-rpm calculator,
// Corvanel_V4's item 4, is left out here).
TEST_P(TextsFit, ParameterPages) {
  for (const char* model : {"CAR_ESC VALTORINE_456_A V1.0", "CAR_ESC QV4-ASD", "Corvanel_V4"}) {
    SCOPED_TRACE(model);
    form->Params().LoadDeviceDescription(model);
    form->Params().BuildParameterPages();
    for (int item = 2; item <= 7; ++item) {
      SCOPED_TRACE(item);
      if (std::string_view(model) == "Corvanel_V4" && item == 4) continue;
      form->ShowPageItem(item);
      std::string shot = "text_fit_" + std::string(model) + "_page" + std::to_string(item);
      std::replace(shot.begin(), shot.end(), ' ', '_');
      EXPECT_EQ(Unreadable(*form, shot), std::vector<std::string>{});
      EXPECT_EQ(EntriesWiderThanTheirFace(*form->ControlsScene->GetRoot()), std::vector<std::string>{});
    }
  }
}

TEST_P(TextsFit, RaceSheet) {
  Owned<TfrmInput> sheet{new TfrmInput(form)};
  if (form->SceneStyle) sheet.form->ControlsScene->SetStyle(form->SceneStyle);
  RaceSheetInputs inputs;
  inputs.langText = [this](const std::string& key, const std::string& fallback) {
    return form->LangText(key, fallback);
  };
  inputs.reportFile = "/reports/race day.pdf";
  inputs.firmwareVersion = "V1.0";
  inputs.today = "2026-12-11";
  FillRaceSheet(*sheet.form, inputs, form->LangIni());
  EXPECT_EQ(Unreadable(*sheet.form, "text_fit_race_sheet"), std::vector<std::string>{});
}

TEST_P(TextsFit, MainWindowPages) {
  for (int item : {1, 8, 9, 10}) {
    SCOPED_TRACE(item);
    form->ShowPageItem(item);
    EXPECT_EQ(Unreadable(*form, "text_fit_page" + std::to_string(item)), std::vector<std::string>{});
  }
}

INSTANTIATE_TEST_SUITE_P(BothLanguages, TextsFit, ::testing::Values(false, true),
                         [](const ::testing::TestParamInfo<bool>& param) {
                           return std::string(param.param ? "English" : "Chinese");
                         });

}  // namespace
}  // namespace app
