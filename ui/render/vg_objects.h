#pragma once
// The shapes: leaf nodes that paint themselves through TvgCanvas in their
// local space (0, 0, Width, Height) at the node's absolute opacity. Every
// style of the toolkit is a tree of them.
//
// TvgShape owns a fill and a stroke brush (setting Fill or Stroke copies the
// given brush) and hands them, with the stroke settings, to the canvas in
// BeforePaint; AfterPaint puts the canvas dash and thickness back to solid
// and 1. Setters store only changed values, then mark the node's effect
// image dirty and repaint as each one says.
#include <functional>
#include <memory>

#include "platform/rtl/Event.h"
#include "ui/core/vg_bitmap.h"
#include "ui/core/vg_brush.h"
#include "ui/core/vg_canvas.h"
#include "ui/core/vg_designframe.h"
#include "ui/core/vg_font.h"
#include "ui/core/vg_pathdata.h"
#include "ui/core/vg_visual.h"

namespace vg {

RTL_ENUM(TvgLineType, vgLineNormal, vgLineHorizontal, vgLineVertical)
RTL_ENUM(TvgCalloutPosition, vgCalloutTop, vgCalloutLeft, vgCalloutBottom, vgCalloutRight)
RTL_ENUM(TvgImageWrap, vgImageOriginal, vgImageFit, vgImageStretch, vgImageTile)
RTL_ENUM(TvgPathWrap, vgPathOriginal, vgPathFit, vgPathStretch, vgPathTile)

class TvgShape : public TvgVisualObject {
  RTL_CLASS(TvgShape, TvgVisualObject)

  explicit TvgShape(rtl::TComponent* owner);
  ~TvgShape() override;

  TvgBrush* Fill() const { return FFill.get(); }
  void SetFill(const TvgBrush* value) { FFill->Assign(value); }
  TvgBrush* Stroke() const { return FStroke.get(); }
  void SetStroke(const TvgBrush* value) { FStroke->Assign(value); }
  float StrokeThickness() const { return FStrokeThickness; }
  void SetStrokeThickness(float value);
  TvgStrokeCap StrokeCap() const { return FStrokeCap; }
  void SetStrokeCap(TvgStrokeCap value);
  TvgStrokeJoin StrokeJoin() const { return FStrokeJoin; }
  void SetStrokeJoin(TvgStrokeJoin value);
  TvgStrokeDash StrokeDash() const { return FStrokeDash; }
  void SetStrokeDash(TvgStrokeDash value);

  // The local rectangle, shrunk by half the stroke thickness on every side
  // unless the stroke is switched off (style none).
  TvgRect GetShapeRect();

  // Brush notifications: repaint (outside BeginUpdate/EndUpdate) and mark
  // the effect image dirty.
  virtual void FillChanged(rtl::TObject* sender);
  virtual void StrokeChanged(rtl::TObject* sender);

  void BeforePaint() override;
  void AfterPaint() override;

 protected:
  // A shape whose brushes start (and stay stored relative to) other
  // defaults than a solid light-grey fill and a solid black stroke.
  TvgShape(rtl::TComponent* owner, TvgBrushStyle fillStyle, TvgColor fillColor,
           TvgBrushStyle strokeStyle);
  // Stores value when it differs, then marks effects dirty and repaints.
  template <class T>
  void UpdateDrawn(T& field, T value) {
    if (field == value) return;
    field = value;
    UpdateEffects();
    Repaint();
  }
  // Stores value when it differs, then repaints.
  template <class T>
  void UpdatePainted(T& field, T value) {
    if (field == value) return;
    field = value;
    Repaint();
  }

 private:
  static void Publish(rtl::TPublisher<TvgShape>& p);

  TvgOwned<TvgBrush> FFill;
  float FStrokeThickness = 1;
  TvgOwned<TvgBrush> FStroke;
  TvgStrokeCap FStrokeCap = vgCapFlat;
  TvgStrokeJoin FStrokeJoin = vgJoinMiter;
  TvgStrokeDash FStrokeDash = vgDashSolid;
};

class TvgLine : public TvgShape {
  RTL_CLASS(TvgLine, TvgShape)

  explicit TvgLine(rtl::TComponent* owner) : TvgShape(owner) {}
  TvgLineType LineType() const { return FLineType; }
  void SetLineType(TvgLineType value);
  void Paint() override;

 private:
  static void Publish(rtl::TPublisher<TvgLine>& p);
  TvgLineType FLineType = vgLineNormal;
};

class TvgRectangle : public TvgShape {
  RTL_CLASS(TvgRectangle, TvgShape)

