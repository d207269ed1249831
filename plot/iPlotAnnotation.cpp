#include "plot/iPlotAnnotation.h"

#include "instruments/framework/Igpfunctions.h"
#include "platform/PropertyDefaults.h"
#include "platform/Rounding.h"
#include "plot/channels/iPlotChannelAxis.h"
#include "plot/channels/iPlotChannelCustom.h"
#include "plot/iPlotDataView.h"
#include "plot/iPlotLabel.h"
#include "plot/iPlotMasterManager.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <utility>

namespace {

const PropertyDefaults::Registration
    defaults(TiPlotAnnotation::staticMetaObject,
             {
                 {"Style", QVariant::fromValue(TiPlotAnnotation::ipasText)},
                 {"Reference", QVariant::fromValue(TiPlotAnnotation::iprtDataView)},
                 {"X", 0.0},
                 {"Y", 0.0},
                 {"X2", 0.0},
                 {"Y2", 0.0},
                 {"Width", 0.0},
                 {"Height", 0.0},
                 {"PenColor", clWhite},
                 {"PenStyle", QVariant::fromValue(psSolid)},
                 {"PenWidth", 0},
                 {"BrushColor", clWhite},
                 {"BrushStyle", QVariant::fromValue(bsSolid)},
                 {"Text", QString()},
                 {"TextRotation", QVariant::fromValue(ira000)},
                 {"TextHorzAlignment", QVariant::fromValue(iahCenter)},
                 {"TextVertAlignment", QVariant::fromValue(iavCenter)},
                 {"TextHorzMargin", 1.0},
                 {"TextVertMargin", 1.0},
                 {"Font.Name", QStringLiteral("Arial")},
                 {"Font.Color", clWhite},
                 {"ImageListIndex", 0},
                 {"ImageIndex", 0},
                 {"ChannelName", QString()},
                 {"UserCanMove", false},
                 {"UserCanSize", false},
                 {"ClipToAxes", false},
                 {"ShowFocusRect", true},
             });

bool Intersects(const TRect& A, const TRect& B) {
    return !IntersectRect(A, B).IsEmpty();
}

// Stores a changed enumeration value that lies within its declared values.
template <typename T> bool SetEnumeration(T Value, T Last, T& Field) {
    if (Value > Last || Value == Field) return false;
    Field = Value;
    return true;
}

} // namespace

TiPlotAnnotation::TiPlotAnnotation(TiPlotHost* Owner, const TiPlotObjectHooks& Hooks)
    : TiPlotObject(Owner, Hooks), font_(std::make_unique<TFont>()),
      channel_(*this, TiPlotObjectKind::Channel) {
    font_->SetName(QStringLiteral("Arial"));
    font_->SetColor(clWhite);
    font_->OnChange = [this](QObject*) { TriggerChange(this); };
}

TiPlotAnnotation::~TiPlotAnnotation() = default;

TiPlotObjectClass TiPlotAnnotation::ObjectClass() {
    TiPlotObjectClass objectClass = PlotObjectClassOf<TiPlotAnnotation>();
    objectClass.Initialize = [](TiPlotObject* Object, TiPlotMasterManager& Master) {
        auto* annotation = qobject_cast<TiPlotAnnotation*>(Object);
        if (annotation && Master.Plot())
            annotation->ApplyDefaults(Master.Plot()->AnnotationDefaults());
    };
    return objectClass;
}

void TiPlotAnnotation::ApplyDefaults(const TiPlotAnnotationDefaults& Defaults) {
    SetFont(Defaults.Font);
    SetBrushStyle(Defaults.BrushStyle);
    SetBrushColor(Defaults.BrushColor);
    SetPenStyle(Defaults.PenStyle);
    SetPenColor(Defaults.PenColor);
    SetPenWidth(Defaults.PenWidth);
}

// Properties -------------------------------------------------------------------------------

void TiPlotAnnotation::SetStyle(TiPlotAnnotationStyle Value) {
    if (SetEnumeration(Value, ipasEllipse, style_)) TriggerChange(this);
}

