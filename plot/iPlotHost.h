// The face of the plot control that plot objects, their managers and the layout talk to.
// Keeping it this narrow lets the object model live and be tested without the control.
#pragma once

#include "platform/Brush.h"
#include "platform/Geometry.h"
#include "platform/Pen.h"

#include <QString>
#include <functional>
#include <memory>

class QMenu;
class QObject;
class QTimer;
class TiPlotMasterManager;
class TCanvas;
class TFont;
class TiPlotObject;

// A repeating timer whose ticks arrive on the window thread. It may be destroyed from inside
// its own OnTimer.
class TiPlotTimer {
public:
    virtual ~TiPlotTimer() = default;

    virtual int Interval() const = 0;
    virtual void SetInterval(int Milliseconds) = 0;
    virtual bool Enabled() const = 0;
    virtual void SetEnabled(bool Value) = 0;

    std::function<void()> OnTimer;
};

// A window-thread timer of the toolkit.
class TiPlotQtTimer : public TiPlotTimer {
public:
    TiPlotQtTimer();
    ~TiPlotQtTimer() override;

    int Interval() const override;
    void SetInterval(int Milliseconds) override;
    bool Enabled() const override;
    void SetEnabled(bool Value) override;

private:
    std::unique_ptr<QTimer> timer_;
};

// The control's measures that the layout pass reads.
struct TiPlotLayoutFrame {
    int Width = 500;
    int Height = 200;
    // 2 when the control has a border, else 0.
    int BorderMargin = 2;
    int OuterMarginLeft = 5;
    int OuterMarginTop = 5;
    int OuterMarginRight = 5;
    int OuterMarginBottom = 5;

    friend bool operator==(const TiPlotLayoutFrame&, const TiPlotLayoutFrame&) = default;
};

// The plot's settings that every annotation added to it starts with.
struct TiPlotAnnotationDefaults {
    const TFont* Font = nullptr;
    TBrushStyle BrushStyle = bsSolid;
    TColor BrushColor = clWhite;
    TPenStyle PenStyle = psSolid;
    TColor PenColor = clWhite;
    int PenWidth = 1;
};

class TiPlotHost {
public:
    virtual ~TiPlotHost() = default;

    // Null while the master manager itself is being built.
    virtual TiPlotMasterManager* GetMasterManager() = 0;

    // The master manager's notices: an object or manager changed (a change repaint), an
    // object is leaving (forget it as pressed, hovered or last clicked), a repaint now.
    virtual void MasterChange(QObject* Sender) = 0;
    virtual void MasterRemove(QObject* Object) = 0;
    virtual void InvalidateNow() = 0;

    // What objects report; the control turns each into the application's event of the kind.
    virtual void DoObjectClick(TiPlotObject* Object) = 0;
    virtual void DoObjectGotFocus(TiPlotObject* Object) = 0;
    virtual void DoObjectLostFocus(TiPlotObject* Object) = 0;
    virtual void DoPopUpMenuEvent(TiPlotObject* Object, bool& Cancel, int ScreenX, int ScreenY) = 0;

    // Pauses or resumes the tracking of every X axis, then of every Y axis (a zoom box and the
    // toolbar's pause and resume buttons).
    virtual void DisableAllTracking() = 0;
    virtual void EnableAllTracking() = 0;
    // The application's look at a zoom box before the axes apply it: it may change the
    // rectangle (control pixels) or cancel the zoom.
    virtual void DoBeforeZoomBox(TRect& ZoomRect, bool& Cancel) = 0;
    // A data cursor's value, position or status changed; and the application's chance to
    // replace the text of a cursor's hint box.
    virtual void DataCursorChange(TiPlotObject* Cursor) = 0;
    virtual void DoDataCursorCustomizeHint(TiPlotObject* Cursor, QString& Text) = 0;

    // Whether toolbar 0's select button is down (false without toolbar): limits and
    // annotations follow the mouse only then.
    virtual bool GetSelectModeActive() const = 0;
    // A limit's line moved, by the program or a drag.
    virtual void DoLimitLine1PositionChange(TiPlotObject* Limit, double OldValue,
                                            double NewValue) = 0;
    virtual void DoLimitLine2PositionChange(TiPlotObject* Limit, double OldValue,
                                            double NewValue) = 0;
    // An annotation moved or was resized; the drag that did it ended.
    virtual void DoAnnotationCoordinatesChange(TiPlotObject* Annotation) = 0;
    virtual void DoAnnotationCoordinatesChangeFinished(TiPlotObject* Annotation) = 0;
    // Whether annotations in a channel's units keep within that channel's axes.
    virtual bool ClipAnnotationsToAxes() const = 0;
    virtual TiPlotAnnotationDefaults AnnotationDefaults() const = 0;
    // The plot's three image lists (0, 1, 2) that picture annotations show: the size of a
    // list's pictures, and one picture drawn with its top-left at (X, Y), grayed when not
    // Enabled; an index the list does not hold draws nothing.
    virtual TSize ImageListImageSize(int ListIndex) const = 0;
    virtual void DrawImageListImage(TCanvas& Canvas, int ListIndex, int ImageIndex, int X, int Y,
                                    bool Enabled) = 0;

    // The one menu every object fills when right-clicked, and showing it.
    virtual QMenu* PopupMenu() = 0;
    virtual void ShowPopupMenu(int ScreenX, int ScreenY) = 0;

    // The plot's translation of a word shown to the user (the master's translation list).
    virtual QString TranslateText(const QString& Text) const = 0;

    virtual TiPlotLayoutFrame LayoutFrame() const = 0;
    virtual std::unique_ptr<TiPlotTimer> CreateTimer() = 0;

    // The picture of the plot that the toolbar's copy, save and print buttons ask for: to the
    // clipboard in the plot's clipboard format, to an image file the user chooses, to the
    // printer. A host that has no such output does nothing.
    virtual void CopyToClipBoard() {}
    virtual void Save() {}
    virtual void PrintChart() {}
};
