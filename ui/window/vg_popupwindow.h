#pragma once
// Popups in windows of their own on screen: a TvgPopupForm (a popup-style
// form, never activated) with a transparent scene, joined by a scene host.
//
// While a popup window is shown it holds the seat's grab, so its scene gets
// the keys and every press anywhere is seen first: a press in another
// window (of this program or not) tells the shown popups that the
// activation moved (TvgPopup::WindowDeactivated), before the press goes on
// to where it landed. A grab taken away by another program closes the
// popups that do not stay open.
#include <memory>

#include "platform/gui/Forms.h"
#include "ui/core/vg_popup.h"
#include "ui/core/vg_scene.h"
#include "ui/window/vg_scenehost.h"

namespace vg {

// The borderless form of one open popup.
class TvgPopupForm : public gui::TForm {
  RTL_CLASS(TvgPopupForm, gui::TForm)

  // Popup style, no border, transparent, Tag 65535 (its scene never drags
  // it). Owned by no form: it lives as long as its popup is open.
  TvgPopupForm(rtl::TComponent* owner, TvgPopup* popup);
  TvgPopup* Popup() const { return FPopup; }

 private:
  TvgPopup* FPopup;
};

// The screen side of own-window popups over GTK: windows, the monitors'
// work areas and the pointer.
class TvgPopupWindows final : public IvgPopupPlatform {
 public:
  std::unique_ptr<IvgPopupWindow> CreateWindow(TvgPopup& popup, IvgScene* ownerScene) override;
  // Freed from an idle call, once the event being handled is over.
  void ReleaseWindow(std::unique_ptr<IvgPopupWindow> window) override;
  TvgRect WorkArea(TvgPoint screenPoint) override;
  TvgPoint CursorPos() override;
  bool Terminated() override;
};

// Installs TvgPopupWindows as the popup platform (once per process), with
// the toolkit's timers on the program's loop (vgUseGuiTimers).
void vgUsePopupWindows();

// The scene of the popup window shown last (the innermost open popup), or
// nullptr while none is shown.
TvgCustomScene* vgInnermostPopupScene();

}  // namespace vg