void TiPlotAnnotation::SetReference(TiPlotReferenceType Value) {
    if (SetEnumeration(Value, iprtXDataViewYChannel, reference_)) TriggerChange(this);
}

void TiPlotAnnotation::ReportCoordinates() {
    TiPlotObjectGuard guard(*this);
    TriggerChange(this);
    if (!guard.Destroyed() && Owner()) Owner()->DoAnnotationCoordinatesChange(this);
}

void TiPlotAnnotation::SetCoordinate(double Value, double& Field) {
    if (std::isnan(Value) || Value == Field) return;
    Field = Value;
    ReportCoordinates();
}

void TiPlotAnnotation::SetX(double Value) {
    SetCoordinate(Value, x_);
}

void TiPlotAnnotation::SetY(double Value) {
    SetCoordinate(Value, y_);
}

void TiPlotAnnotation::SetX2(double Value) {
    SetCoordinate(Value, x2_);
}

void TiPlotAnnotation::SetY2(double Value) {
    SetCoordinate(Value, y2_);
}

void TiPlotAnnotation::SetWidth(double Value) {
    SetCoordinate(Value, width_);
}

void TiPlotAnnotation::SetHeight(double Value) {
    SetCoordinate(Value, height_);
}

void TiPlotAnnotation::SetPenColor(TColor Value) {
    SetColorProperty(Value, penColor_, &TiPlotObject::TriggerChange);
}

void TiPlotAnnotation::SetPenStyle(TPenStyle Value) {
    if (SetEnumeration(Value, psInsideFrame, penStyle_)) TriggerChange(this);
}

void TiPlotAnnotation::SetPenWidth(int Value) {
    SetIntegerProperty(std::clamp(Value, 0, MaxPenWidth), penWidth_, &TiPlotObject::TriggerChange);
}

void TiPlotAnnotation::SetBrushColor(TColor Value) {
    SetColorProperty(Value, brushColor_, &TiPlotObject::TriggerChange);
}

void TiPlotAnnotation::SetBrushStyle(TBrushStyle Value) {
    if (SetEnumeration(Value, bsDiagCross, brushStyle_)) TriggerChange(this);
}

void TiPlotAnnotation::SetText(const QString& Value) {
    SetStringProperty(Value, text_, &TiPlotObject::TriggerChange);
}

void TiPlotAnnotation::SetTextRotation(TiRotationAngle Value) {
    if (SetEnumeration(Value, ira270, textRotation_)) TriggerChange(this);
}

void TiPlotAnnotation::SetTextHorzAlignment(TiAlignmentHorizontal Value) {
    if (SetEnumeration(Value, iahRight, textHorzAlignment_)) TriggerChange(this);
}

void TiPlotAnnotation::SetTextVertAlignment(TiAlignmentVertical Value) {
    if (SetEnumeration(Value, iavBottom, textVertAlignment_)) TriggerChange(this);
}

void TiPlotAnnotation::SetMargin(double Value, double& Field) {
    double bounded = 0;
    if (BoundedMargin(Value, MaxTextMargin, bounded))
        SetDoubleProperty(bounded, Field, &TiPlotObject::TriggerChange);
}

void TiPlotAnnotation::SetTextHorzMargin(double Value) {
    SetMargin(Value, textHorzMargin_);
}

void TiPlotAnnotation::SetTextVertMargin(double Value) {
    SetMargin(Value, textVertMargin_);
}

void TiPlotAnnotation::SetFont(const TFont* Value) {
    if (Value) font_->Assign(*Value);
}

void TiPlotAnnotation::SetImageListIndex(int Value) {
    SetIntegerProperty(Value, imageListIndex_, &TiPlotObject::TriggerChange);
}

void TiPlotAnnotation::SetImageIndex(int Value) {
    SetIntegerProperty(Value, imageIndex_, &TiPlotObject::TriggerChange);
}

void TiPlotAnnotation::SetClipToAxes(bool Value) {
    SetBooleanProperty(Value, clipToAxes_, &TiPlotObject::TriggerChange);
}

void TiPlotAnnotation::SetShowFocusRect(bool Value) {
    SetBooleanProperty(Value, showFocusRect_, &TiPlotObject::TriggerChange);
}

