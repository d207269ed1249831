#include "instruments/framework/iTypes.h"

#include <QMetaEnum>
#include <gtest/gtest.h>

TEST(iTypes, EnumerationsAreReadableByNameInTheirStoredOrder) {
    const QMetaEnum fill = QMetaEnum::fromType<TiFillDirection>();
    EXPECT_EQ(fill.keyCount(), 12);
    EXPECT_STREQ(fill.valueToKey(11), "ifdCircleIn");
    EXPECT_EQ(QMetaEnum::fromType<TiRepaintType>().keyToValue("irtNone"), 2);
}

TEST(iTypes, TextFlagsSetBitNForTheFlagOfOrdinalN) {
    const TiTextFlags flags{itfHLeft, itfModifyString};
    EXPECT_EQ(flags.Bits(), 0x8001);
    EXPECT_TRUE((flags - TiTextFlags{itfHLeft}).Contains(itfModifyString));
    EXPECT_FALSE((flags - TiTextFlags{itfHLeft}).Contains(itfHLeft));
}
