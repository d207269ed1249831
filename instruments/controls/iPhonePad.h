// A telephone keypad: twelve light-weight push buttons "1" to "9", "*", "0" and "#" in a 3 x 4
// grid that scales with the control; a completed click reports the button's key code.
#pragma once

#include "instruments/controls/iButton.h"
#include "instruments/framework/iCustomComponent.h"

#include <array>
#include <functional>
#include <memory>

// KeyCode is 0 to 9 for the digits, 10 for "*" and 11 for "#", whatever the captions.
using TiPhonePadKeyEvent = std::function<void(QObject* Sender, int KeyCode, QChar AChar)>;

class TiPhonePad : public TiCustomComponent {
    Q_OBJECT
    Q_PROPERTY(bool ButtonVisible0 READ ButtonVisible0 WRITE SetButtonVisible0)
    Q_PROPERTY(bool ButtonVisible1 READ ButtonVisible1 WRITE SetButtonVisible1)
    Q_PROPERTY(bool ButtonVisible2 READ ButtonVisible2 WRITE SetButtonVisible2)
    Q_PROPERTY(bool ButtonVisible3 READ ButtonVisible3 WRITE SetButtonVisible3)
    Q_PROPERTY(bool ButtonVisible4 READ ButtonVisible4 WRITE SetButtonVisible4)
    Q_PROPERTY(bool ButtonVisible5 READ ButtonVisible5 WRITE SetButtonVisible5)
    Q_PROPERTY(bool ButtonVisible6 READ ButtonVisible6 WRITE SetButtonVisible6)
    Q_PROPERTY(bool ButtonVisible7 READ ButtonVisible7 WRITE SetButtonVisible7)
    Q_PROPERTY(bool ButtonVisible8 READ ButtonVisible8 WRITE SetButtonVisible8)
    Q_PROPERTY(bool ButtonVisible9 READ ButtonVisible9 WRITE SetButtonVisible9)
    Q_PROPERTY(bool ButtonVisibleStar READ ButtonVisibleStar WRITE SetButtonVisibleStar)
    Q_PROPERTY(bool ButtonVisiblePound READ ButtonVisiblePound WRITE SetButtonVisiblePound)
    Q_PROPERTY(QString ButtonCaption0 READ ButtonCaption0 WRITE SetButtonCaption0)
    Q_PROPERTY(QString ButtonCaption1 READ ButtonCaption1 WRITE SetButtonCaption1)
    Q_PROPERTY(QString ButtonCaption2 READ ButtonCaption2 WRITE SetButtonCaption2)
    Q_PROPERTY(QString ButtonCaption3 READ ButtonCaption3 WRITE SetButtonCaption3)
    Q_PROPERTY(QString ButtonCaption4 READ ButtonCaption4 WRITE SetButtonCaption4)
    Q_PROPERTY(QString ButtonCaption5 READ ButtonCaption5 WRITE SetButtonCaption5)
    Q_PROPERTY(QString ButtonCaption6 READ ButtonCaption6 WRITE SetButtonCaption6)
    Q_PROPERTY(QString ButtonCaption7 READ ButtonCaption7 WRITE SetButtonCaption7)
    Q_PROPERTY(QString ButtonCaption8 READ ButtonCaption8 WRITE SetButtonCaption8)
    Q_PROPERTY(QString ButtonCaption9 READ ButtonCaption9 WRITE SetButtonCaption9)
    Q_PROPERTY(QString ButtonCaptionStar READ ButtonCaptionStar WRITE SetButtonCaptionStar)
    Q_PROPERTY(QString ButtonCaptionPound READ ButtonCaptionPound WRITE SetButtonCaptionPound)
    Q_PROPERTY(double OuterMargin READ OuterMargin WRITE SetOuterMargin)
    Q_PROPERTY(double ButtonSpacing READ ButtonSpacing WRITE SetButtonSpacing)
    Q_PROPERTY(TFont* Font READ Font WRITE SetFont)
    Q_PROPERTY(bool ShowFocusRect READ ShowFocusRect WRITE SetShowFocusRect)
    Q_PROPERTY(int Width READ Width WRITE SetWidth)
    Q_PROPERTY(int Height READ Height WRITE SetHeight)
    Q_PROPERTY(TColor BackGroundColor READ BackGroundColor WRITE SetBackGroundColor)
    Q_PROPERTY(TiBevelStyle BorderStyle READ BorderStyle WRITE SetBorderStyle)
    Q_PROPERTY(bool Transparent READ Transparent WRITE SetTransparent)

public:
    static constexpr int ButtonCount = 12;
    using TiButtonRects = std::array<TRect, ButtonCount>;

    explicit TiPhonePad(QWidget* parent = nullptr);
    ~TiPhonePad() override;

