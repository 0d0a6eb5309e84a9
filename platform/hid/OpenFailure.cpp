#include "platform/hid/OpenFailure.h"

#include <cerrno>
#include <cstring>

namespace hid {

OpenFailure OpenFailure::Of(const std::string& path, int error) {
  std::string text = "cannot open " + path;
  if (error != 0) text += std::string(": ") + std::strerror(error);
  // Without the program's udev rule a hidraw node belongs to root alone.
  if (error == EACCES) text += " (is the udev rule 70-esctool-adapters.rules installed?)";
  return {error, text};
}

bool OpenFailure::Denied() const { return error == EACCES || error == EPERM; }

}  // namespace hid
