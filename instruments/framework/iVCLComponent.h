// The window-system side of every instrument: transparency over what lies behind the control,
// the component lock and timer, painting into another canvas, and the owner's data hooks.
#pragma once

#include "instruments/framework/iComponent.h"
#include "opc/iOPCItem.h"
#include "platform/JPEGImage.h"

#include <QByteArray>
#include <QRect>
#include <QTimer>
#include <QVariant>
#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <thread>

using TIndexObjectEvent = std::function<void(QObject* Sender, int Index)>;
using TBeforeOPCNewDataEvent = std::function<void(QObject* Sender, int Index, QVariant& Data)>;
// A failure of a live-data item that no caller can be told of by an exception: a connection
// made in the background, a write the server refused, a write of a changed property.
using TOPCErrorEvent = std::function<void(QObject* Sender, int Index, const QString& Message)>;

class TiVCLComponent : public TiComponent {
    Q_OBJECT

public:
    explicit TiVCLComponent(QWidget* parent = nullptr);
    ~TiVCLComponent() override;

    bool Transparent() const { return transparent_; }
    virtual void SetTransparent(bool value);

    bool GetTimerRunning() const override { return timer_.isActive(); }
    // A running timer is left alone. After a first shot with no interval the timer stops.
    void TimerStart(uint32_t InitialDelay, uint32_t Interval) override;
    void TimerStop() override { timer_.stop(); }
    // Re-entrant for the thread that holds it; not taken once destruction has begun.
    void Lock() override;
    void Unlock() override;
    void RepaintAll() override;

    // Paints the control with its top-left at (X, Y) of Canvas, clipped to its own size;
    // NoBackGround leaves out the background so that the control overlays what is there.
    void iPaintToDC(int X, int Y, bool NoBackGround, TCanvas& Canvas);

    // The control as it paints, Width x Height: a vector picture (SVG) whose creator is
    // "Varlex", and JPEG images of quality Compression, raising "Compression must be in the
    // range of 1-100" before anything is painted. The file and the image are encoded for best
    // quality, the bytes (a JPEG file held in memory) for best speed.
    void SaveImageToMetaFile(const QString& FileName);
    void SaveImageToJPEG(const QString& FileName, int Compression, bool Progressive);
    std::unique_ptr<TJPEGImage> GetJPEG(int Compression, bool Progressive);
    QByteArray GetBytesJPEG(int Compression, bool Progressive);

    // Live-data items, by index; an index out of range raises "List index out of bounds".
    int OPCAddItem();
    int OPCItemCount() const { return opcItems_.GetCount(); }
    void OPCRemoveAllItems() { opcItems_.Clear(); }
    void OPCItemActivate(int Index) { GetOPCItem(Index)->Activate(); }
    void OPCItemDeactivate(int Index) { GetOPCItem(Index)->Deactivate(); }
    void OPCItemUpdateResume(int Index) { GetOPCItem(Index)->UpdateResume(); }
    void OPCItemUpdateSuspend(int Index) { GetOPCItem(Index)->UpdateSuspend(); }
    void OPCItemLoaded(int Index) { GetOPCItem(Index)->Loaded(); }
    TiOPCItem* GetOPCItem(int Index) const { return opcItems_.GetItem(Index); }
    void SetOPCItemData(int Index, const QVariant& Value) { GetOPCItem(Index)->SetData(Value); }
    void SetOPCItemComputerName(int Index, const QString& Value);
    void SetOPCItemServerName(int Index, const QString& Value);
    void SetOPCItemItemName(int Index, const QString& Value);
    void SetOPCItemPropertyName(int Index, const QString& Value);
    void SetOPCItemAutoConnect(int Index, bool Value);
    void SetOPCItemUpdateRate(int Index, int Value);
    QString GetOPCItemComputerName(int Index) const { return GetOPCItem(Index)->ComputerName(); }
    QString GetOPCItemServerName(int Index) const { return GetOPCItem(Index)->ServerName(); }
    QString GetOPCItemItemName(int Index) const { return GetOPCItem(Index)->ItemName(); }
    QString GetOPCItemPropertyName(int Index) const { return GetOPCItem(Index)->PropertyName(); }
    bool GetOPCItemAutoConnect(int Index) const { return GetOPCItem(Index)->AutoConnect(); }
    int GetOPCItemUpdateRate(int Index) const { return GetOPCItem(Index)->UpdateRate(); }
    QVariant GetOPCItemData(int Index) const { return GetOPCItem(Index)->Data(); }
    quint16 GetOPCItemQuality(int Index) const { return GetOPCItem(Index)->Quality(); }
    TDateTime GetOPCItemTimeStamp(int Index) const { return GetOPCItem(Index)->TimeStamp(); }
    // Values that reached a bound property but converted to nothing it can hold.
    int OPCDroppedValueCount() const { return opcDroppedValues_; }

