// The strip of push buttons at the edge of a plot: resume or pause tracking, let axis drags
// scroll or zoom, zoom every axis, switch on the zoom box, select mode or the data cursors,
// open the property editor, copy, save and print the plot.
#pragma once

#include "plot/iPlotLayoutObject.h"
#include "plot/iPlotManagers.h"
#include "plot/iPlotToolBarButton.h"
#include "plot/iPlotToolBarImageList.h"

#include <array>
#include <functional>
#include <initializer_list>
#include <vector>

class TiPlotAxis;

class TiPlotToolBar : public TiPlotLayoutObject {
    Q_OBJECT
    Q_PROPERTY(bool ShowResumeButton READ ShowResumeButton WRITE SetShowResumeButton)
    Q_PROPERTY(bool ShowPauseButton READ ShowPauseButton WRITE SetShowPauseButton)
    Q_PROPERTY(bool ShowAxesModeButtons READ ShowAxesModeButtons WRITE SetShowAxesModeButtons)
    Q_PROPERTY(bool ShowZoomInOutButtons READ ShowZoomInOutButtons WRITE SetShowZoomInOutButtons)
    Q_PROPERTY(bool ShowSelectButton READ ShowSelectButton WRITE SetShowSelectButton)
    Q_PROPERTY(bool ShowZoomBoxButton READ ShowZoomBoxButton WRITE SetShowZoomBoxButton)
    Q_PROPERTY(bool ShowCursorButton READ ShowCursorButton WRITE SetShowCursorButton)
    Q_PROPERTY(bool ShowEditButton READ ShowEditButton WRITE SetShowEditButton)
    Q_PROPERTY(bool ShowCopyButton READ ShowCopyButton WRITE SetShowCopyButton)
    Q_PROPERTY(bool ShowSaveButton READ ShowSaveButton WRITE SetShowSaveButton)
    Q_PROPERTY(bool ShowPrintButton READ ShowPrintButton WRITE SetShowPrintButton)
    Q_PROPERTY(double ZoomInOutFactor READ ZoomInOutFactor WRITE SetZoomInOutFactor)
    Q_PROPERTY(bool FlatBorder READ FlatBorder WRITE SetFlatBorder)
    Q_PROPERTY(bool FlatButtons READ FlatButtons WRITE SetFlatButtons)
    Q_PROPERTY(bool SmallButtons READ SmallButtons WRITE SetSmallButtons)

public:
    // The thirteen buttons; the toolbar's list holds them in this order with the spacers.
    enum class TButton {
        Resume,
        Pause,
        ScrollAxesMode,
        ZoomAxesMode,
        ZoomOut,
        ZoomIn,
        Select,
        ZoomBox,
        Cursor,
        Edit,
        Copy,
        Save,
        Print
    };
    static constexpr int ButtonKindCount = 13;
    static constexpr int SmallButtonSize = 22;
    static constexpr int LargeButtonSize = 30;
    static constexpr int SpacerWidth = 10;
    // Between the strip's edge and the buttons.
    static constexpr int ButtonMargin = 3;
    // A larger factor would zoom in to a span of nothing and out beyond every axis range.
    static constexpr double MaxZoomInOutFactor = 1e300;

    TiPlotToolBar(TiPlotHost* Owner, const TiPlotObjectHooks& Hooks);
    ~TiPlotToolBar() override;

    // Each reads and writes the Visible of its buttons.
    bool ShowResumeButton() const { return ButtonVisible(TButton::Resume); }
    void SetShowResumeButton(bool Value) { SetShow(Value, {TButton::Resume}); }
    bool ShowPauseButton() const { return ButtonVisible(TButton::Pause); }
    void SetShowPauseButton(bool Value) { SetShow(Value, {TButton::Pause}); }
    bool ShowAxesModeButtons() const { return ButtonVisible(TButton::ScrollAxesMode); }
    void SetShowAxesModeButtons(bool Value);
    bool ShowZoomInOutButtons() const { return ButtonVisible(TButton::ZoomOut); }
    void SetShowZoomInOutButtons(bool Value);
    bool ShowSelectButton() const { return ButtonVisible(TButton::Select); }
    void SetShowSelectButton(bool Value) { SetShow(Value, {TButton::Select}); }
    bool ShowZoomBoxButton() const { return ButtonVisible(TButton::ZoomBox); }
    void SetShowZoomBoxButton(bool Value) { SetShow(Value, {TButton::ZoomBox}); }
    bool ShowCursorButton() const { return ButtonVisible(TButton::Cursor); }
    void SetShowCursorButton(bool Value) { SetShow(Value, {TButton::Cursor}); }
    bool ShowEditButton() const { return ButtonVisible(TButton::Edit); }
    void SetShowEditButton(bool Value) { SetShow(Value, {TButton::Edit}); }
    bool ShowCopyButton() const { return ButtonVisible(TButton::Copy); }
    void SetShowCopyButton(bool Value) { SetShow(Value, {TButton::Copy}); }
    bool ShowSaveButton() const { return ButtonVisible(TButton::Save); }
    void SetShowSaveButton(bool Value) { SetShow(Value, {TButton::Save}); }
    bool ShowPrintButton() const { return ButtonVisible(TButton::Print); }
    void SetShowPrintButton(bool Value) { SetShow(Value, {TButton::Print}); }
    // Within 1..MaxZoomInOutFactor; NaN is refused.
    double ZoomInOutFactor() const { return zoomInOutFactor_; }
    void SetZoomInOutFactor(double Value);
    bool FlatBorder() const { return flatBorder_; }
    void SetFlatBorder(bool Value);
    bool FlatButtons() const { return flatButtons_; }
    void SetFlatButtons(bool Value);
    // 16 x 16 pictures on 22-pixel buttons instead of 24 x 24 on 30-pixel ones.
    bool SmallButtons() const { return smallButtons_; }
    void SetSmallButtons(bool Value);

