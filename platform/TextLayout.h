// The formatted text output's line layout: line breaks, tab expansion, "&" prefixes, word
// wrapping, ellipses, alignment and the measured rectangle, from a width measure and a fixed
// line height so that every canvas places text by the same rules.
#pragma once

#include "platform/Canvas.h"

#include <functional>

class TTextLayout {
public:
    using TWidthMeasure = std::function<int(const QString&)>;

    TTextLayout(TWidthMeasure width, int lineHeight, int averageCharWidth);

    // Lays out text in r and answers the lines with their cell positions; height receives
    // the height of all lines. tfCalcRect sets r to the measured size from its top-left;
    // tfModifyString with an ellipsis sets text to what is shown.
    std::vector<TTextLine> Layout(QString& text, TRect& r, TTextFormat format, int& height) const;

private:
    QString ExpandTabs(const QString& text) const;
    std::vector<TTextLine> WrapParagraph(const QString& text, int underline, int width) const;
    QString Shorten(const QString& text, int width, TTextFormat format) const;
    QString EndEllipsis(const QString& text, int width) const;
    QString WordEllipsis(const QString& text, int width) const;
    QString PathEllipsis(const QString& text, int width) const;
    void Place(std::vector<TTextLine>& lines, const TRect& r, TTextFormat format) const;

    TWidthMeasure width_;
    int lineHeight_;
    int tabWidth_;
};