TiPlotDataView* TiPlotAnnotation::DataView() const {
    return dataView_;
}

void TiPlotAnnotation::SetDataView(TiPlotDataView* Value) {
    dataView_ = Value;
}

TiPlotChannelCustom* TiPlotAnnotation::GetChannel() {
    return qobject_cast<TiPlotChannelCustom*>(channel_.Get());
}

bool TiPlotAnnotation::IsSizeable() const {
    return userCanSize_ &&
           (style_ == ipasRectangle || style_ == ipasTextRectangle || style_ == ipasEllipse);
}

// Coordinates ------------------------------------------------------------------------------

TiPlotChannelAxis* TiPlotAnnotation::ChannelAxis(bool Vertical) {
    TiPlotChannelCustom* channel = GetChannel();
    if (!channel) return nullptr;
    return Vertical ? channel->YAxis() : channel->XAxis();
}

bool TiPlotAnnotation::OnChannel(bool Vertical) const {
    return reference_ == iprtChannel ||
           reference_ == (Vertical ? iprtXDataViewYChannel : iprtXChannelYDataView);
}

// The X quantity runs down the screen with the X axes vertical, the Y quantity across it.
bool TiPlotAnnotation::RunsDown(bool Vertical) const {
    return Vertical != XYAxesReversed();
}

int TiPlotAnnotation::QuantityToPixels(bool Vertical, double Value) {
    if (OnChannel(Vertical)) {
        const TiPlotChannelAxis* axis = ChannelAxis(Vertical);
        return axis ? axis->ChannelAxisMap().PositionToPixels(Value) : 0;
    }
    if (!dataView_) return 0;
    // Bounded as the axes bound their pixels, so that the shapes' arithmetic cannot overflow.
    return BoundPixelOffset(RunsDown(Vertical) ? dataView_->PositionPercentToPixelsY(Value)
                                               : dataView_->PositionPercentToPixelsX(Value));
}

double TiPlotAnnotation::QuantityAt(bool Vertical, int Pixel) {
    if (OnChannel(Vertical)) {
        const TiPlotChannelAxis* axis = ChannelAxis(Vertical);
        return axis ? axis->ChannelAxisMap().PixelsToPosition(Pixel) : 0;
    }
    if (!dataView_) return 0;
    return RunsDown(Vertical) ? dataView_->PixelsYToPositionPercent(Pixel)
                              : dataView_->PixelsXToPositionPercent(Pixel);
}

int TiPlotAnnotation::PositionXToPixels(double Value) {
    return QuantityToPixels(false, Value);
}

int TiPlotAnnotation::PositionYToPixels(double Value) {
    return QuantityToPixels(true, Value);
}

// With the X axes vertical the quantity across the screen is the vertical one, for every
// reference; taking a data-view percent through the channel's axis instead made the moves of
// mixed references jump away from the pointer.
double TiPlotAnnotation::PixelsXToPosition(int X) {
    return QuantityAt(XYAxesReversed(), X);
}

double TiPlotAnnotation::PixelsYToPosition(int Y) {
    return QuantityAt(!XYAxesReversed(), Y);
}

double TiPlotAnnotation::MousePointToXPos(TPoint Point) {
    return QuantityAt(false, XYAxesReversed() ? Point.Y : Point.X);
}

double TiPlotAnnotation::MousePointToYPos(TPoint Point) {
    return QuantityAt(true, XYAxesReversed() ? Point.X : Point.Y);
}

TPoint TiPlotAnnotation::ScreenPoint(double X, double Y) {
    return iXYReversePoint(XYAxesReversed(), PositionXToPixels(X), PositionYToPixels(Y));
}

