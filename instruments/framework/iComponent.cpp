#include "instruments/framework/iComponent.h"

#include "instruments/framework/Igpfunctions.h"
#include "instruments/framework/iFormLoading.h"
#include "platform/Exception.h"
#include "platform/PainterCanvas.h"
#include "platform/PropertyDefaults.h"
#include "platform/Rounding.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QDrag>
#include <QFileInfo>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QMimeData>
#include <QMouseEvent>
#include <QPaintEngine>
#include <QWheelEvent>
#include <algorithm>
#include <cmath>
#include <utility>

namespace {

const PropertyDefaults::Registration defaults(TiComponent::staticMetaObject,
                                              {
                                                  {"Visible", true},
                                                  {"Enabled", true},
                                                  {"ShowHint", false},
                                                  {"OptionSaveAllProperties", false},
                                                  {"AutoFrameRate", false},
                                                  {"UpdateFrameRate", 60},
                                              });

constexpr double MillisecondsPerDay = 86400000.0;

// Property files hold a line per property; anything this large is no property file, and
// reading it whole could exhaust memory.
constexpr qint64 MaxPropertyFileSize = qint64(16) << 20;

// Saved only with OptionSaveAllProperties: where the control sits and how the form treats it.
const char* const FormProperties[] = {"Left",    "Top",     "Width",    "Height",
                                      "Align",   "Cursor",  "ShowHint", "Tag",
                                      "Visible", "Enabled", "Hint",     "HelpContext"};

void CheckPropertyFileSize(const QString& fileName) {
    if (QFileInfo(fileName).size() > MaxPropertyFileSize)
        throw Exception(QStringLiteral("File \"%1\" is too large").arg(fileName));
}

bool IsSpecialKey(uint16_t key) {
    return key == VK_TAB || key == VK_RETURN || key == VK_ESCAPE || IsArrowKey(key);
}

bool PaintsToMetafile(TPainterCanvas& canvas) {
    const QPaintEngine* engine = canvas.Painter().paintEngine();
    return engine &&
           (engine->type() == QPaintEngine::SVG || engine->type() == QPaintEngine::Picture);
}

// Window activation and popups move the focus without the user entering or leaving the
// control, so they raise neither OnEnter nor OnExit.
bool EntersOrExits(const QFocusEvent* event) {
    return event->reason() != Qt::ActiveWindowFocusReason &&
           event->reason() != Qt::PopupFocusReason;
}

TShiftState MouseShift(const QMouseEvent* event) {
    return ShiftStateFromQt(event->modifiers(), event->buttons());
}

TShiftState KeyShift(const QKeyEvent* event) {
    return ShiftStateFromQt(event->modifiers(), QGuiApplication::mouseButtons());
}

// The parent's children in focus-chain order, the chain being circular through the window.
QList<QWidget*> TabSiblings(const QWidget& widget) {
    QList<QWidget*> siblings;
    QWidget* parent = widget.parentWidget();
    if (!parent) return siblings;
    for (QWidget* next = parent->nextInFocusChain(); next && next != parent;
         next = next->nextInFocusChain()) {
        if (next->parentWidget() == parent) siblings.append(next);
    }
    return siblings;
}

} // namespace

TiComponent::TiUserInput::TiUserInput(TiComponent& component) : component_(component) {
    component_.userInputActive_ = true;
}

TiComponent::TiUserInput::~TiUserInput() {
    component_.userInputActive_ = false;
}

TiComponent::TiComponent(QWidget* parent)
    : QWidget(parent), lastRepaintTime_(Now()), errorFont_(std::make_unique<TFont>()) {
    errorFont_->SetColor(clRed);
    errorFont_->SetStyle(fsBold);
    errorFont_->OnChange = [this](QObject* sender) { InvalidateChangeEvent(sender); };
    // The control paints every pixel of its frame, so nothing is erased before a paint and
    // nothing flickers.
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMouseTracking(true);
    setAcceptDrops(true);
    deferredRepaint_.setSingleShot(true);
    deferredRepaint_.setTimerType(Qt::PreciseTimer);
    connect(&deferredRepaint_, &QTimer::timeout, this, [this] { DeferredRepaint(); });
    TiFormLoading::Enlist(*this);
}

TiComponent::~TiComponent() = default;

void TiComponent::SetAutoFrameRate(bool value) {
    if (value == autoFrameRate_) return;
    autoFrameRate_ = value;
    if (value)
        BackGroundChange();
    else
        EndUpdate();
}

