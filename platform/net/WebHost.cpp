#include "platform/net/WebHost.h"

#include <cstdlib>

namespace net {

std::string WebHostAddress() {
  const char* overridden = std::getenv(kWebHostVariable);
  std::string address = overridden && *overridden ? overridden : std::string(kDefaultWebHost);
  while (address.ends_with('/')) address.pop_back();
  return address;
}

}  // namespace net
