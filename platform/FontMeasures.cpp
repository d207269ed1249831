#include "platform/FontMeasures.h"

#include <QFontMetrics>

void TFontMeasures::Select(const TFontShape& shape) {
    if (current_ < fonts_.size() && fonts_[current_].Shape == shape) return;
    for (std::size_t i = 0; i < fonts_.size(); ++i)
        if (fonts_[i].Shape == shape) {
            current_ = i;
            return;
        }
    if (fonts_.size() == MaxShapes) {
        fonts_.clear();
        keptTexts_ = 0;
        keptCharacters_ = 0;
    }
    QFont font = ToQFont(shape);
    const TFontCell cell = FontCell(font);
    fonts_.push_back({shape, std::move(font), cell, {}});
    current_ = fonts_.size() - 1;
}

TFontMeasures::TShapeFont& TFontMeasures::Current() {
    if (fonts_.empty()) Select(TFontShape());
    return fonts_[current_];
}

int TFontMeasures::Width(const QString& text) {
    TShapeFont& font = Current();
    if (const auto kept = font.Widths.constFind(text); kept != font.Widths.cend()) return *kept;
    const int width = QFontMetrics(font.Font).horizontalAdvance(text);
    if (keptTexts_ == MaxTexts || keptCharacters_ + text.size() > MaxCharacters) ForgetWidths();
    font.Widths.insert(text, width);
    ++keptTexts_;
    keptCharacters_ += text.size();
    return width;
}

void TFontMeasures::ForgetWidths() {
    for (TShapeFont& font : fonts_)
        font.Widths.clear();
    keptTexts_ = 0;
    keptCharacters_ = 0;
}
