#include "ui/controls/vg_messagepopup.h"

#include <array>

#include "ui/controls/vg_buttons.h"
#include "ui/controls/vg_textcontrol.h"
#include "ui/core/vg_persistent.h"
#include "ui/render/vg_layouts.h"
#include "ui/render/vg_objects.h"

namespace vg {

namespace {

constexpr float kIconSize = 64;
constexpr float kMargin = 30;

struct TButtonKind {
  TvgMsgDlgBtn kind;
  const char16_t* caption;
  TvgModalResult result;
};
constexpr std::array<TButtonKind, 11> kButtonKinds = {{{vgMsgYes, u"Yes", vgMrYes},
                                                       {vgMsgNo, u"No", vgMrNo},
                                                       {vgMsgOK, u"OK", vgMrOk},
                                                       {vgMsgCancel, u"Cancel", vgMrCancel},
                                                       {vgMsgAbort, u"Abort", vgMrAbort},
                                                       {vgMsgRetry, u"Retry", vgMrRetry},
                                                       {vgMsgIgnore, u"Ignore", vgMrIgnore},
                                                       {vgMsgAll, u"All", vgMrAll},
                                                       {vgMsgNoToAll, u"NoToAll", vgMrNoToAll},
                                                       {vgMsgYesToAll, u"YesToAll", vgMrYesToAll},
                                                       {vgMsgHelp, u"Help", 0}}};

const char* IconStyle(TvgMsgDlgType type) {
  switch (type) {
    case vgMsgWarning: return "iconwarning";
    case vgMsgError: return "iconerror";
    case vgMsgInformation: return "iconinformation";
    case vgMsgConfirmation: return "iconconfirmation";
    case vgMsgCustom: break;
  }
  return "";  // a control without a style: an empty square
}

// The first of `preferred` that the row has.
TvgMsgDlgBtn FirstPresent(TvgMsgDlgButtons buttons, std::array<TvgMsgDlgBtn, 3> preferred, bool& found) {
  for (TvgMsgDlgBtn kind : preferred)
    if (buttons.Contains(kind)) {
      found = true;
      return kind;
    }
  found = false;
  return preferred[0];
}

TvgVisualObject* AddIcon(TvgMessagePopup& popup, TvgMsgDlgType type, const TvgBitmap* bitmap) {
  TvgVisualObject* icon = nullptr;
  if (bitmap) {
    auto* image = new TvgImage(&popup);
    image->SetBitmap(bitmap);
    icon = image;
  } else {
    auto* control = new TvgControl(&popup);
    control->SetResource(IconStyle(type));
    icon = control;
  }
  icon->SetParent(&popup);
  icon->SetBounds(kMargin, 10, kIconSize, kIconSize);
  return icon;
}

TvgLabel* AddLabel(TvgMessagePopup& popup, const rtl::WideString& text, TvgAlign align, float height,
                   float left, float top) {
  auto* label = new TvgLabel(&popup);
  label->SetParent(&popup);
  label->SetAlign(align);
  label->SetHeight(height);
  label->Padding()->SetLeft(left);
  label->Padding()->SetTop(top);
  label->Padding()->SetRight(kMargin);
  label->SetText(text);
  label->SetTextAlign(vgTextAlignNear);
  return label;
}

void AddButtons(TvgMessagePopup& popup, TvgMsgDlgButtons buttons) {
  auto* row = new TvgLayout(&popup);
  row->SetParent(&popup);
  row->SetAlign(vaBottom);
  row->SetHeight(20);
  row->Padding()->SetLeft(kMargin);
  row->Padding()->SetRight(kMargin);
  row->Padding()->SetBottom(kMargin);
  bool hasDefault = false, hasCancel = false;
  const TvgMsgDlgBtn defaultKind = FirstPresent(buttons, {vgMsgOK, vgMsgYes, vgMsgRetry}, hasDefault);
  const TvgMsgDlgBtn cancelKind = FirstPresent(buttons, {vgMsgCancel, vgMsgNo, vgMsgOK}, hasCancel);
  for (const TButtonKind& kind : kButtonKinds) {
    if (!buttons.Contains(kind.kind)) continue;
    auto* button = new TvgButton(&popup);
    button->SetParent(row);
    button->SetAlign(vaRight);
    button->Position()->SetX(1000);
    button->Padding()->SetLeft(7);
    button->SetText(kind.caption);
    button->SetModalResult(kind.result);
    button->SetDefault(hasDefault && kind.kind == defaultKind);
    button->SetCancel(hasCancel && kind.kind == cancelKind);
  }
}

}  // namespace

TvgModalResult MessagePopup(const rtl::WideString& title, const rtl::WideString& text, TvgMsgDlgType type,
                            TvgMsgDlgButtons buttons, IvgScene& scene, TvgVisualObject* target, bool disableScene,
                            const TvgBitmap* bitmap, TvgResources* style) {
  rtl::TComponent* host = scene.GetComponent();
  TvgOwned<TvgMessagePopup> popup(new TvgMessagePopup(host ? host->Owner() : nullptr));
  popup->SetStaysOpen(true);
  popup->SetDragWithParent(true);
  popup->SetDisableScene(disableScene);
  popup->SetPlacementScene(vgPlacementSceneNew);
  popup->SetWidth(500);
  popup->SetHeight(150);
  popup->SetStyle(style ? style : scene.GetStyle());
  popup->SetPlacementTarget(target);
  if (target) {
    const TvgMatrix m = target->GetAbsoluteMatrix();
    popup->Scale()->SetPoint({m.m11, m.m22});
  }
  if (TvgObject* root = scene.GetRoot())
    popup->SetParent(root);
  else
    scene.AddObject(popup.get());
  popup->ApplyResource();

  const float textLeft = kMargin + AddIcon(*popup, type, bitmap)->Width() + 10;
  TvgLabel* titleLabel = AddLabel(*popup, title, vaTop, 30, textLeft, 10);
  titleLabel->Font()->SetSize(titleLabel->Font()->Size() * 1.4f);
  AddLabel(*popup, text, vaClient, 50, textLeft, 0);
  AddButtons(*popup, buttons);
  return popup->PopupModal();
}

}  // namespace vg
