#include "platform/gui/Clipboard.h"

#include <gtk/gtk.h>

#include "platform/gui/GuiInit.h"
#include "platform/rtl/TextConvert.h"

namespace gui {
namespace {

class TGtkClipboard final : public IClipboard {
 public:
  bool HasText() override {
    if (busy_ || !InitGui()) return false;
    Busy guard(busy_);
    return gtk_clipboard_wait_is_text_available(Board());
  }
  rtl::WideString AsText() override {
    if (busy_ || !InitGui()) return {};
    Busy guard(busy_);
    gchar* text = gtk_clipboard_wait_for_text(Board());
    if (!text) return {};
    rtl::WideString result = rtl::Utf8ToUtf16(text);
    g_free(text);
    return result;
  }
  void SetAsText(const rtl::WideString& text) override {
    if (!InitGui()) return;
    const std::string utf8 = rtl::Utf16ToUtf8(text);
    gtk_clipboard_set_text(Board(), utf8.data(), static_cast<gint>(utf8.size()));
  }

 private:
  struct Busy {
    explicit Busy(bool& flag) : flag_(flag) { flag_ = true; }
    ~Busy() { flag_ = false; }
    bool& flag_;
  };
  static GtkClipboard* Board() { return gtk_clipboard_get(GDK_SELECTION_CLIPBOARD); }
  bool busy_ = false;
};

IClipboard* g_clipboard = nullptr;

}  // namespace

IClipboard& Clipboard() {
  static TGtkClipboard real;
  return g_clipboard ? *g_clipboard : real;
}

void SetClipboard(IClipboard* clipboard) { g_clipboard = clipboard; }

}  // namespace gui
