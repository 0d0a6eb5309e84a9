#include "platform/gui/Clipboard.h"

#include <gtk/gtk.h>

#include <memory>

#include "platform/gui/GuiInit.h"
#include "platform/rtl/TextConvert.h"

namespace gui {
namespace {

struct PixbufUnref {
  void operator()(GdkPixbuf* pixbuf) const { g_object_unref(pixbuf); }
};
using TPixbuf = std::unique_ptr<GdkPixbuf, PixbufUnref>;

void PictureFromPixbuf(GdkPixbuf* pixbuf, rtl::TBitmap& picture) {
  const int w = gdk_pixbuf_get_width(pixbuf), h = gdk_pixbuf_get_height(pixbuf);
  const int channels = gdk_pixbuf_get_n_channels(pixbuf), stride = gdk_pixbuf_get_rowstride(pixbuf);
  const bool alpha = gdk_pixbuf_get_has_alpha(pixbuf);
  const guchar* pixels = gdk_pixbuf_read_pixels(pixbuf);
  picture.SetPixelFormat(rtl::TPixelFormat::pf32bit);
  picture.SetSize(w, h);
  for (int y = 0; y < h; ++y) {
    std::uint8_t* out = picture.ScanLine(y);
    for (int x = 0; x < w; ++x, out += 4) {
      const guchar* rgba = pixels + std::size_t(y) * stride + std::size_t(x) * channels;
      const std::uint8_t a = alpha ? rgba[3] : 255;
      out[0] = rtl::PremultiplyChannel(rgba[2], a);
      out[1] = rtl::PremultiplyChannel(rgba[1], a);
      out[2] = rtl::PremultiplyChannel(rgba[0], a);
      out[3] = a;
    }
  }
}

TPixbuf PixbufFromPicture(const rtl::TBitmap& picture) {
  rtl::TBitmap source(picture);
  const bool alpha = source.PixelFormat() == rtl::TPixelFormat::pf32bit;
  if (!alpha) source.SetPixelFormat(rtl::TPixelFormat::pf24bit);
  if (source.Width() <= 0 || source.Height() <= 0) return nullptr;
  TPixbuf pixbuf(gdk_pixbuf_new(GDK_COLORSPACE_RGB, TRUE, 8, source.Width(), source.Height()));
  if (!pixbuf) return nullptr;
  const int stride = gdk_pixbuf_get_rowstride(pixbuf.get());
  guchar* pixels = gdk_pixbuf_get_pixels(pixbuf.get());
  for (int y = 0; y < source.Height(); ++y) {
    const std::uint8_t* in = source.ScanLine(y);
    for (int x = 0; x < source.Width(); ++x, in += alpha ? 4 : 3) {
      guchar* rgba = pixels + std::size_t(y) * stride + std::size_t(x) * 4;
      const std::uint8_t a = alpha ? in[3] : 255;
      rgba[0] = rtl::UnpremultiplyChannel(in[2], a);
      rgba[1] = rtl::UnpremultiplyChannel(in[1], a);
      rgba[2] = rtl::UnpremultiplyChannel(in[0], a);
      rgba[3] = a;
    }
  }
  return pixbuf;
}

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
  bool GetPicture(rtl::TBitmap& picture) override {
    if (busy_ || !InitGui()) return false;
    Busy guard(busy_);
    TPixbuf image(gtk_clipboard_wait_for_image(Board()));
    if (!image) return false;
    PictureFromPixbuf(image.get(), picture);
    return true;
  }
  void SetPicture(const rtl::TBitmap& picture) override {
    if (!InitGui()) return;
    if (TPixbuf image = PixbufFromPicture(picture)) gtk_clipboard_set_image(Board(), image.get());
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
