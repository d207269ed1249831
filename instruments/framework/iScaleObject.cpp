#include "instruments/framework/iScaleObject.h"

#include "instruments/framework/Igpfunctions.h"
#include "platform/Geometry.h"
#include "platform/NumberText.h"
#include "platform/Rounding.h"

#include <algorithm>
#include <utility>

namespace {

// Each direction stops where the range ends, where a step no longer moves the value (a step
// lost in the value's precision would otherwise repeat the same tick for ever) and at the cap.
template <typename Within>
void AppendMinorTicks(std::vector<double>& values, double from, double step, Within within) {
    double value = from;
    for (int count = 0; count < MaxMinorTicksBeyond && within(value); ++count) {
        values.push_back(value);
        const double next = value + step;
        if (next == value) return;
        value = next;
    }
}

} // namespace

std::vector<double> MinorTicksBeyondRange(double TickStart, double TickStop, double MinorStep,
                                          double PositionMin, double PositionMax) {
    std::vector<double> values;
    // A negative or NaN step would never leave the range it is meant to walk out of.
    if (!(MinorStep > 0)) return values;
    AppendMinorTicks(values, TickStop + MinorStep, MinorStep,
                     [PositionMax](double value) { return value <= PositionMax; });
    AppendMinorTicks(values, TickStart - MinorStep, -MinorStep,
                     [PositionMin](double value) { return value >= PositionMin; });
    return values;
}

QString TickLabelText(double Value, int DecimalPoints) {
    return FormatFixed(Value, DecimalPoints).trimmed();
}

TiScaleObject::TiScaleObject(QObject* Owner) : owner_(Owner), tickLabelFont_(new TFont) {
    tickLabelFont_->OnChange = [this](QObject*) { Changed(); };
}

TiScaleObject::~TiScaleObject() = default;

void TiScaleObject::Changed() {
    if (OnChange) OnChange(owner_);
}

template <typename T> void TiScaleObject::Update(T& Field, T Value) {
    if (Field == Value) return;
    Field = Value;
    Changed();
}

void TiScaleObject::SetShowTicksMinor(bool Value) {
    Update(showTicksMinor_, Value);
}

void TiScaleObject::SetShowTicksMajor(bool Value) {
    Update(showTicksMajor_, Value);
}

void TiScaleObject::SetShowTickLabels(bool Value) {
    Update(showTickLabels_, Value);
}

void TiScaleObject::SetTickMinorCount(int Value) {
    Update(tickMinorCount_, std::clamp(Value, 1, 100));
}

void TiScaleObject::SetTickMinorLength(int Value) {
    Update(tickMinorLength_, std::clamp(Value, 1, MaxPixelExtent));
}

void TiScaleObject::SetTickMajorLength(int Value) {
    Update(tickMajorLength_, std::clamp(Value, 1, MaxPixelExtent));
}

void TiScaleObject::SetTickMargin(int Value) {
    Update(tickMargin_, BoundPixelSize(Value));
}

void TiScaleObject::SetTickMajorCount(int Value) {
    Update(tickMajorCount_, std::clamp(Value, 2, MaxTickMajorCount));
}

void TiScaleObject::SetTickLabelPrecision(int Value) {
    Update(tickLabelPrecision_, std::max(Value, 0));
}

void TiScaleObject::SetTickLabelMargin(int Value) {
    Update(tickLabelMargin_, BoundPixelSize(Value));
}

void TiScaleObject::SetTickMinorColor(TColor Value) {
    Update(tickMinorColor_, Value);
}

void TiScaleObject::SetTickMajorColor(TColor Value) {
    Update(tickMajorColor_, Value);
}

void TiScaleObject::SetTickLabelFont(const TFont* Value) {
    if (Value) tickLabelFont_->Assign(*Value);
}

void TiScaleObject::SetPositionMax(double Value) {
    Update(positionMax_, Value);
}

void TiScaleObject::SetPositionMin(double Value) {
    Update(positionMin_, Value);
}

void TiScaleObject::SetPixelsStart(int Value) {
    Update(pixelsStart_, BoundPixelOffset(Value));
}

void TiScaleObject::SetPixelsStop(int Value) {
    Update(pixelsStop_, BoundPixelOffset(Value));
}

void TiScaleObject::SetTickMinorAlignment(TiTickMinorAlignment Value) {
    Update(tickMinorAlignment_, Value);
}

void TiScaleObject::SetOrientation(TiOrientation Value) {
    Update(orientation_, Value);
}

void TiScaleObject::SetOrientationSide(TiOrientationSide Value) {
    Update(orientationSide_, Value);
}

void TiScaleObject::SetBasePosition(int Value) {
    Update(basePosition_, BoundPixelOffset(Value));
}

void TiScaleObject::SetTickMajorStyle(TiBevelStyle Value) {
    Update(tickMajorStyle_, Value);
}

void TiScaleObject::SetTickMinorStyle(TiBevelStyle Value) {
    Update(tickMinorStyle_, Value);
}

void TiScaleObject::SetShowTicksMajorFirstLast(bool Value) {
    Update(showTicksMajorFirstLast_, Value);
}

void TiScaleObject::SetReverseScale(bool Value) {
    Update(reverseScale_, Value);
}

void TiScaleObject::SetPrecisionStyle(TiPrecisionStyle Value) {
    Update(precisionStyle_, Value);
}

void TiScaleObject::SetAutoScaleEnabled(bool Value) {
    Update(autoScaleEnabled_, Value);
}

void TiScaleObject::SetAutoScaleMaxTicks(int Value) {
    Update(autoScaleMaxTicks_, Value);
}

