#include "plot/iPlotComponent.h"

#include "platform/Clock.h"
#include "platform/Exception.h"
#include "platform/PropertyDefaults.h"
#include "platform/StringList.h"
#include "plot/channels/iPlotChannelCustom.h"
#include "plot/iPlotAnnotation.h"
#include "plot/iPlotAnnotationFile.h"
#include "plot/iPlotAxis.h"
#include "plot/iPlotButton.h"
#include "plot/iPlotConfigurationFile.h"
#include "plot/iPlotData.h"
#include "plot/iPlotDataArray.h"
#include "plot/iPlotDataCursor.h"
#include "plot/iPlotDataView.h"
#include "plot/iPlotDescription.h"
#include "plot/iPlotHintBox.h"
#include "plot/iPlotImageLists.h"
#include "plot/iPlotInputRouter.h"
#include "plot/iPlotLabel.h"
#include "plot/iPlotLayoutManager.h"
#include "plot/iPlotLegend.h"
#include "plot/iPlotLimit.h"
#include "plot/iPlotMasterManager.h"
#include "plot/iPlotOutput.h"
#include "plot/iPlotPrinting.h"
#include "plot/iPlotTable.h"
#include "plot/iPlotToolBar.h"
#include "plot/iPlotTranslation.h"
#include "plot/iPlotTranslationFile.h"

#include <QMetaEnum>
#include <algorithm>
#include <cmath>
#include <exception>

namespace {

using K = TiPlotObjectKind;

const PropertyDefaults::Registration
    defaults(TiPlotComponent::staticMetaObject,
             {
                 {"Width", 500},
                 {"Height", 200},
                 {"BackGroundColor", clBlack},
                 {"BorderStyle", QVariant::fromValue(ibsLowered)},
                 {"AutoFrameRate", true},
                 {"UpdateFrameRate", 60},
                 {"OuterMarginLeft", 5},
                 {"OuterMarginTop", 5},
                 {"OuterMarginRight", 5},
                 {"OuterMarginBottom", 5},
                 {"BackGroundGradientEnabled", false},
                 {"BackGroundGradientDirection", QVariant::fromValue(ifdTopBottom)},
                 {"BackGroundGradientStartColor", clBlue},
                 {"BackGroundGradientStopColor", clBlack},
                 {"TitleText", QStringLiteral("Untitled")},
                 {"TitleVisible", true},
                 {"TitleFont.Name", QStringLiteral("Arial")},
                 {"TitleFont.Height", -19},
                 {"TitleFont.Color", clWhite},
                 {"TitleFont.Style", qlonglong(fsBold)},
                 {"TitleMargin", 0.0},
                 {"XYAxesReverse", false},
                 {"UserCanEditObjects", true},
                 {"UserCanAddRemoveChannels", false},
                 {"DataViewZHorz", 1},
                 {"DataViewZVert", 1},
                 {"HintsShow", true},
                 {"HintsPause", 500},
                 {"HintsHidePause", 2500},
                 {"ClipAnnotationsToAxes", true},
                 {"AnnotationDefaultFont.Color", clWhite},
                 {"AnnotationDefaultBrushStlye", QVariant::fromValue(bsSolid)},
                 {"AnnotationDefaultBrushColor", clWhite},
                 {"AnnotationDefaultPenStlye", QVariant::fromValue(psSolid)},
                 {"AnnotationDefaultPenColor", clWhite},
                 {"AnnotationDefaultPenWidth", 1},
                 {"EditorFormStyle", QVariant::fromValue(TiPlotComponent::ipfsModal)},
                 {"CopyToClipBoardFormat", QVariant::fromValue(TiPlotComponent::ipefMetaFile)},
                 {"PrintOrientation", QVariant::fromValue(TiPlotComponent::poLandscape)},
                 {"PrintMarginLeft", 1.0},
                 {"PrintMarginTop", 1.0},
                 {"PrintMarginRight", 1.0},
                 {"PrintMarginBottom", 1.0},
                 {"PrintShowDialog", true},
                 {"PrintDocumentName", QStringLiteral("Untitled")},
                 {"PrinterName", QString()},
                 {"LogFileName", QString()},
                 {"LogBufferSize", 0},
                 {"TabStop", false},
             });

constexpr int maxPenWidth = 100;

} // namespace

void ThrowInvalidCast() {
    throw Exception(QStringLiteral("Invalid class typecast"));
}

