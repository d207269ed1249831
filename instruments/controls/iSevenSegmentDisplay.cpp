#include "instruments/controls/iSevenSegmentDisplay.h"

#include "platform/Geometry.h"
#include "platform/PropertyDefaults.h"
#include "platform/Rounding.h"

#include <algorithm>
#include <cstdint>

namespace {

const PropertyDefaults::Registration defaults(TiSevenSegmentDisplay::staticMetaObject,
                                              {
                                                  {"DigitCount", 4},
                                                  {"DigitSpacing", 6},
                                                  {"LeadingStyle", ilsSpaces},
                                                  {"SegmentMargin", 5},
                                                  {"SegmentSize", 1},
                                                  {"SegmentSeperation", 1},
                                                  {"SegmentColor", clWhite},
                                                  {"SegmentOffColor", clGray},
                                                  {"AutoSegmentOffColor", true},
                                                  {"ShowOffSegments", true},
                                                  {"PowerOff", false},
                                                  {"AutoSize", true},
                                                  {"BackGroundColor", clBlack},
                                                  {"BorderStyle", ibsNone},
                                                  {"Transparent", false},
                                              });

constexpr int MaxDigitCount = 32;

} // namespace

TiSevenSegmentDisplay::TiSevenSegmentDisplay(QWidget* parent)
    : TiCustomComponent(parent), renderer_(std::make_unique<TiSevenSegmentCharacter>()) {
    renderer_->BeginUpdate();
    renderer_->SetAutoSize(false);
    SetBackGroundColor(clBlack);
}

TiSevenSegmentDisplay::~TiSevenSegmentDisplay() = default;

void TiSevenSegmentDisplay::SetLayoutProperty(int value, int& field) {
    if (value == field) return;
    field = value;
    DoAutoSize();
    InvalidateChange();
}

void TiSevenSegmentDisplay::SetDigitCount(int value) {
    SetLayoutProperty(std::clamp(value, 1, MaxDigitCount), digitCount_);
}

void TiSevenSegmentDisplay::SetDigitSpacing(int value) {
    SetLayoutProperty(BoundPixelOffset(value), digitSpacing_);
}

void TiSevenSegmentDisplay::SetLeadingStyle(TiLeadingStyle value) {
    if (value == leadingStyle_) return;
    leadingStyle_ = value;
    InvalidateChange();
}

void TiSevenSegmentDisplay::SetSegmentMargin(int value) {
    SetLayoutProperty(BoundPixelSize(value), segmentMargin_);
}

void TiSevenSegmentDisplay::SetSegmentSize(int value) {
    SetLayoutProperty(std::clamp(value, 1, SevenSegmentMaxSegmentSize), segmentSize_);
}

void TiSevenSegmentDisplay::SetSegmentSeperation(int value) {
    SetIntegerProperty(BoundPixelSize(value), segmentSeperation_, irtInvalidate);
}

void TiSevenSegmentDisplay::SetSegmentColor(TColor value) {
    SetColorProperty(value, segmentColor_, irtInvalidate);
}

void TiSevenSegmentDisplay::SetSegmentOffColor(TColor value) {
    SetColorProperty(value, segmentOffColor_, irtInvalidate);
}

void TiSevenSegmentDisplay::SetAutoSegmentOffColor(bool value) {
    SetBooleanProperty(value, autoSegmentOffColor_, irtInvalidate);
}

void TiSevenSegmentDisplay::SetShowOffSegments(bool value) {
    SetBooleanProperty(value, showOffSegments_, irtInvalidate);
}

void TiSevenSegmentDisplay::SetPowerOff(bool value) {
    SetBooleanProperty(value, powerOff_, irtInvalidate);
}

void TiSevenSegmentDisplay::SetAutoSize(bool value) {
    if (value == autoSize_) return;
    autoSize_ = value;
    DoAutoSize();
    InvalidateChange();
}