void TiComponent::SetUpdateFrameRate(int value) {
    SetIntegerProperty(value, updateFrameRate_, irtBackGround);
}

void TiComponent::SetBackGroundColor(TColor value) {
    SetColorProperty(value, backGroundColor_, irtBackGround);
}

void TiComponent::SetBorderStyle(TiBevelStyle value) {
    if (value == borderStyle_) return;
    borderStyle_ = value;
    BackGroundChange();
}

bool TiComponent::RequestEdit(const QString& PropName) {
    bool canEdit = true;
    if (OnRequestEdit) OnRequestEdit(this, PropName, canEdit);
    return canEdit;
}

void TiComponent::NotifyPropertyChange(const QString& PropName) {
    if (OnChangeProperty) OnChangeProperty(this, PropName);
}

void TiComponent::SetShowFocusRect(bool value) {
    SetBooleanProperty(value, showFocusRect_, irtInvalidate);
}

void TiComponent::SetCachedDrawing(bool value) {
    if (value == cachedDrawing_) return;
    cachedDrawing_ = value;
    BackGroundChange();
    if (!value) backGroundBitmap_.reset();
}

void TiComponent::SetBackGroundPicture(const TBitmap* value) {
    if (!backGroundPicture_) CreateBackGroundPicture();
    if (value)
        backGroundPicture_->Assign(*value);
    else
        backGroundPicture_->Assign(TBitmap());
}

// Bounded like every pixel setting, so the centre arithmetic cannot overflow.
void TiComponent::SetOffsetX(int value) {
    SetIntegerProperty(BoundPixelOffset(value), offsetX_, irtBackGround);
}

void TiComponent::SetOffsetY(int value) {
    SetIntegerProperty(BoundPixelOffset(value), offsetY_, irtBackGround);
}

void TiComponent::SetErrorActive(bool value) {
    SetBooleanProperty(value, errorActive_, irtBackGround);
}

void TiComponent::SetErrorText(const QString& value) {
    SetStringProperty(value, errorText_, irtBackGround);
}

void TiComponent::SetErrorBackGroundColor(TColor value) {
    SetColorProperty(value, errorBackGroundColor_, irtBackGround);
}

void TiComponent::SetErrorFont(const TFont* value) {
    if (value) errorFont_->Assign(*value);
}

int TiComponent::TabOrder() const {
    return int(TabSiblings(*this).indexOf(const_cast<TiComponent*>(this)));
}

void TiComponent::SetTabOrder(int value) {
    QList<QWidget*> siblings = TabSiblings(*this);
    const qsizetype current = siblings.indexOf(this);
    if (current < 0) return;
    siblings.removeAt(current);
    const qsizetype wanted = std::clamp<qsizetype>(value, 0, siblings.size());
    if (wanted == current) return;
    siblings.insert(wanted, this);
    // Qt chains only focusable widgets, yet the order holds for every sibling, as a tab stop
    // may be switched on later. Nor does Qt move a widget behind the last one of the window's
    // chain, so a temporary widget stands last while the siblings are chained.
    QWidget last(parentWidget());
    last.setFocusPolicy(Qt::TabFocus);
    QList<QWidget*> unfocusable;
    for (QWidget* sibling : siblings) {
        if (sibling->focusPolicy() != Qt::NoFocus) continue;
        unfocusable.append(sibling);
        sibling->setFocusPolicy(Qt::TabFocus);
    }
    for (qsizetype i = 0; i + 1 < siblings.size(); ++i)
        QWidget::setTabOrder(siblings[i], siblings[i + 1]);
    for (QWidget* sibling : unfocusable)
        sibling->setFocusPolicy(Qt::NoFocus);
}

void TiComponent::DoRepaint() {
    invalidatePending_ = false;
    backGroundPending_ = false;
    deferredRepaint_.stop();
    lastRepaintTime_ = Now();
    update();
}

void TiComponent::InvalidateChange() {
    if (updating_) {
        invalidatePending_ = true;
    } else if (autoFrameRate_) {
        invalidatePending_ = true;
        DoFrameRate();
    } else {
        DoRepaint();
    }
}

void TiComponent::BackGroundChange() {
    backGroundChanged_ = true;
    if (updating_) {
        backGroundPending_ = true;
    } else if (autoFrameRate_) {
        backGroundPending_ = true;
        DoFrameRate();
    } else {
        DoRepaint();
    }
}

