#pragma once
// TvgImageControl: shows a picture in its style's "image" part (a TvgImage),
// scaled to the part's size when the picture changes. A click opens the
// platform's open dialog for pictures; picture files and images of the
// toolkit can be dropped on it; bindings hand it bitmaps or file names.
#include "ui/core/vg_control.h"
#include "ui/render/vg_objects.h"

namespace vg {

// A bitmap's value for bindings: Null empties it (1 x 1), an object
// reference to a persistent is copied, a text names a picture file to load;
// anything else is ignored.
void vgSetBitmapData(TvgBitmap& bitmap, const rtl::Variant& value);

class TvgImageControl : public TvgControl {
  RTL_CLASS(TvgImageControl, TvgControl)

  explicit TvgImageControl(rtl::TComponent* owner);
  ~TvgImageControl() override;

  TvgBitmap* Bitmap() const { return FBitmap.get(); }
  void SetBitmap(const TvgBitmap* value) { FBitmap->Assign(value); }
  bool EnableOpenDialog() const { return FEnableOpenDialog; }
  void SetEnableOpenDialog(bool value) { FEnableOpenDialog = value; }

  // The bitmap as an object reference.
  rtl::Variant GetData() override;
  // Null empties the bitmap (1 x 1), an object reference to a persistent
  // is copied, a text names a picture file to load; anything else is
  // ignored.
  void SetData(const rtl::Variant& value) override;
  void Click() override;
  // Accepts a drag whose first file exists and has a picture extension,
  // or a drag of a TvgImage.
  void DragOver(const TvgDragObject& data, TvgPoint point, bool& accept) override;
  void DragDrop(const TvgDragObject& data, TvgPoint point) override;

  rtl::TNotifyEvent OnChange;

 protected:
  void ApplyStyle() override;
  void FreeStyle() override;
  // Copies the bitmap, scaled to fit, into the "image" part.
  virtual void DoBitmapChanged(rtl::TObject* sender);

 private:
  static void Publish(rtl::TPublisher<TvgImageControl>& p);

  TvgImage* FImage = nullptr;
  TvgOwned<TvgBitmap> FBitmap;
  bool FEnableOpenDialog = true;
};

}  // namespace vg