    TiPlotToolBarButton* Button(TButton Which) const { return buttons_[size_t(Which)]; }
    // The list of buttons and spacers in their order; index errors raise
    // "List index out of bounds (<index>)".
    int GetButtonCount() const { return int(list_.size()); }
    TiPlotToolBarButton* GetButton(int Index) const;
    const TiPlotToolBarImageList& Images() const { return images_; }

    // What the buttons do when clicked; the program may call them too.
    void DoButtonClickResume();
    void DoButtonClickPause();
    void DoButtonClickScrollAxesMode();
    void DoButtonClickZoomAxesMode();
    void DoButtonClickZoomIn();
    void DoButtonClickZoomOut();
    void DoButtonClickSelect();
    void DoButtonClickZoomBox();
    void DoButtonClickCursor();
    void DoButtonClickEdit();
    void DoButtonClickCopy();
    void DoButtonClickSave();
    void DoButtonClickPrint();

    // The modes the plot, its data view and its cursors read: the down state of the cursor,
    // zoom box and select buttons, and the axis mode (TiPlotAxis::ModeScroll or ModeZoom)
    // of the axes mode buttons.
    bool GetCursorActive() const { return Button(TButton::Cursor)->Down(); }
    bool GetZoomBoxActive() const { return Button(TButton::ZoomBox)->Down(); }
    bool GetSelectActive() const { return Button(TButton::Select)->Down(); }
    int GetAxesMode() const;
    // Releases the cursor button, which hides the data cursors.
    void TurnOffCursor();

    // The spacers shown beside visible buttons, and every visible button's rectangle, laid
    // out from the draw rectangle; painting and hit-testing both read them.
    void CalcButtonRects();
    // Resume is enabled while some axis is paused, pause while some axis tracks.
    void UpdateTrackingButtons();

    int GetRequiredWidth(TCanvas& Canvas) override;
    void Draw(TCanvas& Canvas, TColor BackGroundColor) override;
    // The visible button under the point, else the toolbar.
    TiPlotObject* GetMouseObject(int X, int Y) override;
    void NotificationSetFocus(QObject* Object) override;
    void AddMenuItems(QMenu* PopupMenu) override;

private:
    void RunOutput(void (TiPlotHost::*Output)());
    struct TButtonEntry;
    static const std::vector<TButtonEntry>& ButtonEntries();

    bool ButtonVisible(TButton Which) const { return Button(Which)->Visible(); }
    void SetShow(bool Value, std::initializer_list<TButton> Which);
    int ButtonSize() const;
    void ButtonInvalidate(QObject* Sender);
    // Releases the other buttons of the clicked button's group.
    void ButtonGroupClick(QObject* Sender);
    void CursorDownChange();
    void SelectDownChange();
    void SetAxesMode(TButton Down, TButton Up, int Mode);
    void ZoomAllAxes(double LinearFactor, double LogFactor);
    // The objects of the kinds in manager order; the list may change on the way.
    void ForEachObject(std::initializer_list<TiPlotObjectKind> Kinds,
                       const std::function<void(TiPlotObject*)>& Action);
    void ForEachAxis(const std::function<void(TiPlotAxis&)>& Action);
    void SetAllTracking(bool Enabled);

    double zoomInOutFactor_ = 2;
    bool flatBorder_ = false;
    bool flatButtons_ = false;
    bool smallButtons_ = false;

    TiPlotToolBarImageList images_;
    std::array<TiPlotToolBarButton*, ButtonKindCount> buttons_{};
    std::vector<TiPlotToolBarButton*> list_;
};
