#pragma once
// The brush designer: a form (its layout is the form resource
// "TvgBrushDesign") that edits a brush in place, page by brush style;
// TvgBrushDialog runs it modally on a copy, and the free functions open it
// for a brush, a gradient or a colour. SelectInDesign keeps one modeless
// designer for a design environment.
#include <string>

#include "platform/gui/Forms.h"
#include "ui/controls/vg_controls.h"
#include "ui/window/vg_scenehost.h"

namespace vg {

enum TvgBrushStyleShown { vgShowNone, vgShowSolid, vgShowGradient, vgShowBitmap, vgShowResource };
using TvgBrushStyles = rtl::TSet<TvgBrushStyleShown>;
inline const TvgBrushStyles vgAllBrushStyles{vgShowNone, vgShowSolid, vgShowGradient, vgShowBitmap, vgShowResource};

class TvgBrushDesign : public gui::TForm {
  RTL_CLASS(TvgBrushDesign, gui::TForm)

  explicit TvgBrushDesign(rtl::TComponent* owner);
  ~TvgBrushDesign() override;

  // Edits brush (not owned) in place.
  void SetBrush(TvgBrush* brush);
  TvgBrush* Brush() const { return FBrush; }
  // Lists the brush properties of component (a node or a scene) and edits
  // the first; nullptr hides the list.
  void SetComp(rtl::TPersistent* component);
  // Shows only the pages of these styles.
  void ShowStyles(TvgBrushStyles styles);

  TvgScene* vgBrushDesigner = nullptr;
  TvgBackground* dsgnRoot = nullptr;
  TvgHudWindow* HudWindow1 = nullptr;
  TvgHudListBox* brushList = nullptr;
  TvgHudTabControl* brushTabControl = nullptr;
  TvgHudTabItem *tabNone = nullptr, *tabSolid = nullptr, *tabGradient = nullptr, *tabBitmap = nullptr,
                *tabRes = nullptr;
  TvgLayout *panelSolid = nullptr, *panelGradient = nullptr, *panelBitmap = nullptr, *panerRes = nullptr;
  TvgColorQuad *solidQuad = nullptr, *gradQuad = nullptr;
  TvgColorPicker *solidPicker = nullptr, *gradPicker = nullptr;
  TvgHudNumberBox *textSolidR = nullptr, *textSolidG = nullptr, *textSolidB = nullptr, *textSolidA = nullptr;
  TvgHudNumberBox *textGradR = nullptr, *textGradG = nullptr, *textGradB = nullptr, *textGradA = nullptr;
  TvgHudTextBox *textSolidHex = nullptr, *textGradHex = nullptr;
  TvgColorBox *solidColorRect = nullptr, *gradColorRect = nullptr;
  TvgGradientEdit* gradEditor = nullptr;
  TvgHudPopupBox *gradKind = nullptr, *tileModeList = nullptr;
  TvgHudAngleButton* gradAngle = nullptr;
  TvgHudLabel* gradAngleLabel = nullptr;
  TvgImage* bitmapImage = nullptr;
  TvgHudButton *btnSelectBitmap = nullptr, *btnOK = nullptr, *btnCancel = nullptr, *btnMakeRes = nullptr;
  TvgHudListBox* resList = nullptr;
  TvgLayout *Layout6 = nullptr, *makeResLayout = nullptr;

  static void Publish(rtl::TPublisher<TvgBrushDesign>& p);

 protected:
  void BeforeDestruction() override;
  void Notification(rtl::TComponent* component, rtl::TOperation operation) override;

 private:
  void Connect();
  void ShowBrush();
  void TabChanged();
  void SolidFromQuad();
  void SolidFromBoxes();
  void SolidFromHex();
  void ShowSolid(TvgColor color);
  void GradientFromQuad();
  void GradientFromBoxes();
  void GradientChanged();
  void ShowGradientPoint();
  void AngleChanged();
  // Runs the bitmap editor on the bitmap page's picture.
  void SelectBitmap();
  // The scene of the edited component (else the designer's own) and its root.
  TvgCustomScene* EditedScene() const;
  TvgObject* ResourceRoot() const;
  void FillResources();
  // Asks for a name and adds a brush object holding the edited brush to
  // the edited scene.
  void MakeResource();
  // The name proposed for a new component of owner: the design
  // environment's, else base and a counter kept in this form's Tag.
  std::string UniqueName(rtl::TComponent* owner, const std::string& base);
  // The colour of the gradient editor's current stop.
  TvgColor CurrentStopColor() const;
  void SetCurrentStopColor(TvgColor color);

  TvgBrush* FBrush = nullptr;
  rtl::TComponent* FComp = nullptr;
  bool FUpdating = false;
  std::unique_ptr<TvgSceneHost> FHost;
};

class TvgBrushDialog : public rtl::TComponent {
  RTL_CLASS(TvgBrushDialog, rtl::TComponent)

  explicit TvgBrushDialog(rtl::TComponent* owner);
  ~TvgBrushDialog() override;

  // Runs the designer modally on Brush; true on OK.
  bool Execute();
  TvgBrush* Brush() const { return FBrush.get(); }
  void SetBrush(const TvgBrush* value) { FBrush->Assign(value); }
  TvgBrushStyles ShowStyles() const { return FShowStyles; }
  void SetShowStyles(TvgBrushStyles value) { FShowStyles = value; }
  bool ShowBrushList() const { return FShowBrushList; }
  void SetShowBrushList(bool value) { FShowBrushList = value; }
  bool ShowMakeResource() const { return FShowMakeResource; }
  void SetShowMakeResource(bool value) { FShowMakeResource = value; }
  const rtl::WideString& Title() const { return FTitle; }
  void SetTitle(const rtl::WideString& value) { FTitle = value; }
  rtl::TComponent* Component() const { return FComponent; }
  void SetComponent(rtl::TComponent* value) { FComponent = value; }
  // The designer while Execute runs (tests drive it), else nullptr.
  TvgBrushDesign* Form() const { return FForm; }

  static void Publish(rtl::TPublisher<TvgBrushDialog>& p);

 private:
  TvgOwned<TvgBrush> FBrush;
  TvgBrushStyles FShowStyles = vgAllBrushStyles;
  bool FShowBrushList = true;
  bool FShowMakeResource = false;
  rtl::WideString FTitle = u"Brush";
  rtl::TComponent* FComponent = nullptr;
  TvgBrushDesign* FForm = nullptr;
};

// Runs the dialog on a copy of brush; on OK the result goes back.
bool ShowBrushDialog(TvgBrush& brush, TvgBrushStyles styles, bool showBrushList);
// Only the gradient page; on OK the gradient goes back.
bool ShowGradientDialog(TvgGradient& gradient);
// Only the solid page: the chosen colour's text, or "" when cancelled.
std::string ShowColorDialog(const std::string& color);
// The one modeless designer of a design environment: a brush of
// component, or the first brush of a node; nullptr clears it.
void SelectInDesign(rtl::TObject* value, rtl::TComponent* component);
// The modeless designer while it is open, else nullptr.
TvgBrushDesign* DesignerWindow();

}  // namespace vg
