#pragma once
// Image list boxes: list boxes whose items each show a picture (a TvgImage
// filling the item), optionally reduced to a thumbnail and labelled with
// its file name.
//
// Pictures added by file name load lazily: the first time an item's style
// is applied, a worker thread at idle priority reads the file and hands the
// bitmap to the UI thread through the installed dispatcher (without one the
// picture loads at once on the UI thread). A loader never outlives what it
// fills: removing an item, clearing or freeing the list first cancels the
// loads of the items that go and waits for their workers, and a load that
// has not started when its item is cleared never starts.
#include <memory>
#include <string>
#include <vector>

#include "ui/controls/vg_listbox.h"
#include "ui/render/vg_objects.h"

namespace vg {

class TvgImageThread;

class TvgImageListBoxItem : public TvgListBoxItem {
  RTL_CLASS(TvgImageListBoxItem, TvgListBoxItem)
  using TvgListBoxItem::TvgListBoxItem;

 protected:
  // In an image list: the "textborder" part shows with ShowFileName and
  // the "text" part shows the file's name without its folder.
  void ApplyStyle() override;
};

class TvgImageListBox : public TvgListBox {
  RTL_CLASS(TvgImageListBox, TvgListBox)

  // Items as high as the list is wide (100).
  explicit TvgImageListBox(rtl::TComponent* owner);
  ~TvgImageListBox() override;

  // Adds an item for a picture file of a type the image filter reads
  // (others are ignored); the picture loads when the item is first styled.
  void AddFile(const std::string& fileName);
  // Adds an item showing the bitmap: a copy, or with UseThumbnails a
  // reduction fitted into a square as high as the list.
  void AddBitmap(const std::string& fileName, const TvgBitmap& bitmap);
  // Adds every picture file of the folder (in name order).
  void AddFolder(const std::string& folder);
  // Frees every item; loads that have not started never start.
  void Clear() override;

  // The image of item index / of the current item, or nullptr.
  TvgImage* GetImage(int index) const;
  TvgImage* GetSelectedImage() const { return GetImage(ItemIndex()); }
  // The current item's file name, empty without one.
  std::string GetSelectedFileName() const;

  bool ShowFileName() const { return FShowFileName; }
  // Applies to items added or styled later.
  void SetShowFileName(bool value) { FShowFileName = value; }
  bool UseThumbnails() const { return FUseThumbnails; }
  void SetUseThumbnails(bool value) { FUseThumbnails = value; }
  // The height given to the items (the list's own ItemHeight stays 0).
  float ItemHeight() const { return FImageItemHeight; }
  void SetItemHeight(float value);

  // Drags the current image.
  void BeginAutoDrag() override;
  void ContentBeforeRemoveObject(TvgObject* child) override;

 protected:
  void BeforeDestruction() override;
  void StoreImageItemHeight(float value) { FImageItemHeight = value; }

 private:
  static void Publish(rtl::TPublisher<TvgImageListBox>& p);
  // A new item with its image; `pending` marks a picture still to load.
  TvgImageListBoxItem* NewItem(const std::string& fileName, bool pending);
  void DoApplyResource(TvgImageListBoxItem* item);
  void StartLoader(TvgImageListBoxItem* item, TvgImage* image);
  // Cancels the loaders of `image` (all with nullptr) and waits for them.
  void StopLoaders(const TvgImage* image);

  bool FShowFileName = false;
  bool FUseThumbnails = true;
  float FImageItemHeight = 0;
  std::vector<std::unique_ptr<TvgImageThread>> FLoaders;
};

class TvgHorzImageListBox : public TvgImageListBox {
  RTL_CLASS(TvgHorzImageListBox, TvgImageListBox)
  // Items side by side, 110 wide.
  explicit TvgHorzImageListBox(rtl::TComponent* owner);
};

class TvgHudImageListBox : public TvgImageListBox {
  RTL_CLASS(TvgHudImageListBox, TvgImageListBox)
  explicit TvgHudImageListBox(rtl::TComponent* owner);
};

class TvgHudHorzImageListBox : public TvgHorzImageListBox {
  RTL_CLASS(TvgHudHorzImageListBox, TvgHorzImageListBox)
  explicit TvgHudHorzImageListBox(rtl::TComponent* owner);
};

}  // namespace vg
