#include <gtest/gtest.h>

#include "platform/gui/Dialogs.h"
#include "platform/gui/Forms.h"
#include "platform/gui/Menus.h"
#include "platform/rtl/ClassRegistry.h"
#include "platform/rtl/Exceptions.h"
#include "platform/rtl/Filer.h"
#include "platform/rtl/ObjectText.h"
#include "platform/rtl/Streams.h"
#include "tests/support/gui_fakes.h"
#include "tests/support/gui_pump.h"

namespace gui {
namespace {

// A form class as the program writes them: components from its form file,
// published fields and handlers bound by name.
class TfrmSample : public TForm {
  RTL_CLASS(TfrmSample, TForm)

  TfrmSample(rtl::TComponent* owner, const std::string& formText) : TForm(owner) {
    rtl::TStringStream text(formText), binary;
    rtl::ObjectTextToBinary(text, binary);
    binary.SetPosition(0);
    rtl::ReadComponentFromStream(binary, this, false);
  }

  TMainMenu* MainMenu1 = nullptr;
  TMenuItem* English1 = nullptr;
  TMenuItem* Chinese1 = nullptr;
  TMenuItem* Version1 = nullptr;
  TMenuItem* Help2 = nullptr;
  TOpenDialog* OpenDialog1 = nullptr;
  std::vector<std::string> clicks;
  int created = 0;

  void VersionClick(rtl::TObject* sender) { clicks.push_back(static_cast<TMenuItem*>(sender)->Name()); }
  void FormCreate(rtl::TObject*) { ++created; }
  void FormClose(rtl::TObject*, TCloseAction& action) {
    if (keepOpen) action = caNone;
  }
  bool keepOpen = false;

