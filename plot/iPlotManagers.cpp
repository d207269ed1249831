#include "plot/iPlotManagers.h"

#include "platform/Exception.h"
#include "platform/PropertyDefaults.h"
#include "platform/PropertyWalker.h"
#include "plot/iPlotMasterManager.h"

#include <algorithm>
#include <limits>
#include <utility>

namespace {

struct KindNames {
    const char* Name;
    const char* StreamName;
};

constexpr std::array<KindNames, PlotObjectKindCount> kindNames = {{
    {"Toolbar", "ToolBarManager"},
    {"Legend", "LegendManager"},
    {"Table", "TableManager"},
    {"X-Axis", "XAxisManager"},
    {"Y-Axis", "YAxisManager"},
    {"Channel", "ChannelManager"},
    {"Data View", "DataViewManager"},
    {"Cursor", "DataCursorManager"},
    {"Limit", "LimitManager"},
    {"Label", "LabelManager"},
    {"Annotation", ""},
}};

// The number after a base name: blanks, then decimal digits only.
std::optional<int64_t> NameSuffix(QStringView rest) {
    qsizetype start = 0;
    while (start < rest.size() && rest[start] == QLatin1Char(' '))
        ++start;
    const QStringView digits = rest.mid(start);
    if (digits.isEmpty() ||
        !std::all_of(digits.begin(), digits.end(), [](QChar c) { return c >= '0' && c <= '9'; }))
        return std::nullopt;
    bool ok = false;
    const qlonglong value = digits.toLongLong(&ok);
    return ok ? std::optional<int64_t>(value) : std::nullopt;
}

} // namespace

TiPlotObjectManagerCustom::TiPlotObjectManagerCustom(TiPlotHost* Owner,
                                                     const TiPlotObjectHooks& Hooks)
    : owner_(Owner), hooks_(Hooks) {
    CheckPlotObjectArguments(Owner, Hooks, true);
}

TiPlotObjectManagerCustom::~TiPlotObjectManagerCustom() = default;

void TiPlotObjectManagerCustom::Destroy() {
    Clear();
    if (hooks_.OnRemove) hooks_.OnRemove(this);
    delete this;
}

QString TiPlotObjectManagerCustom::GetNextName() const {
    const QString base = GetName();
    int64_t largest = 0;
    for (const TiPlotObject* object : items_) {
        const QString name = object->Name();
        if (!name.startsWith(base, Qt::CaseInsensitive)) continue;
        if (const auto number = NameSuffix(QStringView(name).mid(base.size())))
            largest = std::max(largest, *number);
    }
    // Counted in 64 bits and saturated: "Channel 2147483647" is followed, not overflowed.
    const int64_t next = largest == std::numeric_limits<int64_t>::max() ? largest : largest + 1;
    return base + QLatin1Char(' ') + QString::number(next);
}

void TiPlotObjectManagerCustom::InsertObject(TiPlotObject* Object) {
    if (std::find(items_.begin(), items_.end(), Object) == items_.end()) items_.push_back(Object);
}

TiPlotObject* TiPlotObjectManagerCustom::GetObject(int Index) const {
    CheckListIndex(Index, GetCount());
    return items_[size_t(Index)];
}

int TiPlotObjectManagerCustom::GetIndex(const QObject* Object) const {
    const auto at = std::find(items_.begin(), items_.end(), Object);
    return at == items_.end() ? -1 : int(at - items_.begin());
}

TiPlotObject* TiPlotObjectManagerCustom::GetObjectByName(const QString& Name) const {
    for (TiPlotObject* object : items_)
        if (SamePlotName(object->Name(), Name)) return object;
    return nullptr;
}

void TiPlotObjectManagerCustom::Delete(int Index) {
    GetObject(Index);
    items_.erase(items_.begin() + Index);
}

void TiPlotObjectManagerCustom::Clear() {}

