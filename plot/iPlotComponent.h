// The plot control: a component that owns one master manager and through it every plot
// object, lays them out around the data view, paints them in layers and reports their events.
#pragma once

#include "instruments/framework/iCustomComponent.h"
#include "platform/Brush.h"
#include "platform/Font.h"
#include "platform/Pen.h"
#include "plot/iPlotDescription.h"
#include "plot/iPlotEventRouter.h"
#include "plot/iPlotFrame.h"
#include "plot/iPlotHintBox.h"
#include "plot/iPlotHost.h"
#include "plot/iPlotInputRouter.h"
#include "plot/iPlotManagers.h"
#include "plot/iPlotMasterManager.h"

#include <QMap>
#include <QMenu>
#include <QPair>
#include <QPointer>
#include <QStringList>
#include <functional>
#include <memory>
#include <optional>
#include <utility>
#include <vector>

class TiPlotAnnotation;
class TiPlotAxis;
class TiPlotChannelCustom;
class TiPlotDataArray;
class TiPlotDataCursor;
class TiPlotData;
class TiPlotDataView;
class TiPlotImageLists;
class TiPlotLabel;
class TiPlotLayoutManager;
class TiPlotLegend;
class TiPlotLimit;
class TiPlotOutput;
class TiPlotTable;
class TiPlotToolBar;
class TMetafile;

using TiPlotObjectDoubleValueChangeEvent =
    std::function<void(int Index, double OldValue, double NewValue)>;
using TiPlotAxesMinSpanChangeEvent =
    std::function<void(int Index, double OldMin, double OldSpan, double NewMin, double NewSpan)>;
using TiPlotAxesCustomizeLabelEvent = std::function<void(int Index, double Value, QString& ALabel)>;
using TiPlotClickDataPointEvent = std::function<void(int ChannelIndex, int DataIndex)>;
using TiPlotZoomBoxEvent = std::function<void(TRect& ZoomRect, bool& Cancel)>;
using TiPlotObjectCustomizeTextEvent = std::function<void(int Index, QString& AText)>;

// The platform's invalid-cast error: "Invalid class typecast".
[[noreturn]] void ThrowInvalidCast();

