#include "platform/gui/Dialogs.h"

#include "platform/rtl/TextTrim.h"

namespace gui {

IDialogs& GtkDialogs();  // GtkDialogs.cpp

namespace {
IDialogs* g_dialogs = nullptr;

std::vector<std::string_view> Split(std::string_view text, char separator) {
  std::vector<std::string_view> parts;
  for (std::size_t start = 0;;) {
    const std::size_t end = text.find(separator, start);
    parts.push_back(text.substr(start, end == std::string_view::npos ? std::string_view::npos : end - start));
    if (end == std::string_view::npos) return parts;
    start = end + 1;
  }
}
}  // namespace

IDialogs& Dialogs() { return g_dialogs ? *g_dialogs : GtkDialogs(); }
void SetDialogs(IDialogs* dialogs) { g_dialogs = dialogs; }

std::vector<TFileFilter> ParseFilter(const std::string& filter) {
  std::vector<TFileFilter> filters;
  if (filter.empty()) return filters;
  const auto parts = Split(filter, '|');
  for (std::size_t i = 0; i + 1 < parts.size(); i += 2) {
    TFileFilter entry{std::string(parts[i]), {}};
    for (std::string_view pattern : Split(parts[i + 1], ';'))
      if (const std::string_view trimmed = rtl::Trim(pattern); !trimmed.empty()) entry.Patterns.emplace_back(trimmed);
    filters.push_back(std::move(entry));
  }
  return filters;
}

std::string ApplyDefaultExt(const std::string& fileName, const std::string& defaultExt) {
  if (defaultExt.empty() || fileName.empty()) return fileName;
  const std::size_t slash = fileName.rfind('/');
  const std::size_t dot = fileName.rfind('.');
  if (dot != std::string::npos && (slash == std::string::npos || dot > slash)) return fileName;
  return fileName + "." + (defaultExt.front() == '.' ? defaultExt.substr(1) : defaultExt);
}

void TOpenDialog::Publish(rtl::TPublisher<TOpenDialog>& p) {
  p.Property("DefaultExt", &TOpenDialog::DefaultExt);
  p.Property("FileName", &TOpenDialog::FileName);
  p.Property("Filter", &TOpenDialog::Filter);
  p.Property("FilterIndex", &TOpenDialog::FilterIndex).Default(1);
  p.Property("InitialDir", &TOpenDialog::InitialDir);
  p.Property("Options", &TOpenDialog::Options).Default(TOpenOptions{ofHideReadOnly, ofEnableSizing});
  p.Property("Title", &TOpenDialog::Title);
}

}  // namespace gui
