// A single-line caption with alignment, inner margins, a drop shadow and a border, sized to its
// text; an accelerator in the caption moves the focus to the control it labels.
#pragma once

#include "instruments/framework/iCustomComponent.h"
#include "platform/Font.h"

#include <QPointer>
#include <QString>
#include <memory>

class TiLabel : public TiCustomComponent {
    Q_OBJECT
    Q_PROPERTY(QString Caption READ Caption WRITE SetCaption)
    Q_PROPERTY(TFont* Font READ Font WRITE SetFont)
    Q_PROPERTY(iTypes::TiAlignmentHorizontal Alignment READ Alignment WRITE SetAlignment)
    Q_PROPERTY(bool AutoSize READ AutoSize WRITE SetAutoSize)
    Q_PROPERTY(int OuterMarginLeft READ OuterMarginLeft WRITE SetOuterMarginLeft)
    Q_PROPERTY(int OuterMarginTop READ OuterMarginTop WRITE SetOuterMarginTop)
    Q_PROPERTY(int OuterMarginRight READ OuterMarginRight WRITE SetOuterMarginRight)
    Q_PROPERTY(int OuterMarginBottom READ OuterMarginBottom WRITE SetOuterMarginBottom)
    Q_PROPERTY(TiLabelBorderStyle BorderStyle READ BorderStyle WRITE SetBorderStyle)
    Q_PROPERTY(bool ShadowShow READ ShadowShow WRITE SetShadowShow)
    Q_PROPERTY(int ShadowXOffset READ ShadowXOffset WRITE SetShadowXOffset)
    Q_PROPERTY(int ShadowYOffset READ ShadowYOffset WRITE SetShadowYOffset)
    Q_PROPERTY(TColor ShadowColor READ ShadowColor WRITE SetShadowColor)
    // A reference, not an owned sub-object, so never stored with the label.
    Q_PROPERTY(QWidget* FocusControl READ FocusControl WRITE SetFocusControl STORED false)
    Q_PROPERTY(TColor BackGroundColor READ BackGroundColor WRITE SetBackGroundColor)
    Q_PROPERTY(bool Transparent READ Transparent WRITE SetTransparent)
    Q_PROPERTY(int Width READ Width WRITE SetWidth)
    Q_PROPERTY(int Height READ Height WRITE SetHeight)

public:
    enum TiLabelBorderStyle { ilbsNone, ilbsSingle, ilbsLowered, ilbsRaised };
    Q_ENUM(TiLabelBorderStyle)

    explicit TiLabel(QWidget* parent = nullptr);
    ~TiLabel() override;

    QString Caption() const { return caption_; }
    void SetCaption(const QString& value);
    TFont* Font() const { return font_.get(); }
    void SetFont(const TFont* value);
    TiAlignmentHorizontal Alignment() const { return alignment_; }
    void SetAlignment(TiAlignmentHorizontal value);
    bool AutoSize() const { return autoSize_; }
    void SetAutoSize(bool value);
    int OuterMarginLeft() const { return outerMarginLeft_; }
    void SetOuterMarginLeft(int value);
    int OuterMarginTop() const { return outerMarginTop_; }
    void SetOuterMarginTop(int value);
    int OuterMarginRight() const { return outerMarginRight_; }
    void SetOuterMarginRight(int value);
    int OuterMarginBottom() const { return outerMarginBottom_; }
    void SetOuterMarginBottom(int value);
    TiLabelBorderStyle BorderStyle() const { return borderStyle_; }
    void SetBorderStyle(TiLabelBorderStyle value);
    bool ShadowShow() const { return shadowShow_; }
    void SetShadowShow(bool value);
    int ShadowXOffset() const { return shadowXOffset_; }
    void SetShadowXOffset(int value);
    int ShadowYOffset() const { return shadowYOffset_; }
    void SetShadowYOffset(int value);
    TColor ShadowColor() const { return shadowColor_; }
    void SetShadowColor(TColor value);
    QWidget* FocusControl() const { return focusControl_; }
    void SetFocusControl(QWidget* value);
    int Width() const { return width(); }
    void SetWidth(int value) { resize(value, height()); }
    int Height() const { return height(); }
    void SetHeight(int value) { resize(width(), value); }

    // Sizes the control to the caption, its margins, border and shadow; skipped while
    // loading or with AutoSize off.
    void DoAutoSize();
    // The inset of the border: 0, 1 for a single line, 2 for a 3-D edge.
    int GetBorderMargin() const;

    // Told after each auto-size.
    TNotifyEvent OnAutoSize;

protected:
    void iPaintTo(TCanvas& Canvas) override;
    // The dialog character: whether the key was the caption's accelerator and moved the focus.
    bool CMDialogChar(QChar CharCode);

    bool event(QEvent* event) override;

private:
    // The label's border has its own four styles; the core's bevel setter stays out of reach.
    using TiComponent::SetBorderStyle;
    // Stores a value that changes the label's extent, then sizes and repaints it.
    template <typename T> void SetSizingProperty(const T& value, T& field);
    void DrawStatic(TCanvas& canvas);
    void DrawCaption(TCanvas& canvas);
    void DrawLabelBorder(TCanvas& canvas);
    TRect TextRect() const;
    TiTextFlags TextFlags() const;
    // The accelerator is offered to the window only while there is a control to focus.
    void UpdateAccelerator();
    void FocusControlDestroyed();

    QString caption_ = QStringLiteral("iLabel");
    std::unique_ptr<TFont> font_;
    TiAlignmentHorizontal alignment_ = iahLeft;
    bool autoSize_ = true;
    int outerMarginLeft_ = 0;
    int outerMarginTop_ = 0;
    int outerMarginRight_ = 0;
    int outerMarginBottom_ = 0;
    TiLabelBorderStyle borderStyle_ = ilbsNone;
    bool shadowShow_ = false;
    int shadowXOffset_ = 1;
    int shadowYOffset_ = 1;
    TColor shadowColor_ = clGray;
    QPointer<QWidget> focusControl_;
    QMetaObject::Connection focusControlWatch_;
    int acceleratorShortcut_ = 0;
    bool autoSizing_ = false;
};

using TiLabelBorderStyle = TiLabel::TiLabelBorderStyle;
using enum TiLabel::TiLabelBorderStyle;
