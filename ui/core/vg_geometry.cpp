#include "ui/core/vg_geometry.h"

#include "platform/rtl/Filer.h"
#include "ui/core/vg_textforms.h"

namespace vg {

TvgBounds::TvgBounds(const TvgRect& defaultValue) : FDefaultValue(defaultValue) {
  FLeft = defaultValue.Left;
  FTop = defaultValue.Top;
  FRight = defaultValue.Right;
  FBottom = defaultValue.Bottom;
}

namespace {

template <class Notify>
void SetIfDifferent(float& field, float value, Notify changed) {
  if (field == value) return;
  field = value;
  changed();
}

}  // namespace

void TvgBounds::SetLeft(float value) { SetIfDifferent(FLeft, value, [this] { Changed(); }); }
void TvgBounds::SetTop(float value) { SetIfDifferent(FTop, value, [this] { Changed(); }); }
void TvgBounds::SetRight(float value) { SetIfDifferent(FRight, value, [this] { Changed(); }); }
void TvgBounds::SetBottom(float value) { SetIfDifferent(FBottom, value, [this] { Changed(); }); }

void TvgBounds::SetRect(const TvgRect& r) {
  if (r == GetRect()) return;
  FLeft = r.Left;
  FTop = r.Top;
  FRight = r.Right;
  FBottom = r.Bottom;
  Changed();
}

TvgRect TvgBounds::MarginRect(const TvgRect& r) const {
  return {r.Left + FLeft, r.Top + FTop, r.Right - FRight, r.Bottom - FBottom};
}

TvgRect TvgBounds::PaddinRect(const TvgRect& r) const {
  return {r.Left - FLeft, r.Top - FTop, r.Right + FRight, r.Bottom + FBottom};
}

bool TvgBounds::MarginEmpty() const {
  return FLeft == 0 && FTop == 0 && FRight == 0 && FBottom == 0;
}

void TvgBounds::Assign(const rtl::TPersistent* source) {
  if (const auto* other = dynamic_cast<const TvgBounds*>(source))
    SetRect(other->GetRect());
  else
    inherited::Assign(source);
}

std::string TvgBounds::RectText() const { return vgRectToString(GetRect()); }
void TvgBounds::SetRectText(const std::string& text) { SetRect(vgStringToRect(text)); }

void TvgBounds::DefineProperties(rtl::TFiler& filer) {
  inherited::DefineProperties(filer);
  filer.DefineProperty(
      "Rect", [this](rtl::TReader& reader) { SetRectText(reader.ReadString()); },
      [this](rtl::TWriter& writer) { writer.WriteString(RectText()); }, RectStored());
}

TvgPosition::TvgPosition(TvgPoint defaultValue)
    : FY(defaultValue.Y), FX(defaultValue.X), FDefaultValue(defaultValue) {}

void TvgPosition::SetX(float value) { SetIfDifferent(FX, value, [this] { Fire(OnChange, this); }); }
void TvgPosition::SetY(float value) { SetIfDifferent(FY, value, [this] { Fire(OnChange, this); }); }

void TvgPosition::SetPoint(TvgPoint p) {
  FX = p.X;
  FY = p.Y;
  Fire(OnChange, this);
}

void TvgPosition::Reflect(const TvgVector& normal) {
  SetVector(vgVectorReflect(GetVector(), normal));
}

void TvgPosition::Assign(const rtl::TPersistent* source) {
  if (const auto* other = dynamic_cast<const TvgPosition*>(source))
    SetPoint(other->GetPoint());
  else
    inherited::Assign(source);
}

std::string TvgPosition::PointText() const { return vgPointToString(GetPoint()); }
void TvgPosition::SetPointText(const std::string& text) { SetPoint(vgStringToPoint(text)); }

void TvgPosition::DefineProperties(rtl::TFiler& filer) {
  inherited::DefineProperties(filer);
  filer.DefineProperty(
      "Point", [this](rtl::TReader& reader) { SetPointText(reader.ReadString()); },
      [this](rtl::TWriter& writer) { writer.WriteString(PointText()); }, PointStored());
}

TvgTransform::TvgTransform()
    : FPosition(new TvgPosition({0, 0})),
      FScale(new TvgPosition({1, 1})),
      FSkew(new TvgPosition({0, 0})),
      FRotateCenter(new TvgPosition({0.5f, 0.5f})) {
  for (TvgPosition* p : {FPosition.get(), FScale.get(), FSkew.get(), FRotateCenter.get()})
    p->OnChange = [this](rtl::TObject*) { MatrixChanged(); };
}

void TvgTransform::SetRotateAngle(float degrees) {
  if (degrees == FRotateAngle) return;
  FRotateAngle = degrees;
  MatrixChanged();
}

void TvgTransform::MatrixChanged() {
  FMatrix = IdentityMatrix;
  FMatrix.m31 = FPosition->X();
  FMatrix.m32 = FPosition->Y();
  FMatrix.m13 = FSkew->X();
  FMatrix.m23 = FSkew->Y();
  FMatrix.m11 = FScale->X();
  FMatrix.m22 = FScale->Y();
  if (FRotateAngle != 0)
    FMatrix = vgMatrixMultiply(vgCreateRotationMatrix(vgDegToRad(FRotateAngle)), FMatrix);
  Fire(OnChanged, this);
}

void TvgTransform::Assign(const rtl::TPersistent* source) {
  const auto* other = dynamic_cast<const TvgTransform*>(source);
  if (!other) return inherited::Assign(source);
  auto copy = [](TvgPosition& to, const TvgPosition& from) {
    to.FX = from.FX;
    to.FY = from.FY;
  };
  copy(*FPosition, *other->FPosition);
  copy(*FScale, *other->FScale);
  copy(*FSkew, *other->FSkew);
  copy(*FRotateCenter, *other->FRotateCenter);
  FRotateAngle = other->FRotateAngle;
  MatrixChanged();
}

}  // namespace vg
