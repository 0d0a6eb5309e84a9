#pragma once
// The bitmap editor: a form (its layout is the form resource
// "TvgBitmapEditor") that loads, pastes, scales, crops, resizes and saves a
// picture; a caller copies a bitmap in, runs it modally and copies the
// result out.
#include <memory>
#include <string>

#include "platform/gui/Dialogs.h"
#include "platform/gui/Forms.h"
#include "ui/controls/vg_controls.h"
#include "ui/render/vg_selection.h"
#include "ui/window/vg_scenehost.h"

namespace vg {

class TvgBitmapEditor : public gui::TForm {
  RTL_CLASS(TvgBitmapEditor, gui::TForm)

  explicit TvgBitmapEditor(rtl::TComponent* owner);
  ~TvgBitmapEditor() override;

  // Shows a copy of bitmap (nullptr keeps the current one), all of it.
  void AssignFromBitmap(const TvgBitmap* bitmap);
  // Copies the picture, or only the part under the crop frame, into bitmap.
  void AssignToBitmap(TvgBitmap* bitmap) const;
  TvgBitmap& Bitmap() const { return *FBitmap; }
  // The crop frame while cropping, else nullptr.
  TvgSelection* CropFrame() const { return FCropFrame; }

  TvgScene* vgScene1 = nullptr;
  TvgBackground* Root1 = nullptr;
  TvgButton *Button1 = nullptr, *Button2 = nullptr, *btnOk = nullptr, *btnPaste = nullptr;
  TvgLayout* editControl = nullptr;
  TvgLabel* labelScale = nullptr;
  TvgTrackBar* trackScale = nullptr;
  TvgButton *btnFit = nullptr, *btnOriginal = nullptr, *cropButton = nullptr, *Button3 = nullptr,
            *btnResize = nullptr, *btnSave = nullptr;
  TvgScrollBox* ScrollBox1 = nullptr;
  TvgPaintBox* Preview = nullptr;
  TvgLayout* resizeLayout = nullptr;
  TvgNumberBox *newWidth = nullptr, *newHeight = nullptr;
  TvgButton *Button4 = nullptr, *Button5 = nullptr;
  gui::TSaveDialog* SaveDialog1 = nullptr;

  static void Publish(rtl::TPublisher<TvgBitmapEditor>& p);

  // The commands behind the buttons (tests call them directly).
  void LoadFile(const std::string& fileName);
  void ClearBitmap();
  // The clipboard's picture replaces the bitmap; nothing without one.
  void Paste();
  void SetScale(float scale);
  void FitScale();
  void ToggleCrop();
  void ShowResize();
  void ApplyResize();
  void HideResize();

 protected:
  void BeforeDestruction() override;

 private:
  void Connect();
  void ShowWholeBitmap();
  void ScaleChanged();
  void PaintPreview(TvgCanvas& canvas);
  void SetEditing(bool enabled);
  void Load();
  void Save();

  TvgOwned<TvgBitmap> FBitmap;
  TvgRect FSourceRect{};
  TvgSelection* FCropFrame = nullptr;
  float FOldScale = 1;
  std::string FFileName;
  std::unique_ptr<TvgSceneHost> FHost;
};

// Runs the editor on a copy of bitmap; on OK the result goes back.
bool ShowBitmapEditor(TvgBitmap& bitmap);

}  // namespace vg
