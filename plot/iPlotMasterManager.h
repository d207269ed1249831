// The one switchboard of a plot: it owns a manager per object kind, the layout manager and
// the translation list, and passes the insert, remove, rename, change and focus notices
// between objects, managers and the plot control.
#pragma once

#include "plot/iPlotManagers.h"

#include <QObject>
#include <QString>
#include <array>
#include <optional>

class TiPlotLabel;
class TiPlotLayoutManager;
class TiPlotTable;
class TiPlotTranslationManager;

class TiPlotMasterManager : public QObject {
    Q_OBJECT

public:
    explicit TiPlotMasterManager(TiPlotHost* Plot);
    ~TiPlotMasterManager() override;

    TiPlotHost* Plot() const { return plot_; }
    // The master's four notices, as every object and manager it creates gets them.
    TiPlotObjectHooks Hooks();

    // The library's class of each kind is registered from the start; a plot may register
    // another (the XY plot its channel class).
    void RegisterObjectClass(TiPlotObjectKind Kind, const TiPlotObjectClass& Class);
    void SetChannelClass(const TiPlotObjectClass& Class);
    // The kind whose class the object belongs to, testing in kind order.
    std::optional<TiPlotObjectKind> KindOf(const QObject* Object) const;

    TiPlotObjectOwnedManager* GetManager(TiPlotObjectKind Kind) const;
    TiPlotObjectManager* GetPlotObjectManager() const { return objectManager_; }
    TiPlotLayoutManager* GetLayoutManager() const { return layoutManager_; }
    TiPlotTranslationManager* GetTranslationManager() const { return translationManager_; }

    // The plot-level operations of every kind. Add answers the index of the new object;
    // Delete destroys it; index errors raise "List index out of bounds (<index>)".
    int Add(TiPlotObjectKind Kind);
    void Delete(TiPlotObjectKind Kind, int Index);
    void RemoveAll(TiPlotObjectKind Kind);
    TiPlotObject* Get(TiPlotObjectKind Kind, int Index) const;
    int Count(TiPlotObjectKind Kind) const;
    TiPlotObject* GetByName(TiPlotObjectKind Kind, const QString& Name) const;
    int GetIndexByName(TiPlotObjectKind Kind, const QString& Name) const;

    int AddLabel() { return Add(TiPlotObjectKind::Label); }
    // Label 0 is the title: "Label Index 0 can not be Deleted (Resevered for Title)".
    void DeleteLabel(int Index);
    // Every label but the title.
    void RemoveAllLabels();
    int LabelCount() const { return Count(TiPlotObjectKind::Label); }
    TiPlotLabel* GetLabel(int Index) const;
    TiPlotLabel* GetLabelByName(const QString& Name) const;
    int AddTable() { return Add(TiPlotObjectKind::Table); }
    void DeleteTable(int Index) { Delete(TiPlotObjectKind::Table, Index); }
    void RemoveAllTables() { RemoveAll(TiPlotObjectKind::Table); }
    TiPlotTable* GetTable(int Index) const;
    int TableCount() const { return Count(TiPlotObjectKind::Table); }
    TiPlotTable* GetTableByName(const QString& Name) const;

    int AddTranslation(const QString& Original, const QString& Replacement);
    // Also asks for a change repaint.
    void DeleteTranslation(int Index);
    void RemoveAllTranslations();
    int TranslationCount() const;
    QString FindTranslation(const QString& Text) const;

    void NotificationInsert(QObject* Object);
    void NotificationRemove(QObject* Object);
    void NotificationRename(QObject* Object);
    void NotificationSetFocus(QObject* Object);
    void NotificationChange(QObject* Object);
    // Advanced by every change notice and band rearrangement: the plot's frame layout is
    // stale once the count has moved on from the one it was computed at.
    uint64_t ChangeCount() const { return changeCount_; }
    void AdvanceChangeCount() { ++changeCount_; }

    bool UserCanEditObjects() const { return userCanEditObjects_; }
    void SetUserCanEditObjects(bool Value);
    bool XYAxesReverse() const { return xyAxesReverse_; }
    void SetXYAxesReverse(bool Value);
    void ShowToolBars(bool Value);
    void DeSelectAll();
    // Every X axis, then every Y axis.
    void SetAllTracking(bool Enabled);

    // A stored description that puts toolbar 0 in the title's band moves it one band out.
    void SeparateToolBarFromTitle();

    // The run-time editor's hand-over: "Edit..." of an object, the toolbar's properties.
    void EditLayoutObject(QObject* Object);
    void EditProperties();
    TNotifyEvent OnEditLayoutObject;
    std::function<void()> OnEditProperties;
    // Told when an object has joined the plot and its kind's manager: the plot control
    // connects the object's own events to it.
    TNotifyEvent OnObjectInserted;

private:
    // The managers that hear removals, renames and focus changes, in their order.
    std::vector<TiPlotObjectManagerCustom*> NotifiedManagers(bool WithObjectManager) const;
    void Wire(TiPlotObject* Object);
    template <class Manager> Manager* Create();
    void ForEachOwnedObject(const std::function<void(TiPlotObject*)>& Action) const;

    TiPlotHost* plot_;
    bool userCanEditObjects_ = true;
    bool xyAxesReverse_ = false;
    bool shuttingDown_ = false;
    uint64_t changeCount_ = 0;
    TiPlotObjectManager* objectManager_ = nullptr;
    std::array<TiPlotObjectOwnedManager*, PlotObjectKindCount> managers_{};
    TiPlotLayoutManager* layoutManager_ = nullptr;
    TiPlotTranslationManager* translationManager_ = nullptr;
};
