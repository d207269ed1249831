#include "plot/iPlotDataView.h"

#include "instruments/framework/Igpfunctions.h"
#include "platform/PropertyDefaults.h"
#include "platform/Rounding.h"
#include "plot/iPlotAxis.h"
#include "plot/iPlotMasterManager.h"
#include "plot/iPlotToolBar.h"

#include <QMenu>
#include <algorithm>
#include <cstdlib>

namespace {

const PropertyDefaults::Registration defaults(
    TiPlotDataView::staticMetaObject,
    {
        {"Title", QString()},
        {"BackgroundTransparent", true},
        {"BackgroundColor", TColor(0x808000)},
        {"GridShow", true},
        {"GridXAxisName", QString()},
        {"GridYAxisName", QString()},
        {"GridLineColor", TColor(0x008000)},
        {"GridLineShowLeft", true},
        {"GridLineShowTop", true},
        {"GridLineShowRight", true},
        {"GridLineShowBottom", true},
        {"GridLineShowXMajors", true},
        {"GridLineShowYMajors", true},
        {"GridLineShowXMinors", false},
        {"GridLineShowYMinors", false},
        {"GridLineMajorStyle", QVariant::fromValue(ipglsSolid)},
        {"GridLineMinorStyle", QVariant::fromValue(ipglsSolid)},
        {"GridLineXMajorCustom", false},
        {"GridLineXMinorCustom", false},
        {"GridLineYMajorCustom", false},
        {"GridLineYMinorCustom", false},
        {"GridLineXMajorColor", TColor(0x008000)},
        {"GridLineXMinorColor", TColor(0x008000)},
        {"GridLineYMajorColor", TColor(0x008000)},
        {"GridLineYMinorColor", TColor(0x008000)},
        // Declared 1 while a new view holds 0, so that a stored description always holds them.
        {"GridLineXMajorWidth", 1},
        {"GridLineXMinorWidth", 1},
        {"GridLineYMajorWidth", 1},
        {"GridLineYMinorWidth", 1},
        {"GridLineXMajorStyle", QVariant::fromValue(ipglsSolid)},
        {"GridLineXMinorStyle", QVariant::fromValue(ipglsSolid)},
        {"GridLineYMajorStyle", QVariant::fromValue(ipglsSolid)},
        {"GridLineYMinorStyle", QVariant::fromValue(ipglsSolid)},
        {"AxesControlEnabled", false},
        {"AxesControlMouseStyle", QVariant::fromValue(TiPlotDataView::ipacsBoth)},
        {"AxesControlWheelStyle", QVariant::fromValue(TiPlotDataView::ipacsXAxis)},
    });

bool IsAllAxesName(const QString& Name) {
    return Name.toUpper() == QStringLiteral("<ALL>");
}

// The pixels further than this from the press point decide a shifted drag's axes.
constexpr int DragDecisionPixels = 3;

} // namespace

TiPlotDataView::TiPlotDataView(TiPlotHost* Owner, const TiPlotObjectHooks& Hooks)
    : TiPlotLayoutObject(Owner, Hooks), gridXAxis_(*this, TiPlotObjectKind::XAxis),
      gridYAxis_(*this, TiPlotObjectKind::YAxis) {}

void TiPlotDataView::SetTitle(const QString& Value) {
    SetStringProperty(Value, title_, &TiPlotObject::TriggerChange);
}

void TiPlotDataView::SetBackgroundTransparent(bool Value) {
    SetBooleanProperty(Value, backgroundTransparent_, &TiPlotObject::TriggerChange);
}

void TiPlotDataView::SetBackgroundColor(TColor Value) {
    SetColorProperty(Value, backgroundColor_, &TiPlotObject::TriggerChange);
}

void TiPlotDataView::SetGridShow(bool Value) {
    SetBooleanProperty(Value, gridShow_, &TiPlotObject::TriggerChange);
}

void TiPlotDataView::SetGridLineColor(TColor Value) {
    SetColorProperty(Value, gridLineColor_, &TiPlotObject::TriggerChange);
}

