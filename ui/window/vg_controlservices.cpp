#include "ui/window/vg_controlservices.h"

#include <cstdint>

#include "platform/gui/Clipboard.h"
#include "platform/gui/Dialogs.h"
#include "platform/gui/Forms.h"
#include "platform/gui/Thread.h"
#include "ui/window/vg_popupmenulink.h"

namespace vg {

namespace {

// The desktop's clipboard as the controls see it.
class TvgPlatformClipboard final : public IvgClipboard {
 public:
  rtl::WideString AsText() override { return gui::Clipboard().AsText(); }
  void SetAsText(const rtl::WideString& text) override { gui::Clipboard().SetAsText(text); }
  bool GetPicture(rtl::TBitmap& picture) override { return gui::Clipboard().GetPicture(picture); }
};

// The caption shown as it is: "&" marks no hotkey.
rtl::WideString Literal(const rtl::WideString& caption) {
  rtl::WideString text;
  for (char16_t c : caption) {
    text += c;
    if (c == u'&') text += u'&';
  }
  return text;
}

// The first form on the owner chain upward from `component`.
gui::TForm* OwnerForm(rtl::TComponent* component) {
  for (rtl::TComponent* owner = component; owner; owner = owner->Owner())
    if (auto* form = dynamic_cast<gui::TForm*>(owner)) return form;
  return nullptr;
}

// Between the toolkit's 0xAARRGGBB and the dialog's 0x00BBGGRR.
std::uint32_t SwapRedAndBlue(std::uint32_t color) {
  return (color & 0x0000FF00u) | ((color >> 16) & 0xFFu) | ((color & 0xFFu) << 16);
}

}  // namespace

TvgPlatformListMenu::TvgPlatformListMenu() : menu_(new gui::TPopupMenu(nullptr)) {}

TvgPlatformListMenu::~TvgPlatformListMenu() = default;

void TvgPlatformListMenu::Clear() {
  menu_->ClosePopup();
  menu_->Items()->Clear();
}

void TvgPlatformListMenu::Add(const rtl::WideString& caption, bool checked, bool enabled,
                               std::function<void()> click) {
  auto* item = new gui::TMenuItem(menu_.get());
  item->SetCaption(Literal(caption));
  item->SetChecked(checked);
  item->SetEnabled(enabled);
  item->OnClick = [click = std::move(click)](rtl::TObject*) { click(); };
  menu_->Items()->Add(item);
}

void TvgPlatformListMenu::Popup(int x, int y) { menu_->Popup(x, y); }

// Worker threads reach the UI thread through the class library's dispatcher.
class TvgPlatformDispatcher final : public IvgDispatcher {
 public:
  void Synchronize(const std::function<void()>& call) override { gui::TThread::Synchronize(call); }
  void Serve(int timeoutMs) override { gui::CheckSynchronize(timeoutMs); }
};

void vgUsePlatformControlServices() {
  vgUsePlatformPopupMenus();
  static TvgPlatformDispatcher dispatcher;
  vgSetDispatcher(&dispatcher);
  vgSetListMenuFactory([] { return std::make_unique<TvgPlatformListMenu>(); });
  static TvgPlatformClipboard clipboard;
  vgSetClipboard(&clipboard);
  vgSetOpenDialog([](const std::string& filter, std::string& fileName) {
    TvgOwned<gui::TOpenDialog> dialog(new gui::TOpenDialog(nullptr));
    dialog->Filter = filter;
    if (!gui::Dialogs().ExecuteFile(*dialog, false)) return false;
    fileName = dialog->FileName;
    return true;
  });
  vgSetFormCloser([](rtl::TComponent* component) {
    gui::TForm* form = OwnerForm(component);
    if (form) form->Close();
    return form != nullptr;
  });
  vgSetFormModalResult([](rtl::TComponent* component, int result) {
    gui::TForm* form = OwnerForm(component);
    if (form) form->SetModalResult(result);
    return form != nullptr;
  });
  vgSetColorDialog([](std::uint32_t& argb) {
    TvgOwned<gui::TColorDialog> dialog(new gui::TColorDialog(nullptr));
    dialog->Color = gui::TColor(SwapRedAndBlue(argb));
    if (!dialog->Execute()) return false;
    argb = 0xFF000000u | SwapRedAndBlue(std::uint32_t(dialog->Color));
    return true;
  });
}

}  // namespace vg