TiPlotComponent::TiPlotComponent(QWidget* parent)
    : TiCustomComponent(parent), hintsFont_(std::make_unique<TFont>()),
      annotationDefaultFont_(std::make_unique<TFont>()), ownFont_(std::make_unique<TFont>()) {
    resize(500, 200);
    SetBackGroundColor(clBlack);
    SetBorderStyle(ibsLowered);
    SetUpdateFrameRate(60);
    SetAutoFrameRate(true);
    SetTabStop(false);
    annotationDefaultFont_->SetColor(clWhite);
    master_ = std::make_unique<TiPlotMasterManager>(this);
    data_ = std::make_unique<TiPlotData>(*this);
    master_->OnObjectInserted = [this](QObject* object) { ObjectInserted(object); };
    imageLists_ = std::make_unique<TiPlotImageLists>();
    imageLists_->OnChange = [this] { InvalidateChange(); };
    output_ = std::make_unique<TiPlotOutput>(*this);
    description_ = std::make_unique<TiPlotDescription>(*this, *imageLists_);
    OnInternalTimer = [this](QObject*) { hint_.Tick(); };
}

TiPlotComponent::~TiPlotComponent() {
    // Rows still pending would be lost with the channels.
    if (LoggingActive()) RunGuarded([this] { LogDeactivate(); });
    // Tearing down requests no repaint and reports nothing.
    destroying_ = true;
    frame_.Clear();
    master_.reset();
}

void TiPlotComponent::SetOuterMargin(int Value, int& Field) {
    SetIntegerProperty(std::clamp(Value, 0, MaxOuterMargin), Field, irtInvalidate);
}

void TiPlotComponent::SetOuterMarginLeft(int Value) {
    SetOuterMargin(Value, outerMarginLeft_);
}

void TiPlotComponent::SetOuterMarginTop(int Value) {
    SetOuterMargin(Value, outerMarginTop_);
}

void TiPlotComponent::SetOuterMarginRight(int Value) {
    SetOuterMargin(Value, outerMarginRight_);
}

void TiPlotComponent::SetOuterMarginBottom(int Value) {
    SetOuterMargin(Value, outerMarginBottom_);
}

void TiPlotComponent::SetBackGroundGradientEnabled(bool Value) {
    SetBooleanProperty(Value, backGroundGradientEnabled_, irtInvalidate);
}

template <class E> bool TiPlotComponent::SetStoredEnum(E Value, E& Field) {
    // An ordinal past the declared values is refused.
    if (Value == Field || !QMetaEnum::fromType<E>().valueToKey(int(Value))) return false;
    Field = Value;
    return true;
}

void TiPlotComponent::SetBackGroundGradientDirection(TiFillDirection Value) {
    if (SetStoredEnum(Value, backGroundGradientDirection_)) InvalidateChange();
}

void TiPlotComponent::SetBackGroundGradientStartColor(TColor Value) {
    SetColorProperty(Value, backGroundGradientStartColor_, irtInvalidate);
}

void TiPlotComponent::SetBackGroundGradientStopColor(TColor Value) {
    SetColorProperty(Value, backGroundGradientStopColor_, irtInvalidate);
}

TiPlotLabel* TiPlotComponent::Title() const {
    return master_ && master_->LabelCount() > 0 ? master_->GetLabel(0) : nullptr;
}

QString TiPlotComponent::TitleText() const {
    const TiPlotLabel* title = Title();
    return title ? title->Caption() : QString();
}

void TiPlotComponent::SetTitleText(const QString& Value) {
    if (TiPlotLabel* title = Title()) title->SetCaption(Value);
}

bool TiPlotComponent::TitleVisible() const {
    const TiPlotLabel* title = Title();
    return title && title->Visible();
}

void TiPlotComponent::SetTitleVisible(bool Value) {
    if (TiPlotLabel* title = Title()) title->SetVisible(Value);
}

TFont* TiPlotComponent::TitleFont() const {
    const TiPlotLabel* title = Title();
    return title ? title->Font() : ownFont_.get();
}

void TiPlotComponent::SetTitleFont(const TFont* Value) {
    if (TiPlotLabel* title = Title()) title->SetFont(Value);
}

double TiPlotComponent::TitleMargin() const {
    const TiPlotLabel* title = Title();
    return title ? title->MarginBottom() : 0;
}

