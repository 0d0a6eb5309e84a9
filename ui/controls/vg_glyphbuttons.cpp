#include "ui/controls/vg_glyphbuttons.h"

#include "ui/render/vg_objects.h"

namespace vg {

namespace {

TvgVisualObject* VisualPart(TvgControl& control, const char* name) {
  TvgObject* part = control.FindResource(name);
  return part && part->IsVisual() ? part->Visual() : nullptr;
}

void PadAllSides(TvgVisualObject& node, float padding) { node.Padding()->SetRect({padding, padding, padding, padding}); }

// Aligns the glyph's node to the side the layout names, `size` long across
// it, `spacing` away from the text.
void PlaceGlyph(TvgVisualObject& glyph, TvgButtonLayout layout, float size, float spacing) {
  TvgBounds& padding = *glyph.Padding();
  switch (layout) {
    case vgGlyphLeft:
      glyph.SetAlign(vaLeft);
      glyph.SetWidth(size);
      padding.SetRight(spacing);
      break;
    case vgGlyphRight:
      glyph.SetAlign(vaRight);
      glyph.SetWidth(size);
      padding.SetLeft(spacing);
      break;
    case vgGlyphTop:
      glyph.SetAlign(vaTop);
      glyph.SetHeight(size);
      padding.SetBottom(spacing);
      break;
    case vgGlyphBottom:
      glyph.SetAlign(vaBottom);
      glyph.SetHeight(size);
      padding.SetTop(spacing);
      break;
    case vgGlyphCenter:
      glyph.SetAlign(vaCenter);
      glyph.SetWidth(size);
      glyph.SetHeight(size);
      padding.SetRect({spacing, spacing, spacing, spacing});
      break;
  }
}

}  // namespace

// ----- TvgBitmapButton

TvgBitmapButton::TvgBitmapButton(rtl::TComponent* owner) : TvgCustomButton(owner), FBitmap(new TvgBitmap(1, 1)) {
  FBitmap->OnChange = [this](rtl::TObject*) { UpdateGlyph(); };
  SetWidth(50);
  SetHeight(60);
}

TvgBitmapButton::~TvgBitmapButton() { TearDown(); }

void TvgBitmapButton::Publish(rtl::TPublisher<TvgBitmapButton>& p) {
  using T = TvgBitmapButton;
  p.Property("Bitmap", &T::Bitmap, &T::SetBitmap);
  p.Property("BitmapLayout", &T::BitmapLayout, &T::SetBitmapLayout).Default(vgGlyphLeft);
  p.Property("BitmapSpacing", &T::BitmapSpacing, &T::SetBitmapSpacing).Default(0.0f);
  p.Property("BitmapSize", &T::BitmapSize, &T::SetBitmapSize).Default(32.0f);
  p.Property("BitmapPadding", &T::BitmapPadding, &T::SetBitmapPadding).Default(2.0f);
}

void TvgBitmapButton::ApplyStyle() {
  inherited::ApplyStyle();
  UpdateGlyph();
  if (TvgVisualObject* text = VisualPart(*this, "text")) PadAllSides(*text, FBitmapPadding);
}

void TvgBitmapButton::UpdateGlyph() {
  auto* image = dynamic_cast<TvgImage*>(FindResource("image"));
  if (!image) return;
  image->Bitmap()->Assign(FBitmap.get());
  PadAllSides(*image, FBitmapPadding);
  const TvgBitmap& glyph = *image->Bitmap();
  if ((glyph.Width() <= 1 || glyph.Height() <= 1) && glyph.GetResourceName().empty()) {
    image->SetAlign(vaNone);  // an empty glyph takes no place
    return;
  }
  PlaceGlyph(*image, FBitmapLayout, FBitmapSize, FBitmapSpacing);
}

TvgToolButton::TvgToolButton(rtl::TComponent* owner) : TvgBitmapButton(owner) {
  FCanFocused = false;
  SetBitmapLayout(vgGlyphTop);
}

void TvgToolButton::Publish(rtl::TPublisher<TvgToolButton>& p) {
  using T = TvgToolButton;
  p.Property("BitmapLayout", &T::BitmapLayout, &T::SetBitmapLayout).Default(vgGlyphTop);
  p.Property("CanFocused", &T::CanFocused, &T::SetCanFocused).Default(false);
}

// ----- TvgPathButton

TvgPathButton::TvgPathButton(rtl::TComponent* owner)
    : TvgCustomButton(owner),
      FPath(new TvgPathData),
      FFill(new TvgBrush(vgBrushSolid, 0xFFFFFFFF)),
      FStroke(new TvgBrush(vgBrushSolid, 0xFF000000)) {
  FPath->OnChanged = [this](rtl::TObject* sender) { PathChanged(sender); };
  FFill->OnChanged = [this](rtl::TObject* sender) { PathChanged(sender); };
  FStroke->OnChanged = [this](rtl::TObject* sender) { PathChanged(sender); };
  SetWidth(50);
  SetHeight(60);
}

TvgPathButton::~TvgPathButton() { TearDown(); }

void TvgPathButton::Publish(rtl::TPublisher<TvgPathButton>& p) {
  using T = TvgPathButton;
  p.Property("Path", &T::Path, &T::SetPath);
  p.Property("PathLayout", &T::PathLayout, &T::SetPathLayout).Default(vgGlyphLeft);
  p.Property("PathSpacing", &T::PathSpacing, &T::SetPathSpacing).Default(0.0f);
  p.Property("PathSize", &T::PathSize, &T::SetPathSize).Default(32.0f);
  p.Property("PathPadding", &T::PathPadding, &T::SetPathPadding).Default(2.0f);
  p.Property("PathFill", &T::PathFill, &T::SetPathFill);
  p.Property("PathStroke", &T::PathStroke, &T::SetPathStroke);
  p.Property("PathStrokeThickness", &T::PathStrokeThickness, &T::SetPathStrokeThickness).Default(1.0f);
  p.Property("PathStrokeCap", &T::PathStrokeCap, &T::SetPathStrokeCap).Default(vgCapFlat);
  p.Property("PathStrokeDash", &T::PathStrokeDash, &T::SetPathStrokeDash).Default(vgDashSolid);
  p.Property("PathStrokeJoin", &T::PathStrokeJoin, &T::SetPathStrokeJoin).Default(vgJoinMiter);
}

void TvgPathButton::PathChanged(rtl::TObject*) {
  Repaint();
  ApplyStyle();
}

void TvgPathButton::ApplyStyle() {
  inherited::ApplyStyle();
  if (auto* path = dynamic_cast<TvgPath*>(FindResource("path"))) {
    path->SetPathData(FPath.get());
    path->SetFill(FFill.get());
    path->SetStroke(FStroke.get());
    path->SetStrokeThickness(FStrokeThickness);
    path->SetStrokeCap(FStrokeCap);
    path->SetStrokeJoin(FStrokeJoin);
    path->SetStrokeDash(FStrokeDash);
  }
  if (TvgVisualObject* owner = VisualPart(*this, "pathowner")) {
    PadAllSides(*owner, FPathPadding);
    if (FPath->IsEmpty())
      owner->SetAlign(vaNone);
    else
      PlaceGlyph(*owner, FPathLayout, FPathSize, FPathSpacing);
  }
  if (TvgVisualObject* text = VisualPart(*this, "text")) PadAllSides(*text, FPathPadding);
}

TvgToolPathButton::TvgToolPathButton(rtl::TComponent* owner) : TvgPathButton(owner) {
  FCanFocused = false;
  SetPathLayout(vgGlyphTop);
}

void TvgToolPathButton::Publish(rtl::TPublisher<TvgToolPathButton>& p) {
  using T = TvgToolPathButton;
  p.Property("PathLayout", &T::PathLayout, &T::SetPathLayout).Default(vgGlyphTop);
  p.Property("CanFocused", &T::CanFocused, &T::SetCanFocused).Default(false);
}

// ----- TvgBitmapStateButton

TvgBitmapStateButton::TvgBitmapStateButton(rtl::TComponent* owner)
    : TvgCustomButton(owner), FBitmap(new TvgBitmap(1, 1)), FBitmapDown(new TvgBitmap(1, 1)),
      FBitmapHot(new TvgBitmap(1, 1)) {
  FBitmap->OnChange = [this](rtl::TObject*) { Repaint(); };
  SetWidth(64);
  SetHeight(64);
}

TvgBitmapStateButton::~TvgBitmapStateButton() { TearDown(); }

void TvgBitmapStateButton::Publish(rtl::TPublisher<TvgBitmapStateButton>& p) {
  using T = TvgBitmapStateButton;
  p.Property("Bitmap", &T::Bitmap, &T::SetBitmap);
  p.Property("BitmapHot", &T::BitmapHot, &T::SetBitmapHot);
  p.Property("BitmapDown", &T::BitmapDown, &T::SetBitmapDown);
}

TvgBitmap* TvgBitmapStateButton::Showing() const {
  if (IsPressed()) return FBitmapDown.get();
  return IsMouseOver() ? FBitmapHot.get() : FBitmap.get();
}

void TvgBitmapStateButton::StartTriggerAnimation(TvgObject* instance, const std::string& trigger) {
  inherited::StartTriggerAnimation(instance, trigger);
  if (trigger.find("IsPressed") != std::string::npos) Repaint();
}

void TvgBitmapStateButton::MouseEnter() {
  inherited::MouseEnter();
  Repaint();
}

void TvgBitmapStateButton::MouseLeave() {
  inherited::MouseLeave();
  Repaint();
}

void TvgBitmapStateButton::Paint() {
  TvgCanvas* canvas = GetCanvas();
  TvgBitmap& bitmap = *Showing();
  if (!canvas || bitmap.IsEmpty()) return;
  const TvgRect source{0, 0, float(bitmap.Width()), float(bitmap.Height())};
  TvgRect dest = source;
  if (vgFitRect(dest, GetLocalRect()) <= 1) {
    dest = source;
    vgRectCenter(dest, GetLocalRect());
  }
  canvas->DrawBitmap(bitmap, source, dest, GetAbsoluteOpacity(), false);
}

}  // namespace vg
