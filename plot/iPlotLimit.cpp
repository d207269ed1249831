#include "plot/iPlotLimit.h"

#include "instruments/framework/Igpfunctions.h"
#include "platform/Exception.h"
#include "platform/NumberText.h"
#include "platform/PropertyDefaults.h"
#include "plot/iPlotAxis.h"

#include <QStringList>
#include <algorithm>
#include <array>
#include <cmath>
#include <utility>
#include <vector>

namespace {

// Limits declare no defaults: a stored limit holds every property.
const PropertyDefaults::Registration defaults(TiPlotLimit::staticMetaObject,
                                              {
                                                  {"Style", PropertyDefaults::NoDefault()},
                                                  {"Color", PropertyDefaults::NoDefault()},
                                                  {"LineWidth", PropertyDefaults::NoDefault()},
                                                  {"LineStyle", PropertyDefaults::NoDefault()},
                                                  {"FillStyle", PropertyDefaults::NoDefault()},
                                                  {"XAxisName", PropertyDefaults::NoDefault()},
                                                  {"YAxisName", PropertyDefaults::NoDefault()},
                                                  {"Line1Position", PropertyDefaults::NoDefault()},
                                                  {"Line2Position", PropertyDefaults::NoDefault()},
                                                  {"UserCanMove", PropertyDefaults::NoDefault()},
                                                  {"BandElements", PropertyDefaults::NoDefault()},
                                              });

void CheckBandElement(double Position, double Upper, double Lower) {
    if (std::isnan(Position)) throw Exception(QStringLiteral("the Position must be a number"));
    // Written so that NaN bounds fail too: "Lower > Upper" let them through.
    if (!(Upper >= Lower))
        throw Exception(
            QStringLiteral("the Upper Limit must be greater than or equal to the Lower Limit"));
}

TiLimitDataRecord ReadBandElement(const QString& Text) {
    const QStringList values = Text.split(QLatin1Char(','));
    if (values.size() != 3)
        throw EConvertError(QStringLiteral("'%1' is not a valid band element").arg(Text.left(40)));
    const TiLimitDataRecord record{TextToFloat(values[0]), TextToFloat(values[1]),
                                   TextToFloat(values[2])};
    CheckBandElement(record.Position, record.Upper, record.Lower);
    return record;
}

} // namespace

TiPlotLimit::TiPlotLimit(TiPlotHost* Owner, const TiPlotObjectHooks& Hooks)
    : TiPlotObject(Owner, Hooks), xAxis_(*this, TiPlotObjectKind::XAxis),
      yAxis_(*this, TiPlotObjectKind::YAxis) {}

void TiPlotLimit::SetStyle(TiPlotLimitStyle Value) {
    if (Value > iplsPolyBandY || Value == style_) return;
    style_ = Value;
    TriggerChange(this);
}

void TiPlotLimit::SetColor(TColor Value) {
    SetColorProperty(Value, color_, &TiPlotObject::TriggerChange);
}

void TiPlotLimit::SetLineWidth(int Value) {
    SetIntegerProperty(std::clamp(Value, 0, MaxLineWidth), lineWidth_,
                       &TiPlotObject::TriggerChange);
}

void TiPlotLimit::SetLineStyle(TPenStyle Value) {
    if (Value > psInsideFrame || Value == lineStyle_) return;
    lineStyle_ = Value;
    TriggerChange(this);
}

void TiPlotLimit::SetFillStyle(TBrushStyle Value) {
    if (Value > bsDiagCross || Value == fillStyle_) return;
    fillStyle_ = Value;
    TriggerChange(this);
}

void TiPlotLimit::SetLinePosition(double Value, double& Field, bool Line1) {
    if (std::isnan(Value) || Value == Field) return;
    TiPlotObjectGuard guard(*this);
    const double old = std::exchange(Field, Value);
    TriggerChange(this);
    if (guard.Destroyed() || !Owner()) return;
    if (Line1)
        Owner()->DoLimitLine1PositionChange(this, old, Value);
    else
        Owner()->DoLimitLine2PositionChange(this, old, Value);
}

