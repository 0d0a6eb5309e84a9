#include "ui/core/vg_pathdata.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "platform/rtl/Exceptions.h"
#include "platform/rtl/Filer.h"
#include "ui/core/vg_textforms.h"

namespace vg {

namespace {

TvgPoint Add(TvgPoint a, TvgPoint b) { return {a.X + b.X, a.Y + b.Y}; }

// Samples per flattened curve are capped so that absurd coordinates cannot
// make a curve allocate without bound.
constexpr double kMaxCurveSamples = 65536;

}  // namespace

void TvgPathData::MoveTo(TvgPoint p) {
  Add(vgPathPointMoveTo, p);
  startPoint_ = p;
}
void TvgPathData::MoveToRel(TvgPoint p) { MoveTo(vg::Add(LastPoint(), p)); }
void TvgPathData::LineTo(TvgPoint p) { Add(vgPathPointLineTo, p); }
void TvgPathData::LineToRel(TvgPoint p) { LineTo(vg::Add(LastPoint(), p)); }
void TvgPathData::HLineTo(float x) { LineTo({x, LastPoint().Y}); }
void TvgPathData::HLineToRel(float dx) { LineTo({LastPoint().X + dx, LastPoint().Y}); }
void TvgPathData::VLineTo(float y) { LineTo({LastPoint().X, y}); }
void TvgPathData::VLineToRel(float dy) { LineTo({LastPoint().X, LastPoint().Y + dy}); }

void TvgPathData::CurveTo(TvgPoint c1, TvgPoint c2, TvgPoint end) {
  Add(vgPathPointCurveTo, c1);
  Add(vgPathPointCurveTo, c2);
  Add(vgPathPointCurveTo, end);
}

void TvgPathData::CurveToRel(TvgPoint c1, TvgPoint c2, TvgPoint end) {
  const TvgPoint last = LastPoint();
  CurveTo(vg::Add(last, c1), vg::Add(last, c2), vg::Add(last, end));
}

void TvgPathData::SmoothCurveTo(TvgPoint c2, TvgPoint end) {
  TvgPoint c1 = c2;
  if (PathData.size() >= 3) {
    const TvgPoint last = LastPoint(), before = PathData[PathData.size() - 2].Point;
    c1 = {2 * last.X - before.X, 2 * last.Y - before.Y};
  }
  CurveTo(c1, c2, end);
}

void TvgPathData::SmoothCurveToRel(TvgPoint c2, TvgPoint end) {
  const TvgPoint last = LastPoint();
  TvgPoint c1 = vg::Add(last, c2);
  if (PathData.size() >= 3) {
    const TvgPoint before = PathData[PathData.size() - 2].Point;
    c1 = {2 * last.X - before.X, 2 * last.Y - before.Y};
  }
  CurveTo(c1, vg::Add(last, c2), vg::Add(last, end));
}

void TvgPathData::ClosePath() { Add(vgPathPointClose, startPoint_); }

void TvgPathData::AddEllipse(const TvgRect& r) {
  constexpr double kappa = 0.5522847498;
  const float cx = (r.Left + r.Right) / 2, cy = (r.Top + r.Bottom) / 2;
  const float kx = static_cast<float>(vgRectWidth(r) / 2 * kappa);
  const float ky = static_cast<float>(vgRectHeight(r) / 2 * kappa);
  MoveTo({r.Left, cy});
  CurveTo({r.Left, cy - ky}, {cx - kx, r.Top}, {cx, r.Top});
  CurveTo({cx + kx, r.Top}, {r.Right, cy - ky}, {r.Right, cy});
  CurveTo({r.Right, cy + ky}, {cx + kx, r.Bottom}, {cx, r.Bottom});
  CurveTo({cx - kx, r.Bottom}, {r.Left, cy + ky}, {r.Left, cy});
}

void TvgPathData::AddRectangle(const TvgRect& r, float xRadius, float yRadius,
                               TvgCorners corners, TvgCornerType cornerType) {
  const float width = vgRectWidth(r), height = vgRectHeight(r);
  const float xr = width - 2 * xRadius < 0 ? width / 2 : xRadius;
  const float yr = height - 2 * yRadius < 0 ? height / 2 : yRadius;
  bool endedWithCurve = false;
  // A corner at k, entered at k + a and left at k + b.
  auto corner = [&](TvgCorner which, TvgPoint k, TvgPoint a, TvgPoint b) {
    auto at = [&](float fa, float fb) {
      return TvgPoint{k.X + a.X * fa + b.X * fb, k.Y + a.Y * fa + b.Y * fb};
    };
    endedWithCurve = false;
    if (!corners.Contains(which)) {
      LineTo(k);
      LineTo(at(0, 1));
      return;
    }
    switch (cornerType) {
      case vgCornerRound:
        CurveTo(at(0.5f, 0), at(0, 0.5f), at(0, 1));
        endedWithCurve = true;
        break;
      case vgCornerBevel:
        LineTo(at(0, 1));
        break;
      case vgCornerInnerRound:
        CurveTo(at(1, 0.5f), at(0.5f, 1), at(0, 1));
        endedWithCurve = true;
        break;
      case vgCornerInnerLine:
        LineTo(at(1, 0.5f));
        LineTo(at(0.5f, 1));
        LineTo(at(0, 1));
        break;
    }
  };
  MoveTo({r.Left, r.Top + yr});
  corner(vgCornerTopLeft, {r.Left, r.Top}, {0, yr}, {xr, 0});
  LineTo({r.Right - xr, r.Top});
  corner(vgCornerTopRight, {r.Right, r.Top}, {-xr, 0}, {0, yr});
  LineTo({r.Right, r.Bottom - yr});
  corner(vgCornerBottomRight, {r.Right, r.Bottom}, {0, -yr}, {-xr, 0});
  LineTo({r.Left + xr, r.Bottom});
  corner(vgCornerBottomLeft, {r.Left, r.Bottom}, {xr, 0}, {0, -yr});
  if (!endedWithCurve) LineTo({r.Left, r.Bottom - yr});
  ClosePath();
}

void TvgPathData::AddArcPieces(TvgPoint center, TvgPoint radius, float startAngle,
                               float sweepAngle, bool connect) {
  constexpr double twoPi = 2 * M_PI, quarter = M_PI / 2;
  double a = startAngle * M_PI / 180;
  a -= twoPi * std::trunc(a / twoPi);
  const double w = std::clamp(sweepAngle * M_PI / 180, -twoPi, twoPi);
  if (std::fabs(w) < 1e-10) return;

  auto mapped = [&](double px, double py, double angle) {
    const double c = std::cos(angle), s = std::sin(angle);
    return TvgPoint{static_cast<float>(center.X + radius.X * (px * c - py * s)),
                    static_cast<float>(center.Y + radius.Y * (px * s + py * c))};
  };
  double done = 0;
  bool last = false;
  bool first = true;
  while (!last) {
    double piece;
    const double next = w > 0 ? done + quarter : done - quarter;
    if (w > 0 ? w - 0.01 > next : w + 0.01 < next) {
      piece = next - done;
      done = next;
    } else {
      piece = w - done;
      last = true;
    }
    const double h = piece / 2, cosH = std::cos(h), sinH = std::sin(h);
    const double k = 4 * (1 - cosH) / 3;
    const double q = sinH - cosH * k / sinH;
    const double mid = a + h;
    if (first && connect) {
      const TvgPoint start = mapped(cosH, -sinH, mid);
      if (IsEmpty())
        MoveTo(start);
      else
        LineTo(start);
    }
    first = false;
    CurveTo(mapped(cosH + k, -q, mid), mapped(cosH + k, q, mid), mapped(cosH, sinH, mid));
    a += piece;
  }
}

void TvgPathData::AddArc(TvgPoint center, TvgPoint radius, float startAngle, float sweepAngle) {
  AddArcPieces(center, radius, startAngle, sweepAngle, true);
}

void TvgPathData::AddArcSvgPart(TvgPoint center, TvgPoint radius, float startAngle,
                                float sweepAngle) {
  AddArcPieces(center, radius, startAngle, sweepAngle, false);
}

void TvgPathData::AddArcSvg(TvgPoint p1, TvgPoint radius, float xAxisRotation, bool largeFlag,
                            bool sweepFlag, TvgPoint p2) {
  double rx = std::fabs(double(radius.X)), ry = std::fabs(double(radius.Y));
  // A zero radius would divide by zero and hand NaN to the drawing code.
  if (!(rx > 0 && ry > 0) || !std::isfinite(rx) || !std::isfinite(ry))
    throw rtl::EInvalidOperation("Invalid floating point operation");
  const double phi = xAxisRotation * M_PI / 180, cosPhi = std::cos(phi), sinPhi = std::sin(phi);
  const double dx = (double(p1.X) - p2.X) / 2, dy = (double(p1.Y) - p2.Y) / 2;
  const double x1 = cosPhi * dx + sinPhi * dy, y1 = -sinPhi * dx + cosPhi * dy;
  const double lambda = x1 * x1 / (rx * rx) + y1 * y1 / (ry * ry);
  if (lambda > 1) {
    rx *= std::sqrt(lambda);
    ry *= std::sqrt(lambda);
  }
  const double sign = largeFlag == sweepFlag ? -1 : 1;
  const double denominator = rx * rx * y1 * y1 + ry * ry * x1 * x1;
  const double numerator = rx * rx * ry * ry - denominator;
  const double f = denominator == 0 ? 0 : sign * std::sqrt(std::max(0.0, numerator / denominator));
  const double cx1 = f * rx * y1 / ry, cy1 = -f * ry * x1 / rx;
  const double cx = cosPhi * cx1 - sinPhi * cy1 + (double(p1.X) + p2.X) / 2;
  const double cy = sinPhi * cx1 + cosPhi * cy1 + (double(p1.Y) + p2.Y) / 2;

  const double ux = (x1 - cx1) / rx, uy = (y1 - cy1) / ry;
  const double vx = (-x1 - cx1) / rx, vy = (-y1 - cy1) / ry;
  const double uLength = std::hypot(ux, uy), vLength = std::hypot(vx, vy);
  // Coincident end points leave nothing to draw.
  if (uLength == 0 || vLength == 0) return;
  double theta1 = std::acos(std::clamp(ux / uLength, -1.0, 1.0));
  if (uy < 0) theta1 = -theta1;
  double delta = std::acos(std::clamp((ux * vx + uy * vy) / (uLength * vLength), -1.0, 1.0));
  if (ux * vy - uy * vx < 0) delta = -delta;
  if (!sweepFlag && delta > 0) delta -= 2 * M_PI;
  if (sweepFlag && delta < 0) delta += 2 * M_PI;

  const size_t first = PathData.size();
  AddArcSvgPart({0, 0}, {float(rx), float(ry)}, float(theta1 * 180 / M_PI),
                float(delta * 180 / M_PI));
  const TvgMatrix m = vgMatrixMultiply(vgCreateRotationMatrix(float(phi)),
                                       vgCreateTranslateMatrix(float(cx), float(cy)));
  bool finite = true;
  for (size_t i = first; i < PathData.size(); ++i) {
    PathData[i].Point = vgPointFromVector(vgVectorTransform(vgVector(PathData[i].Point), m));
    finite = finite && std::isfinite(PathData[i].Point.X) && std::isfinite(PathData[i].Point.Y);
  }
  // Radii or end points near the single range overflow on the way.
  if (!finite) {
    PathData.resize(first);
    throw rtl::EInvalidOperation("Invalid floating point operation");
  }
}

void TvgPathData::Clear() {
  PathData.clear();
  startPoint_ = {};
  Changed();
}

TvgPoint TvgPathData::LastPoint() const { return IsEmpty() ? TvgPoint{} : PathData.back().Point; }

TvgRect TvgPathData::GetBounds() const {
  // Starts from the first point: a path may lie wholly beyond any fixed
  // starting box.
  TvgRect r{};
  bool any = false;
  for (const TvgPathPoint& p : PathData) {
    if (p.Kind == vgPathPointClose) continue;
    if (!any) r = {p.Point.X, p.Point.Y, p.Point.X, p.Point.Y};
    any = true;
    r.Left = std::min(r.Left, p.Point.X);
    r.Top = std::min(r.Top, p.Point.Y);
    r.Right = std::max(r.Right, p.Point.X);
    r.Bottom = std::max(r.Bottom, p.Point.Y);
  }
  if (!any) return NullRect;
  if (vgRectWidth(r) == 0) r.Right = r.Left + 0.001f;
  if (vgRectHeight(r) == 0) r.Bottom = r.Top + 0.001f;
  return r;
}

void TvgPathData::Scale(float sx, float sy) {
  for (TvgPathPoint& p : PathData)
    if (p.Kind != vgPathPointClose) p.Point = vgScalePoint(p.Point, sx, sy);
}

void TvgPathData::Offset(float dx, float dy) {
  for (TvgPathPoint& p : PathData)
    if (p.Kind != vgPathPointClose) p.Point = {p.Point.X + dx, p.Point.Y + dy};
}

void TvgPathData::ApplyMatrix(const TvgMatrix& m) {
  for (TvgPathPoint& p : PathData)
    if (p.Kind != vgPathPointClose)
      p.Point = vgPointFromVector(vgVectorTransform(vgVector(p.Point), m));
}

namespace {

// Walks a path, turning every cubic into line samples. The visitor receives
// (kind, point) with kinds MoveTo, LineTo and Close (whose point is the
// figure's start).
template <class Visit>
void WalkFlattened(const std::vector<TvgPathPoint>& points, const TvgRect& bounds, float flatness,
                   Visit visit) {
  double step = flatness * std::min(vgRectWidth(bounds) / 100.0, vgRectHeight(bounds) / 100.0);
  if (!(step >= 0.05)) step = 0.05;
  TvgPoint current{}, start{};
  for (size_t i = 0; i < points.size(); ++i) {
    const TvgPathPoint& p = points[i];
    switch (p.Kind) {
      case vgPathPointMoveTo:
        start = current = p.Point;
        visit(vgPathPointMoveTo, p.Point);
        break;
      case vgPathPointLineTo:
        current = p.Point;
        visit(vgPathPointLineTo, p.Point);
        break;
      case vgPathPointClose:
        visit(vgPathPointClose, start);
        break;
      case vgPathPointCurveTo: {
        if (i + 2 >= points.size()) return;  // a truncated curve ends the walk
        const TvgPoint c1 = points[i].Point, c2 = points[i + 1].Point, e = points[i + 2].Point;
        i += 2;
        const double distance = std::hypot(double(c1.X) - e.X, double(c1.Y) - e.Y);
        const double samples = std::nearbyint(distance / step);
        const int n = samples >= kMaxCurveSamples ? int(kMaxCurveSamples)
                      : samples >= 2              ? int(samples)
                                                  : 2;
        auto cubic = [&](double p0, double p1, double p2, double p3, double t) {
          const double cx = 3 * (p1 - p0), bx = 3 * (p2 - p1) - cx, ax = p3 - p0 - cx - bx;
          return static_cast<float>(((ax * t + bx) * t + cx) * t + p0);
        };
        for (int s = 0; s < n; ++s) {
          const double t = double(s) / (n - 1);
          visit(vgPathPointLineTo, TvgPoint{cubic(current.X, c1.X, c2.X, e.X, t),
                                            cubic(current.Y, c1.Y, c2.Y, e.Y, t)});
        }
        current = e;
        break;
      }
    }
  }
}

}  // namespace

void TvgPathData::Flatten(float flatness) {
  std::vector<TvgPathPoint> flat;
  WalkFlattened(PathData, GetBounds(), flatness,
                [&](TvgPathPointKind kind, TvgPoint p) { flat.push_back({kind, p}); });
  PathData = std::move(flat);
  Changed();
}

TvgPoint TvgPathData::FlattenToPolygon(TvgPolygon& polygon, float flatness) const {
  polygon.clear();
  const TvgRect bounds = GetBounds();
  WalkFlattened(PathData, bounds, flatness, [&](TvgPathPointKind kind, TvgPoint p) {
    polygon.push_back(p);
    if (kind == vgPathPointClose) polygon.push_back(ClosePolygon);
  });
  return {std::fabs(vgRectWidth(bounds)), std::fabs(vgRectHeight(bounds))};
}

std::string TvgPathData::GetPathString() const {
  std::string text;
  auto point = [&](TvgPoint p) { text += vgFloatToStr(p.X) + "," + vgFloatToStr(p.Y) + " "; };
  for (size_t i = 0; i < PathData.size(); ++i) {
    const TvgPathPoint& p = PathData[i];
    switch (p.Kind) {
      case vgPathPointMoveTo:
        text += "M ";
        point(p.Point);
        break;
      case vgPathPointLineTo:
        text += "L ";
        point(p.Point);
        break;
      case vgPathPointCurveTo:
        text += "C ";
        for (size_t j = i; j < std::min(i + 3, PathData.size()); ++j) point(PathData[j].Point);
        i += 2;
        break;
      case vgPathPointClose:
        text += "Z ";
        break;
    }
  }
  return text;
}

namespace {

// The path text reader: one instance per SetPathString call.
class PathTextReader {
 public:
  PathTextReader(std::string text, TvgPathData& path) : s_(std::move(text)), path_(path) {}

