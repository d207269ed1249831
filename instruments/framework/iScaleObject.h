// A straight scale of major and minor ticks with labels between two pixel positions: maps
// values to pixels, places the ticks and draws them. The slider draws its scale with it.
#pragma once

#include "instruments/framework/iControlEvents.h"
#include "instruments/framework/iScaleTicks.h"
#include "instruments/framework/iTypes.h"
#include "platform/Canvas.h"
#include "platform/Colors.h"
#include "platform/Font.h"

#include <QString>
#include <memory>
#include <utility>

// Where a scale stands: its value range, the pixels it spans and its base line. The scale
// object keeps its own; a control that lays the scale out per paint hands one to Draw instead of
// writing the object's settings while painting.
struct TiScalePlacement {
    double PositionMin = 0;
    double PositionMax = 0;
    int PixelsStart = 0;
    int PixelsStop = 0;
    TiOrientation Orientation = ioVertical;
    TiOrientationSide OrientationSide = iosBottomRight;
    // The base line: its X on a vertical scale, its Y on a horizontal one.
    int BasePosition = 0;
    // PositionMax at PixelsStart.
    bool ReverseScale = false;

    // The pixel of Value; the middle of the pixel range when the value range is empty.
    int PositionToPixelsAbsolute(double Value) const;
    // The offset of Value's pixel from the pixel of the first end, so that the absolute
    // pixel is that end minus this.
    int PositionToPixelsRelative(double Value) const;
    // The ends of the pixel range, exchanged for a reversed scale.
    std::pair<int, int> PixelEnds() const;
};

class TiScaleObject {
public:
    // Owner is the Sender of the events.
    explicit TiScaleObject(QObject* Owner);
    ~TiScaleObject();
    TiScaleObject(const TiScaleObject&) = delete;
    TiScaleObject& operator=(const TiScaleObject&) = delete;

    bool ShowTicksMinor() const { return showTicksMinor_; }
    void SetShowTicksMinor(bool Value);
    bool ShowTicksMajor() const { return showTicksMajor_; }
    void SetShowTicksMajor(bool Value);
    bool ShowTickLabels() const { return showTickLabels_; }
    void SetShowTickLabels(bool Value);
    // Kept within 1..100.
    int TickMinorCount() const { return tickMinorCount_; }
    void SetTickMinorCount(int Value);
    // Pixel settings are kept within 0..MaxPixelExtent, the lengths at least 1 and the pixel
    // coordinates within -MaxPixelExtent..MaxPixelExtent, so the tick arithmetic stays in int.
    // At least 1.
    int TickMinorLength() const { return tickMinorLength_; }
    void SetTickMinorLength(int Value);
    // At least 1.
    int TickMajorLength() const { return tickMajorLength_; }
    void SetTickMajorLength(int Value);
    int TickMargin() const { return tickMargin_; }
    void SetTickMargin(int Value);
    // Both ends included; kept within 2..100.
    int TickMajorCount() const { return tickMajorCount_; }
    void SetTickMajorCount(int Value);
    // At least 0.
    int TickLabelPrecision() const { return tickLabelPrecision_; }
    void SetTickLabelPrecision(int Value);
    int TickLabelMargin() const { return tickLabelMargin_; }
    void SetTickLabelMargin(int Value);
    TColor TickMinorColor() const { return tickMinorColor_; }
    void SetTickMinorColor(TColor Value);
    TColor TickMajorColor() const { return tickMajorColor_; }
    void SetTickMajorColor(TColor Value);
    // Any change of the font is a change of the scale.
    TFont* TickLabelFont() const { return tickLabelFont_.get(); }
    void SetTickLabelFont(const TFont* Value);
    double PositionMax() const { return placement_.PositionMax; }
    void SetPositionMax(double Value);
    double PositionMin() const { return placement_.PositionMin; }
    void SetPositionMin(double Value);
    int PixelsStart() const { return placement_.PixelsStart; }
    void SetPixelsStart(int Value);
    int PixelsStop() const { return placement_.PixelsStop; }
    void SetPixelsStop(int Value);
    TiTickMinorAlignment TickMinorAlignment() const { return tickMinorAlignment_; }
    void SetTickMinorAlignment(TiTickMinorAlignment Value);
    TiOrientation Orientation() const { return placement_.Orientation; }
    void SetOrientation(TiOrientation Value);
    TiOrientationSide OrientationSide() const { return placement_.OrientationSide; }
    void SetOrientationSide(TiOrientationSide Value);
    int BasePosition() const { return placement_.BasePosition; }
    void SetBasePosition(int Value);
    TiBevelStyle TickMajorStyle() const { return tickMajorStyle_; }
    void SetTickMajorStyle(TiBevelStyle Value);
    TiBevelStyle TickMinorStyle() const { return tickMinorStyle_; }
    void SetTickMinorStyle(TiBevelStyle Value);
    bool ShowTicksMajorFirstLast() const { return showTicksMajorFirstLast_; }
    void SetShowTicksMajorFirstLast(bool Value);
    bool ReverseScale() const { return placement_.ReverseScale; }
    void SetReverseScale(bool Value);
    TiPrecisionStyle PrecisionStyle() const { return precisionStyle_; }
    void SetPrecisionStyle(TiPrecisionStyle Value);
    bool AutoScaleEnabled() const { return autoScaleEnabled_; }
    void SetAutoScaleEnabled(bool Value);
    int AutoScaleMaxTicks() const { return autoScaleMaxTicks_; }
    void SetAutoScaleMaxTicks(int Value);
    int AutoScaleDesiredTicks() const { return autoScaleDesiredTicks_; }
    void SetAutoScaleDesiredTicks(int Value);
    TiAutoScaleStyle AutoScaleStyle() const { return autoScaleStyle_; }
    void SetAutoScaleStyle(TiAutoScaleStyle Value);
    double FixedTickStart() const { return fixedTickStart_; }
    void SetFixedTickStart(double Value);
    double FixedTickStop() const { return fixedTickStop_; }
    void SetFixedTickStop(double Value);

