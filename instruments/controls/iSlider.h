// A linear control: a track with a movable pointer and a straight scale of ticks and labels
// beside it, vertical or horizontal, moved by mouse, keys and wheel.
#pragma once

#include "instruments/framework/iScaleComponent.h"
#include "platform/Bitmap.h"

class TiSlider : public TiScaleComponent {
    Q_OBJECT
    Q_PROPERTY(iTypes::TiOrientation Orientation READ Orientation WRITE SetOrientation)
    Q_PROPERTY(iTypes::TiOrientationSide OrientationTickMarks READ OrientationTickMarks WRITE
                   SetOrientationTickMarks)
    Q_PROPERTY(TiSliderTrackStyle TrackStyle READ TrackStyle WRITE SetTrackStyle)
    Q_PROPERTY(TColor TrackColor READ TrackColor WRITE SetTrackColor)
    Q_PROPERTY(TiSliderPointerStyle PointerStyle READ PointerStyle WRITE SetPointerStyle)
    Q_PROPERTY(int PointerHeight READ PointerHeight WRITE SetPointerHeight)
    Q_PROPERTY(int PointerWidth READ PointerWidth WRITE SetPointerWidth)
    Q_PROPERTY(TColor PointerIndicatorActiveColor READ PointerIndicatorActiveColor WRITE
                   SetPointerIndicatorActiveColor)
    Q_PROPERTY(TColor PointerIndicatorInactiveColor READ PointerIndicatorInactiveColor WRITE
                   SetPointerIndicatorInactiveColor)
    Q_PROPERTY(int EndsMargin READ EndsMargin WRITE SetEndsMargin)
    Q_PROPERTY(bool ReverseScale READ ReverseScale WRITE SetReverseScale)
    Q_PROPERTY(bool AutoCenter READ AutoCenter WRITE SetAutoCenter)
    Q_PROPERTY(TiSliderMouseControlStyle MouseControlStyle READ MouseControlStyle WRITE
                   SetMouseControlStyle)
    Q_PROPERTY(double KeyArrowStepSize READ KeyArrowStepSize WRITE SetKeyArrowStepSize)
    Q_PROPERTY(double KeyPageStepSize READ KeyPageStepSize WRITE SetKeyPageStepSize)
    Q_PROPERTY(double MouseWheelStepSize READ MouseWheelStepSize WRITE SetMouseWheelStepSize)
    Q_PROPERTY(bool ShowFocusRect READ ShowFocusRect WRITE SetShowFocusRect)
    Q_PROPERTY(TColor BackGroundColor READ BackGroundColor WRITE SetBackGroundColor)
    Q_PROPERTY(iTypes::TiBevelStyle BorderStyle READ BorderStyle WRITE SetBorderStyle)
    Q_PROPERTY(TBitmap* BackGroundPicture READ BackGroundPicture WRITE SetBackGroundPicture)
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
    enum TiSliderTrackStyle { istsBox, istsLine, istsBevelLowered, istsBevelRasied };
    Q_ENUM(TiSliderTrackStyle)
    enum TiSliderPointerStyle { ispsLed, ispsPointer, ispsBar, ispsLightBar, ispsBarColor };
    Q_ENUM(TiSliderPointerStyle)
    enum TiSliderMouseControlStyle { ismcsSlideOnly, ismcsSlidePage, ismcsGoto };
    Q_ENUM(TiSliderMouseControlStyle)

    // The track and the pointer as drawn, read by painting and by the mouse alike.
    struct TiSliderGeometry {
        TRect Track;
        TRect Pointer;
    };

    explicit TiSlider(QWidget* parent = nullptr);

    TiOrientation Orientation() const { return orientation_; }
    // Outside loading the control turns with it: Width and Height are exchanged.
    void SetOrientation(TiOrientation Value);
    TiOrientationSide OrientationTickMarks() const { return orientationTickMarks_; }
    void SetOrientationTickMarks(TiOrientationSide Value);
    TiSliderTrackStyle TrackStyle() const { return trackStyle_; }
    void SetTrackStyle(TiSliderTrackStyle Value);
    TColor TrackColor() const { return trackColor_; }
    void SetTrackColor(TColor Value);
    TiSliderPointerStyle PointerStyle() const { return pointerStyle_; }
    void SetPointerStyle(TiSliderPointerStyle Value);
    // Pixel settings are kept within 0..MaxPixelExtent. Along the track.
    int PointerHeight() const { return pointerHeight_; }
    void SetPointerHeight(int Value);
    // Across the track.
    int PointerWidth() const { return pointerWidth_; }
    void SetPointerWidth(int Value);
    TColor PointerIndicatorActiveColor() const { return pointerIndicatorActiveColor_; }
    void SetPointerIndicatorActiveColor(TColor Value);
    TColor PointerIndicatorInactiveColor() const { return pointerIndicatorInactiveColor_; }
    void SetPointerIndicatorInactiveColor(TColor Value);
    int EndsMargin() const { return endsMargin_; }
    void SetEndsMargin(int Value);
    bool ReverseScale() const { return reverseScale_; }
    void SetReverseScale(bool Value);
    bool AutoCenter() const { return autoCenter_; }
    void SetAutoCenter(bool Value);
    TiSliderMouseControlStyle MouseControlStyle() const { return mouseControlStyle_; }
    void SetMouseControlStyle(TiSliderMouseControlStyle Value) { mouseControlStyle_ = Value; }
    int Width() const { return width(); }
    void SetWidth(int Value) { resize(Value, height()); }
    int Height() const { return height(); }
    void SetHeight(int Value) { resize(width(), Value); }

