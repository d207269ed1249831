#include "instruments/framework/iVCLComponent.h"

#include "instruments/framework/Igpfunctions.h"
#include "instruments/framework/iOPCPropertyValue.h"
#include "platform/Exception.h"
#include "platform/Metafile.h"

#include <QImage>
#include <QPointer>
#include <QRegion>
#include <algorithm>
#include <array>
#include <climits>

namespace {

constexpr const char* OPCItemsName = "OPCItems";

int TimerMilliseconds(uint32_t value) {
    return int(std::min<uint32_t>(value, INT_MAX));
}

} // namespace

TiVCLComponent::TiVCLComponent(QWidget* parent) : TiComponent(parent) {
    opcItems_.OnDesigning = [this] {
        bool designing = false;
        DoIsDesigning(this, designing);
        return designing;
    };
    opcItems_.OnNewData = [this](TiOPCItem* item) { OPCNewData(item); };
    opcItems_.OnRequestedType = [this](const QString& name) {
        int type = vtEmpty;
        PropertyVarType(name, type);
        return quint16(type);
    };
    opcItems_.OnErrorState = [this](bool inError) { SetErrorActive(inError); };
    opcItems_.OnFailure = [this](TiOPCItem* item, const QString& message) {
        OPCFailure(item, message);
    };
    timer_.setTimerType(Qt::PreciseTimer);
    connect(&timer_, &QTimer::timeout, this, [this] { TimerTick(); });
}

// Destroying a locked mutex is undefined, so holds still taken are let go here.
TiVCLComponent::~TiVCLComponent() {
    destroying_ = true;
    timer_.stop();
    while (lockDepth_ > 0 && owner_ == std::this_thread::get_id())
        Unlock();
}

void TiVCLComponent::SetTransparent(bool value) {
    if (value == transparent_) return;
    transparent_ = value;
    // Not opaque, the window system composes what lies behind before the control paints.
    setAttribute(Qt::WA_OpaquePaintEvent, !value);
    if (value) {
        FitControlBitmap(transparencyBitmap_);
        RequestTransparentCapture();
    } else {
        transparencyBitmap_.reset();
    }
    BackGroundChange();
}

void TiVCLComponent::TimerStart(uint32_t InitialDelay, uint32_t Interval) {
    if (timer_.isActive()) return;
    repeatInterval_ = Interval;
    if (InitialDelay != 0) {
        firstShot_ = true;
        timer_.start(TimerMilliseconds(InitialDelay));
    } else if (Interval != 0) {
        firstShot_ = false;
        timer_.start(TimerMilliseconds(Interval));
    }
}

// Restarting after the first shot with an interval of 0 would fire on every pass of the
// event loop; no interval means a single shot, as TimerStart(0, 0) means no timer.
void TiVCLComponent::TimerTick() {
    if (firstShot_) {
        firstShot_ = false;
        if (repeatInterval_ != 0)
            timer_.start(TimerMilliseconds(repeatInterval_));
        else
            timer_.stop();
    }
    if (OnInternalTimer) RunGuarded([this] { OnInternalTimer(this); });
}

void TiVCLComponent::Lock() {
    if (destroying_) return;
    lock_.lock();
    if (lockDepth_++ == 0) owner_ = std::this_thread::get_id();
}

// Releasing a lock the thread does not hold is undefined, so an unmatched Unlock does
// nothing. A hold taken before destruction began is still released.
void TiVCLComponent::Unlock() {
    if (owner_ != std::this_thread::get_id()) return;
    if (--lockDepth_ == 0) owner_ = std::thread::id();
    lock_.unlock();
}

void TiVCLComponent::RepaintAll() {
    TiComponent::RepaintAll();
    RequestTransparentCapture();
}

void TiVCLComponent::iPaintToDC(int X, int Y, bool NoBackGround, TCanvas& Canvas) {
    Canvas.SaveState();
    Canvas.SetWindowOrigin(Point(-X, -Y));
    Canvas.IntersectClipRect(Rect(0, 0, width(), height()));
    noBackGround_ = NoBackGround;
    {
        TiComponentLock hold(*this);
        const TExportPaint exporting(*this);
        const bool cached = CachedDrawing();
        SetCachedDrawing(false);
        // A failing paint leaves the canvas as it was.
        RunGuarded([&] { iPaintTo(Canvas); });
        SetCachedDrawing(cached);
    }
    noBackGround_ = false;
    Canvas.RestoreState();
}

void TiVCLComponent::SaveImageToMetaFile(const QString& FileName) {
    TMetafile metafile;
    metafile.SetSize(width(), height());
    {
        TMetafileCanvas canvas(metafile, QStringLiteral("Varlex"), QString());
        PaintUncached(canvas);
    }
    metafile.SaveToFile(FileName);
}

void TiVCLComponent::SaveImageToJPEG(const QString& FileName, int Compression, bool Progressive) {
    GetJPEG(Compression, Progressive)->SaveToFile(FileName);
}

std::unique_ptr<TJPEGImage> TiVCLComponent::GetJPEG(int Compression, bool Progressive) {
    return PaintToJPEG(Compression, Progressive, jpBestQuality);
}

