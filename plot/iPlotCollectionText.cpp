#include "plot/iPlotCollectionText.h"

#include "platform/Exception.h"

namespace {

constexpr QChar Escape = u'\\';
constexpr QChar PairSeparator = u';';
constexpr QChar ValueSeparator = u'=';
constexpr QChar LineEnd = u'\n';

QString Escaped(const QString& Text) {
    QString out;
    out.reserve(Text.size());
    for (const QChar c : Text) {
        if (c == u'\n')
            out += QStringLiteral("\\n");
        else if (c == u'\r')
            out += QStringLiteral("\\r");
        else {
            if (c == Escape || c == PairSeparator || c == ValueSeparator) out += Escape;
            out += c;
        }
    }
    return out;
}

[[noreturn]] void ThrowMalformed(int Line, const QString& Reason) {
    throw Exception(
        QStringLiteral("Invalid plot collection text (line %1): %2").arg(Line).arg(Reason));
}

// Reads one line's pairs; unescaped separators split, escaped ones belong to the text.
class TLineReader {
public:
    explicit TLineReader(int Line) : line_(Line) {}

    void Take(QChar c) {
        if (escaping_) return TakeEscaped(c);
        if (c == Escape)
            escaping_ = true;
        else if (c == ValueSeparator && !inValue_)
            inValue_ = true;
        else if (c == PairSeparator)
            EndPair();
        else
            (inValue_ ? value_ : path_) += c;
    }

    TiPlotStreamItem Finish() {
        if (escaping_) ThrowMalformed(line_, QStringLiteral("the line ends inside an escape"));
        if (inValue_ || !path_.isEmpty() || !item_.isEmpty()) EndPair();
        return item_;
    }

private:
    void TakeEscaped(QChar c) {
        escaping_ = false;
        QChar plain = c;
        if (c == u'n')
            plain = u'\n';
        else if (c == u'r')
            plain = u'\r';
        else if (c != Escape && c != PairSeparator && c != ValueSeparator)
            ThrowMalformed(line_, QStringLiteral("unknown escape \"\\%1\"").arg(c));
        (inValue_ ? value_ : path_) += plain;
    }

    void EndPair() {
        if (!inValue_) ThrowMalformed(line_, QStringLiteral("\"%1\" has no '='").arg(path_));
        if (path_.isEmpty()) ThrowMalformed(line_, QStringLiteral("a value has no path"));
        item_.append({path_, value_});
        path_.clear();
        value_.clear();
        inValue_ = false;
    }

    int line_;
    bool escaping_ = false;
    bool inValue_ = false;
    QString path_;
    QString value_;
    TiPlotStreamItem item_;
};

} // namespace

QString PlotCollectionToText(const TiPlotCollection& Collection) {
    QString text;
    for (const TiPlotStreamItem& item : Collection) {
        for (qsizetype i = 0; i < item.size(); ++i) {
            if (i > 0) text += PairSeparator;
            text += Escaped(item[i].first) + ValueSeparator + Escaped(item[i].second);
        }
        text += LineEnd;
    }
    return text;
}

TiPlotCollection PlotCollectionFromText(const QString& Text) {
    TiPlotCollection collection;
    const QStringList lines = Text.split(LineEnd);
    // The split leaves an empty last part after the final line end, or the unended last line.
    const qsizetype count = lines.last().isEmpty() ? lines.size() - 1 : lines.size();
    for (qsizetype i = 0; i < count; ++i) {
        TLineReader reader(int(i + 1));
        for (const QChar c : lines[i])
            reader.Take(c);
        collection.append(reader.Finish());
    }
    return collection;
}