void TiPlotLimit::SetLine1Position(double Value) {
    SetLinePosition(Value, line1Position_, true);
}

void TiPlotLimit::SetLine2Position(double Value) {
    SetLinePosition(Value, line2Position_, false);
}

void TiPlotLimit::SetUserCanMove(bool Value) {
    SetBooleanProperty(Value, userCanMove_, &TiPlotObject::TriggerChange);
}

QString TiPlotLimit::BandElements() const {
    QStringList texts;
    for (int i = 0; i < elements_.Count(); ++i) {
        const TiLimitDataRecord record = elements_.GetItem(i);
        texts << FloatToText(record.Position) + QLatin1Char(',') + FloatToText(record.Upper) +
                     QLatin1Char(',') + FloatToText(record.Lower);
    }
    return texts.join(QLatin1Char(';'));
}

void TiPlotLimit::SetBandElements(const QString& Value) {
    if (Value == BandElements()) return;
    std::vector<TiLimitDataRecord> records;
    if (!Value.isEmpty())
        for (const QString& text : Value.split(QLatin1Char(';')))
            records.push_back(ReadBandElement(text));
    elements_.Clear();
    for (const TiLimitDataRecord& record : records)
        elements_.Add(record);
    TriggerChange(this);
}

void TiPlotLimit::AddBandElement(double Position, double Upper, double Lower) {
    CheckBandElement(Position, Upper, Lower);
    elements_.Add({Position, Upper, Lower});
    TriggerChange(this);
}

void TiPlotLimit::ClearAllElements() {
    elements_.Clear();
    TriggerChange(this);
}

bool TiPlotLimit::GetIsFillType() const {
    switch (style_) {
    case iplsPolyBandX:
    case iplsPolyBandY:
        return true;
    case iplsBandX:
    case iplsBandY:
        return fillStyle_ != bsClear;
    default:
        return false;
    }
}

TiPlotAxis* TiPlotLimit::GetXAxis() {
    return qobject_cast<TiPlotAxis*>(xAxis_.Get());
}

TiPlotAxis* TiPlotLimit::GetYAxis() {
    return qobject_cast<TiPlotAxis*>(yAxis_.Get());
}

bool TiPlotLimit::GetLinePositionAxis() const {
    return style_ != iplsLineX && style_ != iplsBandX && style_ != iplsPolyBandX;
}

TiPlotAxis* TiPlotLimit::PositionAxis() {
    return GetLinePositionAxis() ? GetYAxis() : GetXAxis();
}

// Drawing ----------------------------------------------------------------------------------

// The position axis runs across the screen for X styles, down it for Y styles, and the other
// way round with the X axes vertical.
bool TiPlotLimit::Exchanged() const {
    return GetLinePositionAxis() != XYAxesReversed();
}

TPoint TiPlotLimit::Screen(int Along, int Across) const {
    return iXYReversePoint(Exchanged(), Along, Across);
}

TRect TiPlotLimit::ScreenRect(int Along1, int Across1, int Along2, int Across2) const {
    return iXYReverseRect(Exchanged(), Along1, Across1, Along2, Across2);
}

void TiPlotLimit::Draw(TCanvas& Canvas, TColor) {
    grab1Valid_ = false;
    grab2Valid_ = false;
    TiPlotAxis* x = GetXAxis();
    TiPlotAxis* y = GetYAxis();
    if (!Visible() || !x || !y) return;
    TiPlotAxis* along = GetLinePositionAxis() ? y : x;
    TiPlotAxis* across = GetLinePositionAxis() ? x : y;
    const TiLimitPixels pixels{along, across, across->PositionToPixels(across->Min()),
                               across->PositionToPixels(across->Max())};
    Canvas.Pen()->SetColor(color_);
    Canvas.Brush()->SetColor(color_);
    switch (style_) {
    case iplsLineX:
    case iplsLineY:
        DrawLine(Canvas, pixels);
        break;
    case iplsBandX:
    case iplsBandY:
        DrawBand(Canvas, pixels);
        break;
    case iplsPolyBandX:
    case iplsPolyBandY:
        DrawPolyBand(Canvas, pixels);
        break;
    }
}

