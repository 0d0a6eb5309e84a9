// The race-sheet form off screen: its header picture, the "Other" entries,
// Cancel, how it is filled from the texts and the kept choices, and what a
// confirmed sheet writes back to lang.ini.
#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <memory>
#include <tuple>

#include "app/RaceSheet.h"
#include "app/ScenePicture.h"
#include "platform/rtl/AtomicFile.h"
#include "platform/rtl/Streams.h"
#include "platform/rtl/TextConvert.h"
#include "tests/support/artifacts.h"
#include "tests/support/gui_fakes.h"

namespace app_test {
void StartDialogs();
}

namespace app {
namespace {

namespace fs = std::filesystem;

class RaceSheetTest : public ::testing::Test {
 protected:
  void SetUp() override {
    app_test::StartDialogs();
    form.reset(new TfrmInput(nullptr));
    inputs.langText = [this](const std::string& key, const std::string& fallback) {
      const auto text = texts.find(key);
      return text == texts.end() ? fallback : text->second;
    };
    inputs.reportFile = "/reports/race day.pdf";
    inputs.firmwareVersion = "V1.0";
    inputs.today = "2026-12-11";
  }

  // The decoded header picture.
  rtl::TBitmap Header() {
    rtl::TBitmap picture;
    form->HeaderPicture()->AssignTo(picture);
    return picture;
  }
  static bool SameArea(const rtl::TBitmap& a, const rtl::TBitmap& b, int left, int top, int right, int bottom) {
    for (int y = top; y < bottom; ++y)
      for (int x = left; x < right; ++x) {
        const rtl::TPaletteEntry p = a.PixelColor(x, y), q = b.PixelColor(x, y);
        if (std::abs(p.Red - q.Red) + std::abs(p.Green - q.Green) + std::abs(p.Blue - q.Blue) > 30) return false;
      }
    return true;
  }
  std::vector<bool> Checked() {
    std::vector<bool> checked;
    for (int n = 1; n <= TfrmInput::kRadioButtons; ++n) checked.push_back(form->RadioButton(n).IsChecked());
    return checked;
  }

