#include "plot/iPlotLayoutManager.h"

#include "platform/Exception.h"
#include "platform/Rounding.h"
#include "plot/iPlotMasterManager.h"

#include <algorithm>
#include <climits>

namespace {

// The numbers behind the key texts of the side lists, compared as numbers so that negative
// bands and bands of 1000 and above sort in order too.
std::pair<int, int> SideKey(const TiPlotLayoutObject* object) {
    return {object->ZOrder(), Round(object->StartPercent())};
}

bool Overlap(const TiPlotLayoutObject* a, const TiPlotLayoutObject* b) {
    return (a->StartPercent() < b->StopPercent() && a->StopPercent() > b->StartPercent()) ||
           (a->StartPercent() == b->StartPercent() && a->StopPercent() == b->StopPercent());
}

// The control's measures as the pass may add them up: sizes and margins of any value the
// plot's settings let through stay clear of integer overflow.
TiPlotLayoutFrame BoundedFrame(TiPlotLayoutFrame frame) {
    for (int* value : {&frame.Width, &frame.Height, &frame.BorderMargin, &frame.OuterMarginLeft,
                       &frame.OuterMarginTop, &frame.OuterMarginRight, &frame.OuterMarginBottom})
        *value = BoundPixelSize(*value);
    return frame;
}

TRect ValidRect(TRect r) {
    r.Right = std::max(r.Right, r.Left);
    r.Bottom = std::max(r.Bottom, r.Top);
    return r;
}

} // namespace

TiPlotLayoutManager::TiPlotLayoutManager(TiPlotHost* Owner, const TiPlotObjectHooks& Hooks,
                                         TiPlotMasterManager& Master)
    : TiPlotObjectManagerCustom(Owner, Hooks), master_(Master) {}

TiPlotLayoutManager::~TiPlotLayoutManager() {
    if (dataViewHorz_) dataViewHorz_->Destroy();
    if (dataViewVert_) dataViewVert_->Destroy();
}

void TiPlotLayoutManager::CreatePlaceHolders() {
    dataViewHorz_ = new TiPlotDataViewHorz(Owner(), Hooks());
    dataViewVert_ = new TiPlotDataViewVert(Owner(), Hooks());
    for (TiPlotLayoutObject* placeHolder :
         std::initializer_list<TiPlotLayoutObject*>{dataViewHorz_, dataViewVert_}) {
        placeHolder->SetName(QStringLiteral("Data View"));
        placeHolder->SetZOrder(1);
        placeHolder->Loaded();
    }
    SetEnabled(true);
}

TiPlotObject* TiPlotLayoutManager::CreateObject() {
    throw Exception(QStringLiteral("Layout Manager does not support creation of objects"));
}

QString TiPlotLayoutManager::GetName() const {
    return QStringLiteral("Layout Object");
}

TiPlotLayoutObject* TiPlotLayoutManager::GetItem(int Index) const {
    return static_cast<TiPlotLayoutObject*>(GetObject(Index));
}

bool TiPlotLayoutManager::IsXAxis(const QObject* Object) const {
    return master_.KindOf(Object) == TiPlotObjectKind::XAxis;
}

bool TiPlotLayoutManager::IsYAxis(const QObject* Object) const {
    return master_.KindOf(Object) == TiPlotObjectKind::YAxis;
}

bool TiPlotLayoutManager::IsAxis(const TiPlotLayoutObject* Object) const {
    return RoleOf(Object) == TRole::Axis;
}

TiPlotLayoutManager::TRole TiPlotLayoutManager::RoleOf(const TiPlotLayoutObject* Object) const {
    if (Object == dataViewHorz_ || Object == dataViewVert_) return TRole::PlaceHolder;
    switch (master_.KindOf(Object).value_or(TiPlotObjectKind::Legend)) {
    case TiPlotObjectKind::ToolBar:
        return TRole::ToolBar;
    case TiPlotObjectKind::Label:
        return TRole::Label;
    case TiPlotObjectKind::XAxis:
    case TiPlotObjectKind::YAxis:
        return TRole::Axis;
    case TiPlotObjectKind::DataView:
        return TRole::DataView;
    default:
        return TRole::Other;
    }
}

bool TiPlotLayoutManager::IsArranged(const TiPlotLayoutObject* Object) const {
    const TRole role = RoleOf(Object);
    return role != TRole::DataView && role != TRole::PlaceHolder;
}

