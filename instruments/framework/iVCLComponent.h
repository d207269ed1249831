// The window-system side of every instrument: transparency over what lies behind the control,
// the component lock and timer, painting into another canvas, and the owner's data hooks.
#pragma once

#include "instruments/framework/iComponent.h"
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

    virtual bool OPCNewDataSpecial(QObject* Item);
    virtual void UpdateOPCSpecialList();

    TNotifyEvent OnInternalTimer;
    TIndexObjectEvent OnNewOPCData;
    TBeforeOPCNewDataEvent OnBeforeNewOPCData;

protected:
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