void TiPlotAnnotation::SetupRectangle(const TRect& Rect) {
    const double left = PixelsXToPosition(Rect.Left);
    const double right = PixelsXToPosition(Rect.Right);
    const double top = PixelsYToPosition(Rect.Top);
    const double bottom = PixelsYToPosition(Rect.Bottom);
    // The screen's horizontal quantity is Y with the X axes vertical.
    const bool reversed = XYAxesReversed();
    double& across = reversed ? y_ : x_;
    double& down = reversed ? x_ : y_;
    if (style_ == ipasEllipse) {
        across = left;
        down = top;
        (reversed ? y2_ : x2_) = right;
        (reversed ? x2_ : y2_) = bottom;
    } else {
        across = (left + right) / 2;
        down = (top + bottom) / 2;
        (reversed ? height_ : width_) = std::abs(right - left);
        (reversed ? width_ : height_) = std::abs(bottom - top);
    }
    coordinatesChanged_ = true;
    ReportCoordinates();
}

int TiPlotAnnotation::GetXMax() const {
    if (!dataView_) return 0;
    return XYAxesReversed() ? dataView_->Top() : dataView_->Right();
}

int TiPlotAnnotation::GetXMin() const {
    if (!dataView_) return 0;
    return XYAxesReversed() ? dataView_->Bottom() : dataView_->Left();
}

int TiPlotAnnotation::GetYMax() const {
    if (!dataView_) return 0;
    return XYAxesReversed() ? dataView_->Right() : dataView_->Top();
}

int TiPlotAnnotation::GetYMin() const {
    if (!dataView_) return 0;
    return XYAxesReversed() ? dataView_->Left() : dataView_->Bottom();
}

// Drawing ----------------------------------------------------------------------------------

bool TiPlotAnnotation::ReferenceReady() {
    if (!dataView_) return false;
    if (reference_ == iprtDataView) return true;
    return ChannelAxis(false) && ChannelAxis(true);
}

void TiPlotAnnotation::ClipCanvas(TCanvas& Canvas) {
    const bool clip =
        clipToAxes_ || (reference_ == iprtChannel && Owner() && Owner()->ClipAnnotationsToAxes());
    // A data-view annotation asked to clip has no axes of its own unless it names a channel;
    // without one the plot's clip to the data view is all there is.
    const TiPlotChannelAxis* x = ChannelAxis(false);
    const TiPlotChannelAxis* y = ChannelAxis(true);
    if (!clip || !x || !y) return;
    Canvas.IntersectClipRect(iXYReverseRect(
        XYAxesReversed(), x->ChannelAxisMap().GetMinPixels(), y->ChannelAxisMap().GetMinPixels(),
        x->ChannelAxisMap().GetMaxPixels(), y->ChannelAxisMap().GetMaxPixels()));
}

void TiPlotAnnotation::Draw(TCanvas& Canvas, TColor) {
    drawn_ = false;
    hitRect_ = {};
    handles_ = {};
    if (!Visible() || !ReferenceReady()) return;
    // The plot takes the clip back after each object.
    ClipCanvas(Canvas);
    Canvas.Pen()->SetColor(penColor_);
    Canvas.Pen()->SetWidth(penWidth_);
    Canvas.Pen()->SetStyle(penStyle_);
    Canvas.Brush()->SetColor(brushColor_);
    Canvas.Brush()->SetStyle(brushStyle_);
    DrawStyle(Canvas, dataView_->DrawRect());
}

void TiPlotAnnotation::DrawStyle(TCanvas& Canvas, const TRect& View) {
    const bool reversed = XYAxesReversed();
    switch (style_) {
    case ipasText:
        DrawText(Canvas, View);
        break;
    case ipasLine: {
        const TPoint from = ScreenPoint(x_, y_);
        const TPoint to = ScreenPoint(x2_, y2_);
        // Ordered before it is widened: widening the corners as given shrank a line drawn
        // leftwards or upwards to nothing, and it vanished.
        if (Intersects(InflateRect(iRect(from.X, from.Y, to.X, to.Y), 1, 1), View))
            Canvas.Polyline(std::array<TPoint, 2>{from, to});
        break;
    }
    case ipasLineX:
    case ipasLineY:
        DrawMarkerLine(Canvas, View, style_ == ipasLineX);
        break;
    case ipasImage:
        DrawImage(Canvas, View);
        break;
    case ipasRectangle:
    case ipasTextRectangle:
        DrawShape(Canvas, View,
                  iXYReverseRect(reversed, PositionXToPixels(x_ - width_ / 2),
                                 PositionYToPixels(y_ - height_ / 2),
                                 PositionXToPixels(x_ + width_ / 2),
                                 PositionYToPixels(y_ + height_ / 2)));
        break;
    case ipasEllipse:
        DrawShape(Canvas, View,
                  iXYReverseRect(reversed, PositionXToPixels(x_), PositionYToPixels(y_),
                                 PositionXToPixels(x2_), PositionYToPixels(y2_)));
        break;
    }
}

