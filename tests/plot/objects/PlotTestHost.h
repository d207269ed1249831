// A stand-in for the plot control: records what the objects report, steps the timers it
// hands out through virtual time, and lets tests run code inside the reports.
#pragma once

#include "plot/iPlotHost.h"
#include "plot/iPlotObjects.h"

#include "platform/Font.h"

#include <QMenu>
#include <QString>
#include <array>
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
    bool GetSelectModeActive() const override { return SelectModeActive; }
    // Each recorded in Events with the object's name and, for limits, the values.
    void DoLimitLine1PositionChange(TiPlotObject* Limit, double OldValue, double NewValue) override;
    void DoLimitLine2PositionChange(TiPlotObject* Limit, double OldValue, double NewValue) override;
    void DoAnnotationCoordinatesChange(TiPlotObject* Annotation) override;
    void DoAnnotationCoordinatesChangeFinished(TiPlotObject* Annotation) override;
    bool ClipAnnotationsToAxes() const override { return ClipAnnotations; }
    TiPlotAnnotationDefaults AnnotationDefaults() const override;
    TSize ImageListImageSize(int ListIndex) const override;
    // Recorded in ImagesDrawn.
    void DrawImageListImage(TCanvas& Canvas, int ListIndex, int ImageIndex, int X, int Y,
                            bool Enabled) override;
    QString TranslateText(const QString& Text) const override;
    TiPlotLayoutFrame LayoutFrame() const override { return Frame; }
    std::unique_ptr<TiPlotTimer> CreateTimer() override;
    // Each recorded in Events by its name; raises OutputFailure when it is not empty.
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
    QString OutputFailure;
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
    bool SelectModeActive = false;
    bool ClipAnnotations = true;
    // Runs inside every limit position or annotation coordinates report.
    std::function<void(TiPlotObject*)> OnPositionChangeAction;
    TFont AnnotationDefaultFont;
    TiPlotAnnotationDefaults Defaults;
    // Image list n holds pictures of this size.
    std::array<TSize, 3> ImageSizes{{{24, 24}, {16, 12}, {32, 8}}};
    struct TImageDrawn {
        int ListIndex, ImageIndex, X, Y;
        bool Enabled;
        friend bool operator==(const TImageDrawn&, const TImageDrawn&) = default;
    };
    std::vector<TImageDrawn> ImagesDrawn;

private:
    void Run(std::function<void(TiPlotObject*)>& action, TiPlotObject* object);
    void ReportPosition(const QString& Event, TiPlotObject* Object);
    void FailOutput() const;

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
