#include "platform/gui/ClickTracker.h"

#include <cstdlib>

namespace gui {

TPressKind TClickTracker::Press(TMouseButton button, std::uint32_t timeMs, int x, int y) {
  const bool pairs = armed_ && button == button_ && timeMs - time_ <= interval_ && std::abs(x - x_) <= distance_ &&
                     std::abs(y - y_) <= distance_;
  if (pairs) {
    armed_ = false;
    return TPressKind::DoubleClick;
  }
  armed_ = true;
  button_ = button;
  time_ = timeMs;
  x_ = x;
  y_ = y;
  return TPressKind::Down;
}

}  // namespace gui
