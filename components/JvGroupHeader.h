#pragma once
// TJvGroupHeader: a one-line caption with, beside it, a pair of bevel
// lines (lowered or raised) or, in shape mode, a rectangle, rounded
// rectangle or ellipse in the options' pen and brush; a heading over a
// group of controls. It has no window and paints on its parent.
#include <memory>

#include "components/JvExControls.h"

namespace components {

RTL_ENUM(TAlignment, taLeftJustify, taRightJustify, taCenter)
RTL_ENUM(TJvLayout, lTop, lCenter, lBottom)
RTL_ENUM(TJvBevelStyle, bsShape, bsLowered, bsRaised)
RTL_ENUM(TShapeType, stRectangle, stSquare, stRoundRect, stRoundSquare, stEllipse, stCircle)

// The bevel options; every change (of a value, or of the pen or brush)
// calls OnChange with the options as sender.
class TJvGroupHeaderOptions : public rtl::TPersistent {
  RTL_CLASS(TJvGroupHeaderOptions, rtl::TPersistent)

  TJvGroupHeaderOptions();
  ~TJvGroupHeaderOptions() override;

  gui::TBrush* Brush() const { return FBrush.get(); }
  void SetBrush(const gui::TBrush* value) { FBrush->Assign(value); }
  int Height() const { return FHeight; }
  void SetHeight(int value) { Update(FHeight, value); }
  gui::TPen* Pen() const { return FPen.get(); }
  void SetPen(const gui::TPen* value) { FPen->Assign(value); }
  TShapeType Shape() const { return FShape; }
  void SetShape(TShapeType value) { Update(FShape, value); }
  TJvBevelStyle Style() const { return FStyle; }
  void SetStyle(TJvBevelStyle value) { Update(FStyle, value); }

  // From other options: all five values, then one notification.
  void Assign(const rtl::TPersistent* source) override;

  rtl::TNotifyEvent OnChange;
  static void Publish(rtl::TPublisher<TJvGroupHeaderOptions>& p);

 private:
  void NotifyChange() { OnChange(this); }
  template <class T>
  void Update(T& field, T value) {
    if (field == value) return;
    field = value;
    NotifyChange();
  }

  std::unique_ptr<gui::TBrush> FBrush;
  int FHeight = 2;
  std::unique_ptr<gui::TPen> FPen;
  TShapeType FShape = stRectangle;
  TJvBevelStyle FStyle = bsLowered;
};

// Draws text with the canvas's DrawText, never letting it change the text
// (DT_MODIFYSTRING is dropped); length -1 draws all of it.
int DrawTextPlain(gui::TCanvas& canvas, const rtl::WideString& text, int length, gui::TRect& rect, unsigned flags);

class TJvGroupHeader : public TJvExGraphicControl {
  RTL_CLASS(TJvGroupHeader, TJvExGraphicControl)

  explicit TJvGroupHeader(rtl::TComponent* owner);
  ~TJvGroupHeader() override;

  TAlignment Alignment() const { return FAlignment; }
  void SetAlignment(TAlignment value) { Update(FAlignment, value); }
  TJvLayout Layout() const { return FLayout; }
  void SetLayout(TJvLayout value) { Update(FLayout, value); }
  TJvGroupHeaderOptions* BevelOptions() const { return FBevelOptions.get(); }
  void SetBevelOptions(const TJvGroupHeaderOptions* value) { FBevelOptions->Assign(value); }
  int BevelSpace() const { return FBevelSpace; }
  void SetBevelSpace(int value) { Update(FBevelSpace, value); }
  int PositionOffset() const { return FPositionOffset; }
  void SetPositionOffset(int value) { Update(FPositionOffset, value); }
  // True exactly when the control is not opaque.
  bool Transparent() const { return !ControlStyle().Contains(gui::csOpaque); }
  void SetTransparent(bool value);

  void TextChanged() override;
  void FontChanged() override;

  static void Publish(rtl::TPublisher<TJvGroupHeader>& p);

 protected:
  virtual void OptionsChanged(rtl::TObject* sender);
  virtual void PaintBevelLine(gui::TColor color, int x, int length, int y);
  virtual void PaintCaption(gui::TRect& rect, unsigned flags);
  virtual rtl::WideString CaptionText() const { return Caption(); }
  void Paint() override;

 private:
  template <class T>
  void Update(T& field, T value) {
    if (field == value) return;
    field = value;
    Invalidate();
  }
  // The background: the control's colour, or the parent's background where
  // the colour is the parent's.
  void FillControlBackground(gui::TCanvas& canvas, const gui::TRect& rect);
  void PaintShapes(gui::TCanvas& canvas, int leftLength, int y);

  TAlignment FAlignment = taLeftJustify;
  TJvLayout FLayout = lTop;
  std::unique_ptr<TJvGroupHeaderOptions> FBevelOptions;
  int FBevelSpace = 12;
  int FPositionOffset = 0;
};

}  // namespace components
