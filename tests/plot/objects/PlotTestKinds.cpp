#include "PlotTestKinds.h"

#include "plot/iPlotLabel.h"
#include "plot/iPlotLayoutManager.h"

TestBandObject::TestBandObject(TiPlotHost* Owner, const TiPlotObjectHooks& Hooks, bool Horizontal)
    : TiPlotLayoutObject(Owner, Hooks) {
    InitHorizontal(Horizontal);
}

TestToolBar::TestToolBar(TiPlotHost* Owner, const TiPlotObjectHooks& Hooks)
    : TestBandObject(Owner, Hooks, true) {
    RequiredWidth = 24;
}

TestLegend::TestLegend(TiPlotHost* Owner, const TiPlotObjectHooks& Hooks)
    : TestBandObject(Owner, Hooks, false) {
    RequiredWidth = 60;
}

TestDataView::TestDataView(TiPlotHost* Owner, const TiPlotObjectHooks& Hooks)
    : TiPlotLayoutObject(Owner, Hooks), gridX_(*this, TiPlotObjectKind::XAxis),
      gridY_(*this, TiPlotObjectKind::YAxis) {}

void TestDataView::NotificationRemove(QObject* Object) {
    gridX_.NotificationRemove(Object);
    gridY_.NotificationRemove(Object);
}

void TestDataView::NotificationRename(QObject* Object) {
    gridX_.NotificationRename(Object);
    gridY_.NotificationRename(Object);
}

TestAxis::TestAxis(TiPlotHost* Owner, const TiPlotObjectHooks& Hooks, TiPlotObjectKind Kind)
    : TestBandObject(Owner, Hooks, Kind == TiPlotObjectKind::XAxis),
      CartesianRef(*this, Kind == TiPlotObjectKind::XAxis ? TiPlotObjectKind::YAxis
                                                          : TiPlotObjectKind::XAxis),
      alignRef_(*this, Kind, TiPlotNameReference::None(), false) {
    RequiredWidth = 30;
    Guard = 10;
}

TiPlotLayoutObject* TestAxis::GetCartesianRefAxis() {
    return qobject_cast<TiPlotLayoutObject*>(CartesianRef.Get());
}

TiPlotLayoutObject* TestAxis::GetAlignRefAxis() {
    return qobject_cast<TiPlotLayoutObject*>(alignRef_.Get());
}

int TestAxis::PositionToPixels(double Value) const {
    const bool horizontal = GetIsHorz();
    const int start = horizontal ? scale_.Left : scale_.Bottom;
    const int stop = horizontal ? scale_.Right : scale_.Top;
    return start + int((stop - start) * Value / 100);
}

void TestAxis::CalcScaleRect(TCanvas&) {
    scale_ = DrawRect();
    if (GetIsHorz()) {
        if (StartStacked()) scale_.Left += 5;
        if (StopStacked()) scale_.Right -= 5;
    } else {
        if (StartStacked()) scale_.Bottom -= 5;
        if (StopStacked()) scale_.Top += 5;
    }
}

void TestAxis::NotificationRemove(QObject* Object) {
    CartesianRef.NotificationRemove(Object);
    alignRef_.NotificationRemove(Object);
}

void TestAxis::NotificationRename(QObject* Object) {
    CartesianRef.NotificationRename(Object);
    alignRef_.NotificationRename(Object);
}

TestXAxis::TestXAxis(TiPlotHost* Owner, const TiPlotObjectHooks& Hooks)
    : TestAxis(Owner, Hooks, TiPlotObjectKind::XAxis) {}

TestYAxis::TestYAxis(TiPlotHost* Owner, const TiPlotObjectHooks& Hooks)
    : TestAxis(Owner, Hooks, TiPlotObjectKind::YAxis) {}

TestChannel::TestChannel(TiPlotHost* Owner, const TiPlotObjectHooks& Hooks)
    : TiPlotManagerObject(Owner, Hooks), xAxis_(*this, TiPlotObjectKind::XAxis),
      yAxis_(*this, TiPlotObjectKind::YAxis) {}

void TestChannel::NotificationRemove(QObject* Object) {
    xAxis_.NotificationRemove(Object);
    yAxis_.NotificationRemove(Object);
}

void TestChannel::NotificationRename(QObject* Object) {
    xAxis_.NotificationRename(Object);
    yAxis_.NotificationRename(Object);
}

TestDataCursor::TestDataCursor(TiPlotHost* Owner, const TiPlotObjectHooks& Hooks)
    : TiPlotManagerObject(Owner, Hooks), channel_(*this, TiPlotObjectKind::Channel) {}

void RegisterTestKinds(TiPlotMasterManager& master) {
    master.RegisterObjectClass(TiPlotObjectKind::ToolBar, PlotObjectClassOf<TestToolBar>());
    master.RegisterObjectClass(TiPlotObjectKind::Legend, PlotObjectClassOf<TestLegend>());
    master.RegisterObjectClass(TiPlotObjectKind::XAxis, PlotObjectClassOf<TestXAxis>());
    master.RegisterObjectClass(TiPlotObjectKind::YAxis, PlotObjectClassOf<TestYAxis>());
    master.SetChannelClass(PlotObjectClassOf<TestChannel>());
    master.RegisterObjectClass(TiPlotObjectKind::DataView, PlotObjectClassOf<TestDataView>());
    TiPlotObjectClass cursor = PlotObjectClassOf<TestDataCursor>();
    cursor.Initialize = [](TiPlotObject* object, TiPlotMasterManager& m) {
        if (m.Count(TiPlotObjectKind::DataView) > 0)
            static_cast<TestDataCursor*>(object)->DataView = m.Get(TiPlotObjectKind::DataView, 0);
    };
    master.RegisterObjectClass(TiPlotObjectKind::DataCursor, cursor);
}

TestPlot::TestPlot() : Master(std::make_unique<TiPlotMasterManager>(&Host)) {
    Host.SetMasterManager(Master.get());
    RegisterTestKinds(*Master);
}

TestPlot::~TestPlot() {
    Host.SetMasterManager(nullptr);
}

void TestPlot::AddDefaultObjects() {
    TiPlotLayoutManager* layout = Master->GetLayoutManager();
    layout->SetEnabled(false);
    auto band = [this](TiPlotObjectKind kind, int z) {
        qobject_cast<TiPlotLayoutObject*>(Master->Get(kind, Master->Add(kind)))->SetZOrder(z);
    };
    band(TiPlotObjectKind::ToolBar, 3);
    band(TiPlotObjectKind::Legend, 2);
    for (TiPlotObjectKind kind :
         {TiPlotObjectKind::XAxis, TiPlotObjectKind::YAxis, TiPlotObjectKind::Channel,
          TiPlotObjectKind::DataView, TiPlotObjectKind::DataCursor})
        Master->Add(kind);
    TiPlotLabel* title = Master->GetLabel(Master->AddLabel());
    title->SetZOrder(2);
    title->SetName(QStringLiteral("Title"));
    title->SetCaption(QStringLiteral("Untitled"));
    title->SetMarginBottom(0);
    layout->SetEnabled(true);
}