void TiPlotLayoutManager::NotificationInsert(QObject* Object) {
    auto* object = qobject_cast<TiPlotLayoutObject*>(Object);
    if (!object) return;
    InsertObject(object);
    const std::optional<TiPlotObjectKind> kind = master_.KindOf(object);
    if (kind && *kind != TiPlotObjectKind::Table)
        object->OnLayoutChange = [this](QObject* sender) { DoLayoutChange(sender); };
    if (kind == TiPlotObjectKind::XAxis) object->SetHorizontal(!xyAxesReverse_);
    if (kind == TiPlotObjectKind::YAxis) object->SetHorizontal(xyAxesReverse_);
    if (enabled_) InsertZOrder(object, 0, iidMerge);
}

void TiPlotLayoutManager::RemovingObject(TiPlotObject* Object) {
    for (auto* list : {&top_, &bottom_, &left_, &right_})
        std::erase(*list, Object);
    for (auto* list : {&visibleTop_, &visibleBottom_, &visibleLeft_, &visibleRight_})
        std::erase_if(*list, [Object](const TBandEntry& entry) { return entry.Object == Object; });
    if (Object == dataViewHorz_) dataViewHorz_ = nullptr;
    if (Object == dataViewVert_) dataViewVert_ = nullptr;
    if (enabled_) RemoveZOrder(static_cast<TiPlotLayoutObject*>(Object));
}

std::vector<TiPlotLayoutObject*>
TiPlotLayoutManager::Others(const TiPlotLayoutObject* Object) const {
    std::vector<TiPlotLayoutObject*> others;
    for (TiPlotObject* item : Items()) {
        auto* other = static_cast<TiPlotLayoutObject*>(item);
        if (other != Object && other->GetIsHorz() == Object->GetIsHorz() &&
            RoleOf(other) != TRole::DataView)
            others.push_back(other);
    }
    return others;
}

void TiPlotLayoutManager::InsertZOrder(TiPlotLayoutObject* Object, int ZOrder,
                                       TiInsertDirection Direction) {
    const std::vector<TiPlotLayoutObject*> others = Others(Object);
    if (Direction == iidMerge) {
        const bool overlaps = std::any_of(others.begin(), others.end(), [&](auto* other) {
            return other->ZOrder() == ZOrder && Overlap(other, Object);
        });
        Direction = overlaps ? iidBelow : iidMerge;
    }
    if (Direction != iidMerge) {
        const int firstMoved = Direction == iidBelow ? ZOrder : ZOrder + 1;
        for (TiPlotLayoutObject* other : others)
            if (other->ZOrder() >= firstMoved) other->SetZOrder(other->ZOrder() + 1);
    }
    Object->SetZOrder(Direction == iidAbove ? ZOrder + 1 : ZOrder);
    DoLayoutChange(Object);
}

void TiPlotLayoutManager::RemoveZOrder(TiPlotLayoutObject* Object) {
    const std::vector<TiPlotLayoutObject*> others = Others(Object);
    const int band = Object->ZOrder();
    if (std::none_of(others.begin(), others.end(), [band](auto* o) { return o->ZOrder() == band; }))
        for (TiPlotLayoutObject* other : others)
            if (other->ZOrder() > band) other->SetZOrder(other->ZOrder() - 1);
    DoLayoutChange(Object);
}

void TiPlotLayoutManager::AddSorted(std::vector<TiPlotLayoutObject*>& List,
                                    TiPlotLayoutObject* Object) {
    // Before the equal keys already there.
    const auto at = std::lower_bound(List.begin(), List.end(), SideKey(Object),
                                     [](auto* o, const auto& key) { return SideKey(o) < key; });
    List.insert(at, Object);
}

void TiPlotLayoutManager::DoLayoutChange(QObject*) {
    if (!enabled_) return;
    master_.AdvanceChangeCount();
    for (auto* list : {&top_, &bottom_, &left_, &right_})
        list->clear();
    const int horzZ = dataViewHorz_ ? dataViewHorz_->ZOrder() : 0;
    const int vertZ = dataViewVert_ ? dataViewVert_->ZOrder() : 0;
    for (TiPlotObject* item : Items()) {
        auto* object = static_cast<TiPlotLayoutObject*>(item);
        if (!IsArranged(object)) continue;
        const bool horizontal = object->GetIsHorz();
        const bool farSide = object->ZOrder() > (horizontal ? horzZ : vertZ);
        object->SetReverseSide(farSide);
        AddSorted(horizontal ? (farSide ? top_ : bottom_) : (farSide ? right_ : left_), object);
    }
}

