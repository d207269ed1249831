// The settings, cell layout and drawing shared by the seven-segment read-outs of integers,
// binary texts and real numbers; each display only says which glyphs its value shows.
#pragma once

#include "instruments/controls/iSevenSegmentCharacter.h"

#include <QString>
#include <memory>
#include <utility>
#include <vector>

// The glyphs of a display's cells, left to right, and the decimal mark drawn in the spacing
// before the cell of index MarkBefore (none when negative).
struct TiSevenSegmentCells {
    std::vector<TSevenSegmentCharacter> Codes;
    int MarkBefore = -1;
    TSevenSegmentCharacter Mark = sscPeriod;
};

// Where the cells of a display go, for its current size and settings.
struct TiSevenSegmentLayout {
    int CellWidth = 0;
    int CellHeight = 0;
    TPoint FirstCell;
    // From one cell's origin to the next.
    int Advance = 0;
    // The decimal mark's cell: this far left of the following cell's origin, this wide.
    int MarkOffset = 0;
    int MarkWidth = 0;
};

class TiSevenSegmentDisplay : public TiCustomComponent {
    Q_OBJECT
    Q_PROPERTY(int DigitCount READ DigitCount WRITE SetDigitCount)
    Q_PROPERTY(int DigitSpacing READ DigitSpacing WRITE SetDigitSpacing)
    Q_PROPERTY(TiLeadingStyle LeadingStyle READ LeadingStyle WRITE SetLeadingStyle)
    Q_PROPERTY(int SegmentMargin READ SegmentMargin WRITE SetSegmentMargin)
    Q_PROPERTY(int SegmentSize READ SegmentSize WRITE SetSegmentSize)
    Q_PROPERTY(int SegmentSeperation READ SegmentSeperation WRITE SetSegmentSeperation)
    Q_PROPERTY(TColor SegmentColor READ SegmentColor WRITE SetSegmentColor)
    Q_PROPERTY(TColor SegmentOffColor READ SegmentOffColor WRITE SetSegmentOffColor)
    Q_PROPERTY(bool AutoSegmentOffColor READ AutoSegmentOffColor WRITE SetAutoSegmentOffColor)
    Q_PROPERTY(bool ShowOffSegments READ ShowOffSegments WRITE SetShowOffSegments)
    Q_PROPERTY(bool PowerOff READ PowerOff WRITE SetPowerOff)
    Q_PROPERTY(bool AutoSize READ AutoSize WRITE SetAutoSize)
    Q_PROPERTY(TColor BackGroundColor READ BackGroundColor WRITE SetBackGroundColor)
    Q_PROPERTY(TiBevelStyle BorderStyle READ BorderStyle WRITE SetBorderStyle)
    Q_PROPERTY(bool Transparent READ Transparent WRITE SetTransparent)
    Q_PROPERTY(int Width READ Width WRITE SetWidth)
    Q_PROPERTY(int Height READ Height WRITE SetHeight)

public:
    enum TiLeadingStyle { ilsNone, ilsZeros, ilsSpaces };
    Q_ENUM(TiLeadingStyle)

    explicit TiSevenSegmentDisplay(QWidget* parent = nullptr);
    ~TiSevenSegmentDisplay() override;

    int DigitCount() const { return digitCount_; }
    void SetDigitCount(int value);
    int DigitSpacing() const { return digitSpacing_; }
    void SetDigitSpacing(int value);
    TiLeadingStyle LeadingStyle() const { return leadingStyle_; }
    void SetLeadingStyle(TiLeadingStyle value);
    int SegmentMargin() const { return segmentMargin_; }
    void SetSegmentMargin(int value);
    int SegmentSize() const { return segmentSize_; }
    void SetSegmentSize(int value);
    int SegmentSeperation() const { return segmentSeperation_; }
    void SetSegmentSeperation(int value);
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
    bool AutoSize() const { return autoSize_; }
    void SetAutoSize(bool value);
    int Width() const { return width(); }
    void SetWidth(int value) { resize(value, height()); }
    int Height() const { return height(); }
    void SetHeight(int value) { resize(width(), value); }

    // The preferred size for the display's cells; DoAutoSize applies it (not while loading,
    // only with AutoSize).
    virtual void GetAutoSize(int& Width, int& Height);
    void DoAutoSize();

    // What the current value shows and where, as painting draws it.
    virtual TiSevenSegmentCells Cells() const = 0;
    TiSevenSegmentLayout Layout() const;

    TNotifyEvent OnValueChange;

protected:
    // DigitCount, plus the sign cell of the displays that have one.
    virtual int CellCount() const { return digitCount_; }

    void iPaintTo(TCanvas& Canvas) override;

    // Told after an accepted value change: OnChangeProperty "Value", then OnValueChange.
    void DoValueChange();
    // Runs the setter with OnValueChange detached, restored on every way out.
    template <typename Setter> void WithoutValueEvent(Setter&& setter) {
        ValueEventDetached detached(OnValueChange);
        std::forward<Setter>(setter)();
    }

    // Cell codes for the text: padded on the left to width as LeadingStyle says, then each
    // character's glyph (a space is a blank cell).
    void AppendText(TiSevenSegmentCells& cells, const QString& text, int width) const;
    // DigitCount arrows, up for a positive value: the value is too wide for the digits.
    void AppendOverflow(TiSevenSegmentCells& cells, bool negative) const;
    static TSevenSegmentCharacter SignCode(bool negative) { return negative ? sscMinus : sscPlus; }

private:
    class ValueEventDetached {
    public:
        explicit ValueEventDetached(TNotifyEvent& event)
            : event_(event), saved_(std::exchange(event, {})) {}
        ~ValueEventDetached() { event_ = std::move(saved_); }
        ValueEventDetached(const ValueEventDetached&) = delete;
        ValueEventDetached& operator=(const ValueEventDetached&) = delete;

    private:
        TNotifyEvent& event_;
        TNotifyEvent saved_;
    };

    // The renderer takes the display's settings before every use, painting or sizing.
    void SyncRenderer();
    void DrawCells(TCanvas& canvas, const TiSevenSegmentLayout& layout,
                   const TiSevenSegmentCells& cells);
    // Stores a changed layout setting, then auto-sizes and repaints.
    void SetLayoutProperty(int value, int& field);

    int digitCount_ = 4;
    int digitSpacing_ = 6;
    TiLeadingStyle leadingStyle_ = ilsSpaces;
    int segmentMargin_ = 5;
    int segmentSize_ = 1;
    int segmentSeperation_ = 1;
    TColor segmentColor_ = clWhite;
    TColor segmentOffColor_ = clGray;
    bool autoSegmentOffColor_ = true;
    bool showOffSegments_ = true;
    bool powerOff_ = false;
    bool autoSize_ = true;
    // Draws the glyphs only: never shown, and kept in an update batch so it never repaints.
    std::unique_ptr<TiSevenSegmentCharacter> renderer_;
};

using TiLeadingStyle = TiSevenSegmentDisplay::TiLeadingStyle;
using enum TiSevenSegmentDisplay::TiLeadingStyle;
