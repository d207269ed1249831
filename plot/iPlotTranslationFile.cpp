#include "plot/iPlotTranslationFile.h"

#include "platform/Exception.h"
#include "plot/iPlotComponent.h"
#include "plot/iPlotFileSupport.h"

#include <QPair>
#include <vector>

namespace {

constexpr QChar Separator = u'\t';

bool HoldsLineBreak(const QString& Text) {
    return Text.contains(u'\r') || Text.contains(u'\n');
}

QString TranslationLine(const QString& Original, const QString& Replacement) {
    if (Original.contains(Separator) || HoldsLineBreak(Original) || HoldsLineBreak(Replacement))
        throw Exception(
            QStringLiteral("The Translation of \"%1\" holds a Tab or Line Break").arg(Original));
    return Original + Separator + Replacement;
}

using TTranslation = QPair<QString, QString>;

std::vector<TTranslation> ParseTranslations(const TStringList& Lines) {
    if (Lines.Count() > MaxPlotFileTranslations)
        throw Exception(QStringLiteral("More than %1 Translations").arg(MaxPlotFileTranslations));
    std::vector<TTranslation> translations;
    for (int i = 0; i < Lines.Count(); ++i) {
        const qsizetype tab = Lines[i].indexOf(Separator);
        if (tab < 0) throw Exception(QStringLiteral("Invalid Format - Tab Deliminator Missing"));
        translations.emplace_back(Lines[i].left(tab), Lines[i].mid(tab + 1));
    }
    return translations;
}

} // namespace

void SavePlotTranslations(const TiPlotComponent& Plot, const QString& FileName) {
    RunFileOperation(QStringLiteral("Error Saving Translation Data - "), [&] {
        TStringList lines;
        for (int i = Plot.TranslationCount() - 1; i >= 0; --i)
            lines.Add(
                TranslationLine(Plot.GetTranslationOriginal(i), Plot.GetTranslationReplacement(i)));
        lines.SaveToFile(FileName);
    });
}

void LoadPlotTranslations(TiPlotComponent& Plot, const QString& FileName) {
    RunFileOperation(QStringLiteral("Error Loading Data - "), [&] {
        const std::vector<TTranslation> translations =
            ParseTranslations(LoadPlotFileLines(FileName));
        Plot.RemoveAllTranslations();
        for (const TTranslation& translation : translations)
            Plot.AddTranslation(translation.first, translation.second);
        // Every word the plot shows may read differently now.
        Plot.InvalidateChange();
    });
}
