#pragma once
// Resources embedded in the executable: named byte blocks (component streams
// converted from our text-form files at build time, pictures) looked up by
// name without regard to case. The build's resource compiler generates the
// tables (tools/, esctool_embed_resources in CMake); start-up code registers
// them with the generated Register...Resources() function.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "platform/rtl/ObjectText.h"
#include "platform/rtl/Streams.h"

namespace rtl {

class TComponent;

struct TResourceEntry {
  const char* name;
  const std::uint8_t* data;  // static storage, never freed
  std::size_t size;
  // For a component stream converted from a text form: the text's file name
  // and the places of its components and properties (static storage).
  const char* source = nullptr;
  const TTextPlace* places = nullptr;
  std::size_t placeCount = 0;

  TTextPlaces Places() const { return {source ? source : "", places, placeCount}; }
};

// Makes the entries findable. The table must outlive every lookup (the
// generated tables are static). A name registered twice keeps the first.
void RegisterResourceTable(const TResourceEntry* entries, std::size_t count);
// The resource of that name, or nullptr.
const TResourceEntry* FindResource(std::string_view name);
// The names of all registered resources, in registration order.
std::vector<std::string> ResourceNames();

// A read-only stream over an embedded resource. Raises EResNotFound
// "Resource %s not found" when there is none of that name.
class TResourceStream : public TBytesViewStream {
 public:
  explicit TResourceStream(std::string_view name);

 private:
  explicit TResourceStream(const TResourceEntry& entry);
  static const TResourceEntry& Find(std::string_view name);
};

// Reads the embedded component stream `resourceName` into `instance` (a
// form constructing itself reads its class's resource). Lenient reads skip
// property errors and write each to the debug output, strict ones raise
// them; both name the place in the text form ("TfrmInfo.txt:12:5: ...").
void ReadComponentResource(TComponent* instance, std::string_view resourceName, bool lenient = true);

// Reads every embedded component stream strictly, each into a new instance
// of its root class (freed afterwards); returns one message per resource
// that fails, the empty list when all load.
std::vector<std::string> StrictResourceErrors();

}  // namespace rtl
