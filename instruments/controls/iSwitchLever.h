// A two-position toggle drawn as a lever on a round boss: Active shows the lever up. The left
// mouse button or the space bar flips it.
#pragma once

#include "instruments/framework/iCustomComponent.h"

#include <array>

class TiSwitchLever : public TiCustomComponent {
    Q_OBJECT
    Q_PROPERTY(bool Active READ Active WRITE SetActive)
    Q_PROPERTY(
        TiMouseControlStyle MouseControlStyle READ MouseControlStyle WRITE SetMouseControlStyle)
    Q_PROPERTY(bool ShowFocusRect READ ShowFocusRect WRITE SetShowFocusRect)
    Q_PROPERTY(int Width READ Width WRITE SetWidth)
    Q_PROPERTY(int Height READ Height WRITE SetHeight)
    Q_PROPERTY(bool TabStop READ TabStop WRITE SetTabStop)
    Q_PROPERTY(TColor BackGroundColor READ BackGroundColor WRITE SetBackGroundColor)
    Q_PROPERTY(bool Transparent READ Transparent WRITE SetTransparent)

public:
    enum TiMouseControlStyle { imcsClickAnyWhere, imcsClickIndicator };
    Q_ENUM(TiMouseControlStyle)

    explicit TiSwitchLever(QWidget* parent = nullptr);

    bool Active() const { return active_; }
    void SetActive(bool Value);
    // As SetActive, with OnChange silent.
    void SetActiveNoEvent(bool Value);
    TiMouseControlStyle MouseControlStyle() const { return mouseControlStyle_; }
    void SetMouseControlStyle(TiMouseControlStyle Value) { mouseControlStyle_ = Value; }
    int Width() const { return width(); }
    void SetWidth(int Value) { resize(Value, height()); }
    int Height() const { return height(); }
    void SetHeight(int Value) { resize(width(), Value); }

    // The half of the control toward which the lever would move.
    TRect GetIndicatorRect() const;

    TNotifyEvent OnChange;
    TNotifyEvent OnChangeUser;

protected:
    void iPaintTo(TCanvas& Canvas) override;
    void iMouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void iMouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void iKeyDown(uint16_t& Key, TShiftState Shift) override;
    void iKeyUp(uint16_t& Key, TShiftState Shift) override;
    void iDoKillFocus() override;

private:
    // The lever's shapes for one size: a quadrilateral from the boss to the lever end and the
    // end itself, in the lever's two positions.
    struct TiLeverShape {
        std::array<TPoint, 4> Lever;
        TRect End;
    };
    struct TiLeverGeometry {
        TPoint Center;
        int BossRadius = 0;
        TiLeverShape Down;
        TiLeverShape Up;
    };

    TiLeverGeometry Geometry(const TPoint& Center) const;
    void DoChange();
    void FlipByUser();
    void DrawStatic(TCanvas& Canvas, const TiLeverGeometry& Shape);
    void DrawLever(TCanvas& Canvas, const TiLeverGeometry& Shape);
    static void FillShape(TCanvas& Canvas, const TiLeverShape& Shape, TColor LeverColor,
                          TColor EndColor);

    bool active_ = false;
    TiMouseControlStyle mouseControlStyle_ = imcsClickAnyWhere;
    bool mousePressed_ = false;
    bool spacePressed_ = false;
    // Set while a change comes from the mouse or the keyboard.
    bool userChange_ = false;
};