void TiComponent::InvalidateNow() {
    DoRepaint();
}

void TiComponent::DoRepaintType(TiRepaintType kind) {
    switch (kind) {
    case irtInvalidate:
        InvalidateChange();
        break;
    case irtBackGround:
        BackGroundChange();
        break;
    case irtNone:
        break;
    }
}

// A request inside the interval used to be dropped with nothing left to paint it later, so
// the last change of a burst could stay unseen indefinitely. It now waits for the one
// deferred repaint, due when the interval ends: the rate still holds and the last change
// always shows. A negative rate limits nothing, as 0 does.
void TiComponent::DoFrameRate() {
    if (!autoFrameRate_ || updateFrameRate_ <= 0) {
        DoRepaint();
        return;
    }
    const TDateTime interval = 1.0 / (double(updateFrameRate_) * 86400.0);
    const TDateTime now = Now();
    if (now > lastRepaintTime_ + interval) {
        DoRepaint();
        return;
    }
    if (deferredRepaint_.isActive()) return;
    // Bounded by the interval, so a clock set back cannot postpone the repaint further.
    const double remaining = std::clamp(lastRepaintTime_ + interval - now, 0.0, interval);
    deferredRepaint_.start(Trunc(std::ceil(remaining * MillisecondsPerDay)));
}

void TiComponent::DeferredRepaint() {
    // A batch begun meanwhile paints at its EndUpdate.
    if (updating_) return;
    if (invalidatePending_ || backGroundPending_) DoRepaint();
}

void TiComponent::RepaintAll() {
    BackGroundChange();
}

void TiComponent::BeginUpdate() {
    updating_ = true;
}

void TiComponent::EndUpdate() {
    updating_ = false;
    if (invalidatePending_ || backGroundPending_) DoFrameRate();
}

void TiComponent::BackGroundChangeEvent(QObject*) {
    BackGroundChange();
}

void TiComponent::InvalidateChangeEvent(QObject*) {
    InvalidateChange();
}

void TiComponent::InvalidateNowEvent(QObject*) {
    InvalidateNow();
}

bool TiComponent::GetIsDesigning() {
    bool designing = iGetDesigning(this);
    if (OnGetDesigning) OnGetDesigning(this, designing);
    return designing;
}

void TiComponent::DoIsDesigning(QObject*, bool& Designing) {
    Designing = GetIsDesigning();
}

TPoint TiComponent::GetCenterPoint(TCanvas&) {
    return CenterPoint();
}

TPointDouble TiComponent::GetCenterPointDouble(TCanvas&) const {
    return {(width() - 1) / 2.0, (height() - 1) / 2.0};
}

TPoint TiComponent::GetXYRadPoint(double Degrees, double Radius, TPoint Center) {
    return ::GetXYRadPoint(Degrees, Radius, Center);
}

void TiComponent::PropertyVarType(const QString&, int&) {}

void TiComponent::WriteExtraProperties(TStringList&) {}

void TiComponent::ReadExtraProperties(TStringList&) {}

bool TiComponent::OPCOutputData(const QString&, const QVariant&) {
    return false;
}

void TiComponent::BeginDrag() {
    QObject* dragObject = this;
    if (OnStartDrag && !RunGuarded([&] { OnStartDrag(this, dragObject); })) return;
    auto* drag = new QDrag(dragObject ? dragObject : this);
    auto* data = new QMimeData;
    data->setData(QStringLiteral("application/x-instrument-control"), objectName().toUtf8());
    drag->setMimeData(data);
    drag->exec(Qt::CopyAction | Qt::MoveAction);
    QObject* target = drag->target();
    const auto* targetWidget = qobject_cast<const QWidget*>(target);
    const QPoint at = targetWidget ? targetWidget->mapFromGlobal(QCursor::pos()) : QPoint();
    if (OnEndDrag) RunGuarded([&] { OnEndDrag(this, target, at.x(), at.y()); });
}

void TiComponent::DrawBackGround(TCanvas& Canvas, TColor Color) {
    backGroundChanged_ = false;
    const TRect whole = Rect(0, 0, width(), height());
    if (backGroundPicture_ && backGroundPicture_->Width() > 0) {
        Canvas.StretchDraw(whole, *backGroundPicture_);
        return;
    }
    Canvas.Brush()->SetStyle(bsSolid);
    Canvas.Brush()->SetColor(Color);
    Canvas.FillRect(whole);
    DrawBorder(Canvas);
}

