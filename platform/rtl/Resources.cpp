#include "platform/rtl/Resources.h"

#include <mutex>
#include <string>
#include <vector>

#include "platform/rtl/DebugOutput.h"
#include "platform/rtl/Exceptions.h"
#include "platform/rtl/Filer.h"
#include "platform/rtl/TextCompare.h"

namespace rtl {

namespace {
struct ResourceTables {
  std::mutex mutex;
  std::vector<const TResourceEntry*> entries;
};

ResourceTables& Tables() {
  static ResourceTables tables;
  return tables;
}
}  // namespace

void RegisterResourceTable(const TResourceEntry* entries, std::size_t count) {
  ResourceTables& tables = Tables();
  std::lock_guard lock(tables.mutex);
  for (std::size_t i = 0; i < count; ++i) tables.entries.push_back(&entries[i]);
}

const TResourceEntry* FindResource(std::string_view name) {
  ResourceTables& tables = Tables();
  std::lock_guard lock(tables.mutex);
  for (const TResourceEntry* entry : tables.entries)
    if (SameText(entry->name, name)) return entry;
  return nullptr;
}

std::vector<std::string> ResourceNames() {
  ResourceTables& tables = Tables();
  std::lock_guard lock(tables.mutex);
  std::vector<std::string> names;
  for (const TResourceEntry* entry : tables.entries) names.emplace_back(entry->name);
  return names;
}

const TResourceEntry& TResourceStream::Find(std::string_view name) {
  const TResourceEntry* entry = FindResource(name);
  if (!entry) throw EResNotFound(Format("Resource %.*s not found", static_cast<int>(name.size()), name.data()));
  return *entry;
}

TResourceStream::TResourceStream(std::string_view name) : TResourceStream(Find(name)) {}

TResourceStream::TResourceStream(const TResourceEntry& entry)
    : TBytesViewStream(entry.data, static_cast<std::int64_t>(entry.size)) {}

void ReadComponentResource(TComponent* instance, std::string_view resourceName, bool lenient) {
  TResourceStream stream(resourceName);
  std::vector<std::string> errors;
  ReadComponentFromStream(stream, instance, lenient, FindResource(resourceName)->Places(), &errors);
  for (const std::string& error : errors) OutputDebugString(error);
}

std::vector<std::string> StrictResourceErrors() {
  std::vector<std::string> failures;
  for (const std::string& name : ResourceNames()) {
    const TResourceEntry& entry = *FindResource(name);
    const std::string_view bytes(reinterpret_cast<const char*>(entry.data), entry.size);
    if (!bytes.starts_with(std::string_view(kFilerSignature, sizeof kFilerSignature))) continue;  // a picture or other raw data
    try {
      TBytesViewStream stream(entry.data, static_cast<std::int64_t>(entry.size));
      TComponent* root = ReadComponentFromStream(stream, nullptr, false, entry.Places());
      root->Free();
    } catch (const Exception& e) {
      failures.push_back(name + ": " + e.Message());
    }
  }
  return failures;
}

}  // namespace rtl
