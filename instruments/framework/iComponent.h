// The painting pipeline every instrument shares: off-screen frames over a cached background,
// change batching, frame-rate-limited repaint and the routing of Qt input to the i* operations.
#pragma once

#include "instruments/framework/iControlEvents.h"
#include "instruments/framework/iTypes.h"
#include "platform/Bitmap.h"
#include "platform/Canvas.h"
#include "platform/Clock.h"
#include "platform/Colors.h"
#include "platform/Font.h"
#include "platform/Geometry.h"
#include "platform/StringList.h"

#include <QMenu>
#include <QPointer>
#include <QTimer>
#include <QVariant>
#include <QWidget>
#include <cstdint>
#include <functional>
#include <memory>

using TiPaintEvent = std::function<void(QObject* Sender, TCanvas* Canvas)>;
using TChangePropertyEvent = std::function<void(QObject* Sender, const QString& PropName)>;
using TRequestEditEvent =
    std::function<void(QObject* Sender, const QString& PropName, bool& CanEdit)>;
using TGetDesigningEvent = std::function<void(QObject* Sender, bool& Designing)>;

class TiComponent : public QWidget {
    Q_OBJECT
    Q_PROPERTY(bool Visible READ Visible WRITE SetVisible)
    Q_PROPERTY(bool Enabled READ Enabled WRITE SetEnabled)
    Q_PROPERTY(bool ShowHint READ ShowHint WRITE SetShowHint)
    Q_PROPERTY(QMenu* PopupMenu READ PopupMenu WRITE SetPopupMenu STORED false)
    Q_PROPERTY(
        bool OptionSaveAllProperties READ OptionSaveAllProperties WRITE SetOptionSaveAllProperties)
    Q_PROPERTY(bool AutoFrameRate READ AutoFrameRate WRITE SetAutoFrameRate)
    Q_PROPERTY(int UpdateFrameRate READ UpdateFrameRate WRITE SetUpdateFrameRate)

public:
    explicit TiComponent(QWidget* parent = nullptr);
    ~TiComponent() override;

    // The control's own setting: a control not yet shown with its window is still visible,
    // so a fresh one stores no Visible.
    bool Visible() const {
        return !(testAttribute(Qt::WA_WState_ExplicitShowHide) &&
                 testAttribute(Qt::WA_WState_Hidden));
    }
    void SetVisible(bool value) { setVisible(value); }
    // The control's own setting, not the one it inherits from a disabled parent.
    bool Enabled() const { return !testAttribute(Qt::WA_ForceDisabled); }
    void SetEnabled(bool value) { setEnabled(value); }
    bool ShowHint() const { return showHint_; }
    void SetShowHint(bool value) { showHint_ = value; }
    QMenu* PopupMenu() const { return popupMenu_; }
    void SetPopupMenu(QMenu* value) { popupMenu_ = value; }
    bool OptionSaveAllProperties() const { return optionSaveAllProperties_; }
    void SetOptionSaveAllProperties(bool value) { optionSaveAllProperties_ = value; }
    bool AutoFrameRate() const { return autoFrameRate_; }
    void SetAutoFrameRate(bool value);
    int UpdateFrameRate() const { return updateFrameRate_; }
    void SetUpdateFrameRate(int value);

    // Accessors that instruments republish as they need.
    TColor BackGroundColor() const { return backGroundColor_; }
    virtual void SetBackGroundColor(TColor value);
    TiBevelStyle BorderStyle() const { return borderStyle_; }
    virtual void SetBorderStyle(TiBevelStyle value);
    bool ShowFocusRect() const { return showFocusRect_; }
    void SetShowFocusRect(bool value);
    bool CachedDrawing() const { return cachedDrawing_; }
    virtual void SetCachedDrawing(bool value);
    TBitmap* BackGroundPicture() const { return backGroundPicture_.get(); }
    void SetBackGroundPicture(const TBitmap* value);
    int OffsetX() const { return offsetX_; }
    void SetOffsetX(int value);
    int OffsetY() const { return offsetY_; }
    void SetOffsetY(int value);
    bool ErrorActive() const { return errorActive_; }
    void SetErrorActive(bool value);
    QString ErrorText() const { return errorText_; }
    void SetErrorText(const QString& value);
    TColor ErrorBackGroundColor() const { return errorBackGroundColor_; }
    void SetErrorBackGroundColor(TColor value);
    TFont* ErrorFont() const { return errorFont_.get(); }
    void SetErrorFont(const TFont* value);
    // The position among the parent's tab stops, in focus-chain order.
    int TabOrder() const;
    void SetTabOrder(int value);
    bool TabStop() const { return focusPolicy() != Qt::NoFocus; }
    void SetTabStop(bool value) { setFocusPolicy(value ? Qt::TabFocus : Qt::NoFocus); }

