// The font of a canvas. Height is in pixels (negative: the character height without the
// internal leading, positive: the whole cell height); Size is in points and is the same value
// seen at 96 pixels per inch, so only Height is stored.
#pragma once

#include "platform/Colors.h"
#include "platform/GraphicsObject.h"

#include <QString>

class TFont : public TGraphicsObject {
    Q_OBJECT
    Q_PROPERTY(int Charset READ Charset WRITE SetCharset)
    Q_PROPERTY(TColor Color READ Color WRITE SetColor)
    Q_PROPERTY(int Height READ Height WRITE SetHeight)
    Q_PROPERTY(QString Name READ Name WRITE SetName)
    Q_PROPERTY(int Orientation READ Orientation WRITE SetOrientation)
    Q_PROPERTY(TFontPitch Pitch READ Pitch WRITE SetPitch)
    Q_PROPERTY(int Size READ Size WRITE SetSize STORED false)
    Q_PROPERTY(TFontStyles Style READ Style WRITE SetStyle)

public:
    enum TFontPitch { fpDefault, fpVariable, fpFixed };
    Q_ENUM(TFontPitch)

    // Bit n of the set is style n, so the ordinals and the bits agree.
    enum TFontStyle { fsBold = 1, fsItalic = 2, fsUnderline = 4, fsStrikeOut = 8 };
    Q_DECLARE_FLAGS(TFontStyles, TFontStyle)
    Q_FLAG(TFontStyles)

    static constexpr int PixelsPerInch = 96;
    static constexpr int DefaultCharset = 1;

    explicit TFont(QObject* parent = nullptr);

    int Charset() const { return charset_; }
    void SetCharset(int value);
    TColor Color() const { return color_; }
    void SetColor(TColor value);
    int Height() const { return height_; }
    void SetHeight(int value);
    QString Name() const { return name_; }
    void SetName(const QString& value);
    // The escapement in tenths of a degree, counter-clockwise.
    int Orientation() const { return orientation_; }
    void SetOrientation(int value);
    TFontPitch Pitch() const { return pitch_; }
    void SetPitch(TFontPitch value);
    int Size() const;
    void SetSize(int value);
    TFontStyles Style() const { return style_; }
    void SetStyle(TFontStyles value);

    void Assign(const TFont& source);

private:
    int charset_ = DefaultCharset;
    TColor color_ = clWindowText;
    int height_ = -11;
    QString name_ = QStringLiteral("MS Sans Serif");
    int orientation_ = 0;
    TFontPitch pitch_ = fpDefault;
    TFontStyles style_;
};

Q_DECLARE_OPERATORS_FOR_FLAGS(TFont::TFontStyles)

using TFontPitch = TFont::TFontPitch;
using TFontStyle = TFont::TFontStyle;
using TFontStyles = TFont::TFontStyles;
using enum TFont::TFontPitch;
using enum TFont::TFontStyle;

// a x b / c rounded half away from zero, as the window system scales; 0 when c is 0.
int MulDiv(int a, int b, int c);
