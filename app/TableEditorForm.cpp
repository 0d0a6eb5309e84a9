#include "app/TableEditorForm.h"

#include <algorithm>

#include "platform/rtl/NumberText.h"
#include "platform/rtl/Rounding.h"
#include "platform/rtl/TextConvert.h"
#include "ui/render/vg_layouts.h"

namespace app {

std::string BarText(float value) { return rtl::FloatToStr(value); }

TfrmAdjust::TfrmAdjust(rtl::TComponent* owner) : TSceneForm(owner) { ReadSceneForm(); }

void TfrmAdjust::Publish(rtl::TPublisher<TfrmAdjust>& p) {
  using T = TfrmAdjust;
  p.Field("HorzListBox1", &T::HorzListBox1);
  p.Field("Label1", &T::Label1);
  p.Field("Label2", &T::Label2);
  p.Field("Label65", &T::Label65);
  p.Field("CheckBox1", &T::CheckBox1);
  p.Field("btnOk", &T::btnOk);
  p.Field("btnCancel", &T::btnCancel);
  p.Method("CheckBox1Click", &T::CheckBox1Click);
}

void TfrmAdjust::BuildTracks(int count, int min, int max) {
  for (int i = 0; i < count; ++i) BuildTrack(i, min, max);
  Label1->SetText(rtl::W(std::to_string(max)));
  Label2->SetText(rtl::W(std::to_string(min)));
}

void TfrmAdjust::BuildTrack(int i, int min, int max) {
  auto* item = new vg::TvgListBoxItem(this);
  item->SetWidth(19);
  item->SetParent(HorzListBox1);

  auto* index = new vg::TvgLabel(this);
  index->SetParent(item);
  index->SetAlign(vg::vaBottom);
  index->SetHeight(15);
  index->SetWordWrap(false);
  index->SetTextAlign(vg::vgTextAlignCenter);
  if (i >= 99) index->Font()->SetSize(8);
  index->SetText(rtl::W(std::to_string(i + 1)));

  auto* holder = new vg::TvgLayout(this);
  holder->SetParent(item);
  holder->SetAlign(vg::vaTop);
  holder->SetWidth(19);
  holder->SetHeight(32);
  auto* value = new vg::TvgLabel(this);
  value->SetName("lbl" + std::to_string(i));
  value->SetParent(holder);
  value->Font()->SetSize(10);
  value->SetWordWrap(false);
  value->SetRotateAngle(270);
  value->Position()->SetPoint({-50, 11});
  valueLabels_.push_back(value);

  auto* bar = new vg::TvgTrackBar(this);
  bar->SetName("Trackbar" + std::to_string(i));
  bar->SetParent(item);
  bar->SetAlign(vg::vaClient);
  bar->SetOrientation(vg::vgVertical);
  bar->SetRotateAngle(180);
  bar->SetMax(static_cast<float>(max));
  bar->SetMin(static_cast<float>(min));
  bar->SetFrequency(1);
  bar->SetDisableFocusEffect(true);
  bar->SetTracking(true);
  bar->SetValue(static_cast<float>(min));
  bar->SetHint(rtl::W(BarText(bar->Value())));
  value->SetText(bar->Hint());
  bar->SetTag(i);
  bar->OnChange = [this](rtl::TObject* sender) { TrackBarChange(sender); };
  bars_.push_back(bar);
}

std::vector<int> TfrmAdjust::Values() const {
  std::vector<int> values;
  for (const vg::TvgTrackBar* bar : bars_) values.push_back(static_cast<int>(rtl::Trunc(bar->Value())));
  return values;
}

void TfrmAdjust::SetQuietly(int i, float value) {
  vg::TvgTrackBar& bar = Bar(i);
  const rtl::TNotifyEvent handler = bar.OnChange;
  bar.OnChange = nullptr;
  bar.SetValue(value);
  bar.OnChange = handler;
  bar.SetHint(rtl::W(BarText(bar.Value())));
}

void TfrmAdjust::FillBetween(int a, int b) {
  const int lo = std::min(a, b), hi = std::max(a, b);
  const float from = Bar(lo).Value();
  const float slope = (Bar(hi).Value() - from) / static_cast<float>(hi - lo);
  for (int j = lo + 1; j < hi; ++j)
    SetQuietly(j, from + static_cast<float>(rtl::Round(static_cast<double>(j - lo) * slope)));
}

void TfrmAdjust::TrackBarChange(rtl::TObject* sender) {
  auto* bar = dynamic_cast<vg::TvgTrackBar*>(sender);
  if (!bar) return;
  const int t = static_cast<int>(bar->Tag());
  if (t > 0 && bar->Value() < Bar(t - 1).Value()) SetQuietly(t, Bar(t - 1).Value());
  if (CheckBox1->IsChecked()) {
    if (lastClicked_ != kNoBar && lastClicked_ != t && lastClicked_ < BarCount()) FillBetween(lastClicked_, t);
    lastClicked_ = t;
  }
  // The bar may have been raised to its predecessor: the later bars follow
  // its value as it stands now, so the table never falls.
  const float v = bar->Value();
  for (int k = t + 1; k < BarCount() && Bar(k).Value() < v; ++k) SetQuietly(k, v);
  bar->SetHint(rtl::W(BarText(v)));
  Label65->SetText(bar->Hint());
  for (int i = 0; i < BarCount(); ++i) valueLabels_[static_cast<std::size_t>(i)]->SetText(Bar(i).Hint());
  HorzListBox1->Repaint();
}

void TfrmAdjust::CheckBox1Click(rtl::TObject*) { lastClicked_ = kNoBar; }

}  // namespace app
