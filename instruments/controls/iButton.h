// A light-weight push button that its owner positions, draws and feeds with mouse input; it is
// no window of its own. The owner hears of repaints and clicks through two callbacks.
#pragma once

#include "instruments/framework/iControlEvents.h"
#include "platform/Canvas.h"
#include "platform/Font.h"
#include "platform/Geometry.h"

#include <QObject>
#include <QString>
#include <memory>

class TiButton : public QObject {
    Q_OBJECT
    Q_PROPERTY(bool Visible READ Visible WRITE SetVisible)
    Q_PROPERTY(bool Enabled READ Enabled WRITE SetEnabled)
    Q_PROPERTY(QString Caption READ Caption WRITE SetCaption)
    Q_PROPERTY(TFont* Font READ Font WRITE SetFont)

public:
    explicit TiButton(QObject* parent = nullptr);
    ~TiButton() override;

    bool Visible() const { return visible_; }
    void SetVisible(bool Value);
    bool Enabled() const { return enabled_; }
    void SetEnabled(bool Value);
    QString Caption() const { return caption_; }
    void SetCaption(const QString& Value);
    TFont* Font() const { return font_.get(); }
    void SetFont(const TFont* Value);
    TRect DrawRect() const { return drawRect_; }
    void SetDrawRect(const TRect& Value);
    bool MouseDown() const { return mouseDown_; }
    void SetMouseDown(bool Value);

    // Both set by the owner; Sender is the button.
    TNotifyEvent OnInvalidate;
    TNotifyEvent OnClick;

    virtual void iMouseDown(TMouseButton Button, TShiftState Shift, int X, int Y);
    virtual void iMouseUp(TMouseButton Button, TShiftState Shift, int X, int Y);
    virtual void Draw(TCanvas& Canvas);

private:
    template <typename T> void Change(T& field, const T& value);
    void Invalidate();

    TRect drawRect_;
    bool visible_ = true;
    bool mouseDown_ = false;
    bool enabled_ = true;
    QString caption_;
    std::unique_ptr<TFont> font_;
};