QByteArray TiVCLComponent::GetBytesJPEG(int Compression, bool Progressive) {
    TiComponentLock hold(*this);
    return PaintToJPEG(Compression, Progressive, jpBestSpeed)->Data();
}

std::unique_ptr<TJPEGImage> TiVCLComponent::PaintToJPEG(int Compression, bool Progressive,
                                                        TJPEGPerformance Performance) {
    if (Compression < 1 || Compression > 100)
        throw Exception("Compression must be in the range of 1-100");
    auto jpeg = std::make_unique<TJPEGImage>();
    jpeg->SetCompressionQuality(Compression);
    jpeg->SetProgressiveEncoding(Progressive);
    jpeg->SetPerformance(Performance);
    jpeg->Assign(*PaintToBitmap());
    jpeg->Compress();
    return jpeg;
}

int TiVCLComponent::OPCAddItem() {
    return opcItems_.Add();
}

void TiVCLComponent::SetOPCItemComputerName(int Index, const QString& Value) {
    GetOPCItem(Index)->SetComputerName(Value);
}

void TiVCLComponent::SetOPCItemServerName(int Index, const QString& Value) {
    GetOPCItem(Index)->SetServerName(Value);
}

void TiVCLComponent::SetOPCItemItemName(int Index, const QString& Value) {
    GetOPCItem(Index)->SetItemName(Value);
}

void TiVCLComponent::SetOPCItemPropertyName(int Index, const QString& Value) {
    GetOPCItem(Index)->SetPropertyName(Value);
}

void TiVCLComponent::SetOPCItemAutoConnect(int Index, bool Value) {
    GetOPCItem(Index)->SetAutoConnect(Value);
}

void TiVCLComponent::SetOPCItemUpdateRate(int Index, int Value) {
    GetOPCItem(Index)->SetUpdateRate(Value);
}

// Either handler may destroy the item, or the control: each step looks again.
void TiVCLComponent::OPCNewData(TiOPCItem* Item) {
    if (Item->PropertyName().isEmpty()) return;
    QVariant data = Item->Data();
    const int index = opcItems_.FindIndex(Item);
    const QPointer<TiVCLComponent> self(this);
    const QPointer<TiOPCItem> item(Item);
    if (OnBeforeNewOPCData) RunGuarded([&] { OnBeforeNewOPCData(this, index, data); });
    if (!self) return;
    if (item && item->GetQualityGood() && !OPCNewDataSpecial(item)) ApplyOPCValue(*item, data);
    if (self && OnNewOPCData) RunGuarded([&] { OnNewOPCData(this, index); });
}

// A value no property can take is counted, never raised into the server's notification.
void TiVCLComponent::ApplyOPCValue(TiOPCItem& Item, const QVariant& Value) {
    const QPointer<TiVCLComponent> self(this);
    opcEcho_ = Item.PropertyName();
    try {
        OPCSetProperty(this, QString(), Value, opcEcho_);
    } catch (const Exception&) {
        if (self) ++opcDroppedValues_;
    }
    if (self) opcEcho_.clear();
}

void TiVCLComponent::OPCSetProperty(QObject* Object, const QString& Prefix, const QVariant& Value,
                                    const QString& Name) {
    const QString prefix = Prefix.trimmed().isEmpty() ? QString() : Prefix + '.';
    for (const PropertyDescriptor& property : PropertyWalker::List(Object)) {
        if (!property.Writable || !property.IsValue()) continue;
        if ((prefix + property.Path).compare(Name, Qt::CaseInsensitive) != 0) continue;
        const std::optional<QVariant> value = OPCPropertyValue(property.Kind, Value);
        if (!value)
            throw EConvertError(QStringLiteral("'%1' is not a valid value").arg(Value.toString()));
        PropertyWalker::Write(property, *value);
    }
}

bool TiVCLComponent::OPCOutputData(const QString& PropName, const QVariant& Value) {
    if (!opcEcho_.isEmpty() && opcEcho_.compare(PropName, Qt::CaseInsensitive) == 0) {
        opcEcho_.clear();
        return false;
    }
    for (int i = 0; i < opcItems_.GetCount(); ++i) {
        TiOPCItem* item = opcItems_.GetItem(i);
        if (!item->Active() || item->PropertyName().compare(PropName, Qt::CaseInsensitive) != 0)
            continue;
        try {
            item->SetData(Value);
        } catch (const Exception& e) {
            item->ReportWriteFailure(e.Message());
        }
        return true;
    }
    return false;
}

void TiVCLComponent::OPCFailure(TiOPCItem* Item, const QString& Message) {
    const int index = opcItems_.FindIndex(Item);
    if (OnOPCError) RunGuarded([&] { OnOPCError(this, index, Message); });
}

void TiVCLComponent::Loaded() {
    TiComponent::Loaded();
    const QVariant described = property(OPCItemsName);
    if (!described.isValid()) return;
    setProperty(OPCItemsName, QVariant());
    opcItems_.ReadFromText(described.toString().split('\n'));
}

