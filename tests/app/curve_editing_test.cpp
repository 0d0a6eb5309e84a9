// The curve editors' rules in plot units (nodes, drags, deletes, Init,
// presets, pointer mapping and texts) and the tables they are opened with
// and give back.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/CurveEditing.h"
#include "app/EditorTables.h"
#include "platform/rtl/HexText.h"

namespace app {
namespace {

std::vector<int> Nodes(const PlotCurve& curve) {
  return {curve.nodes.begin(), curve.nodes.begin() + curve.nodeCount};
}

std::vector<int> Values(const PlotCurve& curve, int from, int to) {
  return {curve.values.begin() + from, curve.values.begin() + to + 1};
}

std::string Hex(const std::vector<std::uint8_t>& bytes) { return rtl::BytesToHex(bytes); }

std::vector<std::uint8_t> Bytes(const std::string& hex) {
  std::vector<std::uint8_t> bytes(hex.size() / 2);
  rtl::HexToBytes(hex, bytes);
  return bytes;
}

// A 256-point curve after Init: the ramp 0..255 with nodes 0 and 255.
RpmCurve Ramp256() {
  RpmCurve curve;
  curve.Init();
  return curve;
}

// A 64-point curve as the launcher opens it, every point a node.
RpmCurve Curve64(int lockIndex) {
  std::vector<std::uint8_t> table(128, 0);
  return CurveOfRpmTable(Hex(table), 1000, 9000, lockIndex, 64);
}

TEST(PointerMapping, ClampsIntoThePointAndValueRanges) {
  struct Case {
    float x;
    bool sixtyFour;
    int index;
  } cases[] = {{0, false, 0}, {15, false, 0}, {17, false, 0}, {50, false, 17}, {525, false, 254}, {527, false, 255},
               {600, false, 255}, {50, true, 4}, {600, true, 63}, {18, false, 1}, {19, false, 2}};
  for (const Case& c : cases) EXPECT_EQ(PointerIndex(c.x, c.sixtyFour), c.index) << c.x;
  struct ValueCase {
    float y;
    int floor, value;
  } values[] = {{286, 0, 0}, {271, 0, 0}, {270, 0, 0}, {269.5f, 0, 0}, {200, 0, 70}, {10, 0, 255},
                {270, 8, 8}, {262, 8, 8}, {261, 8, 9}, {-5, 8, 255}};
  for (const ValueCase& c : values) EXPECT_EQ(PointerValue(c.y, kPlotHeight, c.floor), c.value) << c.y;
}

TEST(RpmCurve, InitGivesARampToTheLockPoint) {
  RpmCurve ramp = Ramp256();
  EXPECT_EQ(Nodes(ramp), (std::vector<int>{0, 255}));
  for (int i = 0; i < 256; ++i) EXPECT_EQ(ramp.values[static_cast<std::size_t>(i)], i);

  RpmCurve curve = Curve64(40);
  curve.Init();
  std::vector<int> nodes{0};
  for (int i = 39; i <= 63; ++i) nodes.push_back(i);
  EXPECT_EQ(Nodes(curve), nodes);
  EXPECT_EQ(curve.nodeCount, 26);
  EXPECT_EQ(curve.values[0], 0);
  EXPECT_EQ(curve.values[20], 131);  // 20 x 255 / 39, rounded
  for (int i = 39; i < 64; ++i) EXPECT_EQ(curve.values[static_cast<std::size_t>(i)], 255) << i;
}

TEST(RpmCurve, AClickSelectsOrInsertsANodeUpToTheMaximum) {
  RpmCurve curve = Ramp256();
  curve.SetMaxNodeCount(3);
  curve.LeftDown(100, 150);
  EXPECT_EQ(Nodes(curve), (std::vector<int>{0, 100, 255}));
  EXPECT_EQ(curve.values[100], 150);
  EXPECT_EQ(curve.values[50], 75);
  EXPECT_EQ(curve.values[200], 218);  // 150 + 100 x 105 / 155

  // The table is full: a click elsewhere only ends up with no selection...
  curve.EndDrag();
  curve.LeftDown(30, 10);
  EXPECT_FALSE(curve.dragging);
  EXPECT_EQ(Nodes(curve), (std::vector<int>{0, 100, 255}));
  // ...while one up to 7 points left of a node and within 7 values selects it.
  curve.LeftDown(94, 155);
  EXPECT_TRUE(curve.dragging);
  EXPECT_EQ(curve.selected, 1);
}

TEST(RpmCurve, DraggingKeepsTheCurveRisingAtTheNodes) {
  RpmCurve curve = Ramp256();
  curve.LeftDown(80, 100);
  curve.EndDrag();
  curve.LeftDown(160, 180);
  curve.Drag(160, 50);  // below its predecessor: stops at 100
  EXPECT_EQ(curve.values[160], 100);
  curve.Drag(160, 250);  // above the later node 255 (at 255) lowers nothing, raises nothing
  EXPECT_EQ(curve.values[255], 255);
  curve.EndDrag();
  curve.LeftDown(80, 100);
  curve.Drag(80, 252);  // raises node 160 to 252
  EXPECT_EQ(curve.values[160], 252);
  EXPECT_EQ(curve.values[120], 252);

  // The last node dragged down lowers the interior nodes above it; node 0 keeps its value.
  RpmCurve lowered = Ramp256();
  lowered.Value(0) = 20;
  lowered.LeftDown(100, 150);
  lowered.EndDrag();
  lowered.LeftDown(255, 60);
  EXPECT_EQ(lowered.values[100], 60);
  EXPECT_EQ(lowered.values[255], 60);
  EXPECT_EQ(lowered.values[0], 20);
}

TEST(RpmCurve, OnlyInteriorNodesMoveSidewaysBetweenTheirNeighbours) {
  RpmCurve curve = Ramp256();
  curve.LeftDown(100, 100);
  curve.EndDrag();
  curve.LeftDown(200, 200);
  curve.EndDrag();
  curve.LeftDown(100, 100);
  curve.Drag(150, 100);
  EXPECT_EQ(Nodes(curve), (std::vector<int>{0, 150, 200, 255}));
  curve.Drag(230, 100);  // beyond the next node: stays
  EXPECT_EQ(Nodes(curve), (std::vector<int>{0, 150, 200, 255}));
  curve.EndDrag();
  curve.LeftDown(255, 255);
  curve.Drag(240, 255);
  curve.EndDrag();
  curve.LeftDown(0, 0);
  curve.Drag(40, 0);
  EXPECT_EQ(Nodes(curve), (std::vector<int>{0, 150, 200, 255}));
}

TEST(RpmCurve, RightClickDeletesOnlyInteriorNodes) {
  RpmCurve curve = Ramp256();
  curve.LeftDown(100, 100);
  curve.EndDrag();
  curve.RightDown(0, 0);
  curve.RightDown(255, 255);
  EXPECT_EQ(Nodes(curve), (std::vector<int>{0, 100, 255}));
  curve.RightDown(95, 103);
  EXPECT_EQ(Nodes(curve), (std::vector<int>{0, 255}));
}

TEST(RpmCurve, SixtyFourPointsHoldTheFirstPointAndTheLockedTop) {
  RpmCurve curve = Curve64(40);
  curve.LeftDown(0, 120);
  EXPECT_EQ(curve.values[0], 0);
  curve.EndDrag();
  curve.LeftDown(45, 10);  // a locked point keeps the top
  EXPECT_EQ(curve.values[45], 255);
  curve.EndDrag();
  curve.LeftDown(63, 10);
  EXPECT_EQ(curve.values[63], 255);
  curve.EndDrag();
  curve.LeftDown(20, 100);
  EXPECT_EQ(curve.values[20], 100);
  EXPECT_GE(curve.values[21], 100);

  curve.RightDown(45, 255);  // locked: stays
  EXPECT_EQ(curve.nodeCount, 64);
  curve.RightDown(20, 100);
  EXPECT_EQ(curve.nodeCount, 63);
  EXPECT_EQ(curve.Node(20), 21);
}

TEST(RpmCurve, PointerTextsInPercentAndRpm) {
  RpmCurve ramp = Ramp256();
  EXPECT_EQ(ramp.PointerText(255, 255, false), "X: 100%    Y: 100%");
  EXPECT_EQ(ramp.PointerText(0, 0, true), "X: 0%   Y: 0%");
  RpmCurve curve = Curve64(40);  // y scale 31.25, offset 1000
  EXPECT_EQ(curve.PointerText(9, 99, false), "X: 10    Y: 4125");
  EXPECT_EQ(curve.PointerText(9, 99, true), "X: 10   Y: 4125");
}

TEST(FrequencyCurve, FallsFreelyButNotBelowItsFloor) {
  FrequencyCurve curve;
  curve.Init();
  EXPECT_EQ(Values(curve, 0, 63), std::vector<int>(64, 8));
  curve.LeftDown(20, 200);
  curve.Drag(20, PointerValue(400, kPlotHeight, FrequencyCurve::kFloor));
  EXPECT_EQ(curve.values[20], 8);
  curve.Drag(20, 200);
  curve.EndDrag();
  curve.LeftDown(40, 50);  // below its predecessor: the curve falls there
  EXPECT_EQ(curve.values[40], 50);
  EXPECT_EQ(curve.values[30], 125);
  curve.RightDown(0, 8);
  curve.RightDown(63, 8);
  EXPECT_EQ(Nodes(curve), (std::vector<int>{0, 20, 40, 63}));
  curve.RightDown(38, 52);
  EXPECT_EQ(Nodes(curve), (std::vector<int>{0, 20, 63}));
}

TEST(FrequencyCurve, PresetsSetOneLevelWithNodesAtTheEnds) {
  struct Case {
    int index, level;
  } cases[] = {{-1, 8}, {0, 8}, {1, 16}, {4, 96}, {8, 224}, {9, 256}};
  for (const Case& c : cases) {
    FrequencyCurve curve = CurveOfFrequencyBytes(Hex(std::vector<std::uint8_t>(64, 30)), 2, 64, 64);
    curve.LeftDown(30, 100);
    curve.ApplyPreset(c.index);
    EXPECT_EQ(Values(curve, 0, 63), std::vector<int>(64, c.level)) << c.index;
    EXPECT_EQ(Nodes(curve), (std::vector<int>{0, 63}));
  }
  FrequencyCurve top = CurveOfFrequencyBytes("", 1, 32, 64);
  top.ApplyPreset(9);
  EXPECT_EQ(Bytes(FrequencyBytesOfCurve(top, 1)), std::vector<std::uint8_t>(64, 32));
  EXPECT_EQ(top.PointerText(63, 255), "X: 100%   Y: 16k");
}

TEST(EditorTables, AStraightRampHasNodesOnlyAtItsEnds) {
  std::vector<std::uint8_t> ramp(256);
  for (int i = 0; i < 256; ++i) ramp[static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(i);
  EXPECT_EQ(Nodes(CurveOf256Bytes(Hex(ramp), 16)), (std::vector<int>{0, 255}));

  // Two straight pieces meet at 100; a dip between two equal values gets no node.
  std::vector<std::uint8_t> bent(256, 100);
  for (int i = 0; i <= 100; ++i) bent[static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(i);
  bent[180] = 40;
  RpmCurve curve = CurveOf256Bytes(Hex(bent), 16);
  EXPECT_EQ(Nodes(curve), (std::vector<int>{0, 100, 255}));
  EXPECT_EQ(curve.values[180], 40);
  EXPECT_EQ(BytesOf256PointCurve(curve), Hex(bent));
}

TEST(EditorTables, RpmTableKeepsTheFirstPointLowAndTheLastHigh) {
  std::vector<std::uint8_t> table(128);
  for (int i = 0; i < 64; ++i) {
    const int rpm = 2000 + i * 100;
    table[static_cast<std::size_t>(2 * i)] = static_cast<std::uint8_t>(rpm >> 8);
    table[static_cast<std::size_t>(2 * i + 1)] = static_cast<std::uint8_t>(rpm & 0xFF);
  }
  const int low = 1000, high = 9000, lock = 40;  // y scale 31.25
  RpmCurve curve = CurveOfRpmTable(Hex(table), low, high, lock, 64);
  EXPECT_EQ(curve.nodeCount, 64);
  EXPECT_EQ(curve.values[0], 0);
  EXPECT_EQ(curve.values[10], 64);  // (3000 - 1000) / 31.25
  EXPECT_EQ(curve.values[38], 154);  // (5800 - 1000) / 31.25, rounded
  EXPECT_EQ(curve.values[39], 255);
  const std::vector<std::uint8_t> back = Bytes(RpmTableOfCurve(curve, low, high));
  auto word = [&](int i) { return back[static_cast<std::size_t>(2 * i)] << 8 | back[static_cast<std::size_t>(2 * i + 1)]; };
  EXPECT_EQ(word(0), low);
  EXPECT_EQ(word(10), 3000);
  EXPECT_EQ(word(39), 8968);  // low + 255 x 31.25, truncated
  EXPECT_EQ(word(62), 8968);
  EXPECT_EQ(word(63), high);
}

TEST(EditorTables, AFrequencyCurveTakenOverUneditedGivesBackItsBytes) {
  for (const auto& [low, high] : {std::pair{2, 64}, std::pair{1, 32}}) {
    std::vector<std::uint8_t> bytes(64);
    // A zigzag (every point a turning point), then a level.
    for (int i = 0; i < 64; ++i)
      bytes[static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(low + (i >= 32 ? 20 : i % 2 ? 10 : 3));
    const FrequencyCurve curve = CurveOfFrequencyBytes(Hex(bytes), low, high, 64);
    EXPECT_EQ(curve.Node(0), 0);
    EXPECT_EQ(curve.LastPoint(), 63);
    EXPECT_EQ(FrequencyBytesOfCurve(curve, low), Hex(bytes)) << high;
  }
}

TEST(EditorTables, FrequencyNodesSitAtTurningPoints) {
  std::vector<std::uint8_t> bytes(64, 10);
  for (int i = 20; i < 30; ++i) bytes[static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(10 + (i - 20) * 2);
  for (int i = 30; i < 40; ++i) bytes[static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(28 - (i - 30) * 2);
  const FrequencyCurve curve = CurveOfFrequencyBytes(Hex(bytes), 2, 64, 64);
    // The steps of 8 or 9 plot units climb without a node; the turns are nodes.
  EXPECT_EQ(Nodes(curve), (std::vector<int>{0, 20, 29, 30, 39, 63}));
}

TEST(EditorTables, TablesThatDoNotDecodeStartFromZeros) {
  for (const std::string& text : {std::string(""), std::string("ABC"), std::string(600, 'F'), std::string(128, 'G')}) {
    EXPECT_EQ(TableValues(text, 4), std::vector<int>(256, 0)) << text.size();
    EXPECT_EQ(TableValues(text, 3), std::vector<int>(64, 0)) << text.size();
    EXPECT_EQ(Values(CurveOf256Bytes(text, 16), 0, 255), std::vector<int>(256, 0));
  }
  std::vector<int> words(64);
  for (int i = 0; i < 64; ++i) words[static_cast<std::size_t>(i)] = 1000 + 250 * i;
  EXPECT_EQ(TableValues(TableText(words, 3), 3), words);
  EXPECT_EQ(TableText(words, 3).size(), 256u);
  EXPECT_EQ(TableText(std::vector<int>(256, 7), 4), Hex(std::vector<std::uint8_t>(256, 7)));
}

}  // namespace
}  // namespace app
