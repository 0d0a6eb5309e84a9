#include "ui/controls/vg_imagelistbox.h"

#include <pthread.h>
#include <sched.h>

#include <algorithm>
#include <atomic>
#include <cmath>
#include <filesystem>
#include <thread>

#include "platform/rtl/TextCompare.h"
#include "platform/rtl/TextConvert.h"
#include "ui/controls/vg_services.h"

namespace vg {

namespace {

bool ReadableByFilter(const std::string& fileName) {
  if (!DefaultFilterClass) return false;
  const std::string extension = rtl::LowerCase(std::filesystem::path(fileName).extension().string());
  if (extension.empty()) return false;
  const std::string types = DefaultFilterClass->GetFileTypes();
  std::size_t start = 0;
  while (start <= types.size()) {
    const std::size_t end = std::min(types.find(';', start), types.size());
    if (rtl::LowerCase(types.substr(start, end - start)) == "*" + extension) return true;
    start = end + 1;
  }
  return false;
}

}  // namespace

// One picture loaded on a worker thread of idle priority and handed to its
// image on the UI thread. Made and freed on the UI thread; freeing cancels
// the hand-over and waits for the worker while serving the dispatcher, so
// a worker blocked on its hand-over always gets through.
class TvgImageThread {
 public:
  TvgImageThread(IvgDispatcher& dispatcher, TvgImage* image, std::string fileName, bool useThumbnails)
      : FDispatcher(dispatcher),
        FImage(image),
        FFileName(std::move(fileName)),
        FUseThumbnails(useThumbnails),
        FWidth(image->Width()),
        FHeight(image->Height()),
        FThread([this] { Execute(); }) {}

  ~TvgImageThread() {
    Cancel();
    while (!FFinished.load()) FDispatcher.Serve(5);
    FThread.join();
  }

  TvgImageThread(const TvgImageThread&) = delete;
  TvgImageThread& operator=(const TvgImageThread&) = delete;

  const TvgImage* Image() const { return FImage; }
  bool Finished() const { return FFinished.load(); }
  void Cancel() { FCancelled.store(true); }

 private:
  void Execute() {
    sched_param idle{};
    pthread_setschedparam(pthread_self(), SCHED_IDLE, &idle);
    try {
      TvgOwned<TvgBitmap> bitmap(new TvgBitmap);
      if (FUseThumbnails)
        bitmap->LoadThumbnailFromFile(FFileName, FWidth, FHeight, true);
      else
        bitmap->LoadFromFile(FFileName);
      if (!FCancelled.load()) FDispatcher.Synchronize([&] { Finish(*bitmap); });
    } catch (...) {
      // An unreadable picture leaves the image empty.
    }
    FFinished.store(true);
  }

  // On the UI thread.
  void Finish(const TvgBitmap& bitmap) {
    if (!FCancelled.load()) FImage->Bitmap()->Assign(&bitmap);
  }

