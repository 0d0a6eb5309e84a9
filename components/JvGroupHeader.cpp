#include "components/JvGroupHeader.h"

#include <algorithm>

namespace components {

using gui::TColor;
using gui::TRect;

int DrawTextPlain(gui::TCanvas& canvas, const rtl::WideString& text, int length, TRect& rect, unsigned flags) {
  const rtl::WideString drawn = length < 0 ? text : text.substr(0, static_cast<std::size_t>(length));
  return canvas.DrawText(drawn, rect, flags & ~gui::DT_MODIFYSTRING);
}

// ----- TJvGroupHeaderOptions

TJvGroupHeaderOptions::TJvGroupHeaderOptions() : FBrush(new gui::TBrush), FPen(new gui::TPen) {
  FBrush->OnChange = [this](rtl::TObject*) { NotifyChange(); };
  FPen->OnChange = [this](rtl::TObject*) { NotifyChange(); };
}

TJvGroupHeaderOptions::~TJvGroupHeaderOptions() = default;

void TJvGroupHeaderOptions::Publish(rtl::TPublisher<TJvGroupHeaderOptions>& p) {
  using T = TJvGroupHeaderOptions;
  p.Property("Brush", &T::Brush, &T::SetBrush);
  p.Property("Height", &T::Height, &T::SetHeight).Default(2);
  p.Property("Pen", &T::Pen, &T::SetPen);
  p.Property("Shape", &T::Shape, &T::SetShape).Default(stRectangle);
  p.Property("Style", &T::Style, &T::SetStyle).Default(bsLowered);
}

void TJvGroupHeaderOptions::Assign(const rtl::TPersistent* source) {
  const auto* other = dynamic_cast<const TJvGroupHeaderOptions*>(source);
  if (!other) return inherited::Assign(source);
  rtl::TNotifyEvent held = std::exchange(OnChange, nullptr);
  SetBrush(other->Brush());
  SetHeight(other->Height());
  SetPen(other->Pen());
  SetShape(other->Shape());
  SetStyle(other->Style());
  OnChange = std::move(held);
  NotifyChange();
}

// ----- TJvGroupHeader

TJvGroupHeader::TJvGroupHeader(rtl::TComponent* owner)
    : TJvExGraphicControl(owner), FBevelOptions(new TJvGroupHeaderOptions) {
  SetControlStyle({gui::csOpaque, gui::csReplicatable, gui::csParentBackground});
  SetBounds(Left(), Top(), 200, 17);
  FBevelOptions->OnChange = [this](rtl::TObject* sender) { OptionsChanged(sender); };
}

TJvGroupHeader::~TJvGroupHeader() = default;

void TJvGroupHeader::Publish(rtl::TPublisher<TJvGroupHeader>& p) {
  using T = TJvGroupHeader;
  p.Property("Alignment", &T::Alignment, &T::SetAlignment).Default(taLeftJustify);
  p.Property("Caption", &T::Caption, &T::SetCaption);
  p.Property("Color", &T::Color, &T::SetColor).Stored(&T::ColorStored);
  p.Property("Enabled", &T::Enabled, &T::SetEnabled).Default(true);
  p.Property("Font", &T::Font, &T::SetFont).Stored(&T::FontStored);
  p.Property("ParentColor", &T::ParentColor, &T::SetParentColor).Default(true);
  p.Property("ParentFont", &T::ParentFont, &T::SetParentFont).Default(true);
  p.Property("ParentShowHint", &T::ParentShowHint, &T::SetParentShowHint).Default(true);
  p.Property("ShowHint", &T::ShowHint, &T::SetShowHint).Default(false);
  p.Property("Visible", &T::Visible, &T::SetVisible).Default(true);
  p.Property("PositionOffset", &T::PositionOffset, &T::SetPositionOffset).Default(0);
  p.Property("BevelOptions", &T::BevelOptions, &T::SetBevelOptions);
  p.Property("BevelSpace", &T::BevelSpace, &T::SetBevelSpace).Default(12);
  p.Property("Transparent", &T::Transparent, &T::SetTransparent).Default(false);
  p.Property("Layout", &T::Layout, &T::SetLayout).Default(lTop);
  p.Property("OnClick", &T::OnClick);
  p.Property("OnDblClick", &T::OnDblClick);
  p.Property("OnMouseDown", &T::OnMouseDown);
  p.Property("OnMouseMove", &T::OnMouseMove);
  p.Property("OnMouseUp", &T::OnMouseUp);
}

void TJvGroupHeader::SetTransparent(bool value) {
  if (value == Transparent()) return;
  gui::TControlStyle style = ControlStyle();
  if (value)
    style.Exclude(gui::csOpaque);
  else
    style.Include(gui::csOpaque);
  SetControlStyle(style);
  Invalidate();
}

void TJvGroupHeader::OptionsChanged(rtl::TObject*) { Invalidate(); }

void TJvGroupHeader::TextChanged() {
  inherited::TextChanged();
  Invalidate();
}

void TJvGroupHeader::FontChanged() {
  inherited::FontChanged();
  Invalidate();
}

void TJvGroupHeader::PaintBevelLine(TColor color, int x, int length, int y) {
  gui::TCanvas& canvas = *Canvas();
  canvas.Pen().SetColor(color);
  canvas.MoveTo(x, y);
  canvas.LineTo(x + length, y);
}

void TJvGroupHeader::PaintCaption(TRect& rect, unsigned flags) {
  gui::TCanvas& canvas = *Canvas();
  flags |= gui::DT_NOPREFIX;  // left-to-right reading: no further change
  canvas.Font().Assign(Font());
  if (Enabled()) {
    DrawTextPlain(canvas, CaptionText(), -1, rect, flags);
    return;
  }
  auto shift = [&rect](int d) {
    rect.Left += d, rect.Right += d, rect.Top += d, rect.Bottom += d;
  };
  shift(1);
  canvas.Font().Color = gui::clBtnHighlight;
  DrawTextPlain(canvas, CaptionText(), -1, rect, flags);
  shift(-1);
  canvas.Font().Color = gui::clBtnShadow;
  DrawTextPlain(canvas, CaptionText(), -1, rect, flags);
}

void TJvGroupHeader::FillControlBackground(gui::TCanvas& canvas, const TRect& rect) {
  gui::IControlParent* parent = ParentControl();
  const bool ownColour = !parent || gui::ColorToRGB(Color()) != gui::ColorToRGB(parent->BackgroundColor()) ||
                         !ControlStyle().Contains(gui::csParentBackground);
  if (ownColour) {
    canvas.FillRect(rect);
    return;
  }
  parent->PaintBackground(canvas, {rect.Left + Left(), rect.Top + Top(), rect.Right + Left(), rect.Bottom + Top()});
}

void TJvGroupHeader::Paint() {
  gui::TCanvas& canvas = *Canvas();
  const int W = Width(), H = Height();
  if (!Transparent()) {
    canvas.Brush().SetColor(Color());
    canvas.Brush().SetStyle(gui::bsSolid);
    FillControlBackground(canvas, ClientRect());
  }
  canvas.Brush().SetStyle(gui::bsClear);
  const int P = FPositionOffset, S = FBevelSpace;
  TRect R{P, 0, W + P, H};
  static constexpr unsigned kAlignFlags[] = {gui::DT_LEFT, gui::DT_RIGHT, gui::DT_CENTER};
  const unsigned flags = gui::DT_EXPANDTABS | kAlignFlags[FAlignment];
  if (FLayout != lTop) {
    TRect measured = R;
    PaintCaption(measured, flags | gui::DT_CALCRECT);
    const int shift = FLayout == lBottom ? H - measured.Bottom : (H - measured.Bottom) / 2;
    R.Top += shift;
    R.Bottom += shift;
  }
  PaintCaption(R, flags);

  const rtl::WideString caption = CaptionText();
  const int TH = canvas.TextHeight(caption), TW = canvas.TextWidth(caption);
  int X2 = 0, X3 = 0, X4 = 0;
  switch (FAlignment) {
    case taLeftJustify:
      X2 = P - S;
      X3 = P + TW + S;
      X4 = W - TW - S;
      break;
    case taRightJustify:
      X2 = P + W - TW - S;
      X3 = X2 + TW + 2 * S;
      X4 = W;
      break;
    case taCenter:
      X2 = (W - TW) / 2 + P - S;
      X3 = X2 + TW + 2 * S;
      X4 = W;
      break;
  }
  X2 = std::max(X2, 0);
  X4 = std::max(X4, X3);
  const int Y = FLayout == lTop ? TH / 2 : FLayout == lCenter ? H / 2 : H - TH / 2;

  if (FBevelOptions->Style() == bsShape) {
    PaintShapes(canvas, X2, Y);
    return;
  }
  const bool lowered = FBevelOptions->Style() == bsLowered;
  const TColor first = lowered ? gui::clBtnShadow : gui::clBtnHighlight;
  const TColor second = lowered ? gui::clBtnHighlight : gui::clBtnShadow;
  canvas.Pen().SetWidth(1);
  if (X2 != 0) {
    PaintBevelLine(first, 0, X2, Y);
    PaintBevelLine(second, 0, X2, Y + 1);
  }
  if (X4 != X3) {
    PaintBevelLine(first, X3, X4, Y);
    PaintBevelLine(second, X3, X4, Y + 1);
  }
}

void TJvGroupHeader::PaintShapes(gui::TCanvas& canvas, int leftLength, int y) {
  canvas.Pen().Assign(FBevelOptions->Pen());
  canvas.Brush().Assign(FBevelOptions->Brush());
  const int PW = canvas.Pen().Width();
  const TShapeType shape = FBevelOptions->Shape();
  int x = PW / 2;
  int top = PW / 2 + y - FBevelOptions->Height() / 2;
  int w = leftLength - PW + 1, h = FBevelOptions->Height() - PW + 1;
  if (PW == 0) --w, --h;
  const int M = std::min(w, h);
  int mirror = 0;
  if (shape == stSquare || shape == stRoundSquare || shape == stCircle) {
    x += (w - M) / 2;
    top += (h - M) / 2;
    w = h = M;
    mirror = Width() - 2 * x - w;
  } else {
    mirror = Width() - x - w;
  }
  auto draw = [&](int dx) {
    switch (shape) {
      case stRectangle:
      case stSquare:
        canvas.Rectangle(x + dx, top, x + dx + w, top + h);
        break;
      case stRoundRect:
      case stRoundSquare:
        canvas.RoundRect(x + dx, top, x + dx + w, top + h, M / 4, M / 4);
        break;
      case stEllipse:
      case stCircle:
        canvas.Ellipse(x + dx, top, x + dx + w, top + h);
        break;
    }
  };
  draw(0);
  if (FAlignment == taCenter) draw(mirror);
}

}  // namespace components