void TiPlotDataView::SetGridLineShowLeft(bool Value) {
    SetBooleanProperty(Value, gridLineShowLeft_, &TiPlotObject::TriggerChange);
}

void TiPlotDataView::SetGridLineShowTop(bool Value) {
    SetBooleanProperty(Value, gridLineShowTop_, &TiPlotObject::TriggerChange);
}

void TiPlotDataView::SetGridLineShowRight(bool Value) {
    SetBooleanProperty(Value, gridLineShowRight_, &TiPlotObject::TriggerChange);
}

void TiPlotDataView::SetGridLineShowBottom(bool Value) {
    SetBooleanProperty(Value, gridLineShowBottom_, &TiPlotObject::TriggerChange);
}

void TiPlotDataView::SetGridLineShowXMajors(bool Value) {
    SetBooleanProperty(Value, gridLineShowXMajors_, &TiPlotObject::TriggerChange);
}

void TiPlotDataView::SetGridLineShowYMajors(bool Value) {
    SetBooleanProperty(Value, gridLineShowYMajors_, &TiPlotObject::TriggerChange);
}

void TiPlotDataView::SetGridLineShowXMinors(bool Value) {
    SetBooleanProperty(Value, gridLineShowXMinors_, &TiPlotObject::TriggerChange);
}

void TiPlotDataView::SetGridLineShowYMinors(bool Value) {
    SetBooleanProperty(Value, gridLineShowYMinors_, &TiPlotObject::TriggerChange);
}

void TiPlotDataView::SetStyle(TiPlotGridLineStyle Value, TiPlotGridLineStyle& Field) {
    if (Value > ipglsDot || Value == Field) return;
    Field = Value;
    TriggerChange(this);
}

void TiPlotDataView::SetWidth(int Value, int& Field) {
    SetIntegerProperty(std::clamp(Value, 0, MaxGridLineWidth), Field, &TiPlotObject::TriggerChange);
}

void TiPlotDataView::SetGridLineMajorStyle(TiPlotGridLineStyle Value) {
    SetStyle(Value, gridLineMajorStyle_);
}

void TiPlotDataView::SetGridLineMinorStyle(TiPlotGridLineStyle Value) {
    SetStyle(Value, gridLineMinorStyle_);
}

void TiPlotDataView::SetGridLineXMajorCustom(bool Value) {
    SetBooleanProperty(Value, xMajor_.Custom, &TiPlotObject::TriggerChange);
}

void TiPlotDataView::SetGridLineXMinorCustom(bool Value) {
    SetBooleanProperty(Value, xMinor_.Custom, &TiPlotObject::TriggerChange);
}

void TiPlotDataView::SetGridLineYMajorCustom(bool Value) {
    SetBooleanProperty(Value, yMajor_.Custom, &TiPlotObject::TriggerChange);
}

void TiPlotDataView::SetGridLineYMinorCustom(bool Value) {
    SetBooleanProperty(Value, yMinor_.Custom, &TiPlotObject::TriggerChange);
}

void TiPlotDataView::SetGridLineXMajorColor(TColor Value) {
    SetColorProperty(Value, xMajor_.Color, &TiPlotObject::TriggerChange);
}

void TiPlotDataView::SetGridLineXMinorColor(TColor Value) {
    SetColorProperty(Value, xMinor_.Color, &TiPlotObject::TriggerChange);
}

void TiPlotDataView::SetGridLineYMajorColor(TColor Value) {
    SetColorProperty(Value, yMajor_.Color, &TiPlotObject::TriggerChange);
}

void TiPlotDataView::SetGridLineYMinorColor(TColor Value) {
    SetColorProperty(Value, yMinor_.Color, &TiPlotObject::TriggerChange);
}

void TiPlotDataView::SetGridLineXMajorWidth(int Value) {
    SetWidth(Value, xMajor_.Width);
}

void TiPlotDataView::SetGridLineXMinorWidth(int Value) {
    SetWidth(Value, xMinor_.Width);
}

