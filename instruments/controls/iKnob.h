// A rotary control: a shaded knob inside a circular scale of ticks and labels, with an
// indicator mark showing the position and an optional read-out in the knob's centre.
#pragma once

#include "instruments/framework/iScaleComponent.h"
#include "platform/Clock.h"
#include "platform/Font.h"

#include <memory>

class TiKnob : public TiScaleComponent {
    Q_OBJECT
    Q_PROPERTY(int KnobRadius READ KnobRadius WRITE SetKnobRadius)
    Q_PROPERTY(int KnobEdgeWidth READ KnobEdgeWidth WRITE SetKnobEdgeWidth)
    Q_PROPERTY(TiKnobStyle KnobStyle READ KnobStyle WRITE SetKnobStyle)
    Q_PROPERTY(int RotationStartDegrees READ RotationStartDegrees WRITE SetRotationStartDegrees)
    Q_PROPERTY(int RotationMaxDegrees READ RotationMaxDegrees WRITE SetRotationMaxDegrees)
    Q_PROPERTY(TiKnobIndicatorStyle IndicatorStyle READ IndicatorStyle WRITE SetIndicatorStyle)
    Q_PROPERTY(int IndicatorSize READ IndicatorSize WRITE SetIndicatorSize)
    Q_PROPERTY(int IndicatorMargin READ IndicatorMargin WRITE SetIndicatorMargin)
    Q_PROPERTY(TColor IndicatorActiveColor READ IndicatorActiveColor WRITE SetIndicatorActiveColor)
    Q_PROPERTY(
        TColor IndicatorInactiveColor READ IndicatorInactiveColor WRITE SetIndicatorInactiveColor)
    Q_PROPERTY(bool ShowPostionDisplay READ ShowPostionDisplay WRITE SetShowPostionDisplay)
    Q_PROPERTY(TFont* PositionDisplayFont READ PositionDisplayFont WRITE SetPositionDisplayFont)
    Q_PROPERTY(int PositionDisplayPrecision READ PositionDisplayPrecision WRITE
                   SetPositionDisplayPrecision)
    Q_PROPERTY(QString PositionDisplayUnits READ PositionDisplayUnits WRITE SetPositionDisplayUnits)
    Q_PROPERTY(double KeyArrowStepSize READ KeyArrowStepSize WRITE SetKeyArrowStepSize)
    Q_PROPERTY(double KeyPageStepSize READ KeyPageStepSize WRITE SetKeyPageStepSize)
    Q_PROPERTY(double MouseWheelStepSize READ MouseWheelStepSize WRITE SetMouseWheelStepSize)
    Q_PROPERTY(bool AutoSize READ AutoSize WRITE SetAutoSize)
    Q_PROPERTY(int OuterMargin READ OuterMargin WRITE SetOuterMargin)
    Q_PROPERTY(bool ShowFocusRect READ ShowFocusRect WRITE SetShowFocusRect)
    Q_PROPERTY(bool UseKeyboard READ UseKeyboard WRITE SetUseKeyboard)
    Q_PROPERTY(TColor BackGroundColor READ BackGroundColor WRITE SetBackGroundColor)
    Q_PROPERTY(iTypes::TiBevelStyle BorderStyle READ BorderStyle WRITE SetBorderStyle)
    Q_PROPERTY(bool Transparent READ Transparent WRITE SetTransparent)
    Q_PROPERTY(bool CachedDrawing READ CachedDrawing WRITE SetCachedDrawing)
    Q_PROPERTY(int OffsetX READ OffsetX WRITE SetOffsetX)
    Q_PROPERTY(int OffsetY READ OffsetY WRITE SetOffsetY)
    Q_PROPERTY(int Width READ Width WRITE SetWidth)
    Q_PROPERTY(int Height READ Height WRITE SetHeight)
    Q_PROPERTY(bool TabStop READ TabStop WRITE SetTabStop)
    // The step sizes once more, always stored, read back without a repaint.
    Q_PROPERTY(double KeyArrowStepSize_2 READ KeyArrowStepSize_2 WRITE SetKeyArrowStepSize_2
                   DESIGNABLE false)
    Q_PROPERTY(
        double KeyPageStepSize_2 READ KeyPageStepSize_2 WRITE SetKeyPageStepSize_2 DESIGNABLE false)

public:
    enum TiKnobStyle { iksRaisedEdge, iksRaised, iksSunken, iksSunkenEdge };
    Q_ENUM(TiKnobStyle)
    enum TiKnobIndicatorStyle {
        ikisDotLowered,
        ikisDotRaised,
        ikisDot,
        ikisLineCenter,
        ikisLineCustom,
        ikisTriangle
    };
    Q_ENUM(TiKnobIndicatorStyle)

    // The dial for the current size: where the knob stands and the radii its scale is drawn
    // at, read by painting and by the mouse alike.
    struct TiKnobGeometry {
        TPoint Center;
        int Radius = 0;
        double MajorInner = 0;
        double MajorOuter = 0;
        // Minor ticks are drawn from the second radius to the first.
        double MinorFirst = 0;
        double MinorSecond = 0;
        double LabelRadius = 0;
    };

    explicit TiKnob(QWidget* parent = nullptr);
    ~TiKnob() override;

