#include "base/Numbers.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace kelvane {
namespace {

TEST(Remainder, KeepsTheSignOfX) {
    EXPECT_EQ(Remainder(7, 2), 1);
    EXPECT_EQ(Remainder(-7, 2), -1);
    EXPECT_EQ(Remainder(6, 2), 0);
    EXPECT_EQ(Remainder(7.5, 2), 1.5);
    EXPECT_EQ(Remainder(-0.5, 2), -0.5);
    EXPECT_EQ(Remainder(2147483647.0, 2), 1);
}

TEST(FloorToInt, FloorsAndRoundsAwayAlmostWholeValues) {
    const struct {
        double x;
        std::int32_t expected;
    } cases[] = {
        {2.5, 2},
        {-2.5, -3},
        {3.0, 3},
        {-3.0, -3},
        {0.0, 0},
        {2.9999999999995, 3}, // fractional part above 0.999999999999
        {-2.9999999999995, -3},
        {2.9999999999, 2}, // not close enough
        {-2.9999999999, -3},
        {0.9999999999995, 1},
        {-0.9999999999995, -1},
        {2147483647.0, 2147483647},
        {-2147483648.0, -2147483647 - 1},
        {1e12, std::numeric_limits<std::int32_t>::max()},
        {-1e12, std::numeric_limits<std::int32_t>::min()},
        {std::nan(""), 0},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(FloorToInt(c.x), c.expected) << c.x;
    }
}

TEST(BitOr, CombinesAllOperands) {
    static_assert(BitOr(0x10, 0x40) == 0x50);
    static_assert(BitOr(0x10, 0x40, 0x4000) == 0x4050);
    static_assert(BitOr(-1, 0) == -1);
    EXPECT_EQ(BitOr(1, 2, 4, 8, 16), 31);
}

} // namespace
} // namespace kelvane