  static void Publish(rtl::TPublisher<TfrmSample>& p) {
    p.Field("MainMenu1", &TfrmSample::MainMenu1);
    p.Field("English1", &TfrmSample::English1);
    p.Field("Chinese1", &TfrmSample::Chinese1);
    p.Field("Version1", &TfrmSample::Version1);
    p.Field("Help2", &TfrmSample::Help2);
    p.Field("OpenDialog1", &TfrmSample::OpenDialog1);
    p.Method("VersionClick", &TfrmSample::VersionClick);
    p.Method("FormCreate", &TfrmSample::FormCreate);
    p.Method("FormClose", &TfrmSample::FormClose);
  }
};

const char* const kSampleForm = R"(object frmSample: TfrmSample
  Left = 0
  Top = 0
  BorderIcons = [biSystemMenu, biMinimize]
  BorderStyle = bsSingle
  Caption = #25991#20214' sample'
  ClientHeight = 624
  ClientWidth = 779
  Font.Name = 'Tahoma'
  Menu = MainMenu1
  OldCreateOrder = False
  Position = poScreenCenter
  OnClose = FormClose
  OnCreate = FormCreate
  PixelsPerInch = 96
  TextHeight = 13
  object MainMenu1: TMainMenu
    object File1: TMenuItem
      Caption = '&File'
      object English1: TMenuItem
        Tag = 2
        AutoCheck = True
        Caption = 'English'
        GroupIndex = 1
        RadioItem = True
        OnClick = VersionClick
      end
      object Chinese1: TMenuItem
        Tag = 1
        AutoCheck = True
        Caption = 'Simplified Chinese'
        Checked = True
        GroupIndex = 1
        RadioItem = True
        Visible = False
        OnClick = VersionClick
      end
    end
    object Version1: TMenuItem
      Caption = 'Version'
      object Demo1: TMenuItem
        AutoCheck = True
        Caption = 'Demo'
      end
    end
    object Help1: TMenuItem
      Caption = 'Help'
      object Help2: TMenuItem
        Caption = '&Help...'
        ShortCut = 112
      end
    end
  end
  object OpenDialog1: TOpenDialog
    Filter = 'INI File (*.txt)|*.txt'
  end
end
)";

class Forms : public ::testing::Test {
 protected:
  void SetUp() override {
    RegisterGuiClasses();
    rtl::RegisterClasses<TfrmSample>();
  }
};

TEST_F(Forms, ReadFromFormTextWithMenusAndDialogs) {
  auto* form = new TfrmSample(nullptr, kSampleForm);
  EXPECT_EQ(form->Caption(), u"文件 sample");
  EXPECT_EQ(form->ClientWidth(), 779);
  EXPECT_EQ(form->ClientHeight(), 624);
  EXPECT_EQ(form->BorderStyle(), bsSingle);
  EXPECT_EQ(form->BorderIcons(), (TBorderIcons{biSystemMenu, biMinimize}));
  EXPECT_EQ(form->Position(), poScreenCenter);
  ASSERT_NE(form->MainMenu1, nullptr);
  EXPECT_EQ(form->Menu(), form->MainMenu1);
  EXPECT_FALSE(form->HandleAllocated());  // no window until shown

  TMenuItem* root = form->MainMenu1->Items();
  ASSERT_EQ(root->Count(), 3);
  EXPECT_EQ(root->Items(0)->Count(), 2);
  EXPECT_EQ(form->English1->Parent(), root->Items(0));
  EXPECT_EQ(form->English1->GetParentMenu(), form->MainMenu1);
  EXPECT_EQ(form->Chinese1->Tag(), 1);
  EXPECT_TRUE(form->Chinese1->Checked());
  EXPECT_FALSE(form->Chinese1->Visible());
  EXPECT_EQ(form->MainMenu1->FindShortCut(ShortCut(vk::F1)), form->Help2);
  EXPECT_EQ(form->OpenDialog1->Filter, "INI File (*.txt)|*.txt");

  form->English1->Click();  // bound by name
  EXPECT_EQ(form->clicks, std::vector<std::string>{"English1"});
  form->Free();
}

TEST_F(Forms, RadioGroupChecksAndAutoCheckUnchecks) {
  auto* form = new TfrmSample(nullptr, kSampleForm);
  TMenuItem* english = form->English1;
  TMenuItem* chinese = form->Chinese1;
  english->Click();
  EXPECT_TRUE(english->Checked());
  EXPECT_FALSE(chinese->Checked());  // same group: turned off
  english->Click();                  // a checked auto-check radio item unchecks
  EXPECT_FALSE(english->Checked());
  EXPECT_FALSE(chinese->Checked());
  chinese->SetChecked(true);

  // Items added at run time join the group of their siblings.
  auto* model = new TMenuItem(form);
  model->SetCaption(u"Model A");
  model->SetRadioItem(true);
  model->SetAutoCheck(true);
  model->SetTag(3);
  auto* other = new TMenuItem(form);
  other->SetCaption(u"Model B");
  other->SetRadioItem(true);
  other->SetGroupIndex(1);
  form->Version1->Add(model);
  form->Version1->Add(other);
  model->Click();
  other->SetChecked(true);
  EXPECT_TRUE(model->Checked());  // other group index: left alone
  EXPECT_EQ(form->Version1->Find(u"model &a"), nullptr);
  EXPECT_EQ(form->Version1->Find(u"Model &A"), model);

  model->SetEnabled(false);
  model->Click();  // disabled: nothing
  EXPECT_TRUE(model->Checked());

  form->Version1->Delete(0);  // frees the item, which leaves its owner too
  EXPECT_EQ(form->Version1->Count(), 2);
  EXPECT_EQ(form->FindComponent("Demo1"), nullptr);
  form->Free();
}

TEST_F(Forms, ShowModalRunsThroughTheScriptedRunner) {
  test_support::TScriptedModalRunner runner;
  auto* form = new TfrmSample(nullptr, kSampleForm);
  runner.ThenAnswer(mrOk).Then([](TForm& f) { f.Close(); });  // the close box
  EXPECT_EQ(form->ShowModal(), mrOk);
  EXPECT_FALSE(form->IsModal());
  EXPECT_EQ(form->ShowModal(), mrCancel);
  EXPECT_EQ(runner.Shown, (std::vector<std::string>{"frmSample", "frmSample"}));

  // OnClose answering caNone keeps a modal form running.
  form->keepOpen = true;
  runner.ThenAnswer(mrOk);
  EXPECT_THROW(form->ShowModal(), rtl::Exception);
  EXPECT_FALSE(form->IsModal());

  form->keepOpen = false;
  form->SetEnabled(false);
  EXPECT_THROW(form->ShowModal(), rtl::EInvalidOperation);
  form->Free();
}

// caFree releases the form from the loop exactly once, and a form that dies
// before the loop runs (a second Close, its owner freed) is not freed again.
TEST_F(Forms, CloseWithCaFreeReleasesOnceFromTheLoop) {
  struct Case {
    const char* name;
    int closes;
    bool freeOwnerFirst;
  };
  for (const Case& c : {Case{"once", 1, false}, Case{"twice", 2, false}, Case{"owner freed first", 1, true}}) {
    SCOPED_TRACE(c.name);
    auto* owner = new rtl::TComponent(nullptr);
    auto* form = new TForm(owner);
    form->OnClose = [](rtl::TObject*, TCloseAction& action) { action = caFree; };
    int destroyed = 0;
    form->OnDestroy = [&](rtl::TObject*) { ++destroyed; };
    for (int i = 0; i < c.closes; ++i) form->Close();
    EXPECT_EQ(destroyed, 0);
    if (c.freeOwnerFirst) owner->Free();
    test_support::PumpFor(std::chrono::milliseconds(20));
    EXPECT_EQ(destroyed, 1);
    if (!c.freeOwnerFirst) {
      EXPECT_EQ(owner->ComponentCount(), 0);
      owner->Free();
    }
  }
}

TEST_F(Forms, ModalFormCanRunAnotherOne) {
  test_support::TScriptedModalRunner runner;
  auto* outer = new TForm(nullptr);
  outer->SetName("frmOuter");
  auto* inner = new TForm(outer);
  inner->SetName("frmInner");
  TModalResult innerResult = mrNone;
  runner.Then([&](TForm& f) {
    innerResult = inner->ShowModal();
    f.SetModalResult(mrYes);
  });
  runner.ThenAnswer(mrNo);
  EXPECT_EQ(outer->ShowModal(), mrYes);
  EXPECT_EQ(innerResult, mrNo);
  EXPECT_EQ(runner.Shown, (std::vector<std::string>{"frmOuter", "frmInner"}));
  outer->Free();
}

TEST(PlaceForm, CentresOnScreenOrOwnerWithTruncatedHalves) {
  const TRect screen{0, 0, 1024, 768};
  const TRect owner{100, 50, 100 + 779, 50 + 645};
  const TRect box{7, 9, 7 + 314, 9 + 153};
  struct Case {
    TPosition position;
    const TRect* owner;
    TPoint expected;
  };
  const Case cases[] = {
      {poScreenCenter, nullptr, {355, 307}},
      {poDesktopCenter, &owner, {355, 307}},
      {poMainFormCenter, &owner, {100 + 232, 50 + 246}},
      {poOwnerFormCenter, &owner, {332, 296}},
      {poOwnerFormCenter, nullptr, {355, 307}},
      {poDesigned, &owner, {7, 9}},
      {poDefaultPosOnly, nullptr, {7, 9}},
  };
  for (const Case& c : cases) EXPECT_EQ(PlaceForm(c.position, box, c.owner, screen), c.expected) << c.position;
  // A form larger than its owner goes up and left, the halves cut toward zero.
  EXPECT_EQ(PlaceForm(poOwnerFormCenter, TRect{0, 0, 301, 101}, &box, screen), (TPoint{7 + 6, 9 + 26}));
  EXPECT_EQ(PlaceForm(poOwnerFormCenter, TRect{0, 0, 317, 156}, &box, screen), (TPoint{7 - 1, 9 - 1}));
}

TEST(MenuCaptions, MnemonicsAndHotkeys) {
  struct Case {
    std::u16string caption;
    std::string label;
    std::u16string stripped;
  };
  const Case cases[] = {
      {u"&File", "_File", u"File"},
      {u"Save && Exit", "Save & Exit", u"Save & Exit"},
      {u"snake_case", "snake__case", u"snake_case"},
      {u"帮助(&H)...", "帮助(_H)...", u"帮助(H)..."},
      {u"", "", u""},
      {u"trailing&", "trailing_", u"trailing"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(MnemonicLabel(c.caption), c.label);
    EXPECT_EQ(StripHotkey(c.caption), c.stripped);
  }
}

TEST(Dialogs, FilterStringsAndDefaultExtension) {
  EXPECT_EQ(ParseFilter("INI File (*.txt)|*.txt"), (std::vector<TFileFilter>{{"INI File (*.txt)", {"*.txt"}}}));
  EXPECT_EQ(ParseFilter("Pictures|*.png; *.jpg ;*.bmp|All files (*.*)|*.*"),
            (std::vector<TFileFilter>{{"Pictures", {"*.png", "*.jpg", "*.bmp"}}, {"All files (*.*)", {"*.*"}}}));
  EXPECT_EQ(ParseFilter("Dangling"), std::vector<TFileFilter>{});
  EXPECT_EQ(ParseFilter(""), std::vector<TFileFilter>{});

  struct Case {
    std::string name, ext, expected;
  };
  const Case cases[] = {
      {"/tmp/report", "pdf", "/tmp/report.pdf"},
      {"/tmp/report.PDF", "pdf", "/tmp/report.PDF"},
      {"/tmp/v1.2/report", ".pdf", "/tmp/v1.2/report.pdf"},
      {"/tmp/report", "", "/tmp/report"},
      {"", "pdf", ""},
  };
  for (const Case& c : cases) EXPECT_EQ(ApplyDefaultExt(c.name, c.ext), c.expected);
}

TEST(Dialogs, ScriptedServiceAnswersComponents) {
  test_support::TScriptedDialogs dialogs;
  dialogs.ChooseFile("/tmp/settings").ChooseFile(std::nullopt).AnswerBox(IDYES).ChooseColor(0x00FF8000);
  TSaveDialog save(nullptr);
  save.DefaultExt = "txt";
  EXPECT_TRUE(save.Execute());
  EXPECT_EQ(save.FileName, "/tmp/settings.txt");
  TOpenDialog open(nullptr);
  EXPECT_FALSE(open.Execute());
  EXPECT_EQ(Dialogs().MessageBox(nullptr, u"Overwrite?", u"Question", MB_YESNO | MB_ICONQUESTION), IDYES);
  ASSERT_EQ(dialogs.Messages.size(), 1u);
  EXPECT_EQ(dialogs.Messages[0].Text, u"Overwrite?");
  TColorDialog colour(nullptr);
  EXPECT_TRUE(colour.Execute());
  EXPECT_EQ(colour.Color, 0x00FF8000);
  EXPECT_EQ(dialogs.FileDialogs, (std::vector<std::string>{"save", "open"}));
  EXPECT_THROW(open.Execute(), rtl::Exception);  // nothing scripted
}

}  // namespace
}  // namespace gui
