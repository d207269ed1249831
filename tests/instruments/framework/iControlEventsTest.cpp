#include "instruments/framework/iControlEvents.h"

#include <gtest/gtest.h>

TEST(iControlEvents, QtKeysBecomeTheVirtualKeysInstrumentsCompareWith) {
    EXPECT_EQ(VirtualKeyFromQt(Qt::Key_Left, Qt::NoModifier), 37);
    EXPECT_EQ(VirtualKeyFromQt(Qt::Key_Down, Qt::KeypadModifier), 40);
    EXPECT_EQ(VirtualKeyFromQt(Qt::Key_7, Qt::NoModifier), '7');
    EXPECT_EQ(VirtualKeyFromQt(Qt::Key_7, Qt::KeypadModifier), VK_NUMPAD0 + 7);
    EXPECT_EQ(VirtualKeyFromQt(Qt::Key_Minus, Qt::KeypadModifier), VK_SUBTRACT);
    EXPECT_EQ(VirtualKeyFromQt(Qt::Key_Q, Qt::ShiftModifier), 'Q');
    EXPECT_EQ(VirtualKeyFromQt(Qt::Key_F12, Qt::NoModifier), VK_F1 + 11);
    EXPECT_EQ(VirtualKeyFromQt(Qt::Key_Backtab, Qt::ShiftModifier), VK_TAB);
    EXPECT_EQ(VirtualKeyFromQt(Qt::Key_VolumeUp, Qt::NoModifier), 0);
}

TEST(iControlEvents, ShiftStateCarriesModifiersAndHeldButtons) {
    const TShiftState shift = ShiftStateFromQt(Qt::ShiftModifier | Qt::ControlModifier,
                                               Qt::LeftButton | Qt::MiddleButton);
    EXPECT_EQ(shift, ssShift | ssCtrl | ssLeft | ssMiddle);
    EXPECT_FALSE(MouseButtonFromQt(Qt::BackButton).has_value());
    EXPECT_EQ(MouseButtonFromQt(Qt::RightButton), mbRight);
}
