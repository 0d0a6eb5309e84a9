#pragma once
// Styled controls and style books.
//
// A TvgControl draws nothing itself: its look is a clone of a named style
// object, inserted as its first child (locked, not stored, aligned to the
// control's size). The style is looked up by the control's Resource name or
// else by its class name less "Tvg" plus "style" ("TvgButton" ->
// "Buttonstyle"), first in the scene's style book (a TvgResources), then in
// the built-in book read once from the embedded resource "defaultvgstyle";
// only the built-in book lends a control its parent class's style. The
// style is applied lazily: before the first paint, on focus, or when the
// name or the book changes. Controls override ApplyStyle to find their
// parts by resource name and FreeStyle to forget them.
//
// Also here: TvgBackground (root of form scenes and style books: shows its
// Fill or else its style, never both), TvgContent (the child container of
// container styles), the style book component TvgResources and the named
// resource nodes TvgBrushObject, TvgPathObject and TvgBitmapObject.
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "platform/rtl/Actions.h"
#include "platform/rtl/Strings.h"
#include "ui/core/vg_bitmap.h"
#include "ui/core/vg_brush.h"
#include "ui/core/vg_pathdata.h"
#include "ui/core/vg_visual.h"

namespace vg {

class TvgControlActionLink;

class TvgControl : public TvgVisualObject {
  RTL_CLASS(TvgControl, TvgVisualObject)

  explicit TvgControl(rtl::TComponent* owner);
  ~TvgControl() override;

  const std::string& Resource() const { return FResource; }
  // Stores the style name and re-applies the style at once (the old clone
  // is replaced even for the same name) unless loading or updating.
  void SetResource(const std::string& value);
  // The applied style clone, or nullptr.
  TvgObject* ResourceLink() const { return FResourceLink; }
  bool NeedResource() const { return FNeedResource; }
  // A new clone of the control's style (owned by the control), or nullptr.
  TvgObject* GetResourceObject();
  // Hands the applied clone to the caller, still the control's child; the
  // control forgets it and applies its style anew when next needed.
  TvgObject* ReleaseStyle();
  // Applies the style once per need.
  virtual void ApplyResource();
  void UpdateResource() override;
  // The style part named `name` in the applied clone, else among the
  // control's own children.
  TvgObject* FindResource(const std::string& name) override;

  // Bindings: controls whose data follows this one's.
  void AddBindingObject(TvgControl* control);
  void RemoveBindingObject(TvgControl* control);
  TvgControl* BindingSource() const { return FBindingSource; }
  void SetBindingSource(TvgControl* control);
  // Hands this control's data to every bound control, in order.
  void ToBindingObjects();
  void SetData(const rtl::Variant& value) override;

  // Texts of the control go through translation.
  bool AutoTranslate() const { return FAutoTranslate; }
  void SetAutoTranslate(bool value) { FAutoTranslate = value; }

  void BeforePaint() override;
  void EnterFocus() override;

  // The action the control follows (see TvgControlActionLink), or nullptr.
  rtl::TBasicAction* Action() const;
  // Links the control to the action (nullptr unlinks); the action's values
  // become the control's at once.
  void SetAction(rtl::TBasicAction* value);
  TvgControlActionLink* ActionLink() const { return FActionLink.get(); }
  int HelpContext() const { return FHelpContext; }
  void SetHelpContext(int value) { FHelpContext = value; }
  const std::string& HelpKeyword() const { return FHelpKeyword; }
  void SetHelpKeyword(const std::string& value) { FHelpKeyword = value; }
  rtl::THelpType HelpType() const { return FHelpType; }
  void SetHelpType(rtl::THelpType value) { FHelpType = value; }

 protected:
  // Takes the action's caption (into a text control's Text), state, hint,
  // help data and execute handler.
  virtual void ActionChange(rtl::TBasicAction* action);
  // A clone was inserted: find and connect the parts.
  virtual void ApplyStyle();
  // The clone is about to go: forget the parts.
  virtual void FreeStyle();
  void Loaded() override;
  void Notification(rtl::TComponent* component, rtl::TOperation operation) override;
  bool HidesResources() const override { return true; }
  bool IsControl() const override { return true; }
  // The style name derived from a class name: "TvgButton" -> "Buttonstyle".
  static std::string ClassStyleName(rtl::TClass cls);
  // The style the control takes without a Resource: its class's by default.
  virtual std::string StyleName() const { return ClassStyleName(ClassType()); }

  bool FAutoTranslate = false;

 private:
  static void Publish(rtl::TPublisher<TvgControl>& p);
  TvgObject* CloneStyle(TvgObject* style, bool keepResourceName);
  void DropStyle();

  TvgObject* FResourceLink = nullptr;
  bool FNeedResource = true;
  std::vector<TvgControl*> FBindingObjects;
  TvgControl* FBindingSource = nullptr;
  std::string FResource;
  std::unique_ptr<TvgControlActionLink> FActionLink;
  int FHelpContext = 0;
  std::string FHelpKeyword;
  rtl::THelpType FHelpType = rtl::htKeyword;
};

class TvgBackground : public TvgControl {
  RTL_CLASS(TvgBackground, TvgControl)