  explicit TvgRectangle(rtl::TComponent* owner) : TvgShape(owner) {}
  float xRadius() const { return FxRadius; }
  float yRadius() const { return FyRadius; }
  TvgCorners Corners() const { return FCorners; }
  TvgCornerType CornerType() const { return FCornerType; }
  TvgSides Sides() const { return FSides; }
  virtual void SetxRadius(float value);
  virtual void SetyRadius(float value);
  virtual void SetCorners(TvgCorners value);
  virtual void SetCornerType(TvgCornerType value);
  virtual void SetSides(TvgSides value);
  // Fills the shape rectangle (grown by half the stroke across every side
  // that is not drawn), then strokes the listed sides.
  void Paint() override;

 private:
  static void Publish(rtl::TPublisher<TvgRectangle>& p);
  float FyRadius = 0;
  float FxRadius = 0;
  TvgCorners FCorners = AllCorners;
  TvgCornerType FCornerType = vgCornerRound;
  TvgSides FSides = AllSides;
};

// A rectangle registered under its own name for styles.
class TvgSidesRectangle : public TvgRectangle {
  RTL_CLASS(TvgSidesRectangle, TvgRectangle)
  explicit TvgSidesRectangle(rtl::TComponent* owner) : TvgRectangle(owner) {}
};

// The cached, blurred image of a blur shape. The shape is drawn into the
// buffer at the node's absolute opacity and blurred once; every paint then
// copies the buffer at opacity 1, so the opacity is applied once. A change
// of size, of the opacity or of what the shape's setters name rebuilds it.
class TvgBlurBuffer {
 public:
  float Softness() const { return FSoftness; }
  bool Recreate() const { return FRecreate; }
  void Invalidate() { FRecreate = true; }
  TvgBitmap* Buffer() const { return FBuffer.get(); }
  // Radius Trunc(Softness x 15); draw runs only when a rebuild is due, on
  // the buffer's canvas carrying the shape's brushes, with the local
  // rectangle inset by the radius and the opacity to draw at.
  void Paint(TvgShape& shape, const std::function<void(TvgCanvas&, const TvgRect&, float)>& draw);
  // False when value is the softness already; a change rebuilds the buffer.
  bool SetSoftness(float value);

 private:
  TvgOwned<TvgBitmap> FBuffer;
  float FSoftness = 0.3f;
  bool FRecreate = true;
  float FOpacity = -1;  // the opacity the buffer was drawn at
};

class TvgBlurRectangle : public TvgRectangle {
  RTL_CLASS(TvgBlurRectangle, TvgRectangle)

  explicit TvgBlurRectangle(rtl::TComponent* owner);
  float Softness() const { return FBlur.Softness(); }
  void SetSoftness(float value);
  const TvgBlurBuffer& Blur() const { return FBlur; }
  void SetxRadius(float value) override;
  void SetyRadius(float value) override;
  void SetCorners(TvgCorners value) override;
  void SetCornerType(TvgCornerType value) override;
  void FillChanged(rtl::TObject* sender) override;
  void Paint() override;

 private:
  static void Publish(rtl::TPublisher<TvgBlurRectangle>& p);
  TvgBlurBuffer FBlur;
};

class TvgRoundRect : public TvgShape {
  RTL_CLASS(TvgRoundRect, TvgShape)

  explicit TvgRoundRect(rtl::TComponent* owner) : TvgShape(owner) {}
  TvgCorners Corners() const { return FCorners; }
  virtual void SetCorners(TvgCorners value);
  // Radius: half the shorter side of the shape rectangle.
  void Paint() override;

 private:
  static void Publish(rtl::TPublisher<TvgRoundRect>& p);
  TvgCorners FCorners = AllCorners;
};

class TvgBlurRoundRect : public TvgRoundRect {
  RTL_CLASS(TvgBlurRoundRect, TvgRoundRect)

  explicit TvgBlurRoundRect(rtl::TComponent* owner);
  float Softness() const { return FBlur.Softness(); }
  void SetSoftness(float value);
  const TvgBlurBuffer& Blur() const { return FBlur; }
  void SetCorners(TvgCorners value) override;
  void FillChanged(rtl::TObject* sender) override;
  void Paint() override;

 private:
  static void Publish(rtl::TPublisher<TvgBlurRoundRect>& p);
  TvgBlurBuffer FBlur;
};

// A rectangle with a triangular tab on one side, drawn as its own outline
// (clockwise from the top-left corner, not closed).
class TvgCalloutRectangle : public TvgRectangle {
  RTL_CLASS(TvgCalloutRectangle, TvgRectangle)