  void Run() {
    for (;;) {
      const size_t roundStart = pos_;
      SkipSpaces();
      std::string run;
      while (pos_ < s_.size() && IsCommand(s_[pos_])) run += s_[pos_++];
      for (char letter : run) {
        try {
          Execute(letter);
        } catch (const rtl::Exception&) {
          // An unreadable letter is dropped; parsing goes on with the next.
        }
      }
      if (pos_ == roundStart) return;
    }
  }

 private:
  static bool IsCommand(char c) {
    return std::strchr("zmlchvsqtaZMLCHVSQTA", c) != nullptr && c != '\0';
  }
  static bool IsDigit(char c) { return c >= '0' && c <= '9'; }

  void SkipSpaces() {
    while (pos_ < s_.size() && s_[pos_] == ' ') ++pos_;
  }
  void SkipSpacesAndCommas() {
    while (pos_ < s_.size() && (s_[pos_] == ' ' || s_[pos_] == ',')) ++pos_;
  }
  bool NumberFollows() const {
    return pos_ < s_.size() && (s_[pos_] == '-' || IsDigit(s_[pos_]));
  }

  float ReadNumber() {
    SkipSpaces();
    const size_t start = pos_;
    while (pos_ < s_.size()) {
      const char c = s_[pos_];
      const bool minusAllowed = pos_ == start || s_[pos_ - 1] == 'e';
      if (!(IsDigit(c) || c == '.' || c == 'e' || (c == '-' && minusAllowed))) break;
      ++pos_;
    }
    return vgStrToFloat(std::string_view(s_).substr(start, pos_ - start));
  }

