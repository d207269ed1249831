#include "designer/iDesignerPlugin.h"

#include "designer/iDesignerWidget.h"
#include "instruments/controls/iCheckBox.h"
#include "instruments/controls/iKnob.h"
#include "instruments/controls/iLabel.h"
#include "instruments/controls/iModeComboBox.h"
#include "instruments/controls/iPhonePad.h"
#include "instruments/controls/iRadioGroup.h"
#include "instruments/controls/iSevenSegmentAnalog.h"
#include "instruments/controls/iSevenSegmentBinary.h"
#include "instruments/controls/iSevenSegmentCharacter.h"
#include "instruments/controls/iSevenSegmentInteger.h"
#include "instruments/controls/iSlider.h"
#include "instruments/controls/iSwitchLever.h"
#include "instruments/controls/iSwitchQuad.h"
#include "plot/iPlot.h"
#include "plot/iXYPlot.h"

TiDesignerPlugin::TiDesignerPlugin(QObject* parent) : QObject(parent) {
    Add<TiKnob>(tr("Rotary knob with a scale"));
    Add<TiSlider>(tr("Slider with a scale"));
    Add<TiSwitchLever>(tr("Two-position lever switch"));
    Add<TiSwitchQuad>(tr("Four-arrow switch stepping X and Y"));
    Add<TiPhonePad>(tr("Telephone keypad"));
    Add<TiCheckBox>(tr("Check box"));
    Add<TiRadioGroup>(tr("Group of radio buttons"));
    Add<TiModeComboBox>(tr("Drop-down list of modes"));
    Add<TiSevenSegmentCharacter>(tr("One seven-segment character"));
    Add<TiSevenSegmentInteger>(tr("Seven-segment integer display"));
    Add<TiSevenSegmentBinary>(tr("Seven-segment binary, octal or hexadecimal display"));
    Add<TiSevenSegmentAnalog>(tr("Seven-segment display of a real value"));
    Add<TiLabel>(tr("Caption with border and shadow"));
    Add<TiPlot>(tr("Strip chart of channels against time"), QStringLiteral("plot"));
    Add<TiXYPlot>(tr("Plot of X-Y points: scatter, Lissajous, constellation"),
                  QStringLiteral("plot"));
}

template <class Control> void TiDesignerPlugin::Add(const QString& ToolTip, const QString& Folder) {
    widgets_.append(new TiDesignerWidget(
        QString::fromLatin1(Control::staticMetaObject.className()), Folder, ToolTip,
        [](QWidget* parent) -> QWidget* { return new Control(parent); }, this));
}