void TiPlotLimit::DrawEdge(TCanvas& Canvas, int Along, const TiLimitPixels& Pixels) {
    const TPoint from = Screen(Along, Pixels.AcrossMin);
    const TPoint to = Screen(Along, Pixels.AcrossMax);
    Canvas.MoveTo(from.X, from.Y);
    Canvas.LineTo(to.X, to.Y);
}

void TiPlotLimit::DrawLine(TCanvas& Canvas, const TiLimitPixels& Pixels) {
    if (line1Position_ < Pixels.Along->Min() || line1Position_ > Pixels.Along->Max()) return;
    Canvas.Pen()->SetWidth(lineWidth_);
    Canvas.Pen()->SetStyle(lineStyle_);
    const int at = Pixels.Along->PositionToPixels(line1Position_);
    DrawEdge(Canvas, at, Pixels);
    grab1_ = ScreenRect(at - GrabMargin, Pixels.AcrossMin, at + GrabMargin, Pixels.AcrossMax);
    grab1Valid_ = true;
}

void TiPlotLimit::DrawBand(TCanvas& Canvas, const TiLimitPixels& Pixels) {
    const int at1 = Pixels.Along->PositionToPixels(line1Position_);
    const int at2 = Pixels.Along->PositionToPixels(line2Position_);
    grab1_ = ScreenRect(at1 - GrabMargin, Pixels.AcrossMin, at1 + GrabMargin, Pixels.AcrossMax);
    grab2_ = ScreenRect(at2 - GrabMargin, Pixels.AcrossMin, at2 + GrabMargin, Pixels.AcrossMax);
    grab1Valid_ = true;
    grab2Valid_ = true;
    Canvas.Brush()->SetStyle(fillStyle_);
    const TRect band = ScreenRect(at1, Pixels.AcrossMin, at2, Pixels.AcrossMax);
    if (fillStyle_ == bsSolid) {
        Canvas.Pen()->SetStyle(lineStyle_);
        Canvas.Pen()->SetWidth(1);
        Canvas.Rectangle(band);
        return;
    }
    if (fillStyle_ == bsClear) {
        Canvas.Pen()->SetWidth(lineWidth_);
    } else {
        Canvas.Pen()->SetStyle(psClear);
        Canvas.Rectangle(band);
        Canvas.Pen()->SetWidth(1);
    }
    Canvas.Pen()->SetStyle(lineStyle_);
    DrawEdge(Canvas, at1, Pixels);
    DrawEdge(Canvas, at2, Pixels);
}

void TiPlotLimit::DrawPolyBand(TCanvas& Canvas, const TiLimitPixels& Pixels) {
    if (elements_.Count() < 2) return;
    TPen* pen = Canvas.Pen();
    pen->SetWidth(1);
    pen->SetStyle(psSolid);
    Canvas.Brush()->SetStyle(fillStyle_);
    const double acrossMin = Pixels.Across->Min();
    const double acrossMax = Pixels.Across->Max();
    for (int i = 1; i < elements_.Count(); ++i) {
        const TiLimitDataRecord previous = elements_.GetItem(i - 1);
        const TiLimitDataRecord current = elements_.GetItem(i);
        if (previous.Position > acrossMax) break;
        if (previous.Position < acrossMin && current.Position < acrossMin) continue;
        auto corner = [&](double Bound, double Position) {
            return Screen(Pixels.Along->PositionToPixels(Bound),
                          Pixels.Across->PositionToPixels(Position));
        };
        const TPoint a = corner(previous.Upper, previous.Position);
        const TPoint b = corner(previous.Lower, previous.Position);
        const TPoint c = corner(current.Upper, current.Position);
        const TPoint d = corner(current.Lower, current.Position);
        const std::array<TPoint, 4> polygon{a, c, d, b};
        if (fillStyle_ == bsSolid) {
            Canvas.Polygon(polygon);
            continue;
        }
        pen->SetStyle(psClear);
        Canvas.Polygon(polygon);
        pen->SetStyle(psSolid);
        Canvas.MoveTo(a.X, a.Y);
        Canvas.LineTo(c.X, c.Y);
        Canvas.MoveTo(b.X, b.Y);
        Canvas.LineTo(d.X, d.Y);
    }
}