  explicit TvgCalloutRectangle(rtl::TComponent* owner);
  float CalloutWidth() const { return FCalloutWidth; }
  void SetCalloutWidth(float value);
  float CalloutLength() const { return FCalloutLength; }
  void SetCalloutLength(float value);
  TvgCalloutPosition CalloutPosition() const { return FCalloutPosition; }
  void SetCalloutPosition(TvgCalloutPosition value);
  float CalloutOffset() const { return FCalloutOffset; }
  void SetCalloutOffset(float value);
  // Rebuilds the outline from the current geometry.
  void CreatePath();
  const TvgPathData& Path() const { return *FPath; }
  void Paint() override;

 private:
  static void Publish(rtl::TPublisher<TvgCalloutRectangle>& p);
  template <class T>
  void UpdateOutline(T& field, T value);

  TvgOwned<TvgPathData> FPath;
  float FCalloutWidth = 23;
  float FCalloutLength = 11;
  TvgCalloutPosition FCalloutPosition = vgCalloutTop;
  float FCalloutOffset = 0;
};

class TvgEllipse : public TvgShape {
  RTL_CLASS(TvgEllipse, TvgShape)

  explicit TvgEllipse(rtl::TComponent* owner) : TvgShape(owner) {}
  void Paint() override;
  // Inside the ellipse of the whole local rectangle, boundary included.
  bool PointInObject(float x, float y) override;

 protected:
  using TvgShape::TvgShape;
};

class TvgCircle : public TvgEllipse {
  RTL_CLASS(TvgCircle, TvgEllipse)

  explicit TvgCircle(rtl::TComponent* owner) : TvgEllipse(owner) {}
  void Paint() override;
};

// Pie and arc: centre (Width/2, Height/2), radii half the size less the
// stroke thickness. The pie sweeps EndAngle - StartAngle, the arc EndAngle.
class TvgPie : public TvgEllipse {
  RTL_CLASS(TvgPie, TvgEllipse)

  explicit TvgPie(rtl::TComponent* owner) : TvgEllipse(owner) {}
  float StartAngle() const { return FStartAngle; }
  void SetStartAngle(float value);
  float EndAngle() const { return FEndAngle; }
  void SetEndAngle(float value);
  void Paint() override;
  // The pie's outline through the canvas; the ellipse test without one.
  bool PointInObject(float x, float y) override;

 private:
  static void Publish(rtl::TPublisher<TvgPie>& p);
  void BuildPath(TvgPathData& path);
  float FStartAngle = 0;
  float FEndAngle = -90;
};

class TvgArc : public TvgEllipse {
  RTL_CLASS(TvgArc, TvgEllipse)

  explicit TvgArc(rtl::TComponent* owner);
  float StartAngle() const { return FStartAngle; }
  void SetStartAngle(float value);
  float EndAngle() const { return FEndAngle; }
  void SetEndAngle(float value);
  void Paint() override;

 private:
  static void Publish(rtl::TPublisher<TvgArc>& p);
  float FStartAngle = 0;
  float FEndAngle = -90;
};

// Text painted with the fill in the local rectangle; AutoSize fits the node
// to the text, Stretch scales the text's extent to the node.
class TvgText : public TvgShape {
  RTL_CLASS(TvgText, TvgShape)

  explicit TvgText(rtl::TComponent* owner);
  ~TvgText() override;

  const rtl::WideString& Text() const { return FText; }
  void SetText(const rtl::WideString& value);
  TvgFont* Font() const { return FFont.get(); }
  void SetFont(const TvgFont* value);
  TvgTextAlign HorzTextAlign() const { return FHorzTextAlign; }
  void SetHorzTextAlign(TvgTextAlign value);
  TvgTextAlign VertTextAlign() const { return FVertTextAlign; }
  void SetVertTextAlign(TvgTextAlign value);
  bool WordWrap() const { return FWordWrap; }
  void SetWordWrap(bool value);
  bool AutoSize() const { return FAutoSize; }
  void SetAutoSize(bool value);
  bool Stretch() const { return FStretch; }
  void SetStretch(bool value);

  virtual void FontChanged(rtl::TObject* sender);
  // Sizes the node to the measured text (needs a canvas), then realigns
  // the visual parent.
  void AdjustSize();

  rtl::Variant GetData() override;
  void SetData(const rtl::Variant& value) override;
  void Paint() override;
  void Realign() override;
  // Where the text lies: it may run past the node (a line wider than the
  // node, wrapped lines taller than it).
  TvgRect GetDrawnRect() override;

 private:
  static void Publish(rtl::TPublisher<TvgText>& p);
  // Changes what the text covers: the area it covered and the one it
  // covers now are both repainted.
  template <class Change>
  void Redraw(Change&& change);

