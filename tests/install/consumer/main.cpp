// Uses a few controls of the installed library; prints what it read back.
#include "instruments/controls/iKnob.h"
#include "instruments/controls/iModeComboBox.h"

#include <QApplication>
#include <cstdio>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    TiModeComboBox modes;
    modes.AddItem(QStringLiteral("Off"), 0);
    modes.AddItem(QStringLiteral("Manual"), 5);
    modes.SetValue(5);
    TiKnob knob;
    const bool drawn = !knob.grab().isNull();
    std::printf("ItemIndex %d drawn %d\n", modes.ItemIndex(), drawn ? 1 : 0);
    return modes.ItemIndex() == 1 && drawn ? 0 : 1;
}
