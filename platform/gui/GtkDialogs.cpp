// The dialog service over GTK: message dialogs, the input box, file
// choosers, the colour and the font chooser, each run modally over the
// active form.
#include <gtk/gtk.h>

#include <cmath>
#include <filesystem>

#include "platform/gui/Dialogs.h"
#include "platform/gui/Forms.h"
#include "platform/gui/GuiInit.h"
#include "platform/rtl/Exceptions.h"
#include "platform/rtl/TextConvert.h"

namespace gui {
namespace {

GtkWindow* ParentWindow(TForm* parent) {
  if (!parent) parent = ActiveForm();
  return parent && parent->HandleAllocated() ? GTK_WINDOW(parent->Handle()) : nullptr;
}

void RequireDisplay() {
  if (!InitGui()) throw rtl::EInvalidOperation("Cannot open a dialog: no display");
}

int RunDialog(GtkWidget* dialog) {
  const int response = gtk_dialog_run(GTK_DIALOG(dialog));
  return response;
}

GtkMessageType MessageType(unsigned flags) {
  switch (flags & 0xF0) {
    case MB_ICONERROR: return GTK_MESSAGE_ERROR;
    case MB_ICONQUESTION: return GTK_MESSAGE_QUESTION;
    case MB_ICONWARNING: return GTK_MESSAGE_WARNING;
    case MB_ICONINFORMATION: return GTK_MESSAGE_INFO;
    default: return GTK_MESSAGE_OTHER;
  }
}

std::uint8_t Channel(double value) { return static_cast<std::uint8_t>(std::nearbyint(value * 255)); }

class TGtkDialogs final : public IDialogs {
 public:
  int MessageBox(TForm* parent, const rtl::WideString& text, const rtl::WideString& caption,
                 unsigned flags) override {
    RequireDisplay();
    GtkWidget* dialog = gtk_message_dialog_new(ParentWindow(parent), GTK_DIALOG_MODAL, MessageType(flags),
                                               GTK_BUTTONS_NONE, "%s", rtl::Utf16ToUtf8(text).c_str());
    gtk_window_set_title(GTK_WINDOW(dialog), rtl::Utf16ToUtf8(caption).c_str());
    const unsigned buttons = flags & 0xF;
    int closed = IDCANCEL;
    if (buttons == MB_YESNO || buttons == MB_YESNOCANCEL) {
      gtk_dialog_add_button(GTK_DIALOG(dialog), "_Yes", IDYES);
      gtk_dialog_add_button(GTK_DIALOG(dialog), "_No", IDNO);
      if (buttons == MB_YESNO) closed = IDNO;
    } else {
      gtk_dialog_add_button(GTK_DIALOG(dialog), "_OK", IDOK);
      if (buttons == MB_OK) closed = IDOK;
    }
    if (buttons == MB_OKCANCEL || buttons == MB_YESNOCANCEL)
      gtk_dialog_add_button(GTK_DIALOG(dialog), "_Cancel", IDCANCEL);
    const int response = RunDialog(dialog);
    gtk_widget_destroy(dialog);
    return response > 0 ? response : closed;
  }

  bool ExecuteFile(TOpenDialog& dialog, bool save) override {
    RequireDisplay();
    const std::string title = rtl::Utf16ToUtf8(dialog.Title);
    GtkWidget* chooser = gtk_file_chooser_dialog_new(
        title.empty() ? nullptr : title.c_str(), ParentWindow(nullptr),
        save ? GTK_FILE_CHOOSER_ACTION_SAVE : GTK_FILE_CHOOSER_ACTION_OPEN, "_Cancel", GTK_RESPONSE_CANCEL,
        save ? "_Save" : "_Open", GTK_RESPONSE_ACCEPT, nullptr);
    auto* files = GTK_FILE_CHOOSER(chooser);
    gtk_file_chooser_set_do_overwrite_confirmation(files, dialog.Options.Contains(ofOverwritePrompt));
    std::vector<GtkFileFilter*> filters;
    for (const TFileFilter& entry : ParseFilter(dialog.Filter)) {
      GtkFileFilter* filter = gtk_file_filter_new();
      gtk_file_filter_set_name(filter, entry.Name.c_str());
      for (const std::string& pattern : entry.Patterns)
        gtk_file_filter_add_pattern(filter, pattern == "*.*" ? "*" : pattern.c_str());
      gtk_file_chooser_add_filter(files, filter);
      filters.push_back(filter);
    }
    if (dialog.FilterIndex >= 1 && dialog.FilterIndex <= static_cast<int>(filters.size()))
      gtk_file_chooser_set_filter(files, filters[static_cast<std::size_t>(dialog.FilterIndex - 1)]);
    if (!dialog.InitialDir.empty()) gtk_file_chooser_set_current_folder(files, dialog.InitialDir.c_str());
    const bool bareName = dialog.FileName.find('/') == std::string::npos;
    if (!dialog.FileName.empty() && bareName && save) {
      gtk_file_chooser_set_current_name(files, dialog.FileName.c_str());
    } else if (!dialog.FileName.empty() && !bareName) {
      gtk_file_chooser_set_filename(files, dialog.FileName.c_str());
    } else if (!dialog.FileName.empty() && !dialog.InitialDir.empty()) {
      // GTK takes a name without a folder as no file at all.
      gtk_file_chooser_set_filename(files, (std::filesystem::path(dialog.InitialDir) / dialog.FileName).c_str());
    }
    const bool accepted = RunDialog(chooser) == GTK_RESPONSE_ACCEPT;
    if (accepted) {
      gchar* name = gtk_file_chooser_get_filename(files);
      dialog.FileName = save ? ApplyDefaultExt(name ? name : "", dialog.DefaultExt) : std::string(name ? name : "");
      g_free(name);
      GtkFileFilter* chosen = gtk_file_chooser_get_filter(files);
      for (std::size_t i = 0; i < filters.size(); ++i)
        if (filters[i] == chosen) dialog.FilterIndex = static_cast<int>(i) + 1;
    }
    gtk_widget_destroy(chooser);
    return accepted;
  }

