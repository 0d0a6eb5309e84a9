#pragma once
// How a model's settings image maps to the parameter controls, chosen by
// the controller key and hardware version (exact, case-sensitive texts).
#include <string>
#include <vector>

#include "params/DeviceDescription.h"

namespace params {

enum class MappingFamily { FixedAirplane, FixedAirplaneV2, CarFamily, SeriesFamily, GeneralFamily };

// A hardware version that begins "VALTORINE_456", or begins "QV4" with "SD"
// or "BSD" at character 6 or 7 (counted from 1): the car controllers with
// the large settings image.
bool IsLargeCarHardware(const std::string& hardware);

MappingFamily FamilyOf(const std::string& controller, const std::string& hardware);

inline bool IsFixedFamily(MappingFamily family) {
  return family == MappingFamily::FixedAirplane || family == MappingFamily::FixedAirplaneV2;
}

// The parameters the pages list, in page and group order: every valid item
// index of every page below the page count ("-" and bad entries skipped; an
// index listed on two pages comes twice).
std::vector<int> ListedItems(const VERSION& version);

// Control names of parameter i.
inline std::string ListName(int i) { return "cbItem" + std::to_string(i); }
inline std::string EditName(int i) { return "eItem" + std::to_string(i); }
inline std::string LabelName(int i) { return "lItem" + std::to_string(i); }
inline std::string ValueLabelName(int i) { return "leItem" + std::to_string(i); }
inline const std::string kModeList = "cbMode";
inline const std::string kModeLabel = "lMode";
inline const std::string kNameBox = "eName";

// ItemMode groups.
inline bool IsTableMode(int mode) { return mode == 3 || mode == 4 || mode == 8 || mode == 9 || mode == 12; }
inline bool IsCustomValueMode(int mode) { return mode == 1 || mode == 2; }
inline bool IsTrackMode(int mode) { return mode == 5 || mode == 6; }
inline bool IsRowlessOrReadout(int mode) { return mode == 7 || mode == 10; }

// Bytes of the table a mode keeps (TableHexText length / 2); 0 for other modes.
int TableBytes(int mode);

}  // namespace params
