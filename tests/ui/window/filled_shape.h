#pragma once
// A shape of class T filled with one colour and drawn without an outline,
// placed on a parent node: what the window tests draw to find on screen.
#include "ui/render/vg_objects.h"

namespace test_support {

template <class T>
T* FilledShape(vg::TvgObject* parent, float x, float y, float w, float h, vg::TvgColor fill) {
  auto* shape = new T(nullptr);
  shape->SetParent(parent);
  shape->SetBounds(x, y, w, h);
  shape->Fill()->SetSolidColor(fill);
  shape->Stroke()->SetStyle(vg::vgBrushNone);
  return shape;
}

}  // namespace test_support