  explicit TvgBackground(rtl::TComponent* owner);
  ~TvgBackground() override;

  TvgBrush* Fill() const { return FFill.get(); }
  void SetFill(const TvgBrush* value) { FFill->Assign(value); }
  virtual void FillChanged(rtl::TObject* sender);
  void Paint() override;
  void PaintChildren() override;

 private:
  static void Publish(rtl::TPublisher<TvgBackground>& p);
  bool ShowsStyle();

  TvgOwned<TvgBrush> FFill;
};

class TvgContent : public TvgVisualObject {
  RTL_CLASS(TvgContent, TvgVisualObject)

  explicit TvgContent(rtl::TComponent* owner) : TvgVisualObject(owner) {}
  ~TvgContent() override;

  // Aligns the content's children, then lets the owning control adapt.
  void Realign() override;

 protected:
  bool StreamsChildrenToParent() const override { return true; }
  // Its children name the control that holds the content.
  rtl::TComponent* StreamingParentOfChild() override;

 private:
  bool FParentAligning = false;
};

// A style book: the tree of style objects, kept as text lines (Resource),
// read from a style file (FileName) or from the binary "ResourcesBin" data.
// Every change of the tree re-applies the styles of the scenes using it.
class TvgResources : public rtl::TComponent {
  RTL_CLASS(TvgResources, rtl::TComponent)

  explicit TvgResources(rtl::TComponent* owner);
  ~TvgResources() override;

  rtl::TStrings* Resource() const { return FResource.get(); }
  // Copies the lines, which rebuilds the tree.
  void SetResource(const rtl::TStrings* value);
  // The book's tree, or nullptr when it has none (or it was unreadable).
  TvgObject* Root() const { return FRoot; }
  // The tree, made an empty background first when the book has none.
  TvgObject* EnsureRoot();
  const std::string& FileName() const { return FFileName; }
  // Loads the style file beside the program, else at the name itself;
  // a name found in neither place changes nothing.
  void SetFileName(const std::string& value);
  // The tree from a binary stream; an unreadable one leaves no tree.
  void ReadResources(rtl::TStream& stream);
  void WriteResources(rtl::TStream& stream);
  // The tree in text form into Resource, without rebuilding it.
  void FillStrings();
  void AddSceneUpdater(IvgScene* scene);
  void RemoveSceneUpdater(IvgScene* scene);
  void UpdateScenes();

 protected:
  void Loaded() override;
  void DefineProperties(rtl::TFiler& filer) override;

 private:
  static void Publish(rtl::TPublisher<TvgResources>& p);
  void DoResourceChanged(rtl::TObject* sender);
  void SetRoot(TvgObject* root);
  void LoadFile();

  std::unique_ptr<rtl::TStringList> FResource;
  TvgObject* FRoot = nullptr;
  std::vector<IvgScene*> FSceneList;
  std::string FFileName;
  bool FFilling = false;
};

// Named resource nodes: brushes, paths and bitmaps elsewhere refer to them
// by resource name. A component name given while the resource name is
// empty becomes the resource name.
class TvgResourceObject : public TvgObject {
  RTL_CLASS(TvgResourceObject, TvgObject)

  using TvgObject::TvgObject;
  void SetName(const std::string& newName) override;
};

class TvgBrushObject : public TvgResourceObject {
  RTL_CLASS(TvgBrushObject, TvgResourceObject)

  explicit TvgBrushObject(rtl::TComponent* owner);
  ~TvgBrushObject() override;
  TvgBrush* Brush() const { return FBrush.get(); }

 private:
  static void Publish(rtl::TPublisher<TvgBrushObject>& p);
  TvgOwned<TvgBrush> FBrush;
};

class TvgPathObject : public TvgResourceObject {
  RTL_CLASS(TvgPathObject, TvgResourceObject)

  explicit TvgPathObject(rtl::TComponent* owner);
  ~TvgPathObject() override;
  TvgPathData* Path() const { return FPath.get(); }

 private:
  static void Publish(rtl::TPublisher<TvgPathObject>& p);
  TvgOwned<TvgPathData> FPath;
};

class TvgBitmapObject : public TvgResourceObject {
  RTL_CLASS(TvgBitmapObject, TvgResourceObject)

  explicit TvgBitmapObject(rtl::TComponent* owner);
  ~TvgBitmapObject() override;
  TvgBitmap* Bitmap() const { return FBitmap.get(); }

 private:
  static void Publish(rtl::TPublisher<TvgBitmapObject>& p);
  TvgOwned<TvgBitmap> FBitmap;
};

// The folder of the running executable (style and language files are
// looked for there).
std::filesystem::path ProgramFolder();

// The built-in style book: read from the embedded resource "defaultvgstyle"
// on first need (nullptr when there is none or it is unreadable).
TvgObject* DefaultStyles();
// Whether the built-in book has been read.
bool DefaultStylesLoaded();
// Frees the built-in book (unit shut-down; tests).
void FreeDefaultStyles();

}  // namespace vg