    bool ButtonVisible0() const { return ButtonVisible(0); }
    void SetButtonVisible0(bool Value) { SetButtonVisible(0, Value); }
    bool ButtonVisible1() const { return ButtonVisible(1); }
    void SetButtonVisible1(bool Value) { SetButtonVisible(1, Value); }
    bool ButtonVisible2() const { return ButtonVisible(2); }
    void SetButtonVisible2(bool Value) { SetButtonVisible(2, Value); }
    bool ButtonVisible3() const { return ButtonVisible(3); }
    void SetButtonVisible3(bool Value) { SetButtonVisible(3, Value); }
    bool ButtonVisible4() const { return ButtonVisible(4); }
    void SetButtonVisible4(bool Value) { SetButtonVisible(4, Value); }
    bool ButtonVisible5() const { return ButtonVisible(5); }
    void SetButtonVisible5(bool Value) { SetButtonVisible(5, Value); }
    bool ButtonVisible6() const { return ButtonVisible(6); }
    void SetButtonVisible6(bool Value) { SetButtonVisible(6, Value); }
    bool ButtonVisible7() const { return ButtonVisible(7); }
    void SetButtonVisible7(bool Value) { SetButtonVisible(7, Value); }
    bool ButtonVisible8() const { return ButtonVisible(8); }
    void SetButtonVisible8(bool Value) { SetButtonVisible(8, Value); }
    bool ButtonVisible9() const { return ButtonVisible(9); }
    void SetButtonVisible9(bool Value) { SetButtonVisible(9, Value); }
    bool ButtonVisibleStar() const { return ButtonVisible(10); }
    void SetButtonVisibleStar(bool Value) { SetButtonVisible(10, Value); }
    bool ButtonVisiblePound() const { return ButtonVisible(11); }
    void SetButtonVisiblePound(bool Value) { SetButtonVisible(11, Value); }
    QString ButtonCaption0() const { return ButtonCaption(0); }
    void SetButtonCaption0(const QString& Value) { SetButtonCaption(0, Value); }
    QString ButtonCaption1() const { return ButtonCaption(1); }
    void SetButtonCaption1(const QString& Value) { SetButtonCaption(1, Value); }
    QString ButtonCaption2() const { return ButtonCaption(2); }
    void SetButtonCaption2(const QString& Value) { SetButtonCaption(2, Value); }
    QString ButtonCaption3() const { return ButtonCaption(3); }
    void SetButtonCaption3(const QString& Value) { SetButtonCaption(3, Value); }
    QString ButtonCaption4() const { return ButtonCaption(4); }
    void SetButtonCaption4(const QString& Value) { SetButtonCaption(4, Value); }
    QString ButtonCaption5() const { return ButtonCaption(5); }
    void SetButtonCaption5(const QString& Value) { SetButtonCaption(5, Value); }
    QString ButtonCaption6() const { return ButtonCaption(6); }
    void SetButtonCaption6(const QString& Value) { SetButtonCaption(6, Value); }
    QString ButtonCaption7() const { return ButtonCaption(7); }
    void SetButtonCaption7(const QString& Value) { SetButtonCaption(7, Value); }
    QString ButtonCaption8() const { return ButtonCaption(8); }
    void SetButtonCaption8(const QString& Value) { SetButtonCaption(8, Value); }
    QString ButtonCaption9() const { return ButtonCaption(9); }
    void SetButtonCaption9(const QString& Value) { SetButtonCaption(9, Value); }
    QString ButtonCaptionStar() const { return ButtonCaption(10); }
    void SetButtonCaptionStar(const QString& Value) { SetButtonCaption(10, Value); }
    QString ButtonCaptionPound() const { return ButtonCaption(11); }
    void SetButtonCaptionPound(const QString& Value) { SetButtonCaption(11, Value); }
    // Fractions of a button; below 0 counts as 0, as the grid is sized by dividing by them.
    double OuterMargin() const { return outerMargin_; }
    void SetOuterMargin(double Value);
    double ButtonSpacing() const { return buttonSpacing_; }
    void SetButtonSpacing(double Value);
    TFont* Font() const { return font_.get(); }
    void SetFont(const TFont* Value);
    int Width() const { return width(); }
    void SetWidth(int Value) { resize(Value, height()); }
    int Height() const { return height(); }
    void SetHeight(int Value) { resize(width(), Value); }

    // The button of a key code, in the order "0" ... "9", "*", "#".
    TiButton* Button(int KeyCode) const { return buttons_.at(KeyCode).get(); }
    // Assigns the rectangles of the current size and margins to the buttons.
    void CalcRects();

    TiPhonePadKeyEvent OnKeyClick;

protected:
    void iPaintTo(TCanvas& Canvas) override;
    void iMouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void iMouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void iDoKillFocus() override;
    void resizeEvent(QResizeEvent* event) override;

private:
    // The draw rectangles of the grid for a size, indexed by key code.
    static TiButtonRects Layout(int Width, int Height, double OuterMargin, double ButtonSpacing);
    bool ButtonVisible(int KeyCode) const { return Button(KeyCode)->Visible(); }
    void SetButtonVisible(int KeyCode, bool Value) { Button(KeyCode)->SetVisible(Value); }
    QString ButtonCaption(int KeyCode) const { return Button(KeyCode)->Caption(); }
    void SetButtonCaption(int KeyCode, const QString& Value) { Button(KeyCode)->SetCaption(Value); }
    void SetMargin(double Value, double& Field);
    void ButtonClick(QObject* Sender);
    void ButtonInvalidate(QObject* Sender);
    void FontChange();
    void DrawStatic(TCanvas& Canvas);
    void DrawButtons(TCanvas& Canvas);
    void DrawFocus(TCanvas& Canvas);

    std::array<std::unique_ptr<TiButton>, ButtonCount> buttons_;
    double outerMargin_ = 0.05;
    double buttonSpacing_ = 0.1;
    std::unique_ptr<TFont> font_;
    // The button that received the last accepted press, until its release.
    TiButton* pressed_ = nullptr;
};
