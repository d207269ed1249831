// A stand-in for the plot control: records what the objects report, steps the timers it
// hands out through virtual time, and lets tests run code inside the reports.
#pragma once

#include "plot/iPlotHost.h"
#include "plot/iPlotObjects.h"

#include <QMenu>
#include <QString>
#include <functional>
#include <memory>
#include <vector>

class TestPlotTimer : public TiPlotTimer {
public:
    explicit TestPlotTimer(std::vector<TestPlotTimer*>& registry);
    ~TestPlotTimer() override;

    int Interval() const override { return interval_; }
    void SetInterval(int Milliseconds) override;
    bool Enabled() const override { return enabled_; }
    void SetEnabled(bool Value) override;

    int DueAt() const { return dueAt_; }
    int Now() const;
    void Fire();

private:
    std::vector<TestPlotTimer*>& registry_;
    int interval_ = 1000;
    bool enabled_ = false;
    int dueAt_ = 0;
};

class TestPlotHost : public TiPlotHost {
public:
    TestPlotHost();
    ~TestPlotHost() override;

    TiPlotMasterManager* GetMasterManager() override { return master_; }
    void MasterChange(QObject* Sender) override;
    void MasterRemove(QObject* Object) override;
    void InvalidateNow() override;
    void DoObjectClick(TiPlotObject* Object) override;
    void DoObjectGotFocus(TiPlotObject* Object) override;
    void DoObjectLostFocus(TiPlotObject* Object) override;
    void DoPopUpMenuEvent(TiPlotObject* Object, bool& Cancel, int ScreenX, int ScreenY) override;
    QMenu* PopupMenu() override { return &menu_; }
    void ShowPopupMenu(int ScreenX, int ScreenY) override;
    void DisableAllTracking() override;
    void EnableAllTracking() override;
    void DoBeforeZoomBox(TRect& ZoomRect, bool& Cancel) override;
    void DataCursorChange(TiPlotObject* Cursor) override;
    void DoDataCursorCustomizeHint(TiPlotObject* Cursor, QString& Text) override;
    QString TranslateText(const QString& Text) const override;
    TiPlotLayoutFrame LayoutFrame() const override { return Frame; }
    std::unique_ptr<TiPlotTimer> CreateTimer() override;
    // Each recorded in Events by its name.
    void CopyToClipBoard() override;
    void Save() override;
    void PrintChart() override;

    void SetMasterManager(TiPlotMasterManager* master) { master_ = master; }
    // Fires every enabled timer whose time comes within the next ms milliseconds, in order.
    void AdvanceMilliseconds(int ms);
    int NowMilliseconds() const { return now_; }

    TiPlotLayoutFrame Frame;
    int Changes = 0;
    int ImmediateRepaints = 0;
    std::vector<QObject*> Removed;
    std::vector<QString> Events;
    bool CancelPopup = false;
    int PopupsShown = 0;
    // Runs inside the named report, once, then is cleared.
    std::function<void(TiPlotObject*)> OnClickAction;
    std::function<void(TiPlotObject*)> OnGotFocusAction;
    std::function<void(TiPlotObject*)> OnPopupAction;
    std::function<void()> OnInvalidateNowAction;
    // Zoom boxes as the plot was asked about them, and what the application answers.
    std::vector<TRect> ZoomBoxes;
    std::function<void(TRect& ZoomRect, bool& Cancel)> OnBeforeZoomBox;
    int DisableAllTrackingCalls = 0;
    int DataCursorChanges = 0;
    std::function<void(TiPlotObject*)> OnDataCursorChangeAction;
    std::function<void(TiPlotObject* Cursor, QString& Text)> OnDataCursorCustomizeHint;

private:
    void Run(std::function<void(TiPlotObject*)>& action, TiPlotObject* object);

    TiPlotMasterManager* master_ = nullptr;
    QMenu menu_;
    std::vector<TestPlotTimer*> timers_;
    int now_ = 0;

    friend class TestPlotTimer;
};

// The hooks a test object gets when no master manager is around: each counts its calls.
struct CountingHooks {
    int Changes = 0;
    int Inserts = 0;
    int Removes = 0;
    int Renames = 0;

    TiPlotObjectHooks Hooks();
};