  TvgPoint ReadPoint() {
    if (pos_ >= s_.size()) return {};
    SkipSpacesAndCommas();
    const float x = ReadNumber();
    SkipSpacesAndCommas();
    const float y = ReadNumber();
    SkipSpacesAndCommas();
    return {x, y};
  }

  template <class Step>
  void Repeat(Step step) {
    do step();
    while (NumberFollows());
  }

  void Execute(char letter) {
    TvgPathData& p = path_;
    switch (letter) {
      case 'Z': case 'z': p.ClosePath(); break;
      case 'M':
        p.MoveTo(ReadPoint());
        while (NumberFollows()) p.LineTo(ReadPoint());
        break;
      case 'm':
        p.MoveToRel(ReadPoint());
        while (NumberFollows()) p.LineToRel(ReadPoint());
        break;
      case 'L': Repeat([&] { p.LineTo(ReadPoint()); }); break;
      case 'l': Repeat([&] { p.LineToRel(ReadPoint()); }); break;
      case 'C': Repeat([&] { ReadCurve(false); }); break;
      case 'c': Repeat([&] { ReadCurve(true); }); break;
      case 'S': Repeat([&] { ReadSmoothCurve(false); }); break;
      case 's': Repeat([&] { ReadSmoothCurve(true); }); break;
      case 'H': p.HLineTo(ReadNumber()); break;
      case 'h': p.HLineToRel(ReadNumber()); break;
      case 'V': p.VLineTo(ReadNumber()); break;
      case 'v': p.VLineToRel(ReadNumber()); break;
      case 'A': case 'a': ReadArc(letter == 'a'); break;
      case 'Q': case 'q': ReadPoint(); ReadPoint(); break;
      case 'T': case 't': ReadPoint(); break;
    }
  }

