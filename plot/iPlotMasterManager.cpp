#include "plot/iPlotMasterManager.h"

#include "platform/Exception.h"
#include "plot/channels/iPlotChannel.h"
#include "plot/iPlotAnnotation.h"
#include "plot/iPlotAxis.h"
#include "plot/iPlotDataCursor.h"
#include "plot/iPlotDataView.h"
#include "plot/iPlotLabel.h"
#include "plot/iPlotLayoutManager.h"
#include "plot/iPlotLegend.h"
#include "plot/iPlotLimit.h"
#include "plot/iPlotTable.h"
#include "plot/iPlotToolBar.h"
#include "plot/iPlotTranslation.h"

TiPlotMasterManager::TiPlotMasterManager(TiPlotHost* Plot) : plot_(Plot) {
    objectManager_ = new TiPlotObjectManager(plot_, Hooks());
    auto place = [this](TiPlotObjectOwnedManager* manager) {
        managers_[size_t(manager->Kind())] = manager;
    };
    place(Create<TiPlotToolBarManager>());
    place(Create<TiPlotLegendManager>());
    place(Create<TiPlotTableManager>());
    place(Create<TiPlotChannelManager>());
    place(Create<TiPlotDataCursorManager>());
    place(Create<TiPlotDataViewManager>());
    place(Create<TiPlotXAxisManager>());
    place(Create<TiPlotYAxisManager>());
    place(Create<TiPlotLimitManager>());
    place(Create<TiPlotLabelManager>());
    place(Create<TiPlotAnnotationManager>());
    layoutManager_ = Create<TiPlotLayoutManager>();
    layoutManager_->CreatePlaceHolders();
    translationManager_ = new TiPlotTranslationManager();
    RegisterObjectClass(TiPlotObjectKind::XAxis, PlotObjectClassOf<TiPlotXAxis>());
    RegisterObjectClass(TiPlotObjectKind::YAxis, PlotObjectClassOf<TiPlotYAxis>());
    RegisterObjectClass(TiPlotObjectKind::Label, PlotObjectClassOf<TiPlotLabel>());
    RegisterObjectClass(TiPlotObjectKind::Table, PlotObjectClassOf<TiPlotTable>());
    RegisterObjectClass(TiPlotObjectKind::ToolBar, PlotObjectClassOf<TiPlotToolBar>());
    RegisterObjectClass(TiPlotObjectKind::Legend, PlotObjectClassOf<TiPlotLegend>());
    RegisterObjectClass(TiPlotObjectKind::DataView, PlotObjectClassOf<TiPlotDataView>());
    RegisterObjectClass(TiPlotObjectKind::DataCursor, TiPlotDataCursor::ObjectClass());
    RegisterObjectClass(TiPlotObjectKind::Limit, PlotObjectClassOf<TiPlotLimit>());
    RegisterObjectClass(TiPlotObjectKind::Annotation, TiPlotAnnotation::ObjectClass());
    TiPlotChannel::RegisterWith(*this);
}

template <class Manager> Manager* TiPlotMasterManager::Create() {
    return new Manager(plot_, Hooks(), *this);
}

TiPlotMasterManager::~TiPlotMasterManager() {
    // Tearing down sends no notices: objects keep no one informed, nothing is repainted.
    objectManager_->ShutDownSetup();
    shuttingDown_ = true;
    for (TiPlotObjectKind kind :
         {TiPlotObjectKind::ToolBar, TiPlotObjectKind::Legend, TiPlotObjectKind::Table,
          TiPlotObjectKind::Channel, TiPlotObjectKind::XAxis, TiPlotObjectKind::YAxis,
          TiPlotObjectKind::DataView, TiPlotObjectKind::DataCursor, TiPlotObjectKind::Limit,
          TiPlotObjectKind::Label, TiPlotObjectKind::Annotation})
        std::exchange(managers_[size_t(kind)], nullptr)->Destroy();
    delete translationManager_;
    std::exchange(objectManager_, nullptr)->Destroy();
    std::exchange(layoutManager_, nullptr)->Destroy();
}

TiPlotObjectHooks TiPlotMasterManager::Hooks() {
    return {[this](QObject* object) { NotificationChange(object); },
            [this](QObject* object) { NotificationInsert(object); },
            [this](QObject* object) { NotificationRemove(object); },
            [this](QObject* object) { NotificationRename(object); }};
}

void TiPlotMasterManager::RegisterObjectClass(TiPlotObjectKind Kind,
                                              const TiPlotObjectClass& Class) {
    GetManager(Kind)->SetObjectClass(Class);
}

