// The managers that create, name, count, find, own and stream the plot objects of one kind,
// and the manager that sees every object of the plot.
#pragma once

#include "plot/iPlotObjects.h"

#include <QList>
#include <QMetaObject>
#include <QPair>
#include <QString>
#include <array>
#include <functional>
#include <optional>
#include <vector>

class TiPlotMasterManager;

// The eleven kinds of owned plot objects, in the order the master tests an object's class.
enum class TiPlotObjectKind {
    ToolBar,
    Legend,
    Table,
    XAxis,
    YAxis,
    Channel,
    DataView,
    DataCursor,
    Limit,
    Label,
    Annotation
};
inline constexpr int PlotObjectKindCount = 11;

// How the objects of a kind are made. Each kind registers its class with the master manager
// (the channel class differs between the strip chart and the XY plot).
struct TiPlotObjectClass {
    const QMetaObject* MetaObject = nullptr;
    std::function<TiPlotObject*(TiPlotHost* Owner, const TiPlotObjectHooks& Hooks)> Create;
    // Run after the kind manager's defaults for a new, nameless object (of a kind that names
    // none, for every nameless one inserted): links that are no published property (a data
    // cursor's data view), the plot's annotation defaults.
    std::function<void(TiPlotObject* Object, TiPlotMasterManager& Master)> Initialize;
};

// The class of T, made with T's constructor from the owner and the hooks.
template <class T> TiPlotObjectClass PlotObjectClassOf() {
    return {&T::staticMetaObject,
            [](TiPlotHost* Owner, const TiPlotObjectHooks& Hooks) -> TiPlotObject* {
                return new T(Owner, Hooks);
            },
            nullptr};
}

// A stored collection: per object, its stored properties in walk order, as (path, text).
using TiPlotStreamItem = QList<QPair<QString, QString>>;
using TiPlotCollection = QList<TiPlotStreamItem>;

// The stored properties of an object that differ from their defaults, and reading them back.
TiPlotStreamItem StreamItemOf(QObject* Object);
void ReadStreamItem(QObject* Object, const TiPlotStreamItem& Item);

class TiPlotObjectManagerCustom : public QObject {
    Q_OBJECT

public:
    TiPlotObjectManagerCustom(TiPlotHost* Owner, const TiPlotObjectHooks& Hooks);

    // As for objects: Clear, the removal notice, then the memory.
    void Destroy();

    virtual TiPlotObject* CreateObject() = 0;
    // The base name of the kind.
    virtual QString GetName() const = 0;
    // The base name, a blank and one more than the largest number already following it.
    QString GetNextName() const;

    void InsertObject(TiPlotObject* Object);
    int GetCount() const { return int(items_.size()); }
    // Index errors raise "List index out of bounds (<index>)".
    TiPlotObject* GetObject(int Index) const;
    int GetIndex(const QObject* Object) const;
    TiPlotObject* GetObjectByName(const QString& Name) const;
    // Takes the entry out without destroying the object.
    void Delete(int Index);
    virtual void Clear();

    virtual void NotificationInsert(QObject* Object) = 0;
    virtual void NotificationRemove(QObject* Object);
    void NotificationRename(QObject* Object);
    void NotificationSetFocus(QObject* Object);
    void DoChange();

    TiPlotHost* Owner() const { return owner_; }
    const TiPlotObjectHooks& Hooks() const { return hooks_; }

    // Written also when empty, so that an empty collection reads back empty instead of
    // leaving the constructor's default objects in place.
    bool DoWriteToStream() const { return true; }
    TiPlotCollection WriteToStream() const;
    // Clears, then, when a collection is given, creates and loads its objects in order.
    void ReadFromStream(const TiPlotCollection* Collection);

protected:
    ~TiPlotObjectManagerCustom() override;