// Input ------------------------------------------------------------------------------------

bool TiPlotLimit::iMouseHitTest(const TiPlotMouseData& MouseData) {
    const TPoint point{MouseData.X, MouseData.Y};
    return TiPlotObject::iMouseHitTest(MouseData) || (grab1Valid_ && grab1_.Contains(point)) ||
           (grab2Valid_ && grab2_.Contains(point));
}

bool TiPlotLimit::CanDrag() const {
    return userCanMove_ && Owner() && Owner()->GetSelectModeActive();
}

Qt::CursorShape TiPlotLimit::GetMousePointer(TPoint) {
    if (!CanDrag()) return Qt::ArrowCursor;
    if (!grab1Valid_ || !grab2Valid_) return Qt::PointingHandCursor;
    // A band's edges move across the screen when its position axis runs across it.
    return Exchanged() ? Qt::SizeVerCursor : Qt::SizeHorCursor;
}

void TiPlotLimit::DoMouseLeft(const TiPlotMouseData& MouseData) {
    if (!CanDrag()) return;
    const TPoint point{MouseData.X, MouseData.Y};
    if (grab1Valid_ && grab1_.Contains(point))
        dragging1_ = true;
    else if (grab2Valid_ && grab2_.Contains(point))
        dragging2_ = true;
    else
        return;
    pressXAxisPixels_ = MouseData.XAxisPixels;
    pressYAxisPixels_ = MouseData.YAxisPixels;
    pressPosition_ = dragging1_ ? line1Position_ : line2Position_;
    Notify(OnInvalidateNow);
}

void TiPlotLimit::DoMouseMove(const TiPlotMouseData& MouseData) {
    if (!dragging1_ && !dragging2_) return;
    TiPlotAxis* axis = PositionAxis();
    if (!axis) return;
    const bool onY = GetLinePositionAxis();
    const int now = onY ? MouseData.YAxisPixels : MouseData.XAxisPixels;
    const int press = onY ? pressYAxisPixels_ : pressXAxisPixels_;
    const double position =
        pressPosition_ + (axis->PixelsToPosition(now) - axis->PixelsToPosition(press));
    if (dragging1_)
        SetLine1Position(position);
    else
        SetLine2Position(position);
}

void TiPlotLimit::DoMouseUp(const TiPlotMouseData& MouseData) {
    TiPlotObject::DoMouseUp(MouseData);
    dragging1_ = false;
    dragging2_ = false;
    if (MouseIsDown() && iMouseHitTest(MouseData) && Owner()) Owner()->DoObjectClick(this);
}

void TiPlotLimit::NotificationRemove(QObject* Object) {
    xAxis_.NotificationRemove(Object);
    yAxis_.NotificationRemove(Object);
}

void TiPlotLimit::NotificationRename(QObject* Object) {
    xAxis_.NotificationRename(Object);
    yAxis_.NotificationRename(Object);
}

void TiPlotLimit::NotificationSetFocus(QObject* Object) {
    if (Object != this && UserSelected()) SetUserSelected(false);
}

void TiPlotLimit::AddMenuItems(QMenu* PopupMenu) {
    TiPlotObject::AddMenuItems(PopupMenu);
    AddEditMenuItems(PopupMenu);
}
