// A straight scale of major and minor ticks with labels between two pixel positions: maps
// values to pixels, places the ticks and draws them. The slider draws its scale with it.
#pragma once

#include "instruments/framework/iControlEvents.h"
#include "instruments/framework/iTypes.h"
#include "platform/Canvas.h"
#include "platform/Colors.h"
#include "platform/Font.h"

#include <QString>
#include <functional>
#include <memory>
#include <utility>
#include <vector>

using TOnCustomizeTickLabel = std::function<void(QObject* Sender, int Index, QString& DisplayText)>;

// The values of the minor ticks that continue a fixed tick range out to the ends of the
// position range, one minor step apart: upwards from TickStop + MinorStep while at most
// PositionMax, then downwards from TickStart - MinorStep while at least PositionMin.
// A step that is not positive, or too small to move the value, gives no ticks; each
// direction holds at most MaxMinorTicksBeyond.
std::vector<double> MinorTicksBeyondRange(double TickStart, double TickStop, double MinorStep,
                                          double PositionMin, double PositionMax);
constexpr int MaxMinorTicksBeyond = 10000;

// The most major ticks a scale holds.
constexpr int MaxTickMajorCount = 100;

// The fixed-point text of a tick value with the given decimals, trimmed.
QString TickLabelText(double Value, int DecimalPoints);

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
    double PositionMax() const { return positionMax_; }
    void SetPositionMax(double Value);
    double PositionMin() const { return positionMin_; }
    void SetPositionMin(double Value);
    int PixelsStart() const { return pixelsStart_; }
    void SetPixelsStart(int Value);
    int PixelsStop() const { return pixelsStop_; }
    void SetPixelsStop(int Value);
    TiTickMinorAlignment TickMinorAlignment() const { return tickMinorAlignment_; }
    void SetTickMinorAlignment(TiTickMinorAlignment Value);
    TiOrientation Orientation() const { return orientation_; }
    void SetOrientation(TiOrientation Value);
    TiOrientationSide OrientationSide() const { return orientationSide_; }
    void SetOrientationSide(TiOrientationSide Value);
    // The base line: its X on a vertical scale, its Y on a horizontal one.
    int BasePosition() const { return basePosition_; }
    void SetBasePosition(int Value);
    TiBevelStyle TickMajorStyle() const { return tickMajorStyle_; }
    void SetTickMajorStyle(TiBevelStyle Value);
    TiBevelStyle TickMinorStyle() const { return tickMinorStyle_; }
    void SetTickMinorStyle(TiBevelStyle Value);
    bool ShowTicksMajorFirstLast() const { return showTicksMajorFirstLast_; }
    void SetShowTicksMajorFirstLast(bool Value);
    // PositionMax at PixelsStart.
    bool ReverseScale() const { return reverseScale_; }
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

    // The pixel of Value; the middle of the pixel range when the value range is empty.
    int PositionToPixelsAbsolute(double Value) const;
    // The offset of Value's pixel from the pixel of the first end, so that the absolute
    // pixel is that end minus this.
    int PositionToPixelsRelative(double Value) const;
    int GetDecimalPoints() const;
    void Draw(TCanvas& Canvas);

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
    TiScaleGeometry Geometry() const;
    // The ends of the pixel range, exchanged for a reversed scale.
    std::pair<int, int> PixelEnds() const;
    void DrawTick(TCanvas& Canvas, int Pixel, int Start, int Length, TiBevelStyle Style) const;
    void DrawLabel(TCanvas& Canvas, const TiScaleGeometry& Geometry, int Index, double Value,
                   int Pixel) const;
    void DrawMinorTick(TCanvas& Canvas, const TiScaleGeometry& Geometry, double Value) const;
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
    double positionMax_ = 0;
    double positionMin_ = 0;
    int pixelsStart_ = 0;
    int pixelsStop_ = 0;
    TiTickMinorAlignment tickMinorAlignment_ = itmnaInside;
    TiOrientation orientation_ = ioVertical;
    TiOrientationSide orientationSide_ = iosBottomRight;
    int basePosition_ = 0;
    TiBevelStyle tickMajorStyle_ = ibsNone;
    TiBevelStyle tickMinorStyle_ = ibsNone;
    bool showTicksMajorFirstLast_ = true;
    bool reverseScale_ = false;
    TiPrecisionStyle precisionStyle_ = ipsSignificantDigits;
    bool autoScaleEnabled_ = false;
    int autoScaleMaxTicks_ = 6;
    int autoScaleDesiredTicks_ = 5;
    TiAutoScaleStyle autoScaleStyle_ = iassAutoMinMax;
    double fixedTickStart_ = 0;
    double fixedTickStop_ = 0;
};
