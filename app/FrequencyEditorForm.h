#pragma once
// TfrmGraph2: the frequency curve editor, a 64-point curve read in "k"
// units that may fall, with a preset list (scbSelect) that sets the whole
// curve to one level.
#include "app/CurveEditorForm.h"
#include "ui/controls/vg_combobox.h"

namespace app {

class TfrmGraph2 : public TCurveEditorForm {
  RTL_CLASS(TfrmGraph2, TCurveEditorForm)

  explicit TfrmGraph2(rtl::TComponent* owner);

  vg::TvgLabel* PointTips = nullptr;
  vg::TvgStringComboBox* scbSelect = nullptr;
  FrequencyCurve State;

  PlotCurve& Curve() override { return State; }
  void FormCreate(rtl::TObject* sender);
  // Fills the preset list: to "16k" under a "16k" y axis, else to "32k".
  void FormShow(rtl::TObject* sender);
  void scbSelectChange(rtl::TObject* sender);

  static void Publish(rtl::TPublisher<TfrmGraph2>& p);

 protected:
  void Press(vg::TvgMouseButton button, int x, int y) override;
  void DragTo(int x, int y) override { State.Drag(x, y); }
  void InitCurve() override { State.Init(); }
  bool SixtyFourPoints() override { return true; }
  int ValueFloor() const override { return FrequencyCurve::kFloor; }
  std::string PointerText(int x, int y, bool) override { return State.PointerText(x, y); }
  vg::TvgLabel* PointerLabel() const override { return PointTips; }
  // Writes the pointer position to the debug output.
  void TracePress(float x, float y) override;
};

}  // namespace app
