#include "app/MainFormHelp.h"

#include <cmath>

#include "app/HelpContent.h"
#include "app/MainForm.h"
#include "app/MainFormDevice.h"
#include "app/MainFormParams.h"
#include "app/PageSwitch.h"
#include "platform/gui/Shell.h"
#include "platform/gui/WebBrowser.h"
#include "platform/rtl/TextConvert.h"
#include "ui/controls/vg_combobox.h"
#include "ui/controls/vg_combotextbox.h"
#include "ui/controls/vg_compound.h"
#include "ui/controls/vg_numberbox.h"
#include "ui/controls/vg_textbox.h"
#include "ui/controls/vg_textcontrol.h"
#include "ui/controls/vg_track.h"
#include "ui/render/vg_layouts.h"
#include "ui/render/vg_objects.h"

namespace app {
namespace {

constexpr char kLayoutName[] = "helpLayout";

// The controls whose focus points the callout at them and shows their help.
bool IsInputBox(rtl::TObject* sender) {
  return dynamic_cast<vg::TvgStringComboBox*>(sender) || dynamic_cast<vg::TvgSpinBox*>(sender) ||
         dynamic_cast<vg::TvgTextBox*>(sender) || dynamic_cast<vg::TvgTrackBar*>(sender) ||
         dynamic_cast<vg::TvgComboTextBox*>(sender) || dynamic_cast<vg::TvgCompoundTextBox*>(sender);
}

float Top(vg::TvgObject* node) {
  auto* visual = dynamic_cast<vg::TvgVisualObject*>(node);
  return visual ? visual->Position()->Y() : 0;
}

void Place(vg::TvgVisualObject& node, float x, float y, float width, float height) {
  node.Position()->SetX(x);
  node.Position()->SetY(y);
  node.SetWidth(width);
  node.SetHeight(height);
}

}  // namespace

void MainFormHelp::itemEnterFocus(rtl::TObject* sender) {
  int offset = 0, code = 0;
  if (auto* box = dynamic_cast<vg::TvgVisualObject*>(sender); box && IsInputBox(sender)) {
    offset = static_cast<int>(std::trunc(Top(box->Parent()) + box->Position()->Y() - 5));
    code = static_cast<int>(box->Tag());
  }
  if (vg::TvgCalloutPanel* panel = form_.Panel2) {
    panel->SetCalloutOffset(static_cast<float>(offset));
    panel->SetCalloutLength(11);
    panel->Position()->SetX(-7);
    panel->SetWidth(226);
  }
  ShowHelp(code);
}

void MainFormHelp::ShowHelp(int code) {
  PlaceWebPane(false);
  if (!form_.Panel2) return;
  vg::TvgLayout& layout = NewHelpLayout();
  if (code < 0) return;
  const auto* programCard = form_.Node<gui::TMenuItem>("LCDProgramCard1");
  const HelpTextSources sources{.chinese = form_.IsChinese(),
                                .programCard = programCard && programCard->Checked(),
                                .description = &form_.Params().Version(),
                                .langText = [this](const std::string& key) { return form_.LangText(key, ""); }};
  const auto& info = form_.Device().State().DeviceInfoStrings;
  const DeviceMarkers device{info[device::kController], info[device::kHardware], info[device::kFirmware]};
  ShowContent(layout, ResolveHelp(HelpTextFor(code, sources), form_.ProgramFolder() + "help/", device));
}

void MainFormHelp::PlaceWebPane(bool inView) {
  if (form_.web) form_.web->SetLeft(inView ? kHelpViewShownLeft : kHelpViewHiddenLeft);
}

vg::TvgLayout& MainFormHelp::NewHelpLayout() {
  if (auto* old = form_.Node<vg::TvgLayout>(kLayoutName)) old->Free();
  vg::TvgCalloutPanel& panel = *form_.Panel2;
  auto* layout = new vg::TvgLayout(&form_);
  layout->SetName(kLayoutName);
  layout->SetParent(&panel);
  Place(*layout, 20, 8, panel.Width() - 20, panel.Height() - 16);
  return *layout;
}

void MainFormHelp::ShowContent(vg::TvgLayout& layout, const HelpContent& content) {
  const vg::TvgCalloutPanel& panel = *form_.Panel2;
  if (!content.pictures.empty()) Place(layout, 14, 3, panel.Width() - 17, panel.Height() - 7);
  for (const std::string& file : content.pictures) {
    auto* image = new vg::TvgImage(&form_);
    image->SetParent(&layout);
    image->SetWidth(layout.Width());
    image->SetHeight(layout.Height());
    image->SetWrapMode(vg::vgImageStretch);
    image->Bitmap()->LoadFromFile(file);
  }
  if (content.webPage && form_.web) {
    form_.web->Navigate(gui::FileUri(*content.webPage));
    PlaceWebPane(true);
  }
  if (content.text.empty()) return;
  auto* label = new vg::TvgLabel(&form_);
  label->SetParent(&layout);
  label->SetAlign(vg::vaClient);
  label->SetText(rtl::W(content.text));
  label->SetTextAlign(vg::vgTextAlignNear);
  label->SetVertTextAlign(vg::vgTextAlignNear);
}

}  // namespace app