    // Called after an object left the list.
    virtual void RemovingObject(TiPlotObject* Object);
    const std::vector<TiPlotObject*>& Items() const { return items_; }
    // Drops an entry without any notice: for objects destroyed with their hooks detached.
    void Forget(const TiPlotObject* Object);
    // Each object in turn; the list may change on the way, an index past its end stops.
    void ForEachObject(const std::function<void(TiPlotObject*)>& Action) const;

private:
    TiPlotHost* owner_;
    TiPlotObjectHooks hooks_;
    std::vector<TiPlotObject*> items_;
};

// A manager that owns its objects: clearing it destroys them.
class TiPlotObjectOwnedManager : public TiPlotObjectManagerCustom {
    Q_OBJECT

public:
    TiPlotObjectOwnedManager(TiPlotHost* Owner, const TiPlotObjectHooks& Hooks,
                             TiPlotObjectKind Kind, TiPlotMasterManager& Master);

    TiPlotObjectKind Kind() const { return kind_; }
    QString GetName() const override;
    // The stream property holding the collection; empty for a kind not streamed here.
    QString StreamName() const;
    void SetObjectClass(const TiPlotObjectClass& Value) { objectClass_ = Value; }
    const TiPlotObjectClass& ObjectClass() const { return objectClass_; }
    bool IsOfClass(const QObject* Object) const;

    TiPlotObject* CreateObject() override;
    void Clear() override;
    void NotificationInsert(QObject* Object) override;
    void NotificationRemove(QObject* Object) override;

protected:
    TiPlotMasterManager& Master() const { return master_; }
    // What a new, nameless object of the kind gets besides its name.
    virtual void ApplyNewObjectDefaults(TiPlotObject* Object);
    virtual bool NamesNewObjects() const { return true; }
    // The name of object 0 of another kind, or nothing when there is none.
    std::optional<QString> FirstObjectName(TiPlotObjectKind Kind) const;

private:
    TiPlotObjectKind kind_;
    TiPlotMasterManager& master_;
    TiPlotObjectClass objectClass_;
};

// Writes a published property of a kind whose class may come from another unit; an object
// without it is left alone.
void SetPublishedProperty(TiPlotObject* Object, const char* Path, const QVariant& Value);

// A manager of one kind that adds nothing to its base but the kind.
template <TiPlotObjectKind Kind, class Base = TiPlotObjectOwnedManager>
class TiPlotKindManager : public Base {
public:
    TiPlotKindManager(TiPlotHost* Owner, const TiPlotObjectHooks& Hooks,
                      TiPlotMasterManager& Master)
        : Base(Owner, Hooks, Kind, Master) {}
};

using TiPlotToolBarManager = TiPlotKindManager<TiPlotObjectKind::ToolBar>;
using TiPlotLegendManager = TiPlotKindManager<TiPlotObjectKind::Legend>;
using TiPlotTableManager = TiPlotKindManager<TiPlotObjectKind::Table>;

// X and Y axes are titled with their new name.
class TiPlotAxisManager : public TiPlotObjectOwnedManager {
    Q_OBJECT

public:
    using TiPlotObjectOwnedManager::TiPlotObjectOwnedManager;

protected:
    void ApplyNewObjectDefaults(TiPlotObject* Object) override;
};

using TiPlotXAxisManager = TiPlotKindManager<TiPlotObjectKind::XAxis, TiPlotAxisManager>;
using TiPlotYAxisManager = TiPlotKindManager<TiPlotObjectKind::YAxis, TiPlotAxisManager>;

// The colours new channels take in turn, each skipped while others are used less.
inline constexpr std::array<TColor, 30> ChannelPalette = {
    0x0000FF, 0x00FFFF, 0xFF0000, 0xFF00FF, 0xFFFF00, 0x00FF00, 0xFFFFFF, 0x000080,
    0x008000, 0x008080, 0x800000, 0x800080, 0x808000, 0x808080, 0x0000C0, 0x00C000,
    0x00C0C0, 0xC00000, 0xC000C0, 0xC0C000, 0xC0C0C0, 0x0080FF, 0x8000FF, 0x8080FF,
    0xFF0080, 0xFF8000, 0xFF8080, 0x00FF80, 0x80FF00, 0x80FF80};

