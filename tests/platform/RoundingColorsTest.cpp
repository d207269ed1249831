#include "platform/Colors.h"
#include "platform/Rounding.h"

#include <gtest/gtest.h>
#include <cmath>
#include <limits>

TEST(Rounding, RoundsHalvesToEven) {
    EXPECT_EQ(Round(2.5), 2);
    EXPECT_EQ(Round(3.5), 4);
    EXPECT_EQ(Round(-2.5), -2);
    EXPECT_EQ(Round(-3.5), -4);
    EXPECT_EQ(Round(2.4999), 2);
    EXPECT_EQ(Trunc(-2.9), -2);
    EXPECT_EQ(Trunc(2.9), 2);
}

TEST(Rounding, ClampsInsteadOfUndefinedConversion) {
    constexpr double inf = std::numeric_limits<double>::infinity();
    EXPECT_EQ(Round(inf), std::numeric_limits<int>::max());
    EXPECT_EQ(Round(-inf), std::numeric_limits<int>::min());
    EXPECT_EQ(Trunc(std::nan("")), 0);
    EXPECT_EQ(Trunc(1e300), std::numeric_limits<int>::max());
    EXPECT_EQ(Round64(1e300), std::numeric_limits<int64_t>::max());
    EXPECT_EQ(Trunc64(-1e300), std::numeric_limits<int64_t>::min());
    EXPECT_EQ(Trunc(2147483647.9), 2147483647);
}

TEST(Colors, SystemColorsResolveThroughTheTable) {
    EXPECT_EQ(ColorToRGB(clRed), 0x0000FF);
    EXPECT_EQ(ColorToRGB(clBtnFace), 0xF0F0F0);
    const TColor previous = SetSystemColorRGB(15, 0x123456);
    EXPECT_EQ(ColorToRGB(clBtnFace), 0x123456);
    SetSystemColorRGB(15, previous);
    EXPECT_EQ(ToQColor(clBlue), QColor(0, 0, 255));
    EXPECT_EQ(FromQColor(QColor(1, 2, 3)), 0x030201);
}

TEST(Colors, OffsetsSaturatePerChannel) {
    // Where nothing overflows, the result equals the packed arithmetic.
    EXPECT_EQ(OffsetColor(0xC0C0C0, 0x505050, true), 0xC0C0C0 - 0x505050);
    EXPECT_EQ(OffsetColor(0x102030, 0x050505), 0x102030 + 0x050505);
    // A borrow or carry never crosses into the neighbouring channel.
    EXPECT_EQ(OffsetColor(0x40A040, 0x505050, true), 0x005000);
    EXPECT_EQ(OffsetColor(0xF0F0F0, 0x202020), 0xFFFFFF);
}