void TiPlotObjectManagerCustom::Forget(const TiPlotObject* Object) {
    std::erase(items_, Object);
}

void TiPlotObjectManagerCustom::ForEachObject(
    const std::function<void(TiPlotObject*)>& Action) const {
    for (size_t i = 0; i < items_.size(); ++i)
        Action(items_[i]);
}

void TiPlotObjectManagerCustom::NotificationRemove(QObject* Object) {
    for (size_t i = items_.size(); i-- > 0;) {
        if (items_[i] != Object) continue;
        TiPlotObject* object = items_[i];
        items_.erase(items_.begin() + ptrdiff_t(i));
        RemovingObject(object);
        DoChange();
        return;
    }
}

void TiPlotObjectManagerCustom::NotificationRename(QObject* Object) {
    ForEachObject([Object](TiPlotObject* object) { object->NotificationRename(Object); });
}

void TiPlotObjectManagerCustom::NotificationSetFocus(QObject* Object) {
    ForEachObject([Object](TiPlotObject* object) { object->NotificationSetFocus(Object); });
}

void TiPlotObjectManagerCustom::RemovingObject(TiPlotObject*) {}

void TiPlotObjectManagerCustom::DoChange() {
    if (hooks_.OnChange) hooks_.OnChange(this);
}

TiPlotCollection TiPlotObjectManagerCustom::WriteToStream() const {
    TiPlotCollection collection;
    for (TiPlotObject* object : items_)
        collection.append(StreamItemOf(object));
    return collection;
}

void TiPlotObjectManagerCustom::ReadFromStream(const TiPlotCollection* Collection) {
    Clear();
    if (!Collection) return;
    for (const TiPlotStreamItem& item : *Collection) {
        TiPlotObject* object = CreateObject();
        try {
            ReadStreamItem(object, item);
        } catch (...) {
            object->Destroy();
            throw;
        }
        object->Loaded();
    }
}

TiPlotObjectOwnedManager::TiPlotObjectOwnedManager(TiPlotHost* Owner,
                                                   const TiPlotObjectHooks& Hooks,
                                                   TiPlotObjectKind Kind,
                                                   TiPlotMasterManager& Master)
    : TiPlotObjectManagerCustom(Owner, Hooks), kind_(Kind), master_(Master) {}

QString TiPlotObjectOwnedManager::GetName() const {
    return QString::fromLatin1(kindNames[size_t(kind_)].Name);
}

QString TiPlotObjectOwnedManager::StreamName() const {
    return QString::fromLatin1(kindNames[size_t(kind_)].StreamName);
}

bool TiPlotObjectOwnedManager::IsOfClass(const QObject* Object) const {
    return objectClass_.MetaObject && Object &&
           Object->metaObject()->inherits(objectClass_.MetaObject);
}

TiPlotObject* TiPlotObjectOwnedManager::CreateObject() {
    if (!objectClass_.Create)
        throw Exception(QStringLiteral("No class registered for %1 objects").arg(GetName()));
    return objectClass_.Create(Owner(), Hooks());
}

void TiPlotObjectOwnedManager::Clear() {
    // Each destruction takes the object out of the list, so the loop works on a copy.
    const std::vector<TiPlotObject*> objects = Items();
    for (TiPlotObject* object : objects) {
        if (GetIndex(object) < 0) continue;
        object->Destroy();
        Forget(object);
    }
}

void TiPlotObjectOwnedManager::NotificationInsert(QObject* Object) {
    if (!IsOfClass(Object)) return;
    auto* object = static_cast<TiPlotObject*>(Object);
    InsertObject(object);
    if (!object->Name().isEmpty()) return;
    if (NamesNewObjects()) {
        object->SetName(GetNextName());
        ApplyNewObjectDefaults(object);
    }
    if (objectClass_.Initialize) objectClass_.Initialize(object, master_);
}

