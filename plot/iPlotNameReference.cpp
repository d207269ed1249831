#include "plot/iPlotNameReference.h"

#include "plot/iPlotMasterManager.h"

TiPlotNameReference::TiPlotNameReference(TiPlotObject& Owner, TiPlotObjectKind Kind,
                                         const QString& Name, bool FollowsRename)
    : owner_(Owner), kind_(Kind), name_(Name), followsRename_(FollowsRename) {}

void TiPlotNameReference::SetName(const QString& Value) {
    if (Value == name_) return;
    name_ = Value;
    object_ = nullptr;
    owner_.TriggerChange(&owner_);
}

TiPlotObject* TiPlotNameReference::Get() {
    if (!object_ && owner_.Owner())
        if (TiPlotMasterManager* master = owner_.Owner()->GetMasterManager())
            object_ = master->GetByName(kind_, name_);
    return object_;
}

void TiPlotNameReference::NotificationRemove(QObject* Object) {
    if (object_ == Object) object_ = nullptr;
}

void TiPlotNameReference::NotificationRename(QObject* Object) {
    if (!followsRename_) return;
    auto* renamed = qobject_cast<TiPlotObject*>(Object);
    if (!renamed) return;
    if (object_ == renamed) {
        name_ = renamed->Name();
        return;
    }
    // A reference not yet used since it was set follows too, or renaming an axis before
    // the first paint would silently unbind every channel naming it.
    TiPlotMasterManager* master = owner_.Owner() ? owner_.Owner()->GetMasterManager() : nullptr;
    // The kind is asked last: every object hears every rename.
    if (!object_ && master && SamePlotName(name_, renamed->OldName()) &&
        master->KindOf(renamed) == kind_)
        name_ = renamed->Name();
}
