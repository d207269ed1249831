// The texts an axis makes of a value: tick labels, cursor and legend read-outs, in one of the
// text formats (fixed-point with a precision rule, exponent, SI prefix, date-time, price in
// 32nds, thousands).
#pragma once

#include "instruments/framework/iTypes.h"
#include "plot/iPlotTypes.h"

#include <QHash>
#include <QString>
#include <cmath>
#include <cstdint>

// One set of format settings: the labels', the cursor's or the legend's.
struct TiPlotAxisTextFormat {
    TiPlotTextFormat Style = iptfValue;
    QString DateTimeFormat = QStringLiteral("hh:nn:ss");
    int Precision = 3;
    TiPrecisionStyle PrecisionStyle = ipsSignificantDigits;

    friend bool operator==(const TiPlotAxisTextFormat&, const TiPlotAxisTextFormat&) = default;
};

struct TiPlotAxisValueText {
    QString Text;
    // False for a value no rule can show on a log scale (0 or below): the text stays "Unknown"
    // and is not offered for customizing.
    bool Made = true;
};

// The text of Value on an axis of Span (whose precision rule sets the decimals); "Unknown"
// where no rule gives a text, "Error" where formatting fails. A fixed-point text that rounds
// to zero never shows a minus sign.
TiPlotAxisValueText PlotAxisValueText(double Value, const TiPlotAxisTextFormat& Format, double Span,
                                      bool Log);

// Cursor and legend texts stand on one line: CR LF, then CR, become a blank.
QString PlotAxisSingleLine(QString Text);

// The label texts of one axis by value, for one format, span and scale kind: a layout makes
// each label, and offers it for customizing, once however often its passes measure it. A
// layout makes its texts afresh, but those read out since the last layout ended (the data
// cursor's, in the same paint) count as its own. Nothing is kept until Keep: an axis on its
// own makes every text when asked.
class TiPlotAxisLabelTexts {
public:
    struct TKey {
        TiPlotAxisTextFormat Format;
        double Span = 0;
        bool Log = false;

        friend bool operator==(const TKey&, const TKey&) = default;
    };

    // The kept text of Value under Key, else the one Make answers, kept from then on.
    template <class Make> QString Text(double Value, const TKey& Key, Make&& make) {
        if (!keeping_) return make();
        if (!(Key == key_)) {
            texts_.clear();
            key_ = Key;
        }
        // NaN never equals itself: it would be made, and kept, anew on every read.
        if (!std::isfinite(Value)) return make();
        if (const auto kept = texts_.constFind(Value); kept != texts_.cend()) return kept->Text;
        QString text = make();
        if (texts_.size() >= MaxTexts) texts_.clear();
        texts_.insert(Value, {text, era_});
        return text;
    }
    void Keep() { keeping_ = true; }
    void BeginLayout();
    void EndLayout() { ++era_; }

private:
    // Cursor read-outs between two layouts ask for ever new values.
    static constexpr qsizetype MaxTexts = 1024;
    struct TKept {
        QString Text;
        // The layouts ended before it was made.
        uint64_t Era = 0;
    };
    bool keeping_ = false;
    uint64_t era_ = 0;
    TKey key_;
    QHash<double, TKept> texts_;
};
