#include "app/pages/ParamPageBuilder.h"

#include "platform/rtl/TextConvert.h"
#include "ui/controls/vg_checkbox.h"
#include "ui/controls/vg_combobox.h"
#include "ui/controls/vg_numberbox.h"
#include "ui/controls/vg_textbox.h"
#include "ui/controls/vg_textcontrol.h"
#include "ui/controls/vg_track.h"
#include "ui/render/vg_layouts.h"

namespace app {
namespace {

using params::ControlKind;
using params::PlannedControl;

constexpr int kFirstLayout = 2, kLastLayout = 7, kSoftwareLayout = 8;

void Place(vg::TvgVisualObject& node, const PlannedControl& p) {
  node.Position()->SetX(p.x);
  node.Position()->SetY(p.y);
  node.SetWidth(p.width);
}

// Creates the page's layouts anew; a destroyed layout frees its controls and their names.
std::vector<vg::TvgLayout*> RenewPageLayouts(IParamPageHost& host) {
  std::vector<vg::TvgLayout*> layouts;
  for (int k = kFirstLayout; k <= kLastLayout; ++k) {
    const std::string name = "tabLayout" + std::to_string(k);
    if (rtl::TComponent* old = host.FormOwner().FindComponent(name)) old->Free();
    auto* layout = new vg::TvgLayout(&host.FormOwner());
    layout->SetName(name);
    layout->SetParent(&host.PageArea());
    layout->SetAlign(vg::vaClient);
    layout->SetVisible(false);
    layouts.push_back(layout);
  }
  if (vg::TvgVisualObject* software = host.SoftwarePage()) {
    software->SetParent(&host.PageArea());
    software->SetAlign(vg::vaClient);
    software->SetVisible(false);
  }
  return layouts;
}

class ControlFactory {
 public:
  ControlFactory(IParamPageHost& host, params::ParamEditor& editor) : host_(host), editor_(editor) {}

  // Creates the control of `p` on `parent`.
  vg::TvgVisualObject* Make(const PlannedControl& p, vg::TvgObject* parent) {
    parent_ = parent;
    switch (p.kind) {
      case ControlKind::Label: return MakeLabel(p);
      case ControlKind::OptionList: return MakeOptionList(p);
      case ControlKind::SpinBox: return MakeSpinBox(p);
      case ControlKind::TrackBar: return MakeTrackBar(p);
      case ControlKind::TextBox: return MakeTextBox(p);
      case ControlKind::None: break;
    }
    return nullptr;
  }

 private:
  template <class T>
  T* Create(const PlannedControl& p) {
    auto* control = new T(&host_.FormOwner());
    control->SetName(p.name);
    control->SetTag(p.tag);
    control->SetParent(parent_);
    Place(*control, p);
    return control;
  }

  void WireFocus(vg::TvgVisualObject* control) {
    control->OnEnterFocus = [&host = host_, control](rtl::TObject*) { host.itemEnterFocus(control); };
  }

  vg::TvgVisualObject* MakeLabel(const PlannedControl& p) {
    vg::TvgLabel* label = p.centred ? Create<vg::TvgValueLabel>(p) : Create<vg::TvgLabel>(p);
    if (p.captionStyle) {
      label->Font()->SetStyle(vg::vgFontBold);
      label->Font()->SetSize(12);
      label->SetTextAlign(vg::vgTextAlignNear);
    } else if (p.centred) {
      label->SetTextAlign(vg::vgTextAlignCenter);
    }
    label->SetText(rtl::W(p.text));
    return label;
  }

  vg::TvgVisualObject* MakeOptionList(const PlannedControl& p) {
    auto* list = Create<vg::TvgStringComboBox>(p);
    for (const std::string& entry : p.entries) list->Items()->Add(rtl::W(entry));
    list->SetItemIndex(p.selected < list->Count() ? p.selected : -1);
    // Wired after the first selection: building fires no change handler.
    list->OnChange = [&editor = editor_, name = p.name](rtl::TObject*) { editor.itemChange(name); };
    WireFocus(list);
    return list;
  }