    bool UserInputActive() const { return userInputActive_; }
    bool BackGroundChanged() const { return backGroundChanged_; }
    TDateTime LastRepaintTime() const { return lastRepaintTime_; }

    // Repaint requests; see the frame-rate notes beside DoFrameRate.
    void InvalidateChange();
    void BackGroundChange();
    void InvalidateNow();
    void DoRepaintType(TiRepaintType kind);
    virtual void RepaintAll();
    // Batches do not nest: the first EndUpdate ends the batch.
    virtual void BeginUpdate();
    virtual void EndUpdate();
    // The same three as handlers for the change notifications of owned fonts, pens, pictures.
    void BackGroundChangeEvent(QObject* Sender);
    void InvalidateChangeEvent(QObject* Sender);
    void InvalidateNowEvent(QObject* Sender);

    bool GetLoading() const { return loading_; }
    void SetLoading(bool value) { loading_ = value; }
    // Told once a form description has been applied with every control loading.
    virtual void Loaded() {}
    bool GetIsDesigning();
    void DoIsDesigning(QObject* Sender, bool& Designing);

    virtual TPoint GetCenterPoint(TCanvas& Canvas);
    // The same centre without a canvas, for hit-testing between paints.
    TPoint CenterPoint() const { return {width() / 2 + offsetX_, height() / 2 + offsetY_}; }
    TPointDouble GetCenterPointDouble(TCanvas& Canvas) const;
    static TPoint GetXYRadPoint(double Degrees, double Radius, TPoint Center);
    int GetBorderMargin() const { return borderStyle_ == ibsNone ? 0 : 2; }

    virtual bool GetTimerRunning() const = 0;
    virtual void TimerStart(uint32_t InitialDelay, uint32_t Interval) = 0;
    virtual void TimerStop() = 0;
    virtual void Lock() = 0;
    virtual void Unlock() = 0;

    // Data-access hooks; the live-data binding overrides them.
    virtual void PropertyVarType(const QString& PropName, int& VarType);
    virtual bool OPCOutputData(const QString& PropName, const QVariant& Value);

    TiPaintEvent OnAfterPaint;
    TChangePropertyEvent OnChangeProperty;
    TRequestEditEvent OnRequestEdit;
    TGetDesigningEvent OnGetDesigning;
    TNotifyEvent OnClick;
    TNotifyEvent OnDblClick;
    TDragDropEvent OnDragDrop;
    TDragOverEvent OnDragOver;
    TStartDragEvent OnStartDrag;
    TEndDragEvent OnEndDrag;
    TMouseEvent OnMouseDown;
    TMouseMoveEvent OnMouseMove;
    TMouseEvent OnMouseUp;
    TKeyEvent OnKeyDown;
    TKeyPressEvent OnKeyPress;
    TKeyEvent OnKeyUp;
    TNotifyEvent OnEnter;
    TNotifyEvent OnExit;

    // The property file of the control: "File Type = " and the class name, then a line per
    // saved property. Failures raise "Error Saving Properties - " or "Error Loading
    // Properties - " and the message; a load that fails changes nothing.
    virtual void SavePropertiesToFile(const QString& FileName);
    virtual void LoadPropertiesFromFile(const QString& FileName);
    // The control as it paints, Width x Height, saved as a BMP file whatever the file name.
    void SaveImageToBitmap(const QString& FileName);