void TiPlotObjectOwnedManager::NotificationRemove(QObject* Object) {
    if (Object != this)
        ForEachObject([Object](TiPlotObject* object) {
            if (object != Object) object->NotificationRemove(Object);
        });
    TiPlotObjectManagerCustom::NotificationRemove(Object);
}

void TiPlotObjectOwnedManager::ApplyNewObjectDefaults(TiPlotObject*) {}

std::optional<QString> TiPlotObjectOwnedManager::FirstObjectName(TiPlotObjectKind Kind) const {
    if (master_.Count(Kind) == 0) return std::nullopt;
    return master_.Get(Kind, 0)->Name();
}

TiPlotStreamItem StreamItemOf(QObject* Object) {
    TiPlotStreamItem item;
    for (const PropertyDescriptor& property : PropertyDefaults::ValuesToStore(Object))
        item.append({property.Path, PropertyWalker::ReadText(property)});
    return item;
}

void ReadStreamItem(QObject* Object, const TiPlotStreamItem& Item) {
    for (const auto& [path, text] : Item)
        PropertyWalker::WriteText(Object, path, text);
}

void SetPublishedProperty(TiPlotObject* Object, const char* Path, const QVariant& Value) {
    if (const auto property = PropertyWalker::Find(Object, QString::fromLatin1(Path)))
        PropertyWalker::Write(*property, Value);
}

void TiPlotAxisManager::ApplyNewObjectDefaults(TiPlotObject* Object) {
    SetPublishedProperty(Object, "Title", Object->Name());
}

TiPlotChannelManager::TiPlotChannelManager(TiPlotHost* Owner, const TiPlotObjectHooks& Hooks,
                                           TiPlotMasterManager& Master)
    : TiPlotObjectOwnedManager(Owner, Hooks, TiPlotObjectKind::Channel, Master) {}

TColor TiPlotChannelManager::GetNextChannelColor() const {
    if (GetCount() <= 1) return clRed;
    std::array<int, ChannelPalette.size()> counts{};
    for (TiPlotObject* channel : Items()) {
        const TColor color =
            TColor(PropertyWalker::Read(channel, QStringLiteral("Color")).toLongLong());
        for (size_t i = 0; i < ChannelPalette.size(); ++i)
            if (ChannelPalette[i] == color) ++counts[i];
    }
    const auto least = std::min_element(counts.begin(), counts.end());
    return ChannelPalette[size_t(least - counts.begin())];
}

void TiPlotChannelManager::ApplyNewObjectDefaults(TiPlotObject* Object) {
    SetPublishedProperty(Object, "TitleText", Object->Name());
    if (PropertyWalker::Find(Object, QStringLiteral("Color")))
        SetPublishedProperty(Object, "Color", qlonglong(GetNextChannelColor()));
    if (const auto name = FirstObjectName(TiPlotObjectKind::XAxis))
        SetPublishedProperty(Object, "XAxisName", *name);
    if (const auto name = FirstObjectName(TiPlotObjectKind::YAxis))
        SetPublishedProperty(Object, "YAxisName", *name);
}

void TiPlotAxesReferenceManager::ApplyNewObjectDefaults(TiPlotObject* Object) {
    const bool grid = Kind() == TiPlotObjectKind::DataView;
    if (const auto name = FirstObjectName(TiPlotObjectKind::XAxis))
        SetPublishedProperty(Object, grid ? "GridXAxisName" : "XAxisName", *name);
    if (const auto name = FirstObjectName(TiPlotObjectKind::YAxis))
        SetPublishedProperty(Object, grid ? "GridYAxisName" : "YAxisName", *name);
}

TiPlotDataCursorManager::TiPlotDataCursorManager(TiPlotHost* Owner, const TiPlotObjectHooks& Hooks,
                                                 TiPlotMasterManager& Master)
    : TiPlotObjectOwnedManager(Owner, Hooks, TiPlotObjectKind::DataCursor, Master) {}