void TiVCLComponent::WriteExtraProperties(TStringList& Lines) {
    const QStringList items = opcItems_.WriteToText();
    if (items.isEmpty()) return;
    Lines.Add(QStringLiteral("%1 = %2").arg(QLatin1String(OPCItemsName), items.front()));
    for (qsizetype i = 1; i < items.size(); ++i)
        Lines.Add(items[i]);
}

// The block runs from "OPCItems = <" to the first line that is ">".
void TiVCLComponent::ReadExtraProperties(TStringList& Lines) {
    QStringList items;
    for (int i = 0; i < Lines.Count(); ++i) {
        QString name, value;
        SeparateStrings(Lines[i], '=', name, value);
        if (name.compare(QLatin1String(OPCItemsName), Qt::CaseInsensitive) != 0) continue;
        items << value;
        Lines.Delete(i);
        while (i < Lines.Count() && items.back() != QLatin1String(">")) {
            items << Lines[i].trimmed();
            Lines.Delete(i);
        }
        break;
    }
    if (!items.isEmpty()) opcItems_.ReadFromText(items);
}

bool TiVCLComponent::OPCNewDataSpecial(QObject*) {
    return false;
}

void TiVCLComponent::UpdateOPCSpecialList() {}

void TiVCLComponent::DrawBackGround(TCanvas& Canvas, TColor Color) {
    if (noBackGround_) return;
    if (!transparent_) {
        TiComponent::DrawBackGround(Canvas, Color);
        return;
    }
    if (!transparencyBitmap_) transparencyBitmap_ = MakeControlBitmap();
    if (capturePending_) CaptureTransparency();
    Canvas.Draw(0, 0, *transparencyBitmap_);
}

bool TiVCLComponent::DoMouseWheel(TShiftState Shift, int WheelDelta, TPoint MousePos) {
    return iMouseWheel(WheelDelta, Shift, MousePos);
}

// A capture that failed is tried again at every paint until one succeeds, even though the
// instrument would reuse its cached background.
void TiVCLComponent::paintEvent(QPaintEvent* event) {
    if (transparent_ && capturePending_) MarkBackGroundChanged();
    TiComponent::paintEvent(event);
}

void TiVCLComponent::moveEvent(QMoveEvent* event) {
    TiComponent::moveEvent(event);
    BoundsChanged();
}

void TiVCLComponent::resizeEvent(QResizeEvent* event) {
    TiComponent::resizeEvent(event);
    BoundsChanged();
}

void TiVCLComponent::BoundsChanged() {
    // Qt repeats the events for a hidden control at every rendering.
    if (geometry() == appliedBounds_) return;
    appliedBounds_ = geometry();
    if (transparencyBitmap_) FitControlBitmap(transparencyBitmap_);
    RequestTransparentCapture();
    ResizeBackGroundBitmap();
    BackGroundChange();
}

void TiVCLComponent::RequestTransparentCapture() {
    if (!transparent_ || capturePending_) return;
    capturePending_ = true;
    BackGroundChange();
}

bool TiVCLComponent::CornersVisible() const {
    const QRegion visible = visibleRegion();
    const int w = width();
    const int h = height();
    const std::array<QPoint, 4> corners{QPoint(5, 5), QPoint(w - 5, 5), QPoint(5, h - 5),
                                        QPoint(w - 5, h - 5)};
    return std::all_of(corners.begin(), corners.end(),
                       [&](const QPoint& p) { return visible.contains(p); });
}

void TiVCLComponent::FillTransparency(TColor color) {
    TCanvas* canvas = transparencyBitmap_->Canvas();
    canvas->Brush()->SetStyle(bsSolid);
    canvas->Brush()->SetColor(color);
    canvas->FillRect(Rect(0, 0, width(), height()));
}

// What lies behind is the parent's own painting and the siblings stacked below the control.
// A covered corner means the picture would show the cover, so the capture waits for a paint
// at which the control is uncovered.
void TiVCLComponent::CaptureTransparency() {
    QWidget* parent = parentWidget();
    if (!parent || !CornersVisible()) {
        FillTransparency(BackGroundColor());
        return;
    }
    const qreal ratio = ScreenPixelRatio();
    QImage behind(size() * ratio, QImage::Format_RGB32);
    behind.setDevicePixelRatio(ratio);
    behind.fill(Qt::black);
    parent->render(&behind, QPoint(), QRegion(geometry()), QWidget::DrawWindowBackground);
    for (QObject* child : parent->children()) {
        if (child == this) break;
        auto* sibling = qobject_cast<QWidget*>(child);
        if (!sibling || sibling->isWindow() || !sibling->isVisible()) continue;
        const QRect overlap = sibling->geometry() & geometry();
        if (overlap.isEmpty()) continue;
        sibling->render(&behind, overlap.topLeft() - pos(),
                        QRegion(overlap.translated(-sibling->pos())),
                        QWidget::DrawWindowBackground | QWidget::DrawChildren);
    }
    transparencyBitmap_->SetImage(behind);
    capturePending_ = false;
}