void TiPlotComponent::SetTitleMargin(double Value) {
    if (TiPlotLabel* title = Title()) title->SetMarginBottom(Value);
}

bool TiPlotComponent::XYAxesReverse() const {
    return master_->XYAxesReverse();
}

void TiPlotComponent::SetXYAxesReverse(bool Value) {
    if (Value != master_->XYAxesReverse()) master_->SetXYAxesReverse(Value);
}

bool TiPlotComponent::UserCanEditObjects() const {
    return master_->UserCanEditObjects();
}

void TiPlotComponent::SetUserCanEditObjects(bool Value) {
    master_->SetUserCanEditObjects(Value);
}

TiPlotLayoutManager* TiPlotComponent::LayoutManager() const {
    return master_ ? master_->GetLayoutManager() : nullptr;
}

int TiPlotComponent::DataViewZHorz() const {
    return LayoutManager()->DataViewHorz()->ZOrder();
}

void TiPlotComponent::SetDataViewZHorz(int Value) {
    LayoutManager()->DataViewHorz()->SetZOrder(Value);
}

int TiPlotComponent::DataViewZVert() const {
    return LayoutManager()->DataViewVert()->ZOrder();
}

void TiPlotComponent::SetDataViewZVert(int Value) {
    LayoutManager()->DataViewVert()->SetZOrder(Value);
}

void TiPlotComponent::SetHintsPause(int Value) {
    hintsPause_ = std::clamp(Value, 0, MaxHintsPause);
}

void TiPlotComponent::SetHintsHidePause(int Value) {
    hintsHidePause_ = std::clamp(Value, 0, MaxHintsPause);
}

void TiPlotComponent::SetHintsFont(const TFont* Value) {
    if (Value) hintsFont_->Assign(*Value);
}

void TiPlotComponent::SetClipAnnotationsToAxes(bool Value) {
    SetBooleanProperty(Value, clipAnnotationsToAxes_, irtInvalidate);
}

void TiPlotComponent::SetAnnotationDefaultFont(const TFont* Value) {
    if (Value) annotationDefaultFont_->Assign(*Value);
}

void TiPlotComponent::SetAnnotationDefaultBrushStlye(TBrushStyle Value) {
    SetStoredEnum(Value, annotationDefaultBrushStlye_);
}

void TiPlotComponent::SetAnnotationDefaultPenStlye(TPenStyle Value) {
    SetStoredEnum(Value, annotationDefaultPenStlye_);
}

void TiPlotComponent::SetAnnotationDefaultPenWidth(int Value) {
    annotationDefaultPenWidth_ = std::clamp(Value, 0, maxPenWidth);
}

void TiPlotComponent::SetEditorFormStyle(TiPlotFormStyle Value) {
    SetStoredEnum(Value, editorFormStyle_);
}

void TiPlotComponent::SetCopyToClipBoardFormat(TiPlotExportFormat Value) {
    SetStoredEnum(Value, copyToClipBoardFormat_);
}

void TiPlotComponent::SetPrintOrientation(TPrinterOrientation Value) {
    SetStoredEnum(Value, printOrientation_);
}

void TiPlotComponent::SetPrintMargin(double Value, double& Field) {
    if (!std::isnan(Value)) Field = std::clamp(Value, 0.0, MaxPrintMargin);
}

void TiPlotComponent::SetPrintMarginLeft(double Value) {
    SetPrintMargin(Value, printMarginLeft_);
}

void TiPlotComponent::SetPrintMarginTop(double Value) {
    SetPrintMargin(Value, printMarginTop_);
}

void TiPlotComponent::SetPrintMarginRight(double Value) {
    SetPrintMargin(Value, printMarginRight_);
}

void TiPlotComponent::SetPrintMarginBottom(double Value) {
    SetPrintMargin(Value, printMarginBottom_);
}

// Objects.

int TiPlotComponent::AddChannel() {
    return master_->Add(K::Channel);
}

int TiPlotComponent::AddDataView() {
    return master_->Add(K::DataView);
}

int TiPlotComponent::AddDataCursor() {
    return master_->Add(K::DataCursor);
}

int TiPlotComponent::AddXAxis() {
    return master_->Add(K::XAxis);
}

int TiPlotComponent::AddYAxis() {
    return master_->Add(K::YAxis);
}

int TiPlotComponent::AddLegend() {
    return master_->Add(K::Legend);
}

