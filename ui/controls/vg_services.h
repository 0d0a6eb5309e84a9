#pragma once
// What controls need of the platform, as replaceable services, so the
// controls stay free of the windowing layer: popup menus (the popup box's
// list, the editing controls' context menu), the open dialog (the image
// control's picture chooser), closing the form a control sits on (the
// close button), handing that form a modal result (buttons with a
// ModalResult), the colour dialog (the colour button) and the clipboard
// the editing controls use, and the dispatcher through which worker threads
// hand their results to the UI thread. The window layer installs the platform's
// (vgUsePlatformControlServices); tests install fakes. Without an
// installed service a control shows no menu, no dialog, and closes
// nothing; without a clipboard, copying does nothing and pasting finds no
// text.
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "platform/rtl/Component.h"
#include "platform/rtl/Graphics.h"
#include "platform/rtl/Types.h"

namespace vg {

class IvgListMenu {
 public:
  virtual ~IvgListMenu() = default;
  virtual void Clear() = 0;
  // Appends an item; `click` runs when the user chooses it.
  virtual void Add(const rtl::WideString& caption, bool checked, bool enabled, std::function<void()> click) = 0;
  // Opens the menu with its top-left corner at the screen point and
  // returns; the chosen item's click runs later (or never).
  virtual void Popup(int x, int y) = 0;
};

using TvgListMenuFactory = std::function<std::unique_ptr<IvgListMenu>()>;
void vgSetListMenuFactory(TvgListMenuFactory factory);
// A new menu, or nullptr without a factory.
std::unique_ptr<IvgListMenu> vgCreateListMenu();

// Shows an open dialog with `filter` (the class library's "Name|patterns"
// form); on OK stores the chosen file (UTF-8 path) in fileName and returns
// true. A cancelled dialog returns false.
using TvgOpenDialog = std::function<bool(const std::string& filter, std::string& fileName)>;
void vgSetOpenDialog(TvgOpenDialog dialog);
bool vgExecuteOpenDialog(const std::string& filter, std::string& fileName);

// Closes the first form on the owner chain upward from `component`;
// returns whether there was one.
using TvgFormCloser = std::function<bool(rtl::TComponent* component)>;
void vgSetFormCloser(TvgFormCloser closer);
bool vgCloseOwnerForm(rtl::TComponent* component);

// The clipboard's text and picture.
class IvgClipboard {
 public:
  virtual ~IvgClipboard() = default;
  // Empty when the clipboard holds no text.
  virtual rtl::WideString AsText() = 0;
  virtual void SetAsText(const rtl::WideString& text) = 0;
  // The clipboard's picture as a 32-bit bitmap (premultiplied blue, green,
  // red, alpha); false, leaving `picture`, when it holds none, as a
  // text-only clipboard never does.
  virtual bool GetPicture(rtl::TBitmap& /*picture*/) { return false; }
};
// The clipboard is not owned; nullptr removes it.
void vgSetClipboard(IvgClipboard* clipboard);
IvgClipboard* vgClipboard();

// Gives the first form on the owner chain upward from `component` the
// modal result; returns whether there was one.
using TvgFormModalResult = std::function<bool(rtl::TComponent* component, int result)>;
void vgSetFormModalResult(TvgFormModalResult setter);
bool vgSetOwnerFormModalResult(rtl::TComponent* component, int result);

// Shows the colour dialog opened on `argb` (its alpha is not shown); on OK
// stores the chosen colour, opaque, in argb and returns true. A cancelled
// dialog returns false and leaves argb.
using TvgColorDialog = std::function<bool(std::uint32_t& argb)>;
void vgSetColorDialog(TvgColorDialog dialog);
bool vgExecuteColorDialog(std::uint32_t& argb);

// Hands calls from worker threads to the UI thread.
class IvgDispatcher {
 public:
  virtual ~IvgDispatcher() = default;
  // From a worker: runs `call` on the UI thread and returns once it has run.
  virtual void Synchronize(const std::function<void()>& call) = 0;
  // On the UI thread: runs the calls workers have handed over; with none
  // waiting, first waits up to timeoutMs for one.
  virtual void Serve(int timeoutMs) = 0;
};
// The dispatcher is not owned; nullptr removes it (work that would go to a
// worker is then done on the UI thread at once).
void vgSetDispatcher(IvgDispatcher* dispatcher);
IvgDispatcher* vgDispatcher();

}  // namespace vg
