#include "app/CurveEditing.h"

#include <algorithm>

#include "platform/rtl/NumberText.h"
#include "platform/rtl/Rounding.h"

namespace app {

int PointerIndex(float x, bool sixtyFourPoints) {
  const auto c = rtl::Round(x / 2.0);
  const int index = c < 8 ? 0 : c > 262 ? 255 : static_cast<int>(c - 8);
  return sixtyFourPoints ? index / 4 : index;
}

int PointerValue(float y, float plotHeight, int floor) {
  const auto d = rtl::Trunc(static_cast<double>(plotHeight) - y);
  if (d < 16 + floor) return floor;
  return d > 270 ? 255 : static_cast<int>(d - 16);
}

// ----- the common node rules

void PlotCurve::SetMaxNodeCount(int count) { maxNodeCount = std::clamp(count, 2, kMaxNodes); }

bool PlotCurve::SelectOrInsert(int x, int y, int q) {
  for (int k = 0; k < nodeCount; ++k) {
    if (Node(k) == x) {
      selected = k;
      dragging = true;
      return true;
    }
    if (Node(k) > x && nodeCount < maxNodeCount) {
      std::copy_backward(nodes.begin() + k, nodes.begin() + nodeCount, nodes.begin() + nodeCount + 1);
      nodes[static_cast<std::size_t>(k)] = x;
      ++nodeCount;
      selected = k;
      dragging = true;
      return true;
    }
  }
  const int near = NearInteriorNode(x, y, q, 256);
  if (near < 0) return false;
  selected = near;
  dragging = true;
  return true;
}

int PlotCurve::NearInteriorNode(int x, int y, int q, int below) const {
  for (int k = 1; k < nodeCount - 1; ++k) {
    const int n = Node(k);
    if (n >= below) continue;
    if (n == x || (n > x && n < x + q && NodeValue(k) > y - q && NodeValue(k) < y + q)) return k;
  }
  return -1;
}

void PlotCurve::RemoveNode(int k) {
  std::copy(nodes.begin() + k + 1, nodes.begin() + nodeCount, nodes.begin() + k);
  --nodeCount;
}

void PlotCurve::MoveSelectedSideways(int x) {
  if (selected <= 0 || selected >= nodeCount - 1) return;
  if (Node(selected - 1) < x && x < Node(selected + 1)) nodes[static_cast<std::size_t>(selected)] = x;
}

void PlotCurve::FillBetween(int a, int b) {
  const int from = Value(a), to = Value(b);
  if (from == to) {
    for (int j = a + 1; j < b; ++j) Value(j) = to;
    return;
  }
  const float slope = static_cast<float>(to - from) / static_cast<float>(b - a);
  for (int j = a + 1; j < b; ++j)
    Value(j) = static_cast<int>(rtl::Round(from + static_cast<double>(j - a) * static_cast<double>(slope)));
}

// ----- the rpm curve

RpmCurve::RpmCurve() {
  nodes[0] = 0;
  nodes[1] = 255;
}

void RpmCurve::Interpolate() {
  for (int k = 1; k < nodeCount; ++k) {
    const int a = Node(k - 1), b = Node(k);
    if (Value(b) < Value(a)) Value(b) = Value(a);
    FillBetween(a, b);
  }
}

int RpmCurve::LimitValue(int k, int x, int y) {
  const int n = Node(k);
  if (k == 0) return SixtyFourPoints() ? 0 : y;
  if (n == LastPoint()) {
    if (SixtyFourPoints()) y = 255;
    for (int j = k - 1; j >= 1; --j)
      if (NodeValue(j) > y) Value(Node(j)) = y;
    return y;
  }
  if (Locked(x)) return 255;
  return std::max(y, NodeValue(k - 1));
}

void RpmCurve::RaiseLaterNodes(int k, int y) {
  for (int j = k + 1; j < nodeCount; ++j)
    if (NodeValue(j) < y) Value(Node(j)) = y;
}

void RpmCurve::LeftDown(int x, int y) {
  if (SelectOrInsert(x, y, Tolerance())) {
    y = LimitValue(selected, x, y);
    if (!Locked(x)) {
      RaiseLaterNodes(selected, y);
      Value(x) = y;
    }
  }
  Interpolate();
}

void RpmCurve::RightDown(int x, int y) {
  if (nodeCount > 1) {
    // Beyond 16 nodes of a 256-point curve, as always on a 64-point one,
    // only nodes before the lock point may go.
    const bool lockBound = SixtyFourPoints() || nodeCount > 16;
    const int k = NearInteriorNode(x, y, Tolerance(), lockBound ? lockIndex - 1 : 256);
    if (k >= 0) RemoveNode(k);
  }
  Interpolate();
}

void RpmCurve::Drag(int x, int y) {
  if (!dragging) return;
  MoveSelectedSideways(x);
  y = LimitValue(selected, x, y);
  if (!Locked(x)) {
    RaiseLaterNodes(selected, y);
    Value(Node(selected)) = y;
  }
  Interpolate();
}

void RpmCurve::Init() {
  const int lock = std::clamp(lockIndex, 2, 64);
  const bool sixtyFour = SixtyFourPoints();
  nodes[0] = 0;
  Value(0) = 0;
  if (sixtyFour) {
    nodes[1] = lock - 1;
    Value(lock - 1) = 255;
    nodeCount = 2;
    if (lock < 64) {
      nodes[2] = 63;
      nodeCount = 3;
    }
  } else {
    nodes[1] = 255;
    nodeCount = 2;
  }
  Value(LastPoint()) = 255;
  Interpolate();
  if (!sixtyFour) return;
  for (int point = lock; point <= 63; ++point) nodes[static_cast<std::size_t>(point - lock + 2)] = point;
  nodeCount = 66 - lock;
}

std::string RpmCurve::PointerText(int x, int y, bool moving) const {
  const char* gap = moving ? "   Y: " : "    Y: ";
  if (SixtyFourPoints())
    return "X: " + std::to_string(x + 1) + gap +
           rtl::FloatToStrF((y + 1) * static_cast<double>(yScale) + yOffset, rtl::ffFixed, 15, 0);
  return "X: " + std::to_string((x * 100 + 100) / 256) + "%" + gap + std::to_string((y * 100 + 100) / 256) + "%";
}

// ----- the frequency curve

FrequencyCurve::FrequencyCurve() {
  nodes[0] = 0;
  nodes[1] = 63;
  maxNodeCount = kMaxNodes;
}

void FrequencyCurve::Interpolate() {
  for (int k = 1; k < nodeCount; ++k) FillBetween(Node(k - 1), Node(k));
}

void FrequencyCurve::LeftDown(int x, int y) {
  if (SelectOrInsert(x, y, kTolerance)) Value(x) = y;
  Interpolate();
}

void FrequencyCurve::RightDown(int x, int y) {
  if (nodeCount > 1) {
    const int k = NearInteriorNode(x, y, kTolerance, 256);
    if (k >= 0) RemoveNode(k);
  }
  Interpolate();
}

void FrequencyCurve::Drag(int x, int y) {
  if (!dragging) return;
  MoveSelectedSideways(x);
  Value(Node(selected)) = y;
  Interpolate();
}

void FrequencyCurve::Init() {
  nodes.fill(0);
  nodes[1] = 63;
  nodeCount = 2;
  std::fill(values.begin(), values.begin() + 64, kFloor);
}

int FrequencyCurve::PresetLevel(int index) {
  static constexpr std::array<int, 10> kLevels = {kFloor, 16, 32, 64, 96, 128, 160, 192, 224, 256};
  return index >= 1 && index <= 9 ? kLevels[static_cast<std::size_t>(index)] : kFloor;
}

void FrequencyCurve::ApplyPreset(int index) {
  std::fill(values.begin(), values.begin() + 64, PresetLevel(index));
  nodes[0] = 0;
  nodes[1] = 63;
  nodeCount = 2;
}

std::string FrequencyCurve::PointerText(int x, int y) const {
  const double frequency = ((y + 1) * static_cast<double>(yScale) + yOffset) / 2;
  return "X: " + std::to_string((x * 100 + 100) / 64) + "%   Y: " + rtl::FloatToStrF(frequency, rtl::ffFixed, 15, 0) +
         "k";
}

}  // namespace app