void TiPlotDataView::SetGridLineYMajorWidth(int Value) {
    SetWidth(Value, yMajor_.Width);
}

void TiPlotDataView::SetGridLineYMinorWidth(int Value) {
    SetWidth(Value, yMinor_.Width);
}

void TiPlotDataView::SetGridLineXMajorStyle(TiPlotGridLineStyle Value) {
    SetStyle(Value, xMajor_.Style);
}

void TiPlotDataView::SetGridLineXMinorStyle(TiPlotGridLineStyle Value) {
    SetStyle(Value, xMinor_.Style);
}

void TiPlotDataView::SetGridLineYMajorStyle(TiPlotGridLineStyle Value) {
    SetStyle(Value, yMajor_.Style);
}

void TiPlotDataView::SetGridLineYMinorStyle(TiPlotGridLineStyle Value) {
    SetStyle(Value, yMinor_.Style);
}

void TiPlotDataView::SetAxesControlMouseStyle(TiPlotAxesControlStyle Value) {
    if (Value <= ipacsBoth) axesControlMouseStyle_ = Value;
}

void TiPlotDataView::SetAxesControlWheelStyle(TiPlotAxesControlStyle Value) {
    if (Value <= ipacsBoth) axesControlWheelStyle_ = Value;
}

// The mode ---------------------------------------------------------------------------------

TiPlotDataView::TiToolBarModes TiPlotDataView::ReadToolBarModes() const {
    const TiPlotMasterManager* master = Owner()->GetMasterManager();
    if (!master || master->Count(TiPlotObjectKind::ToolBar) == 0) return {};
    const auto* toolBar = qobject_cast<TiPlotToolBar*>(master->Get(TiPlotObjectKind::ToolBar, 0));
    if (!toolBar) return {};
    return {toolBar->GetSelectActive(), toolBar->GetZoomBoxActive()};
}

TiPlotDataViewMode TiPlotDataView::GetMode() const {
    const TiToolBarModes toolBar = ReadToolBarModes();
    if (toolBar.SelectActive) return ipdvmSelect;
    if (toolBar.ZoomBoxActive) return ipdvmZoomBox;
    return axesControlEnabled_ ? ipdvmScrollZoom : ipdvmNone;
}

// Percent conversions ----------------------------------------------------------------------

double TiPlotDataView::PixelsXToPositionPercent(int X) const {
    const int width = DrawRect().Width();
    return width == 0 ? 0 : double(X - Left()) / width * 100;
}

double TiPlotDataView::PixelsYToPositionPercent(int Y) const {
    const int height = DrawRect().Height();
    return height == 0 ? 0 : (1 - double(Y - Top()) / height) * 100;
}

// Bounded like the axes' pixels, so that what is placed around the pixel cannot overflow.
int TiPlotDataView::PositionPercentToPixelsX(double Percent) const {
    return BoundPixelOffset(Round(DrawRect().Width() * Percent / 100 + Left()));
}

int TiPlotDataView::PositionPercentToPixelsY(double Percent) const {
    return BoundPixelOffset(Round(DrawRect().Height() * (100 - Percent) / 100 + Top()));
}

// Axes -------------------------------------------------------------------------------------

TiPlotAxis* TiPlotDataView::XAxisNeeded() {
    return qobject_cast<TiPlotAxis*>(gridXAxis_.Get());
}

TiPlotAxis* TiPlotDataView::YAxisNeeded() {
    return qobject_cast<TiPlotAxis*>(gridYAxis_.Get());
}

void TiPlotDataView::ForEachAxis(TiPlotObjectKind Kind,
                                 const std::function<void(TiPlotAxis&)>& Action) {
    TiPlotMasterManager* master = Owner()->GetMasterManager();
    if (!master) return;
    TiPlotObjectGuard guard(*this);
    // By index and counted anew: an axis's handlers may add or remove axes.
    for (int i = 0; i < master->Count(Kind) && !guard.Destroyed(); ++i)
        if (auto* axis = qobject_cast<TiPlotAxis*>(master->Get(Kind, i))) Action(*axis);
}

