// One cell of an LED seven-segment read-out; it is also the glyph renderer the seven-segment
// displays draw every one of their cells with.
#pragma once

#include "instruments/framework/iCustomComponent.h"

#include <QChar>

class TiSevenSegmentCharacter : public TiCustomComponent {
    Q_OBJECT
    Q_PROPERTY(TSevenSegmentCharacter Value READ Value WRITE SetValue)
    Q_PROPERTY(QChar Character READ Character WRITE SetCharacter STORED false)
    Q_PROPERTY(TColor SegmentColor READ SegmentColor WRITE SetSegmentColor)
    Q_PROPERTY(TColor SegmentOffColor READ SegmentOffColor WRITE SetSegmentOffColor)
    Q_PROPERTY(bool AutoSegmentOffColor READ AutoSegmentOffColor WRITE SetAutoSegmentOffColor)
    Q_PROPERTY(bool ShowOffSegments READ ShowOffSegments WRITE SetShowOffSegments)
    Q_PROPERTY(bool PowerOff READ PowerOff WRITE SetPowerOff)
    Q_PROPERTY(int SegmentSize READ SegmentSize WRITE SetSegmentSize)
    Q_PROPERTY(int SegmentSeperation READ SegmentSeperation WRITE SetSegmentSeperation)
    Q_PROPERTY(int SegmentMargin READ SegmentMargin WRITE SetSegmentMargin)
    Q_PROPERTY(bool AutoSize READ AutoSize WRITE SetAutoSize)
    Q_PROPERTY(bool UseSegmentBits READ UseSegmentBits WRITE SetUseSegmentBits)
    Q_PROPERTY(bool SegAOn READ SegAOn WRITE SetSegAOn)
    Q_PROPERTY(bool SegBOn READ SegBOn WRITE SetSegBOn)
    Q_PROPERTY(bool SegCOn READ SegCOn WRITE SetSegCOn)
    Q_PROPERTY(bool SegDOn READ SegDOn WRITE SetSegDOn)
    Q_PROPERTY(bool SegEOn READ SegEOn WRITE SetSegEOn)
    Q_PROPERTY(bool SegFOn READ SegFOn WRITE SetSegFOn)
    Q_PROPERTY(bool SegGOn READ SegGOn WRITE SetSegGOn)
    Q_PROPERTY(int SegmentBits READ SegmentBits WRITE SetSegmentBits STORED false)
    Q_PROPERTY(TColor BackGroundColor READ BackGroundColor WRITE SetBackGroundColor)
    Q_PROPERTY(bool Transparent READ Transparent WRITE SetTransparent)
    Q_PROPERTY(int Width READ Width WRITE SetWidth)
    Q_PROPERTY(int Height READ Height WRITE SetHeight)

public:
    enum TSevenSegmentCharacter {
        ssc0,
        ssc1,
        ssc2,
        ssc3,
        ssc4,
        ssc5,
        ssc6,
        ssc7,
        ssc8,
        ssc9,
        sscA,
        sscB,
        sscC,
        sscD,
        sscE,
        sscF,
        sscPeriod,
        sscColon,
        sscPlus,
        sscMinus,
        sscBlank,
        sscLine,
        sscUpArrow,
        sscDownArrow,
        sscSemiColon,
        sscComma
    };
    Q_ENUM(TSevenSegmentCharacter)

    explicit TiSevenSegmentCharacter(QWidget* parent = nullptr);

