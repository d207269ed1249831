#include "plot/iPlotTranslation.h"

#include "platform/PropertyDefaults.h"

namespace {

const PropertyDefaults::Registration defaults(TiPlotTranslationObject::staticMetaObject,
                                              {
                                                  {"OriginalString", QStringLiteral("Unknown")},
                                                  {"ReplacementString", QStringLiteral("Unknown")},
                                              });

} // namespace

TiPlotTranslationObject::TiPlotTranslationObject()
    : originalString_(QStringLiteral("Unknown")), replacementString_(QStringLiteral("Unknown")) {}

TiPlotTranslationManager::TiPlotTranslationManager() = default;
TiPlotTranslationManager::~TiPlotTranslationManager() = default;

int TiPlotTranslationManager::AddTranslation(const QString& Original, const QString& Replacement) {
    auto item = std::make_unique<TiPlotTranslationObject>();
    item->SetOriginalString(Original);
    item->SetReplacementString(Replacement);
    items_.insert(items_.begin(), std::move(item));
    return 0;
}

void TiPlotTranslationManager::Delete(int Index) {
    CheckListIndex(Index, GetCount());
    items_.erase(items_.begin() + Index);
}

void TiPlotTranslationManager::Clear() {
    items_.clear();
}

TiPlotTranslationObject* TiPlotTranslationManager::GetItem(int Index) const {
    CheckListIndex(Index, GetCount());
    return items_[size_t(Index)].get();
}

QString TiPlotTranslationManager::FindReplacement(const QString& Text) const {
    for (const auto& item : items_)
        if (item->OriginalString() == Text) return item->ReplacementString();
    return Text;
}

TiPlotCollection TiPlotTranslationManager::WriteToStream() const {
    TiPlotCollection collection;
    for (const auto& item : items_)
        collection.append(StreamItemOf(item.get()));
    return collection;
}

void TiPlotTranslationManager::ReadFromStream(const TiPlotCollection* Collection) {
    Clear();
    if (!Collection) return;
    for (const TiPlotStreamItem& stored : *Collection) {
        auto item = std::make_unique<TiPlotTranslationObject>();
        ReadStreamItem(item.get(), stored);
        items_.push_back(std::move(item));
    }
}