class TiPlotComponent : public TiCustomComponent, public TiPlotHost {
    Q_OBJECT
    Q_PROPERTY(int Width READ Width WRITE SetWidth)
    Q_PROPERTY(int Height READ Height WRITE SetHeight)
    Q_PROPERTY(TColor BackGroundColor READ BackGroundColor WRITE SetBackGroundColor)
    Q_PROPERTY(iTypes::TiBevelStyle BorderStyle READ BorderStyle WRITE SetBorderStyle)
    Q_PROPERTY(int OuterMarginLeft READ OuterMarginLeft WRITE SetOuterMarginLeft)
    Q_PROPERTY(int OuterMarginTop READ OuterMarginTop WRITE SetOuterMarginTop)
    Q_PROPERTY(int OuterMarginRight READ OuterMarginRight WRITE SetOuterMarginRight)
    Q_PROPERTY(int OuterMarginBottom READ OuterMarginBottom WRITE SetOuterMarginBottom)
    Q_PROPERTY(bool BackGroundGradientEnabled READ BackGroundGradientEnabled WRITE
                   SetBackGroundGradientEnabled)
    Q_PROPERTY(iTypes::TiFillDirection BackGroundGradientDirection READ BackGroundGradientDirection
                   WRITE SetBackGroundGradientDirection)
    Q_PROPERTY(TColor BackGroundGradientStartColor READ BackGroundGradientStartColor WRITE
                   SetBackGroundGradientStartColor)
    Q_PROPERTY(TColor BackGroundGradientStopColor READ BackGroundGradientStopColor WRITE
                   SetBackGroundGradientStopColor)
    Q_PROPERTY(QString TitleText READ TitleText WRITE SetTitleText)
    Q_PROPERTY(bool TitleVisible READ TitleVisible WRITE SetTitleVisible)
    Q_PROPERTY(TFont* TitleFont READ TitleFont WRITE SetTitleFont)
    Q_PROPERTY(double TitleMargin READ TitleMargin WRITE SetTitleMargin)
    Q_PROPERTY(bool XYAxesReverse READ XYAxesReverse WRITE SetXYAxesReverse)
    Q_PROPERTY(bool UserCanEditObjects READ UserCanEditObjects WRITE SetUserCanEditObjects)
    Q_PROPERTY(bool UserCanAddRemoveChannels READ UserCanAddRemoveChannels WRITE
                   SetUserCanAddRemoveChannels)
    Q_PROPERTY(int DataViewZHorz READ DataViewZHorz WRITE SetDataViewZHorz)
    Q_PROPERTY(int DataViewZVert READ DataViewZVert WRITE SetDataViewZVert)
    Q_PROPERTY(bool HintsShow READ HintsShow WRITE SetHintsShow)
    Q_PROPERTY(int HintsPause READ HintsPause WRITE SetHintsPause)
    Q_PROPERTY(int HintsHidePause READ HintsHidePause WRITE SetHintsHidePause)
    Q_PROPERTY(TFont* HintsFont READ HintsFont WRITE SetHintsFont)
    Q_PROPERTY(bool ClipAnnotationsToAxes READ ClipAnnotationsToAxes WRITE SetClipAnnotationsToAxes)
    Q_PROPERTY(
        TFont* AnnotationDefaultFont READ AnnotationDefaultFont WRITE SetAnnotationDefaultFont)
    Q_PROPERTY(TBrush::TBrushStyle AnnotationDefaultBrushStlye READ AnnotationDefaultBrushStlye
                   WRITE SetAnnotationDefaultBrushStlye)
    Q_PROPERTY(TColor AnnotationDefaultBrushColor READ AnnotationDefaultBrushColor WRITE
                   SetAnnotationDefaultBrushColor)
    Q_PROPERTY(TPen::TPenStyle AnnotationDefaultPenStlye READ AnnotationDefaultPenStlye WRITE
                   SetAnnotationDefaultPenStlye)
    Q_PROPERTY(TColor AnnotationDefaultPenColor READ AnnotationDefaultPenColor WRITE
                   SetAnnotationDefaultPenColor)
    Q_PROPERTY(int AnnotationDefaultPenWidth READ AnnotationDefaultPenWidth WRITE
                   SetAnnotationDefaultPenWidth)
    Q_PROPERTY(TiPlotFormStyle EditorFormStyle READ EditorFormStyle WRITE SetEditorFormStyle)
    Q_PROPERTY(TiPlotExportFormat CopyToClipBoardFormat READ CopyToClipBoardFormat WRITE
                   SetCopyToClipBoardFormat)
    Q_PROPERTY(TPrinterOrientation PrintOrientation READ PrintOrientation WRITE SetPrintOrientation)
    Q_PROPERTY(double PrintMarginLeft READ PrintMarginLeft WRITE SetPrintMarginLeft)
    Q_PROPERTY(double PrintMarginTop READ PrintMarginTop WRITE SetPrintMarginTop)
    Q_PROPERTY(double PrintMarginRight READ PrintMarginRight WRITE SetPrintMarginRight)
    Q_PROPERTY(double PrintMarginBottom READ PrintMarginBottom WRITE SetPrintMarginBottom)
    Q_PROPERTY(bool PrintShowDialog READ PrintShowDialog WRITE SetPrintShowDialog)
    Q_PROPERTY(QString PrintDocumentName READ PrintDocumentName WRITE SetPrintDocumentName)
    Q_PROPERTY(QString PrinterName READ PrinterName WRITE SetPrinterName)
    Q_PROPERTY(QString LogFileName READ LogFileName WRITE SetLogFileName)
    Q_PROPERTY(int LogBufferSize READ LogBufferSize WRITE SetLogBufferSize)
    Q_PROPERTY(bool LoggingActive READ LoggingActive)
    Q_PROPERTY(bool TabStop READ TabStop WRITE SetTabStop)

public:
    enum TiPlotFormStyle { ipfsModal, ipfsStayOnTop };
    Q_ENUM(TiPlotFormStyle)
    enum TiPlotExportFormat { ipefMetaFile, ipefBitmap, ipefJPEG };
    Q_ENUM(TiPlotExportFormat)
    // The printer's orientation as the plot stores it.
    enum TPrinterOrientation { poPortrait, poLandscape };
    Q_ENUM(TPrinterOrientation)

