#include "app/CalcNumbers.h"

#include <cmath>
#include <limits>

#include "platform/rtl/NumberText.h"

namespace app {

long double RoundToDecimals(long double value, int decimals) {
  const long double scale = std::pow(10.0L, decimals);
  return std::nearbyint(value * scale) / scale;
}

std::optional<float> ToSingle(long double value) {
  if (!std::isfinite(value) || std::fabs(value) > std::numeric_limits<float>::max()) return std::nullopt;
  return static_cast<float>(value);
}

std::string FixedText(double value, int decimals) { return rtl::FloatToStrF(value, rtl::ffFixed, 12, decimals); }

std::string GeneralText(double value) { return rtl::FloatToStr(value); }

}  // namespace app