void TiPlotDataView::DoZoom(const TRect& Rect) {
    TiPlotObjectGuard guard(*this);
    TRect zoom = Rect;
    bool cancel = false;
    Owner()->DoBeforeZoomBox(zoom, cancel);
    if (cancel || guard.Destroyed()) return;
    // The handler may hand back any rectangle: an inverted one would zoom the axes to a
    // reversed range, an empty one to nothing.
    zoom = {std::min(zoom.Left, zoom.Right), std::min(zoom.Top, zoom.Bottom),
            std::max(zoom.Left, zoom.Right), std::max(zoom.Top, zoom.Bottom)};
    if (zoom.IsEmpty()) return;
    ForEachAxis(TiPlotObjectKind::XAxis, [&](TiPlotAxis& axis) { axis.ZoomRect(zoom); });
    ForEachAxis(TiPlotObjectKind::YAxis, [&](TiPlotAxis& axis) { axis.ZoomRect(zoom); });
}

// Drawing ----------------------------------------------------------------------------------

void TiPlotDataView::DrawBackground(TCanvas& Canvas) {
    if (backgroundTransparent_) return;
    Canvas.Brush()->SetStyle(bsSolid);
    Canvas.Brush()->SetColor(backgroundColor_);
    Canvas.FillRect(DrawRect());
}

TiPlotGridLinePen TiPlotDataView::GridLinePen(const TiGridLineSettings& Settings, bool Show,
                                              TiPlotGridLineStyle SharedStyle) const {
    if (Settings.Custom) return {Show, Settings.Style, Settings.Color, Settings.Width};
    return {Show, SharedStyle, gridLineColor_, 0};
}

void TiPlotDataView::DrawGridAxes(TCanvas& Canvas, TiPlotObjectKind Kind,
                                  TiPlotNameReference& Reference, const TiPlotGridLinePen& Major,
                                  const TiPlotGridLinePen& Minor) {
    const TRect rect = DrawRect();
    if (IsAllAxesName(Reference.Name())) {
        ForEachAxis(Kind,
                    [&](TiPlotAxis& axis) { axis.DrawGridLines(Canvas, rect, Major, Minor); });
        return;
    }
    if (auto* axis = qobject_cast<TiPlotAxis*>(Reference.Get()))
        axis->DrawGridLines(Canvas, rect, Major, Minor);
}

void TiPlotDataView::DrawBorder(TCanvas& Canvas, bool Left, bool Top, bool Right, bool Bottom) {
    const TRect r = DrawRect();
    const auto line = [&Canvas](int X1, int Y1, int X2, int Y2) {
        Canvas.MoveTo(X1, Y1);
        Canvas.LineTo(X2, Y2);
    };
    if (Left) line(r.Left, r.Top, r.Left, r.Bottom);
    if (Right) line(r.Right, r.Top, r.Right, r.Bottom);
    if (Top) line(r.Left, r.Top, r.Right, r.Top);
    // One further, as the line's end point is not drawn and the corner pixel would be missing.
    if (Bottom) line(r.Left, r.Bottom, r.Right + 1, r.Bottom);
}

void TiPlotDataView::DrawGrid(TCanvas& Canvas) {
    if (!gridShow_) return;
    DrawGridAxes(Canvas, TiPlotObjectKind::XAxis, gridXAxis_,
                 GridLinePen(xMajor_, gridLineShowXMajors_, gridLineMajorStyle_),
                 GridLinePen(xMinor_, gridLineShowXMinors_, gridLineMinorStyle_));
    DrawGridAxes(Canvas, TiPlotObjectKind::YAxis, gridYAxis_,
                 GridLinePen(yMajor_, gridLineShowYMajors_, gridLineMajorStyle_),
                 GridLinePen(yMinor_, gridLineShowYMinors_, gridLineMinorStyle_));
    Canvas.Pen()->SetStyle(psSolid);
    Canvas.Pen()->SetWidth(0);
    Canvas.Pen()->SetColor(gridLineColor_);
    DrawBorder(Canvas, gridLineShowLeft_, gridLineShowTop_, gridLineShowRight_,
               gridLineShowBottom_);
}

