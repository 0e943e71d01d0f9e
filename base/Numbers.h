// Number primitives.
#pragma once

#include <cstdint>

namespace kelvane {

// x - y * trunc(x / y), with the sign of x.
double Remainder(double x, double y);

// The largest integer not above x. A value whose fractional part exceeds 0.999999999999 in
// magnitude first counts as the next whole number away from zero. Values beyond the 32-bit range
// give the nearest end of it, and NaN gives 0.
std::int32_t FloorToInt(double x);

template <typename... More>
constexpr std::int32_t BitOr(std::int32_t first, std::int32_t second, More... more) {
    return (first | second) | (0 | ... | static_cast<std::int32_t>(more));
}

} // namespace kelvane