void TiComponent::DrawBorder(TCanvas& Canvas) {
    const TRect whole = Rect(0, 0, width(), height());
    switch (borderStyle_) {
    case ibsRaised:
        iDrawEdge(&Canvas, whole, idesRaised);
        break;
    case ibsLowered:
        iDrawEdge(&Canvas, whole, idesSunken);
        break;
    case ibsNone:
        break;
    }
}

qreal TiComponent::ScreenPixelRatio() const {
    if (screenPixelRatio_ <= 0) screenPixelRatio_ = devicePixelRatioF();
    return screenPixelRatio_;
}

std::unique_ptr<TBitmap> TiComponent::MakeControlBitmap() const {
    auto bitmap = std::make_unique<TBitmap>();
    bitmap->SetDevicePixelRatio(ScreenPixelRatio());
    bitmap->SetSize(width(), height());
    return bitmap;
}

TBitmap* TiComponent::GetBackGroundBitmap() {
    if (!backGroundBitmap_) CreateBackGroundBitmap();
    return backGroundBitmap_.get();
}

void TiComponent::CreateBackGroundBitmap() {
    backGroundBitmap_ = MakeControlBitmap();
}

void TiComponent::ResizeBackGroundBitmap() {
    FitControlBitmap(backGroundBitmap_);
}

// A size beyond what a bitmap holds drops the bitmap; the paint that needs it then fails to
// make one and draws nothing, and a later size that fits draws again.
void TiComponent::FitControlBitmap(std::unique_ptr<TBitmap>& Bitmap) const {
    if (!Bitmap) Bitmap = std::make_unique<TBitmap>();
    const bool fitted = RunGuarded([&] {
        Bitmap->SetDevicePixelRatio(ScreenPixelRatio());
        Bitmap->SetSize(width(), height());
    });
    if (!fitted) Bitmap.reset();
}

void TiComponent::PaintStaticLayer(TCanvas& Canvas,
                                   const std::function<void(TCanvas&)>& DrawStatic) {
    if (!CachedDrawing()) {
        DrawStatic(Canvas);
        return;
    }
    if (BackGroundChanged()) {
        DrawStatic(*GetBackGroundBitmap()->Canvas());
        ResetBackGroundChange();
    }
    TransferBackGround(Canvas);
}

void TiComponent::DrawFocusFrame(TCanvas& Canvas) {
    if (showFocusRect_ && HasFocus())
        iDrawFocusRect(&Canvas, Rect(0, 0, width(), height()), BackGroundColor());
}

void TiComponent::TransferBackGround(TCanvas& Canvas) {
    Canvas.Draw(0, 0, *GetBackGroundBitmap());
}

void TiComponent::ShowBackGround() {
    showingBackGround_ = true;
    repaint();
    showingBackGround_ = false;
}

void TiComponent::CreateBackGroundPicture() {
    if (backGroundPicture_) return;
    backGroundPicture_ = std::make_unique<TBitmap>();
    backGroundPicture_->OnChange = [this](QObject* sender) { BackGroundChangeEvent(sender); };
}

template <typename T> void TiComponent::SetProperty(const T& value, T& field, TiRepaintType kind) {
    if (field == value) return;
    field = value;
    DoRepaintType(kind);
}

void TiComponent::SetBooleanProperty(bool Value, bool& Field, TiRepaintType Kind) {
    SetProperty(Value, Field, Kind);
}

void TiComponent::SetIntegerProperty(int Value, int& Field, TiRepaintType Kind) {
    SetProperty(Value, Field, Kind);
}

void TiComponent::SetDoubleProperty(double Value, double& Field, TiRepaintType Kind) {
    SetProperty(Value, Field, Kind);
}

void TiComponent::SetStringProperty(const QString& Value, QString& Field, TiRepaintType Kind) {
    SetProperty(Value, Field, Kind);
}

void TiComponent::SetWideStringProperty(const QString& Value, QString& Field, TiRepaintType Kind) {
    SetProperty(Value, Field, Kind);
}

void TiComponent::SetColorProperty(TColor Value, TColor& Field, TiRepaintType Kind) {
    SetProperty(Value, Field, Kind);
}

void TiComponent::iDoSetFocus() {
    focused_ = true;
    SetParentsToTopMost(this);
    update();
}

