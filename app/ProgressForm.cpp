#include "app/ProgressForm.h"

#include "platform/rtl/TextConvert.h"

namespace app {

TfrmProgress::TfrmProgress(rtl::TComponent* owner) : TSceneForm(owner) { ReadSceneForm(); }

void TfrmProgress::Publish(rtl::TPublisher<TfrmProgress>& p) {
  p.Field("Label1", &TfrmProgress::Label1);
  p.Field("ProgressBar1", &TfrmProgress::ProgressBar1);
}

ProgressBox::~ProgressBox() { Free(); }

void ProgressBox::Create(const std::string& label, int maximum) {
  Free();
  form_ = new TfrmProgress(&mainForm_);
  form_->ControlsScene->SetStyle(mainScene_.Style());
  form_->SetLeft(mainForm_.Left() + (mainForm_.Width() - form_->Width()) / 2);
  form_->SetTop(mainForm_.Top() + (mainForm_.Height() - form_->Height()) / 2);
  form_->Label1->SetText(rtl::W(label));
  SetMaximum(maximum);
  SetValue(0);
  Show();
}

void ProgressBox::Free() {
  if (!form_) return;
  TfrmProgress* form = form_;
  form_ = nullptr;
  form->Free();
}

void ProgressBox::SetMaximum(int maximum) {
  if (form_) form_->ProgressBar1->SetMax(static_cast<float>(maximum));
}

void ProgressBox::Show() {
  if (form_) form_->Show();
}

int ProgressBox::Value() { return form_ ? static_cast<int>(form_->ProgressBar1->Value()) : 0; }

int ProgressBox::Maximum() { return form_ ? static_cast<int>(form_->ProgressBar1->Max()) : 0; }

void ProgressBox::SetValue(int value) {
  if (form_) form_->ProgressBar1->SetValue(static_cast<float>(value));
}

void ProgressBox::Repaint() {
  if (form_) form_->ControlsScene->UpdateBuffer();
}

}  // namespace app