  IvgDispatcher& FDispatcher;
  TvgImage* FImage;
  const std::string FFileName;
  const bool FUseThumbnails;
  const float FWidth, FHeight;
  std::atomic<bool> FCancelled{false};
  std::atomic<bool> FFinished{false};
  std::thread FThread;
};

// ----- TvgImageListBoxItem

void TvgImageListBoxItem::ApplyStyle() {
  inherited::ApplyStyle();
  auto* list = dynamic_cast<TvgImageListBox*>(ListBox());
  if (!list) return;
  if (TvgObject* border = FindResource("textborder"); border && border->IsVisual())
    border->Visual()->SetVisible(list->ShowFileName());
  if (TvgText* text = TextPart())
    text->SetText(rtl::Utf8ToUtf16(std::filesystem::path(TagString).filename().string()));
}

// ----- TvgImageListBox

TvgImageListBox::TvgImageListBox(rtl::TComponent* owner) : TvgListBox(owner) {
  FImageItemHeight = std::trunc(Width());
  SetResource("listboxstyle");
}

TvgImageListBox::~TvgImageListBox() { TearDown(); }

void TvgImageListBox::Publish(rtl::TPublisher<TvgImageListBox>& p) {
  using T = TvgImageListBox;
  p.Property("ShowFileName", &T::ShowFileName, &T::SetShowFileName).Default(false);
  p.Property("UseThumbnails", &T::UseThumbnails, &T::SetUseThumbnails).Default(true);
  p.Property("ItemHeight", &T::ItemHeight, &T::SetItemHeight);
}

void TvgImageListBox::BeforeDestruction() {
  StopLoaders(nullptr);
  inherited::BeforeDestruction();
}

TvgImageListBoxItem* TvgImageListBox::NewItem(const std::string& fileName, bool pending) {
  auto* item = new TvgImageListBoxItem(this);
  item->SetParent(this);
  item->SetHeight(FImageItemHeight);
  item->SetStored(false);
  auto* image = new TvgImage(this);
  image->SetParent(item);
  image->SetAlign(vaClient);
  image->Padding()->SetRect({4, 4, 4, FShowFileName ? 20.0f : 4.0f});
  image->SetStored(false);
  image->SetLocked(true);
  image->SetHitTest(false);
  item->SetTag(pending ? 1 : 0);
  item->TagString = fileName;
  item->TagObject = image;
  item->OnApplyResource = [this, item](rtl::TObject*) { DoApplyResource(item); };
  return item;
}

void TvgImageListBox::AddFile(const std::string& fileName) {
  if (!ReadableByFilter(fileName)) return;
  NewItem(fileName, true);
  if (Count() == 1) SetItemIndex(0);
}

void TvgImageListBox::AddBitmap(const std::string& fileName, const TvgBitmap& bitmap) {
  TvgImageListBoxItem* item = NewItem(fileName, false);
  TvgBitmap* target = static_cast<TvgImage*>(item->TagObject)->Bitmap();
  if (FUseThumbnails && !bitmap.IsEmpty()) {
    TvgRect fitted{0, 0, float(bitmap.Width()), float(bitmap.Height())};
    vgFitRect(fitted, {0, 0, Height(), Height()});
    const int width = static_cast<int>(std::nearbyint(vgRectWidth(fitted)));
    const int height = static_cast<int>(std::nearbyint(vgRectHeight(fitted)));
    TvgOwned<TvgBitmap> thumbnail(const_cast<TvgBitmap&>(bitmap).CreateThumbnail(width, height));
    target->Assign(thumbnail.get());
  } else {
    target->Assign(&bitmap);
  }
  Realign();
  if (Count() == 1) SetItemIndex(0);
}

void TvgImageListBox::AddFolder(const std::string& folder) {
  std::vector<std::string> files;
  std::error_code error;
  for (const auto& entry : std::filesystem::directory_iterator(folder, error))
    if (!entry.is_directory(error)) files.push_back(entry.path().string());
  std::sort(files.begin(), files.end());
  BeginUpdate();
  for (const std::string& file : files) AddFile(file);
  EndUpdate();
  if (Count() > 0) SetItemIndex(0);
}

void TvgImageListBox::Clear() {
  for (int i = 0; i < Count(); ++i)
    if (TvgListBoxItem* item = ItemByIndex(i)) item->SetTag(0);
  inherited::Clear();
}

TvgImage* TvgImageListBox::GetImage(int index) const {
  TvgListBoxItem* item = ItemByIndex(index);
  return item ? dynamic_cast<TvgImage*>(item->TagObject) : nullptr;
}

std::string TvgImageListBox::GetSelectedFileName() const {
  TvgListBoxItem* item = Selected();
  return item ? item->TagString : std::string();
}

void TvgImageListBox::SetItemHeight(float value) {
  if (value == FImageItemHeight) return;
  FImageItemHeight = value;
  BeginUpdate();
  try {
    for (int i = 0; i < Count(); ++i)
      if (TvgListBoxItem* item = ItemByIndex(i)) item->SetHeight(value);
  } catch (...) {
    EndUpdate();
    throw;
  }
  EndUpdate();
}

void TvgImageListBox::BeginAutoDrag() {
  TvgImage* image = GetSelectedImage();
  if (image && FScene) FScene->BeginVCLDrag(image, image->Bitmap());
}

// ----- loading

void TvgImageListBox::DoApplyResource(TvgImageListBoxItem* item) {
  auto* image = dynamic_cast<TvgImage*>(item->TagObject);
  if (item->Tag() != 1 || item->TagString.empty() || !image) return;
  item->SetTag(0);
  StartLoader(item, image);
}

void TvgImageListBox::StartLoader(TvgImageListBoxItem* item, TvgImage* image) {
  std::erase_if(FLoaders, [](const std::unique_ptr<TvgImageThread>& loader) { return loader->Finished(); });
  IvgDispatcher* dispatcher = vgDispatcher();
  if (!dispatcher) {
    if (FUseThumbnails)
      image->Bitmap()->LoadThumbnailFromFile(item->TagString, image->Width(), image->Height(), true);
    else
      image->Bitmap()->LoadFromFile(item->TagString);
    return;
  }
  FLoaders.push_back(std::make_unique<TvgImageThread>(*dispatcher, image, item->TagString, FUseThumbnails));
}

void TvgImageListBox::StopLoaders(const TvgImage* image) {
  for (auto& loader : FLoaders)
    if (!image || loader->Image() == image) loader->Cancel();
  std::erase_if(FLoaders, [image](const std::unique_ptr<TvgImageThread>& loader) {
    return !image || loader->Image() == image;
  });
}

void TvgImageListBox::ContentBeforeRemoveObject(TvgObject* child) {
  if (auto* item = dynamic_cast<TvgListBoxItem*>(child))
    if (auto* image = dynamic_cast<TvgImage*>(item->TagObject)) StopLoaders(image);
  inherited::ContentBeforeRemoveObject(child);
}

// ----- horizontal and HUD lists

TvgHorzImageListBox::TvgHorzImageListBox(rtl::TComponent* owner) : TvgImageListBox(owner) {
  StoreImageItemHeight(0);
  TvgListBox::SetItemWidth(std::trunc(Height() + 10));
  SetListStyle(vgListHorizontal);
  SetResource("ListBoxStyle");
}

TvgHudImageListBox::TvgHudImageListBox(rtl::TComponent* owner) : TvgImageListBox(owner) {
  SetResource("HudListBoxStyle");
}

TvgHudHorzImageListBox::TvgHudHorzImageListBox(rtl::TComponent* owner) : TvgHorzImageListBox(owner) {
  SetResource("HudListBoxStyle");
}

}  // namespace vg