// The focus moves on whatever the instrument's clean-up raised.
void TiComponent::iDoKillFocus() {
    focused_ = false;
    RunGuarded([this] { iMouseUp(mbLeft, {}, 0, 0); });
    update();
}

void TiComponent::iWantSpecialKey(uint16_t&, bool&) {}
void TiComponent::iKeyUp(uint16_t&, TShiftState) {}
void TiComponent::iKeyDown(uint16_t&, TShiftState) {}
void TiComponent::iKeyPress(QChar&) {}
void TiComponent::iMouseDown(TMouseButton, TShiftState, int, int) {}
void TiComponent::iMouseUp(TMouseButton, TShiftState, int, int) {}
void TiComponent::iMouseMove(TShiftState, int, int) {}
void TiComponent::iDoubleClick() {}
bool TiComponent::iMouseWheel(int, TShiftState, TPoint) {
    return false;
}

bool TiComponent::DoMouseWheel(TShiftState, int, TPoint) {
    return false;
}

TStringList TiComponent::PropertyFileExclusions() const {
    TStringList exclusions;
    exclusions.Add(QStringLiteral("Name"));
    if (optionSaveAllProperties_) return exclusions;
    for (const char* name : FormProperties)
        exclusions.Add(QString::fromLatin1(name));
    return exclusions;
}

void TiComponent::SavePropertiesToFile(const QString& FileName) {
    try {
        const TStringList exclusions = PropertyFileExclusions();
        TStringList lines;
        lines.Add(QStringLiteral("File Type = ") + QString::fromLatin1(metaObject()->className()));
        SaveObjectToStringList(this, QString(), lines, &exclusions);
        WriteExtraProperties(lines);
        lines.SaveToFile(FileName);
    } catch (const Exception& e) {
        throw Exception(QStringLiteral("Error Saving Properties - ") + e.Message());
    }
}

// The "File Type" line is not checked: a file of another class loads the properties the two
// share. The exclusions do not apply: a file holding Width sets it.
void TiComponent::LoadPropertiesFromFile(const QString& FileName) {
    TiUpdateBatch batch(*this);
    try {
        CheckPropertyFileSize(FileName);
        TStringList lines;
        lines.LoadFromFile(FileName);
        ReadExtraProperties(lines);
        LoadObjectFromStringList(this, QString(), lines);
    } catch (const Exception& e) {
        throw Exception(QStringLiteral("Error Loading Properties - ") + e.Message());
    }
}

void TiComponent::SaveImageToBitmap(const QString& FileName) {
    if (!PaintToBitmap()->Image().save(FileName, "BMP"))
        throw Exception(QStringLiteral("Cannot create file \"%1\"").arg(FileName));
}

// At one device pixel per logical pixel, so an export has the control's size on any screen.
std::unique_ptr<TBitmap> TiComponent::PaintToBitmap() {
    ensurePolished();
    auto bitmap = std::make_unique<TBitmap>();
    bitmap->SetSize(width(), height());
    bitmap->Canvas()->Brush()->SetStyle(bsSolid);
    bitmap->Canvas()->Pen()->SetStyle(psSolid);
    PaintUncached(*bitmap->Canvas());
    return bitmap;
}

void TiComponent::PaintUncached(TCanvas& Canvas) {
    TiComponentLock hold(*this);
    const TExportPaint exporting(*this);
    const bool cached = cachedDrawing_;
    cachedDrawing_ = false;
    // A failing paint shows nothing for this frame.
    RunGuarded([&] { iPaintTo(Canvas); });
    cachedDrawing_ = cached;
}

void TiComponent::MatchBackGroundToScreen() {
    if (!backGroundBitmap_ || backGroundBitmap_->DevicePixelRatio() == ScreenPixelRatio()) return;
    ResizeBackGroundBitmap();
    backGroundChanged_ = true;
}

// The frame is kept from paint to paint and only resized with the control, so a repaint
// allocates no picture. A failing paint, a frame too large to have among them, leaves the
// screen its previous picture.
void TiComponent::PaintBuffered(TCanvas& screen) {
    TiComponentLock hold(*this);
    MatchBackGroundToScreen();
    FitControlBitmap(frameBitmap_);
    if (!frameBitmap_) return;
    TCanvas& frame = *frameBitmap_->Canvas();
    frame.ResetState();
    frame.Brush()->SetStyle(bsSolid);
    frame.Pen()->SetStyle(psSolid);
    const bool painted = RunGuarded([&] {
        iPaintTo(frame);
        if (OnAfterPaint) OnAfterPaint(this, &frame);
    });
    if (painted) screen.Draw(0, 0, *frameBitmap_);
}

