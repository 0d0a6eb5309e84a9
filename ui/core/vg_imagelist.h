#pragma once
// TvgImageList: an image list of the class library holding toolkit bitmaps
// of its Width x Height (32 x 32 at creation), from which bitmap buttons
// take their glyph through an action's image index. The bitmaps travel in
// forms as the binary stream property "Images".
#include <vector>

#include "platform/rtl/Actions.h"
#include "ui/core/vg_bitmap.h"

namespace vg {

class TvgImageList : public rtl::TCustomImageList {
  RTL_CLASS(TvgImageList, rtl::TCustomImageList)

  explicit TvgImageList(rtl::TComponent* owner);
  ~TvgImageList() override;

  // Appends a bitmap of the list's size holding the source drawn into it,
  // fitted (aspect kept, centred, never enlarged); returns its index.
  int Add(TvgBitmap& source);
  void Clear() override;
  int Count() const override { return static_cast<int>(FImages.size()); }
  // The bitmap (owned by the list), nullptr outside 0..Count-1.
  TvgBitmap* GetBitmap(int index) const;

  // "Images": int32 N, then N times int32 L and L bytes of the bitmap as
  // its SaveToStream writes it. Reading appends; counts or lengths that
  // run past the data are refused with EReadError, adding nothing.
  void ReadImages(rtl::TStream& stream);
  void WriteImages(rtl::TStream& stream);

 protected:
  void DefineProperties(rtl::TFiler& filer) override;

 private:
  static void Publish(rtl::TPublisher<TvgImageList>& p);
  std::vector<TvgBitmap*> FImages;
};

}  // namespace vg
