#pragma once
// TvgPopupBox: a button that shows its list of texts as a popup menu
// (rows of 20 pixels centred on the box, the current one checked) and
// displays the chosen one. Its text is always an item of the list or empty.
#include <memory>

#include "ui/controls/vg_custombutton.h"
#include "ui/controls/vg_services.h"
#include "ui/core/vg_widestrings.h"

namespace vg {

class TvgPopupBox : public TvgCustomButton {
  RTL_CLASS(TvgPopupBox, TvgCustomButton)

  explicit TvgPopupBox(rtl::TComponent* owner);
  ~TvgPopupBox() override;

  TvgWideStringList* Items() const { return FItems.get(); }
  void SetItems(const TvgWideStrings* value) { FItems->Assign(value); }
  int ItemIndex() const { return FItemIndex; }
  // Shows item `value` (or nothing for -1 or an empty list) and raises
  // OnChange. An index past the last item raises rtl::EListError and
  // changes nothing.
  void SetItemIndex(int value);
  // The text becomes the item it names, or empty when it names none; the
  // index follows. No OnChange.
  void SetText(const rtl::WideString& value) override;

  rtl::Variant GetData() override;
  // Null clears the choice, an event reference becomes OnChange, a number
  // chooses that index, a text the item of that text.
  void SetData(const rtl::Variant& value) override;
  void Click() override;

  rtl::TNotifyEvent OnChange;

 protected:
  virtual void DoItemsChanged(rtl::TObject* sender);
  virtual void DoPopup();

 private:
  static void Publish(rtl::TPublisher<TvgPopupBox>& p);

  TvgOwned<TvgWideStringList> FItems;
  int FItemIndex = -1;
  std::unique_ptr<IvgListMenu> FPopup;
};

class TvgHudPopupBox : public TvgPopupBox {
  RTL_CLASS(TvgHudPopupBox, TvgPopupBox)
  using TvgPopupBox::TvgPopupBox;
};

}  // namespace vg
