// A square of four arrow buttons in a cross: left and right step ValueX, up and down step
// ValueY; holding an arrow repeats the step. The values themselves are not shown.
#pragma once

#include "instruments/framework/iCustomComponent.h"

#include <array>

class TiSwitchQuad : public TiCustomComponent {
    Q_OBJECT
    Q_PROPERTY(double ValueX READ ValueX WRITE SetValueX)
    Q_PROPERTY(double ValueY READ ValueY WRITE SetValueY)
    Q_PROPERTY(double IncrementX READ IncrementX WRITE SetIncrementX)
    Q_PROPERTY(double IncrementY READ IncrementY WRITE SetIncrementY)
    Q_PROPERTY(int RepeatInitialDelay READ RepeatInitialDelay WRITE SetRepeatInitialDelay)
    Q_PROPERTY(int RepeatInterval READ RepeatInterval WRITE SetRepeatInterval)
    Q_PROPERTY(bool UseArrowKeys READ UseArrowKeys WRITE SetUseArrowKeys)
    Q_PROPERTY(bool ShowFocusRect READ ShowFocusRect WRITE SetShowFocusRect)
    Q_PROPERTY(int Width READ Width WRITE SetWidth)
    Q_PROPERTY(int Height READ Height WRITE SetHeight)
    Q_PROPERTY(bool TabStop READ TabStop WRITE SetTabStop)
    Q_PROPERTY(TColor BackGroundColor READ BackGroundColor WRITE SetBackGroundColor)
    Q_PROPERTY(bool Transparent READ Transparent WRITE SetTransparent)

public:
    enum TiQuadArrow { iqaNone, iqaLeft, iqaUp, iqaRight, iqaDown };
    Q_ENUM(TiQuadArrow)

    // The four arrow rectangles of one size, a third of the side each, in a cross.
    struct TiQuadRects {
        TRect Left;
        TRect Up;
        TRect Right;
        TRect Down;
    };

    explicit TiSwitchQuad(QWidget* parent = nullptr);

    double ValueX() const { return valueX_; }
    void SetValueX(double Value);
    double ValueY() const { return valueY_; }
    void SetValueY(double Value);
    double IncrementX() const { return incrementX_; }
    void SetIncrementX(double Value);
    double IncrementY() const { return incrementY_; }
    void SetIncrementY(double Value);
    int RepeatInitialDelay() const { return repeatInitialDelay_; }
    void SetRepeatInitialDelay(int Value);
    int RepeatInterval() const { return repeatInterval_; }
    void SetRepeatInterval(int Value);
    bool UseArrowKeys() const { return useArrowKeys_; }
    void SetUseArrowKeys(bool Value) { useArrowKeys_ = Value; }
    // The control stays square: a new width sets the height too, else a new height the width.
    int Width() const { return width(); }
    void SetWidth(int Value);
    int Height() const { return height(); }
    void SetHeight(int Value);

    // As the setters, with OnValueXChange (OnValueYChange) silent.
    void SetValueXNoEvent(double Value);
    void SetValueYNoEvent(double Value);

    TiQuadRects CalcRects() const;
    // The arrow whose rectangle holds the point (right and bottom edges excluded).
    TiQuadArrow ArrowAt(int X, int Y) const;
    TiQuadArrow PressedArrow() const { return pressed_; }

    TNotifyEvent OnClickLeft;
    TNotifyEvent OnClickUp;
    TNotifyEvent OnClickRight;
    TNotifyEvent OnClickDown;
    TNotifyEvent OnValueXChange;
    TNotifyEvent OnValueYChange;
    TNotifyEvent OnValueXChangeUser;
    TNotifyEvent OnValueYChangeUser;

protected:
    void iPaintTo(TCanvas& Canvas) override;
    void iMouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void iMouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void iKeyDown(uint16_t& Key, TShiftState Shift) override;
    void iKeyUp(uint16_t& Key, TShiftState Shift) override;
    void iWantSpecialKey(uint16_t& Key, bool& Result) override;
    void iDoKillFocus() override;
    void resizeEvent(QResizeEvent* event) override;

private:
    using TiTriangle = std::array<TPoint, 3>;

    static TiTriangle Triangle(TiQuadArrow Arrow, const TRect& R);
    static TRect RectOf(const TiQuadRects& Rects, TiQuadArrow Arrow);
    void SetValue(double Value, double& Field, const QString& PropName,
                  const TNotifyEvent& OnValueChange, const TNotifyEvent& OnValueChangeUser);
    void DoValueChange(const QString& PropName, const TNotifyEvent& OnValueChange,
                       const TNotifyEvent& OnValueChangeUser);
    void DoClick(TiQuadArrow Arrow);
    void DoQuadEvent();
    void RepeatTick();
    void StartRepeat();
    void DrawArrow(TCanvas& Canvas, TiQuadArrow Arrow, const TRect& R);

    double valueX_ = 0;
    double valueY_ = 0;
    double incrementX_ = 1.0;
    double incrementY_ = 1.0;
    int repeatInitialDelay_ = 500;
    int repeatInterval_ = 50;
    bool useArrowKeys_ = true;
    TiQuadArrow pressed_ = iqaNone;
    bool mousePressed_ = false;
    bool keyPressed_ = false;
    // Set while a step made by the mouse, a key or the repeat timer runs.
    bool userChange_ = false;
};

using TiQuadArrow = TiSwitchQuad::TiQuadArrow;
using enum TiSwitchQuad::TiQuadArrow;
