#include "instruments/framework/iScaleObject.h"

#include "instruments/framework/Igpfunctions.h"
#include "platform/Geometry.h"
#include "platform/NumberText.h"
#include "platform/Rounding.h"

#include <algorithm>
#include <cstdint>
#include <limits>
#include <utility>

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
    Update(placement_.PositionMax, Value);
}

void TiScaleObject::SetPositionMin(double Value) {
    Update(placement_.PositionMin, Value);
}

void TiScaleObject::SetPixelsStart(int Value) {
    Update(placement_.PixelsStart, BoundPixelOffset(Value));
}

void TiScaleObject::SetPixelsStop(int Value) {
    Update(placement_.PixelsStop, BoundPixelOffset(Value));
}

void TiScaleObject::SetTickMinorAlignment(TiTickMinorAlignment Value) {
    Update(tickMinorAlignment_, Value);
}

void TiScaleObject::SetOrientation(TiOrientation Value) {
    Update(placement_.Orientation, Value);
}

void TiScaleObject::SetOrientationSide(TiOrientationSide Value) {
    Update(placement_.OrientationSide, Value);
}

void TiScaleObject::SetBasePosition(int Value) {
    Update(placement_.BasePosition, BoundPixelOffset(Value));
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
    Update(placement_.ReverseScale, Value);
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

std::pair<int, int> TiScalePlacement::PixelEnds() const {
    if (ReverseScale) return {PixelsStop, PixelsStart};
    return {PixelsStart, PixelsStop};
}

// Counted in 64 bits and clamped, so that a pixel range as wide as the control cannot overflow
// the subtraction.
int TiScalePlacement::PositionToPixelsAbsolute(double Value) const {
    const int64_t pixel = int64_t(PixelEnds().first) - PositionToPixelsRelative(Value);
    return int(std::clamp<int64_t>(pixel, std::numeric_limits<int>::min(),
                                   std::numeric_limits<int>::max()));
}

int TiScalePlacement::PositionToPixelsRelative(double Value) const {
    const auto [a, b] = PixelEnds();
    // An empty range has no fraction; its every value sits at the middle of the pixels.
    if (PositionMax == PositionMin) return int(a - (int64_t(a) + b) / 2);
    return Round((Value - PositionMin) / (PositionMax - PositionMin) * (double(a) - b));
}

int TiScaleObject::GetDecimalPoints() const {
    return GetDecimalPoints(placement_.PositionMin, placement_.PositionMax);
}

int TiScaleObject::GetDecimalPoints(double Min, double Max) const {
    return ::GetDecimalPoints(Min, Max, tickLabelPrecision_, precisionStyle_);
}

TiScaleTicks TiScaleObject::Ticks(double Min, double Max, int DecimalPoints) const {
    TiScaleTickRequest request;
    request.PositionMin = Min;
    request.PositionMax = Max;
    request.FixedTicks = FixedTicksActive();
    request.FixedTickStart = fixedTickStart_;
    request.FixedTickStop = fixedTickStop_;
    request.MajorCount = tickMajorCount_;
    request.MinorCount = tickMinorCount_;
    request.DecimalPoints = DecimalPoints;
    request.CustomizeLabel = OnCustomizeTickLabel;
    request.Sender = owner_;
    return TiScaleTicks::Compute(request);
}

TiScaleObject::TiScaleGeometry TiScaleObject::Geometry(const TiScalePlacement& Placement) const {
    const int direction = Placement.OrientationSide == iosTopLeft ? -1 : 1;
    int minorGap = tickMargin_;
    if (tickMinorAlignment_ == itmnaCenter)
        minorGap = tickMargin_ + tickMajorLength_ / 2 - tickMinorLength_ / 2;
    else if (tickMinorAlignment_ == itmnaOutside)
        minorGap = tickMargin_ + tickMajorLength_ - tickMinorLength_;
    const int majorStart = Placement.BasePosition + direction * tickMargin_;
    return {direction, majorStart, majorStart + direction * (tickMajorLength_ + tickLabelMargin_),
            Placement.BasePosition + direction * minorGap};
}

void TiScaleObject::DrawTick(TCanvas& Canvas, const TiScalePlacement& Placement, int Pixel,
                             int Start, int Length, TiBevelStyle Style) const {
    const int stop = Start + Length;
    if (Placement.Orientation == ioVertical)
        LineBevel(&Canvas, Start, Pixel, stop, Pixel, Style);
    else
        LineBevel(&Canvas, Pixel, Start, Pixel, stop, Style);
}

void TiScaleObject::DrawLabel(TCanvas& Canvas, const TiScalePlacement& Placement,
                              const TiScaleGeometry& Geometry, const TiScaleMajorTick& Tick) const {
    const int pixel = Placement.PositionToPixelsAbsolute(Tick.Value);
    const TSize size = Canvas.TextExtent(Tick.Label);
    const bool topLeft = Placement.OrientationSide == iosTopLeft;
    if (Placement.Orientation == ioHorizontal)
        Canvas.TextOut(pixel - size.cx / 2,
                       topLeft ? Geometry.LabelStart - size.cy : Geometry.LabelStart, Tick.Label);
    else
        Canvas.TextOut(topLeft ? Geometry.LabelStart - size.cx : Geometry.LabelStart,
                       pixel - size.cy / 2, Tick.Label);
}

void TiScaleObject::DrawMinorTicks(TCanvas& Canvas, const TiScalePlacement& Placement,
                                   const TiScaleGeometry& Geometry,
                                   std::span<const double> Values) const {
    Canvas.Pen()->SetColor(tickMinorColor_);
    for (double value : Values)
        DrawTick(Canvas, Placement, Placement.PositionToPixelsAbsolute(value), Geometry.MinorStart,
                 Geometry.Direction * tickMinorLength_, tickMinorStyle_);
}

void TiScaleObject::Draw(TCanvas& Canvas) const {
    Draw(Canvas, placement_);
}

void TiScaleObject::Draw(TCanvas& Canvas, const TiScalePlacement& Placement) const {
    const TiScaleTicks ticks =
        Ticks(Placement.PositionMin, Placement.PositionMax,
              GetDecimalPoints(Placement.PositionMin, Placement.PositionMax));
    Canvas.Brush()->SetStyle(bsClear);
    Canvas.SetFont(tickLabelFont_.get());
    const TiScaleGeometry geometry = Geometry(Placement);
    const int last = int(ticks.Major().size()) - 1;
    for (int i = 0; i <= last; ++i) {
        const TiScaleMajorTick& tick = ticks.Major()[size_t(i)];
        if (showTicksMajor_ && (showTicksMajorFirstLast_ || (i != 0 && i != last))) {
            Canvas.Pen()->SetColor(tickMajorColor_);
            DrawTick(Canvas, Placement, Placement.PositionToPixelsAbsolute(tick.Value),
                     geometry.MajorStart, geometry.Direction * tickMajorLength_, tickMajorStyle_);
        }
        if (showTickLabels_) DrawLabel(Canvas, Placement, geometry, tick);
        if (showTicksMinor_ && showTicksMajor_)
            DrawMinorTicks(Canvas, Placement, geometry, ticks.MinorAfter(i));
    }
    if (showTicksMinor_) DrawMinorTicks(Canvas, Placement, geometry, ticks.MinorBeyond());
}