  vg::TvgVisualObject* MakeSpinBox(const PlannedControl& p) {
    auto* spin = Create<vg::TvgSpinBox>(p);
    spin->SetValueType(p.integer ? vg::vgValueInteger : vg::vgValueFloat);
    spin->SetDecimalDigits(p.decimals);
    spin->SetIncrement(static_cast<float>(p.step));
    spin->SetPostfix(rtl::W(p.postfix));
    spin->SetMin(static_cast<float>(p.min));
    spin->SetMax(static_cast<float>(p.max));
    spin->SetValue(static_cast<float>(p.value));
    spin->Change();  // shows the starting value with its decimals and unit, also when it is 0
    spin->Font()->SetSize(p.fontSize);
    spin->SetEnabled(p.enabled);
    WireFocus(spin);
    return spin;
  }

  vg::TvgVisualObject* MakeTrackBar(const PlannedControl& p) {
    auto* track = Create<vg::TvgTrackBar>(p);
    track->SetMin(static_cast<float>(p.min));
    track->SetMax(static_cast<float>(p.max));
    track->SetFrequency(static_cast<float>(p.step));
    track->SetValue(static_cast<float>(p.value));
    track->OnChange = [&editor = editor_, name = p.name](rtl::TObject*) { editor.itemChange(name); };
    WireFocus(track);
    return track;
  }

  vg::TvgVisualObject* MakeTextBox(const PlannedControl& p) {
    auto* box = Create<vg::TvgTextBox>(p);
    box->SetReadOnly(p.readOnly);
    box->SetText(rtl::W(p.text));
    box->SetVisible(p.visible);
    if (p.name == params::kNameBox) {
      box->OnKeyDown = [&editor = editor_](rtl::TObject*, std::uint16_t& key, char16_t&, vg::TvgShiftState) {
        editor.itemKeyDown(params::kNameBox, key);
      };
    } else if (!p.visible) {  // a table box opens its editor
      box->OnClick = [&editor = editor_, name = p.name](rtl::TObject*) { editor.itemClick(name); };
    }
    WireFocus(box);
    return box;
  }

  IParamPageHost& host_;
  params::ParamEditor& editor_;
  vg::TvgObject* parent_ = nullptr;
};

}  // namespace

std::string PageLayoutName(int page) { return "tabLayout" + std::to_string(page + kFirstLayout); }

void BuildParameterPages(IParamPageHost& host, params::ParamEditor& editor, const params::VERSION& version,
                         const params::PlanInputs& inputs, bool showSettings) {
  const params::PagePlan plan = params::PlanParameterPages(version, inputs);  // before the old pages go
  host.CloseHelpPanel();
  std::vector<vg::TvgLayout*> layouts = RenewPageLayouts(host);
  for (std::size_t j = 0; j < plan.captions.size(); ++j)
    host.SetPageEntry(static_cast<int>(j), plan.captions[j], plan.icons[j]);

  std::vector<vg::TvgGroupBox*> boxes;
  for (const params::PlannedGroupBox& planned : plan.groupBoxes) {
    auto* box = new vg::TvgGroupBox(&host.FormOwner());
    box->SetParent(layouts[static_cast<std::size_t>(planned.page)]);
    box->Position()->SetX(planned.x);
    box->Position()->SetY(planned.y);
    box->SetWidth(planned.width);
    box->SetHeight(planned.height);
    box->Font()->SetFamily(u"Wingdings");
    box->SetText(u"v");
    boxes.push_back(box);
  }
  ControlFactory factory(host, editor);
  for (const PlannedControl& p : plan.controls)
    factory.Make(p, p.groupBox >= 0 ? static_cast<vg::TvgObject*>(boxes[static_cast<std::size_t>(p.groupBox)])
                                    : layouts[static_cast<std::size_t>(p.page)]);
  editor.RunLinkPass();
  const params::SideListInputs side = host.SideListState();
  host.ShowSideEntries(params::ArrangeSideList(host.ShownSideEntries(), params::VisibleSideEntries(side), side.tab));
  if (showSettings) editor.ShowSettings();
}

}  // namespace app
