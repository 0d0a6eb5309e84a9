#include "app/InfoForm.h"

#include "platform/rtl/TextConvert.h"

namespace app {

TfrmInfo::TfrmInfo(rtl::TComponent* owner) : TSceneForm(owner) { ReadSceneForm(); }

void TfrmInfo::btnOkClick(rtl::TObject*) { Close(); }

void TfrmInfo::Publish(rtl::TPublisher<TfrmInfo>& p) {
  p.Field("Label1", &TfrmInfo::Label1);
  p.Field("btnOk", &TfrmInfo::btnOk);
  p.Method("btnOkClick", &TfrmInfo::btnOkClick);
}

void InfoBox::Show(const std::string& text, const std::string& title, const std::string& button) {
  if (!form_) form_ = new TfrmInfo(&mainForm_);
  form_->ControlsScene->SetStyle(mainScene_.Style());
  form_->SetLeft(mainForm_.Left() + (mainForm_.Width() - form_->Width()) / 2);
  form_->SetTop(mainForm_.Top() + (mainForm_.Height() - form_->Height()) / 2);
  form_->Label1->SetText(rtl::W(text));
  form_->SetCaption(rtl::W(title));
  form_->btnOk->SetText(rtl::W(button));
  // A handler running inside the box's own modal loop only updates it.
  if (form_->Visible() || form_->IsModal()) return;
  // Enter answers the box, however it was opened.
  form_->btnOk->SetFocus();
  form_->ShowModal();
}

}  // namespace app
