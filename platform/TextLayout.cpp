#include "platform/TextLayout.h"

#include <QStringList>
#include <algorithm>

namespace {

const QString Ellipsis = QStringLiteral("...");

// Paragraphs end at CR LF, CR or LF; on a single line the breaks are dropped.
QStringList SplitParagraphs(const QString& text, bool singleLine) {
    QString unified = text;
    unified.replace(QStringLiteral("\r\n"), QStringLiteral("\n")).replace(QChar('\r'), QChar('\n'));
    if (singleLine) return {unified.remove(QChar('\n'))};
    return unified.split(QChar('\n'));
}

// "&&" shows one "&"; "&x" shows x, and the first such character is underlined.
QString StripPrefixes(const QString& text, int& underlineIndex) {
    QString result;
    underlineIndex = -1;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] != QChar('&')) {
            result += text[i];
            continue;
        }
        if (++i >= text.size()) break;
        if (text[i] != QChar('&') && underlineIndex < 0) underlineIndex = int(result.size());
        result += text[i];
    }
    return result;
}

int LineUnderline(int underline, qsizetype start, qsizetype end) {
    return underline >= start && underline < end ? int(underline - start) : -1;
}

} // namespace

TTextLayout::TTextLayout(TWidthMeasure width, int lineHeight, int averageCharWidth)
    : width_(std::move(width)), lineHeight_(lineHeight), tabWidth_(8 * averageCharWidth) {}

std::vector<TTextLine> TTextLayout::Layout(QString& text, TRect& r, TTextFormat format,
                                           int& height) const {
    const bool singleLine = format & tfSingleLine;
    std::vector<TTextLine> lines;
    for (const QString& paragraph : SplitParagraphs(text, singleLine)) {
        QString shown = format & tfExpandTabs ? ExpandTabs(paragraph) : paragraph;
        int underline = -1;
        if (!(format & tfNoPrefix)) shown = StripPrefixes(shown, underline);
        if ((format & tfWordBreak) && !singleLine) {
            std::vector<TTextLine> wrapped = WrapParagraph(shown, underline, r.Width());
            lines.insert(lines.end(), wrapped.begin(), wrapped.end());
        } else {
            lines.push_back({shown, {}, width_(shown), underline});
        }
    }

    bool shortened = false;
    if (format & (tfEndEllipsis | tfPathEllipsis | tfWordEllipsis)) {
        for (TTextLine& line : lines) {
            if (line.Width <= r.Width()) continue;
            line.Text = Shorten(line.Text, r.Width(), format);
            line.Width = width_(line.Text);
            line.UnderlineIndex = -1;
            shortened = true;
        }
    }
    if (shortened && (format & tfModifyString)) {
        QStringList shown;
        for (const TTextLine& line : lines)
            shown << line.Text;
        text = shown.join(QStringLiteral("\r\n"));
    }

    height = int(lines.size()) * lineHeight_;
    if (format & tfCalcRect) {
        int widest = 0;
        for (const TTextLine& line : lines)
            widest = std::max(widest, line.Width);
        r.Right = r.Left + widest;
        r.Bottom = r.Top + height;
    }
    Place(lines, r, format);
    return lines;
}

// Tab stops every eight average characters.
QString TTextLayout::ExpandTabs(const QString& text) const {
    QString result;
    for (const QChar c : text) {
        if (c != QChar('\t')) {
            result += c;
            continue;
        }
        const int stop = tabWidth_ > 0 ? (width_(result) / tabWidth_ + 1) * tabWidth_ : 0;
        // A font whose space has no width still advances by one space, so this ends.
        do {
            result += QChar(' ');
        } while (width_(result) < stop && width_(QStringLiteral(" ")) > 0);
    }
    return result;
}

// Breaks between words; a word wider than the line stays whole, as the window system does.
std::vector<TTextLine> TTextLayout::WrapParagraph(const QString& text, int underline,
                                                  int width) const {
    std::vector<TTextLine> lines;
    const qsizetype size = text.size();
    qsizetype start = 0;
    do {
        qsizetype end = -1;
        for (qsizetype scan = start; scan <= size;) {
            const qsizetype space = text.indexOf(QChar(' '), scan);
            const qsizetype wordEnd = space < 0 ? size : space;
            if (end >= 0 && width_(text.mid(start, wordEnd - start)) > width) break;
            end = wordEnd;
            if (space < 0) break;
            scan = space + 1;
        }
        const QString line = text.mid(start, end - start);
        lines.push_back({line, {}, width_(line), LineUnderline(underline, start, end)});
        qsizetype next = end;
        while (next < size && text[next] == QChar(' '))
            ++next;
        start = std::max(next, start + 1);
    } while (start < size);
    return lines;
}

QString TTextLayout::Shorten(const QString& text, int width, TTextFormat format) const {
    if (format & tfPathEllipsis) return PathEllipsis(text, width);
    if (format & tfWordEllipsis) return WordEllipsis(text, width);
    return EndEllipsis(text, width);
}

QString TTextLayout::EndEllipsis(const QString& text, int width) const {
    for (qsizetype n = text.size() - 1; n > 0; --n) {
        const QString candidate = text.left(n) + Ellipsis;
        if (width_(candidate) <= width) return candidate;
    }
    return Ellipsis;
}

QString TTextLayout::WordEllipsis(const QString& text, int width) const {
    for (qsizetype space = text.lastIndexOf(QChar(' ')); space > 0;
         space = text.lastIndexOf(QChar(' '), space - 1)) {
        const QString candidate = text.left(space).trimmed() + Ellipsis;
        if (width_(candidate) <= width) return candidate;
    }
    return Ellipsis;
}

// Keeps the last path element and shortens what lies before it.
QString TTextLayout::PathEllipsis(const QString& text, int width) const {
    const qsizetype separator =
        std::max(text.lastIndexOf(QChar('\\')), text.lastIndexOf(QChar('/')));
    if (separator < 0) return EndEllipsis(text, width);
    const QString path = text.left(separator);
    const QString last = text.mid(separator);
    for (qsizetype n = path.size() - 1; n >= 0; --n) {
        const QString candidate = path.left(n) + Ellipsis + last;
        if (width_(candidate) <= width) return candidate;
    }
    return Ellipsis + last;
}

// Vertical centring and bottom alignment apply to single lines only, as the window system
// places them.
void TTextLayout::Place(std::vector<TTextLine>& lines, const TRect& r, TTextFormat format) const {
    int y = r.Top;
    if (format & tfSingleLine) {
        if (format & tfVerticalCenter)
            y = (r.Top + r.Bottom - lineHeight_) / 2;
        else if (format & tfBottom)
            y = r.Bottom - lineHeight_;
    }
    for (TTextLine& line : lines) {
        int x = r.Left;
        if (format & tfRight)
            x = r.Right - line.Width;
        else if (format & tfCenter)
            x = (r.Left + r.Right - line.Width) / 2;
        line.Position = {x, y};
        y += lineHeight_;
    }
}