void TiPlotLayoutManager::SetEnabled(bool Value) {
    if (Value == enabled_) return;
    enabled_ = Value;
    if (Value) DoLayoutChange(this);
}

void TiPlotLayoutManager::SetXYAxesReverse(bool Value) {
    if (Value == xyAxesReverse_) return;
    xyAxesReverse_ = Value;
    if (enabled_) FlipXYAxes();
}

void TiPlotLayoutManager::FlipXYAxes() {
    std::vector<TiPlotLayoutObject*> axes;
    for (TiPlotObject* item : Items())
        if (IsAxis(static_cast<TiPlotLayoutObject*>(item)))
            axes.push_back(static_cast<TiPlotLayoutObject*>(item));
    std::stable_sort(axes.begin(), axes.end(),
                     [](auto* a, auto* b) { return a->ZOrder() < b->ZOrder(); });
    for (TiPlotLayoutObject* axis : axes) {
        RemoveZOrder(axis);
        axis->SetHorizontal(IsXAxis(axis) ? !xyAxesReverse_ : xyAxesReverse_);
        InsertZOrder(axis, 0, iidMerge);
    }
}

int TiPlotLayoutManager::VisibleCount(const std::vector<TiPlotLayoutObject*>& List) {
    return int(std::count_if(List.begin(), List.end(), [](auto* o) { return o->Visible(); }));
}

int TiPlotLayoutManager::GetUniqueCount(const std::vector<TiPlotLayoutObject*>& List) {
    int count = 0;
    for (size_t i = 0; i < List.size(); ++i)
        if (i == 0 || List[i]->ZOrder() != List[i - 1]->ZOrder()) ++count;
    return count;
}

void TiPlotLayoutManager::UpdateVisibleList(const std::vector<TiPlotLayoutObject*>& List,
                                            TBandList& Visible) const {
    Visible.clear();
    for (TiPlotLayoutObject* object : List) {
        if (!object->Visible()) continue;
        TiPlotLayoutAxis* axis = object->GetLayoutAxis();
        Visible.push_back({object, axis && axis->CartesianStyle() != ipcsNone});
    }
}

void TiPlotLayoutManager::UpdateStacking(TBandList& List) {
    for (TBandEntry& entry : List) {
        entry.Object->SetStartStacked(false);
        entry.Object->SetStopStacked(false);
    }
    TiPlotLayoutObject* previous = nullptr;
    bool inBand = false;
    int band = 0;
    for (TBandEntry& entry : List) {
        if (entry.Cartesian) continue;
        TiPlotLayoutObject* object = entry.Object;
        if (object->ForceStacking()) {
            object->SetStartStacked(true);
            object->SetStopStacked(true);
        } else if (inBand && object->ZOrder() == band) {
            if (previous) previous->SetStopStacked(true);
            object->SetStartStacked(true);
        } else {
            inBand = true;
            band = object->ZOrder();
        }
        previous = object;
    }
}

void TiPlotLayoutManager::Measure(TBandList& List, TCanvas& Canvas) {
    for (TBandEntry& entry : List) {
        if (entry.Cartesian) continue;
        entry.Width = BoundPixelSize(entry.Object->GetRequiredWidth(Canvas));
        entry.Guard = BoundPixelSize(entry.Object->GetRequiredLengthGaurd(Canvas));
    }
}

int TiPlotLayoutManager::GetZOrderMaxWidth(const TBandList& List, int ZOrder) {
    int width = 0;
    for (const TBandEntry& entry : List)
        if (!entry.Cartesian && entry.Object->ZOrder() == ZOrder)
            width = std::max(width, entry.Width);
    return width;
}

int TiPlotLayoutManager::GetTotalRequiredWidth(const TBandList& List) {
    int total = 0;
    for (size_t i = 0; i < List.size(); ++i)
        if (i == 0 || List[i].Object->ZOrder() != List[i - 1].Object->ZOrder())
            total += GetZOrderMaxWidth(List, List[i].Object->ZOrder());
    return total;
}

int TiPlotLayoutManager::GetMaxGaurd(const TBandList& List, bool StartEnd) {
    int guard = 0;
    for (const TBandEntry& entry : List) {
        const bool stacked = StartEnd ? entry.Object->StartStacked() : entry.Object->StopStacked();
        if (!entry.Cartesian && !stacked) guard = std::max(guard, entry.Guard);
    }
    return guard;
}