void TiPlotAnnotation::DrawText(TCanvas& Canvas, const TRect& View) {
    Canvas.SetFont(font_.get());
    Canvas.Brush()->SetStyle(bsClear);
    const TPoint anchor = ScreenPoint(x_, y_);
    TRect r{anchor.X, anchor.Y, anchor.X, anchor.Y};
    drawn_ = true;
    if (textRotation_ != ira000) {
        hitRect_ = IntersectRect(iDrawRotatedText(&Canvas, text_, r, textRotation_), View);
        return;
    }
    const TSize extent = Canvas.TextExtent(text_);
    TiTextFlags flags{itfSingleLine, itfNoClip};
    switch (textHorzAlignment_) {
    case iahCenter:
        r.Left -= extent.cx / 2;
        r.Right += extent.cx / 2;
        flags += itfHCenter;
        break;
    case iahLeft:
        r.Right = r.Left + extent.cx;
        flags += itfHLeft;
        break;
    case iahRight:
        r.Left = r.Right - extent.cx;
        flags += itfHRight;
        break;
    }
    switch (textVertAlignment_) {
    case iavCenter:
        r.Top -= extent.cy / 2;
        r.Bottom += extent.cy / 2;
        flags += itfVCenter;
        break;
    case iavTop:
        r.Bottom = r.Top + extent.cy;
        flags += itfVTop;
        break;
    case iavBottom:
        r.Top -= extent.cy;
        flags += itfVBottom;
        break;
    }
    // Kept within the data view as the rotated text is, so that a text beyond it does not
    // take the clicks meant for the axes around it.
    hitRect_ = IntersectRect(r, View);
    iDrawText(&Canvas, text_, r, flags);
}

void TiPlotAnnotation::DrawMarkerLine(TCanvas& Canvas, const TRect& View, bool OnX) {
    const bool reversed = XYAxesReversed();
    const int at = OnX ? PositionXToPixels(x_) : PositionYToPixels(y_);
    // Along the X quantity's direction a marker at X spans the view from GetYMax to GetYMin;
    // one at Y spans it from GetXMax to GetXMin.
    const int start = OnX ? GetYMax() : GetXMax();
    const int stop = OnX ? GetYMin() : GetXMin();
    auto rect = [&](int AtLow, int StartOffset, int AtHigh, int StopOffset) {
        return OnX ? iXYReverseRect(reversed, AtLow, start + StartOffset, AtHigh, stop + StopOffset)
                   : iXYReverseRect(reversed, start + StartOffset, AtLow, stop + StopOffset,
                                    AtHigh);
    };
    if (!Intersects(rect(at - 1, -1, at + 1, 1), View)) return;
    const TRect line = rect(at, 0, at, 0);
    Canvas.Polyline(std::array<TPoint, 2>{line.TopLeft(), line.BottomRight()});
    drawn_ = true;
    hitRect_ = rect(at - LineGrabMargin, 0, at + LineGrabMargin, 0);
}

void TiPlotAnnotation::DrawImage(TCanvas& Canvas, const TRect& View) {
    const int list = imageListIndex_ == 0 || imageListIndex_ == 1 ? imageListIndex_ : 2;
    const TSize size = Owner() ? Owner()->ImageListImageSize(list) : TSize{};
    const TPoint centre = ScreenPoint(x_, y_);
    const TRect r = Bounds(centre.X - size.cx / 2, centre.Y - size.cy / 2, size.cx, size.cy);
    if (!Intersects(r, View)) return;
    drawn_ = true;
    hitRect_ = r;
    Owner()->DrawImageListImage(Canvas, list, imageIndex_, r.Left, r.Top, Enabled());
}