void TiPlotDataCursorManager::ApplyNewObjectDefaults(TiPlotObject* Object) {
    if (const auto name = FirstObjectName(TiPlotObjectKind::Channel))
        SetPublishedProperty(Object, "ChannelName", *name);
}

TiPlotLabelManager::TiPlotLabelManager(TiPlotHost* Owner, const TiPlotObjectHooks& Hooks,
                                       TiPlotMasterManager& Master)
    : TiPlotObjectOwnedManager(Owner, Hooks, TiPlotObjectKind::Label, Master) {}

void TiPlotLabelManager::ApplyNewObjectDefaults(TiPlotObject* Object) {
    SetPublishedProperty(Object, "Caption", Object->Name());
}

TiPlotAnnotationManager::TiPlotAnnotationManager(TiPlotHost* Owner, const TiPlotObjectHooks& Hooks,
                                                 TiPlotMasterManager& Master)
    : TiPlotObjectOwnedManager(Owner, Hooks, TiPlotObjectKind::Annotation, Master) {}

TiPlotObject* TiPlotObjectManager::CreateObject() {
    throw Exception(QStringLiteral("Object Manager does not support creation of objects"));
}

QString TiPlotObjectManager::GetName() const {
    return QStringLiteral("n/a");
}

void TiPlotObjectManager::NotificationInsert(QObject* Object) {
    if (auto* object = qobject_cast<TiPlotObject*>(Object)) InsertObject(object);
}

void TiPlotObjectManager::ClearAllUserSelections() {
    ForEachObject([](TiPlotObject* object) { object->SetUserSelected(false); });
}

void TiPlotObjectManager::SetShiftState(TShiftState Shift) {
    ForEachObject([Shift](TiPlotObject* object) { object->SetShiftState(Shift); });
}

void TiPlotObjectManager::ForEachSelected(const std::function<void(TiPlotObject*)>& Action) const {
    ForEachObject([&Action](TiPlotObject* object) {
        if (object->UserSelected()) Action(object);
    });
}

void TiPlotObjectManager::MouseDownFocusObjects(TMouseButton Button, TShiftState Shift, int X,
                                                int Y, int ScreenX, int ScreenY, QMenu* PopupMenu) {
    ForEachSelected([&](TiPlotObject* object) {
        object->iMouseDown(Button, Shift, X, Y, ScreenX, ScreenY, PopupMenu);
    });
}

void TiPlotObjectManager::MouseMoveFocusObjects(TiHintData& HintData, TShiftState Shift, int X,
                                                int Y, int ScreenX, int ScreenY,
                                                bool DblClickActive) {
    ForEachSelected([&](TiPlotObject* object) {
        object->iMouseMove(HintData, Shift, X, Y, ScreenX, ScreenY, DblClickActive);
    });
}

void TiPlotObjectManager::MouseUpFocusObjects(TMouseButton Button, TShiftState Shift, int X, int Y,
                                              int ScreenX, int ScreenY, bool DblClickActive) {
    ForEachSelected([&](TiPlotObject* object) {
        object->iMouseUp(Button, Shift, X, Y, ScreenX, ScreenY, DblClickActive);
    });
}

void TiPlotObjectManager::KeyDownFocusObjects(uint16_t& Key, TShiftState Shift) {
    ForEachSelected([&](TiPlotObject* object) { object->iKeyDown(Key, Shift); });
}

bool TiPlotObjectManager::MouseWheelFocusObjects(int WheelDelta, TShiftState Shift,
                                                 TPoint MousePos) {
    bool handled = false;
    ForEachSelected([&](TiPlotObject* object) {
        handled = object->iMouseWheel(WheelDelta, Shift, MousePos) || handled;
    });
    return handled;
}

void TiPlotObjectManager::ShutDownSetup() {
    if (std::exchange(shutDown_, true)) return;
    ForEachObject([](TiPlotObject* object) {
        object->OnRemove = nullptr;
        object->OnLayoutChange = nullptr;
        object->OnChange = nullptr;
    });
}
