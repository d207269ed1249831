// A position component with a scale of major and minor ticks and labels, kept in a scale
// object, and the automatic choice of a range and tick count that suit the values.
#pragma once

#include "instruments/framework/iPositionComponent.h"
#include "instruments/framework/iPositionSteps.h"
#include "instruments/framework/iScaleObject.h"

#include <memory>

class TiScaleComponent : public TiPositionComponent {
    Q_OBJECT
    Q_PROPERTY(bool AutoScaleEnabled READ AutoScaleEnabled WRITE SetAutoScaleEnabled)
    Q_PROPERTY(int AutoScaleDesiredTicks READ AutoScaleDesiredTicks WRITE SetAutoScaleDesiredTicks)
    Q_PROPERTY(int AutoScaleMaxTicks READ AutoScaleMaxTicks WRITE SetAutoScaleMaxTicks)
    Q_PROPERTY(iTypes::TiAutoScaleStyle AutoScaleStyle READ AutoScaleStyle WRITE SetAutoScaleStyle)
    Q_PROPERTY(bool ShowTicksMajor READ ShowTicksMajor WRITE SetShowTicksMajor)
    Q_PROPERTY(bool ShowTicksMinor READ ShowTicksMinor WRITE SetShowTicksMinor)
    Q_PROPERTY(bool ShowTickLabels READ ShowTickLabels WRITE SetShowTickLabels)
    Q_PROPERTY(
        bool ShowTicksMajorFirstLast READ ShowTicksMajorFirstLast WRITE SetShowTicksMajorFirstLast)
    Q_PROPERTY(int TickMajorCount READ TickMajorCount WRITE SetTickMajorCount)
    Q_PROPERTY(TColor TickMajorColor READ TickMajorColor WRITE SetTickMajorColor)
    Q_PROPERTY(int TickMajorLength READ TickMajorLength WRITE SetTickMajorLength)
    Q_PROPERTY(iTypes::TiBevelStyle TickMajorStyle READ TickMajorStyle WRITE SetTickMajorStyle)
    Q_PROPERTY(iTypes::TiTickMinorAlignment TickMinorAlignment READ TickMinorAlignment WRITE
                   SetTickMinorAlignment)
    Q_PROPERTY(int TickMinorCount READ TickMinorCount WRITE SetTickMinorCount)
    Q_PROPERTY(TColor TickMinorColor READ TickMinorColor WRITE SetTickMinorColor)
    Q_PROPERTY(int TickMinorLength READ TickMinorLength WRITE SetTickMinorLength)
    Q_PROPERTY(iTypes::TiBevelStyle TickMinorStyle READ TickMinorStyle WRITE SetTickMinorStyle)
    Q_PROPERTY(int TickMargin READ TickMargin WRITE SetTickMargin)
    Q_PROPERTY(int TickLabelMargin READ TickLabelMargin WRITE SetTickLabelMargin)
    Q_PROPERTY(TFont* TickLabelFont READ TickLabelFont WRITE SetTickLabelFont)
    Q_PROPERTY(int TickLabelPrecision READ TickLabelPrecision WRITE SetTickLabelPrecision)
    Q_PROPERTY(iTypes::TiPrecisionStyle PrecisionStyle READ PrecisionStyle WRITE SetPrecisionStyle)

public:
    explicit TiScaleComponent(QWidget* parent = nullptr);
    ~TiScaleComponent() override;

    bool AutoScaleEnabled() const { return scale_->AutoScaleEnabled(); }
    void SetAutoScaleEnabled(bool Value);
    // Values below 2 are ignored.
    int AutoScaleDesiredTicks() const { return scale_->AutoScaleDesiredTicks(); }
    void SetAutoScaleDesiredTicks(int Value);
    // Values below 2 are ignored.
    int AutoScaleMaxTicks() const { return scale_->AutoScaleMaxTicks(); }
    void SetAutoScaleMaxTicks(int Value);
    TiAutoScaleStyle AutoScaleStyle() const { return scale_->AutoScaleStyle(); }
    void SetAutoScaleStyle(TiAutoScaleStyle Value);
    bool ShowTicksMajor() const { return scale_->ShowTicksMajor(); }
    void SetShowTicksMajor(bool Value) { scale_->SetShowTicksMajor(Value); }
    bool ShowTicksMinor() const { return scale_->ShowTicksMinor(); }
    void SetShowTicksMinor(bool Value) { scale_->SetShowTicksMinor(Value); }
    bool ShowTickLabels() const { return scale_->ShowTickLabels(); }
    void SetShowTickLabels(bool Value) { scale_->SetShowTickLabels(Value); }
    bool ShowTicksMajorFirstLast() const { return scale_->ShowTicksMajorFirstLast(); }
    void SetShowTicksMajorFirstLast(bool Value) { scale_->SetShowTicksMajorFirstLast(Value); }
    int TickMajorCount() const { return scale_->TickMajorCount(); }
    void SetTickMajorCount(int Value) { scale_->SetTickMajorCount(Value); }
    TColor TickMajorColor() const { return scale_->TickMajorColor(); }
    void SetTickMajorColor(TColor Value) { scale_->SetTickMajorColor(Value); }
    int TickMajorLength() const { return scale_->TickMajorLength(); }
    void SetTickMajorLength(int Value) { scale_->SetTickMajorLength(Value); }
    TiBevelStyle TickMajorStyle() const { return scale_->TickMajorStyle(); }
    void SetTickMajorStyle(TiBevelStyle Value) { scale_->SetTickMajorStyle(Value); }
    TiTickMinorAlignment TickMinorAlignment() const { return scale_->TickMinorAlignment(); }
    void SetTickMinorAlignment(TiTickMinorAlignment Value) { scale_->SetTickMinorAlignment(Value); }
    int TickMinorCount() const { return scale_->TickMinorCount(); }
    void SetTickMinorCount(int Value) { scale_->SetTickMinorCount(Value); }
    TColor TickMinorColor() const { return scale_->TickMinorColor(); }
    void SetTickMinorColor(TColor Value) { scale_->SetTickMinorColor(Value); }
    int TickMinorLength() const { return scale_->TickMinorLength(); }
    void SetTickMinorLength(int Value) { scale_->SetTickMinorLength(Value); }
    TiBevelStyle TickMinorStyle() const { return scale_->TickMinorStyle(); }
    void SetTickMinorStyle(TiBevelStyle Value) { scale_->SetTickMinorStyle(Value); }
    int TickMargin() const { return scale_->TickMargin(); }
    void SetTickMargin(int Value) { scale_->SetTickMargin(Value); }
    int TickLabelMargin() const { return scale_->TickLabelMargin(); }
    void SetTickLabelMargin(int Value) { scale_->SetTickLabelMargin(Value); }
    TFont* TickLabelFont() const { return scale_->TickLabelFont(); }
    void SetTickLabelFont(const TFont* Value) { scale_->SetTickLabelFont(Value); }
    int TickLabelPrecision() const { return scale_->TickLabelPrecision(); }
    void SetTickLabelPrecision(int Value) { scale_->SetTickLabelPrecision(Value); }
    TiPrecisionStyle PrecisionStyle() const { return scale_->PrecisionStyle(); }
    void SetPrecisionStyle(TiPrecisionStyle Value) { scale_->SetPrecisionStyle(Value); }