    // Starts dragging the control: OnStartDrag may name the dragged object, OnEndDrag hears
    // where it was dropped (no target when the drag was cancelled).
    void BeginDrag();

protected:
    virtual void iPaintTo(TCanvas& Canvas) = 0;
    virtual void DrawBackGround(TCanvas& Canvas, TColor Color);
    virtual void DrawBorder(TCanvas& Canvas);
    TBitmap* GetBackGroundBitmap();
    void CreateBackGroundBitmap();
    void TransferBackGround(TCanvas& Canvas);
    // The part of a control that changes only with its properties: drawn into the cached
    // background when that is stale and copied from it, or drawn straight on Canvas when
    // caching is off.
    void PaintStaticLayer(TCanvas& Canvas, const std::function<void(TCanvas&)>& DrawStatic);
    void ShowBackGround();
    void ResetBackGroundChange() { backGroundChanged_ = false; }
    // Stale for the next paint, without asking for one.
    void MarkBackGroundChanged() { backGroundChanged_ = true; }
    void CreateBackGroundPicture();
    bool HasFocus() const { return focused_; }
    // The dotted frame around the whole control, while it has the focus and ShowFocusRect is on.
    void DrawFocusFrame(TCanvas& Canvas);
    // Sizes the cached background to the control, creating it when absent.
    void ResizeBackGroundBitmap();
    // Sizes a bitmap to the control at the screen's pixel density, creating it when absent
    // and dropping it when the control is too large for one.
    void FitControlBitmap(std::unique_ptr<TBitmap>& Bitmap) const;
    // A bitmap of the control's size at the screen's pixel density.
    std::unique_ptr<TBitmap> MakeControlBitmap() const;
    // The screen's pixel density, read again only after the control changed screen or window:
    // asking the toolkit looks the screen up anew each time, which allocates on every paint.
    qreal ScreenPixelRatio() const;

    // A change of the field stores the value and reports it with the kind given; an equal
    // value (strings compared case-sensitively) changes and repaints nothing.
    void SetBooleanProperty(bool Value, bool& Field, TiRepaintType Kind);
    void SetIntegerProperty(int Value, int& Field, TiRepaintType Kind);
    void SetDoubleProperty(double Value, double& Field, TiRepaintType Kind);
    void SetStringProperty(const QString& Value, QString& Field, TiRepaintType Kind);
    void SetWideStringProperty(const QString& Value, QString& Field, TiRepaintType Kind);
    void SetColorProperty(TColor Value, TColor& Field, TiRepaintType Kind);

    // Whether a change of the property may go ahead: OnRequestEdit may veto it; unassigned,
    // every change is allowed.
    bool RequestEdit(const QString& PropName);
    // Tells OnChangeProperty, the live-data binding's hook, that the property changed.
    void NotifyPropertyChange(const QString& PropName);

    // The one place a repaint is requested from the window system.
    virtual void DoRepaint();

    virtual void iDoSetFocus();
    virtual void iDoKillFocus();
    virtual void iWantSpecialKey(uint16_t& Key, bool& Result);
    virtual void iKeyUp(uint16_t& Key, TShiftState Shift);
    virtual void iKeyDown(uint16_t& Key, TShiftState Shift);
    virtual void iKeyPress(QChar& Key);
    virtual void iMouseDown(TMouseButton Button, TShiftState Shift, int X, int Y);
    virtual void iMouseUp(TMouseButton Button, TShiftState Shift, int X, int Y);
    virtual void iMouseMove(TShiftState Shift, int X, int Y);
    virtual void iDoubleClick();
    virtual bool iMouseWheel(int WheelDelta, TShiftState Shift, TPoint MousePos);
    // The toolkit's wheel operation: whether the wheel was handled.
    virtual bool DoMouseWheel(TShiftState Shift, int WheelDelta, TPoint MousePos);

    // Painting without the cached background, for canvases that keep vectors.
    void PaintUncached(TCanvas& Canvas);
    // Whether the paint under way is an export's (a bitmap, a picture, a print) rather than the
    // control's own frame: a control may keep what it computed for the screen apart.
    bool PaintingExport() const { return exportPaints_ > 0; }
    // Marks the paints as an export's for as long as it lives.
    class TExportPaint {
    public:
        explicit TExportPaint(TiComponent& Control) : control_(Control) {
            ++control_.exportPaints_;
        }
        ~TExportPaint() { --control_.exportPaints_; }
        TExportPaint(const TExportPaint&) = delete;
        TExportPaint& operator=(const TExportPaint&) = delete;

