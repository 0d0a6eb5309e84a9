#pragma once
// Controls that show one text.
//
// TvgTextControl keeps the text, font, text colour, alignments and word
// wrap itself and pushes them into its style's "text" part (a TvgText)
// whenever the style is applied or a value changes: the style decides
// where and how the text shows, the control what it says. A "foreground"
// brush resource in the style gives the text its colour. With AutoTranslate
// each applied style shows the text's translation. TvgLabel sizes
// itself to its text when AutoSize is on; TvgValueLabel neither translates
// nor wraps.
#include "ui/core/vg_control.h"
#include "ui/core/vg_font.h"
#include "ui/render/vg_objects.h"

namespace vg {

class TvgTextControl : public TvgControl {
  RTL_CLASS(TvgTextControl, TvgControl)

  explicit TvgTextControl(rtl::TComponent* owner);
  ~TvgTextControl() override;

  const rtl::WideString& GetText() const { return FText; }
  const rtl::WideString& Text() const { return FText; }
  // Stores a changed text and shows it in the "text" part (or the style
  // root when that is a TvgText).
  virtual void SetText(const rtl::WideString& value);
  TvgFont* Font() const { return FFont.get(); }
  void SetFont(const TvgFont* value) { FFont->Assign(value); }
  TvgBrush* FontFill() const { return FFontFill.get(); }
  void SetFontFill(const TvgBrush* value) { FFontFill->Assign(value); }
  TvgTextAlign TextAlign() const { return FTextAlign; }
  void SetTextAlign(TvgTextAlign value);
  TvgTextAlign VertTextAlign() const { return FVertTextAlign; }
  void SetVertTextAlign(TvgTextAlign value);
  bool WordWrap() const { return FWordWrap; }
  void SetWordWrap(bool value);

  // The text as a wide-string variant.
  rtl::Variant GetData() override;
  // Null gives the empty text, a date its date-time text, anything else
  // its text; always through SetText.
  void SetData(const rtl::Variant& value) override;

 protected:
  virtual void FontChanged(rtl::TObject* sender);
  virtual void FontFillChanged(rtl::TObject* sender);
  void ApplyStyle() override;
  // The style's "text" part when it is a TvgText, else nullptr.
  TvgText* TextPart();

  rtl::WideString FText;

 private:
  TvgOwned<TvgFont> FFont;
  TvgTextAlign FTextAlign = vgTextAlignCenter;
  TvgTextAlign FVertTextAlign = vgTextAlignCenter;
  TvgOwned<TvgBrush> FFontFill;
  bool FWordWrap = false;
};

class TvgLabel : public TvgTextControl {
  RTL_CLASS(TvgLabel, TvgTextControl)

  explicit TvgLabel(rtl::TComponent* owner);
  ~TvgLabel() override;

  // The label's own wrap switch (the base's stays as it is).
  bool WordWrap() const { return FLabelWordWrap; }
  void SetWordWrap(bool value);
  bool AutoSize() const { return FAutoSize; }
  // Switched on, sizes the label to its text at once and after every
  // change of text or style; the label stops wrapping from then on.
  void SetAutoSize(bool value);
  void SetText(const rtl::WideString& value) override;

 protected:
  void ApplyStyle() override;

 private:
  static void Publish(rtl::TPublisher<TvgLabel>& p);
  void FitToText(TvgText& part);

  bool FLabelWordWrap = true;
  bool FAutoSize = false;
  bool FApplyingStyle = false;
};

class TvgValueLabel : public TvgLabel {
  RTL_CLASS(TvgValueLabel, TvgLabel)

  explicit TvgValueLabel(rtl::TComponent* owner);

 private:
  static void Publish(rtl::TPublisher<TvgValueLabel>& p);
};

class TvgHudLabel : public TvgLabel {
  RTL_CLASS(TvgHudLabel, TvgLabel)
  using TvgLabel::TvgLabel;
};

}  // namespace vg