    // Margins and the print margins beyond these only overflow the layout arithmetic.
    static constexpr int MaxOuterMargin = 32000;
    static constexpr double MaxPrintMargin = 1000;
    static constexpr int MaxHintsPause = 3600000;

    explicit TiPlotComponent(QWidget* parent = nullptr);
    ~TiPlotComponent() override;

    int Width() const { return width(); }
    void SetWidth(int Value) { resize(Value, height()); }
    int Height() const { return height(); }
    void SetHeight(int Value) { resize(width(), Value); }
    // Each within 0..MaxOuterMargin.
    int OuterMarginLeft() const { return outerMarginLeft_; }
    void SetOuterMarginLeft(int Value);
    int OuterMarginTop() const { return outerMarginTop_; }
    void SetOuterMarginTop(int Value);
    int OuterMarginRight() const { return outerMarginRight_; }
    void SetOuterMarginRight(int Value);
    int OuterMarginBottom() const { return outerMarginBottom_; }
    void SetOuterMarginBottom(int Value);
    bool BackGroundGradientEnabled() const { return backGroundGradientEnabled_; }
    void SetBackGroundGradientEnabled(bool Value);
    TiFillDirection BackGroundGradientDirection() const { return backGroundGradientDirection_; }
    void SetBackGroundGradientDirection(TiFillDirection Value);
    TColor BackGroundGradientStartColor() const { return backGroundGradientStartColor_; }
    void SetBackGroundGradientStartColor(TColor Value);
    TColor BackGroundGradientStopColor() const { return backGroundGradientStopColor_; }
    void SetBackGroundGradientStopColor(TColor Value);
    // The title is label 0: without labels the setters do nothing and the getters answer
    // "", false, the control's own font and 0.
    QString TitleText() const;
    void SetTitleText(const QString& Value);
    bool TitleVisible() const;
    void SetTitleVisible(bool Value);
    TFont* TitleFont() const;
    void SetTitleFont(const TFont* Value);
    double TitleMargin() const;
    void SetTitleMargin(double Value);
    bool XYAxesReverse() const;
    void SetXYAxesReverse(bool Value);
    bool UserCanEditObjects() const;
    void SetUserCanEditObjects(bool Value);
    bool UserCanAddRemoveChannels() const { return userCanAddRemoveChannels_; }
    void SetUserCanAddRemoveChannels(bool Value) { userCanAddRemoveChannels_ = Value; }
    int DataViewZHorz() const;
    void SetDataViewZHorz(int Value);
    int DataViewZVert() const;
    void SetDataViewZVert(int Value);
    bool HintsShow() const { return hintsShow_; }
    void SetHintsShow(bool Value) { hintsShow_ = Value; }
    // Within 0..MaxHintsPause milliseconds.
    int HintsPause() const { return hintsPause_; }
    void SetHintsPause(int Value);
    int HintsHidePause() const { return hintsHidePause_; }
    void SetHintsHidePause(int Value);
    TFont* HintsFont() const { return hintsFont_.get(); }
    // Copies the font.
    void SetHintsFont(const TFont* Value);
    bool ClipAnnotationsToAxes() const override { return clipAnnotationsToAxes_; }
    void SetClipAnnotationsToAxes(bool Value);
    TFont* AnnotationDefaultFont() const { return annotationDefaultFont_.get(); }
    // Copies the font.
    void SetAnnotationDefaultFont(const TFont* Value);
    TBrushStyle AnnotationDefaultBrushStlye() const { return annotationDefaultBrushStlye_; }
    void SetAnnotationDefaultBrushStlye(TBrushStyle Value);
    TColor AnnotationDefaultBrushColor() const { return annotationDefaultBrushColor_; }
    void SetAnnotationDefaultBrushColor(TColor Value) { annotationDefaultBrushColor_ = Value; }
    TPenStyle AnnotationDefaultPenStlye() const { return annotationDefaultPenStlye_; }
    void SetAnnotationDefaultPenStlye(TPenStyle Value);
    TColor AnnotationDefaultPenColor() const { return annotationDefaultPenColor_; }
    void SetAnnotationDefaultPenColor(TColor Value) { annotationDefaultPenColor_ = Value; }
    int AnnotationDefaultPenWidth() const { return annotationDefaultPenWidth_; }
    // Within 0..100, as the channels' pens.
    void SetAnnotationDefaultPenWidth(int Value);
    TiPlotFormStyle EditorFormStyle() const { return editorFormStyle_; }
    void SetEditorFormStyle(TiPlotFormStyle Value);
    TiPlotExportFormat CopyToClipBoardFormat() const { return copyToClipBoardFormat_; }
    void SetCopyToClipBoardFormat(TiPlotExportFormat Value);
    TPrinterOrientation PrintOrientation() const { return printOrientation_; }
    void SetPrintOrientation(TPrinterOrientation Value);
    // Each within 0..MaxPrintMargin inches; NaN is refused.
    double PrintMarginLeft() const { return printMarginLeft_; }
    void SetPrintMarginLeft(double Value);
    double PrintMarginTop() const { return printMarginTop_; }
    void SetPrintMarginTop(double Value);
    double PrintMarginRight() const { return printMarginRight_; }
    void SetPrintMarginRight(double Value);
    double PrintMarginBottom() const { return printMarginBottom_; }
    void SetPrintMarginBottom(double Value);
    bool PrintShowDialog() const { return printShowDialog_; }
    void SetPrintShowDialog(bool Value) { printShowDialog_ = Value; }
    QString PrintDocumentName() const { return printDocumentName_; }
    void SetPrintDocumentName(const QString& Value) { printDocumentName_ = Value; }
    QString PrinterName() const { return printerName_; }
    void SetPrinterName(const QString& Value) { printerName_ = Value; }

