#include "ui/core/vg_canvas.h"

#include "platform/rtl/Exceptions.h"
#include "ui/core/vg_bitmap.h"
#include "ui/core/vg_brush.h"
#include "ui/core/vg_font.h"
#include "ui/core/vg_pathdata.h"
#include "ui/core/vg_pixels.h"

namespace vg {

TvgCanvasClass DefaultPrinterCanvasClass = nullptr;

namespace {

[[noreturn]] void AbstractError() { throw rtl::EAbstractError("Abstract Error"); }

TvgOwned<TvgBrush> CopyOf(const TvgBrush& brush, TvgColor defaultColor) {
  TvgOwned<TvgBrush> copy(new TvgBrush(vgBrushSolid, defaultColor));
  copy->Assign(&brush);
  return copy;
}

}  // namespace

TvgCanvas::TvgCanvas() { CreateDrawingState(); }

TvgCanvas::TvgCanvas(TvgBitmap& bitmap) {
  bitmap.KeepPixelsPrivate();
  CreateDrawingState();
  FWidth = bitmap.Width();
  FHeight = bitmap.Height();
}

void TvgCanvas::CreateDrawingState() {
  FFill.reset(new TvgBrush(vgBrushSolid, 0xFFFFFFFF));
  FStroke.reset(new TvgBrush(vgBrushSolid, 0xFF000000));
  FFont.reset(new TvgFont);
  FFont->OnChanged = [this](rtl::TObject* sender) { FontChanged(sender); };
}

TvgCanvas::~TvgCanvas() {
  FSaveData.clear();
  FFont.reset();
  FStroke.reset();
  FFill.reset();
}

void TvgCanvas::FontChanged(rtl::TObject*) {}
void TvgCanvas::FlushBuffer(int, int, std::uintptr_t) { AbstractError(); }
void TvgCanvas::FlushBufferRect(int, int, std::uintptr_t, const TvgRect&) { AbstractError(); }
void TvgCanvas::FreeBuffer() { AbstractError(); }
void TvgCanvas::ResizeBuffer(int, int) { AbstractError(); }
void TvgCanvas::Clear(TvgColor) { AbstractError(); }
void TvgCanvas::ClearRect(const TvgRect&, TvgColor) { AbstractError(); }
int TvgCanvas::SaveCanvas() { AbstractError(); }
void TvgCanvas::RestoreCanvas(int) { AbstractError(); }
void TvgCanvas::SetClipRects(const std::vector<TvgRect>&) { AbstractError(); }
void TvgCanvas::IntersectClipRect(const TvgRect&) { AbstractError(); }
void TvgCanvas::ExcludeClipRect(const TvgRect&) { AbstractError(); }
void TvgCanvas::ResetClipRect() { AbstractError(); }
void TvgCanvas::DrawLine(TvgPoint, TvgPoint, float) { AbstractError(); }
void TvgCanvas::FillRect(const TvgRect&, float, float, TvgCorners, float, TvgCornerType) {
  AbstractError();
}
void TvgCanvas::DrawRect(const TvgRect&, float, float, TvgCorners, float, TvgCornerType) {
  AbstractError();
}
void TvgCanvas::FillEllipse(const TvgRect&, float) { AbstractError(); }
void TvgCanvas::DrawEllipse(const TvgRect&, float) { AbstractError(); }
bool TvgCanvas::PtInPath(TvgPoint, const TvgRect&, TvgPathData&) { AbstractError(); }
void TvgCanvas::FillPath(TvgPathData&, const TvgRect&, float) { AbstractError(); }
void TvgCanvas::DrawPath(TvgPathData&, const TvgRect&, float) { AbstractError(); }
void TvgCanvas::DrawBitmap(TvgBitmap&, const TvgRect&, const TvgRect&, float, bool) {
  AbstractError();
}
void TvgCanvas::DrawThumbnail(TvgBitmap&, float, float) { AbstractError(); }
bool TvgCanvas::LoadFontFromStream(rtl::TStream&) { return false; }
void TvgCanvas::FillText(const TvgRect&, const TvgRect&, const rtl::WideString&, bool, float,
                         TvgTextAlign, TvgTextAlign) {
  AbstractError();
}
void TvgCanvas::MeasureText(TvgRect&, const TvgRect&, const rtl::WideString&, bool, TvgTextAlign,
                            TvgTextAlign) {
  AbstractError();
}
bool TvgCanvas::TextToPath(TvgPathData&, const TvgRect&, const rtl::WideString&, bool, TvgTextAlign,
                           TvgTextAlign) {
  AbstractError();
}

void TvgCanvas::SetStrokeDash(TvgStrokeDash style) {
  if (style == FStrokeDash) return;
  FStrokeDash = style;
  switch (style) {
    case vgDashSolid:
      FDash.clear();
      break;
    case vgDashDash:
      FDash = {3, 1};
      break;
    case vgDashDot:
      FDash = {1, 1};
      break;
    case vgDashDashDot:
      FDash = {3, 1, 1, 1};
      break;
    case vgDashDashDotDot:
      FDash = {3, 1, 1, 1, 1, 1};
      break;
    case vgDashCustom:
      return;
  }
  FDashOffset = 0;
}

void TvgCanvas::SetCustomDash(const std::vector<float>& pattern, float offset) {
  FStrokeDash = vgDashCustom;
  FDash = pattern;
  FDashOffset = offset;
}

void TvgCanvas::FillArc(TvgPoint center, TvgPoint radius, float startAngle, float sweepAngle,
                        float opacity) {
  TvgPathData path;
  path.AddArc(center, radius, startAngle, sweepAngle);
  FillPath(path, path.GetBounds(), opacity);
}

void TvgCanvas::DrawArc(TvgPoint center, TvgPoint radius, float startAngle, float sweepAngle,
                        float opacity) {
  TvgPathData path;
  path.AddArc(center, radius, startAngle, sweepAngle);
  DrawPath(path, path.GetBounds(), opacity);
}

namespace {

void PolygonToPath(const TvgPolygon& polygon, TvgPathData& path) {
  bool startFigure = true;
  for (const TvgPoint& p : polygon) {
    if (p == ClosePolygon) {
      path.ClosePath();
      startFigure = true;
    } else if (startFigure) {
      path.MoveTo(p);
      startFigure = false;
    } else {
      path.LineTo(p);
    }
  }
}

}  // namespace

void TvgCanvas::FillPolygon(const TvgPolygon& polygon, float opacity) {
  TvgPathData path;
  PolygonToPath(polygon, path);
  FillPath(path, path.GetBounds(), opacity);
}

void TvgCanvas::DrawPolygon(const TvgPolygon& polygon, float opacity) {
  TvgPathData path;
  PolygonToPath(polygon, path);
  DrawPath(path, path.GetBounds(), opacity);
}

void TvgCanvas::DrawRectSides(const TvgRect& r, float xRadius, float yRadius, TvgCorners corners,
                              float opacity, TvgSides sides, TvgCornerType cornerType) {
  const float width = vgRectWidth(r), height = vgRectHeight(r);
  const float xr = width - 2 * xRadius < 0 ? width / 2 : xRadius;
  const float yr = height - 2 * yRadius < 0 ? height / 2 : yRadius;
  TvgPathData path;
  auto edgeTo = [&](TvgSide side, TvgPoint p) {
    if (sides.Contains(side))
      path.LineTo(p);
    else
      path.MoveTo(p);
  };
  // A corner at k, entered at k + a along side `in` and left at k + b along side `out`.
  auto corner = [&](TvgCorner which, TvgPoint k, TvgPoint a, TvgPoint b, TvgSide in, TvgSide out) {
    auto at = [&](float fa, float fb) {
      return TvgPoint{k.X + a.X * fa + b.X * fb, k.Y + a.Y * fa + b.Y * fb};
    };
    if (!corners.Contains(which)) {
      edgeTo(in, k);
      edgeTo(out, at(0, 1));
      return;
    }
    switch (cornerType) {
      case vgCornerRound:
        path.CurveTo(at(0.5f, 0), at(0, 0.5f), at(0, 1));
        break;
      case vgCornerBevel:
        path.LineTo(at(0, 1));
        break;
      case vgCornerInnerRound:
        path.CurveTo(at(1, 0.5f), at(0.5f, 1), at(0, 1));
        break;
      case vgCornerInnerLine:
        path.LineTo(at(1, 0.5f));
        path.LineTo(at(0.5f, 1));
        path.LineTo(at(0, 1));
        break;
    }
  };
  path.MoveTo({r.Left, r.Top + yr});
  corner(vgCornerTopLeft, {r.Left, r.Top}, {0, yr}, {xr, 0}, vgSideLeft, vgSideTop);
  edgeTo(vgSideTop, {r.Right - xr, r.Top});
  corner(vgCornerTopRight, {r.Right, r.Top}, {-xr, 0}, {0, yr}, vgSideTop, vgSideRight);
  edgeTo(vgSideRight, {r.Right, r.Bottom - yr});
  corner(vgCornerBottomRight, {r.Right, r.Bottom}, {0, -yr}, {-xr, 0}, vgSideRight, vgSideBottom);
  edgeTo(vgSideBottom, {r.Left + xr, r.Bottom});
  corner(vgCornerBottomLeft, {r.Left, r.Bottom}, {xr, 0}, {0, -yr}, vgSideBottom, vgSideLeft);
  if (sides.Contains(vgSideLeft)) path.LineTo({r.Left, r.Top + yr});
  DrawPath(path, r, opacity);
}

float TvgCanvas::TextWidth(const rtl::WideString& text) {
  TvgRect r{0, 0, 10000, 20};
  MeasureText(r, r, text, false, vgTextAlignNear, vgTextAlignCenter);
  return vgRectWidth(r);
}

std::vector<float> TvgCanvas::CaretOffsets(const rtl::WideString& text) {
  std::vector<float> offsets(text.size() + 1, 0);
  for (std::size_t n = 1; n <= text.size(); ++n) offsets[n] = TextWidth(text.substr(0, n));
  return offsets;
}

float TvgCanvas::TextHeight(const rtl::WideString& text) {
  TvgRect r{0, 0, 10000, 10000};
  MeasureText(r, r, text, false, vgTextAlignNear, vgTextAlignCenter);
  return vgRectHeight(r);
}

void TvgCanvas::AssignTo(rtl::TPersistent* dest) const {
  auto* bitmap = dynamic_cast<TvgBitmap*>(dest);
  if (!bitmap) AssignError(dest);
  bitmap->SetSize(FWidth, FHeight);
  if (FBuffered && FBufferBits && bitmap->Bits()) {
    vgMoveLongword(FBufferBits, bitmap->Bits(), FWidth * FHeight);
    bitmap->SetNeedUpdate(true);
  }
}

bool TvgCanvas::SaveToStream(rtl::TStream& stream) {
  if (!FBuffered || !FBufferBits) return false;
  TvgBitmap bitmap(FWidth, FHeight);
  if (bitmap.Bits()) vgMoveLongword(FBufferBits, bitmap.Bits(), FWidth * FHeight);
  return bitmap.SaveToStream(stream);
}

void TvgCanvas::SaveToBits(void* bits) {
  if (!FBuffered || !FBufferBits || !bits) return;
  vgMoveLongword(FBufferBits, static_cast<std::uint32_t*>(bits), FWidth * FHeight);
}

int TvgCanvas::StoreState(std::uintptr_t token) {
  size_t index = 0;
  while (index < FSaveData.size() && FSaveData[index].Index != TvgSaveData::kFreeSlot) ++index;
  if (index == FSaveData.size()) FSaveData.emplace_back();
  TvgSaveData& slot = FSaveData[index];
  slot.Index = token;
  slot.Matrix = FMatrix;
  slot.Stroke = CopyOf(*FStroke, 0xFFFFFFFF);
  slot.Fill = CopyOf(*FFill, 0xFF000000);
  slot.StrokeThickness = FStrokeThickness;
  slot.StrokeCap = FStrokeCap;
  slot.StrokeJoin = FStrokeJoin;
  slot.StrokeDash = FStrokeDash;
  if (FStrokeDash != vgDashSolid)
    slot.Dash = FDash;
  else
    slot.Dash.clear();
  slot.DashOffset = FDashOffset;
  slot.Font.reset(new TvgFont);
  slot.Font->Assign(FFont.get());
  return static_cast<int>(index);
}

bool TvgCanvas::IsSavedState(int state) const {
  return static_cast<unsigned>(state) < FSaveData.size() &&
         FSaveData[static_cast<unsigned>(state)].Index != TvgSaveData::kFreeSlot;
}

void TvgCanvas::LoadState(int index) {
  TvgSaveData& slot = FSaveData[static_cast<unsigned>(index)];
  slot.Index = TvgSaveData::kFreeSlot;
  FMatrix = slot.Matrix;
  if (slot.Stroke) FStroke->Assign(slot.Stroke.get());
  if (slot.Fill) FFill->Assign(slot.Fill.get());
  slot.Stroke.reset();
  slot.Fill.reset();
  SetMatrix(FMatrix);
  FStrokeThickness = slot.StrokeThickness;
  FStrokeCap = slot.StrokeCap;
  FStrokeJoin = slot.StrokeJoin;
  FStrokeDash = slot.StrokeDash;
  // A solid style must not keep a pattern from the strokes in between.
  if (FStrokeDash != vgDashSolid)
    FDash = slot.Dash;
  else
    FDash.clear();
  FDashOffset = slot.DashOffset;
  if (slot.Font) FFont->Assign(slot.Font.get());
  slot.Font.reset();
}

}  // namespace vg
