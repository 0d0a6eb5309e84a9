#include "ui/controls/vg_imagecontrol.h"

#include <filesystem>

#include "platform/rtl/Rounding.h"
#include "platform/rtl/TextConvert.h"
#include "ui/controls/vg_services.h"

namespace vg {

namespace {

std::string PictureFileTypes() { return DefaultFilterClass ? DefaultFilterClass->GetFileTypes() : std::string(); }

}  // namespace

TvgImageControl::TvgImageControl(rtl::TComponent* owner) : TvgControl(owner), FBitmap(new TvgBitmap(1, 1)) {
  FBitmap->OnChange = [this](rtl::TObject* sender) { DoBitmapChanged(sender); };
  FCanFocused = true;
}

TvgImageControl::~TvgImageControl() { TearDown(); }

void TvgImageControl::Publish(rtl::TPublisher<TvgImageControl>& p) {
  using T = TvgImageControl;
  p.Property("CanFocused", &T::CanFocused, &T::SetCanFocused).Default(true);
  p.Property("DisableFocusEffect", &T::DisableFocusEffect, &T::SetDisableFocusEffect).Default(false);
  p.Property("EnableOpenDialog", &T::EnableOpenDialog, &T::SetEnableOpenDialog).Default(true);
  p.Property("Bitmap", &T::Bitmap, &T::SetBitmap);
  p.Property("OnChange", &T::OnChange);
}

void TvgImageControl::ApplyStyle() {
  inherited::ApplyStyle();
  FImage = dynamic_cast<TvgImage*>(FindResource("image"));
  if (FImage) FImage->Bitmap()->Assign(FBitmap.get());
}

void TvgImageControl::FreeStyle() {
  FImage = nullptr;
  inherited::FreeStyle();
}

void TvgImageControl::DoBitmapChanged(rtl::TObject*) {
  if (!FImage) return;
  TvgRect fitted{0, 0, float(FBitmap->Width()), float(FBitmap->Height())};
  vgFitRect(fitted, {0, 0, FImage->Width(), FImage->Height()});
  TvgBitmap* shown = FImage->Bitmap();
  shown->SetSize(int(rtl::Round(vgRectWidth(fitted))), int(rtl::Round(vgRectHeight(fitted))));
  shown->Clear(0);
  if (TvgCanvas* canvas = shown->GetCanvas(); canvas && canvas->BeginScene()) {
    canvas->DrawBitmap(*FBitmap, {0, 0, float(FBitmap->Width()), float(FBitmap->Height())},
                       {0, 0, float(shown->Width()), float(shown->Height())}, 1, false);
    canvas->EndScene();
  }
  FImage->Repaint();
  OnChange(this);
}

rtl::Variant TvgImageControl::GetData() { return ObjectToVariant(FBitmap.get()); }

void vgSetBitmapData(TvgBitmap& bitmap, const rtl::Variant& value) {
  if (value.IsNull()) {
    bitmap.SetSize(1, 1);
  } else if (VarIsObject(value)) {
    if (auto* source = dynamic_cast<rtl::TPersistent*>(VariantToObject(value))) bitmap.Assign(source);
  } else if (value.VarType() == rtl::varString) {
    bitmap.LoadFromFile(value.AsString());
  }
}

void TvgImageControl::SetData(const rtl::Variant& value) { vgSetBitmapData(*FBitmap, value); }

void TvgImageControl::Click() {
  inherited::Click();
  if (!FEnableOpenDialog) return;
  const std::string types = PictureFileTypes();
  std::string fileName;
  if (vgExecuteOpenDialog("Pictures (" + types + ")|" + types, fileName)) FBitmap->LoadFromFile(fileName);
}

void TvgImageControl::DragOver(const TvgDragObject& data, TvgPoint point, bool& accept) {
  inherited::DragOver(data, point, accept);
  bool picture = false;
  if (!data.Files.empty()) {
    const std::filesystem::path file(rtl::Utf16ToUtf8(data.Files.front()));
    const std::string extension = file.extension().string();
    std::error_code error;
    picture = std::filesystem::exists(file, error) && !extension.empty() &&
              PictureFileTypes().find(extension) != std::string::npos;
  }
  accept = picture || dynamic_cast<TvgImage*>(data.Source) != nullptr;
}

void TvgImageControl::DragDrop(const TvgDragObject& data, TvgPoint point) {
  inherited::DragDrop(data, point);
  if (auto* image = dynamic_cast<TvgImage*>(data.Source))
    FBitmap->Assign(image->Bitmap());
  else if (!data.Files.empty())
    FBitmap->LoadFromFile(rtl::Utf16ToUtf8(data.Files.front()));
}

}  // namespace vg
