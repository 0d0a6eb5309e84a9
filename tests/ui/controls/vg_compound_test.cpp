// Compound controls: their parts stream as nested properties of the
// control, their values reach the editors and the editors' changes come
// out as the control's OnChange.
#include <gtest/gtest.h>

#include <string>

#include "platform/rtl/FormatSettings.h"
#include "platform/rtl/Streams.h"
#include "platform/rtl/TextConvert.h"
#include "tests/ui/controls/controls_fixture.h"
#include "ui/render/vg_layouts.h"

namespace {

using namespace vg;
using vgtest::ControlScene;

struct Compounds : ControlScene {
  rtl::TObject* sender = nullptr;
  int changes = 0;
  // Counts the control's OnChange calls and keeps their sender.
  void Watch(TvgCompoundControl& control) {
    control.OnChange = [this](rtl::TObject* s) {
      sender = s;
      ++changes;
    };
  }
};

std::string TextOf(TvgObject& node) {
  rtl::TMemoryStream stream;
  node.SaveToStream(stream);
  return {reinterpret_cast<const char*>(stream.Memory()), static_cast<std::size_t>(stream.Size())};
}

template <class T>
T* AddTo(TvgObject* parent) {
  auto* control = new T(nullptr);
  control->SetParent(parent);
  return control;
}

TEST_F(Compounds, PartsStreamAsNestedPropertiesAndReadBack) {
  auto* form = AddTo<TvgLayout>(root);
  auto* pilot = AddTo<TvgCompoundTextBox>(form);
  pilot->TextLabel()->SetText(u"Pilot");
  pilot->TextLabel()->SetWidth(90);
  pilot->SetText(u"Anna");
  auto* notes = AddTo<TvgCompoundMemo>(form);
  notes->SetText(u"first\r\nsecond");
  auto* speed = AddTo<TvgCompoundTrackBar>(form);
  speed->SetSuffix(u" rpm");
  speed->TrackBar()->SetMax(200);
  speed->SetValue(150);
  auto* mode = AddTo<TvgCompoundPopupBox>(form);
  mode->PopupBox()->Items()->Add(u"soft");
  mode->PopupBox()->Items()->Add(u"hard");
  mode->SetItemIndex(1);

  const std::string text = TextOf(*form);
  for (const char* line : {"TextLabel.Text = 'Pilot'", "TextLabel.Width = 90", "TextBox.Text = 'Anna'",
                           "TrackBar.Max = 200", "TrackBar.Value = 150", "Suffix = ' rpm'", "Value = 1"})
    EXPECT_NE(text.find(line), std::string::npos) << line << "\n" << text;
  EXPECT_EQ(text.find("object TvgLabel"), std::string::npos) << "parts are not children of the form";
  EXPECT_EQ(text.find("object TvgControl"), std::string::npos);

  rtl::TStringStream stream(text);
  auto* read = CreateObjectFromStream(nullptr, stream);
  ASSERT_NE(read, nullptr);
  read->SetParent(root);
  ASSERT_EQ(read->ChildrenCount(), 4);
  auto* readPilot = dynamic_cast<TvgCompoundTextBox*>(read->GetChild(0));
  auto* readNotes = dynamic_cast<TvgCompoundMemo*>(read->GetChild(1));
  auto* readSpeed = dynamic_cast<TvgCompoundTrackBar*>(read->GetChild(2));
  auto* readMode = dynamic_cast<TvgCompoundPopupBox*>(read->GetChild(3));
  ASSERT_TRUE(readPilot && readNotes && readSpeed && readMode);
  EXPECT_EQ(readPilot->TextLabel()->Text(), u"Pilot");
  EXPECT_EQ(readPilot->TextLabel()->Width(), 90);
  EXPECT_EQ(readPilot->GetText(), u"Anna");
  EXPECT_EQ(readNotes->GetText(), u"first\r\nsecond");
  EXPECT_EQ(readSpeed->Value(), 150);
  EXPECT_EQ(readSpeed->ValueLabel()->Text(), u"150.00 rpm");
  EXPECT_EQ(readMode->GetItemIndex(), 1);
  EXPECT_EQ(readMode->PopupBox()->Text(), u"hard");
  // Reading made no second set of parts.
  EXPECT_EQ(readPilot->ChildrenCount(), pilot->ChildrenCount());
  EXPECT_EQ(TextOf(*read), text);
}

TEST_F(Compounds, TheLabelSitsLeftOfTheEditor) {
  auto* pilot = Add<TvgCompoundTextBox>();
  EXPECT_EQ(pilot->Width(), 200);
  EXPECT_EQ(pilot->Height(), 21);
  EXPECT_EQ(pilot->TextLabel()->Name(), "TextLabel");
  EXPECT_EQ(pilot->TextLabel()->Text(), u"Caption");
  EXPECT_EQ(pilot->TextLabel()->Width(), 70);
  const TvgPoint box = pilot->TextBox()->LocalToAbsolute({0, 0});
  EXPECT_EQ(box.X, 75) << "after the label and its right padding";
  EXPECT_EQ(pilot->TextBox()->Width(), 125);
}

TEST_F(Compounds, TextReachesTheBoxAndItsChangeComesOutAsOnChange) {
  auto* pilot = Add<TvgCompoundTextBox>();
  Watch(*pilot);
  pilot->SetText(u"Anna");
  EXPECT_EQ(pilot->GetText(), u"Anna");
  EXPECT_EQ(pilot->TextBox()->Text(), u"Anna");
  EXPECT_EQ(changes, 0);
  pilot->TextBox()->SetFocus();
  scene->KeyChar(u'x', 0);
  std::uint16_t enter = vgKeyReturn;
  char16_t none = 0;
  pilot->TextBox()->KeyDown(enter, none, 0);
  EXPECT_EQ(changes, 1);
  EXPECT_EQ(sender, pilot->TextBox());
}

TEST_F(Compounds, TheTrackBarsValueLabelFollowsItsSettings) {
  const std::string point = rtl::FormatSettings().DecimalSeparator;
  const struct {
    float frequency;
    int digits;
    float value;
    std::string shown;
  } cases[] = {
      {0, 2, 42.7f, "42" + point + "70 rpm"},
      {0, 0, 42.7f, "43 rpm"},
      {0.5f, 1, 42.7f, "42" + point + "5 rpm"},  // snapped to the track's steps
      {2, 2, 42.7f, "42 rpm"},                    // whole steps show whole numbers
  };
  auto* speed = Add<TvgCompoundTrackBar>();
  speed->SetSuffix(u" rpm");
  for (const auto& c : cases) {
    SCOPED_TRACE(c.shown);
    speed->TrackBar()->SetFrequency(c.frequency);
    speed->SetDecimalDigits(c.digits);
    speed->SetValue(c.value);
    EXPECT_EQ(speed->ValueLabel()->Text(), rtl::Utf8ToUtf16(c.shown));
  }
  speed->TrackBar()->SetValue(10);  // a change of the track itself
  EXPECT_EQ(speed->ValueLabel()->Text(), u"10 rpm");
}

TEST_F(Compounds, TheAngleBarShowsWholeDegrees) {
  auto* angle = Add<TvgCompoundAngleBar>();
  Watch(*angle);
  angle->SetValue(42.7f);
  EXPECT_EQ(angle->ValueLabel()->Text(), u"42.");
  EXPECT_EQ(changes, 1);
  EXPECT_EQ(sender, angle->AngleButton());
}

TEST_F(Compounds, ValuesReachTheirEditors) {
  auto* number = Add<TvgCompoundNumberBox>();
  number->SetValue(7.5f);
  EXPECT_EQ(number->NumberBox()->Value(), 7.5f);
  auto* color = Add<TvgCompoundColorButton>();
  color->SetValue("#FF00AA00");
  EXPECT_EQ(color->ColorButton()->Color(), "#FF00AA00");
  EXPECT_EQ(color->GetValue(), "#FF00AA00");
  auto* image = Add<TvgCompoundImage>();
  EXPECT_EQ(image->Image()->Name(), "Image");
  EXPECT_EQ(image->Height(), 60);
}

}  // namespace