int TiPlotComponent::AddTable() {
    return master_->Add(K::Table);
}

int TiPlotComponent::AddToolBar() {
    return master_->Add(K::ToolBar);
}

int TiPlotComponent::AddAnnotation() {
    return master_->Add(K::Annotation);
}

int TiPlotComponent::AddLimit() {
    return master_->Add(K::Limit);
}

int TiPlotComponent::AddLabel() {
    return master_->Add(K::Label);
}

int TiPlotComponent::AddTranslation(const QString& Original, const QString& Replacement) {
    return master_->AddTranslation(Original, Replacement);
}

void TiPlotComponent::DeleteToolBar(int Index) {
    master_->Delete(K::ToolBar, Index);
}

void TiPlotComponent::DeleteLegend(int Index) {
    master_->Delete(K::Legend, Index);
}

void TiPlotComponent::DeleteTable(int Index) {
    master_->Delete(K::Table, Index);
}

void TiPlotComponent::DeleteXAxis(int Index) {
    master_->Delete(K::XAxis, Index);
}

void TiPlotComponent::DeleteYAxis(int Index) {
    master_->Delete(K::YAxis, Index);
}

void TiPlotComponent::DeleteDataView(int Index) {
    master_->Delete(K::DataView, Index);
}

void TiPlotComponent::DeleteDataCursor(int Index) {
    master_->Delete(K::DataCursor, Index);
}

void TiPlotComponent::DeleteChannel(int Index) {
    master_->Delete(K::Channel, Index);
}

void TiPlotComponent::DeleteAnnotation(int Index) {
    master_->Delete(K::Annotation, Index);
}

void TiPlotComponent::DeleteLimit(int Index) {
    master_->Delete(K::Limit, Index);
}

void TiPlotComponent::DeleteLabel(int Index) {
    master_->DeleteLabel(Index);
}

void TiPlotComponent::DeleteTranslation(int Index) {
    master_->DeleteTranslation(Index);
}

void TiPlotComponent::RemoveAllToolBars() {
    master_->RemoveAll(K::ToolBar);
}

void TiPlotComponent::RemoveAllLegends() {
    master_->RemoveAll(K::Legend);
}

void TiPlotComponent::RemoveAllTables() {
    master_->RemoveAll(K::Table);
}

void TiPlotComponent::RemoveAllXAxes() {
    master_->RemoveAll(K::XAxis);
}

void TiPlotComponent::RemoveAllYAxes() {
    master_->RemoveAll(K::YAxis);
}

void TiPlotComponent::RemoveAllDataViews() {
    master_->RemoveAll(K::DataView);
}

void TiPlotComponent::RemoveAllDataCursors() {
    master_->RemoveAll(K::DataCursor);
}

void TiPlotComponent::RemoveAllChannels() {
    master_->RemoveAll(K::Channel);
}

void TiPlotComponent::RemoveAllAnnotations() {
    master_->RemoveAll(K::Annotation);
}

void TiPlotComponent::RemoveAllLimits() {
    master_->RemoveAll(K::Limit);
}

void TiPlotComponent::RemoveAllLabels() {
    master_->RemoveAllLabels();
}

void TiPlotComponent::RemoveAllTranslations() {
    master_->RemoveAllTranslations();
}

int TiPlotComponent::ToolBarCount() const {
    return master_->Count(K::ToolBar);
}

int TiPlotComponent::LegendCount() const {
    return master_->Count(K::Legend);
}

int TiPlotComponent::TableCount() const {
    return master_->Count(K::Table);
}

int TiPlotComponent::XAxisCount() const {
    return master_->Count(K::XAxis);
}

int TiPlotComponent::YAxisCount() const {
    return master_->Count(K::YAxis);
}

int TiPlotComponent::DataViewCount() const {
    return master_->Count(K::DataView);
}

int TiPlotComponent::DataCursorCount() const {
    return master_->Count(K::DataCursor);
}

int TiPlotComponent::ChannelCount() const {
    return master_->Count(K::Channel);
}

int TiPlotComponent::AnnotationCount() const {
    return master_->Count(K::Annotation);
}

int TiPlotComponent::LimitCount() const {
    return master_->Count(K::Limit);
}

int TiPlotComponent::LabelCount() const {
    return master_->LabelCount();
}

int TiPlotComponent::TranslationCount() const {
    return master_->TranslationCount();
}

