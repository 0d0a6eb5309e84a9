#include "platform/hid/HidReportMap.h"

namespace hid {

std::uint8_t OutputReportId(int frameLength) {
  switch (frameLength) {
    case 4: return 1;
    case 8: return 2;
    case 9: return 3;
    case 10: return 10;
    case 12: return 11;
    case 24: return 4;
    case 26: return 24;
    case 27: return 12;
    case 31: return 14;
    case 32: return 23;
    case 47: return 13;
    case 62: return 254;
    default: return 4;
  }
}

int InputFrameLength(std::uint8_t reportId) {
  switch (reportId) {
    case 1: case 5: return 4;
    case 2: case 6: return 8;
    case 3: case 7: return 9;
    case 4: case 8: return 24;
    case 15: return 10;
    case 16: return 11;
    case 17: return 12;
    case 18: return 32;
    case 19: return 41;
    case 20: return 42;
    case 21: return 26;
    case 22: return 58;
    case 255: return 62;
    default: return 48;
  }
}

std::uint8_t InputReportIdFor(int frameLength) {
  static constexpr std::uint8_t kIds[] = {1, 2, 3, 4, 15, 16, 17, 18, 19, 20, 21, 22, 255, 9};
  for (std::uint8_t id : kIds)
    if (InputFrameLength(id) == frameLength) return id;
  return 0;
}

}  // namespace hid
