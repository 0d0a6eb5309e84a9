#pragma once
// MessagePopup: a message box built from a TvgMessagePopup (icon, title,
// text and a row of buttons) and run modally over a scene.
#include <string>

#include "platform/rtl/Set.h"
#include "platform/rtl/Types.h"
#include "ui/core/vg_popup.h"

namespace vg {

class TvgBitmap;
class TvgResources;

// The icon styles by value: "iconwarning", "iconerror", "iconinformation",
// "iconconfirmation"; vgMsgCustom leaves the icon's square empty.
enum TvgMsgDlgType { vgMsgWarning, vgMsgError, vgMsgInformation, vgMsgConfirmation, vgMsgCustom };

// The buttons in the order the row shows them from the right.
enum TvgMsgDlgBtn {
  vgMsgYes,
  vgMsgNo,
  vgMsgOK,
  vgMsgCancel,
  vgMsgAbort,
  vgMsgRetry,
  vgMsgIgnore,
  vgMsgAll,
  vgMsgNoToAll,
  vgMsgYesToAll,
  vgMsgHelp
};
using TvgMsgDlgButtons = rtl::TSet<TvgMsgDlgBtn>;

// The modal results of the buttons.
inline constexpr TvgModalResult vgMrOk = 1, vgMrCancel = 2, vgMrAbort = 3, vgMrRetry = 4, vgMrIgnore = 5,
                                vgMrYes = 6, vgMrNo = 7, vgMrAll = 12, vgMrNoToAll = 13, vgMrYesToAll = 14;

// Shows `text` under `title` with the icon of `type` (or `bitmap` when
// given) and one button per member of `buttons`, in its own popup window
// placed on `target` (centred) or at the top of the scene's form, and
// returns the modal result of the button pressed (2 when the box is
// closed otherwise). OK, else Yes, else Retry answers Enter; Cancel, else
// No, else OK answers Esc. With `disableScene` the scene's root is disabled
// until the box closes. The box takes `style` as its style book, else the
// scene's, and is freed before the call returns.
TvgModalResult MessagePopup(const rtl::WideString& title, const rtl::WideString& text, TvgMsgDlgType type,
                            TvgMsgDlgButtons buttons, IvgScene& scene, TvgVisualObject* target = nullptr,
                            bool disableScene = true, const TvgBitmap* bitmap = nullptr,
                            TvgResources* style = nullptr);

}  // namespace vg