    // The tick range found by the last fixed auto-scale.
    double FixedTickStart() const { return scale_->FixedTickStart(); }
    double FixedTickStop() const { return scale_->FixedTickStop(); }
    // The fixed auto-scale's tick range is in force.
    bool FixedTicksActive() const { return scale_->FixedTicksActive(); }

    void SetPositionMax(double Value) override;
    void SetPositionMin(double Value) override;
    // Fits the range and the tick count to Min..Max; nothing unless auto-scale is on and
    // the control is not loading.
    void DoAutoScale(double Min, double Max);
    // Decimals of the tick labels for the current range.
    int GetDecimalPoints() const;
    // The ticks of the current range, customised labels included: what the scale draws and
    // what auto-size measures.
    TiScaleTicks Ticks() const;

    void Loaded() override;

    // The step settings of the controls that set their position by keys and wheel (the knob
    // and the slider publish them); the "_2" twins are stored again and read back without a
    // repaint.
    double KeyArrowStepSize() const { return keyArrowStepSize_; }
    void SetKeyArrowStepSize(double Value);
    double KeyPageStepSize() const { return keyPageStepSize_; }
    void SetKeyPageStepSize(double Value);
    double MouseWheelStepSize() const { return mouseWheelStepSize_; }
    void SetMouseWheelStepSize(double Value);
    double KeyArrowStepSize_2() const { return keyArrowStepSize_; }
    void SetKeyArrowStepSize_2(double Value) { keyArrowStepSize_ = Value; }
    double KeyPageStepSize_2() const { return keyPageStepSize_; }
    void SetKeyPageStepSize_2(double Value) { keyPageStepSize_ = Value; }

    // May replace the text of the tick label of major index Index.
    TOnCustomizeTickLabel OnCustomizeTickLabel;

protected:
    TiScaleObject& ScaleObject() const { return *scale_; }

    // The input handling the knob and the slider share: arrow, page, home and end keys step
    // the position while UsesKeyboard allows; a key or button released, or the focus lost,
    // ends the change; the wheel steps at most every 30 ms; a finished change goes to the
    // live-data binding as "Position".
    void iMouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void iKeyDown(uint16_t& Key, TShiftState Shift) override;
    void iKeyUp(uint16_t& Key, TShiftState Shift) override;
    void iWantSpecialKey(uint16_t& Key, bool& Result) override;
    void iDoKillFocus() override;
    bool DoMouseWheel(TShiftState Shift, int WheelDelta, TPoint MousePos) override;
    void DoOPCPositionChangeFinished() override;
    virtual bool UsesKeyboard() const { return true; }
    // A mouse drag of the position is under way: it lights the indicator and its end
    // finishes the change.
    bool MouseDragging() const { return mouseDragging_; }
    void StartMouseDrag() { mouseDragging_ = true; }

    // A control's own step sizes at construction, without a repaint.
    void InitStepSizes(double Arrow, double Page, double Wheel);
    // A key is held down that steps the position.
    bool KeyHeld() const { return keyHeld_; }

private:
    // A key press steps the position as the user; a handled Key becomes 0.
    void StepByKey(uint16_t& Key);
    // The key is up again: the change it made is finished.
    void FinishKeyStep();
    // At most one step per 30 ms, whatever the wheel's speed.
    void StepByWheel(int WheelDelta);

    std::unique_ptr<TiScaleObject> scale_;
    double keyArrowStepSize_ = 1;
    double keyPageStepSize_ = 10;
    double mouseWheelStepSize_ = 1;
    bool keyHeld_ = false;
    bool mouseDragging_ = false;
    TiWheelStepLimit wheelLimit_;
};
