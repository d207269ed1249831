#include "plot/iPlotFileSupport.h"

#include "instruments/framework/Igpfunctions.h"
#include "platform/Exception.h"
#include "platform/NumberText.h"
#include "plot/iPlotComponent.h"
#include "plot/iPlotLayoutManager.h"

#include <QFileInfo>

namespace {

// Plot files hold a line per property; anything this large is no plot file, and reading it
// whole could exhaust memory.
constexpr qint64 MaxPlotFileSize = qint64(16) << 20;

const QString FileTypeKey = QStringLiteral("File Type");

bool IsAsciiDigit(QChar c) {
    return c >= u'0' && c <= u'9';
}

// The case-folded object prefix of a line ("channel3" of "Channel3.Color = 255"), or empty
// when its key starts with none of the folded names.
QString ObjectPrefixOf(const QString& Line, const QStringList& FoldedNames) {
    const QStringView key = SeparateStringViews(Line, u'=').first;
    const qsizetype dot = key.indexOf(u'.');
    if (dot < 0) return {};
    const QString prefix = key.left(dot).toString().toCaseFolded();
    qsizetype digits = prefix.size();
    while (digits > 0 && IsAsciiDigit(prefix[digits - 1]))
        --digits;
    if (digits == prefix.size() || !FoldedNames.contains(QStringView(prefix).left(digits)))
        return {};
    return prefix;
}

} // namespace

TStringList LoadPlotFileLines(const QString& FileName) {
    if (QFileInfo(FileName).size() > MaxPlotFileSize)
        throw Exception(QStringLiteral("File \"%1\" is too large").arg(FileName));
    TStringList lines;
    lines.LoadFromFile(FileName);
    return lines;
}

QString PlotFileLine(const QString& Key, const QString& Value) {
    return Key + QStringLiteral(" = ") + Value;
}

QString PlotFileTypeLine(const QString& Type) {
    return PlotFileLine(FileTypeKey, Type);
}

void CheckPlotFileType(TStringList& Lines, const QString& Type, const QString& Refusal) {
    QString value;
    if (!GetPropertyValueString(FileTypeKey, value, Lines) ||
        value.compare(Type, Qt::CaseInsensitive) != 0)
        throw Exception(Refusal);
}

std::optional<int> ReadPlotFileInteger(TStringList& Lines, const QString& Key) {
    QString value;
    if (!GetPropertyValueString(Key, value, Lines)) return std::nullopt;
    return StrToInt(value);
}

void CheckPlotFileObjectCount(const QString& Key, int Count) {
    if (Count < 0 || Count > MaxPlotFileObjects)
        throw Exception(QStringLiteral("%1 = %2 is out of range (0 to %3)")
                            .arg(Key)
                            .arg(Count)
                            .arg(MaxPlotFileObjects));
}

std::optional<int> ReadPlotFileObjectCount(TStringList& Lines, const QString& Key) {
    const std::optional<int> count = ReadPlotFileInteger(Lines, Key);
    if (count) CheckPlotFileObjectCount(Key, *count);
    return count;
}

TiPlotFileLines::TiPlotFileLines(const TStringList& Lines, const QStringList& ObjectNames) {
    for (const QString& name : ObjectNames)
        foldedNames_.append(name.toCaseFolded());
    for (int i = 0; i < Lines.Count(); ++i) {
        const QString prefix = ObjectPrefixOf(Lines[i], foldedNames_);
        (prefix.isEmpty() ? rest_ : objects_[prefix]).Add(Lines[i]);
    }
}

TStringList& TiPlotFileLines::Object(const QString& Name, int Index) {
    return objects_[(Name + QString::number(Index)).toCaseFolded()];
}

TiScratchPlot::TiScratchPlot(const TiPlotComponent& Plot)
    : hiddenParent_(std::make_unique<QWidget>()), plot_(new TiPlotComponent(hiddenParent_.get())) {
    plot_->BeginUpdate();
    plot_->LayoutManager()->SetEnabled(false);
    for (int kind = 0; kind < PlotObjectKindCount; ++kind) {
        const auto k = TiPlotObjectKind(kind);
        plot_->Master()->RegisterObjectClass(k, Plot.Master()->GetManager(k)->ObjectClass());
    }
    if (Plot.LabelCount() > 0) plot_->AddLabel();
}

TiPlotLoadSuspension::TiPlotLoadSuspension(TiPlotComponent& Plot, bool SuspendLayout)
    : plot_(Plot), suspendLayout_(SuspendLayout) {
    if (suspendLayout_) {
        layoutWasEnabled_ = plot_.LayoutManager()->Enabled();
        plot_.LayoutManager()->SetEnabled(false);
    }
    plot_.BeginUpdate();
}

TiPlotLoadSuspension::~TiPlotLoadSuspension() {
    if (suspendLayout_) plot_.LayoutManager()->SetEnabled(layoutWasEnabled_);
    plot_.EndUpdate();
}