TiPlotToolBar* TiPlotComponent::GetToolBar(int Index) const {
    return GetTyped<TiPlotToolBar>(K::ToolBar, Index);
}

TiPlotLegend* TiPlotComponent::GetLegend(int Index) const {
    return GetTyped<TiPlotLegend>(K::Legend, Index);
}

TiPlotTable* TiPlotComponent::GetTable(int Index) const {
    return GetTyped<TiPlotTable>(K::Table, Index);
}

TiPlotAxis* TiPlotComponent::GetXAxis(int Index) const {
    return GetTyped<TiPlotAxis>(K::XAxis, Index);
}

TiPlotAxis* TiPlotComponent::GetYAxis(int Index) const {
    return GetTyped<TiPlotAxis>(K::YAxis, Index);
}

TiPlotDataView* TiPlotComponent::GetDataView(int Index) const {
    return GetTyped<TiPlotDataView>(K::DataView, Index);
}

TiPlotDataCursor* TiPlotComponent::GetDataCursor(int Index) const {
    return GetTyped<TiPlotDataCursor>(K::DataCursor, Index);
}

TiPlotChannelCustom* TiPlotComponent::GetChannelCustom(int Index) const {
    return GetTyped<TiPlotChannelCustom>(K::Channel, Index);
}

TiPlotAnnotation* TiPlotComponent::GetAnnotation(int Index) const {
    return GetTyped<TiPlotAnnotation>(K::Annotation, Index);
}

TiPlotLimit* TiPlotComponent::GetLimit(int Index) const {
    return GetTyped<TiPlotLimit>(K::Limit, Index);
}

TiPlotLabel* TiPlotComponent::GetLabel(int Index) const {
    return GetTyped<TiPlotLabel>(K::Label, Index);
}

QString TiPlotComponent::GetTranslationOriginal(int Index) const {
    return master_->GetTranslationManager()->GetItem(Index)->OriginalString();
}

QString TiPlotComponent::GetTranslationReplacement(int Index) const {
    return master_->GetTranslationManager()->GetItem(Index)->ReplacementString();
}

void TiPlotComponent::AddDefaultObjects() {
    TiPlotLayoutManager* layout = LayoutManager();
    layout->SetEnabled(false);
    try {
        GetToolBar(AddToolBar())->SetZOrder(3);
        GetLegend(AddLegend())->SetZOrder(2);
        AddXAxis();
        AddYAxis();
        AddChannel();
        AddDataView();
        AddDataCursor();
        TiPlotLabel* title = master_->GetLabel(master_->AddLabel());
        title->SetZOrder(2);
        title->SetName(QStringLiteral("Title"));
        title->SetCaption(QStringLiteral("Untitled"));
        title->SetMarginBottom(0);
    } catch (...) {
        layout->SetEnabled(true);
        throw;
    }
    layout->SetEnabled(true);
}

void TiPlotComponent::EndConstruction() {
    if (GetLoading()) description_->Begin();
}

// Application operations.

void TiPlotComponent::ForEachObject(K Kind, const std::function<void(TiPlotObject*)>& Action) {
    // Counted afresh each step: an action may remove objects.
    for (int i = 0; i < master_->Count(Kind); ++i)
        Action(master_->Get(Kind, i));
}

void TiPlotComponent::DisableAllTracking() {
    master_->SetAllTracking(false);
}

void TiPlotComponent::EnableAllTracking() {
    master_->SetAllTracking(true);
}

bool TiPlotComponent::GetSelectModeActive() const {
    return ToolBarCount() > 0 && GetToolBar(0)->GetSelectActive();
}

void TiPlotComponent::SetSelectModeActive(bool Value) {
    if (ToolBarCount() > 0 && Value != GetSelectModeActive()) GetToolBar(0)->DoButtonClickSelect();
}

void TiPlotComponent::TransferChannelData(int SourceChannelIndex, int DestinationChannelIndex,
                                          int StartIndex, int StopIndex) {
    data_->TransferChannelData(SourceChannelIndex, DestinationChannelIndex, StartIndex, StopIndex);
}

// Data files, logging and data arrays.

QString TiPlotComponent::LogFileName() const {
    return data_->LogFileName();
}

void TiPlotComponent::SetLogFileName(const QString& Value) {
    data_->SetLogFileName(Value);
}

int TiPlotComponent::LogBufferSize() const {
    return data_->LogBufferSize();
}