    // Data files, logging and data arrays.
    QString LogFileName() const;
    // "Log File Name can not be changed while logging is active." for another name then.
    void SetLogFileName(const QString& Value);
    int LogBufferSize() const;
    // A negative size is 0.
    void SetLogBufferSize(int Value);
    bool LoggingActive() const;
    // The column-pair file of every channel; errors become "Error Saving Data - " + message.
    void SaveDataToFile(const QString& FileName);
    // A data file or a plot log, read whole before any channel changes, so a failing load
    // ("Error Loading Data - " + message) changes nothing; the points are appended as AddXY
    // appends, in one update.
    void LoadDataFromFile(const QString& FileName);
    // "Log File Name not Defined", "Logging Already Active"; with Append the file must exist,
    // else it is made with the header ("Error Saving Data - " + message when it cannot be).
    void LogActivate(bool Append);
    // "Logging not Active"; writes the pending rows.
    void LogDeactivate();
    // Appends the rows of the pending samples still held, each once.
    void WriteLog();
    // See AddDataArrayToChannels. A log due for writing is written; when it cannot be, its
    // rows stay pending for the next write instead of failing an add that has happened.
    void AddDataArray(double X, const TiPlotDataArray& Data);
    // Ends logging, writing the pending rows, and clears every channel; a write error is
    // raised once the channels are clear.
    void ClearAllData();

