// The alignment engine of visual nodes: Realign places the aligned children
// inside the node's margins, one pass per alignment kind.
#include <algorithm>

#include "platform/rtl/Rounding.h"
#include "ui/core/vg_visual.h"

namespace vg {

namespace {

constexpr TvgAlign kPassOrder[] = {vaMostTop,  vaMostBottom,  vaMostLeft,   vaMostRight, vaTop,       vaBottom,
                                   vaLeft,     vaRight,       vaClient,     vaHorizontal, vaVertical, vaContents,
                                   vaCenter,   vaHorzCenter,  vaVertCenter, vaScale,     vaFit,       vaFitLeft,
                                   vaFitRight, vaTopRight,    vaBottomLeft, vaBottomRight};

bool IsOneOf(TvgAlign kind, std::initializer_list<TvgAlign> kinds) {
  return std::find(kinds.begin(), kinds.end(), kind) != kinds.end();
}

bool IsAnchor(TvgAlign kind) { return IsOneOf(kind, {vaTopLeft, vaTopRight, vaBottomLeft, vaBottomRight}); }

// The slot width is the child's own (plus padding) for these kinds.
bool KeepsOwnWidth(TvgAlign kind) {
  return IsAnchor(kind) || IsOneOf(kind, {vaLeft, vaRight, vaMostLeft, vaMostRight, vaVertical});
}
bool KeepsOwnHeight(TvgAlign kind) {
  return IsAnchor(kind) || IsOneOf(kind, {vaTop, vaBottom, vaMostTop, vaMostBottom, vaHorizontal});
}

float Trunc(double value) { return static_cast<float>(rtl::Trunc(value)); }

}  // namespace

void TvgVisualObject::Realign() {
  if (IsDestroying()) return;
  if ((FWidth > -2 && FWidth < 2) || (FHeight > -2 && FHeight < 2)) return;
  if (FDisableDefaultAlign || FDisableAlign || FUpdating > 0) return;
  if (IsLoading()) {
    FLastWidth = FWidth;
    FLastHeight = FHeight;
    return;
  }
  if ((FWidth != FLastWidth || FHeight != FLastHeight) && FHasEffect) UpdateEffects();
  if (!FNeedAlign || ChildrenCount() == 0) return;
  FDisableAlign = true;
  TvgRect client{FMargins->Left(), FMargins->Top(), FWidth - FMargins->Right(), FHeight - FMargins->Bottom()};
  std::vector<TvgVisualObject*> pass;
  for (TvgAlign kind : kPassOrder) AlignPass(kind, client, pass);
  FDisableAlign = false;
  FLastWidth = FWidth;
  FLastHeight = FHeight;
  Repaint();
}

void TvgVisualObject::AlignPass(TvgAlign kind, TvgRect& client, std::vector<TvgVisualObject*>& list) {
  list.clear();
  for (TvgObject* child : Children())
    if (child->IsVisual() && child->Visual()->FAlign == kind && child->Visual()->FVisible)
      list.push_back(child->Visual());
  if (list.empty()) return;
  auto y = [](TvgVisualObject* c) { return c->FPosition->Y(); };
  auto x = [](TvgVisualObject* c) { return c->FPosition->X(); };
  auto bottom = [](TvgVisualObject* c) { return c->FPosition->Y() + c->FHeight; };
  auto right = [](TvgVisualObject* c) { return c->FPosition->X() + c->FWidth; };
  auto ascending = [&list](auto key) {
    std::stable_sort(list.begin(), list.end(), [&key](auto* a, auto* b) { return key(a) < key(b); });
  };
  // Equal edges: the later child comes first.
  auto descending = [&list](auto key) {
    std::reverse(list.begin(), list.end());
    std::stable_sort(list.begin(), list.end(), [&key](auto* a, auto* b) { return key(a) > key(b); });
  };
  if (kind == vaTop || kind == vaMostTop) ascending(y);
  if (kind == vaLeft || kind == vaMostLeft) ascending(x);
  if (kind == vaBottom || kind == vaMostBottom) descending(bottom);
  if (kind == vaRight || kind == vaMostRight) descending(right);
  for (TvgVisualObject* child : list) PlaceChild(child, client);
}

void TvgVisualObject::PlaceChild(TvgVisualObject* child, TvgRect& c) {
  const TvgAlign kind = child->FAlign;
  const float pL = child->FPadding->Left(), pT = child->FPadding->Top();
  const float pR = child->FPadding->Right(), pB = child->FPadding->Bottom();
  const float W = child->FWidth, H = child->FHeight;
  TvgPosition& pos = *child->FPosition;

  float w = c.Right - c.Left;
  if (w < 0 || KeepsOwnWidth(kind)) w = W + pL + pR;
  float h = c.Bottom - c.Top;
  if (h < 0 || KeepsOwnHeight(kind)) h = H + pT + pB;
  float x = kind == vaVertical ? pos.X() - pL : c.Left;
  float y = kind == vaHorizontal ? pos.Y() - pT : c.Top;

  auto fill = [child](float left, float top, float width, float height) {
    child->SetPositionSilently(left, top);
    child->FWidth = width;
    child->FHeight = height;
    child->MatrixChanged();
    child->Realign();
  };

  switch (kind) {
    case vaTopRight:
      pos.SetX(pos.X() + FWidth - FLastWidth);
      return;
    case vaBottomLeft:
      pos.SetY(pos.Y() + FHeight - FLastHeight);
      return;
    case vaBottomRight:
      pos.SetX(pos.X() + FWidth - FLastWidth);
      pos.SetY(pos.Y() + FHeight - FLastHeight);
      return;
    case vaTop:
    case vaMostTop:
      c.Top += h;
      break;
    case vaLeft:
    case vaMostLeft:
      c.Left += w;
      break;
    case vaRight:
    case vaMostRight:
      c.Right -= w;
      x = c.Right;
      break;
    case vaBottom:
    case vaMostBottom:
      c.Bottom -= h;
      y = c.Bottom;
      break;
    case vaContents:
      fill(pL, pT, FWidth - pL - pR, FHeight - pT - pB);
      return;
    case vaCenter:
    case vaHorzCenter:
    case vaVertCenter:
      if (kind != vaVertCenter) {
        x = c.Left + Trunc((double(w) - (W + pL + pR)) / 2);
        w = W + pL + pR;
      }
      if (kind != vaHorzCenter) {
        y = c.Top + Trunc((double(h) - (H + pT + pB)) / 2);
        h = H + pT + pB;
      }
      break;
    case vaScale: {
      if (FLastWidth <= 0 || FLastHeight <= 0 || FWidth <= 0 || FHeight <= 0) return;
      const double sx = double(FWidth) / FLastWidth, sy = double(FHeight) / FLastHeight;
      fill(float(pos.X() * sx), float(pos.Y() * sy), float(W * sx), float(H * sy));
      return;
    }
    case vaFit:
    case vaFitLeft:
    case vaFitRight: {
      const TvgRect target{FMargins->Left(), FMargins->Top(), FWidth - FMargins->Right(),
                           FHeight - FMargins->Bottom()};
      TvgRect box{pos.X() - pL, pos.Y() - pT, pos.X() + W + pR, pos.Y() + H + pB};
      const float ratio = vgFitRect(box, target);
      if (ratio > 0 && ratio < 1) {
        box = {box.Left / ratio, box.Top / ratio, box.Right / ratio, box.Bottom / ratio};
        vgRectCenter(box, target);
      }
      if (kind == vaFitLeft) vgOffsetRect(box, target.Left - box.Left, 0);
      if (kind == vaFitRight) vgOffsetRect(box, target.Right - box.Right, 0);
      fill(box.Left + pL, box.Top + pT, vgRectWidth(box) - pL - pR, vgRectHeight(box) - pT - pB);
      return;
    }
    default:  // vaClient, vaHorizontal, vaVertical
      break;
  }

  child->SetPositionSilently(x + pL, y + pT);
  if (w - pL - pR != W || h - pT - pB != H) {
    child->FWidth = w - pL - pR;
    child->FHeight = h - pT - pB;
    child->Realign();
  }
  child->MatrixChanged();

  const float dw = w - (child->FWidth + pL + pR), dh = h - (child->FHeight + pT + pB);
  if (kind == vaTop) c.Top -= dh;
  if (kind == vaBottom) c.Bottom += dh;
  if (kind == vaLeft) c.Left -= dw;
  if (kind == vaRight) c.Right += dw;
  if (kind == vaClient) {
    c.Right += dw;
    c.Bottom += dh;
  }
}

}  // namespace vg
