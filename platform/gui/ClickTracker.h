#pragma once
// Double-click detection in the platform's order: down, up, double-click, up.
// GDK reports a second press as a press followed by a separate double-press
// event; the window ignores GDK's double-press events and asks this tracker
// instead, so every press is reported exactly once. Pure: no display needed.
#include <cstdint>

#include "platform/gui/Input.h"

namespace gui {

enum class TPressKind { Down, DoubleClick };

class TClickTracker {
 public:
  // `intervalMs`: longest time between the two presses; `distance`: largest
  // move in pixels, on either axis, between them.
  TClickTracker(unsigned intervalMs, int distance) : interval_(intervalMs), distance_(distance) {}

  // A press of `button` at `timeMs` (event time, wrapping allowed) and
  // (x, y): DoubleClick when it completes a pair with the previous press,
  // else Down. A press after a double-click starts a new pair.
  TPressKind Press(TMouseButton button, std::uint32_t timeMs, int x, int y);
  // Forgets the last press (the pointer left the window, say).
  void Reset() { armed_ = false; }

 private:
  unsigned interval_;
  int distance_;
  bool armed_ = false;
  TMouseButton button_ = mbLeft;
  std::uint32_t time_ = 0;
  int x_ = 0, y_ = 0;
};

}  // namespace gui
