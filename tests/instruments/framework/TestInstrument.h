// A minimal instrument for the component-core tests: it follows the painting pattern of every
// instrument, counts repaint requests and logs the i* operations it receives.
#pragma once

#include "instruments/framework/iCustomComponent.h"
#include "platform/Exception.h"

#include <QStringList>

class TestInstrument : public TiCustomComponent {
public:
    explicit TestInstrument(QWidget* parent = nullptr) : TiCustomComponent(parent) {
        resize(101, 51);
    }

    using TiComponent::CreateBackGroundPicture;
    using TiComponent::HasFocus;
    using TiComponent::SetBooleanProperty;
    using TiComponent::SetDoubleProperty;
    using TiComponent::SetIntegerProperty;
    using TiComponent::SetStringProperty;

    int repaints = 0;
    int paints = 0;
    int staticDraws = 0;
    bool cachedDuringPaint = true;
    bool failPaint = false;
    bool wantTab = false;
    bool wheelHandled = false;
    TColor foreground = clRed;
    QStringList log;

protected:
    void DoRepaint() override {
        ++repaints;
        TiCustomComponent::DoRepaint();
    }

    void iPaintTo(TCanvas& canvas) override {
        ++paints;
        cachedDuringPaint = CachedDrawing();
        if (failPaint) throw Exception(QStringLiteral("paint failed"));
        if (CachedDrawing()) {
            if (BackGroundChanged()) {
                DrawStatic(*GetBackGroundBitmap()->Canvas());
                ResetBackGroundChange();
            }
            TransferBackGround(canvas);
        } else {
            DrawStatic(canvas);
        }
        canvas.SetPixels(50, 25, foreground);
    }

    void iWantSpecialKey(uint16_t& key, bool& result) override {
        if (key == VK_TAB) result = wantTab;
    }
    void iKeyDown(uint16_t& key, TShiftState) override { Log("iKeyDown", key); }
    void iKeyUp(uint16_t& key, TShiftState) override { Log("iKeyUp", key); }
    void iKeyPress(QChar& key) override { Log("iKeyPress", key); }
    void iMouseDown(TMouseButton, TShiftState shift, int x, int y) override {
        Log("iMouseDown",
            QStringLiteral("%1,%2").arg(x).arg(y) + (shift & ssDouble ? " double" : ""));
    }
    void iMouseUp(TMouseButton, TShiftState, int x, int y) override { Log("iMouseUp", x, y); }
    void iMouseMove(TShiftState, int x, int y) override { Log("iMouseMove", x, y); }
    void iDoubleClick() override { Log("iDoubleClick"); }
    bool iMouseWheel(int delta, TShiftState, TPoint) override {
        Log("iMouseWheel", delta);
        return wheelHandled;
    }
    void iDoSetFocus() override {
        Log("iDoSetFocus");
        TiCustomComponent::iDoSetFocus();
    }

private:
    void DrawStatic(TCanvas& canvas) {
        ++staticDraws;
        DrawBackGround(canvas, BackGroundColor());
    }
    // Each entry notes whether the core had marked the message as the user's.
    void Log(const char* name, const QString& detail = {}) {
        log << QString(name) + (detail.isEmpty() ? "" : " " + detail) +
                   (UserInputActive() ? "" : " (program)");
    }
    void Log(const char* name, int value) { Log(name, QString::number(value)); }
    void Log(const char* name, QChar value) { Log(name, QString(value)); }
    void Log(const char* name, int x, int y) { Log(name, QStringLiteral("%1,%2").arg(x).arg(y)); }
};
