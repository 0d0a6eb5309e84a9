// Every text of the windows fits its place, in both languages, with the
// shipped lang.ini: the main window's pages (the parameter pages of every
// simulated model and the link adapter's pages among them), the race sheet,
// the curve, frequency and table editors and the dialogs on screen under
// Xvfb. A text that leaves its box or lies on another control fails; so does
// a Chinese text in the English window. Screenshots are saved for a person
// to look at.
#include <chrono>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <string>
#include <tuple>
#include <vector>

#include "app/AboutForm.h"
#include "app/AdapterChooserForm.h"
#include "app/CurveEditorForm.h"
#include "app/FrequencyEditorForm.h"
#include "app/HelpCommands.h"
#include "app/InfoForm.h"
#include "app/MainFormDevice.h"
#include "app/MainFormParams.h"
#include "app/MainWindowServices.h"
#include "app/ProgressForm.h"
#include "app/RaceSheet.h"
#include "app/TableEditorForm.h"
#include "app/UpdateForm.h"
#include "platform/hid/SimModels.h"
#include "platform/rtl/TextConvert.h"
#include "tests/app/main_form_fixture.h"
#include "tests/app/when_shown.h"
#include "tests/support/gui_pump.h"
#include "tests/support/text_extent.h"
#include "tests/support/window_shot.h"
#include "ui/controls/vg_combobox.h"
#include "ui/controls/vg_listbox.h"

namespace app {
namespace {

using namespace std::chrono_literals;
using testing::MainFormTest;

// Room an entry leaves in its face, so that it touches neither the box's
// edge nor the arrow.
constexpr float kFaceRoom = 4;

// Every entry of the shown drop-down lists under `root` that does not fit,
// with room to spare, the face it shows in when chosen (the box less its arrow).
std::vector<std::string> EntriesTooWideForTheirFace(vg::TvgObject& root) {
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
      if (canvas.TextWidth(entry) + kFaceRoom > face->Width())
        found.push_back(list->Name() + " \"" + rtl::Utf16ToUtf8(entry) + "\" does not fit its face");
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

  // What a person could not read on a dialog that `open` runs modally; the
  // dialog is closed once looked at.
  template <class Form>
  std::vector<std::string> UnreadableModal(const std::string& shot, const std::function<void()>& open) {
    std::vector<std::string> found;
    app_test::WhenShown<Form> look(*form, [&](Form& dialog) {
      found = Unreadable(dialog, shot);
      dialog.Close();
    });
    open();
    EXPECT_TRUE(look.Done()) << shot;
    return found;
  }

  // Whether the shown page holds anything (a model has fewer pages than
  // the window has places for).
  bool PageHasContent() {
    auto* page = form->Node<vg::TvgVisualObject>("tabLayout" + std::to_string(form->VisiblePage()));
    return page && !page->Children().empty();
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

// The pages of every simulated model with pages, as the description its
// identity chooses builds them, with every entry of their drop-down lists.
TEST_P(TextsFit, ParameterPages) {
  for (const char* model : {"AIRPLANE", "AIRPLANE_V2", "AIRPLANE_ESC", "Corvanel_V4", "CAR_ESC", "CAR_ESC_BSD",
                            "CAR_ESC_QV4", "CAR_ESC_KZ"}) {
    SCOPED_TRACE(model);
    const hid::SimModel* identity = hid::FindSimModel(model);
    ASSERT_NE(identity, nullptr);
    auto& texts = form->Device().State().DeviceInfoStrings;
    texts[device::kController] = identity->controller;
    texts[device::kHardware] = identity->hardware;
    texts[device::kFirmware] = identity->firmware;
    form->Params().LoadDeviceDescription("");
    form->Params().BuildParameterPages();
    for (int item = 2; item <= 7; ++item) {
      SCOPED_TRACE(item);
      form->ShowPageItem(item);
      if (!PageHasContent()) continue;
      const std::string shot = "text_fit_" + std::string(model) + "_page" + std::to_string(item);
      EXPECT_EQ(Unreadable(*form, shot), std::vector<std::string>{});
      EXPECT_EQ(EntriesTooWideForTheirFace(*form->ControlsScene->GetRoot()), std::vector<std::string>{});
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

// The link adapter's pages: its firmware upgrade (modes 2 to 4) and its
// speed controller settings (mode 5).
TEST_P(TextsFit, LinkAdapterPages) {
  form->Device().State().DeviceInfoStrings[device::kController] = "PORTAVEX";
  device::IFormComponents& menus = form->Device();
  for (auto [mode, item, page] : {std::tuple{3, 8, 12}, std::tuple{5, 11, 13}}) {
    SCOPED_TRACE(mode);
    menus.SetChecked("PORTAVEX" + std::to_string(mode), true);
    form->ShowPageItem(item);
    ASSERT_EQ(form->VisiblePage(), page);
    EXPECT_EQ(Unreadable(*form, "text_fit_link_page" + std::to_string(page)), std::vector<std::string>{});
    menus.SetChecked("PORTAVEX" + std::to_string(mode), false);
  }
}

// The dialogs, opened as the program opens them, with their texts.
TEST_P(TextsFit, Dialogs) {
  EXPECT_EQ(UnreadableModal<TfrmAbout>("text_fit_about", [&] { ShowAboutBox(form->Services()); }),
            std::vector<std::string>{});
  for (const char* key : {"AdapterDenied", "description_parameter_error", "description_error", "please_upgrade_soft",
                          "importerror", "default_fail"}) {
    EXPECT_EQ(UnreadableModal<TfrmInfo>(std::string("text_fit_info_") + key,
                                        [&] { form->ShowInfo(form->LangText(key, ""), device::IMessageSink::kInfoBox); }),
              std::vector<std::string>{});
  }
  device::IAdapterChooser& chooser = form->Device();
  EXPECT_EQ(UnreadableModal<TfrmHid>("text_fit_adapter_chooser",
                                     [&] { chooser.ShowModal({"1-1.2       FS adapter", "1-1.3       other"}); }),
            std::vector<std::string>{});
  for (bool database : {false, true}) {
    SCOPED_TRACE(database);
    const std::string kind = database ? "_database" : "_program";
    Owned<TfrmUpdate> offer{new TfrmUpdate(form, form->Services())};
    offer.form->PrepareOffer(database, "Faster reading of the settings.\nNew car controllers.", "http://localhost/p.zip",
                             std::vector<std::int64_t>{4096});
    EXPECT_EQ(Unreadable(*offer.form, "text_fit_update_offer" + kind), std::vector<std::string>{});
    Owned<TfrmUpdate> latest{new TfrmUpdate(form, form->Services())};
    latest.form->PrepareLatest(database);
    EXPECT_EQ(Unreadable(*latest.form, "text_fit_update_latest" + kind), std::vector<std::string>{});
  }
  form->Progress().Create(form->LangText("Process", ""), 240);
  form->Progress().SetValue(80);
  EXPECT_EQ(Unreadable(*form->Progress().Form(), "text_fit_progress"), std::vector<std::string>{});
  form->Progress().Free();
}

INSTANTIATE_TEST_SUITE_P(BothLanguages, TextsFit, ::testing::Values(false, true),
                         [](const ::testing::TestParamInfo<bool>& param) {
                           return std::string(param.param ? "English" : "Chinese");
                         });

}  // namespace
}  // namespace app
