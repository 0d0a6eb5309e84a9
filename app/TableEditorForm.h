#pragma once
// TfrmAdjust: the table editor, one vertical track bar per table entry in a
// horizontal list. The table never falls: a bar cannot go below the bar
// before it and raising a bar raises the later bars below it. With
// CheckBox1 on, two changed bars fill the bars between them on a straight
// line.
#include <string>
#include <vector>

#include "app/SceneForm.h"
#include "ui/controls/vg_buttons.h"
#include "ui/controls/vg_checkbox.h"
#include "ui/controls/vg_listbox.h"
#include "ui/controls/vg_textcontrol.h"
#include "ui/controls/vg_track.h"

namespace app {

class TfrmAdjust : public TSceneForm {
  RTL_CLASS(TfrmAdjust, TSceneForm)

  explicit TfrmAdjust(rtl::TComponent* owner);

  vg::TvgHorzListBox* HorzListBox1 = nullptr;
  vg::TvgLabel* Label1 = nullptr;
  vg::TvgLabel* Label2 = nullptr;
  vg::TvgLabel* Label65 = nullptr;
  vg::TvgCheckBox* CheckBox1 = nullptr;
  vg::TvgRoundButton* btnOk = nullptr;
  vg::TvgRoundButton* btnCancel = nullptr;

  // Builds `count` bars ranging from min to max, each at min.
  void BuildTracks(int count, int min, int max);
  int BarCount() const { return static_cast<int>(bars_.size()); }
  // Bar i ("TrackBar" i).
  vg::TvgTrackBar& Bar(int i) const { return *bars_.at(static_cast<std::size_t>(i)); }
  // The bars' values, truncated.
  std::vector<int> Values() const;

  // The change rule of every bar.
  void TrackBarChange(rtl::TObject* sender);
  // Forgets the bar of the last change.
  void CheckBox1Click(rtl::TObject* sender);

  static void Publish(rtl::TPublisher<TfrmAdjust>& p);

 private:
  static constexpr int kNoBar = 256;
  // Sets bar i without running the change rule.
  void SetQuietly(int i, float value);
  void FillBetween(int a, int b);
  void BuildTrack(int i, int min, int max);

  std::vector<vg::TvgTrackBar*> bars_;
  std::vector<vg::TvgLabel*> valueLabels_;
  int lastClicked_ = 0;
};

// A bar's shown value: the shortest float text ("3500", "12.5").
std::string BarText(float value);

}  // namespace app