    // The objects of every kind (index errors raise "List index out of bounds (<index>)").
    // Add answers the new object's index.
    virtual int AddChannel();
    virtual int AddDataView();
    virtual int AddDataCursor();
    virtual int AddXAxis();
    virtual int AddYAxis();
    virtual int AddLegend();
    virtual int AddTable();
    virtual int AddToolBar();
    virtual int AddAnnotation();
    virtual int AddLimit();
    virtual int AddLabel();
    int AddTranslation(const QString& Original, const QString& Replacement);
    virtual void DeleteToolBar(int Index);
    virtual void DeleteLegend(int Index);
    virtual void DeleteTable(int Index);
    virtual void DeleteXAxis(int Index);
    virtual void DeleteYAxis(int Index);
    virtual void DeleteDataView(int Index);
    virtual void DeleteDataCursor(int Index);
    virtual void DeleteChannel(int Index);
    virtual void DeleteAnnotation(int Index);
    virtual void DeleteLimit(int Index);
    // Label 0 is the title: "Label Index 0 can not be Deleted (Resevered for Title)".
    virtual void DeleteLabel(int Index);
    virtual void DeleteTranslation(int Index);
    virtual void RemoveAllToolBars();
    virtual void RemoveAllLegends();
    virtual void RemoveAllTables();
    virtual void RemoveAllXAxes();
    virtual void RemoveAllYAxes();
    virtual void RemoveAllDataViews();
    virtual void RemoveAllDataCursors();
    virtual void RemoveAllChannels();
    virtual void RemoveAllAnnotations();
    virtual void RemoveAllLimits();
    // Every label but the title.
    virtual void RemoveAllLabels();
    virtual void RemoveAllTranslations();
    int ToolBarCount() const;
    int LegendCount() const;
    int TableCount() const;
    int XAxisCount() const;
    int YAxisCount() const;
    int DataViewCount() const;
    int DataCursorCount() const;
    int ChannelCount() const;
    int AnnotationCount() const;
    int LimitCount() const;
    int LabelCount() const;
    int TranslationCount() const;
    TiPlotToolBar* GetToolBar(int Index) const;
    TiPlotLegend* GetLegend(int Index) const;
    TiPlotTable* GetTable(int Index) const;
    TiPlotAxis* GetXAxis(int Index) const;
    TiPlotAxis* GetYAxis(int Index) const;
    TiPlotDataView* GetDataView(int Index) const;
    TiPlotDataCursor* GetDataCursor(int Index) const;
    TiPlotChannelCustom* GetChannelCustom(int Index) const;
    TiPlotAnnotation* GetAnnotation(int Index) const;
    TiPlotLimit* GetLimit(int Index) const;
    TiPlotLabel* GetLabel(int Index) const;
    // Index errors raise "List index out of bounds (<index>)".
    QString GetTranslationOriginal(int Index) const;
    QString GetTranslationReplacement(int Index) const;

    void DisableAllTracking() override;
    void EnableAllTracking() override;
    // False without toolbar; else whether toolbar 0's select button is down.
    bool GetSelectModeActive() const override;
    // Clicks toolbar 0's select button when the value differs.
    void SetSelectModeActive(bool Value);
    // Appends the source's points Start..Stop (inclusive) to the destination, their Null
    // and Empty flags included. "Start Index Must be 0 or Greater" below 0, "StopIndex Must
    // Out Of Range" past the source's last point; nothing when Start > Stop.
    void TransferChannelData(int SourceChannelIndex, int DestinationChannelIndex, int StartIndex,
                             int StopIndex);
    void MousePointerSet(Qt::CursorShape Cursor);
    // The current local date-time.
    TDateTime GetNow() const;

    // The description's defined properties. Writing them leaves the plot as it was; reading
    // them suspends the layout and repaints until Loaded, or until it returns when no form is
    // loading the plot.
    TiPlotDefinedProperties WriteDefinedProperties();
    void ReadDefinedProperties(const TiPlotDefinedProperties& Defined);
    // The same as texts by defined-property name (collections in the plot collection text,
    // the data-view places as integers), for form descriptions that hold only strings. A
    // read raises on malformed text or a value an object refuses, leaving the plot as it was.
    QMap<QString, QString> WriteDefinedPropertiesText();
    void ReadDefinedPropertiesText(const QMap<QString, QString>& Texts);
    // The collection names of the description, in the order they are read.
    QStringList DefinedCollectionNames() const;
    // Also reads the collections a form left as dynamic string properties by their names.
    void Loaded() override;

    // Output and image lists: the clipboard, the snapshot picture (owned by the plot), the
    // printer, the image file of the toolbar's Save button, and the three image lists of the
    // picture annotations (an index other than 0-2 raises "ImageList Index must be 0-2").
    void CopyToClipBoard() override;
    TMetafile* GetSnapShotPicture();
    void PrintChart() override;
    void DoPrintChart();
    void Save() override;
    void ImageListClear(int Index);
    void ImageListAdd(int Index, const TBitmap& Bitmap);
    void ImageListLoadFromBitmap(int Index, const TBitmap& Bitmap);
    // The module is a resource folder of the application (":/images"), the name a file in it.
    void ImageListLoadFromResourceID(int Index, const QString& Module, int ResourceID);
    void ImageListLoadFromResourceName(int Index, const QString& Module,
                                       const QString& ResourceName);
    const TiPlotImageLists& ImageLists() const { return *imageLists_; }
    using TiComponent::PaintToBitmap;