  rtl::WideString FText;
  TvgOwned<TvgFont> FFont;
  TvgTextAlign FVertTextAlign = vgTextAlignCenter;
  TvgTextAlign FHorzTextAlign = vgTextAlignCenter;
  bool FWordWrap = true;
  bool FAutoSize = false;
  bool FStretch = false;
  bool FAdjusting = false;
};

// A bitmap drawn by wrap mode, or as nine parts when margins are set.
class TvgImage : public TvgVisualObject {
  RTL_CLASS(TvgImage, TvgVisualObject)

  explicit TvgImage(rtl::TComponent* owner);
  ~TvgImage() override;

  TvgBitmap* Bitmap() const { return FBitmap.get(); }
  void SetBitmap(const TvgBitmap* value);
  TvgBounds* BitmapMargins() const { return FBitmapMargins.get(); }
  TvgImageWrap WrapMode() const { return FWrapMode; }
  void SetWrapMode(TvgImageWrap value);
  bool DisableInterpolation() const { return FDisableInterpolation; }
  void SetDisableInterpolation(bool value) { FDisableInterpolation = value; }

  virtual void DoBitmapChanged(rtl::TObject* sender);
  // The bitmap as an object reference.
  rtl::Variant GetData() override;
  // An object reference to a persistent copies it, another object reference
  // is ignored, anything else names a picture file to load.
  void SetData(const rtl::Variant& value) override;
  void Paint() override;

  rtl::TNotifyEvent OnBitmapLoaded;

 private:
  static void Publish(rtl::TPublisher<TvgImage>& p);
  void DoBitmapLoaded(rtl::TObject* sender);
  void PaintWrapped(TvgCanvas& canvas, TvgBitmap& bitmap);
  void PaintNineParts(TvgCanvas& canvas, TvgBitmap& bitmap);

  TvgOwned<TvgBitmap> FBitmap;
  TvgOwned<TvgBounds> FBitmapMargins;
  TvgImageWrap FWrapMode = vgImageFit;
  bool FDisableInterpolation = false;
};

// A path filled and stroked by wrap mode in the shape rectangle.
class TvgCustomPath : public TvgShape {
  RTL_CLASS(TvgCustomPath, TvgShape)

  explicit TvgCustomPath(rtl::TComponent* owner);
  ~TvgCustomPath() override;

  TvgPathData* Data() const { return FData.get(); }
  // Copies value into the own path data (which repaints). Named apart from
  // the binding value's SetData.
  void SetPathData(const TvgPathData* value) { FData->Assign(value); }
  TvgPathWrap WrapMode() const { return FWrapMode; }
  void SetWrapMode(TvgPathWrap value);

  void Paint() override;
  // At design time the box; otherwise inside the path stretched onto the
  // shape rectangle (the box for a path of fewer than two points).
  bool PointInObject(float x, float y) override;

 private:
  static void Publish(rtl::TPublisher<TvgCustomPath>& p);
  void PaintTiles(const TvgRect& shape, const TvgRect& bounds,
                  const std::function<void(const TvgRect&)>& place);

  TvgOwned<TvgPathData> FData;
  TvgPathWrap FWrapMode = vgPathStretch;
};

class TvgPath : public TvgCustomPath {
  RTL_CLASS(TvgPath, TvgCustomPath)
  explicit TvgPath(rtl::TComponent* owner) : TvgCustomPath(owner) {}
};

class TvgScrollArrowLeft : public TvgCustomPath {
  RTL_CLASS(TvgScrollArrowLeft, TvgCustomPath)
  explicit TvgScrollArrowLeft(rtl::TComponent* owner);
};

class TvgScrollArrowRight : public TvgCustomPath {
  RTL_CLASS(TvgScrollArrowRight, TvgCustomPath)
  explicit TvgScrollArrowRight(rtl::TComponent* owner);
};

// Paint handler of a paint box: the box and the canvas.
using TvgPaintBoxEvent = rtl::TEvent<rtl::TObject*, TvgCanvas*>;

class TvgPaintBox : public TvgVisualObject {
  RTL_CLASS(TvgPaintBox, TvgVisualObject)

  explicit TvgPaintBox(rtl::TComponent* owner) : TvgVisualObject(owner) {}
  void Paint() override;

  // Published as "OnPaint"; hides the node's own paint callback.
  TvgPaintBoxEvent OnPaint;

 private:
  static void Publish(rtl::TPublisher<TvgPaintBox>& p);
};

// Registers the shape classes under "Shapes" (and the design aids under
// "Design") for the palette and for streaming. Idempotent.
void RegisterShapeClasses();

}  // namespace vg