    // A value arrived for Item: offered to OnBeforeNewOPCData, applied to the bound property
    // when its quality is good, then told by OnNewOPCData.
    virtual void OPCNewData(TiOPCItem* Item);
    // Sets every writable published property of Object (and of its sub-objects) whose full
    // name, Prefix "." name when Prefix is not blank, is Name; raises EConvertError for a value
    // the property cannot take.
    void OPCSetProperty(QObject* Object, const QString& Prefix, const QVariant& Value,
                        const QString& Name);
    // Sends a changed property to the first active item bound to it, unless the change is
    // the one a value of that item just made. A failed write keeps the change: it is told
    // by OnOPCError and shows as the error state with AutoError.
    bool OPCOutputData(const QString& PropName, const QVariant& Value) override;
    virtual bool OPCNewDataSpecial(QObject* Item);
    virtual void UpdateOPCSpecialList();
    // Reads the items a form description left in the dynamic property "OPCItems".
    void Loaded() override;

    TNotifyEvent OnInternalTimer;
    TIndexObjectEvent OnNewOPCData;
    TBeforeOPCNewDataEvent OnBeforeNewOPCData;
    TOPCErrorEvent OnOPCError;

protected:
    // "OPCItems = <" and the items' lines, after the properties; only with items.
    void WriteExtraProperties(TStringList& Lines) override;
    void ReadExtraProperties(TStringList& Lines) override;
    void DrawBackGround(TCanvas& Canvas, TColor Color) override;
    bool DoMouseWheel(TShiftState Shift, int WheelDelta, TPoint MousePos) override;

    void paintEvent(QPaintEvent* event) override;
    void moveEvent(QMoveEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    std::unique_ptr<TJPEGImage> PaintToJPEG(int Compression, bool Progressive,
                                            TJPEGPerformance Performance);
    void TimerTick();
    void BoundsChanged();
    void RequestTransparentCapture();
    void CaptureTransparency();
    // The four points inset 5 pixels from the corners, on the part of the screen the
    // control is not covered on.
    bool CornersVisible() const;
    void FillTransparency(TColor color);

    void OPCFailure(TiOPCItem* Item, const QString& Message);
    void ApplyOPCValue(TiOPCItem& Item, const QVariant& Value);

    TiOPCItemManager opcItems_;
    // The property a value of an item is being written to: its change is not sent back.
    QString opcEcho_;
    int opcDroppedValues_ = 0;
    QTimer timer_;
    bool noBackGround_ = false;
    std::unique_ptr<TBitmap> transparencyBitmap_;
    std::recursive_mutex lock_;
    // Holds taken and not yet released, so that destruction can let go of them.
    int lockDepth_ = 0;
    std::atomic<std::thread::id> owner_;
    bool destroying_ = false;
    bool transparent_ = false;
    bool firstShot_ = false;
    uint32_t repeatInterval_ = 0;
    bool capturePending_ = false;
    QRect appliedBounds_;
};
