// The main window off screen: its form loads without a property error, and
// creation, activation, the poll, the message sink and destruction behave
// as the program relies on. No window is shown; modal boxes and message
// boxes are scripted.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "platform/gui/Application.h"
#include "platform/rtl/AtomicFile.h"
#include "platform/rtl/MemIniFile.h"
#include "platform/rtl/Streams.h"
#include "platform/rtl/TextConvert.h"
#include "app/MainFormParams.h"
#include "tests/app/main_form_fixture.h"
#include "tests/support/gui_fakes.h"
#include "ui/controls/vg_checkbox.h"
#include "ui/controls/vg_compound.h"
#include "ui/controls/vg_listbox.h"
#include "ui/controls/vg_textbox.h"
#include "ui/render/vg_objects.h"

namespace app {
namespace {

namespace fs = std::filesystem;
using testing::MainFormTest;

TEST_F(MainFormTest, FormLoadsCleanlyAndCreationSetsTheStartState) {
  Create();
  EXPECT_TRUE(debugLines.empty()) << debugLines.front();
  const device::DeviceState& link = form->Device().State();
  EXPECT_EQ(link.ProtocolSelector, 1);
  EXPECT_EQ(link.Markers, device::kEscMarkers);
  EXPECT_EQ(link.AutoConnect, 1);
  EXPECT_FALSE(link.Busy || link.Connected || link.Identifying || link.Upgrading || link.ScanMode);
  EXPECT_EQ(link.DeviceInfoStrings, (std::array<std::string, 4>{}));
  EXPECT_EQ(link.DeviceData, (std::array<std::uint8_t, 32>{}));
  const MainFormState& state = form->State();
  EXPECT_TRUE(state.FirstActivation);
  EXPECT_FALSE(state.NotificationRegistered || state.AdapterListCreated || state.ReportCapture);
  EXPECT_EQ(state.Features, kDefaultFeatureFlags);
  EXPECT_EQ(form->ControlsScene->Style(), form->SceneStyle);
  EXPECT_EQ(form->Panel2->CalloutLength(), 0);
  EXPECT_EQ(form->VisiblePage(), 1);
  EXPECT_TRUE(form->IsChinese());  // "lang=1" of the last exit
  EXPECT_EQ(form->LangText("Process", "?"), "处理中");  // lang.ini read, byte-order mark and all
  EXPECT_EQ(form->ClientWidth(), 779);
  EXPECT_EQ(form->ClientHeight(), 624);
  EXPECT_NE(form->Node<vg::TvgCustomTextBox>("calcTextBox1"), nullptr);
  EXPECT_EQ(form->Node<vg::TvgVisualObject>("tabLayout13")->Visible(), false);
  EXPECT_TRUE(form->Node<vg::TvgRadioButton>("rbCB")->IsChecked());
  EXPECT_FALSE(form->Node<vg::TvgRadioButton>("rbDJC")->IsChecked());
}

TEST_F(MainFormTest, InformationAndProgressFormsLoadCleanly) {
  Create();
  auto* info = new TfrmInfo(form);
  auto* progress = new TfrmProgress(form);
  EXPECT_TRUE(debugLines.empty()) << debugLines.front();
  EXPECT_EQ(info->ClientWidth(), 314);
  EXPECT_EQ(info->btnOk->ModalResult(), gui::mrOk);
  EXPECT_EQ(progress->ClientWidth(), 350);
  EXPECT_EQ(progress->ProgressBar1->Max(), 100);
}

TEST_F(MainFormTest, AdapterChooserAnswersTheDoubleClickedLine) {
  Create();
  test_support::TScriptedModalRunner runner;
  std::vector<std::string> shown;
  auto pick = [&shown](int index) {
    return [&shown, index](gui::TForm& chooser) {
      auto& hid = static_cast<TfrmHid&>(chooser);
      for (int i = 0; i < hid.HidList->Count(); ++i)
        shown.push_back(rtl::Utf16ToUtf8(hid.HidList->ItemByIndex(i)->Text()));
      hid.HidList->SetItemIndex(index);
      hid.HidListDblClick(hid.HidList);
      if (index < 0) chooser.SetModalResult(gui::mrCancel);  // closed without a choice
    };
  };
  runner.Then(pick(1)).Then(pick(-1));
  device::IAdapterChooser& chooser = form->Device();
  EXPECT_EQ(chooser.ShowModal({"1-1.2       FS adapter", "1-1.3       other"}), 2);
  EXPECT_EQ(shown, (std::vector<std::string>{"1-1.2       FS adapter    PORTAVEX", "1-1.3       other    DUR Udazedi Ved"}));
  EXPECT_EQ(chooser.ShowModal({"a", "b"}), 0);  // closing picks no adapter (not the second)
  EXPECT_TRUE(debugLines.empty()) << debugLines.front();
}

TEST_F(MainFormTest, DestructionWritesLanguageAndCalculatorsWithoutByteOrderMark) {
  Create();
  form->Node<vg::TvgVisualObject>("tabLayout1")->SetVisible(false);
  form->Node<vg::TvgVisualObject>("tabLayout11")->SetVisible(true);  // back to page 0 before the write
  form->English1->SetChecked(true);
  form->Node<vg::TvgCustomTextBox>("calcTextBox1")->SetText(u"2300");
  form->Node<vg::TvgCustomTextBox>("calcTextBox19")->SetText(u"19");
  form->Node<vg::TvgCompoundTextBox>("calcTextBox17")->SetText(u"77.5%");
  form->Free();
  form = nullptr;
  const std::string text = LangFile();
  EXPECT_FALSE(text.starts_with("\xEF\xBB\xBF"));
  rtl::TMemIniFile ini((folder / "lang.ini").string());
  EXPECT_EQ(ini.ReadString("common", "lang", "?"), "0");
  EXPECT_EQ(ini.ReadString("common", "cacl1", "?"), "2300");
  EXPECT_EQ(ini.ReadString("common", "cacl19", "?"), "19");
  EXPECT_EQ(ini.ReadString("common", "cacl17", "?"), "77.5%");
  EXPECT_EQ(ini.ReadString("common", "cacl7", "?"), "3.7V");  // no such box on this window: kept
  EXPECT_EQ(ini.ReadString("common", "engProcess", "?"), "Working");
  for (const auto& entry : fs::directory_iterator(folder))
    EXPECT_EQ(entry.path().filename(), "lang.ini") << "a temporary file stayed behind";
}

TEST_F(MainFormTest, AFailedWriteBackIsReportedAndTheWindowStillCloses) {
  Create();
  fs::remove(folder / "lang.ini");
  fs::create_directory(folder / "lang.ini");  // nothing can be renamed onto it
  std::vector<std::string> reported;
  gui::Application->OnException = [&](rtl::TObject*, const std::exception& e) { reported.push_back(e.what()); };
  form->Free();
  form = nullptr;
  gui::Application->OnException = nullptr;
  EXPECT_EQ(reported.size(), 1u);
  EXPECT_TRUE(fs::is_directory(folder / "lang.ini"));
  for (const auto& entry : fs::directory_iterator(folder))
    EXPECT_EQ(entry.path().filename(), "lang.ini") << "a temporary file stayed behind";
}

TEST_F(MainFormTest, ShowInfoLogsAndShowsOneReusedBox) {
  Create();
  test_support::TScriptedModalRunner runner;
  runner.ThenAnswer(gui::mrOk).ThenAnswer(gui::mrOk);
  form->SetBounds(100, 50, 779, 624);
  form->ShowInfo("first", 0);
  form->ShowInfo("second", 2);
  TfrmInfo* box = form->Info().Form();
  ASSERT_NE(box, nullptr);
  EXPECT_EQ(box->Label1->Text(), u"second");
  EXPECT_EQ(box->Caption(), u"Information");
  EXPECT_EQ(box->btnOk->Text(), u"Ok");
  EXPECT_EQ(box->Left(), 100 + (form->Width() - box->Width()) / 2);
  EXPECT_EQ(box->Top(), 50 + (form->Height() - box->Height()) / 2);
  form->ShowInfo("third", 1);
  EXPECT_EQ(form->Info().Form(), box);
  EXPECT_EQ(runner.Shown, (std::vector<std::string>{"frmInfo", "frmInfo"}));
  EXPECT_EQ(MemoLines(form->eMessage), (std::vector<std::string>{"second", "first"}));

  // In link modes 2 to 4 the log is the link page's memo.
  form->Node<gui::TMenuItem>("PORTAVEX3")->SetChecked(true);
  form->ShowInfo("link", 0);
  EXPECT_EQ(MemoLines(form->vgmMessage), (std::vector<std::string>{"link"}));
}

TEST_F(MainFormTest, ABoxShownFromInsideTheOpenBoxUpdatesIt) {
  Create();
  test_support::TScriptedModalRunner runner;
  runner.Then([this](gui::TForm& box) {
    form->ShowInfo("from a tick", 1);
    box.SetModalResult(gui::mrOk);
  });
  form->ShowInfo("outer", 1);
  EXPECT_EQ(form->Info().Form()->Label1->Text(), u"from a tick");
  EXPECT_EQ(runner.Shown.size(), 1u);
}

TEST_F(MainFormTest, FirstActivationRegistersOnceAndReadsConfig) {
  rtl::WriteFileBytes((folder / "config.dat").string(), "not base64 at all!");
  rtl::WriteFileBytes((folder / "lang.ini").string(),
                      "[common]\nlang=1\nchsconfig_error=config.dat 无效\nengconfig_error=config.dat is not valid\n");
  Create(false);
  test_support::TScriptedDialogs dialogs;
  dialogs.AnswerBox(gui::IDOK);
  form->FormActivate(form);
  form->FormActivate(form);
  ASSERT_EQ(dialogs.Messages.size(), 1u);
  EXPECT_EQ(dialogs.Messages[0].Text, u"注册USB设备通知失败");
  EXPECT_EQ(dialogs.Messages[0].Caption, u"错误");
  EXPECT_TRUE(form->State().NotificationRegistered);
  EXPECT_FALSE(form->State().FirstActivation);
  EXPECT_EQ(form->State().Features, kDefaultFeatureFlags);
  EXPECT_EQ(MemoLines(form->eMessage), std::vector<std::string>{"config.dat 无效"});
}

// Not GTK's "Recent" list: the program folder, then where the user last
// chose a file to export to or import from.
TEST_F(MainFormTest, FileDialogsStartWhereTheLastFileWasChosen) {
  Create();
  const fs::path records = folder / "records";
  fs::create_directories(records);
  rtl::WriteFileBytes((records / "run.txt").string(), "[setup]\ncount=1\n");
  test_support::TScriptedDialogs dialogs;
  dialogs.ChooseFile(std::nullopt).ChooseFile((records / "run.txt").string()).ChooseFile(std::nullopt);
  std::string fileName;
  EXPECT_FALSE(form->Params().ExecuteSaveDialog("PDF Config File|*.pdf", ".pdf", fileName));
  form->btnLoadClick(nullptr);
  EXPECT_FALSE(form->Params().ExecuteOpenDialog("INI File (*.txt)|*.txt", fileName));
  EXPECT_EQ(dialogs.FileDialogFolders,
            (std::vector<std::string>{form->ProgramFolder(), form->ProgramFolder(), records.string()}));
}

TEST_F(MainFormTest, ConfigSwitchesShowTheirMenusAndOptions) {
  // Base64 of {"Data":[{"on-off":"off"},{"on-off":"on"},{"on-off":"on"},{"on-off":"on"},{"on-off":"on"}]}
  rtl::WriteFileBytes((folder / "config.dat").string(),
                      "eyJEYXRhIjpbeyJvbi1vZmYiOiJvZmYifSx7Im9uLW9mZiI6Im9uIn0seyJvbi1vZmYiOiJvbiJ9LHsib24tb2ZmIjoi"
                      "b24ifSx7Im9uLW9mZiI6Im9uIn1dfQ==");
  Create();
  auto visible = [this](const char* name) { return form->Node<gui::TMenuItem>(name)->Visible(); };
  EXPECT_TRUE(visible("ESCSpeedController1"));  // the start values
  EXPECT_FALSE(visible("PORTAVEX1"));
  EXPECT_FALSE(form->Node<vg::TvgVisualObject>("rbCW")->Visible());
  form->FormActivate(form);
  EXPECT_FALSE(visible("ESCSpeedController1"));
  EXPECT_TRUE(visible("MotorChecker1"));
  EXPECT_TRUE(visible("PORTAVEX1"));
  EXPECT_FALSE(visible("PORTAVEX2"));
  EXPECT_TRUE(MemoLines(form->eMessage).empty());
}

TEST_F(MainFormTest, TicksWithoutAnAdapterOrInDemoChangeNothing) {
  Create();
  device::DeviceState& link = form->Device().State();
  link.DeviceKindChanged = true;
  form->Timer1Timer(form);  // no adapter listed
  form->Demo1->SetChecked(true);
  form->Timer1Timer(form);
  EXPECT_TRUE(link.DeviceKindChanged);
  EXPECT_FALSE(link.Connected || link.Identifying);
}

// However a page is shown, the side list marks its entry: a click on the
// marked entry never means another page. Each case first sets the list's
// index as the settings outcome and the link-adapter modes do, to another
// entry than the page then shown.
TEST_F(MainFormTest, TheSideListMarksThePageShown) {
  Create();
  form->Params().ShowSideEntries({1, 2, 3, 8, 9, 10});
  auto* list = form->Node<vg::TvgListBox>("ListBox1");
  const struct {
    int indexBefore, item;
    const char* marked;
  } cases[] = {{1, 8, "ListBoxItem8"},  // identified, no settings: the firmware page
               {2, 1, "ListBoxItem1"},  // a link-adapter mode chosen
               {0, 9, "ListBoxItem9"},
               {3, 11, ""}};  // the channel page, not listed
  for (const auto& c : cases) {
    SCOPED_TRACE(c.item);
    list->SetItemIndex(c.indexBefore);
    form->ShowPageItem(c.item);
    vg::TvgListBoxItem* marked = list->Selected();
    EXPECT_EQ(marked ? marked->Name() : std::string(), c.marked);
    EXPECT_EQ(form->ShownPageTag(), c.item - 1);
  }
}

TEST_F(MainFormTest, ExtraTextCheckReadsTheFourthDeviceString) {
  Create();
  EXPECT_FALSE(form->HasInvalidChars());
  form->Device().State().DeviceInfoStrings[device::kExtraText] = "V1 2";
  EXPECT_TRUE(form->HasInvalidChars());
}

TEST_F(MainFormTest, LoadImageFileReadsPicturesOfTheProgramFolder) {
  Create();
  const char* const svg =
      "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"30\" height=\"20\"><rect width=\"30\" height=\"20\" "
      "fill=\"#ff0000\"/></svg>";
  fs::create_directories(folder / "pictures");
  rtl::WriteFileBytes((folder / "pictures" / "red.svg").string(), svg);
  auto* image = form->Node<vg::TvgImage>("imgLogo");
  form->LoadImageFile(image, "");
  form->LoadImageFile(image, "pictures/missing.png");
  EXPECT_EQ(image->Bitmap()->Width(), 0);
  form->LoadImageFile(image, "pictures/red.svg");
  EXPECT_EQ(image->Bitmap()->Width(), 30);
  EXPECT_EQ(image->Bitmap()->Height(), 20);
}

}  // namespace
}  // namespace app
