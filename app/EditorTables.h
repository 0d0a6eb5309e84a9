#pragma once
// The tables of the curve and table editors: a parameter's TableHexText
// turned into the editor's starting state, and the edited values turned
// back. A text that does not decode to exactly the table's length starts
// the editor from a table of zeros.
#include <cstdint>
#include <string>
#include <vector>

#include "app/CurveEditing.h"

namespace app {

// ItemMode 8: 256 bytes, one point each; the nodes where straight segments meet.
RpmCurve CurveOf256Bytes(const std::string& hex, int maxNodeCount);
std::string BytesOf256PointCurve(const RpmCurve& curve);

// ItemMode 9: 64 big-endian rpm words between low and high (low < high);
// every point is a node, points from lockIndex - 1 on at the top.
RpmCurve CurveOfRpmTable(const std::string& hex, int low, int high, int lockIndex, int maxNodeCount);
// The first word comes out as low, the last always as high.
std::string RpmTableOfCurve(const RpmCurve& curve, int low, int high);

// ItemMode 12: 64 bytes between low and high; nodes at the turning points,
// the points between them filled.
FrequencyCurve CurveOfFrequencyBytes(const std::string& hex, int low, int high, int maxNodeCount);
// Rounded to the nearest byte, so a curve taken over unedited gives back
// the bytes it came from.
std::string FrequencyBytesOfCurve(const FrequencyCurve& curve, int low);

// ItemMode 3: 64 big-endian words; ItemMode 4: 256 bytes.
std::vector<int> TableValues(const std::string& hex, int mode);
// Values are truncated into the word or byte range.
std::string TableText(const std::vector<int>& values, int mode);

}  // namespace app
