// Small stand-ins for the plot kinds whose classes live in other units: enough published
// properties and measures for the managers and the layout to work on, and a test plot
// built like the strip chart's default objects.
#pragma once

#include "PlotTestHost.h"
#include "plot/iPlotLayoutObject.h"
#include "plot/iPlotMasterManager.h"
#include "plot/iPlotNameReference.h"

class TestBandObject : public TiPlotLayoutObject {
    Q_OBJECT

public:
    TestBandObject(TiPlotHost* Owner, const TiPlotObjectHooks& Hooks, bool Horizontal);

    int GetRequiredWidth(TCanvas&) override { return RequiredWidth; }
    int GetRequiredLengthGaurd(TCanvas&) override { return Guard; }

    int RequiredWidth = 0;
    int Guard = 0;
};

class TestToolBar : public TestBandObject {
    Q_OBJECT

public:
    TestToolBar(TiPlotHost* Owner, const TiPlotObjectHooks& Hooks);
};

class TestLegend : public TestBandObject {
    Q_OBJECT

public:
    TestLegend(TiPlotHost* Owner, const TiPlotObjectHooks& Hooks);
};

class TestDataView : public TiPlotLayoutObject {
    Q_OBJECT
    Q_PROPERTY(QString GridXAxisName READ GridXAxisName WRITE SetGridXAxisName)
    Q_PROPERTY(QString GridYAxisName READ GridYAxisName WRITE SetGridYAxisName)

public:
    TestDataView(TiPlotHost* Owner, const TiPlotObjectHooks& Hooks);
    QString GridXAxisName() const { return gridX_.Name(); }
    void SetGridXAxisName(const QString& Value) { gridX_.SetName(Value); }
    QString GridYAxisName() const { return gridY_.Name(); }
    void SetGridYAxisName(const QString& Value) { gridY_.SetName(Value); }
    void NotificationRemove(QObject* Object) override;
    void NotificationRename(QObject* Object) override;

private:
    TiPlotNameReference gridX_;
    TiPlotNameReference gridY_;
};

// An axis whose scale runs over its draw rectangle, pulled in by 5 pixels at stacked ends,
// and maps 0..100 onto it.
class TestAxis : public TestBandObject, public TiPlotLayoutAxis {
    Q_OBJECT
    Q_PROPERTY(QString Title READ Title WRITE SetTitle)
    Q_PROPERTY(QString AlignRefAxisName READ AlignRefAxisName WRITE SetAlignRefAxisName)

public:
    TestAxis(TiPlotHost* Owner, const TiPlotObjectHooks& Hooks, TiPlotObjectKind Kind);

    QString Title() const { return title_; }
    void SetTitle(const QString& Value) {
        SetStringProperty(Value, title_, &TiPlotObject::TriggerChange);
    }
    QString AlignRefAxisName() const { return alignRef_.Name(); }
    void SetAlignRefAxisName(const QString& Value) { alignRef_.SetName(Value); }

    TiPlotLayoutAxis* GetLayoutAxis() override { return this; }
    TiPlotCartesianStyle CartesianStyle() const override { return Cartesian; }
    double CartesianChildRefValue() const override { return ChildRefValue; }
    TiPlotLayoutObject* GetCartesianRefAxis() override;
    TiPlotLayoutObject* GetAlignRefAxis() override;
    int PositionToPixels(double Value) const override;
    void CalcScaleRect(TCanvas&) override;
    TRect ScaleRect() const override { return scale_; }
    void CalcTicks(TCanvas&) override {}
    void BeginLayout() override {}
    void EndLayout() override {}
    TiPlotAxisLayout AxisLayout() const override {
        TiPlotAxisLayout layout;
        layout.Rects.ScaleRect = scale_;
        return layout;
    }
    void ApplyAxisLayout(const TiPlotAxisLayout& Layout) override {
        scale_ = Layout.Rects.ScaleRect;
    }
    void NotificationRemove(QObject* Object) override;
    void NotificationRename(QObject* Object) override;

    TiPlotCartesianStyle Cartesian = ipcsNone;
    double ChildRefValue = 0;
    TiPlotNameReference CartesianRef;

private:
    QString title_;
    TiPlotNameReference alignRef_;
    TRect scale_;
};

class TestXAxis : public TestAxis {
    Q_OBJECT

public:
    TestXAxis(TiPlotHost* Owner, const TiPlotObjectHooks& Hooks);
};

class TestYAxis : public TestAxis {
    Q_OBJECT

public:
    TestYAxis(TiPlotHost* Owner, const TiPlotObjectHooks& Hooks);
};

class TestChannel : public TiPlotManagerObject {
    Q_OBJECT
    Q_PROPERTY(QString TitleText READ TitleText WRITE SetTitleText)
    Q_PROPERTY(TColor Color READ Color WRITE SetColor)
    Q_PROPERTY(QString XAxisName READ XAxisName WRITE SetXAxisName)
    Q_PROPERTY(QString YAxisName READ YAxisName WRITE SetYAxisName)

public:
    TestChannel(TiPlotHost* Owner, const TiPlotObjectHooks& Hooks);

    QString TitleText() const { return titleText_; }
    void SetTitleText(const QString& Value) {
        SetStringProperty(Value, titleText_, &TiPlotObject::TriggerChange);
    }
    TColor Color() const { return color_; }
    void SetColor(TColor Value) { SetColorProperty(Value, color_, &TiPlotObject::TriggerChange); }
    QString XAxisName() const { return xAxis_.Name(); }
    void SetXAxisName(const QString& Value) { xAxis_.SetName(Value); }
    QString YAxisName() const { return yAxis_.Name(); }
    void SetYAxisName(const QString& Value) { yAxis_.SetName(Value); }
    TiPlotObject* XAxis() { return xAxis_.Get(); }

    void NotificationRemove(QObject* Object) override;
    void NotificationRename(QObject* Object) override;

private:
    QString titleText_;
    TColor color_ = clRed;
    TiPlotNameReference xAxis_;
    TiPlotNameReference yAxis_;
};

class TestDataCursor : public TiPlotManagerObject {
    Q_OBJECT
    Q_PROPERTY(QString ChannelName READ ChannelName WRITE SetChannelName)

public:
    TestDataCursor(TiPlotHost* Owner, const TiPlotObjectHooks& Hooks);
    QString ChannelName() const { return channel_.Name(); }
    void SetChannelName(const QString& Value) { channel_.SetName(Value); }
    TiPlotObject* DataView = nullptr;

private:
    TiPlotNameReference channel_;
};

void RegisterTestKinds(TiPlotMasterManager& master);

// A host with its master manager and the test kinds registered.
class TestPlot {
public:
    TestPlot();
    ~TestPlot();
    // The strip chart's default objects, added with the layout manager disabled.
    void AddDefaultObjects();

    template <class T> T* Get(TiPlotObjectKind kind, int index) {
        return qobject_cast<T*>(Master->Get(kind, index));
    }

    TestPlotHost Host;
    std::unique_ptr<TiPlotMasterManager> Master;
};