void TiPlotLayoutManager::ForEachAxis(const std::function<void(TiPlotLayoutAxis&)>& Action) const {
    for (TiPlotObjectKind kind : {TiPlotObjectKind::XAxis, TiPlotObjectKind::YAxis})
        for (int i = 0; i < master_.Count(kind); ++i)
            if (auto* object = qobject_cast<TiPlotLayoutObject*>(master_.Get(kind, i)))
                if (TiPlotLayoutAxis* axis = object->GetLayoutAxis()) Action(*axis);
}

TiPlotFrameLayout TiPlotLayoutManager::Layout(TCanvas& Canvas) {
    ForEachAxis([](TiPlotLayoutAxis& axis) { axis.BeginLayout(); });
    // An axis measures its labels on the ticks of the place it had; a pass that moves the data
    // view moves the axes, whose ticks and labels then differ, so a second pass measures them
    // where they now lie. Only the range and the band widths feed the ticks, and these are
    // settled by then, so two passes are the most any change needs.
    int passes = 0;
    TRect before;
    do {
        before = dataViewRect_;
        CalcLayout(Canvas);
        ++passes;
    } while (passes < 2 && !(dataViewRect_ == before));
    // Aligned and cartesian axes moved their scales after the bands placed their ticks.
    ForEachAxis([&](TiPlotLayoutAxis& axis) {
        axis.CalcTicks(Canvas);
        axis.EndLayout();
    });
    TiPlotFrameLayout layout = Capture();
    layout.Frame = Owner()->LayoutFrame();
    layout.ChangeCount = master_.ChangeCount();
    layout.CanvasKind = &typeid(Canvas);
    layout.Serial = ++layoutSerial_;
    layout.Passes = passes;
    return layout;
}

TiPlotFrameLayout TiPlotLayoutManager::Capture() const {
    TiPlotFrameLayout layout;
    layout.DataView = dataViewRect_;
    for (TiPlotObject* item : Items()) {
        auto* object = static_cast<TiPlotLayoutObject*>(item);
        TiPlotObjectLayout& kept = layout.Objects.emplace_back();
        kept.Object = object;
        kept.DrawRect = object->DrawRect();
        kept.LayoutRect = object->LayoutRect();
        kept.StartStacked = object->StartStacked();
        kept.StopStacked = object->StopStacked();
        if (const TiPlotLayoutAxis* axis = object->GetLayoutAxis()) kept.Axis = axis->AxisLayout();
    }
    return layout;
}

void TiPlotLayoutManager::Apply(const TiPlotFrameLayout& Layout) {
    dataViewRect_ = Layout.DataView;
    for (const TiPlotObjectLayout& kept : Layout.Objects) {
        TiPlotLayoutObject* object = kept.Object;
        if (!object || object->Destroying()) continue;
        object->SetDrawRect(kept.DrawRect);
        object->SetLayoutRect(kept.LayoutRect);
        object->SetStartStacked(kept.StartStacked);
        object->SetStopStacked(kept.StopStacked);
        TiPlotLayoutAxis* axis = object->GetLayoutAxis();
        if (axis && kept.Axis) axis->ApplyAxisLayout(*kept.Axis);
    }
}