    // The pixels the pointer can move along the track; 0 or less leaves it no room.
    int GetTravelRange() const;
    // The value at a pixel along the track (Y of a vertical slider, X of a horizontal one).
    double GetPixelsToPosition(double Pixel) const;
    // Track and pointer before centring and offsets.
    TiSliderGeometry CalcPoints() const;
    // The automatic shift across the track; 0 unless AutoCenter. The label of PositionMax
    // is measured in TickLabelFont on Canvas.
    int CalcAutoCenterOffsets(TCanvas& Canvas, const TiSliderGeometry& Shape) const;
    // As painted: centred and offset across the track.
    TiSliderGeometry Geometry(TCanvas& Canvas) const;

protected:
    void iPaintTo(TCanvas& Canvas) override;
    void iMouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void iMouseMove(TShiftState Shift, int X, int Y) override;

private:
    // How a slider-page press relates to the pointer.
    enum class TiPagePress { Beside, TowardMin, OnPointer, TowardMax };

    // Pixels the pointer keeps inside the track's ends and sides (2 for the LED only).
    int PointerInset() const;
    // Pixels the pointer reaches past the track's sides (4 for all but the LED).
    int PointerOverhang() const;
    // Pixels kept clear before the track for the overhang (5 for all but the LED).
    int TickClearance() const;
    bool IsVertical() const { return orientation_ == ioVertical; }
    // Where the pointer stands along the track, in pixels from the minimum's end.
    int PointerTravel() const;
    int LabelExtent(TCanvas& Canvas) const;
    TiSliderGeometry Shifted(TiSliderGeometry Shape, int Across) const;
    // The geometry for the mouse, measured on the cached background's canvas.
    TiSliderGeometry MouseGeometry();
    TiPagePress ClassifyPagePress(const TRect& Pointer, int X, int Y) const;
    // Answers whether the press was taken.
    bool PressForStyle(int X, int Y);
    void StartDrag(int X, int Y);
    double DragPosition(int X, int Y) const;

    void DrawStatic(TCanvas& Canvas, const TiSliderGeometry& Shape);
    void DrawBar(TCanvas& Canvas, const TRect& Track) const;
    void DrawAlongLine(TCanvas& Canvas, const TRect& Track, int Across, TColor Color) const;
    void DrawTicks(TCanvas& Canvas, const TRect& Track) const;
    void DrawIndicator(TCanvas& Canvas, const TRect& Pointer) const;
    void DrawLed(TCanvas& Canvas, const TRect& Pointer) const;
    void DrawArrow(TCanvas& Canvas, const TRect& Pointer) const;
    void DrawBarBody(TCanvas& Canvas, const TRect& Pointer, TColor Pen, TColor Brush) const;
    void DrawLightBarLines(TCanvas& Canvas, const TRect& Pointer) const;
    TColor IndicatorColor() const;

    TiOrientation orientation_ = ioVertical;
    TiOrientationSide orientationTickMarks_ = iosBottomRight;
    TiSliderTrackStyle trackStyle_ = istsBox;
    TColor trackColor_ = clWhite;
    TiSliderPointerStyle pointerStyle_ = ispsLed;
    int pointerHeight_ = 10;
    int pointerWidth_ = 15;
    TColor pointerIndicatorActiveColor_ = clRed;
    TColor pointerIndicatorInactiveColor_ = clBlack;
    int endsMargin_ = 5;
    bool reverseScale_ = false;
    bool autoCenter_ = false;
    TiSliderMouseControlStyle mouseControlStyle_ = ismcsSlideOnly;

    TPoint mouseDownPoint_;
    double mouseDownPosition_ = 0;
};