void TiScaleObject::SetAutoScaleDesiredTicks(int Value) {
    Update(autoScaleDesiredTicks_, Value);
}

void TiScaleObject::SetAutoScaleStyle(TiAutoScaleStyle Value) {
    Update(autoScaleStyle_, Value);
}

void TiScaleObject::SetFixedTickStart(double Value) {
    Update(fixedTickStart_, Value);
}

void TiScaleObject::SetFixedTickStop(double Value) {
    Update(fixedTickStop_, Value);
}

bool TiScaleObject::FixedTicksActive() const {
    return autoScaleEnabled_ && autoScaleStyle_ == iassFixedMinMax;
}

std::pair<int, int> TiScaleObject::PixelEnds() const {
    if (reverseScale_) return {pixelsStop_, pixelsStart_};
    return {pixelsStart_, pixelsStop_};
}

int TiScaleObject::PositionToPixelsAbsolute(double Value) const {
    const auto [a, b] = PixelEnds();
    return a - PositionToPixelsRelative(Value);
}

int TiScaleObject::PositionToPixelsRelative(double Value) const {
    const auto [a, b] = PixelEnds();
    // An empty range has no fraction; its every value sits at the middle of the pixels.
    if (positionMax_ == positionMin_) return a - (a + b) / 2;
    return Round((Value - positionMin_) / (positionMax_ - positionMin_) * (a - b));
}

int TiScaleObject::GetDecimalPoints() const {
    return ::GetDecimalPoints(positionMin_, positionMax_, tickLabelPrecision_, precisionStyle_);
}

TiScaleObject::TiScaleGeometry TiScaleObject::Geometry() const {
    const int direction = orientationSide_ == iosTopLeft ? -1 : 1;
    int minorGap = tickMargin_;
    if (tickMinorAlignment_ == itmnaCenter)
        minorGap = tickMargin_ + tickMajorLength_ / 2 - tickMinorLength_ / 2;
    else if (tickMinorAlignment_ == itmnaOutside)
        minorGap = tickMargin_ + tickMajorLength_ - tickMinorLength_;
    const int majorStart = basePosition_ + direction * tickMargin_;
    return {direction, majorStart, majorStart + direction * (tickMajorLength_ + tickLabelMargin_),
            basePosition_ + direction * minorGap};
}

void TiScaleObject::DrawTick(TCanvas& Canvas, int Pixel, int Start, int Length,
                             TiBevelStyle Style) const {
    const int stop = Start + Length;
    if (orientation_ == ioVertical)
        LineBevel(&Canvas, Start, Pixel, stop, Pixel, Style);
    else
        LineBevel(&Canvas, Pixel, Start, Pixel, stop, Style);
}

void TiScaleObject::DrawLabel(TCanvas& Canvas, const TiScaleGeometry& Geometry, int Index,
                              double Value, int Pixel) const {
    QString text = TickLabelText(Value, GetDecimalPoints());
    if (OnCustomizeTickLabel) OnCustomizeTickLabel(owner_, Index, text);
    const TSize size = Canvas.TextExtent(text);
    const bool topLeft = orientationSide_ == iosTopLeft;
    if (orientation_ == ioHorizontal)
        Canvas.TextOut(Pixel - size.cx / 2,
                       topLeft ? Geometry.LabelStart - size.cy : Geometry.LabelStart, text);
    else
        Canvas.TextOut(topLeft ? Geometry.LabelStart - size.cx : Geometry.LabelStart,
                       Pixel - size.cy / 2, text);
}

void TiScaleObject::DrawMinorTick(TCanvas& Canvas, const TiScaleGeometry& Geometry,
                                  double Value) const {
    DrawTick(Canvas, PositionToPixelsAbsolute(Value), Geometry.MinorStart,
             Geometry.Direction * tickMinorLength_, tickMinorStyle_);
}

void TiScaleObject::Draw(TCanvas& Canvas) {
    const double start = FixedTicksActive() ? fixedTickStart_ : positionMin_;
    const double stop = FixedTicksActive() ? fixedTickStop_ : positionMax_;
    const double majorStep = (stop - start) / (tickMajorCount_ - 1);
    const double minorStep = majorStep / (tickMinorCount_ + 1);
    Canvas.Brush()->SetStyle(bsClear);
    Canvas.SetFont(tickLabelFont_.get());
    const TiScaleGeometry geometry = Geometry();
    const int last = tickMajorCount_ - 1;
    for (int i = 0; i <= last; ++i) {
        const double value = start + i * majorStep;
        const int pixel = PositionToPixelsAbsolute(value);
        if (showTicksMajor_ && (showTicksMajorFirstLast_ || (i != 0 && i != last))) {
            Canvas.Pen()->SetColor(tickMajorColor_);
            DrawTick(Canvas, pixel, geometry.MajorStart, geometry.Direction * tickMajorLength_,
                     tickMajorStyle_);
        }
        if (showTickLabels_) DrawLabel(Canvas, geometry, i, value, pixel);
        if (showTicksMinor_ && showTicksMajor_ && i != last) {
            Canvas.Pen()->SetColor(tickMinorColor_);
            for (int k = 1; k <= tickMinorCount_; ++k)
                DrawMinorTick(Canvas, geometry, value + k * minorStep);
        }
    }
    if (FixedTicksActive() && showTicksMinor_ && minorStep != 0) {
        Canvas.Pen()->SetColor(tickMinorColor_);
        for (double value :
             MinorTicksBeyondRange(start, stop, minorStep, positionMin_, positionMax_))
            DrawMinorTick(Canvas, geometry, value);
    }
}