    private:
        TiComponent& control_;
    };
    // Values a property file holds besides the published properties: written after them,
    // and taken out of the lines before the properties are read.
    virtual void WriteExtraProperties(TStringList& Lines);
    virtual void ReadExtraProperties(TStringList& Lines);
    // What SavePropertiesToFile leaves out: "Name", and the form's settings of the control
    // unless OptionSaveAllProperties is on.
    TStringList PropertyFileExclusions() const;
    // The control painted into a new bitmap of Width x Height pixels, for the image exports.
    std::unique_ptr<TBitmap> PaintToBitmap();
    // The paint a screen gets: the control paints into its kept frame, which is then copied
    // to the screen in one operation.
    void PaintBuffered(TCanvas& screen);

    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void changeEvent(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dragLeaveEvent(QDragLeaveEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    template <typename T> void SetProperty(const T& value, T& field, TiRepaintType kind);
    void DoFrameRate();
    void DeferredRepaint();
    // A screen of another pixel density makes the cached background stale.
    void MatchBackGroundToScreen();
    bool WantsKey(uint16_t key);
    // Each answers whether the handlers consumed the key (set it to 0).
    bool RouteKeyDown(uint16_t key, TShiftState shift);
    bool RouteKeyPress(QChar key);
    void RouteMouseDown(TMouseButton button, TShiftState shift, QPoint at);
    bool RouteDragOver(QDropEvent* event, TDragState state);

    // Every user message of the routing table runs inside one of these.
    class TiUserInput {
    public:
        explicit TiUserInput(TiComponent& component);
        ~TiUserInput();
        TiUserInput(const TiUserInput&) = delete;
        TiUserInput& operator=(const TiUserInput&) = delete;

    private:
        TiComponent& component_;
    };

    bool updating_ = false;
    int updateFrameRate_ = 60;
    TDateTime lastRepaintTime_;
    bool invalidatePending_ = false;
    bool backGroundPending_ = false;
    std::unique_ptr<TBitmap> backGroundBitmap_;
    std::unique_ptr<TBitmap> frameBitmap_;
    std::unique_ptr<TBitmap> backGroundPicture_;
    // 0 until read.
    mutable qreal screenPixelRatio_ = 0;
    TColor backGroundColor_ = clBtnFace;
    bool backGroundChanged_ = true;
    TiBevelStyle borderStyle_ = ibsNone;
    bool showFocusRect_ = true;
    int offsetY_ = 0;
    int offsetX_ = 0;
    bool focused_ = false;
    bool autoFrameRate_ = false;
    bool loading_ = false;
    bool cachedDrawing_ = true;
    int exportPaints_ = 0;
    bool optionSaveAllProperties_ = false;
    bool userInputActive_ = false;
    bool errorActive_ = false;
    QString errorText_ = QStringLiteral("Error");
    TColor errorBackGroundColor_ = clBlack;
    std::unique_ptr<TFont> errorFont_;
    bool showHint_ = false;
    QPointer<QMenu> popupMenu_;
    // A left press inside the control that a release may turn into a click.
    bool clicked_ = false;
    bool showingBackGround_ = false;
    QPointer<QObject> dragSource_;
    // Holds the one repaint a rate-limited change is owed, due when the interval ends.
    QTimer deferredRepaint_;
};

// Holds a component's lock for as long as it lives, whatever way the scope is left.
class TiComponentLock {
public:
    explicit TiComponentLock(TiComponent& component) : component_(component) { component_.Lock(); }
    ~TiComponentLock() { component_.Unlock(); }
    TiComponentLock(const TiComponentLock&) = delete;
    TiComponentLock& operator=(const TiComponentLock&) = delete;

private:
    TiComponent& component_;
};

// An update batch that ends however the work inside it ends.
class TiUpdateBatch {
public:
    explicit TiUpdateBatch(TiComponent& Component) : component_(Component) {
        component_.BeginUpdate();
    }
    ~TiUpdateBatch() { component_.EndUpdate(); }
    TiUpdateBatch(const TiUpdateBatch&) = delete;
    TiUpdateBatch& operator=(const TiUpdateBatch&) = delete;

private:
    TiComponent& component_;
};