void TiComponent::paintEvent(QPaintEvent*) {
    TPainterCanvas screen(*this);
    if (showingBackGround_)
        TransferBackGround(screen);
    else if (PaintsToMetafile(screen))
        PaintUncached(screen);
    else
        PaintBuffered(screen);
}

bool TiComponent::WantsKey(uint16_t key) {
    bool wanted = false;
    uint16_t asked = key;
    iWantSpecialKey(asked, wanted);
    // The control always asks the dialog navigation for the arrow keys.
    return wanted || IsArrowKey(key);
}

bool TiComponent::event(QEvent* event) {
    switch (event->type()) {
    case QEvent::ShortcutOverride: {
        auto* key = static_cast<QKeyEvent*>(event);
        const uint16_t code = VirtualKeyFromQt(key->key(), key->modifiers());
        if (IsSpecialKey(code) && WantsKey(code)) {
            event->accept();
            return true;
        }
        break;
    }
    case QEvent::KeyPress: {
        // Tab would move the focus before the key reached the control.
        auto* key = static_cast<QKeyEvent*>(event);
        const bool tab = key->key() == Qt::Key_Tab || key->key() == Qt::Key_Backtab;
        if (tab && WantsKey(VK_TAB)) {
            keyPressEvent(key);
            return true;
        }
        break;
    }
    case QEvent::ScreenChangeInternal:
    case QEvent::ParentChange:
    case QEvent::Show:
        screenPixelRatio_ = 0;
        break;
    case QEvent::ToolTip:
        if (!showHint_) {
            event->ignore();
            return true;
        }
        break;
    default:
        break;
    }
    return QWidget::event(event);
}

void TiComponent::changeEvent(QEvent* event) {
    if (event->type() == QEvent::PaletteChange || event->type() == QEvent::StyleChange)
        BackGroundChange();
    QWidget::changeEvent(event);
}

bool TiComponent::RouteKeyDown(uint16_t key, TShiftState shift) {
    TiUserInput input(*this);
    RunGuarded([&] {
        if (OnKeyDown) OnKeyDown(this, key, shift);
        iKeyDown(key, shift);
    });
    return key == 0;
}

bool TiComponent::RouteKeyPress(QChar key) {
    TiUserInput input(*this);
    RunGuarded([&] {
        if (OnKeyPress) OnKeyPress(this, key);
        iKeyPress(key);
    });
    return key.isNull();
}

// Keys the control handled (set to 0) or asked for as special keys stop here; the others go
// on to the parent, as dialog keys do.
void TiComponent::keyPressEvent(QKeyEvent* event) {
    const uint16_t key = VirtualKeyFromQt(event->key(), event->modifiers());
    bool handled = key != 0 && RouteKeyDown(key, KeyShift(event));
    if (!event->text().isEmpty()) handled = RouteKeyPress(event->text().front()) || handled;
    event->setAccepted(handled || (IsSpecialKey(key) && WantsKey(key)));
}

void TiComponent::keyReleaseEvent(QKeyEvent* event) {
    // Held keys repeat as further key downs only, as the window system reports them.
    uint16_t key = VirtualKeyFromQt(event->key(), event->modifiers());
    if (event->isAutoRepeat() || key == 0) {
        event->ignore();
        return;
    }
    const TShiftState shift = KeyShift(event);
    TiUserInput input(*this);
    RunGuarded([&] {
        if (OnKeyUp) OnKeyUp(this, key, shift);
        iKeyUp(key, shift);
    });
    event->setAccepted(key == 0);
}

void TiComponent::RouteMouseDown(TMouseButton button, TShiftState shift, QPoint at) {
    TiUserInput input(*this);
    RunGuarded([&] {
        iMouseDown(button, shift, at.x(), at.y());
        if (OnMouseDown) OnMouseDown(this, button, shift, at.x(), at.y());
    });
}

void TiComponent::mousePressEvent(QMouseEvent* event) {
    const auto button = MouseButtonFromQt(event->button());
    if (!button) {
        event->ignore();
        return;
    }
    if (*button == mbLeft) clicked_ = true;
    RouteMouseDown(*button, MouseShift(event), event->position().toPoint());
}