void TiPlotComponent::SetLogBufferSize(int Value) {
    data_->SetLogBufferSize(Value);
}

bool TiPlotComponent::LoggingActive() const {
    return data_->LoggingActive();
}

void TiPlotComponent::SaveDataToFile(const QString& FileName) {
    data_->SaveToFile(FileName);
}

void TiPlotComponent::LoadDataFromFile(const QString& FileName) {
    data_->LoadFromFile(FileName);
}

void TiPlotComponent::LogActivate(bool Append) {
    data_->LogActivate(Append);
}

void TiPlotComponent::LogDeactivate() {
    data_->LogDeactivate();
}

void TiPlotComponent::WriteLog() {
    data_->WriteLog();
}

void TiPlotComponent::AddDataArray(double X, const TiPlotDataArray& Data) {
    data_->AddDataArray(X, Data);
}

void TiPlotComponent::ClearAllData() {
    data_->ClearAll();
}

void TiPlotComponent::MousePointerSet(Qt::CursorShape Cursor) {
    setCursor(Cursor);
}

TDateTime TiPlotComponent::GetNow() const {
    return Now();
}

// Output and image lists.

void TiPlotComponent::CopyToClipBoard() {
    output_->CopyToClipBoard();
}

TMetafile* TiPlotComponent::GetSnapShotPicture() {
    return output_->GetSnapShotPicture();
}

void TiPlotComponent::PrintChart() {
    PrintPlot(*this);
}

void TiPlotComponent::DoPrintChart() {
    DoPrintPlot(*this);
}

void TiPlotComponent::Save() {
    output_->Save();
}

void TiPlotComponent::ImageListClear(int Index) {
    imageLists_->Clear(Index);
}

void TiPlotComponent::ImageListAdd(int Index, const TBitmap& Bitmap) {
    imageLists_->Add(Index, Bitmap);
}

void TiPlotComponent::ImageListLoadFromBitmap(int Index, const TBitmap& Bitmap) {
    imageLists_->Add(Index, Bitmap);
}

void TiPlotComponent::ImageListLoadFromResourceID(int Index, const QString& Module,
                                                  int ResourceID) {
    imageLists_->AddResource(Index, Module, QString::number(ResourceID));
}

void TiPlotComponent::ImageListLoadFromResourceName(int Index, const QString& Module,
                                                    const QString& ResourceName) {
    imageLists_->AddResource(Index, Module, ResourceName);
}

// The stored description.

TiPlotDefinedProperties TiPlotComponent::WriteDefinedProperties() {
    return description_->Write();
}

void TiPlotComponent::ReadDefinedProperties(const TiPlotDefinedProperties& Defined) {
    description_->Read(Defined);
}

QStringList TiPlotComponent::DefinedCollectionNames() const {
    return description_->CollectionNames();
}

QMap<QString, QString> TiPlotComponent::WriteDefinedPropertiesText() {
    return description_->WriteTexts();
}

void TiPlotComponent::ReadDefinedPropertiesText(const QMap<QString, QString>& Texts) {
    description_->ReadTexts(Texts);
}

void TiPlotComponent::Loaded() {
    TiCustomComponent::Loaded();
    try {
        const QMap<QString, QString> texts = description_->TakeDescribedTexts();
        if (!texts.isEmpty()) ReadDefinedPropertiesText(texts);
    } catch (...) {
        description_->End();
        throw;
    }
    description_->End();
}

// Plot files.

void TiPlotComponent::SavePropertiesToFile(const QString& FileName) {
    SavePlotConfiguration(*this, PropertyFileExclusions(), FileName);
}

void TiPlotComponent::LoadPropertiesFromFile(const QString& FileName) {
    LoadPlotConfiguration(*this, FileName);
}

void TiPlotComponent::SaveAnnotationsToFile(const QString& FileName) {
    SavePlotAnnotations(*this, FileName);
}

void TiPlotComponent::LoadAnnotationsFromFile(const QString& FileName) {
    LoadPlotAnnotations(*this, FileName);
}

void TiPlotComponent::SaveTranslationsToFile(const QString& FileName) const {
    SavePlotTranslations(*this, FileName);
}

void TiPlotComponent::LoadTranslationsFromFile(const QString& FileName) {
    LoadPlotTranslations(*this, FileName);
}

// The plot host.