    // Hooks around the run-time editor; they do nothing in the plot.
    virtual void BeforePropertyEditorLoad() {}
    virtual void AfterPropertyEditorApply() {}

    // Configuration, annotation and translation files (a failed load changes nothing).
    void SavePropertiesToFile(const QString& FileName) override;
    void LoadPropertiesFromFile(const QString& FileName) override;
    void SaveAnnotationsToFile(const QString& FileName);
    void LoadAnnotationsFromFile(const QString& FileName);
    void SaveTranslationsToFile(const QString& FileName) const;
    void LoadTranslationsFromFile(const QString& FileName);

    // The plot host.
    TiPlotMasterManager* GetMasterManager() override { return master_.get(); }
    TiPlotMasterManager* Master() const { return master_.get(); }
    TiPlotLayoutManager* LayoutManager() const;
    void MasterChange(QObject* Sender) override;
    void MasterRemove(QObject* Object) override;
    void InvalidateNow() override;
    void DoObjectClick(TiPlotObject* Object) override;
    void DoObjectGotFocus(TiPlotObject* Object) override;
    void DoObjectLostFocus(TiPlotObject* Object) override;
    void DoPopUpMenuEvent(TiPlotObject* Object, bool& Cancel, int ScreenX, int ScreenY) override;
    QMenu* PopupMenu() override { return &objectMenu_; }
    void ShowPopupMenu(int ScreenX, int ScreenY) override;
    QString TranslateText(const QString& Text) const override;
    TiPlotLayoutFrame LayoutFrame() const override;
    std::unique_ptr<TiPlotTimer> CreateTimer() override;

    // What the objects report, turned into the application's events.
    void DoDataPointClick(TiPlotObject* Channel, int PointIndex);
    void DoAxesMinChange(TiPlotObject* Axis, double OldValue, double NewValue);
    void DoAxesSpanChange(TiPlotObject* Axis, double OldValue, double NewValue);
    void DoAxesMinSpanChange(TiPlotObject* Axis, double OldMin, double OldSpan, double NewMin,
                             double NewSpan);
    void DoAxesCustomizeLabel(TiPlotObject* Axis, double Value, QString& Text);
    void DataCursorChange(TiPlotObject* Cursor) override;
    void DoDataCursorCustomizeHint(TiPlotObject* Cursor, QString& Text) override;
    void DoBeforeZoomBox(TRect& ZoomRect, bool& Cancel) override;
    void DoLimitLine1PositionChange(TiPlotObject* Limit, double OldValue, double NewValue) override;
    void DoLimitLine2PositionChange(TiPlotObject* Limit, double OldValue, double NewValue) override;
    void DoAnnotationCoordinatesChange(TiPlotObject* Annotation) override;
    void DoAnnotationCoordinatesChangeFinished(TiPlotObject* Annotation) override;
    TiPlotAnnotationDefaults AnnotationDefaults() const override;
    TSize ImageListImageSize(int ListIndex) const override;
    void DrawImageListImage(TCanvas& Canvas, int ListIndex, int ImageIndex, int X, int Y,
                            bool Enabled) override;
    // From a double click until the release after it; an object click then reports the
    // double-click event.
    bool DblClickActive() const { return input_.DblClickActive(); }
    void SetDblClickActive(bool Value) { input_.SetDblClickActive(Value); }

    // The rectangles axis labels must not overlap, filled anew by every paint.
    void AddAxesCollisionItem(const TRect& Rect);
    // Registers Rect and answers true when it overlaps no registered rectangle and lies wholly
    // inside the data view.
    bool AddAxesCollisionDetectionItem(const TRect& Rect);
    const std::vector<TRect>& AxesCollisionList() const { return frame_.Collisions(); }
    // Sorted by key; an entry goes in front of the entries with an equal key.
    void AddLayerObject(const QString& Key, TiPlotObject* Object);
    const std::vector<QPair<QString, TiPlotObject*>>& LayerList() const { return frame_.Layers(); }
    // The layout the screen shows and hit-testing reads, kept until the control's measures
    // or the master's change count move on; exports lay out for their own canvas.
    const TiPlotFrameLayout& ScreenLayout() const { return frame_.ScreenLayout(); }