// A left release inside the control after a left press there is a click. The click belongs
// to the toolkit's handling, so it follows iMouseUp, and comes before OnMouseUp as the
// toolkit raises it.
void TiComponent::mouseReleaseEvent(QMouseEvent* event) {
    const auto button = MouseButtonFromQt(event->button());
    if (!button) {
        event->ignore();
        return;
    }
    const QPoint at = event->position().toPoint();
    const TShiftState shift = MouseShift(event);
    const bool click = *button == mbLeft && std::exchange(clicked_, false) && rect().contains(at);
    TiUserInput input(*this);
    RunGuarded([&] {
        iMouseUp(*button, shift, at.x(), at.y());
        if (click && OnClick) OnClick(this);
        if (OnMouseUp) OnMouseUp(this, *button, shift, at.x(), at.y());
    });
}

void TiComponent::mouseMoveEvent(QMouseEvent* event) {
    const QPoint at = event->position().toPoint();
    const TShiftState shift = MouseShift(event);
    TiUserInput input(*this);
    RunGuarded([&] {
        iMouseMove(shift, at.x(), at.y());
        if (OnMouseMove) OnMouseMove(this, shift, at.x(), at.y());
    });
}

// The second press of a double click arrives here: the double click, then a press that
// carries ssDouble.
void TiComponent::mouseDoubleClickEvent(QMouseEvent* event) {
    const auto button = MouseButtonFromQt(event->button());
    if (!button) {
        event->ignore();
        return;
    }
    if (*button == mbLeft) {
        TiUserInput input(*this);
        RunGuarded([&] {
            iDoubleClick();
            if (OnDblClick) OnDblClick(this);
        });
    }
    RouteMouseDown(*button, MouseShift(event) | ssDouble, event->position().toPoint());
}

void TiComponent::wheelEvent(QWheelEvent* event) {
    const int delta = event->angleDelta().y();
    if (delta == 0) {
        event->ignore();
        return;
    }
    const TShiftState shift = ShiftStateFromQt(event->modifiers(), event->buttons());
    const TPoint at = FromQPoint(event->position().toPoint());
    bool handled = false;
    RunGuarded([&] { handled = DoMouseWheel(shift, delta, at); });
    event->setAccepted(handled);
}

void TiComponent::focusInEvent(QFocusEvent* event) {
    TiUserInput input(*this);
    RunGuarded([this] { iDoSetFocus(); });
    QWidget::focusInEvent(event);
    if (EntersOrExits(event) && OnEnter) RunGuarded([this] { OnEnter(this); });
}

void TiComponent::focusOutEvent(QFocusEvent* event) {
    {
        TiUserInput input(*this);
        if (QApplication::focusWidget() != this) RunGuarded([this] { iDoKillFocus(); });
    }
    QWidget::focusOutEvent(event);
    if (EntersOrExits(event) && OnExit) RunGuarded([this] { OnExit(this); });
}

void TiComponent::contextMenuEvent(QContextMenuEvent* event) {
    if (!popupMenu_) {
        event->ignore();
        return;
    }
    popupMenu_->popup(event->globalPos());
}

bool TiComponent::RouteDragOver(QDropEvent* event, TDragState state) {
    if (!OnDragOver) return false;
    dragSource_ = event->source();
    const QPoint at = event->position().toPoint();
    bool accept = true;
    // A handler that fails refuses the drop.
    if (!RunGuarded([&] { OnDragOver(this, event->source(), at.x(), at.y(), state, accept); }))
        return false;
    return accept;
}

void TiComponent::dragEnterEvent(QDragEnterEvent* event) {
    event->setAccepted(RouteDragOver(event, dsDragEnter));
}

void TiComponent::dragMoveEvent(QDragMoveEvent* event) {
    event->setAccepted(RouteDragOver(event, dsDragMove));
}

void TiComponent::dragLeaveEvent(QDragLeaveEvent*) {
    if (!OnDragOver) return;
    const QPoint at = mapFromGlobal(QCursor::pos());
    bool accept = false;
    RunGuarded([&] { OnDragOver(this, dragSource_, at.x(), at.y(), dsDragLeave, accept); });
}

void TiComponent::dropEvent(QDropEvent* event) {
    const QPoint at = event->position().toPoint();
    if (OnDragDrop) RunGuarded([&] { OnDragDrop(this, event->source(), at.x(), at.y()); });
    event->acceptProposedAction();
}