    // The fixed auto-scale's tick range is in force.
    bool FixedTicksActive() const;

    const TiScalePlacement& Placement() const { return placement_; }
    int PositionToPixelsAbsolute(double Value) const {
        return placement_.PositionToPixelsAbsolute(Value);
    }
    int PositionToPixelsRelative(double Value) const {
        return placement_.PositionToPixelsRelative(Value);
    }
    // Decimals of the tick labels for the scale's own range, or for Min..Max.
    int GetDecimalPoints() const;
    int GetDecimalPoints(double Min, double Max) const;
    // The ticks of the range Min..Max with this scale's counts, fixed tick range and
    // customised label texts.
    TiScaleTicks Ticks(double Min, double Max, int DecimalPoints) const;
    // Draws at the scale's own placement, or at the one given.
    void Draw(TCanvas& Canvas) const;
    void Draw(TCanvas& Canvas, const TiScalePlacement& Placement) const;

    TNotifyEvent OnChange;
    TOnCustomizeTickLabel OnCustomizeTickLabel;

private:
    // Where ticks and labels stand across the scale, from the base line outwards.
    struct TiScaleGeometry {
        int Direction; // +1 towards the bottom or right, -1 towards the top or left
        int MajorStart;
        int LabelStart;
        int MinorStart;
    };
    TiScaleGeometry Geometry(const TiScalePlacement& Placement) const;
    void DrawTick(TCanvas& Canvas, const TiScalePlacement& Placement, int Pixel, int Start,
                  int Length, TiBevelStyle Style) const;
    void DrawLabel(TCanvas& Canvas, const TiScalePlacement& Placement,
                   const TiScaleGeometry& Geometry, const TiScaleMajorTick& Tick) const;
    void DrawMinorTicks(TCanvas& Canvas, const TiScalePlacement& Placement,
                        const TiScaleGeometry& Geometry, std::span<const double> Values) const;
    void Changed();
    template <typename T> void Update(T& Field, T Value);

    QObject* owner_;
    bool showTicksMinor_ = false;
    bool showTicksMajor_ = false;
    bool showTickLabels_ = false;
    int tickMinorCount_ = 4;
    int tickMinorLength_ = 3;
    int tickMajorLength_ = 7;
    int tickMargin_ = 5;
    int tickMajorCount_ = 5;
    int tickLabelPrecision_ = 0;
    int tickLabelMargin_ = 5;
    TColor tickMinorColor_ = clBlack;
    TColor tickMajorColor_ = clBlack;
    std::unique_ptr<TFont> tickLabelFont_;
    TiScalePlacement placement_;
    TiTickMinorAlignment tickMinorAlignment_ = itmnaInside;
    TiBevelStyle tickMajorStyle_ = ibsNone;
    TiBevelStyle tickMinorStyle_ = ibsNone;
    bool showTicksMajorFirstLast_ = true;
    TiPrecisionStyle precisionStyle_ = ipsSignificantDigits;
    bool autoScaleEnabled_ = false;
    int autoScaleMaxTicks_ = 6;
    int autoScaleDesiredTicks_ = 5;
    TiAutoScaleStyle autoScaleStyle_ = iassAutoMinMax;
    double fixedTickStart_ = 0;
    double fixedTickStop_ = 0;
};
