#include "ui/controls/vg_expander.h"

#include "platform/rtl/Filer.h"
#include "ui/core/vg_textforms.h"

namespace vg {

namespace {

constexpr float kCaptionHeight = 25;

}  // namespace

TvgExpanderButton::TvgExpanderButton(rtl::TComponent* owner) : TvgCustomButton(owner) { FCanFocused = false; }

TvgExpander::TvgExpander(rtl::TComponent* owner) : TvgTextControl(owner) {
  FAutoTranslate = true;
  SetWidth(130);
  SetHeight(130);
  FContent = new TvgContent(nullptr);
  FContent->SetClipChildren(false);
  FContent->SetHitTest(false);
  FContent->SetLocked(true);
  FContent->SetStored(false);
  FContent->Padding()->SetTop(kCaptionHeight);
  FContent->SetBounds(0, 0, Width(), Height());
  FContent->SetParent(this);
}

TvgExpander::~TvgExpander() { TearDown(); }

void TvgExpander::Publish(rtl::TPublisher<TvgExpander>& p) {
  using T = TvgExpander;
  p.Property("Font", &T::Font, &T::SetFont);
  p.Property("TextAlign", &T::TextAlign, &T::SetTextAlign).Default(vgTextAlignCenter);
  p.Property("Text", &T::Text, &T::SetText);
  p.Property("AutoTranslate", &T::AutoTranslate, &T::SetAutoTranslate).Default(true);
  p.Property("IsExpanded", &T::IsExpanded, &T::SetIsExpanded).Default(true);
  p.Property("IsChecked", &T::IsChecked, &T::SetIsChecked).Default(true);
  p.Property("ShowCheck", &T::ShowCheck, &T::SetShowCheck).Default(false);
  p.Property("OnCheckChange", &T::OnCheckChange);
}

void TvgExpander::DefineProperties(rtl::TFiler& filer) {
  inherited::DefineProperties(filer);
  filer.DefineProperty(
      "ContentSize",
      [this](rtl::TReader& reader) { FContent->SetHeight(vgStrToFloat(reader.ReadString())); },
      [this](rtl::TWriter& writer) { writer.WriteString(vgFloatToStr(FContent->Height())); }, true);
}

void TvgExpander::AddObject(TvgObject* child) {
  if (FContent && child != FContent && child != ResourceLink())
    FContent->AddObject(child);
  else
    inherited::AddObject(child);
}

void TvgExpander::Realign() {
  inherited::Realign();
  if (IsLoading() || FAligning || !FContent) return;
  FAligning = true;
  if (FIsExpanded) {
    const float top = FContent->Padding()->Top();
    FContent->SetBounds(0, top, Width(), Height() - top);
  }
  FAligning = false;
}

void TvgExpander::RaiseExpanded() {
  StartTriggerAnimation(this, "IsExpanded");
  if (FButton) FButton->StartTriggerAnimation(this, "IsExpanded");
}

void TvgExpander::SetIsExpanded(bool value) {
  if (value == FIsExpanded) return;
  if (!ResourceLink()) ApplyResource();
  FIsExpanded = value;
  if (FIsExpanded) {
    FContent->SetVisible(true);
    if (FButton) SetHeight(FButton->Height() + FContent->Height());
    Repaint();
  } else {
    Repaint();
    FContent->SetVisible(false);
    if (FButton) SetHeight(FButton->Height());
  }
  RaiseExpanded();
}

void TvgExpander::SetIsChecked(bool value) {
  if (value == FIsChecked) return;
  FIsChecked = value;
  FContent->SetEnabled(FIsChecked);
  if (FCheck) FCheck->SetIsChecked(FIsChecked);
}

void TvgExpander::SetShowCheck(bool value) {
  FShowCheck = value;
  if (FCheck) FCheck->SetVisible(FShowCheck);
}

void TvgExpander::CheckChanged(rtl::TObject*) {
  FIsChecked = FCheck->IsChecked();
  FContent->SetEnabled(FIsChecked);
  OnCheckChange(this);
}

void TvgExpander::ApplyStyle() {
  inherited::ApplyStyle();
  FCheck = dynamic_cast<TvgCheckBox*>(FindResource("checkbox"));
  if (FCheck) {
    FCheck->SetVisible(FShowCheck);
    FCheck->SetIsChecked(FIsChecked);
    FCheck->OnChange = [this](rtl::TObject* sender) { CheckChanged(sender); };
  }
  FButton = dynamic_cast<TvgCustomButton*>(FindResource("button"));
  if (FButton) {
    FButton->OnClick = [this](rtl::TObject* sender) { Toggle(sender); };
    FButton->ApplyResource();
    FButton->StartTriggerAnimation(this, "IsExpanded");
    FButton->SetCanFocused(false);
  }
  StartTriggerAnimation(this, "IsExpanded");
}

void TvgExpander::FreeStyle() {
  FCheck = nullptr;
  FButton = nullptr;
  inherited::FreeStyle();
}

}  // namespace vg