void TiPlotDataView::DrawSelectionFrame(TCanvas& Canvas, TColor BackGroundColor) {
    Canvas.Pen()->SetStyle(psSolid);
    Canvas.Pen()->SetWidth(0);
    Canvas.Pen()->SetColor(BackGroundColor);
    Canvas.Brush()->SetStyle(bsClear);
    DrawBorder(Canvas, true, true, true, true);
    Canvas.Font()->SetColor(clWhite);
    const TRect r = DrawRect();
    iDrawFocusRect2(&Canvas, {r.Left, r.Top, r.Right + 1, r.Bottom + 1});
}

void TiPlotDataView::Draw(TCanvas& Canvas, TColor BackGroundColor) {
    TiPlotObjectGuard guard(*this);
    DrawGrid(Canvas);
    if (guard.Destroyed()) return;
    if (UserSelected()) DrawSelectionFrame(Canvas, BackGroundColor);
    if (!mouseDown_ || GetMode() != ipdvmZoomBox) return;
    Canvas.Font()->SetColor(clWhite);
    // Drawn from whichever corner the drag started at; only a box dragged down to the right
    // zooms when released.
    iDrawFocusRect2(&Canvas, {std::min(pressPoint_.X, currentPoint_.X),
                              std::min(pressPoint_.Y, currentPoint_.Y),
                              std::max(pressPoint_.X, currentPoint_.X),
                              std::max(pressPoint_.Y, currentPoint_.Y)});
}

// Notices and menu -------------------------------------------------------------------------

void TiPlotDataView::NotificationRemove(QObject* Object) {
    gridXAxis_.NotificationRemove(Object);
    gridYAxis_.NotificationRemove(Object);
}

void TiPlotDataView::NotificationRename(QObject* Object) {
    gridXAxis_.NotificationRename(Object);
    gridYAxis_.NotificationRename(Object);
}

void TiPlotDataView::NotificationSetFocus(QObject* Object) {
    const auto* object = qobject_cast<TiPlotObject*>(Object);
    if (object && object != this && object->UserSelected()) SetUserSelected(false);
}

void TiPlotDataView::AddMenuItems(QMenu* PopupMenu) {
    TiPlotLayoutObject::AddMenuItems(PopupMenu);
    AddEditMenuItems(PopupMenu);
}

Qt::CursorShape TiPlotDataView::GetMousePointer(TPoint Point) {
    if (MouseObject() && MouseObject() != this) return TiPlotLayoutObject::GetMousePointer(Point);
    SetMouseObject(this);
    switch (GetMode()) {
    case ipdvmZoomBox:
        return Qt::DragMoveCursor;
    case ipdvmScrollZoom:
        return Qt::PointingHandCursor;
    default:
        return Qt::ArrowCursor;
    }
}

// Mouse ------------------------------------------------------------------------------------

void TiPlotDataView::DoMouseLeft(const TiPlotMouseData& MouseData) {
    axesDecided_ = false;
    mouseDown_ = true;
    pressPoint_ = {MouseData.X, MouseData.Y};
    switch (GetMode()) {
    case ipdvmZoomBox:
        currentPoint_ = pressPoint_;
        Owner()->DisableAllTracking();
        InvalidateNow();
        break;
    case ipdvmScrollZoom:
        ForEachAxis(TiPlotObjectKind::XAxis,
                    [&](TiPlotAxis& axis) { axis.DoMouseLeft(MouseData); });
        ForEachAxis(TiPlotObjectKind::YAxis,
                    [&](TiPlotAxis& axis) { axis.DoMouseLeft(MouseData); });
        break;
    default:
        break;
    }
}

