// A plot object that takes a stretch of one band around the data view: axes, toolbars,
// legends, labels, tables, and the two place-holders standing for the data view itself.
#pragma once

#include "plot/iPlotAxisDrawing.h"
#include "plot/iPlotObjects.h"
#include "plot/iPlotTypes.h"

class TiPlotLayoutObject;

// What the layout pass needs of an axis beyond its band placement. An axis implements it and
// answers it from GetLayoutAxis.
class TiPlotLayoutAxis {
public:
    virtual TiPlotCartesianStyle CartesianStyle() const = 0;
    virtual double CartesianChildRefValue() const = 0;
    // The name references, resolved on use; null when they name no existing axis.
    virtual TiPlotLayoutObject* GetCartesianRefAxis() = 0;
    virtual TiPlotLayoutObject* GetAlignRefAxis() = 0;
    virtual int PositionToPixels(double Value) const = 0;
    // The pixel run of the scale inside the draw rectangle, pulled in at stacked ends.
    virtual void CalcScaleRect(TCanvas& Canvas) = 0;
    virtual TRect ScaleRect() const = 0;
    virtual void CalcTicks(TCanvas& Canvas) = 0;
    // A layout begins and ends: label texts are made afresh, each value once for the layout.
    virtual void BeginLayout() = 0;
    virtual void EndLayout() = 0;
    // What the layout placed, as a value, and that value put back.
    virtual TiPlotAxisLayout AxisLayout() const = 0;
    virtual void ApplyAxisLayout(const TiPlotAxisLayout& Layout) = 0;

protected:
    ~TiPlotLayoutAxis() = default;
};

class TiPlotLayoutObject : public TiPlotManagerObject {
    Q_OBJECT
    Q_PROPERTY(double StopPercent READ StopPercent WRITE SetStopPercent)
    Q_PROPERTY(double StartPercent READ StartPercent WRITE SetStartPercent)
    Q_PROPERTY(int ZOrder READ ZOrder WRITE SetZOrder)
    Q_PROPERTY(bool Horizontal READ Horizontal WRITE SetHorizontal)

public:
    // Bands are counted in small numbers; the bound keeps the layout's +1 and -1 moves of
    // whole bands clear of integer overflow.
    static constexpr int MaxZOrder = 1000000;

    TiPlotLayoutObject(TiPlotHost* Owner, const TiPlotObjectHooks& Hooks);

    // Both stay within 0..100 and at least 5 apart.
    double StopPercent() const { return stopPercent_; }
    void SetStopPercent(double Value);
    double StartPercent() const { return startPercent_; }
    void SetStartPercent(double Value);
    // Within -MaxZOrder..MaxZOrder.
    int ZOrder() const { return zOrder_; }
    void SetZOrder(int Value);
    bool Horizontal() const { return horizontal_; }
    void SetHorizontal(bool Value);
    // Published by axes only.
    bool ForceStacking() const { return forceStacking_; }
    void SetForceStacking(bool Value);

    // Both within 0..100 with start at most stop (the editor swaps stretches with it).
    void SetStartStopPercent(double Start, double Stop);

    bool ReverseSide() const { return reverseSide_; }
    void SetReverseSide(bool Value);
    TRect DrawRect() const { return drawRect_; }
    void SetDrawRect(const TRect& Value) { drawRect_ = Value; }
    int Left() const { return drawRect_.Left; }
    int Top() const { return drawRect_.Top; }
    int Right() const { return drawRect_.Right; }
    int Bottom() const { return drawRect_.Bottom; }
    void SetLeft(int Value) { drawRect_.Left = Value; }
    void SetTop(int Value) { drawRect_.Top = Value; }
    void SetRight(int Value) { drawRect_.Right = Value; }
    void SetBottom(int Value) { drawRect_.Bottom = Value; }
    bool StartStacked() const { return startStacked_; }
    void SetStartStacked(bool Value) { startStacked_ = Value; }
    bool StopStacked() const { return stopStacked_; }
    void SetStopStacked(bool Value) { stopStacked_ = Value; }
    // The band cell the layout pass gave, before cartesian and aligned axes move within it.
    TRect LayoutRect() const { return layoutRect_; }
    void SetLayoutRect(const TRect& Value) { layoutRect_ = Value; }

    // ZOrder as three digits, and StartPercent rounded to three digits: the key texts of
    // the layout viewer.
    QString GetZOrderString() const;
    QString GetStartPercentString() const;

    bool iMouseHitTest(const TiPlotMouseData& MouseData) override;
    void Loaded() override;

    virtual bool GetIsHorz() const;
    virtual bool GetIsVert() const;
    // Pixels the object needs across its band, and beyond each end along it.
    virtual int GetRequiredWidth(TCanvas& Canvas);
    virtual int GetRequiredLengthGaurd(TCanvas& Canvas);
    // Null for every object but an axis.
    virtual TiPlotLayoutAxis* GetLayoutAxis();

protected:
    // The orientation a kind's constructor gives, before anyone listens.
    void InitHorizontal(bool Value) { horizontal_ = Value; }

private:
    double stopPercent_ = 100;
    double startPercent_ = 0;
    int zOrder_ = 0;
    bool horizontal_ = false;
    bool forceStacking_ = false;
    bool reverseSide_ = false;
    bool startStacked_ = false;
    bool stopStacked_ = false;
    TRect drawRect_;
    TRect layoutRect_;
};

// The two stand-ins for the data view in the horizontal and the vertical band order; their
// ZOrders are the plot's DataViewZHorz and DataViewZVert.
class TiPlotDataViewLayout : public TiPlotLayoutObject {
    Q_OBJECT

public:
    using TiPlotLayoutObject::TiPlotLayoutObject;
};

class TiPlotDataViewHorz : public TiPlotDataViewLayout {
    Q_OBJECT

public:
    TiPlotDataViewHorz(TiPlotHost* Owner, const TiPlotObjectHooks& Hooks);
};

class TiPlotDataViewVert : public TiPlotDataViewLayout {
    Q_OBJECT

public:
    using TiPlotDataViewLayout::TiPlotDataViewLayout;
};
