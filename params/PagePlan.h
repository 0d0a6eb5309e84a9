#pragma once
// The parameter pages a description makes: every control with its name,
// kind, place, entries and starting value, and the group boxes, computed
// without any control so that the page builder only has to create what the
// plan lists and the layout can be checked headless.
#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "params/DeviceDescription.h"
#include "params/ParamHost.h"
#include "platform/rtl/Exceptions.h"

namespace params {

// The number of parameter pages; page j is the layout "tabLayout" (j + 2).
inline constexpr int kParamPages = MaxPages;

struct PlannedControl {
  std::string name;
  ControlKind kind = ControlKind::None;
  int page = 0;
  int groupBox = -1;  // index into PagePlan::groupBoxes, -1 on the page layout
  float x = 0, y = 0, width = 0;
  int tag = 0;
  bool captionStyle = false;  // bold, size 12, left-aligned (row captions)
  bool centred = false;       // value labels
  float fontSize = 0;         // 0: the class's own
  bool visible = true, enabled = true, readOnly = false;
  std::string text;
  // Option lists: the entries and the selected one (-1 none).
  std::vector<std::string> entries;
  int selected = -1;
  // Spin boxes and track bars.
  double min = 0, max = 0, step = 1, value = 0;
  bool integer = false;  // spin boxes: whole numbers
  int decimals = 0;
  std::string postfix;
};

struct PlannedGroupBox {
  int page = 0;
  float x = 9, y = 8, width = 390, height = 20;
};

struct PagePlan {
  std::vector<PlannedControl> controls;
  std::vector<PlannedGroupBox> groupBoxes;
  // Caption and picture of the side-list entry of each page below `tab`.
  std::vector<std::string> captions, icons;
  const PlannedControl* Find(const std::string& name) const;
};

// What the plan reads besides the description.
struct PlanInputs {
  bool chinese = false;
  bool demo = false;
  std::string modeCaption{};                  // text of "lMode"
  std::array<std::uint8_t, 32> deviceData{};  // measurements for the readouts
  std::span<const std::uint8_t> settingsImage{};
  int valueOffset = 0;  // of the settings image layout (the KV readout)
};

// A parameter whose description holds a number that is none (track-bar
// bounds, custom ranges, value ranges); `Parameter()` is its name as shown.
class EUnreadableParameter : public rtl::EConvertError {
 public:
  EUnreadableParameter(std::string parameter, const std::string& why)
      : rtl::EConvertError(why), parameter_(std::move(parameter)) {}
  const std::string& Parameter() const { return parameter_; }

 private:
  std::string parameter_;
};

// Plans the pages of `version`. Raises EUnreadableParameter for a parameter
// the plan cannot read.
PagePlan PlanParameterPages(const VERSION& version, const PlanInputs& inputs);

// The index of the first entry holding "(*)", 0 when none does.
int FindDefaultIndex(const std::vector<std::string>& entries);

// The side list: which of ListBoxItem2..11 are shown and in what order.
struct SideListInputs {
  int tab = 0;
  bool escKind = false, motorChecker = false, programCard = false, demo = false, connected = false;
  int linkMode = 0;        // 1..5 for PORTAVEX1..5, else 0
  std::string controller{};  // C of the device texts
};
// Entry numbers (2..11) shown by the inputs.
std::vector<int> VisibleSideEntries(const SideListInputs& inputs);
// The new order of the shown list, which holds `shown` now (entry numbers,
// the about entry 1 first): an entry already shown keeps its place, one that
// comes in goes to the end, then the software-information, recorder,
// calculator and link-parameter entries move behind the pages.
std::vector<int> ArrangeSideList(std::vector<int> shown, const std::vector<int>& visible, int tab);

}  // namespace params
