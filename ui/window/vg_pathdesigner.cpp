#include "ui/window/vg_pathdesigner.h"

#include <utility>

#include "EmbeddedResources_vg_editor_forms.h"
#include "platform/gui/Clipboard.h"
#include "platform/rtl/ClassRegistry.h"
#include "platform/rtl/TextConvert.h"

namespace vg {

namespace {

void RegisterForms() {
  static bool registered = false;
  if (std::exchange(registered, true)) return;
  RegisterResources_vg_editor_forms();
  rtl::RegisterClasses<TvgPathDataDesigner>();
}

}  // namespace

TvgPathDataDesigner::TvgPathDataDesigner(rtl::TComponent* owner) : gui::TForm(owner) {
  RegisterForms();
  ReadFormResource();
  FHost = std::make_unique<TvgSceneHost>(*vgScene1, *this);
  PathData->OnChangeTracking = [this](rtl::TObject*) { ShowPreview(); };
  Button1->OnClick = [this](rtl::TObject*) { PathData->SetText(gui::Clipboard().AsText()); };
  Button2->OnClick = [this](rtl::TObject*) { SetModalResult(gui::mrOk); };
  Button3->OnClick = [this](rtl::TObject*) { SetModalResult(gui::mrCancel); };
}

TvgPathDataDesigner::~TvgPathDataDesigner() = default;

void TvgPathDataDesigner::BeforeDestruction() {
  FHost.reset();
  inherited::BeforeDestruction();
}

void TvgPathDataDesigner::Publish(rtl::TPublisher<TvgPathDataDesigner>& p) {
  using T = TvgPathDataDesigner;
  p.Field("vgScene1", &T::vgScene1);
  p.Field("PathData", &T::PathData);
  p.Field("previewLayout", &T::previewLayout);
  p.Field("previewPath", &T::previewPath);
  p.Field("Button1", &T::Button1);
  p.Field("Button2", &T::Button2);
  p.Field("Button3", &T::Button3);
}

void TvgPathDataDesigner::ShowPreview() {
  if (previewLayout->Visible()) previewPath->Data()->SetPathString(rtl::Utf16ToUtf8(PathData->Text()));
}

bool ShowPathDataDesigner(TvgPathData& path) {
  TvgPathDataDesigner designer(nullptr);
  designer.PathData->SetText(rtl::W(path.GetPathString()));
  if (designer.ShowModal() != gui::mrOk) return false;
  path.SetPathString(rtl::Utf16ToUtf8(designer.PathData->Text()));
  return true;
}

}  // namespace vg