void TiPlotComponent::MasterChange(QObject*) {
    if (!destroying_) InvalidateChange();
}

void TiPlotComponent::MasterRemove(QObject* Object) {
    input_.Forget(Object);
    frame_.Forget(Object);
}

void TiPlotComponent::InvalidateNow() {
    if (!destroying_) TiComponent::InvalidateNow();
}

void TiPlotComponent::ShowPopupMenu(int ScreenX, int ScreenY) {
    objectMenu_.popup(QPoint(ScreenX, ScreenY));
}

QString TiPlotComponent::TranslateText(const QString& Text) const {
    return master_ ? master_->FindTranslation(Text) : Text;
}

TiPlotLayoutFrame TiPlotComponent::LayoutFrame() const {
    return {width(),         height(),          GetBorderMargin(), outerMarginLeft_,
            outerMarginTop_, outerMarginRight_, outerMarginBottom_};
}

std::unique_ptr<TiPlotTimer> TiPlotComponent::CreateTimer() {
    return std::make_unique<TiPlotQtTimer>();
}

void TiPlotComponent::ObjectInserted(QObject* Object) {
    auto* axis = qobject_cast<TiPlotAxis*>(Object);
    if (!axis) return;
    axis->KeepLabelTexts();
    axis->OnMinChange = [this](QObject* sender, double oldMin, double newMin) {
        DoAxesMinChange(static_cast<TiPlotAxis*>(sender), oldMin, newMin);
    };
    axis->OnSpanChange = [this](QObject* sender, double oldSpan, double newSpan) {
        DoAxesSpanChange(static_cast<TiPlotAxis*>(sender), oldSpan, newSpan);
    };
    axis->OnMinSpanChange = [this](QObject* sender, double oldMin, double oldSpan, double newMin,
                                   double newSpan) {
        DoAxesMinSpanChange(static_cast<TiPlotAxis*>(sender), oldMin, oldSpan, newMin, newSpan);
    };
    axis->OnCustomizeLabel = [this](QObject* sender, double value, QString& text) {
        DoAxesCustomizeLabel(static_cast<TiPlotAxis*>(sender), value, text);
    };
    axis->AxesCollisions.Add = [this](const TRect& rect) { AddAxesCollisionItem(rect); };
    axis->AxesCollisions.AcceptLabel = [this](const TRect& rect) {
        return AddAxesCollisionDetectionItem(rect);
    };
}

// Events.

void TiPlotComponent::DoObjectClick(TiPlotObject* Object) {
    events_.Click(Object, input_.DblClickActive());
    input_.SetDblClickActive(false);
}

void TiPlotComponent::DoObjectGotFocus(TiPlotObject* Object) {
    events_.GotFocus(Object);
}

void TiPlotComponent::DoObjectLostFocus(TiPlotObject* Object) {
    events_.LostFocus(Object);
}

void TiPlotComponent::DoPopUpMenuEvent(TiPlotObject* Object, bool& Cancel, int ScreenX,
                                       int ScreenY) {
    events_.PopupMenu(Object, Cancel, ScreenX, ScreenY);
}

void TiPlotComponent::DoDataPointClick(TiPlotObject* Channel, int PointIndex) {
    events_.Index(Channel, input_.DblClickActive() ? OnDblClickDataPoint : OnClickDataPoint,
                  PointIndex);
}

void TiPlotComponent::DoAxesMinChange(TiPlotObject* Axis, double OldValue, double NewValue) {
    events_.Axis(Axis, OnXAxisMinChange, OnYAxisMinChange, OldValue, NewValue);
}

void TiPlotComponent::DoAxesSpanChange(TiPlotObject* Axis, double OldValue, double NewValue) {
    events_.Axis(Axis, OnXAxisSpanChange, OnYAxisSpanChange, OldValue, NewValue);
}

void TiPlotComponent::DoAxesMinSpanChange(TiPlotObject* Axis, double OldMin, double OldSpan,
                                          double NewMin, double NewSpan) {
    events_.Axis(Axis, OnXAxisMinSpanChange, OnYAxisMinSpanChange, OldMin, OldSpan, NewMin,
                 NewSpan);
}

void TiPlotComponent::DoAxesCustomizeLabel(TiPlotObject* Axis, double Value, QString& Text) {
    events_.Axis(Axis, OnXAxisCustomizeLabel, OnYAxisCustomizeLabel, Value, Text);
}