void TiPlotAnnotation::DrawShape(TCanvas& Canvas, const TRect& View, const TRect& Shape) {
    if (!Intersects(Shape, View)) return;
    if (style_ == ipasEllipse)
        Canvas.Ellipse(Shape);
    else
        Canvas.Rectangle(Shape);
    drawn_ = true;
    shapeRect_ = Shape;
    hitRect_ = IntersectRect(Shape, View);
    const std::array<TPoint, 4> corners{Shape.TopLeft(), TPoint{Shape.Right, Shape.Top},
                                        TPoint{Shape.Left, Shape.Bottom}, Shape.BottomRight()};
    for (size_t i = 0; i < corners.size(); ++i)
        handles_[i] =
            IntersectRect(InflateRect(Rect(corners[i].X, corners[i].Y, corners[i].X, corners[i].Y),
                                      HandleHalf, HandleHalf),
                          View);
    if (UserSelected() && showFocusRect_)
        for (const TRect& handle : handles_)
            Canvas.InvertRect(handle);
    if (style_ == ipasTextRectangle) DrawFramedText(Canvas, Shape);
}

void TiPlotAnnotation::DrawFramedText(TCanvas& Canvas, const TRect& Shape) {
    Canvas.SetFont(font_.get());
    Canvas.Brush()->SetStyle(bsClear);
    TRect r = Shape;
    TiTextFlags flags{itfSingleLine, itfNoClip};
    const TSize a = Canvas.TextExtent(QStringLiteral("A"));
    switch (textHorzAlignment_) {
    case iahCenter:
        flags += itfHCenter;
        break;
    case iahLeft:
        flags += itfHLeft;
        r.Left += Round(a.cx * textHorzMargin_);
        break;
    case iahRight:
        flags += itfHRight;
        r.Right -= Round(a.cx * textHorzMargin_);
        break;
    }
    switch (textVertAlignment_) {
    case iavCenter:
        flags += itfVCenter;
        break;
    case iavTop:
        flags += itfVTop;
        r.Top += Round(a.cy * textVertMargin_);
        break;
    case iavBottom:
        flags += itfVBottom;
        r.Bottom -= Round(a.cy * textVertMargin_);
        break;
    }
    iDrawText(&Canvas, text_, r, flags);
}

// Input ------------------------------------------------------------------------------------

bool TiPlotAnnotation::iMouseHitTest(const TiPlotMouseData& MouseData) {
    if (!Owner() || !Owner()->GetSelectModeActive() || !drawn_) return false;
    const TPoint point{MouseData.X, MouseData.Y};
    bool onHandle = false;
    HandleAt(point, onHandle);
    return hitRect_.Contains(point) || onHandle;
}

TiPlotAnnotation::THandle TiPlotAnnotation::HandleAt(TPoint Point, bool& Found) const {
    // In the order a press tests them.
    for (THandle handle : {hTopLeft, hBottomRight, hTopRight, hBottomLeft})
        if (handles_[handle].Contains(Point)) {
            Found = true;
            return handle;
        }
    Found = false;
    return hTopLeft;
}

Qt::CursorShape TiPlotAnnotation::GetMousePointer(TPoint Point) {
    if (!IsSizeable() || !UserSelected()) return Qt::PointingHandCursor;
    bool found = false;
    const THandle handle = HandleAt(Point, found);
    if (!found) return Qt::PointingHandCursor;
    return handle == hTopLeft || handle == hBottomRight ? Qt::SizeFDiagCursor : Qt::SizeBDiagCursor;
}

TiPlotAnnotation::TDragMode TiPlotAnnotation::PressedMode(TPoint Point) const {
    static constexpr std::array<TDragMode, 4> handleModes{
        TDragMode::TopLeft, TDragMode::TopRight, TDragMode::BottomLeft, TDragMode::BottomRight};
    bool found = false;
    const THandle handle = HandleAt(Point, found);
    if (IsSizeable() && found) return handleModes[handle];
    return IsMoveable() ? TDragMode::Move : TDragMode::None;
}

