#include "params/MappingFamily.h"

#include <algorithm>

#include "params/PageEntries.h"

namespace params {
namespace {

// `part` at 1-based character `position` of `text`.
bool At(const std::string& text, std::size_t position, const std::string& part) {
  return text.size() >= position - 1 + part.size() && text.compare(position - 1, part.size(), part) == 0;
}

}  // namespace

bool IsLargeCarHardware(const std::string& hardware) {
  if (hardware.starts_with("VALTORINE_456")) return true;
  if (!hardware.starts_with("QV4")) return false;
  return At(hardware, 6, "SD") || At(hardware, 7, "SD") || At(hardware, 6, "BSD") || At(hardware, 7, "BSD");
}

MappingFamily FamilyOf(const std::string& controller, const std::string& hardware) {
  if (controller == "AIRPLANE" || controller == "AIRPLANE_PID") return MappingFamily::FixedAirplane;
  if (controller == "AIRPLANE_V2" || controller == "AIRPLANE_PID_V2") return MappingFamily::FixedAirplaneV2;
  if (controller == "CAR_ESC" && IsLargeCarHardware(hardware)) return MappingFamily::CarFamily;
  static const char* const kSeries[] = {"Corvanel_HV_V4.1", "Corvanel_HV_V4", "Corvanel_V4", "Corvanel_V4_FL",
                                        "TESSIM_V5"};
  if (std::find(std::begin(kSeries), std::end(kSeries), controller) != std::end(kSeries))
    return MappingFamily::SeriesFamily;
  return MappingFamily::GeneralFamily;
}

std::vector<int> ListedItems(const VERSION& version) {
  std::vector<int> items;
  for (int t = 0; t < std::min(version.tab, MaxPages); ++t)
    for (const PageEntry& entry : PageEntries(version.tabs[static_cast<std::size_t>(t)].group, version.item))
      if (!entry.opensGroupBox) items.push_back(entry.index);
  return items;
}

int TableBytes(int mode) {
  switch (mode) {
    case 3: case 9: return 128;
    case 4: case 8: return 256;
    case 12: return 64;
    default: return 0;
  }
}

}  // namespace params