void TiPlotComponent::DataCursorChange(TiPlotObject* Cursor) {
    events_.Index(Cursor, OnDataCursorChange);
}

void TiPlotComponent::DoDataCursorCustomizeHint(TiPlotObject* Cursor, QString& Text) {
    events_.Index(Cursor, OnDataCursorCustomizeHint, Text);
}

void TiPlotComponent::DoBeforeZoomBox(TRect& ZoomRect, bool& Cancel) {
    if (OnBeforeZoomBox) RunGuarded([&] { OnBeforeZoomBox(ZoomRect, Cancel); });
}

TiPlotAnnotationDefaults TiPlotComponent::AnnotationDefaults() const {
    return {annotationDefaultFont_.get(), annotationDefaultBrushStlye_,
            annotationDefaultBrushColor_, annotationDefaultPenStlye_,
            annotationDefaultPenColor_,   annotationDefaultPenWidth_};
}

TSize TiPlotComponent::ImageListImageSize(int ListIndex) const {
    const TiPlotImageList* list = imageLists_->Find(ListIndex);
    return list ? list->ImageSize() : TSize{};
}

void TiPlotComponent::DrawImageListImage(TCanvas& Canvas, int ListIndex, int ImageIndex, int X,
                                         int Y, bool Enabled) {
    if (const TiPlotImageList* list = imageLists_->Find(ListIndex))
        list->Draw(Canvas, X, Y, ImageIndex, Enabled);
}

void TiPlotComponent::DoLimitLine1PositionChange(TiPlotObject* Limit, double OldValue,
                                                 double NewValue) {
    events_.Index(Limit, OnLimitLine1PositionChange, OldValue, NewValue);
}

void TiPlotComponent::DoLimitLine2PositionChange(TiPlotObject* Limit, double OldValue,
                                                 double NewValue) {
    events_.Index(Limit, OnLimitLine2PositionChange, OldValue, NewValue);
}

void TiPlotComponent::DoAnnotationCoordinatesChange(TiPlotObject* Annotation) {
    events_.Index(Annotation, OnAnnotationCoordinatesChange);
}

void TiPlotComponent::DoAnnotationCoordinatesChangeFinished(TiPlotObject* Annotation) {
    events_.Index(Annotation, OnAnnotationCoordinatesChangeFinished);
}

// Collisions and layers.

void TiPlotComponent::AddAxesCollisionItem(const TRect& Rect) {
    frame_.AddCollision(Rect);
}

bool TiPlotComponent::AddAxesCollisionDetectionItem(const TRect& Rect) {
    return frame_.AcceptLabel(Rect);
}

void TiPlotComponent::AddLayerObject(const QString& Key, TiPlotObject* Object) {
    frame_.AddLayer(Key, Object);
}

// Input.

void TiPlotComponent::UpdateAxisPixels(TiPlotMouseData& MouseData) const {
    MouseData.CalcAxisPixels(XYAxesReverse());
}

TiPlotObject* TiPlotComponent::FindMouseObject(const TiPlotMouseData& MouseData) const {
    return input_.FindMouseObject(MouseData);
}

void TiPlotComponent::iMouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
    input_.MouseDown(Button, Shift, X, Y);
}

void TiPlotComponent::iMouseMove(TShiftState Shift, int X, int Y) {
    input_.MouseMove(Shift, X, Y);
}

void TiPlotComponent::iMouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
    input_.MouseUp(Button, Shift, X, Y);
}

void TiPlotComponent::iDoubleClick() {
    input_.SetDblClickActive(true);
}

bool TiPlotComponent::iMouseWheel(int WheelDelta, TShiftState Shift, TPoint MousePos) {
    input_.MouseWheel(WheelDelta, Shift, MousePos);
    return true;
}

void TiPlotComponent::iWantSpecialKey(uint16_t& Key, bool& Result) {
    if (Key >= 37 && Key <= 40) Result = true;
}

void TiPlotComponent::iKeyDown(uint16_t& Key, TShiftState Shift) {
    input_.KeyDown(Key, Shift);
}

void TiPlotComponent::KillHint() {
    hint_.Kill();
}

void TiPlotComponent::leaveEvent(QEvent* event) {
    TiCustomComponent::leaveEvent(event);
    input_.Leave();
}

// Painting.

void TiPlotComponent::iPaintTo(TCanvas& Canvas) {
    frame_.Paint(Canvas);
}