void TiPlotAnnotation::DoMouseLeft(const TiPlotMouseData& MouseData) {
    if (!drawn_) return;
    pressPoint_ = {MouseData.X, MouseData.Y};
    dragMode_ = PressedMode(pressPoint_);
    dragging_ = true;
    coordinatesChanged_ = false;
    pressShape_ = shapeRect_;
    pressX_ = x_;
    pressY_ = y_;
    pressX2_ = x2_;
    pressY2_ = y2_;
    // The anchor's screen point, for every reference.
    pressAnchor_ = ScreenPoint(x_, y_);
}

void TiPlotAnnotation::MoveAnchor(int dx, int dy) {
    const double across = PixelsXToPosition(pressAnchor_.X + dx);
    const double down = PixelsYToPosition(pressAnchor_.Y + dy);
    x_ = XYAxesReversed() ? down : across;
    y_ = XYAxesReversed() ? across : down;
    coordinatesChanged_ = true;
    ReportCoordinates();
}

void TiPlotAnnotation::MoveEllipse(TPoint Pointer) {
    double h = PixelsXToPosition(Pointer.X) - PixelsXToPosition(pressPoint_.X);
    double v = PixelsYToPosition(Pointer.Y) - PixelsYToPosition(pressPoint_.Y);
    if (XYAxesReversed()) std::swap(h, v);
    // The release reports the end of the move, as for every other shape.
    coordinatesChanged_ = true;
    TiPlotObjectGuard guard(*this);
    SetX(pressX_ + h);
    if (!guard.Destroyed()) SetY(pressY_ + v);
    if (!guard.Destroyed()) SetX2(pressX2_ + h);
    if (!guard.Destroyed()) SetY2(pressY2_ + v);
}

TRect TiPlotAnnotation::DraggedCorner(int dx, int dy) const {
    TRect r = pressShape_;
    const bool left = dragMode_ == TDragMode::TopLeft || dragMode_ == TDragMode::BottomLeft;
    const bool top = dragMode_ == TDragMode::TopLeft || dragMode_ == TDragMode::TopRight;
    (left ? r.Left : r.Right) += dx;
    (top ? r.Top : r.Bottom) += dy;
    return r;
}

void TiPlotAnnotation::DoMouseMove(const TiPlotMouseData& MouseData) {
    if (!UserSelected() || !dragging_ || dragMode_ == TDragMode::None) return;
    TiPlotObjectGuard guard(*this);
    const int dx = MouseData.X - pressPoint_.X;
    const int dy = MouseData.Y - pressPoint_.Y;
    if (dragMode_ != TDragMode::Move)
        SetupRectangle(DraggedCorner(dx, dy));
    else if (style_ == ipasRectangle)
        SetupRectangle(OffsetRect(pressShape_, dx, dy));
    else if (style_ == ipasEllipse)
        MoveEllipse({MouseData.X, MouseData.Y});
    else
        MoveAnchor(dx, dy);
    if (!guard.Destroyed()) TriggerChange(this);
}

void TiPlotAnnotation::DoMouseUp(const TiPlotMouseData& MouseData) {
    const bool wasDragging = std::exchange(dragging_, false);
    dragMode_ = TDragMode::None;
    if (!wasDragging || !Owner()) return;
    TiPlotObjectGuard guard(*this);
    if (hitRect_.Contains({MouseData.X, MouseData.Y})) Owner()->DoObjectClick(this);
    if (!guard.Destroyed() && coordinatesChanged_)
        Owner()->DoAnnotationCoordinatesChangeFinished(this);
}

void TiPlotAnnotation::NotificationRemove(QObject* Object) {
    if (Object == dataView_) dataView_ = nullptr;
    channel_.NotificationRemove(Object);
}

void TiPlotAnnotation::NotificationRename(QObject* Object) {
    channel_.NotificationRename(Object);
}

void TiPlotAnnotation::NotificationSetFocus(QObject* Object) {
    if (Object != this && UserSelected()) SetUserSelected(false);
}
