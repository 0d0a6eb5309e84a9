#include "ui/controls/vg_popupbox.h"

#include <cmath>
#include <string>

#include "platform/rtl/Exceptions.h"

namespace vg {

namespace {

constexpr int kMenuRowHeight = 20;

}  // namespace

TvgPopupBox::TvgPopupBox(rtl::TComponent* owner) : TvgCustomButton(owner), FItems(new TvgWideStringList) {
  FItems->OnChange = [this](rtl::TObject* sender) { DoItemsChanged(sender); };
  FCanFocused = true;
  SetHeight(21);
}

TvgPopupBox::~TvgPopupBox() { TearDown(); }

void TvgPopupBox::Publish(rtl::TPublisher<TvgPopupBox>& p) {
  using T = TvgPopupBox;
  p.Property("BindingSource", &T::BindingSource, &T::SetBindingSource);
  p.Property("Text", &T::Text, &T::SetText).Stored(false);
  p.Property("Items", &T::Items, &T::SetItems);
  p.Property("ItemIndex", &T::ItemIndex, &T::SetItemIndex).Default(-1);
  p.Property("OnChange", &T::OnChange);
}

void TvgPopupBox::DoItemsChanged(rtl::TObject*) { Repaint(); }

void TvgPopupBox::SetItemIndex(int value) {
  if (value == FItemIndex) return;
  const int count = FItems->Count();
  if (value >= count && count > 0)
    throw rtl::EListError("List index out of bounds (" + std::to_string(value) + ")");
  const bool choose = value >= 0 && count > 0;
  FItemIndex = choose ? value : -1;
  inherited::SetText(choose ? FItems->Strings(value) : rtl::WideString{});
  OnChange(this);
}

void TvgPopupBox::SetText(const rtl::WideString& value) {
  FItemIndex = FItems->Count() == 0 ? -1 : FItems->IndexOf(value);
  inherited::SetText(FItemIndex < 0 ? rtl::WideString{} : value);
}

rtl::Variant TvgPopupBox::GetData() { return rtl::Variant(Text()); }

void TvgPopupBox::SetData(const rtl::Variant& value) {
  switch (value.VarType()) {
    case rtl::varNull:
      SetItemIndex(-1);
      break;
    case rtl::varEvent:
      OnChange = value.AsEvent();
      break;
    case rtl::varInteger:
    case rtl::varDouble:
      SetItemIndex(static_cast<int>(value.AsInteger()));
      break;
    case rtl::varString: {
      const rtl::WideString text = value.AsWideString();
      const int index = FItems->IndexOf(text);
      if (index >= 0)
        SetItemIndex(index);
      else
        SetText(text);
      break;
    }
    default:
      break;
  }
}

void TvgPopupBox::Click() {
  inherited::Click();
  DoPopup();
}

void TvgPopupBox::DoPopup() {
  if (!FPopup) FPopup = vgCreateListMenu();
  if (!FPopup) return;
  FPopup->Clear();
  for (int i = 0; i < FItems->Count(); ++i)
    FPopup->Add(FItems->Strings(i), i == FItemIndex, true, [this, i] { SetItemIndex(i); });
  IvgScene* scene = GetScene();
  if (!scene) return;
  const float y = std::trunc(Height() / 2 - (FItems->Count() * kMenuRowHeight) / 2);
  const TvgPoint screen = scene->LocalToScreen(LocalToAbsolute({0, y}));
  FPopup->Popup(static_cast<int>(std::nearbyint(screen.X)), static_cast<int>(std::nearbyint(screen.Y)));
}

}  // namespace vg