  void ReadCurve(bool relative) {
    const TvgPoint c1 = ReadPoint(), c2 = ReadPoint(), e = ReadPoint();
    relative ? path_.CurveToRel(c1, c2, e) : path_.CurveTo(c1, c2, e);
  }

  void ReadSmoothCurve(bool relative) {
    const TvgPoint c2 = ReadPoint(), e = ReadPoint();
    relative ? path_.SmoothCurveToRel(c2, e) : path_.SmoothCurveTo(c2, e);
  }

  void ReadArc(bool relative) {
    const TvgPoint p1 = path_.LastPoint();
    const TvgPoint radius = ReadPoint();
    const float rotation = ReadNumber();
    const TvgPoint flags = ReadPoint();
    TvgPoint p2 = ReadPoint();
    if (relative) p2 = {p1.X + p2.X, p1.Y + p2.Y};
    path_.AddArcSvg(p1, radius, rotation, flags.X == 1, flags.Y == 1, p2);
  }

  std::string s_;
  size_t pos_ = 0;
  TvgPathData& path_;
};

}  // namespace

void TvgPathData::SetPathString(const std::string& text) {
  std::string cleaned;
  for (char c : text)
    if (c != '\t' && c != '\n' && c != '\r') cleaned += c;
  PathData.clear();
  startPoint_ = {};
  PathTextReader(std::move(cleaned), *this).Run();
  Changed();
}

void TvgPathData::SetResource(IvgResourceNode* node) {
  if (node == resource_.Node()) return;
  resource_.Link(node);
  if (!node) resource_.SetName({});
  Changed();
}

void TvgPathData::SetResourceName(const std::string& name) {
  if (name == resource_.Name()) return;
  resource_.SetName(name);
  Changed();
}

TvgPathData* TvgPathData::GetPath() const {
  IvgResourceNode* node =
      resource_.Resolve([](IvgResourceNode* n) { return n->ResourcePath() != nullptr; });
  return node ? node->ResourcePath() : nullptr;
}

void TvgPathData::Assign(const rtl::TPersistent* source) {
  const auto* other = dynamic_cast<const TvgPathData*>(source);
  if (!other) return inherited::Assign(source);
  if (other->GetPath()) {
    resource_.Link(other->GetResource());
    resource_.SetName(other->GetResourceName());
  } else {
    PathData = other->PathData;
  }
  Changed();
}

namespace {

void PutLE32(unsigned char* out, std::uint32_t v) {
  for (int i = 0; i < 4; ++i) out[i] = static_cast<unsigned char>(v >> (8 * i));
}
std::uint32_t GetLE32(const unsigned char* in) {
  return std::uint32_t(in[0]) | std::uint32_t(in[1]) << 8 | std::uint32_t(in[2]) << 16 |
         std::uint32_t(in[3]) << 24;
}
std::uint32_t FloatBits(float f) {
  std::uint32_t bits;
  std::memcpy(&bits, &f, 4);
  return bits;
}
float BitsFloat(std::uint32_t bits) {
  float f;
  std::memcpy(&f, &bits, 4);
  return f;
}

}  // namespace

void TvgPathData::DefineProperties(rtl::TFiler& filer) {
  inherited::DefineProperties(filer);
  filer.DefineBinaryProperty(
      "Path", [this](rtl::TStream& stream) { ReadPath(stream); },
      [this](rtl::TStream& stream) { WritePath(stream); }, !PathData.empty());
}

void TvgPathData::WritePath(rtl::TStream& stream) const {
  unsigned char count[4];
  PutLE32(count, static_cast<std::uint32_t>(PathData.size()));
  stream.WriteBuffer(count, 4);
  for (const TvgPathPoint& p : PathData) {
    unsigned char record[12] = {p.Kind};
    PutLE32(record + 4, FloatBits(p.Point.X));
    PutLE32(record + 8, FloatBits(p.Point.Y));
    stream.WriteBuffer(record, 12);
  }
}

void TvgPathData::ReadPath(rtl::TStream& stream) {
  const std::int64_t size = stream.Size() - stream.Position();
  unsigned char head[4];
  stream.ReadBuffer(head, 4);
  const auto count = static_cast<std::int32_t>(GetLE32(head));
  if (count < 1) {
    PathData.clear();
    return;
  }
  const std::int64_t body = size - 4;
  const bool packed = body / count == 9;
  const int recordSize = packed ? 9 : 12;
  if (body < std::int64_t(count) * recordSize)
    throw rtl::EReadError(rtl::Format("Path of %d points does not fit %lld bytes", count,
                                      static_cast<long long>(size)));
  std::vector<unsigned char> bytes(size_t(count) * recordSize);
  stream.ReadBuffer(bytes.data(), static_cast<std::int64_t>(bytes.size()));
  const int xOffset = packed ? 1 : 4;
  std::vector<TvgPathPoint> points(static_cast<size_t>(count));
  for (std::int32_t i = 0; i < count; ++i) {
    const unsigned char* record = bytes.data() + size_t(i) * recordSize;
    if (record[0] > vgPathPointClose)
      throw rtl::EReadError(rtl::Format("Path point %d has the unknown kind %d", i, record[0]));
    points[i] = {static_cast<TvgPathPointKind>(record[0]),
                 {BitsFloat(GetLE32(record + xOffset)), BitsFloat(GetLE32(record + xOffset + 4))}};
  }
  PathData = std::move(points);
}

}  // namespace vg