    // The pointer as the objects see it: the axis-direction pixels exchanged when X axes run
    // vertically.
    void UpdateAxisPixels(TiPlotMouseData& MouseData) const;
    // The object under the pointer: selected objects first, then any other, data views and
    // legends (which contain other objects) last; null over nothing.
    TiPlotObject* FindMouseObject(const TiPlotMouseData& MouseData) const;
    TiPlotObject* PressedObject() const { return input_.PressedObject(); }
    TiPlotObject* HoverObject() const { return input_.HoverObject(); }

    // The hint box: shown once the pointer has rested on an object that offers a hint for
    // HintsPause ms, hidden after HintsHidePause ms or at the next move, press or release.
    bool HintShowing() const { return hint_.Showing(); }
    bool HintPainted() const { return hint_.Painted(); }
    QString HintText() const { return hint_.Text(); }
    void KillHint();

    TiPlotObjectEvent OnClickChannel, OnDblClickChannel, OnGotFocusChannel, OnLostFocusChannel;
    TiPlotPopupMenuEvent OnPopupMenuChannel;
    TiPlotObjectEvent OnClickXAxis, OnDblClickXAxis, OnGotFocusXAxis, OnLostFocusXAxis;
    TiPlotPopupMenuEvent OnPopupMenuXAxis;
    TiPlotObjectEvent OnClickYAxis, OnDblClickYAxis, OnGotFocusYAxis, OnLostFocusYAxis;
    TiPlotPopupMenuEvent OnPopupMenuYAxis;
    TiPlotObjectEvent OnClickDataCursor, OnDblClickDataCursor, OnGotFocusDataCursor,
        OnLostFocusDataCursor;
    TiPlotPopupMenuEvent OnPopupMenuDataCursor;
    TiPlotObjectEvent OnClickDataView, OnDblClickDataView, OnGotFocusDataView, OnLostFocusDataView;
    TiPlotPopupMenuEvent OnPopupMenuDataView;
    TiPlotObjectEvent OnClickLegend, OnDblClickLegend, OnGotFocusLegend, OnLostFocusLegend;
    TiPlotPopupMenuEvent OnPopupMenuLegend;
    TiPlotObjectEvent OnClickLimit, OnDblClickLimit;
    TiPlotPopupMenuEvent OnPopupMenuLimit;
    TiPlotObjectEvent OnClickAnnotation, OnDblClickAnnotation, OnGotFocusAnnotation,
        OnLostFocusAnnotation;
    TiPlotPopupMenuEvent OnPopupMenuAnnotation;
    TiPlotClickDataPointEvent OnClickDataPoint, OnDblClickDataPoint;
    TiPlotObjectDoubleValueChangeEvent OnXAxisMinChange, OnYAxisMinChange;
    TiPlotObjectDoubleValueChangeEvent OnXAxisSpanChange, OnYAxisSpanChange;
    TiPlotAxesMinSpanChangeEvent OnXAxisMinSpanChange, OnYAxisMinSpanChange;
    TiPlotAxesCustomizeLabelEvent OnXAxisCustomizeLabel, OnYAxisCustomizeLabel;
    TiPlotObjectEvent OnDataCursorChange;
    TiPlotObjectCustomizeTextEvent OnDataCursorCustomizeHint;
    TiPlotObjectDoubleValueChangeEvent OnLimitLine1PositionChange, OnLimitLine2PositionChange;
    TiPlotObjectEvent OnAnnotationCoordinatesChange, OnAnnotationCoordinatesChangeFinished;
    TiPlotZoomBoxEvent OnBeforeZoomBox;
    TNotifyEvent OnBeforePrint, OnAfterPrint;
    TNotifyEvent OnBeforeLoadProperties, OnAfterLoadProperties;

protected:
    // The default objects of both plots, with the layout manager disabled and enabled again
    // on every path: toolbar (ZOrder 3), legend (2), X axis, Y axis, channel, data view, data
    // cursor and the label "Title". A kind without a registered class is left out.
    void AddDefaultObjects();
    // The last step of a plot's constructor: a plot made while a form loads reads its whole
    // description with the layout manager disabled and inside an update, until Loaded.
    void EndConstruction();
    // The object of a kind at Index as T: the platform's invalid-cast error for another class.
    template <class T> T* GetTyped(TiPlotObjectKind Kind, int Index) const;

