// Uses a few controls of the installed library; prints what it read back.
#include "instruments/controls/iKnob.h"
#include "instruments/controls/iModeComboBox.h"
#include "opcua/UaDataAccess.h"
#include "plot/channels/iPlotChannel.h"
#include "plot/iPlot.h"

#include <QApplication>
#include <cstdio>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    TiModeComboBox modes;
    modes.AddItem(QStringLiteral("Off"), 0);
    modes.AddItem(QStringLiteral("Manual"), 5);
    modes.SetValue(5);
    TiKnob knob;
    TiPlot plot;
    plot.GetChannel(0)->AddXY(1, 2);
    const bool drawn = !knob.grab().isNull() && !plot.grab().isNull();
    InstallUaDataAccess();
    const bool live = dynamic_cast<UaDataAccess*>(&DataAccess()) != nullptr;
    std::printf("ItemIndex %d drawn %d points %d live data %d\n", modes.ItemIndex(), drawn ? 1 : 0,
                plot.GetChannel(0)->GetCount(), live ? 1 : 0);
    return modes.ItemIndex() == 1 && drawn && plot.GetChannel(0)->GetCount() == 1 && live ? 0 : 1;
}