  bool InputQuery(const rtl::WideString& caption, const rtl::WideString& prompt, rtl::WideString& value) override {
    RequireDisplay();
    GtkWidget* dialog = gtk_dialog_new_with_buttons(rtl::Utf16ToUtf8(caption).c_str(), ParentWindow(nullptr),
                                                    GTK_DIALOG_MODAL, "_Cancel", GTK_RESPONSE_CANCEL, "_OK",
                                                    GTK_RESPONSE_OK, nullptr);
    gtk_dialog_set_default_response(GTK_DIALOG(dialog), GTK_RESPONSE_OK);
    GtkWidget* box = gtk_dialog_get_content_area(GTK_DIALOG(dialog));
    gtk_container_set_border_width(GTK_CONTAINER(box), 8);
    gtk_box_set_spacing(GTK_BOX(box), 6);
    GtkWidget* label = gtk_label_new(rtl::Utf16ToUtf8(prompt).c_str());
    gtk_widget_set_halign(label, GTK_ALIGN_START);
    GtkWidget* entry = gtk_entry_new();
    gtk_entry_set_text(GTK_ENTRY(entry), rtl::Utf16ToUtf8(value).c_str());
    gtk_entry_set_activates_default(GTK_ENTRY(entry), TRUE);
    gtk_box_pack_start(GTK_BOX(box), label, FALSE, FALSE, 0);
    gtk_box_pack_start(GTK_BOX(box), entry, FALSE, FALSE, 0);
    gtk_widget_show_all(box);
    const bool accepted = RunDialog(dialog) == GTK_RESPONSE_OK;
    if (accepted) value = rtl::Utf8ToUtf16(gtk_entry_get_text(GTK_ENTRY(entry)));
    gtk_widget_destroy(dialog);
    return accepted;
  }

  bool ExecuteColor(TColorDialog& dialog) override {
    RequireDisplay();
    GtkWidget* chooser = gtk_color_chooser_dialog_new(nullptr, ParentWindow(nullptr));
    gtk_color_chooser_set_use_alpha(GTK_COLOR_CHOOSER(chooser), FALSE);
    const GdkRGBA current{(dialog.Color & 0xFF) / 255.0, ((dialog.Color >> 8) & 0xFF) / 255.0,
                          ((dialog.Color >> 16) & 0xFF) / 255.0, 1.0};
    gtk_color_chooser_set_rgba(GTK_COLOR_CHOOSER(chooser), &current);
    const bool accepted = RunDialog(chooser) == GTK_RESPONSE_OK;
    if (accepted) {
      GdkRGBA chosen;
      gtk_color_chooser_get_rgba(GTK_COLOR_CHOOSER(chooser), &chosen);
      dialog.Color = Channel(chosen.red) | (Channel(chosen.green) << 8) | (Channel(chosen.blue) << 16);
    }
    gtk_widget_destroy(chooser);
    return accepted;
  }

  bool ExecuteFont(TFontDialog& dialog) override {
    RequireDisplay();
    TFont& font = *dialog.GetFont();
    GtkWidget* chooser = gtk_font_chooser_dialog_new(nullptr, ParentWindow(nullptr));
    PangoFontDescription* current = pango_font_description_new();
    pango_font_description_set_family(current, font.Name.c_str());
    pango_font_description_set_size(current, font.Size * PANGO_SCALE);
    pango_font_description_set_weight(current, font.Style.Contains(fsBold) ? PANGO_WEIGHT_BOLD : PANGO_WEIGHT_NORMAL);
    pango_font_description_set_style(current, font.Style.Contains(fsItalic) ? PANGO_STYLE_ITALIC : PANGO_STYLE_NORMAL);
    gtk_font_chooser_set_font_desc(GTK_FONT_CHOOSER(chooser), current);
    pango_font_description_free(current);
    const bool accepted = RunDialog(chooser) == GTK_RESPONSE_OK;
    if (accepted) {
      if (PangoFontDescription* chosen = gtk_font_chooser_get_font_desc(GTK_FONT_CHOOSER(chooser))) {
        if (const char* family = pango_font_description_get_family(chosen)) font.Name = family;
        font.Size = static_cast<int>(std::nearbyint(pango_font_description_get_size(chosen) / double(PANGO_SCALE)));
        TFontStyles style = font.Style - TFontStyles{fsBold, fsItalic};
        if (pango_font_description_get_weight(chosen) >= PANGO_WEIGHT_BOLD) style.Include(fsBold);
        if (pango_font_description_get_style(chosen) != PANGO_STYLE_NORMAL) style.Include(fsItalic);
        font.Style = style;
        pango_font_description_free(chosen);
      }
    }
    gtk_widget_destroy(chooser);
    return accepted;
  }
};

}  // namespace

IDialogs& GtkDialogs() {
  static TGtkDialogs dialogs;
  return dialogs;
}

}  // namespace gui