void TiPlotDataView::DecideDragAxes(const TiPlotMouseData& MouseData) {
    const bool shift = ShiftState().testFlag(ssShift);
    switch (axesControlMouseStyle_) {
    case ipacsXAxis:
        axesDecided_ = true;
        xAxesOnly_ = !shift;
        return;
    case ipacsYAxis:
        axesDecided_ = true;
        xAxesOnly_ = shift;
        return;
    case ipacsBoth:
        if (axesDecided_ || !shift) return;
        // Measured along the axes' directions, so that a turned plot decides alike.
        const TiPlotMouseData press = MakeMouseData(pressPoint_.X, pressPoint_.Y, false);
        if (std::abs(MouseData.XAxisPixels - press.XAxisPixels) > DragDecisionPixels) {
            axesDecided_ = true;
            xAxesOnly_ = true;
        }
        if (std::abs(MouseData.YAxisPixels - press.YAxisPixels) > DragDecisionPixels) {
            axesDecided_ = true;
            xAxesOnly_ = false;
        }
        return;
    }
}

void TiPlotDataView::DoMouseMove(const TiPlotMouseData& MouseData) {
    if (!mouseDown_) return;
    switch (GetMode()) {
    case ipdvmZoomBox:
        if (MouseData.DblClickActive) return;
        currentPoint_ = {MouseData.X, MouseData.Y};
        InvalidateNow();
        return;
    case ipdvmScrollZoom:
        DecideDragAxes(MouseData);
        if (!axesDecided_ || xAxesOnly_)
            ForEachAxis(TiPlotObjectKind::XAxis,
                        [&](TiPlotAxis& axis) { axis.DoMouseMove(MouseData); });
        if (!axesDecided_ || !xAxesOnly_)
            ForEachAxis(TiPlotObjectKind::YAxis,
                        [&](TiPlotAxis& axis) { axis.DoMouseMove(MouseData); });
        return;
    default:
        return;
    }
}

void TiPlotDataView::DoMouseUp(const TiPlotMouseData& MouseData) {
    if (!mouseDown_) return;
    TiPlotObjectGuard guard(*this);
    switch (GetMode()) {
    case ipdvmZoomBox:
        if (!MouseData.DblClickActive && pressPoint_.X < currentPoint_.X &&
            pressPoint_.Y < currentPoint_.Y) {
            DoZoom({pressPoint_.X, pressPoint_.Y, currentPoint_.X, currentPoint_.Y});
            if (guard.Destroyed()) return;
            InvalidateNow();
        }
        break;
    case ipdvmScrollZoom:
        ForEachAxis(TiPlotObjectKind::XAxis, [&](TiPlotAxis& axis) { axis.DoMouseUp(MouseData); });
        ForEachAxis(TiPlotObjectKind::YAxis, [&](TiPlotAxis& axis) { axis.DoMouseUp(MouseData); });
        break;
    default:
        break;
    }
    if (guard.Destroyed()) return;
    mouseDown_ = false;
    if (DrawRect().Contains({MouseData.X, MouseData.Y})) Owner()->DoObjectClick(this);
    if (!guard.Destroyed()) InvalidateNow();
}

bool TiPlotDataView::iMouseWheel(int WheelDelta, TShiftState Shift, TPoint MousePos) {
    if (GetMode() != ipdvmScrollZoom) return false;
    const bool shift = Shift.testFlag(ssShift);
    bool xAxes = true, yAxes = true;
    if (axesControlWheelStyle_ == ipacsXAxis) {
        xAxes = !shift;
        yAxes = shift;
    } else if (axesControlWheelStyle_ == ipacsYAxis) {
        xAxes = shift;
        yAxes = !shift;
    }
    const auto turn = [&](TiPlotAxis& axis) { axis.iMouseWheel(WheelDelta, Shift, MousePos); };
    if (xAxes) ForEachAxis(TiPlotObjectKind::XAxis, turn);
    if (yAxes) ForEachAxis(TiPlotObjectKind::YAxis, turn);
    return true;
}