class TiPlotChannelManager : public TiPlotObjectOwnedManager {
    Q_OBJECT

public:
    TiPlotChannelManager(TiPlotHost* Owner, const TiPlotObjectHooks& Hooks,
                         TiPlotMasterManager& Master);

    // The least used palette colour, first in palette order; red while at most one channel.
    TColor GetNextChannelColor() const;

protected:
    void ApplyNewObjectDefaults(TiPlotObject* Object) override;
};

// Data views (their grid) and limits name X axis 0 and Y axis 0 in two references.
class TiPlotAxesReferenceManager : public TiPlotObjectOwnedManager {
    Q_OBJECT

public:
    using TiPlotObjectOwnedManager::TiPlotObjectOwnedManager;

protected:
    void ApplyNewObjectDefaults(TiPlotObject* Object) override;
};

using TiPlotDataViewManager =
    TiPlotKindManager<TiPlotObjectKind::DataView, TiPlotAxesReferenceManager>;
using TiPlotLimitManager = TiPlotKindManager<TiPlotObjectKind::Limit, TiPlotAxesReferenceManager>;

class TiPlotDataCursorManager : public TiPlotObjectOwnedManager {
    Q_OBJECT

public:
    TiPlotDataCursorManager(TiPlotHost* Owner, const TiPlotObjectHooks& Hooks,
                            TiPlotMasterManager& Master);

protected:
    void ApplyNewObjectDefaults(TiPlotObject* Object) override;
};

class TiPlotLabelManager : public TiPlotObjectOwnedManager {
    Q_OBJECT

public:
    TiPlotLabelManager(TiPlotHost* Owner, const TiPlotObjectHooks& Hooks,
                       TiPlotMasterManager& Master);

protected:
    void ApplyNewObjectDefaults(TiPlotObject* Object) override;
};

// Annotations are inserted as they are and never named automatically.
class TiPlotAnnotationManager : public TiPlotObjectOwnedManager {
    Q_OBJECT

public:
    TiPlotAnnotationManager(TiPlotHost* Owner, const TiPlotObjectHooks& Hooks,
                            TiPlotMasterManager& Master);

protected:
    bool NamesNewObjects() const override { return false; }
};

// Every object of the plot, owning none: the selection and the focused objects' input.
class TiPlotObjectManager : public TiPlotObjectManagerCustom {
    Q_OBJECT

public:
    using TiPlotObjectManagerCustom::TiPlotObjectManagerCustom;

    // Raises "Object Manager does not support creation of objects".
    TiPlotObject* CreateObject() override;
    QString GetName() const override;
    void NotificationInsert(QObject* Object) override;

    void ClearAllUserSelections();
    void SetShiftState(TShiftState Shift);
    // Each passes the input to every selected object, in list order.
    void MouseDownFocusObjects(TMouseButton Button, TShiftState Shift, int X, int Y, int ScreenX,
                               int ScreenY, QMenu* PopupMenu);
    void MouseMoveFocusObjects(TiHintData& HintData, TShiftState Shift, int X, int Y, int ScreenX,
                               int ScreenY, bool DblClickActive);
    void MouseUpFocusObjects(TMouseButton Button, TShiftState Shift, int X, int Y, int ScreenX,
                             int ScreenY, bool DblClickActive);
    void KeyDownFocusObjects(uint16_t& Key, TShiftState Shift);
    // Whether any selected object handled the wheel.
    bool MouseWheelFocusObjects(int WheelDelta, TShiftState Shift, TPoint MousePos);
    // Detaches the removal, layout and change hooks of every object, so that tearing the
    // plot down sends no notices. Once only: objects destroyed after it leave stale entries.
    void ShutDownSetup();

private:
    bool shutDown_ = false;
    void ForEachSelected(const std::function<void(TiPlotObject*)>& Action) const;
};