void TiPlotMasterManager::SetChannelClass(const TiPlotObjectClass& Class) {
    RegisterObjectClass(TiPlotObjectKind::Channel, Class);
}

std::optional<TiPlotObjectKind> TiPlotMasterManager::KindOf(const QObject* Object) const {
    for (const TiPlotObjectOwnedManager* manager : managers_)
        if (manager && manager->IsOfClass(Object)) return manager->Kind();
    return std::nullopt;
}

TiPlotObjectOwnedManager* TiPlotMasterManager::GetManager(TiPlotObjectKind Kind) const {
    return managers_[size_t(Kind)];
}

int TiPlotMasterManager::Add(TiPlotObjectKind Kind) {
    TiPlotObject* object = GetManager(Kind)->CreateObject();
    object->Loaded();
    return Count(Kind) - 1;
}

void TiPlotMasterManager::Delete(TiPlotObjectKind Kind, int Index) {
    Get(Kind, Index)->Destroy();
}

void TiPlotMasterManager::RemoveAll(TiPlotObjectKind Kind) {
    GetManager(Kind)->Clear();
}

TiPlotObject* TiPlotMasterManager::Get(TiPlotObjectKind Kind, int Index) const {
    return GetManager(Kind)->GetObject(Index);
}

int TiPlotMasterManager::Count(TiPlotObjectKind Kind) const {
    const TiPlotObjectOwnedManager* manager = GetManager(Kind);
    return manager ? manager->GetCount() : 0;
}

TiPlotObject* TiPlotMasterManager::GetByName(TiPlotObjectKind Kind, const QString& Name) const {
    const TiPlotObjectOwnedManager* manager = GetManager(Kind);
    return manager ? manager->GetObjectByName(Name) : nullptr;
}

int TiPlotMasterManager::GetIndexByName(TiPlotObjectKind Kind, const QString& Name) const {
    const TiPlotObjectOwnedManager* manager = GetManager(Kind);
    return manager ? manager->GetIndex(manager->GetObjectByName(Name)) : -1;
}

void TiPlotMasterManager::DeleteLabel(int Index) {
    if (Index == 0)
        throw Exception(QStringLiteral("Label Index 0 can not be Deleted (Resevered for Title)"));
    Delete(TiPlotObjectKind::Label, Index);
}

void TiPlotMasterManager::RemoveAllLabels() {
    // Bounded by the count, should a label refuse to leave its manager.
    for (int remaining = LabelCount(); remaining > 1 && LabelCount() > 1; --remaining)
        Delete(TiPlotObjectKind::Label, 1);
}

TiPlotLabel* TiPlotMasterManager::GetLabel(int Index) const {
    return qobject_cast<TiPlotLabel*>(Get(TiPlotObjectKind::Label, Index));
}

TiPlotLabel* TiPlotMasterManager::GetLabelByName(const QString& Name) const {
    return qobject_cast<TiPlotLabel*>(GetByName(TiPlotObjectKind::Label, Name));
}

TiPlotTable* TiPlotMasterManager::GetTable(int Index) const {
    return qobject_cast<TiPlotTable*>(Get(TiPlotObjectKind::Table, Index));
}

TiPlotTable* TiPlotMasterManager::GetTableByName(const QString& Name) const {
    return qobject_cast<TiPlotTable*>(GetByName(TiPlotObjectKind::Table, Name));
}

int TiPlotMasterManager::AddTranslation(const QString& Original, const QString& Replacement) {
    return translationManager_->AddTranslation(Original, Replacement);
}

void TiPlotMasterManager::DeleteTranslation(int Index) {
    translationManager_->Delete(Index);
    NotificationChange(translationManager_);
}

void TiPlotMasterManager::RemoveAllTranslations() {
    translationManager_->Clear();
}

int TiPlotMasterManager::TranslationCount() const {
    return translationManager_->GetCount();
}

QString TiPlotMasterManager::FindTranslation(const QString& Text) const {
    return translationManager_ ? translationManager_->FindReplacement(Text) : Text;
}

std::vector<TiPlotObjectManagerCustom*>
TiPlotMasterManager::NotifiedManagers(bool WithObjectManager) const {
    std::vector<TiPlotObjectManagerCustom*> managers;
    if (WithObjectManager) managers = {objectManager_, layoutManager_};
    managers.insert(managers.end(), managers_.begin(), managers_.end());
    if (!WithObjectManager) managers.push_back(layoutManager_);
    std::erase(managers, nullptr);
    return managers;
}

