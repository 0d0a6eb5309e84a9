#include "app/CurveEditorForm.h"

#include "platform/rtl/TextConvert.h"
#include "ui/core/vg_brush.h"

namespace app {
namespace {

constexpr float kAxisX = 16, kAxisY = 271;

vg::TvgPoint PointOf(const PlotCurve& curve, int i) {
  return {kAxisX + static_cast<float>(i) * curve.xStep,
          kAxisY - static_cast<float>(curve.values[static_cast<std::size_t>(i)])};
}

void SetStroke(vg::TvgCanvas& canvas, const char* color) { canvas.Stroke()->SetColor(color); }

}  // namespace

TCurveEditorForm::TCurveEditorForm(rtl::TComponent* owner) : TSceneForm(owner) {}

void TCurveEditorForm::Publish(rtl::TPublisher<TCurveEditorForm>& p) {
  using T = TCurveEditorForm;
  p.Field("btnInit", &T::btnInit);
  p.Field("btnOk", &T::btnOk);
  p.Field("btnCancel", &T::btnCancel);
  p.Field("PlotGrid1", &T::PlotGrid1);
  p.Field("Label3", &T::Label3);
  p.Method("PlotGrid1Paint", &T::PlotGrid1Paint);
  p.Method("PlotGrid1MouseDown", &T::PlotGrid1MouseDown);
  p.Method("PlotGrid1MouseMove", &T::PlotGrid1MouseMove);
  p.Method("PlotGrid1MouseUp", &T::PlotGrid1MouseUp);
  p.Method("PlotGrid1MouseEnter", &T::PlotGrid1MouseEnter);
  p.Method("PlotGrid1MouseLeave", &T::PlotGrid1MouseLeave);
  p.Method("btnInitClick", &T::btnInitClick);
}

vg::TvgLabel* TCurveEditorForm::AxisLabel(char axis, int n) const {
  return Node<vg::TvgLabel>(std::string(1, axis) + "Label" + std::to_string(n));
}

void TCurveEditorForm::PlotGrid1Paint(rtl::TObject*, vg::TvgCanvas* canvas, const vg::TvgRect& rect) {
  const vg::TvgSavedCanvasState saved(*canvas);
  canvas->SetClipRects({rect});
  canvas->Stroke()->SetStyle(vg::vgBrushSolid);
  canvas->SetStrokeThickness(2);
  SetStroke(*canvas, "#FF000000");
  canvas->DrawLine({2, 270}, {536, 270}, 1);
  canvas->DrawLine({16, 8}, {16, 284}, 1);

  const PlotCurve& curve = Curve();
  vg::TvgPolygon line;
  for (int i = 0; i <= curve.LastPoint(); ++i) line.push_back(PointOf(curve, i));
  SetStroke(*canvas, "#FFFF0000");
  canvas->DrawPolygon(line, 1);

  const char* color = "#FF0000FF";
  for (int k = 0; k < curve.nodeCount; ++k) {
    color = MarkerColor(k, color);
    SetStroke(*canvas, color);
    const vg::TvgPoint at = PointOf(curve, curve.Node(k));
    canvas->DrawEllipse({at.X - 1, at.Y - 1, at.X + 1, at.Y + 1}, 1);
  }
}

void TCurveEditorForm::PlotGrid1MouseDown(rtl::TObject*, vg::TvgMouseButton button, vg::TvgShiftState, float x,
                                          float y) {
  TracePress(x, y);
  const int index = IndexAt(x), value = ValueAt(y);
  Press(button, index, value);
  PointerLabel()->SetText(rtl::W(PointerText(index, value, false)));
  PlotGrid1->Repaint();
}

void TCurveEditorForm::PlotGrid1MouseMove(rtl::TObject*, vg::TvgShiftState, float x, float y, float, float) {
  PointerLabel()->Position()->SetPoint({x > 440 ? x - 95 : x + 5, y - 8});
  const int index = IndexAt(x), value = ValueAt(y);
  DragTo(index, value);
  PointerLabel()->SetText(rtl::W(PointerText(index, value, true)));
  PlotGrid1->Repaint();
}

void TCurveEditorForm::PlotGrid1MouseUp(rtl::TObject*, vg::TvgMouseButton, vg::TvgShiftState, float, float) {
  Curve().EndDrag();
}

void TCurveEditorForm::PlotGrid1MouseEnter(rtl::TObject*) {
  Curve().EndDrag();
  PointerLabel()->SetVisible(true);
}

void TCurveEditorForm::PlotGrid1MouseLeave(rtl::TObject*) {
  Curve().EndDrag();
  PointerLabel()->SetVisible(false);
}

void TCurveEditorForm::btnInitClick(rtl::TObject*) {
  InitCurve();
  PlotGrid1->Repaint();
}

// ----- TfrmGraph

TfrmGraph::TfrmGraph(rtl::TComponent* owner) : TCurveEditorForm(owner) { ReadSceneForm(); }

void TfrmGraph::Publish(rtl::TPublisher<TfrmGraph>& p) {
  p.Field("Label65", &TfrmGraph::Label65);
  p.Method("FormCreate", &TfrmGraph::FormCreate);
}

void TfrmGraph::FormCreate(rtl::TObject*) { State = RpmCurve{}; }

void TfrmGraph::Press(vg::TvgMouseButton button, int x, int y) { PressCurve(State, button, x, y); }

// A 256-point curve (its y axis in percent) draws every marker after the
// lock point, which is all of them, in the second colour.
const char* TfrmGraph::MarkerColor(int k, const char* previous) {
  const vg::TvgLabel* bottom = AxisLabel('y', 9);
  if (bottom && bottom->Text() == u"0%" && State.lockIndex - 1 < State.Node(k)) return "#FF996700";
  return previous;
}

}  // namespace app
