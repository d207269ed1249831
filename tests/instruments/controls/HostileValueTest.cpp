// Every control of the library through the hostile-value test.
#include "HostileValues.h"
#include "instruments/controls/iButton.h"
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
#include "instruments/framework/iScaleComponent.h"
#include "platform/RecordingCanvas.h"

namespace {

// The position and scale components are bases; these draw what the bases hold.
class PositionInstrument : public TiPositionComponent {
public:
    using TiPositionComponent::TiPositionComponent;

protected:
    void iPaintTo(TCanvas& Canvas) override { DrawBackGround(Canvas, BackGroundColor()); }
};

class ScaleInstrument : public TiScaleComponent {
public:
    using TiScaleComponent::TiScaleComponent;

protected:
    void iPaintTo(TCanvas& Canvas) override {
        PaintStaticLayer(Canvas, [this](TCanvas& layer) {
            DrawBackGround(layer, BackGroundColor());
            ScaleObject().Draw(layer);
        });
    }
};

// Besides the widget's own route, the uncached painting that exports and printing use, on a
// canvas that records instead of drawing.
void ExerciseControl(QObject& object) {
    TRecordingCanvas canvas({4000, 300});
    static_cast<TiVCLComponent&>(object).iPaintToDC(0, 0, false, canvas);
}

template <typename T> THostileCase Control(const QString& name) {
    return HostileCase<T>(name, ExerciseControl);
}

} // namespace

INSTANTIATE_TEST_SUITE_P(
    Controls, HostileValueTest,
    testing::Values(Control<TiKnob>("TiKnob"), Control<TiSlider>("TiSlider"),
                    Control<TiLabel>("TiLabel"), Control<TiSwitchLever>("TiSwitchLever"),
                    Control<TiPhonePad>("TiPhonePad"),
                    Control<TiSevenSegmentCharacter>("TiSevenSegmentCharacter"),
                    Control<TiSevenSegmentInteger>("TiSevenSegmentInteger"),
                    Control<TiSevenSegmentBinary>("TiSevenSegmentBinary"),
                    Control<TiSevenSegmentAnalog>("TiSevenSegmentAnalog"),
                    Control<PositionInstrument>("TiPositionComponent"),
                    Control<ScaleInstrument>("TiScaleComponent"),
                    Control<TiSwitchQuad>("TiSwitchQuad"), Control<TiCheckBox>("TiCheckBox"),
                    Control<TiRadioGroup>("TiRadioGroup"),
                    Control<TiModeComboBox>("TiModeComboBox"), HostileCase<TiButton>("TiButton")),
    HostileCaseName);
