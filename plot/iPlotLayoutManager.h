// Keeps the bands of the layout objects consistent as objects come, go and move, sorts them
// into the four sides of the data view, and runs the layout pass that gives every object,
// and the data view, its rectangle. Painting and hit-testing read the stored rectangles.
#pragma once

#include "plot/iPlotFrameLayout.h"
#include "plot/iPlotLayoutObject.h"
#include "plot/iPlotManagers.h"

#include <cstdint>
#include <functional>
#include <vector>

enum TiInsertDirection { iidMerge, iidBelow, iidAbove };

class TiPlotLayoutManager : public TiPlotObjectManagerCustom {
    Q_OBJECT

public:
    TiPlotLayoutManager(TiPlotHost* Owner, const TiPlotObjectHooks& Hooks,
                        TiPlotMasterManager& Master);

    // The two data-view stand-ins, created and loaded while the manager is still disabled;
    // enables it.
    void CreatePlaceHolders();

    // Raises "Layout Manager does not support creation of objects".
    TiPlotObject* CreateObject() override;
    QString GetName() const override;
    TiPlotLayoutObject* GetItem(int Index) const;
    void NotificationInsert(QObject* Object) override;

    void InsertZOrder(TiPlotLayoutObject* Object, int ZOrder, TiInsertDirection Direction);
    void RemoveZOrder(TiPlotLayoutObject* Object);
    // Rebuilds the side lists while enabled.
    void DoLayoutChange(QObject* Sender);

    bool Enabled() const { return enabled_; }
    void SetEnabled(bool Value);
    bool XYAxesReverse() const { return xyAxesReverse_; }
    void SetXYAxesReverse(bool Value);
    void FlipXYAxes();

    TiPlotDataViewHorz* DataViewHorz() const { return dataViewHorz_; }
    TiPlotDataViewVert* DataViewVert() const { return dataViewVert_; }

    // Sorted by band, then by start along the band; equal keys in the reverse of the
    // manager's order.
    const std::vector<TiPlotLayoutObject*>& TopList() const { return top_; }
    const std::vector<TiPlotLayoutObject*>& BottomList() const { return bottom_; }
    const std::vector<TiPlotLayoutObject*>& LeftList() const { return left_; }
    const std::vector<TiPlotLayoutObject*>& RightList() const { return right_; }
    static int VisibleCount(const std::vector<TiPlotLayoutObject*>& List);
    // The number of distinct bands of a side list.
    static int GetUniqueCount(const std::vector<TiPlotLayoutObject*>& List);

    // The frame layout on Canvas, given to every object and answered as a value: the band
    // passes, then every axis's ticks where its scale finally lies.
    TiPlotFrameLayout Layout(TCanvas& Canvas);
    // Puts a layout kept as a value back into its objects (an export laid them out for its
    // own canvas meanwhile).
    void Apply(const TiPlotFrameLayout& Layout);
    // One layout pass: every object's rectangle and stacking, and the data view's.
    void CalcLayout(TCanvas& Canvas);
    // Never of negative size.
    TRect DataViewRect() const { return dataViewRect_; }

protected:
    ~TiPlotLayoutManager() override;
    void RemovingObject(TiPlotObject* Object) override;

private:
    enum class TRole { Other, ToolBar, Label, Axis, DataView, PlaceHolder };

    // One visible object in a pass, measured once.
    struct TBandEntry {
        TiPlotLayoutObject* Object;
        bool Cartesian;
        int Width = 0;
        int Guard = 0;
    };
    using TBandList = std::vector<TBandEntry>;

    TRole RoleOf(const TiPlotLayoutObject* Object) const;
    bool IsAxis(const TiPlotLayoutObject* Object) const;
    bool IsArranged(const TiPlotLayoutObject* Object) const;
    bool IsXAxis(const QObject* Object) const;
    bool IsYAxis(const QObject* Object) const;
    std::vector<TiPlotLayoutObject*> Others(const TiPlotLayoutObject* Object) const;
    static void AddSorted(std::vector<TiPlotLayoutObject*>& List, TiPlotLayoutObject* Object);

    void UpdateVisibleList(const std::vector<TiPlotLayoutObject*>& List, TBandList& Visible) const;
    static void UpdateStacking(TBandList& List);
    static void Measure(TBandList& List, TCanvas& Canvas);
    static int GetZOrderMaxWidth(const TBandList& List, int ZOrder);
    static int GetTotalRequiredWidth(const TBandList& List);
    static int GetMaxGaurd(const TBandList& List, bool StartEnd);
    void PlaceBands(const TiPlotLayoutFrame& Frame, int T0, bool PinnedToolBar);
    void PlaceAlongBand(TiPlotLayoutObject* Object, const TiPlotLayoutFrame& Frame,
                        TCanvas& Canvas) const;
    void PlaceCartesianAxis(TiPlotLayoutObject* Object, TiPlotLayoutAxis& Axis) const;
    void NarrowDataView(TCanvas& Canvas);
    void SetDataViewDrawRect() const;
    // The axes in the master's order, X axes first, counted afresh as handlers may remove some.
    void ForEachAxis(const std::function<void(TiPlotLayoutAxis&)>& Action) const;
    TiPlotFrameLayout Capture() const;

    TiPlotMasterManager& master_;
    bool xyAxesReverse_ = false;
    bool enabled_ = false;
    TiPlotDataViewHorz* dataViewHorz_ = nullptr;
    TiPlotDataViewVert* dataViewVert_ = nullptr;
    std::vector<TiPlotLayoutObject*> top_, bottom_, left_, right_;
    TBandList visibleTop_, visibleBottom_, visibleLeft_, visibleRight_;
    TRect dataViewRect_;
    uint64_t layoutSerial_ = 0;
};
