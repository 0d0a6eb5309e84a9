#pragma once
// The editing rules of the two curve editors, in plot units: a curve of
// points (values) with nodes at some of them, the points between two nodes
// on the straight line between them. RpmCurve is the throttle-style curve of
// 256 or 64 points that never falls at a node; FrequencyCurve is the 64-point
// frequency curve that may fall and has a floor of 8. The forms turn pointer
// positions into point indices and values with the functions below and call
// these rules.
#include <array>
#include <string>

namespace app {

// Height of the plot the pointer positions are measured in.
inline constexpr float kPlotHeight = 286;

// The point index under a pointer x: 0 to 255, or 0 to 63 for a 64-point curve.
int PointerIndex(float x, bool sixtyFourPoints);
// The value under a pointer y (0 to 255); never below `floor` (0 or 8).
int PointerValue(float y, float plotHeight, int floor);

class PlotCurve {
 public:
  static constexpr int kMaxNodes = 64;

  std::array<int, 256> values{};
  std::array<int, kMaxNodes> nodes{};  // point indices, increasing; the first 0, the last the last point
  int nodeCount = 2;
  int maxNodeCount = 16;               // limits inserting; never above kMaxNodes
  float xStep = 2, yScale = 1, yOffset = 0;
  bool dragging = false;
  int selected = 0;                    // index into nodes

  int LastPoint() const { return nodes[static_cast<std::size_t>(nodeCount - 1)]; }
  int Node(int k) const { return nodes[static_cast<std::size_t>(k)]; }
  int& Value(int point) { return values[static_cast<std::size_t>(point)]; }
  int NodeValue(int k) const { return values[static_cast<std::size_t>(Node(k))]; }
  void SetMaxNodeCount(int count);

  // Mouse up, enter and leave.
  void EndDrag() { dragging = false; }

 protected:
  // Selects the node at point x, or inserts one there while the table has
  // room; with the table full, the first interior node near (x, y) within
  // the tolerance q. Returns whether a node got selected.
  bool SelectOrInsert(int x, int y, int q);
  // The first interior node before `below` at x or near (x, y); -1 for none.
  int NearInteriorNode(int x, int y, int q, int below) const;
  void RemoveNode(int k);
  // Moves the selected interior node to x when x lies strictly between its neighbours.
  void MoveSelectedSideways(int x);
  // Points strictly between nodes a and b on the straight line between them.
  void FillBetween(int a, int b);
};

class RpmCurve : public PlotCurve {
 public:
  int lockIndex = 0;  // 64-point curve: points from lockIndex - 1 on stay at the top

  RpmCurve();
  bool SixtyFourPoints() const { return LastPoint() == 63; }
  int Tolerance() const { return SixtyFourPoints() ? 4 : 8; }

  // Raises each node to its predecessor, then fills the points between nodes.
  void Interpolate();
  void LeftDown(int x, int y);
  void RightDown(int x, int y);
  void Drag(int x, int y);
  // A ramp from 0 to 255 (to the lock point of a 64-point curve, the top held after it).
  void Init();
  // The pointer label; `moving` gives the mouse-move variant.
  std::string PointerText(int x, int y, bool moving) const;

 private:
  bool Locked(int x) const { return SixtyFourPoints() && x >= lockIndex - 1; }
  // The value y may take at node k for a pointer at point x.
  int LimitValue(int k, int x, int y);
  void RaiseLaterNodes(int k, int y);
};

class FrequencyCurve : public PlotCurve {
 public:
  static constexpr int kFloor = 8;
  static constexpr int kTolerance = 4;

  FrequencyCurve();
  void Interpolate();
  void LeftDown(int x, int y);
  void RightDown(int x, int y);
  void Drag(int x, int y);
  // Every value 8, nodes at both ends.
  void Init();
  // The preset level of the preset list's entry `index` (8 for none).
  static int PresetLevel(int index);
  void ApplyPreset(int index);
  std::string PointerText(int x, int y) const;
};

}  // namespace app