    void iPaintTo(TCanvas& Canvas) override;
    void iMouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void iMouseMove(TShiftState Shift, int X, int Y) override;
    void iMouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void iDoubleClick() override;
    bool iMouseWheel(int WheelDelta, TShiftState Shift, TPoint MousePos) override;
    // The arrow keys come to the plot instead of moving the focus.
    void iWantSpecialKey(uint16_t& Key, bool& Result) override;
    void iKeyDown(uint16_t& Key, TShiftState Shift) override;
    // Qt's capture-changed notice: a popup or another window that takes the pointer from a
    // control holding it (its hint grab, or a button pressed on it) sends the control a Leave;
    // X11 sends none for a popup opened by the press itself.
    void leaveEvent(QEvent* event) override;

private:
    // The frame paints with the control's own background, border and export state; the input
    // router lays the screen out and offers hints through them.
    friend class TiPlotFrame;
    friend class TiPlotInputRouter;
    void ObjectInserted(QObject* Object);
    void SetOuterMargin(int Value, int& Field);
    void SetPrintMargin(double Value, double& Field);
    // Whether the value was stored.
    template <class E> bool SetStoredEnum(E Value, E& Field);
    void ForEachObject(TiPlotObjectKind Kind, const std::function<void(TiPlotObject*)>& Action);
    TiPlotLabel* Title() const;

    TiPlotEventRouter events_{*this};
    std::unique_ptr<TiPlotMasterManager> master_;
    std::unique_ptr<TiPlotImageLists> imageLists_;
    std::unique_ptr<TiPlotOutput> output_;
    std::unique_ptr<TiPlotData> data_;
    std::unique_ptr<TiPlotDescription> description_;
    QMenu objectMenu_;
    std::unique_ptr<TFont> hintsFont_;
    std::unique_ptr<TFont> annotationDefaultFont_;
    // What the title getters answer without labels.
    std::unique_ptr<TFont> ownFont_;
    TiPlotFrame frame_{*this};

    int outerMarginLeft_ = 5;
    int outerMarginTop_ = 5;
    int outerMarginRight_ = 5;
    int outerMarginBottom_ = 5;
    bool backGroundGradientEnabled_ = false;
    TiFillDirection backGroundGradientDirection_ = ifdTopBottom;
    TColor backGroundGradientStartColor_ = clBlue;
    TColor backGroundGradientStopColor_ = clBlack;
    bool userCanAddRemoveChannels_ = false;
    bool hintsShow_ = true;
    int hintsPause_ = 500;
    int hintsHidePause_ = 2500;
    bool clipAnnotationsToAxes_ = true;
    TBrushStyle annotationDefaultBrushStlye_ = bsSolid;
    TColor annotationDefaultBrushColor_ = clWhite;
    TPenStyle annotationDefaultPenStlye_ = psSolid;
    TColor annotationDefaultPenColor_ = clWhite;
    int annotationDefaultPenWidth_ = 1;
    TiPlotFormStyle editorFormStyle_ = ipfsModal;
    TiPlotExportFormat copyToClipBoardFormat_ = ipefMetaFile;
    TPrinterOrientation printOrientation_ = poLandscape;
    double printMarginLeft_ = 1.0;
    double printMarginTop_ = 1.0;
    double printMarginRight_ = 1.0;
    double printMarginBottom_ = 1.0;
    bool printShowDialog_ = true;
    QString printDocumentName_ = QStringLiteral("Untitled");
    QString printerName_;

    TiPlotInputRouter input_{*this};
    TiPlotHintBox hint_{*this};
    bool destroying_ = false;
};

template <class T> T* TiPlotComponent::GetTyped(TiPlotObjectKind Kind, int Index) const {
    TiPlotObject* object = master_->Get(Kind, Index);
    auto* typed = qobject_cast<T*>(object);
    if (!typed) ThrowInvalidCast();
    return typed;
}
