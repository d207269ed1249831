#include "PlotConfigFileTestSupport.h"

#include "platform/PropertyWalker.h"
#include "plot/channels/iPlotChannelCustom.h"
#include "plot/iPlotMasterManager.h"

#include <QFile>
#include <QRegularExpression>

QStringList StoredTexts(QObject* Object) {
    QStringList texts;
    for (const PropertyDescriptor& property : PropertyWalker::StoredValues(Object))
        texts << property.Path + u'=' + PropertyWalker::ReadText(property);
    return texts;
}

QStringList PlotState(TiPlotComponent& Plot) {
    QStringList state = StoredTexts(&Plot);
    for (int kind = 0; kind < PlotObjectKindCount; ++kind) {
        for (int i = 0; i < Plot.Master()->Count(TiPlotObjectKind(kind)); ++i) {
            const QString prefix = QStringLiteral("%1/%2:").arg(kind).arg(i);
            for (const QString& text : StoredTexts(Plot.Master()->Get(TiPlotObjectKind(kind), i)))
                state << prefix + text;
        }
    }
    for (int i = 0; i < Plot.TranslationCount(); ++i)
        state << Plot.GetTranslationOriginal(i) + u'\t' + Plot.GetTranslationReplacement(i);
    for (int i = 0; i < Plot.ChannelCount(); ++i)
        state << QStringLiteral("points %1").arg(Plot.GetChannelCustom(i)->GetCount());
    return state;
}

void PlotFiles::WriteText(const QString& Name, const QString& Text) const {
    QFile file(Path(Name));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(Text.toUtf8());
}

QString PlotFiles::ReadText(const QString& Name) const {
    QFile file(Path(Name));
    if (!file.open(QIODevice::ReadOnly)) return {};
    return QString::fromUtf8(file.readAll());
}

QString WithLine(const QString& Text, const QString& Key, const QString& Value) {
    const QRegularExpression line(
        QStringLiteral("(^|\r\n)%1 = [^\r\n]*\r\n").arg(QRegularExpression::escape(Key)));
    QString result = Text;
    const QString replacement =
        Value.isNull() ? QStringLiteral("\\1") : QStringLiteral("\\1%1 = %2\r\n").arg(Key, Value);
    return result.replace(line, replacement);
}
