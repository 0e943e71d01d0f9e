#include "base/Numbers.h"

#include <cmath>
#include <limits>

namespace kelvane {

double Remainder(double x, double y) {
    return x - y * std::trunc(x / y);
}

std::int32_t FloorToInt(double x) {
    if (std::isnan(x)) {
        return 0;
    }
    const double whole = std::trunc(x);
    if (std::fabs(x - whole) > 0.999999999999) {
        x = whole + (x > 0 ? 1.0 : -1.0);
    }
    const double floored = std::floor(x);
    if (floored <= static_cast<double>(std::numeric_limits<std::int32_t>::min())) {
        return std::numeric_limits<std::int32_t>::min();
    }
    if (floored >= static_cast<double>(std::numeric_limits<std::int32_t>::max())) {
        return std::numeric_limits<std::int32_t>::max();
    }
    return static_cast<std::int32_t>(floored);
}

} // namespace kelvane
