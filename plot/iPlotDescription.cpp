#include "plot/iPlotDescription.h"

#include "platform/Exception.h"
#include "plot/iPlotCollectionText.h"
#include "plot/iPlotComponent.h"
#include "plot/iPlotImageLists.h"
#include "plot/iPlotLayoutManager.h"
#include "plot/iPlotMasterManager.h"
#include "plot/iPlotTranslation.h"

namespace {

using K = TiPlotObjectKind;

// The collections of the stored description, in the order they are defined and read.
constexpr K streamedKinds[] = {K::ToolBar, K::Legend,   K::Table,      K::XAxis, K::YAxis,
                               K::Channel, K::DataView, K::DataCursor, K::Limit, K::Label};
const QString translationStreamName = QStringLiteral("TranslationManager");
const QString dataViewZHorzName = QStringLiteral("DataViewZHorz");
const QString dataViewZVertName = QStringLiteral("DataViewZVert");

int ZOrderFromText(const QMap<QString, QString>& Texts, const QString& Name, int Current) {
    const auto text = Texts.constFind(Name);
    if (text == Texts.cend()) return Current;
    bool ok = false;
    const int value = text->trimmed().toInt(&ok);
    if (!ok) throw Exception(QStringLiteral("'%1' is not a valid integer value").arg(*text));
    return value;
}

} // namespace

TiPlotDescription::TiPlotDescription(TiPlotComponent& Plot, TiPlotImageLists& ImageLists)
    : plot_(Plot), imageLists_(ImageLists) {}

void TiPlotDescription::Begin() {
    plot_.LayoutManager()->SetEnabled(false);
    plot_.BeginUpdate();
}

void TiPlotDescription::End() {
    if (TiPlotLayoutManager* layout = plot_.LayoutManager()) layout->SetEnabled(true);
    plot_.EndUpdate();
}

TiPlotDefinedProperties TiPlotDescription::Write() {
    Begin();
    TiPlotDefinedProperties defined;
    try {
        defined.DataViewZHorz = plot_.DataViewZHorz();
        defined.DataViewZVert = plot_.DataViewZVert();
        for (int i = 0; i < TiPlotImageLists::ListCount; ++i)
            if (!imageLists_.List(i).Empty())
                defined.ImageLists.insert(TiPlotImageLists::StreamName(i),
                                          imageLists_.List(i).WriteToStream());
        for (K kind : streamedKinds) {
            const TiPlotObjectOwnedManager* manager = plot_.Master()->GetManager(kind);
            if (manager->DoWriteToStream())
                defined.Collections.insert(manager->StreamName(), manager->WriteToStream());
        }
        defined.Collections.insert(translationStreamName,
                                   plot_.Master()->GetTranslationManager()->WriteToStream());
    } catch (...) {
        End();
        throw;
    }
    // A write is no load: no Loaded follows, so the plot must not stay suspended.
    End();
    return defined;
}

void TiPlotDescription::Read(const TiPlotDefinedProperties& Defined) {
    Begin();
    try {
        plot_.SetDataViewZHorz(Defined.DataViewZHorz);
        plot_.SetDataViewZVert(Defined.DataViewZVert);
        for (int i = 0; i < TiPlotImageLists::ListCount; ++i) {
            const auto stored = Defined.ImageLists.constFind(TiPlotImageLists::StreamName(i));
            if (stored != Defined.ImageLists.cend()) imageLists_.List(i).ReadFromStream(*stored);
        }
        for (K kind : streamedKinds) {
            TiPlotObjectOwnedManager* manager = plot_.Master()->GetManager(kind);
            const auto stored = Defined.Collections.constFind(manager->StreamName());
            if (stored != Defined.Collections.cend()) manager->ReadFromStream(&*stored);
        }
        const auto translations = Defined.Collections.constFind(translationStreamName);
        if (translations != Defined.Collections.cend())
            plot_.Master()->GetTranslationManager()->ReadFromStream(&*translations);
        plot_.Master()->SeparateToolBarFromTitle();
    } catch (...) {
        // A form that fails to load tells no control Loaded.
        End();
        throw;
    }
    if (!plot_.GetLoading()) End();
}

QStringList TiPlotDescription::CollectionNames() const {
    QStringList names;
    for (K kind : streamedKinds)
        names.append(plot_.Master()->GetManager(kind)->StreamName());
    names.append(translationStreamName);
    return names;
}

QMap<QString, QString> TiPlotDescription::WriteTexts() {
    const TiPlotDefinedProperties defined = Write();
    QMap<QString, QString> texts;
    texts.insert(dataViewZHorzName, QString::number(defined.DataViewZHorz));
    texts.insert(dataViewZVertName, QString::number(defined.DataViewZVert));
    for (auto it = defined.Collections.cbegin(); it != defined.Collections.cend(); ++it)
        texts.insert(it.key(), PlotCollectionToText(it.value()));
    for (auto it = defined.ImageLists.cbegin(); it != defined.ImageLists.cend(); ++it)
        texts.insert(it.key(), TiPlotImageList::ToText(it.value()));
    return texts;
}

void TiPlotDescription::ReadTexts(const QMap<QString, QString>& Texts) {
    TiPlotDefinedProperties defined;
    defined.DataViewZHorz = ZOrderFromText(Texts, dataViewZHorzName, plot_.DataViewZHorz());
    defined.DataViewZVert = ZOrderFromText(Texts, dataViewZVertName, plot_.DataViewZVert());
    for (const QString& name : CollectionNames()) {
        const auto text = Texts.constFind(name);
        if (text != Texts.cend()) defined.Collections.insert(name, PlotCollectionFromText(*text));
    }
    for (const QString& name : TiPlotImageLists::StreamNames()) {
        const auto text = Texts.constFind(name);
        if (text != Texts.cend()) defined.ImageLists.insert(name, TiPlotImageList::FromText(*text));
    }
    // Objects may refuse a stored value halfway through; the plot then gets its own back,
    // its empty image lists included.
    TiPlotDefinedProperties before = Write();
    for (int i = 0; i < TiPlotImageLists::ListCount; ++i)
        before.ImageLists.insert(TiPlotImageLists::StreamName(i),
                                 imageLists_.List(i).WriteToStream());
    try {
        Read(defined);
    } catch (...) {
        Read(before);
        throw;
    }
}

QMap<QString, QString> TiPlotDescription::TakeDescribedTexts() {
    QMap<QString, QString> texts;
    for (const QString& name : CollectionNames() + TiPlotImageLists::StreamNames()) {
        const QByteArray key = name.toLatin1();
        const QVariant value = plot_.property(key.constData());
        if (!value.isValid()) continue;
        texts.insert(name, value.toString());
        plot_.setProperty(key.constData(), QVariant());
    }
    return texts;
}
