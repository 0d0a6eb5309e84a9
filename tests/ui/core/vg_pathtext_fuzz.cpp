// libFuzzer target: the path text parser never raises or crashes, and what
// it reads (when every coordinate is finite) prints to a text that reads back
// to the same number of points.
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "ui/core/vg_pathdata.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  vg::TvgPathData path;
  path.SetPathString(std::string(reinterpret_cast<const char*>(data), size));
  path.GetBounds();
  vg::TvgPathData again;
  again.SetPathString(path.GetPathString());
  const bool finite = std::all_of(path.PathData.begin(), path.PathData.end(), [](const auto& p) {
    return std::isfinite(p.Point.X) && std::isfinite(p.Point.Y);
  });
  if (finite && again.PathData.size() != path.PathData.size()) std::abort();
  return 0;
}
