#include "model/Numeric.h"

#include <cmath>
#include <limits>

namespace qv {

namespace {
constexpr double kLowest = -2147483648.0;   // exactly representable
constexpr double kBeyondMax = 2147483648.0; // the first double past INT32_MAX
} // namespace

std::int32_t Trunc(double value) {
    if (std::isnan(value)) {
        return 0;
    }
    if (value <= kLowest) {
        return std::numeric_limits<std::int32_t>::min();
    }
    if (value >= kBeyondMax) {
        return std::numeric_limits<std::int32_t>::max();
    }
    return static_cast<std::int32_t>(value);
}

} // namespace qv
