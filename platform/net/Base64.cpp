#include "platform/net/Base64.h"

#include <glib.h>

#include <memory>

namespace net {

std::string Base64Decode(std::string_view text) {
  const std::string terminated(text);  // GLib reads up to a NUL
  gsize size = 0;
  const std::unique_ptr<guchar, decltype(&g_free)> bytes(g_base64_decode(terminated.c_str(), &size), g_free);
  return std::string(reinterpret_cast<const char*>(bytes.get()), size);
}

}  // namespace net