void TiPlotLayoutManager::CalcLayout(TCanvas& Canvas) {
    const TiPlotLayoutFrame frame = BoundedFrame(Owner()->LayoutFrame());
    const int b = frame.BorderMargin;
    UpdateVisibleList(top_, visibleTop_);
    UpdateVisibleList(bottom_, visibleBottom_);
    UpdateVisibleList(left_, visibleLeft_);
    UpdateVisibleList(right_, visibleRight_);
    for (TBandList* list : {&visibleTop_, &visibleBottom_, &visibleLeft_, &visibleRight_}) {
        UpdateStacking(*list);
        Measure(*list, Canvas);
    }

    const int leftRoom =
        std::max({0, GetMaxGaurd(visibleTop_, true), GetMaxGaurd(visibleBottom_, true)});
    const int rightRoom =
        std::max({0, GetMaxGaurd(visibleTop_, false), GetMaxGaurd(visibleBottom_, false)});
    const int topRoom =
        std::max({0, GetMaxGaurd(visibleLeft_, false), GetMaxGaurd(visibleRight_, false)});
    const int bottomRoom =
        std::max({0, GetMaxGaurd(visibleLeft_, true), GetMaxGaurd(visibleRight_, true)});
    const int widthLeft = std::max(GetTotalRequiredWidth(visibleLeft_), leftRoom);
    const int widthRight = std::max(GetTotalRequiredWidth(visibleRight_), rightRoom);
    const int widthTop = std::max(GetTotalRequiredWidth(visibleTop_), topRoom);
    const int widthBottom = std::max(GetTotalRequiredWidth(visibleBottom_), bottomRoom);

    // A lone toolbar above is pinned to the top edge, so the vertical guards must fit below.
    const bool pinnedToolBar =
        visibleTop_.size() == 1 && RoleOf(visibleTop_[0].Object) == TRole::ToolBar;
    TRect dv;
    dv.Top = widthTop + b + frame.OuterMarginTop + (pinnedToolBar ? topRoom : 0);
    dv.Bottom = frame.Height - (widthBottom + b + frame.OuterMarginBottom) - 1;
    dv.Left = widthLeft + b + frame.OuterMarginLeft;
    dv.Right = frame.Width - (widthRight + b + frame.OuterMarginRight) - 1;
    // A small plot or wide bands leave an empty data view, never an inverted one.
    dataViewRect_ = ValidRect(dv);

    PlaceBands(frame, topRoom, pinnedToolBar);
    SetDataViewDrawRect();
    for (TiPlotObject* item : Items()) {
        auto* object = static_cast<TiPlotLayoutObject*>(item);
        if (IsArranged(object)) PlaceAlongBand(object, frame, Canvas);
    }
    for (TiPlotObject* item : Items()) {
        auto* object = static_cast<TiPlotLayoutObject*>(item);
        TiPlotLayoutAxis* axis = object->GetLayoutAxis();
        if (axis && IsAxis(object) && axis->CartesianStyle() != ipcsNone)
            PlaceCartesianAxis(object, *axis);
    }
    NarrowDataView(Canvas);
}

void TiPlotLayoutManager::PlaceBands(const TiPlotLayoutFrame& Frame, int T0, bool PinnedToolBar) {
    // Each side from the band nearest the data view outwards; a band is as thick as its
    // thickest object and every object of it gets that thickness.
    auto walk = [](TBandList& list, bool nearestFirst, int start, int direction, auto place) {
        int position = start;
        int thickness = 0;
        bool first = true;
        int band = 0;
        auto visit = [&](TBandEntry& entry) {
            if (first || entry.Object->ZOrder() != band) {
                if (!first) position += direction * thickness;
                band = entry.Object->ZOrder();
                thickness = GetZOrderMaxWidth(list, band);
                first = false;
            }
            place(entry, position, thickness);
        };
        if (nearestFirst)
            std::for_each(list.begin(), list.end(), visit);
        else
            std::for_each(list.rbegin(), list.rend(), visit);
    };
    const TRect& dv = dataViewRect_;
    walk(visibleLeft_, false, dv.Left, -1, [](TBandEntry& e, int x, int t) {
        e.Object->SetLeft(x - t);
        e.Object->SetRight(x);
    });
    walk(visibleRight_, true, dv.Right, 1, [](TBandEntry& e, int x, int t) {
        e.Object->SetLeft(x);
        e.Object->SetRight(x + t);
    });
    bool pinPending = PinnedToolBar;
    int topShift = 0;
    walk(visibleTop_, true, dv.Top, -1, [&](TBandEntry& e, int y, int t) {
        if (pinPending && !IsAxis(e.Object)) {
            pinPending = false;
            topShift = T0;
        }
        e.Object->SetTop(y - topShift - t);
        e.Object->SetBottom(y - topShift);
    });
    for (TBandEntry& entry : visibleTop_) {
        if (RoleOf(entry.Object) != TRole::ToolBar) continue;
        entry.Object->SetTop(Frame.BorderMargin);
        entry.Object->SetBottom(Frame.BorderMargin + entry.Width);
    }
    walk(visibleBottom_, false, dv.Bottom, 1, [](TBandEntry& e, int y, int t) {
        e.Object->SetTop(y);
        e.Object->SetBottom(y + t);
    });
}