void TiPlotMasterManager::Wire(TiPlotObject* Object) {
    Object->OnSetFocus = [this](QObject* object) { NotificationSetFocus(object); };
    Object->OnInvalidateNow = [this](QObject*) { plot_->InvalidateNow(); };
    Object->SetUserCanEdit(userCanEditObjects_);
    Object->OnEdit = [this](QObject* object) { EditLayoutObject(object); };
    Object->SetXYAxesReversed(xyAxesReverse_);
}

void TiPlotMasterManager::NotificationInsert(QObject* Object) {
    auto* object = qobject_cast<TiPlotObject*>(Object);
    if (!object || shuttingDown_) return;
    objectManager_->NotificationInsert(object);
    if (layoutManager_) layoutManager_->NotificationInsert(object);
    if (const auto kind = KindOf(object)) GetManager(*kind)->NotificationInsert(object);
    Wire(object);
    if (OnObjectInserted) OnObjectInserted(object);
}

void TiPlotMasterManager::NotificationRemove(QObject* Object) {
    if (shuttingDown_) return;
    plot_->MasterRemove(Object);
    for (TiPlotObjectOwnedManager*& manager : managers_)
        if (manager == Object) manager = nullptr;
    if (Object == layoutManager_) layoutManager_ = nullptr;
    if (Object == objectManager_) objectManager_ = nullptr;
    for (TiPlotObjectManagerCustom* manager : NotifiedManagers(true))
        manager->NotificationRemove(Object);
}

void TiPlotMasterManager::NotificationRename(QObject* Object) {
    for (TiPlotObjectManagerCustom* manager : NotifiedManagers(false))
        manager->NotificationRename(Object);
}

void TiPlotMasterManager::NotificationSetFocus(QObject* Object) {
    for (TiPlotObjectManagerCustom* manager : NotifiedManagers(false))
        manager->NotificationSetFocus(Object);
}

void TiPlotMasterManager::NotificationChange(QObject* Object) {
    if (shuttingDown_) return;
    AdvanceChangeCount();
    plot_->MasterChange(Object);
}

void TiPlotMasterManager::ForEachOwnedObject(
    const std::function<void(TiPlotObject*)>& Action) const {
    for (const TiPlotObjectOwnedManager* manager : managers_)
        if (manager)
            for (int i = 0; i < manager->GetCount(); ++i)
                Action(manager->GetObject(i));
}

void TiPlotMasterManager::SetUserCanEditObjects(bool Value) {
    userCanEditObjects_ = Value;
    ForEachOwnedObject([Value](TiPlotObject* object) { object->SetUserCanEdit(Value); });
}

void TiPlotMasterManager::SetXYAxesReverse(bool Value) {
    xyAxesReverse_ = Value;
    layoutManager_->SetXYAxesReverse(Value);
    ForEachOwnedObject([Value](TiPlotObject* object) { object->SetXYAxesReversed(Value); });
    plot_->InvalidateNow();
}

void TiPlotMasterManager::ShowToolBars(bool Value) {
    const TiPlotObjectOwnedManager* toolBars = GetManager(TiPlotObjectKind::ToolBar);
    for (int i = 0; i < toolBars->GetCount(); ++i)
        toolBars->GetObject(i)->SetVisible(Value);
}

void TiPlotMasterManager::DeSelectAll() {
    objectManager_->ClearAllUserSelections();
}

void TiPlotMasterManager::SeparateToolBarFromTitle() {
    if (Count(TiPlotObjectKind::ToolBar) == 0 || LabelCount() == 0) return;
    auto* toolBar = qobject_cast<TiPlotLayoutObject*>(Get(TiPlotObjectKind::ToolBar, 0));
    auto* title = qobject_cast<TiPlotLayoutObject*>(Get(TiPlotObjectKind::Label, 0));
    if (toolBar && title && toolBar->Horizontal() == title->Horizontal() &&
        toolBar->ZOrder() == title->ZOrder())
        toolBar->SetZOrder(title->ZOrder() + 1);
}

void TiPlotMasterManager::EditLayoutObject(QObject* Object) {
    if (OnEditLayoutObject) OnEditLayoutObject(Object);
}

void TiPlotMasterManager::EditProperties() {
    if (OnEditProperties) OnEditProperties();
}

void TiPlotMasterManager::SetAllTracking(bool Enabled) {
    for (TiPlotObjectKind kind : {TiPlotObjectKind::XAxis, TiPlotObjectKind::YAxis})
        for (int i = 0; i < Count(kind); ++i)
            if (auto* axis = qobject_cast<TiPlotAxis*>(Get(kind, i)))
                axis->SetTrackingEnabled(Enabled);
}
