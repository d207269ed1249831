// A check box drawn by the library: a sunken box with a three-pixel check mark and a caption
// beside it. The left mouse button or the space bar toggles it.
#pragma once

#include "instruments/framework/iCustomComponent.h"
#include "platform/Font.h"

#include <memory>

class TiCheckBox : public TiCustomComponent {
    Q_OBJECT
    Q_PROPERTY(bool Checked READ Checked WRITE SetChecked)
    Q_PROPERTY(QString Caption READ Caption WRITE SetCaption)
    Q_PROPERTY(TLeftRight Alignment READ Alignment WRITE SetAlignment)
    Q_PROPERTY(bool AutoSize READ AutoSize WRITE SetAutoSize)
    Q_PROPERTY(TFont* Font READ Font WRITE SetFont)
    Q_PROPERTY(int Width READ Width WRITE SetWidth)
    Q_PROPERTY(int Height READ Height WRITE SetHeight)
    Q_PROPERTY(bool TabStop READ TabStop WRITE SetTabStop)
    Q_PROPERTY(TColor BackGroundColor READ BackGroundColor WRITE SetBackGroundColor)

public:
    // The side of the caption the box stands on the other side of: taRightJustify puts the
    // box left and the caption right of it.
    enum TLeftRight { taLeftJustify, taRightJustify };
    Q_ENUM(TLeftRight)

    explicit TiCheckBox(QWidget* parent = nullptr);
    ~TiCheckBox() override;

    bool Checked() const { return checked_; }
    void SetChecked(bool Value);
    QString Caption() const { return caption_; }
    void SetCaption(const QString& Value);
    TLeftRight Alignment() const { return alignment_; }
    void SetAlignment(TLeftRight Value);
    bool AutoSize() const { return autoSize_; }
    void SetAutoSize(bool Value);
    TFont* Font() const { return font_.get(); }
    void SetFont(const TFont* Value);
    int Width() const { return width(); }
    void SetWidth(int Value) { resize(BoundPixelSize(Value), height()); }
    int Height() const { return height(); }
    void SetHeight(int Value) { resize(width(), BoundPixelSize(Value)); }

    // Sizes the control to its caption: skipped while loading, with AutoSize off, or when
    // already running.
    void DoAutoSize();

    TNotifyEvent OnChange;
    TNotifyEvent OnChangeUser;

protected:
    void iPaintTo(TCanvas& Canvas) override;
    void iMouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void iMouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void iKeyDown(uint16_t& Key, TShiftState Shift) override;
    void iKeyUp(uint16_t& Key, TShiftState Shift) override;
    void iDoSetFocus() override;
    void iDoKillFocus() override;
    void changeEvent(QEvent* event) override;

private:
    // The box and the caption's rectangle for one size and caption extent.
    struct TiCheckBoxLayout {
        TRect Box;
        TRect Text;
    };

    TiCheckBoxLayout Layout(const TSize& TextExtent) const;
    void DoChange();
    void ToggleByUser();
    void DrawBox(TCanvas& Canvas, const TRect& Box);
    void DrawCheckMark(TCanvas& Canvas, const TRect& Box);
    void DrawFocus(TCanvas& Canvas, const TRect& Text);

    bool checked_ = false;
    QString caption_ = QStringLiteral("Caption");
    TLeftRight alignment_ = taRightJustify;
    bool autoSize_ = true;
    std::unique_ptr<TFont> font_;
    bool mousePressed_ = false;
    bool spacePressed_ = false;
    // Set while a change comes from the mouse or the space bar.
    bool userChange_ = false;
    bool autoSizing_ = false;
};

using TLeftRight = TiCheckBox::TLeftRight;
using enum TiCheckBox::TLeftRight;
