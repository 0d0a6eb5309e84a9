#include "app/FrequencyEditorForm.h"

#include "platform/rtl/DebugOutput.h"
#include "platform/rtl/NumberText.h"

namespace app {

TfrmGraph2::TfrmGraph2(rtl::TComponent* owner) : TCurveEditorForm(owner) { ReadSceneForm(); }

void TfrmGraph2::Publish(rtl::TPublisher<TfrmGraph2>& p) {
  p.Field("PointTips", &TfrmGraph2::PointTips);
  p.Field("scbSelect", &TfrmGraph2::scbSelect);
  p.Method("FormCreate", &TfrmGraph2::FormCreate);
  p.Method("FormShow", &TfrmGraph2::FormShow);
  p.Method("scbSelectChange", &TfrmGraph2::scbSelectChange);
}

void TfrmGraph2::FormCreate(rtl::TObject*) { State = FrequencyCurve{}; }

void TfrmGraph2::FormShow(rtl::TObject*) {
  static constexpr const char16_t* kBrakePresets[] = {u"0.5k", u"1k", u"2k", u"4k", u"6k",
                                                      u"8k",   u"10k", u"12k", u"14k", u"16k"};
  static constexpr const char16_t* kPresets[] = {u"1k",  u"2k",  u"4k",  u"8k",  u"12k",
                                                 u"16k", u"20k", u"24k", u"28k", u"32k"};
  const vg::TvgLabel* top = AxisLabel('y', 1);
  const bool brake = top && top->Text() == u"16k";
  vg::TvgWideStringList* items = scbSelect->Items();
  items->Clear();
  for (const char16_t* preset : brake ? kBrakePresets : kPresets) items->Add(preset);
}

void TfrmGraph2::scbSelectChange(rtl::TObject*) {
  State.ApplyPreset(scbSelect->ItemIndex());
  PlotGrid1->Repaint();
}

void TfrmGraph2::Press(vg::TvgMouseButton button, int x, int y) { PressCurve(State, button, x, y); }

void TfrmGraph2::TracePress(float x, float y) {
  rtl::OutputDebugString("X:" + rtl::FloatToStr(x) + "  Y:" + rtl::FloatToStr(y));
}

}  // namespace app