    int KnobRadius() const { return knobRadius_; }
    void SetKnobRadius(int Value);
    int KnobEdgeWidth() const { return knobEdgeWidth_; }
    void SetKnobEdgeWidth(int Value);
    TiKnobStyle KnobStyle() const { return knobStyle_; }
    void SetKnobStyle(TiKnobStyle Value);
    int RotationStartDegrees() const { return rotationStartDegrees_; }
    void SetRotationStartDegrees(int Value);
    int RotationMaxDegrees() const { return rotationMaxDegrees_; }
    void SetRotationMaxDegrees(int Value);
    TiKnobIndicatorStyle IndicatorStyle() const { return indicatorStyle_; }
    void SetIndicatorStyle(TiKnobIndicatorStyle Value);
    // Values of 0 and below are stored as 1. Every pixel setting is kept within
    // 0..MaxPixelExtent.
    int IndicatorSize() const { return indicatorSize_; }
    void SetIndicatorSize(int Value);
    int IndicatorMargin() const { return indicatorMargin_; }
    void SetIndicatorMargin(int Value);
    TColor IndicatorActiveColor() const { return indicatorActiveColor_; }
    void SetIndicatorActiveColor(TColor Value);
    TColor IndicatorInactiveColor() const { return indicatorInactiveColor_; }
    void SetIndicatorInactiveColor(TColor Value);
    bool ShowPostionDisplay() const { return showPostionDisplay_; }
    void SetShowPostionDisplay(bool Value);
    TFont* PositionDisplayFont() const { return positionDisplayFont_.get(); }
    void SetPositionDisplayFont(const TFont* Value);
    // Negative values are stored as 0.
    int PositionDisplayPrecision() const { return positionDisplayPrecision_; }
    void SetPositionDisplayPrecision(int Value);
    // A text of blanks only is stored as empty.
    QString PositionDisplayUnits() const { return positionDisplayUnits_; }
    void SetPositionDisplayUnits(const QString& Value);
    // The knob's radius is then measured at each rebuild of the background, and KnobRadius,
    // the setting, is left as it is.
    bool AutoSize() const { return autoSize_; }
    void SetAutoSize(bool Value);
    int OuterMargin() const { return outerMargin_; }
    void SetOuterMargin(int Value);
    bool UseKeyboard() const { return useKeyboard_; }
    void SetUseKeyboard(bool Value);
    int Width() const { return width(); }
    void SetWidth(int Value) { resize(Value, height()); }
    int Height() const { return height(); }
    void SetHeight(int Value) { resize(width(), Value); }

    // The screen angle of a value, degrees counter-clockwise from 3 o'clock.
    double PositionToDegrees(double Value) const;
    // The rotation of the position away from the start, 0..RotationMaxDegrees.
    double GetPositionDegrees() const;
    // Sets the position at a rotation from the start, clamped and with the position events.
    void SetPositionDegrees(double Rotation);

    // Around the centre of the current size, so a press before the first paint already hits
    // the disc where it will be drawn.
    TiKnobGeometry Geometry() const;

protected:
    void iPaintTo(TCanvas& Canvas) override;
    void iMouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void iMouseMove(TShiftState Shift, int X, int Y) override;
    bool UsesKeyboard() const override;

private:
    void DrawStatic(TCanvas& Canvas);
    int AutoSizeRadius(TCanvas& Canvas, const TiScaleTicks& Ticks) const;
    void DrawBody(TCanvas& Canvas, const TiKnobGeometry& Dial);
    void DrawScale(TCanvas& Canvas, const TiKnobGeometry& Dial, const TiScaleTicks& Ticks);
    void DrawRadialLine(TCanvas& Canvas, const TiKnobGeometry& Dial, double Degrees, double From,
                        double To) const;
    void DrawIndicator(TCanvas& Canvas, const TiKnobGeometry& Dial);
    void DrawIndicatorDot(TCanvas& Canvas, const TiKnobGeometry& Dial, double Degrees);
    void DrawIndicatorTriangle(TCanvas& Canvas, const TiKnobGeometry& Dial, double Degrees);
    void DrawPositionDisplay(TCanvas& Canvas, const TiKnobGeometry& Dial);
    double MouseAngle(int X, int Y) const;

    int knobRadius_ = 35;
    int knobEdgeWidth_ = 3;
    TiKnobStyle knobStyle_ = iksRaised;
    int rotationStartDegrees_ = 225;
    int rotationMaxDegrees_ = 270;
    TiKnobIndicatorStyle indicatorStyle_ = ikisDotLowered;
    int indicatorSize_ = 4;
    int indicatorMargin_ = 5;
    TColor indicatorActiveColor_ = clAqua;
    TColor indicatorInactiveColor_ = clRed;
    bool showPostionDisplay_ = false;
    std::unique_ptr<TFont> positionDisplayFont_;
    int positionDisplayPrecision_ = 1;
    QString positionDisplayUnits_;
    bool autoSize_ = true;
    // The radius the last auto-size measured.
    int autoSizeRadius_ = 35;
    int outerMargin_ = 2;
    bool useKeyboard_ = true;

    double lastMouseAngle_ = 0;
};
