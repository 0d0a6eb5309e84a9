#pragma once
// The class library's canvas: a drawing surface with a pen, a brush and a
// font, integer pixel coordinates, and text drawn with the platform's
// DrawText flags. TCanvas is abstract; TCairoCanvas (CairoCanvas.h) draws
// with cairo and pango, and tests record the calls.
//
// Colours are TColor (0x00BBGGRR); the system colours (0x80000000 plus an
// index: clBtnFace, clBtnShadow...) resolve through ColorToRGB to the
// fixed scheme of this platform.
#include <string>

#include "platform/gui/Font.h"
#include "platform/gui/Input.h"
#include "platform/rtl/Event.h"
#include "platform/rtl/Persistent.h"

namespace gui {

inline constexpr TColor clBlack = 0x000000, clWhite = 0xFFFFFF, clNone = 0x1FFFFFFF, clDefault = 0x20000000;
inline constexpr TColor clBtnFace = int(0x8000000F), clBtnShadow = int(0x80000010),
                        clBtnText = int(0x80000012), clBtnHighlight = int(0x80000014),
                        clInfoBk = int(0x80000018);
// A system colour as the RGB colour it stands for; other colours unchanged.
TColor ColorToRGB(TColor color);

RTL_ENUM(TPenStyle, psSolid, psDash, psDot, psDashDot, psDashDotDot, psClear, psInsideFrame)
RTL_ENUM(TBrushStyle, bsSolid, bsClear, bsHorizontal, bsVertical, bsFDiagonal, bsBDiagonal, bsCross,
         bsDiagCross)

// Pen and brush notify their owner (OnChange) after every change of value.
class TPen : public rtl::TPersistent {
  RTL_CLASS(TPen, rtl::TPersistent)

  TColor Color() const { return color_; }
  void SetColor(TColor value) { Set(color_, value); }
  int Width() const { return width_; }
  void SetWidth(int value) { Set(width_, value); }
  TPenStyle Style() const { return style_; }
  void SetStyle(TPenStyle value) { Set(style_, value); }
  void Assign(const rtl::TPersistent* source) override;

  rtl::TNotifyEvent OnChange;
  static void Publish(rtl::TPublisher<TPen>& p);

 private:
  template <class T>
  void Set(T& field, T value) {
    if (field == value) return;
    field = value;
    OnChange(this);
  }
  TColor color_ = clBlack;
  int width_ = 1;
  TPenStyle style_ = psSolid;
};

class TBrush : public rtl::TPersistent {
  RTL_CLASS(TBrush, rtl::TPersistent)

  TColor Color() const { return color_; }
  void SetColor(TColor value) { Set(color_, value); }
  TBrushStyle Style() const { return style_; }
  void SetStyle(TBrushStyle value) { Set(style_, value); }
  void Assign(const rtl::TPersistent* source) override;

  rtl::TNotifyEvent OnChange;
  static void Publish(rtl::TPublisher<TBrush>& p);

 private:
  template <class T>
  void Set(T& field, T value) {
    if (field == value) return;
    field = value;
    OnChange(this);
  }
  TColor color_ = clWhite;
  TBrushStyle style_ = bsSolid;
};

// DrawText flags, with the platform's values.
inline constexpr unsigned DT_LEFT = 0x0, DT_CENTER = 0x1, DT_RIGHT = 0x2, DT_VCENTER = 0x4, DT_BOTTOM = 0x8,
                          DT_WORDBREAK = 0x10, DT_SINGLELINE = 0x20, DT_EXPANDTABS = 0x40, DT_NOCLIP = 0x100,
                          DT_CALCRECT = 0x400, DT_NOPREFIX = 0x800, DT_MODIFYSTRING = 0x10000;

class TCanvas {
 public:
  virtual ~TCanvas() = default;

  TPen& Pen() { return pen_; }
  TBrush& Brush() { return brush_; }
  TFont& Font() { return font_; }
  TPoint PenPos() const { return penPos_; }

  void MoveTo(int x, int y) { penPos_ = {x, y}; }
  // A line with the pen from the pen position to (x, y), which is not
  // drawn; (x, y) becomes the pen position.
  void LineTo(int x, int y);
  // Shapes filled with the brush (unless clear) and outlined with the pen
  // (unless clear), the right and bottom edges exclusive.
  virtual void Rectangle(int x1, int y1, int x2, int y2) = 0;
  virtual void RoundRect(int x1, int y1, int x2, int y2, int cornerWidth, int cornerHeight) = 0;
  virtual void Ellipse(int x1, int y1, int x2, int y2) = 0;
  // Fills with the brush, no outline.
  virtual void FillRect(const TRect& rect) = 0;
  // The size of one line of text in the canvas font.
  virtual TPoint TextExtent(const rtl::WideString& text) = 0;
  int TextWidth(const rtl::WideString& text) { return TextExtent(text).X; }
  int TextHeight(const rtl::WideString& text) { return TextExtent(text).Y; }
  // Draws text into rect by the DT_ flags in the font's colour, on the
  // brush unless it is clear; with DT_CALCRECT draws nothing and sets
  // rect's right and bottom to the text's extent. Returns the text height.
  virtual int DrawText(const rtl::WideString& text, TRect& rect, unsigned flags) = 0;

 protected:
  virtual void DrawLine(TPoint from, TPoint to) = 0;

 private:
  TPen pen_;
  TBrush brush_;
  TFont font_;
  TPoint penPos_;
};

}  // namespace gui
