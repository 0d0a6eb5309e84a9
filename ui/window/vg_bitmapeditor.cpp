#include "ui/window/vg_bitmapeditor.h"

#include <utility>

#include "EmbeddedResources_vg_editor_forms.h"
#include "platform/rtl/ClassRegistry.h"
#include "platform/rtl/Rounding.h"
#include "platform/rtl/TextConvert.h"
#include "ui/controls/vg_brushdesign.h"
#include "ui/controls/vg_services.h"

namespace vg {

namespace {

constexpr float kSlideSeconds = 0.3f;

void RegisterForms() {
  static bool registered = false;
  if (std::exchange(registered, true)) return;
  RegisterResources_vg_editor_forms();
  rtl::RegisterClasses<TvgBitmapEditor>();
}

TvgRect WholeRect(const TvgBitmap& bitmap) { return {0, 0, float(bitmap.Width()), float(bitmap.Height())}; }

}  // namespace

TvgBitmapEditor::TvgBitmapEditor(rtl::TComponent* owner) : gui::TForm(owner), FBitmap(new TvgBitmap(1, 1)) {
  RegisterForms();
  ReadFormResource();
  FHost = std::make_unique<TvgSceneHost>(*vgScene1, *this);
  Connect();
  ShowWholeBitmap();
}

TvgBitmapEditor::~TvgBitmapEditor() = default;

void TvgBitmapEditor::BeforeDestruction() {
  FHost.reset();
  inherited::BeforeDestruction();
}

void TvgBitmapEditor::Publish(rtl::TPublisher<TvgBitmapEditor>& p) {
  using T = TvgBitmapEditor;
  p.Field("vgScene1", &T::vgScene1);
  p.Field("Root1", &T::Root1);
  p.Field("Button1", &T::Button1);
  p.Field("Button2", &T::Button2);
  p.Field("btnOk", &T::btnOk);
  p.Field("btnPaste", &T::btnPaste);
  p.Field("editControl", &T::editControl);
  p.Field("labelScale", &T::labelScale);
  p.Field("trackScale", &T::trackScale);
  p.Field("btnFit", &T::btnFit);
  p.Field("btnOriginal", &T::btnOriginal);
  p.Field("cropButton", &T::cropButton);
  p.Field("Button3", &T::Button3);
  p.Field("btnResize", &T::btnResize);
  p.Field("btnSave", &T::btnSave);
  p.Field("ScrollBox1", &T::ScrollBox1);
  p.Field("Preview", &T::Preview);
  p.Field("resizeLayout", &T::resizeLayout);
  p.Field("newWidth", &T::newWidth);
  p.Field("newHeight", &T::newHeight);
  p.Field("Button4", &T::Button4);
  p.Field("Button5", &T::Button5);
  p.Field("SaveDialog1", &T::SaveDialog1);
}

void TvgBitmapEditor::Connect() {
  Button1->OnClick = [this](rtl::TObject*) { Load(); };
  Button2->OnClick = [this](rtl::TObject*) { SetModalResult(gui::mrCancel); };
  btnOk->OnClick = [this](rtl::TObject*) { SetModalResult(gui::mrOk); };
  btnSave->OnClick = [this](rtl::TObject*) { Save(); };
  btnPaste->OnClick = [this](rtl::TObject*) { Paste(); };
  Button3->OnClick = [this](rtl::TObject*) { ClearBitmap(); };
  trackScale->OnChange = [this](rtl::TObject*) { ScaleChanged(); };
  trackScale->OnDblClick = [this](rtl::TObject*) { SetScale(1); };
  btnFit->OnClick = [this](rtl::TObject*) { FitScale(); };
  btnOriginal->OnClick = [this](rtl::TObject*) { SetScale(1); };
  cropButton->OnClick = [this](rtl::TObject*) { ToggleCrop(); };
  btnResize->OnClick = [this](rtl::TObject*) { ShowResize(); };
  Button4->OnClick = [this](rtl::TObject*) { ApplyResize(); };
  Button5->OnClick = [this](rtl::TObject*) { HideResize(); };
  Preview->OnPaint = [this](rtl::TObject*, TvgCanvas* canvas) { PaintPreview(*canvas); };
  // Setting a box's value raises no OnChange: the boxes do not echo.
  newWidth->OnChange = [this](rtl::TObject*) {
    newHeight->SetValue(vgKeepAspect(float(FBitmap->Width()), float(FBitmap->Height()), newWidth->Value()));
  };
  newHeight->OnChange = [this](rtl::TObject*) {
    newWidth->SetValue(vgKeepAspect(float(FBitmap->Height()), float(FBitmap->Width()), newHeight->Value()));
  };
}

// ----- the picture

void TvgBitmapEditor::AssignFromBitmap(const TvgBitmap* bitmap) {
  FFileName.clear();
  if (bitmap) FBitmap->Assign(bitmap);
  ShowWholeBitmap();
  SetEditing(FBitmap->Width() > 1);
}

void TvgBitmapEditor::AssignToBitmap(TvgBitmap* bitmap) const {
  if (!bitmap) return;
  TvgRect frame{};
  if (FCropFrame) frame = {FCropFrame->Position()->X(), FCropFrame->Position()->Y(),
                           FCropFrame->Position()->X() + FCropFrame->Width(),
                           FCropFrame->Position()->Y() + FCropFrame->Height()};
  vgCropBitmap(*FBitmap, frame, trackScale->Value(), *bitmap);
}

void TvgBitmapEditor::ShowWholeBitmap() {
  FSourceRect = WholeRect(*FBitmap);
  Preview->SetWidth(float(FBitmap->Width()) * trackScale->Value());
  Preview->SetHeight(float(FBitmap->Height()) * trackScale->Value());
  Preview->Repaint();
}

void TvgBitmapEditor::SetEditing(bool enabled) {
  editControl->SetEnabled(enabled);
  btnOk->SetEnabled(enabled);
}

void TvgBitmapEditor::PaintPreview(TvgCanvas& canvas) {
  canvas.DrawBitmap(*FBitmap, FSourceRect, {0, 0, Preview->Width(), Preview->Height()}, 1, false);
}

void TvgBitmapEditor::LoadFile(const std::string& fileName) {
  FBitmap->LoadFromFile(fileName);
  FFileName = fileName;
  ShowWholeBitmap();
  SetEditing(true);
}

void TvgBitmapEditor::Load() {
  const std::string types = DefaultFilterClass ? DefaultFilterClass->GetFileTypes() : std::string();
  std::string fileName;
  if (vgExecuteOpenDialog("Images|" + types, fileName)) LoadFile(fileName);
}

void TvgBitmapEditor::Save() {
  SaveDialog1->FileName = FFileName;
  if (SaveDialog1->Execute()) FBitmap->SaveToFile(SaveDialog1->FileName);
}

void TvgBitmapEditor::ClearBitmap() {
  if (FCropFrame) ToggleCrop();
  SetScale(1);
  FBitmap->SetSize(1, 1);
  ShowWholeBitmap();
  SetEditing(false);
  btnOk->SetEnabled(true);  // OK now hands back the cleared picture
}

void TvgBitmapEditor::Paste() {
  IvgClipboard* clipboard = vgClipboard();
  rtl::TBitmap picture;
  if (!clipboard || !clipboard->GetPicture(picture)) return;
  FBitmap->Assign(picture);
  AssignFromBitmap(nullptr);  // shown whole, as a picture of no file
}

// ----- scale and crop

void TvgBitmapEditor::SetScale(float scale) {
  trackScale->SetValue(scale);
  ScaleChanged();
}

void TvgBitmapEditor::ScaleChanged() {
  const float scale = trackScale->Value();
  ShowWholeBitmap();
  if (FCropFrame && FOldScale > 0) {
    const float k = scale / FOldScale;
    FCropFrame->Position()->SetPoint({FCropFrame->Position()->X() * k, FCropFrame->Position()->Y() * k});
    FCropFrame->SetWidth(FCropFrame->Width() * k);
    FCropFrame->SetHeight(FCropFrame->Height() * k);
  }
  FOldScale = scale;
  labelScale->SetText(rtl::W("Scale: " + std::to_string(rtl::Round(scale * 100)) + "%"));
}

void TvgBitmapEditor::FitScale() {
  TvgRect picture = WholeRect(*FBitmap);
  const float ratio = vgFitRect(picture, {0, 0, ScrollBox1->Width(), ScrollBox1->Height()});
  if (ratio > 0) SetScale(1 / ratio);
}

void TvgBitmapEditor::ToggleCrop() {
  if (FCropFrame) {
    FCropFrame->Free();
    FCropFrame = nullptr;
    cropButton->SetText(u"Crop");
    return;
  }
  FitScale();
  FCropFrame = new TvgSelection(this);
  FCropFrame->SetParent(Preview);
  FCropFrame->Position()->SetPoint({Preview->Width() * 0.1f, Preview->Height() * 0.1f});
  FCropFrame->SetWidth(Preview->Width() * 0.8f);
  FCropFrame->SetHeight(Preview->Height() * 0.8f);
  cropButton->SetText(u"Full");
}

// ----- resize

void TvgBitmapEditor::ShowResize() {
  newWidth->SetValue(float(FBitmap->Width()));
  newHeight->SetValue(float(FBitmap->Height()));
  resizeLayout->Position()->SetY(-resizeLayout->Height());
  resizeLayout->SetVisible(true);
  resizeLayout->AnimateFloat("Position.Y", 0, kSlideSeconds);
}

void TvgBitmapEditor::ApplyResize() {
  TvgOwned<TvgBitmap> resized(new TvgBitmap(int(rtl::Trunc(newWidth->Value())), int(rtl::Trunc(newHeight->Value()))));
  resized->Clear(0);
  if (TvgCanvas* canvas = resized->GetCanvas(); canvas && canvas->BeginScene()) {
    canvas->DrawBitmap(*FBitmap, WholeRect(*FBitmap), WholeRect(*resized), 1, false);
    canvas->EndScene();
  }
  const std::string fileName = FFileName;
  AssignFromBitmap(resized.get());
  FFileName = fileName;
  HideResize();
}

void TvgBitmapEditor::HideResize() {
  resizeLayout->AnimateFloatWait("Position.Y", -resizeLayout->Height(), kSlideSeconds);
  resizeLayout->SetVisible(false);
}

// ----- entry point

bool ShowBitmapEditor(TvgBitmap& bitmap) {
  TvgBitmapEditor editor(nullptr);
  editor.AssignFromBitmap(&bitmap);
  if (editor.ShowModal() != gui::mrOk) return false;
  editor.AssignToBitmap(&bitmap);
  return true;
}

}  // namespace vg