void TiSevenSegmentDisplay::GetAutoSize(int& Width, int& Height) {
    SyncRenderer();
    renderer_->SetValue(ssc0);
    const int64_t cells = CellCount();
    Width = BoundAutoSize((int64_t(renderer_->GetCharacterWidth()) + digitSpacing_) * cells +
                          2 * int64_t(segmentMargin_) - digitSpacing_);
    Height = BoundAutoSize(int64_t(renderer_->GetCharacterHeight()) + 2 * int64_t(segmentMargin_));
}

void TiSevenSegmentDisplay::DoAutoSize() {
    if (GetLoading() || !autoSize_) return;
    int w = 0;
    int h = 0;
    GetAutoSize(w, h);
    resize(w, h);
}

void TiSevenSegmentDisplay::SyncRenderer() {
    renderer_->SetSegmentColor(segmentColor_);
    renderer_->SetSegmentOffColor(segmentOffColor_);
    renderer_->SetAutoSegmentOffColor(autoSegmentOffColor_);
    renderer_->SetSegmentSize(segmentSize_);
    renderer_->SetSegmentSeperation(segmentSeperation_);
    renderer_->SetShowOffSegments(showOffSegments_);
    renderer_->SetPowerOff(powerOff_);
    renderer_->SetSegmentMargin(0);
}

// CellCount is at least 1, as DigitCount is clamped to 1..32.
TiSevenSegmentLayout TiSevenSegmentDisplay::Layout() const {
    const int cells = CellCount();
    TiSevenSegmentLayout layout;
    layout.CellWidth = (width() - 2 * segmentMargin_ - (cells - 1) * digitSpacing_) / cells;
    layout.CellHeight = height() - 2 * segmentMargin_;
    layout.Advance = layout.CellWidth + digitSpacing_;
    layout.FirstCell = {(width() + digitSpacing_ - cells * layout.Advance) / 2, segmentMargin_};
    layout.MarkOffset = Round(layout.CellWidth / 10.0 + digitSpacing_ / 2.0);
    layout.MarkWidth = layout.CellWidth / 5;
    return layout;
}

void TiSevenSegmentDisplay::iPaintTo(TCanvas& Canvas) {
    SyncRenderer();
    DrawBackGround(Canvas, BackGroundColor());
    DrawCells(Canvas, Layout(), Cells());
}

void TiSevenSegmentDisplay::DrawCells(TCanvas& canvas, const TiSevenSegmentLayout& layout,
                                      const TiSevenSegmentCells& cells) {
    TPoint origin = layout.FirstCell;
    for (std::size_t i = 0; i < cells.Codes.size(); ++i) {
        if (int(i) == cells.MarkBefore)
            renderer_->Draw(canvas, {origin.X - layout.MarkOffset, origin.Y}, layout.MarkWidth,
                            layout.CellHeight, cells.Mark);
        renderer_->Draw(canvas, origin, layout.CellWidth, layout.CellHeight, cells.Codes[i]);
        origin.X += layout.Advance;
    }
}

void TiSevenSegmentDisplay::DoValueChange() {
    if (GetLoading()) return;
    NotifyPropertyChange(QStringLiteral("Value"));
    if (OnValueChange) OnValueChange(this);
}

void TiSevenSegmentDisplay::AppendText(TiSevenSegmentCells& cells, const QString& text,
                                       int width) const {
    QString padded = text;
    if (leadingStyle_ == ilsZeros) padded = text.rightJustified(width, '0');
    if (leadingStyle_ == ilsSpaces) padded = text.rightJustified(width, ' ');
    for (QChar character : padded)
        cells.Codes.push_back(ConvertCharacterToValue(character));
}

void TiSevenSegmentDisplay::AppendOverflow(TiSevenSegmentCells& cells, bool negative) const {
    cells.Codes.insert(cells.Codes.end(), std::size_t(digitCount_),
                       negative ? sscDownArrow : sscUpArrow);
}
