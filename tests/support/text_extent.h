#pragma once
// Texts a person cannot read whole: a shown text node whose drawn text
// reaches past the sides of its own box, or lies (with every line it wraps
// into) on a control that is neither its own nor one of its control's
// parents. A text placed wholly inside a panel or group box lies on it as on
// a background, which is no overlap; one crossing the panel's edge is. Also
// finds shown texts in Chinese script. Header only: it needs the toolkit's
// text nodes, which not every test links.
#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "platform/rtl/TextConvert.h"
#include "ui/controls/vg_checkbox.h"
#include "ui/controls/vg_panels.h"
#include "ui/core/vg_control.h"
#include "ui/render/vg_objects.h"

namespace test_support {

namespace text_extent {

constexpr float kTolerance = 1;

inline bool Shown(vg::TvgVisualObject& node) {
  for (vg::TvgObject* o = &node; o; o = o->Parent())
    if (o->IsVisual() && !o->Visual()->Visible()) return false;
  return node.GetAbsoluteOpacity() > 0;
}

// The absolute bounding box of a rectangle in the node's coordinates.
inline vg::TvgRect Absolute(vg::TvgVisualObject& node, const vg::TvgRect& r) {
  vg::TvgRect box{1e9f, 1e9f, -1e9f, -1e9f};
  for (vg::TvgPoint p : {vg::TvgPoint{r.Left, r.Top}, vg::TvgPoint{r.Right, r.Top}, vg::TvgPoint{r.Left, r.Bottom},
                         vg::TvgPoint{r.Right, r.Bottom}}) {
    const vg::TvgPoint a = node.LocalToAbsolute(p);
    box = {std::min(box.Left, a.X), std::min(box.Top, a.Y), std::max(box.Right, a.X), std::max(box.Bottom, a.Y)};
  }
  return box;
}

// The part of `r` that the clipping parents of `node` let through.
inline vg::TvgRect Clipped(vg::TvgVisualObject& node, vg::TvgRect r) {
  for (vg::TvgObject* o = node.Parent(); o; o = o->Parent())
    if (o->IsVisual() && o->Visual()->ClipChildren() &&
        !vg::vgIntersectRect(r, r, Absolute(*o->Visual(), o->Visual()->GetLocalRect())))
      return {};
  return r;
}

// Narrows [low, high] to `length` placed as the alignment places text.
inline void Place(float& low, float& high, float length, vg::TvgTextAlign align) {
  if (align == vg::vgTextAlignNear) {
    high = low + length;
  } else if (align == vg::vgTextAlignFar) {
    low = high - length;
  } else {
    low = (low + high - length) / 2;
    high = low + length;
  }
}

// The height of the text's lines as drawn: every line but the last with its
// leading, the last as the font's size (leading is drawn empty). A single
// line counts no higher than its box.
inline float DrawnHeight(vg::TvgCanvas& canvas, vg::TvgText& text, const vg::TvgRect& box, float measuredHeight) {
  const float size = std::min(text.Font()->Size(), vg::vgRectHeight(box));
  vg::TvgRect line = box;
  canvas.MeasureText(line, box, u"X", false, vg::vgTextAlignNear, vg::vgTextAlignNear);
  const float lineHeight = vg::vgRectHeight(line);
  const long lines = lineHeight > 0 ? std::lround(measuredHeight / lineHeight) : 1;
  return lines <= 1 ? size : static_cast<float>(lines - 1) * lineHeight + text.Font()->Size();
}

inline bool Meets(const vg::TvgRect& a, const vg::TvgRect& b) {
  return std::min(a.Right, b.Right) - std::max(a.Left, b.Left) > kTolerance &&
         std::min(a.Bottom, b.Bottom) - std::max(a.Top, b.Top) > kTolerance;
}

inline bool Inside(const vg::TvgRect& inner, const vg::TvgRect& outer) {
  return inner.Left >= outer.Left - kTolerance && inner.Right <= outer.Right + kTolerance &&
         inner.Top >= outer.Top - kTolerance && inner.Bottom <= outer.Bottom + kTolerance;
}

// Panels and group boxes: controls other controls are placed on.
inline bool IsBackground(vg::TvgControl& control) {
  return dynamic_cast<vg::TvgPanel*>(&control) || dynamic_cast<vg::TvgGroupBox*>(&control);
}

inline bool IsAncestor(const vg::TvgObject* ancestor, const vg::TvgObject* node) {
  for (const vg::TvgObject* o = node; o; o = o->Parent())
    if (o == ancestor) return true;
  return false;
}

inline vg::TvgControl* OwningControl(vg::TvgObject& node) {
  for (vg::TvgObject* o = node.Parent(); o; o = o->Parent())
    if (auto* control = dynamic_cast<vg::TvgControl*>(o)) return control;
  return nullptr;
}

inline std::string Describe(vg::TvgObject& node) {
  for (vg::TvgObject* o = &node; o; o = o->Parent())
    if (!o->Name().empty()) return o->Name();
  return node.ClassName();
}

template <class Visit>
void EachShown(vg::TvgObject& root, Visit visit) {
  for (vg::TvgObject* child : root.Children()) {
    if (child->IsVisual() && !child->Visual()->Visible()) continue;
    visit(*child);
    EachShown(*child, visit);
  }
}

}  // namespace text_extent

// One line per text under `root` that a person cannot read whole, naming
// the nearest named node and the text.
inline std::vector<std::string> UnreadableTexts(vg::TvgObject& root) {
  using namespace text_extent;
  std::vector<vg::TvgControl*> controls;
  EachShown(root, [&](vg::TvgObject& node) {
    if (auto* control = dynamic_cast<vg::TvgControl*>(&node); control && Shown(*control)) controls.push_back(control);
  });
  std::vector<std::string> found;
  EachShown(root, [&](vg::TvgObject& node) {
    auto* text = dynamic_cast<vg::TvgText*>(&node);
    if (!text || text->Text().empty() || !Shown(*text) || !text->GetCanvas()) return;
    vg::TvgCanvas& canvas = *text->GetCanvas();
    canvas.Font()->Assign(text->Font());
    const vg::TvgRect box = text->GetLocalRect();
    vg::TvgRect measured = box;
    canvas.MeasureText(measured, box, text->Text(), text->WordWrap(), vg::vgTextAlignNear, vg::vgTextAlignNear);
    // The text's extent as measured, placed in the box as it is drawn.
    const float breadth = vg::vgRectWidth(measured);
    vg::TvgRect drawn = box;
    Place(drawn.Top, drawn.Bottom, DrawnHeight(canvas, *text, box, vg::vgRectHeight(measured)), text->VertTextAlign());
    Place(drawn.Left, drawn.Right, breadth, text->HorzTextAlign());
    const vg::TvgRect shownDrawn = Clipped(*text, Absolute(*text, drawn));
    if (vg::vgRectWidth(shownDrawn) <= 0 || vg::vgRectHeight(shownDrawn) <= 0) return;
    const std::string what = Describe(*text) + " \"" + rtl::Utf16ToUtf8(text->Text()) + "\"";
    if (breadth > vg::vgRectWidth(box) + kTolerance) found.push_back(what + " leaves its box");
    vg::TvgControl* own = OwningControl(*text);
    for (vg::TvgControl* other : controls) {
      if (IsAncestor(other, text) || (own && IsAncestor(own, other))) continue;
      const vg::TvgRect area = Clipped(*other, Absolute(*other, other->GetLocalRect()));
      if (Meets(shownDrawn, area) && !(IsBackground(*other) && Inside(shownDrawn, area)))
        found.push_back(what + " meets " + Describe(*other));
    }
  });
  return found;
}

// One line per shown text under `root` in Chinese script.
inline std::vector<std::string> ChineseTexts(vg::TvgObject& root) {
  std::vector<std::string> found;
  text_extent::EachShown(root, [&](vg::TvgObject& node) {
    auto* text = dynamic_cast<vg::TvgText*>(&node);
    if (!text || !text_extent::Shown(*text)) return;
    const rtl::WideString& t = text->Text();
    if (std::any_of(t.begin(), t.end(), [](char16_t c) { return (c >= 0x3000 && c <= 0x9FFF) || c >= 0xFF00; }))
      found.push_back(text_extent::Describe(*text) + " \"" + rtl::Utf16ToUtf8(t) + "\"");
  });
  return found;
}

}  // namespace test_support
