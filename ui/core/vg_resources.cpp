// Style books, the built-in style book and the named resource nodes.
#include <filesystem>
#include <system_error>

#include "platform/rtl/Filer.h"
#include "platform/rtl/Resources.h"
#include "ui/core/vg_control.h"

namespace vg {

namespace {

struct BuiltInBook {
  bool loaded = false;
  bool reading = false;
  TvgObject* root = nullptr;
};

BuiltInBook& BuiltIn() {
  static BuiltInBook book;
  return book;
}

void ClearDesignHide(TvgObject* root) {
  if (root && root->IsVisual()) root->Visual()->UpdateDesignHide(false);
}

}  // namespace

std::filesystem::path ProgramFolder() {
  std::error_code error;
  return std::filesystem::read_symlink("/proc/self/exe", error).parent_path();
}

TvgObject* DefaultStyles() {
  BuiltInBook& book = BuiltIn();
  // A failed read (a class of the book not registered yet) leaves the book
  // unloaded, so a later lookup reads it again.
  if (!book.loaded && !book.reading && rtl::FindResource("defaultvgstyle")) {
    book.reading = true;
    rtl::TResourceStream stream("defaultvgstyle");
    book.root = CreateObjectFromBinStream(nullptr, stream);
    book.reading = false;
    book.loaded = book.root != nullptr;
  }
  return book.root;
}

bool DefaultStylesLoaded() { return BuiltIn().loaded; }

void FreeDefaultStyles() {
  BuiltInBook& book = BuiltIn();
  if (book.root) book.root->Free();
  book = {};
}

// ----- TvgResources

TvgResources::TvgResources(rtl::TComponent* owner) : rtl::TComponent(owner), FResource(new rtl::TStringList) {
  FResource->OnChange = [this](rtl::TObject* sender) { DoResourceChanged(sender); };
}

TvgResources::~TvgResources() {
  FResource->OnChange = nullptr;
  if (FRoot) FRoot->Free();
}

void TvgResources::Publish(rtl::TPublisher<TvgResources>& p) {
  using T = TvgResources;
  p.Property("Resource", &T::Resource, &T::SetResource);
  p.Property("FileName", &T::FileName, &T::SetFileName);
}

void TvgResources::DefineProperties(rtl::TFiler& filer) {
  inherited::DefineProperties(filer);
  filer.DefineBinaryProperty(
      "ResourcesBin", [this](rtl::TStream& stream) { ReadResources(stream); },
      [this](rtl::TStream& stream) { WriteResources(stream); }, FRoot != nullptr);
}

void TvgResources::SetResource(const rtl::TStrings* value) { FResource->Assign(value); }

TvgObject* TvgResources::EnsureRoot() {
  if (!FRoot) SetRoot(new TvgBackground(nullptr));
  return FRoot;
}

void TvgResources::SetRoot(TvgObject* root) {
  if (FRoot) FRoot->Free();
  FRoot = root;
  ClearDesignHide(FRoot);
}

void TvgResources::DoResourceChanged(rtl::TObject*) {
  if (FFilling) return;
  rtl::TMemoryStream stream;
  FResource->SaveToStream(stream);
  TvgObject* root = nullptr;
  if (stream.Size() > 0) {
    stream.SetPosition(0);
    root = CreateObjectFromStream(nullptr, stream);
  }
  SetRoot(root);
  UpdateScenes();
}

void TvgResources::ReadResources(rtl::TStream& stream) {
  SetRoot(CreateObjectFromBinStream(nullptr, stream));
  if (FRoot) UpdateScenes();
}

void TvgResources::WriteResources(rtl::TStream& stream) {
  if (FRoot) FRoot->SaveToBinStream(stream);
}

void TvgResources::FillStrings() {
  if (!FRoot) return;
  rtl::TMemoryStream stream;
  FRoot->SaveToStream(stream);
  stream.SetPosition(0);
  FFilling = true;
  FResource->LoadFromStream(stream);
  FFilling = false;
}

void TvgResources::SetFileName(const std::string& value) {
  if (value == FFileName) return;
  FFileName = value;
  if (!ComponentState().Contains(rtl::csLoading)) LoadFile();
}

void TvgResources::Loaded() {
  inherited::Loaded();
  if (!FFileName.empty()) LoadFile();
}

void TvgResources::LoadFile() {
  std::error_code error;
  const std::filesystem::path beside = ProgramFolder() / FFileName;
  if (std::filesystem::exists(beside, error))
    FResource->LoadFromFile(beside.string());
  else if (std::filesystem::exists(FFileName, error))
    FResource->LoadFromFile(FFileName);
}

void TvgResources::AddSceneUpdater(IvgScene* scene) {
  if (std::find(FSceneList.begin(), FSceneList.end(), scene) == FSceneList.end()) FSceneList.push_back(scene);
}

void TvgResources::RemoveSceneUpdater(IvgScene* scene) { std::erase(FSceneList, scene); }

void TvgResources::UpdateScenes() {
  for (IvgScene* scene : std::vector<IvgScene*>(FSceneList)) scene->UpdateResource();
}

// ----- resource nodes

void TvgResourceObject::SetName(const std::string& newName) {
  inherited::SetName(newName);
  if (ResourceName().empty()) SetResourceName(newName);
}

TvgBrushObject::TvgBrushObject(rtl::TComponent* owner)
    : TvgResourceObject(owner), FBrush(new TvgBrush(vgBrushSolid, 0xFFFFFFFF)) {}
TvgBrushObject::~TvgBrushObject() { TearDown(); }
void TvgBrushObject::Publish(rtl::TPublisher<TvgBrushObject>& p) { p.Property("Brush", &TvgBrushObject::Brush); }

TvgPathObject::TvgPathObject(rtl::TComponent* owner) : TvgResourceObject(owner), FPath(new TvgPathData) {}
TvgPathObject::~TvgPathObject() { TearDown(); }
void TvgPathObject::Publish(rtl::TPublisher<TvgPathObject>& p) { p.Property("Path", &TvgPathObject::Path); }

TvgBitmapObject::TvgBitmapObject(rtl::TComponent* owner) : TvgResourceObject(owner), FBitmap(new TvgBitmap(1, 1)) {}
TvgBitmapObject::~TvgBitmapObject() { TearDown(); }
void TvgBitmapObject::Publish(rtl::TPublisher<TvgBitmapObject>& p) { p.Property("Bitmap", &TvgBitmapObject::Bitmap); }

}  // namespace vg
