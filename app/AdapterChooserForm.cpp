#include "app/AdapterChooserForm.h"

#include <memory>

#include "platform/rtl/TextConvert.h"

namespace app {

TfrmHid::TfrmHid(rtl::TComponent* owner, const std::vector<std::string>& adapterLines)
    : TSceneForm(owner), chooser_(adapterLines) {
  ReadSceneForm();
  for (const std::string& line : chooser_.HidList()) {
    auto* item = new vg::TvgListBoxItem(this);
    item->SetText(rtl::W(line));
    item->SetParent(HidList);
  }
}

void TfrmHid::HidListDblClick(rtl::TObject*) {
  chooser_.HidListDblClick(HidList->ItemIndex());
  if (chooser_.ModalResult() > 0) SetModalResult(chooser_.ModalResult());
}

void TfrmHid::Publish(rtl::TPublisher<TfrmHid>& p) {
  p.Field("lblPrompt", &TfrmHid::lblPrompt);
  p.Field("HidList", &TfrmHid::HidList);
  p.Method("HidListDblClick", &TfrmHid::HidListDblClick);
}

int AdapterChooserWindow::ShowModal(const std::vector<std::string>& adapterLines) {
  const std::unique_ptr<TfrmHid, decltype([](TfrmHid* form) { form->Free(); })> form(
      new TfrmHid(&mainForm_, adapterLines));
  form->lblPrompt->SetText(rtl::W(texts_.LangText("SelectAdapter", "请选择连接设备")));
  form->ShowModal();
  return form->Choice();
}

}  // namespace app
