#pragma once
// The curve editors' windows: a plot (PlotGrid1) on which the user places,
// drags and deletes the nodes of a curve, axis labels, the parameter's
// description and the Init, OK and Cancel buttons. TCurveEditorForm is the
// frame both share: it paints the curve and turns the plot's mouse events
// into point indices and values for the curve's rules. TfrmGraph edits the
// 256- and 64-point rpm curves (RpmCurve).
#include <string>

#include "app/CurveEditing.h"
#include "app/SceneForm.h"
#include "ui/controls/vg_buttons.h"
#include "ui/controls/vg_panels.h"
#include "ui/controls/vg_plotgrid.h"
#include "ui/controls/vg_textcontrol.h"
#include "ui/core/vg_canvas.h"
#include "ui/core/vg_visual.h"

namespace app {

class TCurveEditorForm : public TSceneForm {
  RTL_CLASS(TCurveEditorForm, TSceneForm)

  explicit TCurveEditorForm(rtl::TComponent* owner);

  vg::TvgRoundButton* btnInit = nullptr;
  vg::TvgRoundButton* btnOk = nullptr;
  vg::TvgRoundButton* btnCancel = nullptr;
  vg::TvgPlotGrid* PlotGrid1 = nullptr;
  vg::TvgLabel* Label3 = nullptr;

  virtual PlotCurve& Curve() = 0;
  // Axis label n (1-based) of the x or y axis, or nullptr.
  vg::TvgLabel* AxisLabel(char axis, int n) const;

  void PlotGrid1Paint(rtl::TObject* sender, vg::TvgCanvas* canvas, const vg::TvgRect& rect);
  void PlotGrid1MouseDown(rtl::TObject* sender, vg::TvgMouseButton button, vg::TvgShiftState shift, float x, float y);
  void PlotGrid1MouseMove(rtl::TObject* sender, vg::TvgShiftState shift, float x, float y, float dx, float dy);
  void PlotGrid1MouseUp(rtl::TObject* sender, vg::TvgMouseButton button, vg::TvgShiftState shift, float x, float y);
  void PlotGrid1MouseEnter(rtl::TObject* sender);
  void PlotGrid1MouseLeave(rtl::TObject* sender);
  void btnInitClick(rtl::TObject* sender);

  static void Publish(rtl::TPublisher<TCurveEditorForm>& p);

 protected:
  // The curve's rules for a press and a drag at point x, value y.
  virtual void Press(vg::TvgMouseButton button, int x, int y) = 0;
  virtual void DragTo(int x, int y) = 0;
  virtual void InitCurve() = 0;
  virtual bool SixtyFourPoints() = 0;
  virtual int ValueFloor() const = 0;
  virtual std::string PointerText(int x, int y, bool moving) = 0;
  virtual vg::TvgLabel* PointerLabel() const = 0;
  // The marker colour of node k, given the colour of the node before it.
  virtual const char* MarkerColor(int, const char* previous) { return previous; }
  // Told of every press at its pointer position.
  virtual void TracePress(float, float) {}

 private:
  int IndexAt(float x) { return PointerIndex(x, SixtyFourPoints()); }
  int ValueAt(float y) const { return PointerValue(y, PlotGrid1->Height(), ValueFloor()); }
};

// A press on a curve: the left button picks or adds a node, the right one
// deletes one, any other fills between the nodes.
template <class Curve>
void PressCurve(Curve& curve, vg::TvgMouseButton button, int x, int y) {
  if (button == vg::vgMouseLeft)
    curve.LeftDown(x, y);
  else if (button == vg::vgMouseRight)
    curve.RightDown(x, y);
  else
    curve.Interpolate();
}

class TfrmGraph : public TCurveEditorForm {
  RTL_CLASS(TfrmGraph, TCurveEditorForm)

  explicit TfrmGraph(rtl::TComponent* owner);

  vg::TvgLabel* Label65 = nullptr;
  RpmCurve State;

  PlotCurve& Curve() override { return State; }
  void FormCreate(rtl::TObject* sender);

  static void Publish(rtl::TPublisher<TfrmGraph>& p);

 protected:
  void Press(vg::TvgMouseButton button, int x, int y) override;
  void DragTo(int x, int y) override { State.Drag(x, y); }
  void InitCurve() override { State.Init(); }
  bool SixtyFourPoints() override { return State.SixtyFourPoints(); }
  int ValueFloor() const override { return 0; }
  std::string PointerText(int x, int y, bool moving) override { return State.PointerText(x, y, moving); }
  vg::TvgLabel* PointerLabel() const override { return Label65; }
  const char* MarkerColor(int k, const char* previous) override;
};

}  // namespace app
