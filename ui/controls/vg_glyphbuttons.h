#pragma once
// Push buttons with a glyph beside their text: the bitmap button (glyph in
// the style's "image" part) and the path button (glyph path in the "path"
// part, placed through "pathowner"), each with a tool variant that takes no
// focus and puts the glyph on top; and the state button, which paints one
// of three bitmaps by its state instead of a style.
#include "ui/controls/vg_custombutton.h"
#include "ui/core/vg_bitmap.h"
#include "ui/core/vg_brush.h"
#include "ui/core/vg_canvas.h"
#include "ui/core/vg_pathdata.h"

namespace vg {

RTL_ENUM(TvgButtonLayout, vgGlyphLeft, vgGlyphRight, vgGlyphTop, vgGlyphBottom, vgGlyphCenter)

class TvgBitmapButton : public TvgCustomButton {
  RTL_CLASS(TvgBitmapButton, TvgCustomButton)

  explicit TvgBitmapButton(rtl::TComponent* owner);
  ~TvgBitmapButton() override;

  TvgBitmap* Bitmap() const { return FBitmap.get(); }
  // Copies the picture; the glyph follows.
  void SetBitmap(const TvgBitmap* value) { FBitmap->Assign(value); }
  TvgButtonLayout BitmapLayout() const { return FBitmapLayout; }
  void SetBitmapLayout(TvgButtonLayout value) { Restyle(FBitmapLayout, value, true); }
  float BitmapSpacing() const { return FBitmapSpacing; }
  void SetBitmapSpacing(float value) { Restyle(FBitmapSpacing, value); }
  float BitmapSize() const { return FBitmapSize; }
  void SetBitmapSize(float value) { Restyle(FBitmapSize, value); }
  float BitmapPadding() const { return FBitmapPadding; }
  void SetBitmapPadding(float value) { Restyle(FBitmapPadding, value); }

 protected:
  void ApplyStyle() override;

 private:
  static void Publish(rtl::TPublisher<TvgBitmapButton>& p);
  template <class T>
  void Restyle(T& field, T value, bool whileLoading = false) {
    if (field == value) return;
    field = value;
    if (whileLoading || !IsLoading()) ApplyStyle();
  }
  void UpdateGlyph();

  TvgOwned<TvgBitmap> FBitmap;
  TvgButtonLayout FBitmapLayout = vgGlyphLeft;
  float FBitmapSpacing = 0;
  float FBitmapSize = 32;
  float FBitmapPadding = 2;
};

class TvgToolButton : public TvgBitmapButton {
  RTL_CLASS(TvgToolButton, TvgBitmapButton)

  explicit TvgToolButton(rtl::TComponent* owner);

 private:
  static void Publish(rtl::TPublisher<TvgToolButton>& p);
};

class TvgPathButton : public TvgCustomButton {
  RTL_CLASS(TvgPathButton, TvgCustomButton)

  explicit TvgPathButton(rtl::TComponent* owner);
  ~TvgPathButton() override;

  TvgPathData* Path() const { return FPath.get(); }
  void SetPath(const TvgPathData* value) { FPath->Assign(value); }
  TvgButtonLayout PathLayout() const { return FPathLayout; }
  void SetPathLayout(TvgButtonLayout value) { Restyle(FPathLayout, value, true); }
  float PathSpacing() const { return FPathSpacing; }
  void SetPathSpacing(float value) { Restyle(FPathSpacing, value); }
  float PathSize() const { return FPathSize; }
  void SetPathSize(float value) { Restyle(FPathSize, value); }
  float PathPadding() const { return FPathPadding; }
  void SetPathPadding(float value) { Restyle(FPathPadding, value); }
  TvgBrush* PathFill() const { return FFill.get(); }
  void SetPathFill(const TvgBrush* value) { FFill->Assign(value); }
  TvgBrush* PathStroke() const { return FStroke.get(); }
  void SetPathStroke(const TvgBrush* value) { FStroke->Assign(value); }
  float PathStrokeThickness() const { return FStrokeThickness; }
  void SetPathStrokeThickness(float value) { Restyle(FStrokeThickness, value); }
  TvgStrokeCap PathStrokeCap() const { return FStrokeCap; }
  void SetPathStrokeCap(TvgStrokeCap value) { Restyle(FStrokeCap, value); }
  TvgStrokeDash PathStrokeDash() const { return FStrokeDash; }
  void SetPathStrokeDash(TvgStrokeDash value) { Restyle(FStrokeDash, value); }
  TvgStrokeJoin PathStrokeJoin() const { return FStrokeJoin; }
  void SetPathStrokeJoin(TvgStrokeJoin value) { Restyle(FStrokeJoin, value); }

 protected:
  void ApplyStyle() override;

 private:
  static void Publish(rtl::TPublisher<TvgPathButton>& p);
  template <class T>
  void Restyle(T& field, T value, bool whileLoading = false) {
    if (field == value) return;
    field = value;
    if (whileLoading || !IsLoading()) ApplyStyle();
  }
  void PathChanged(rtl::TObject* sender);

  TvgOwned<TvgPathData> FPath;
  TvgButtonLayout FPathLayout = vgGlyphLeft;
  float FPathSize = 32;
  float FPathSpacing = 0;
  float FPathPadding = 2;
  float FStrokeThickness = 1;
  TvgOwned<TvgBrush> FFill;
  TvgOwned<TvgBrush> FStroke;
  TvgStrokeCap FStrokeCap = vgCapFlat;
  TvgStrokeDash FStrokeDash = vgDashSolid;
  TvgStrokeJoin FStrokeJoin = vgJoinMiter;
};

class TvgToolPathButton : public TvgPathButton {
  RTL_CLASS(TvgToolPathButton, TvgPathButton)

  explicit TvgToolPathButton(rtl::TComponent* owner);

 private:
  static void Publish(rtl::TPublisher<TvgToolPathButton>& p);
};

// Paints BitmapDown while pressed, else BitmapHot under the mouse, else
// Bitmap: at its own size centred when it fits, else shrunk to fit.
class TvgBitmapStateButton : public TvgCustomButton {
  RTL_CLASS(TvgBitmapStateButton, TvgCustomButton)

  explicit TvgBitmapStateButton(rtl::TComponent* owner);
  ~TvgBitmapStateButton() override;

  TvgBitmap* Bitmap() const { return FBitmap.get(); }
  void SetBitmap(const TvgBitmap* value) { FBitmap->Assign(value); }
  TvgBitmap* BitmapHot() const { return FBitmapHot.get(); }
  void SetBitmapHot(const TvgBitmap* value) { FBitmapHot->Assign(value); }
  TvgBitmap* BitmapDown() const { return FBitmapDown.get(); }
  void SetBitmapDown(const TvgBitmap* value) { FBitmapDown->Assign(value); }
  // The bitmap the button shows now.
  TvgBitmap* Showing() const;

  void StartTriggerAnimation(TvgObject* instance, const std::string& trigger) override;
  void MouseEnter() override;
  void MouseLeave() override;
  void Paint() override;

 private:
  static void Publish(rtl::TPublisher<TvgBitmapStateButton>& p);

  TvgOwned<TvgBitmap> FBitmap;
  TvgOwned<TvgBitmap> FBitmapDown;
  TvgOwned<TvgBitmap> FBitmapHot;
};

}  // namespace vg