  std::unique_ptr<TfrmInput, decltype([](TfrmInput* f) { f->Free(); })> form;
  std::map<std::string, std::string> texts;
  RaceSheetInputs inputs;
};

TEST_F(RaceSheetTest, HeaderPictureIsPanel1AsShownWithWhatWasTyped) {
  EXPECT_EQ(form->HeaderPicture(), nullptr);
  form->btnOkClick(nullptr);
  ASSERT_NE(form->HeaderPicture(), nullptr);
  EXPECT_EQ(form->HeaderPicture()->Width(), 749);
  EXPECT_EQ(form->HeaderPicture()->Height(), 248);
  EXPECT_EQ(form->HeaderPicture()->CompressionQuality(), 100);
  const rtl::TBitmap empty = Header();

  form->eMotor->SetText(u"540 13.5T");
  form->btnOkClick(nullptr);
  const rtl::TBitmap typed = Header();
  rtl::TFileStream shot((test_support::ArtifactDir() / "race_sheet_header.jpg").string(), rtl::fmCreate);
  form->HeaderPicture()->SaveToStream(shot);
  // eMotor lies at (468, 93) in the header; the rows above it, beyond the
  // JPEG blocks it shares, are unchanged.
  EXPECT_FALSE(SameArea(empty, typed, 470, 95, 606, 111));
  EXPECT_TRUE(SameArea(empty, typed, 0, 0, 749, 64));
}

// Typing a long entry scrolls its box to the caret at the end; the sheet is
// pictured, and left, with the entry shown from its first character.
TEST_F(RaceSheetTest, LongEntryIsPicturedFromItsFirstCharacter) {
  const rtl::WideString entry = u"TC7 long chassis name here";
  form->eChassis->SetText(entry);
  form->btnOkClick(nullptr);
  const rtl::TBitmap fromStart = Header();
  form->eChassis->SetCaretPosition(static_cast<int>(entry.size()));
  ASSERT_GT(form->eChassis->FirstVisibleChar(), 1);
  form->btnOkClick(nullptr);
  rtl::TFileStream shot((test_support::ArtifactDir() / "race_sheet_long_entry.jpg").string(), rtl::fmCreate);
  form->HeaderPicture()->SaveToStream(shot);
  EXPECT_EQ(form->eChassis->FirstVisibleChar(), 1);
  // eChassis lies at (206, 63) in the header, 150 x 23.
  EXPECT_TRUE(SameArea(fromStart, Header(), 206, 63, 356, 86));
}

TEST_F(RaceSheetTest, WindowPictureHoldsTheHeaderAndTheButtons) {
  form->CaptureHeader();
  const rtl::TBitmap header = Header();
  const rtl::TBitmap window = FormPicture(*form);
  ASSERT_EQ((std::pair{window.Width(), window.Height()}), (std::pair{749, 287}));
  // Compared through the same compression; the top rows, clear of the
  // radio buttons' check animations.
  rtl::TBitmap windowJpeg;
  ReportJpeg(window)->AssignTo(windowJpeg);
  EXPECT_TRUE(SameArea(header, windowJpeg, 0, 0, 749, 88));
  // btnOk at (456, 257) differs from the empty bar beside it.
  const rtl::TPaletteEntry button = window.PixelColor(496, 268), bar = window.PixelColor(300, 268);
  EXPECT_NE((std::tuple{button.Red, button.Green, button.Blue}), (std::tuple{bar.Red, bar.Green, bar.Blue}));
}

TEST_F(RaceSheetTest, OtherEntryMakesTheListEditable) {
  struct Case {
    const char16_t* entry;
    bool readOnly;
  };
  const Case cases[] = {{u"Other", false}, {u"A", true}, {u"其他", false}, {u"other", true}};
  for (vg::TvgComboTextBox* box : {form->eEcs, form->eRotor}) {
    for (const Case& c : cases) box->Items()->Add(c.entry);
    for (int i = 0; i < 4; ++i) {
      box->SetItemIndex(i);
      EXPECT_EQ(box->ReadOnly(), cases[i].readOnly) << rtl::Utf16ToUtf8(cases[i].entry);
    }
  }
}

TEST_F(RaceSheetTest, CancelEmptiesTheSheetBeforeItsPicture) {
  FillRaceSheet(*form, inputs, rtl::TMemIniFile("", "[common]\nexport_type_index=2\n"));
  form->eNote->SetText(u"wet track");
  form->eBattery->SetText(u"2S 5000");
  form->btnCancelClick(nullptr);
  for (const rtl::WideString& text : {form->eDriver->GetText(), form->eDate->GetText(), form->eVersion->Text(),
                                      form->eBattery->Text(), form->eNote->GetText()})
    EXPECT_EQ(text, u"");
  EXPECT_NE(form->HeaderPicture(), nullptr);
}

TEST_F(RaceSheetTest, FillsCaptionsStartingTextsAndKeptChoices) {
  texts = {{"export_driver", "Pilot:"}, {"export_tyres", "Tyres:"}, {"export_traction_items", "Low|Mid|High"},
           {"export_rotor_items", "12.5|Other"}, {"btn_Ok", "Go"}, {"export_final_value", "4.2"},
           {"export_input", "Race Sheet"}};
  FillRaceSheet(*form, inputs,
                rtl::TMemIniFile("", "[common]\nexport_track_index=1\nexport_traction_index=2\n"
                                     "export_surface_index=7\nexport_rotor_index=1\nexport_ecs_index=-1\n"));
  EXPECT_EQ(form->Caption(), u"Race Sheet");
  EXPECT_EQ(form->eDriver->TextLabel()->Text(), u"Pilot:");
  EXPECT_EQ(form->Node<vg::TvgTextControl>("lTyres")->Text(), u"Tyres:");
  EXPECT_EQ(form->eEvent->TextLabel()->Text(), u"EVENT:");
  EXPECT_EQ(form->eDriver->GetText(), u"race day");
  EXPECT_EQ(form->eDate->GetText(), u"2026-12-11");
  EXPECT_EQ(form->eVersion->Text(), u"V1.0");
  EXPECT_EQ(form->eFinal->GetText(), u"4.2");
  EXPECT_EQ(form->btnOk->Text(), u"Go");
  EXPECT_EQ(form->RadioButton(2).Text(), u"DOTDOOR");
  EXPECT_EQ(form->RadioButton(4).Text(), u"Mid");
  // Track 1, traction 2, surface out of range (none), type 0.
  const std::vector<bool> checked = {false, true, false, false, true, false, false, false, true, false, false};
  EXPECT_EQ(Checked(), checked);
  EXPECT_EQ(form->eRotor->Text(), u"Other");
  EXPECT_FALSE(form->eRotor->ReadOnly());
  EXPECT_EQ(form->eEcs->Count(), 2);
  EXPECT_EQ(form->eEcs->Text(), u"");

  texts = {{"export_type_items", "TECHNICAL|FAST"}};
  std::unique_ptr<TfrmInput, decltype([](TfrmInput* f) { f->Free(); })> second(new TfrmInput(nullptr));
  EXPECT_THROW(FillRaceSheet(*second, inputs, rtl::TMemIniFile()), rtl::EListError);
}

TEST_F(RaceSheetTest, StoredChoicesFollowTheCheckedButtons) {
  // No track and no surface button checked.
  FillRaceSheet(*form, inputs, rtl::TMemIniFile("", "[common]\nexport_track_index=5\nexport_surface_index=-1\n"));
  form->RadioButton(4).SetIsChecked(true);   // second traction
  form->RadioButton(11).SetIsChecked(true);  // third type
  form->eRotor->SetItemIndex(1);
  rtl::TMemIniFile settings;
  StoreRaceSheetChoices(*form, settings);
  const std::map<std::string, int> expected = {{"export_track_index", 1}, {"export_traction_index", 1},
                                               {"export_surface_index", 2}, {"export_type_index", 2},
                                               {"export_ecs_index", 0}, {"export_rotor_index", 1}};
  for (const auto& [key, value] : expected) EXPECT_EQ(settings.ReadInteger("common", key, -9), value) << key;
}

TEST_F(RaceSheetTest, ConfirmedSheetWritesLangIniAndGivesTheHeader) {
  const fs::path folder = fs::path(::testing::TempDir()) / "race_sheet";
  fs::create_directories(folder);
  const std::string langFile = (folder / "lang.ini").string();
  rtl::WriteFileBytes(langFile, "\xEF\xBB\xBF[common]\r\nexport_traction_index=0\r\n");
  rtl::TMemIniFile settings(langFile);
  test_support::TScriptedModalRunner runner;
  runner.Then([](gui::TForm& shown) {
    auto& sheet = dynamic_cast<TfrmInput&>(shown);
    sheet.RadioButton(5).SetIsChecked(true);
    sheet.btnOkClick(nullptr);
    sheet.SetModalResult(gui::mrOk);
  });
  runner.Then([](gui::TForm& shown) { shown.SetModalResult(gui::mrCancel); });

  const std::optional<RaceSheetHeader> header = RunRaceSheet(nullptr, nullptr, inputs, settings);
  ASSERT_TRUE(header);
  EXPECT_EQ(header->picture->Width(), 749);
  EXPECT_EQ((std::pair{header->width, header->height}), (std::pair{749.f, 248.f}));
  const rtl::TBytes bytes = rtl::ReadFileBytes(langFile);
  const std::string written(bytes.begin(), bytes.end());
  EXPECT_TRUE(written.starts_with("[common]")) << written;
  EXPECT_NE(written.find("export_traction_index=2"), std::string::npos) << written;

  EXPECT_FALSE(RunRaceSheet(nullptr, nullptr, inputs, settings));
  EXPECT_EQ(rtl::ReadFileBytes(langFile), bytes);
  fs::remove_all(folder);
}

}  // namespace
}  // namespace app