    TSevenSegmentCharacter Value() const { return value_; }
    void SetValue(TSevenSegmentCharacter value);
    QChar Character() const;
    void SetCharacter(QChar value);
    TColor SegmentColor() const { return segmentColor_; }
    void SetSegmentColor(TColor value);
    TColor SegmentOffColor() const { return segmentOffColor_; }
    void SetSegmentOffColor(TColor value);
    bool AutoSegmentOffColor() const { return autoSegmentOffColor_; }
    void SetAutoSegmentOffColor(bool value);
    bool ShowOffSegments() const { return showOffSegments_; }
    void SetShowOffSegments(bool value);
    bool PowerOff() const { return powerOff_; }
    void SetPowerOff(bool value);
    int SegmentSize() const { return segmentSize_; }
    void SetSegmentSize(int value);
    int SegmentSeperation() const { return segmentSeperation_; }
    void SetSegmentSeperation(int value);
    int SegmentMargin() const { return segmentMargin_; }
    void SetSegmentMargin(int value);
    bool AutoSize() const { return autoSize_; }
    void SetAutoSize(bool value);
    bool UseSegmentBits() const { return useSegmentBits_; }
    void SetUseSegmentBits(bool value);
    bool SegAOn() const { return SegmentOn(0); }
    void SetSegAOn(bool value) { SetSegmentOn(0, value); }
    bool SegBOn() const { return SegmentOn(1); }
    void SetSegBOn(bool value) { SetSegmentOn(1, value); }
    bool SegCOn() const { return SegmentOn(2); }
    void SetSegCOn(bool value) { SetSegmentOn(2, value); }
    bool SegDOn() const { return SegmentOn(3); }
    void SetSegDOn(bool value) { SetSegmentOn(3, value); }
    bool SegEOn() const { return SegmentOn(4); }
    void SetSegEOn(bool value) { SetSegmentOn(4, value); }
    bool SegFOn() const { return SegmentOn(5); }
    void SetSegFOn(bool value) { SetSegmentOn(5, value); }
    bool SegGOn() const { return SegmentOn(6); }
    void SetSegGOn(bool value) { SetSegmentOn(6, value); }
    int SegmentBits() const { return segmentBits_; }
    void SetSegmentBits(int value);
    int Width() const { return width(); }
    void SetWidth(int value) { resize(value, height()); }
    int Height() const { return height(); }
    void SetHeight(int value) { resize(width(), value); }

    // Draws the glyph of code in the cell of W x H pixels whose top-left corner is origin,
    // with this character's colours, sizes and margin.
    void Draw(TCanvas& Canvas, TPoint Origin, int W, int H, TSevenSegmentCharacter Code);
    // Of the current Value.
    int GetCharacterWidth() const;
    int GetCharacterHeight() const;

protected:
    void iPaintTo(TCanvas& Canvas) override;

private:
    bool SegmentOn(int segment) const { return (segmentBits_ >> segment) & 1; }
    void SetSegmentOn(int segment, bool value);
    // Not while loading, only with AutoSize.
    void DoAutoSize();
    TColor UnlitColor() const;
    TColor LitColor() const;

    TSevenSegmentCharacter value_ = ssc0;
    TColor segmentColor_ = clLime;
    TColor segmentOffColor_ = clGreen;
    bool autoSegmentOffColor_ = true;
    bool showOffSegments_ = true;
    bool powerOff_ = false;
    int segmentSize_ = 1;
    int segmentSeperation_ = 1;
    int segmentMargin_ = 2;
    bool autoSize_ = true;
    bool useSegmentBits_ = false;
    // Segment A in bit 0 up to G in bit 6.
    int segmentBits_ = 0;
};

// Bound of the segment size of the glyphs and displays: the glyph and layout arithmetic
// multiplies it, and a value near the integer limit overflowed it.
inline constexpr int SevenSegmentMaxSegmentSize = 100;

using TSevenSegmentCharacter = TiSevenSegmentCharacter::TSevenSegmentCharacter;
using enum TiSevenSegmentCharacter::TSevenSegmentCharacter;

// '0'-'9', 'A'-'F' in either case and the marks ". : + - _ < > ; ,"; any other character is
// a blank.
TSevenSegmentCharacter ConvertCharacterToValue(QChar character);
// The inverse: lower-case 'a'-'f', a space for the blank, '?' for a code outside the glyphs.
QChar ConvertValueToCharacter(TSevenSegmentCharacter code);
