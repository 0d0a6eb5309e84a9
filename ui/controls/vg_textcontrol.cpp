#include "ui/controls/vg_textcontrol.h"

#include "platform/rtl/DateTime.h"
#include "platform/rtl/TextConvert.h"
#include "ui/controls/vg_flagscope.h"
#include "ui/core/vg_translate.h"

namespace vg {

// ----- TvgTextControl

TvgTextControl::TvgTextControl(rtl::TComponent* owner)
    : TvgControl(owner), FFont(new TvgFont), FFontFill(new TvgBrush(vgBrushSolid, 0xFF000000)) {
  FFont->OnChanged = [this](rtl::TObject* sender) { FontChanged(sender); };
  FFontFill->OnChanged = [this](rtl::TObject* sender) { FontFillChanged(sender); };
}

TvgTextControl::~TvgTextControl() { TearDown(); }

TvgText* TvgTextControl::TextPart() { return dynamic_cast<TvgText*>(FindResource("text")); }

void TvgTextControl::SetText(const rtl::WideString& value) {
  if (value == FText) return;
  FText = value;
  if (TvgText* part = TextPart()) {
    part->SetText(FText);
    part->UpdateEffects();
  } else if (auto* root = dynamic_cast<TvgText*>(ResourceLink())) {
    root->SetText(FText);
  } else {
    Repaint();
  }
  UpdateEffects();
}

void TvgTextControl::SetTextAlign(TvgTextAlign value) {
  FTextAlign = value;
  if (TvgText* part = TextPart())
    part->SetHorzTextAlign(value);
  else
    Repaint();
}

void TvgTextControl::SetVertTextAlign(TvgTextAlign value) {
  FVertTextAlign = value;
  if (TvgText* part = TextPart())
    part->SetVertTextAlign(value);
  else
    Repaint();
}

void TvgTextControl::SetWordWrap(bool value) {
  FWordWrap = value;
  if (TvgText* part = TextPart()) part->SetWordWrap(value);
}

void TvgTextControl::FontChanged(rtl::TObject*) {
  if (TvgText* part = TextPart()) part->SetFont(FFont.get());
}

void TvgTextControl::FontFillChanged(rtl::TObject*) {
  if (TvgText* part = TextPart()) part->SetFill(FFontFill.get());
}

rtl::Variant TvgTextControl::GetData() { return rtl::Variant(FText); }

void TvgTextControl::SetData(const rtl::Variant& value) {
  switch (value.VarType()) {
    case rtl::varNull:
      SetText({});
      break;
    case rtl::varDate:
      SetText(rtl::Utf8ToUtf16(rtl::DateTimeToStr(value.AsDate())));
      break;
    default:
      SetText(value.AsWideString());
  }
}

void TvgTextControl::ApplyStyle() {
  inherited::ApplyStyle();
  if (auto* foreground = dynamic_cast<TvgBrushObject*>(FindResource("foreground")))
    FFontFill->Assign(foreground->Brush());
  if (TvgText* part = TextPart()) {
    part->SetText(FText);
    part->SetHorzTextAlign(FTextAlign);
    part->SetVertTextAlign(FVertTextAlign);
    part->SetWordWrap(FWordWrap);
    part->SetFont(FFont.get());
  }
  if (!AutoTranslate()) return;
  const rtl::WideString translated = Translate(FText);  // collected even at design time
  IvgScene* scene = GetScene();
  if (!(scene && scene->GetDesignTime())) SetText(translated);
}

// ----- TvgLabel

TvgLabel::TvgLabel(rtl::TComponent* owner) : TvgTextControl(owner) {
  FAutoTranslate = true;
  SetWidth(120);
  SetHeight(15);
  SetHitTest(false);
}

TvgLabel::~TvgLabel() { TearDown(); }

void TvgLabel::Publish(rtl::TPublisher<TvgLabel>& p) {
  using T = TvgLabel;
  p.Property("AutoSize", &T::AutoSize, &T::SetAutoSize).Default(false);
  p.Property("AutoTranslate", &T::AutoTranslate, &T::SetAutoTranslate).Default(true);
  p.Property("BindingSource", &T::BindingSource, &T::SetBindingSource);
  p.Property("Font", &T::Font, &T::SetFont);
  p.Property("TextAlign", &T::TextAlign, &T::SetTextAlign).Default(vgTextAlignCenter);
  p.Property("VertTextAlign", &T::VertTextAlign, &T::SetVertTextAlign).Default(vgTextAlignCenter);
  p.Property("Text", &T::Text, &T::SetText);
  p.Property("HitTest", &T::HitTest, &T::SetHitTest).Default(false);
  p.Property("WordWrap", &T::WordWrap, &T::SetWordWrap).Default(true);
}

void TvgLabel::SetWordWrap(bool value) {
  if (value == FLabelWordWrap) return;
  FLabelWordWrap = value;
  if (TvgText* part = TextPart()) part->SetWordWrap(value);
}

void TvgLabel::SetAutoSize(bool value) {
  if (value == FAutoSize) return;
  FAutoSize = value;
  if (FAutoSize) ApplyStyle();
}

void TvgLabel::SetText(const rtl::WideString& value) {
  if (value == FText) return;
  inherited::SetText(value);
  if (FAutoSize) ApplyStyle();
}

void TvgLabel::ApplyStyle() {
  // The translated text is set from inside the style and would ask for the
  // style again (without end when translations map texts into each other);
  // the label is sized once, below.
  if (FApplyingStyle) return;
  {
    TFlagScope applying(FApplyingStyle);
    inherited::ApplyStyle();
  }
  TvgText* part = TextPart();
  if (!part) return;
  part->SetWordWrap(FLabelWordWrap);
  if (FAutoSize) FitToText(*part);
}

void TvgLabel::FitToText(TvgText& part) {
  FLabelWordWrap = false;
  part.SetWordWrap(false);
  part.SetVertTextAlign(vgTextAlignNear);
  part.SetHorzTextAlign(vgTextAlignNear);
  const TvgAlign align = part.Align();
  part.SetAlign(vaNone);
  part.SetAutoSize(true);
  SetWidth(part.Width());
  SetHeight(part.Height());
  part.SetAutoSize(false);
  part.SetAlign(align);
}

// ----- TvgValueLabel

TvgValueLabel::TvgValueLabel(rtl::TComponent* owner) : TvgLabel(owner) {
  FAutoTranslate = false;
  SetWordWrap(false);
}

void TvgValueLabel::Publish(rtl::TPublisher<TvgValueLabel>& p) {
  using T = TvgValueLabel;
  p.Property("AutoTranslate", &T::AutoTranslate, &T::SetAutoTranslate).Default(false);
  p.Property("WordWrap", &T::WordWrap, &T::SetWordWrap).Default(false);
}

}  // namespace vg