void TiPlotLayoutManager::PlaceAlongBand(TiPlotLayoutObject* Object, const TiPlotLayoutFrame& Frame,
                                         TCanvas& Canvas) const {
    const TRect& dv = dataViewRect_;
    const double s = Object->StartPercent() / 100;
    const double p = Object->StopPercent() / 100;
    const int b = Frame.BorderMargin;
    const TRole role = RoleOf(Object);
    if (Object->GetIsHorz()) {
        if (role == TRole::ToolBar) {
            Object->SetLeft(Round(s * (Frame.Width - 2 * b)) + b);
            Object->SetRight(Round(p * (Frame.Width - 2 * b)) + b - 1);
        } else if (role == TRole::Label) {
            const int n = Frame.Width - b - Frame.OuterMarginLeft - Frame.OuterMarginRight;
            Object->SetLeft(Round(s * n) + b + Frame.OuterMarginLeft);
            Object->SetRight(Round(p * n) + b + Frame.OuterMarginLeft);
        } else {
            Object->SetLeft(Round(dv.Width() * s) + dv.Left);
            Object->SetRight(Round(dv.Width() * p) + dv.Left);
        }
    } else if (role != TRole::ToolBar) {
        Object->SetTop(dv.Bottom - Round(dv.Height() * p));
        Object->SetBottom(dv.Bottom - Round(dv.Height() * s));
    }
    Object->SetLayoutRect(Object->DrawRect());
    if (TiPlotLayoutAxis* axis = Object->GetLayoutAxis(); axis && role == TRole::Axis)
        axis->CalcTicks(Canvas);
}

void TiPlotLayoutManager::PlaceCartesianAxis(TiPlotLayoutObject* Object,
                                             TiPlotLayoutAxis& Axis) const {
    const TRect& dv = dataViewRect_;
    int across = 0;
    if (Axis.CartesianStyle() == ipcsMaster) {
        across = Object->GetIsHorz() ? (dv.Top + dv.Bottom) / 2 : (dv.Left + dv.Right) / 2;
    } else {
        TiPlotLayoutObject* reference = Axis.GetCartesianRefAxis();
        TiPlotLayoutAxis* referenceAxis = reference ? reference->GetLayoutAxis() : nullptr;
        if (!referenceAxis) {
            Object->SetDrawRect({});
            return;
        }
        across = referenceAxis->PositionToPixels(Axis.CartesianChildRefValue());
    }
    if (Object->GetIsHorz())
        Object->SetDrawRect({dv.Left, across, dv.Right, across});
    else
        Object->SetDrawRect({across, dv.Top, across, dv.Bottom});
}

void TiPlotLayoutManager::NarrowDataView(TCanvas& Canvas) {
    std::vector<TiPlotLayoutObject*> xAxes, yAxes;
    for (TiPlotObject* item : Items()) {
        auto* object = static_cast<TiPlotLayoutObject*>(item);
        TiPlotLayoutAxis* axis = object->GetLayoutAxis();
        if (!axis || !IsAxis(object)) continue;
        if (TiPlotLayoutObject* reference = axis->GetAlignRefAxis()) {
            if (object->GetIsHorz()) {
                object->SetLeft(reference->Left());
                object->SetRight(reference->Right());
            } else {
                object->SetTop(reference->Top());
                object->SetBottom(reference->Bottom());
            }
            object->SetStartStacked(reference->StartStacked());
            object->SetStopStacked(reference->StopStacked());
            axis->CalcScaleRect(Canvas);
        }
        (IsXAxis(object) ? xAxes : yAxes).push_back(object);
    }
    // Without an X axis or a Y axis the bands alone give the data view.
    if (xAxes.empty() || yAxes.empty()) return;
    const std::vector<TiPlotLayoutObject*>& across = xyAxesReverse_ ? xAxes : yAxes;
    const std::vector<TiPlotLayoutObject*>& along = xyAxesReverse_ ? yAxes : xAxes;
    TRect dv{INT_MAX, INT_MAX, INT_MIN, INT_MIN};
    for (TiPlotLayoutObject* object : xAxes)
        object->GetLayoutAxis()->CalcScaleRect(Canvas);
    for (TiPlotLayoutObject* object : yAxes)
        object->GetLayoutAxis()->CalcScaleRect(Canvas);
    for (TiPlotLayoutObject* object : across) {
        const TRect scale = object->GetLayoutAxis()->ScaleRect();
        dv.Top = std::min(dv.Top, scale.Top);
        dv.Bottom = std::max(dv.Bottom, scale.Bottom);
    }
    for (TiPlotLayoutObject* object : along) {
        const TRect scale = object->GetLayoutAxis()->ScaleRect();
        dv.Left = std::min(dv.Left, scale.Left);
        dv.Right = std::max(dv.Right, scale.Right);
    }
    dataViewRect_ = ValidRect(dv);
    SetDataViewDrawRect();
}

void TiPlotLayoutManager::SetDataViewDrawRect() const {
    if (master_.Count(TiPlotObjectKind::DataView) == 0) return;
    if (auto* dataView =
            qobject_cast<TiPlotLayoutObject*>(master_.Get(TiPlotObjectKind::DataView, 0)))
        dataView->SetDrawRect(dataViewRect_);
}
