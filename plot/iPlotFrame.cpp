#include "plot/iPlotFrame.h"

#include "instruments/framework/Igpfunctions.h"
#include "platform/Bitmap.h"
#include "plot/iPlotAnnotation.h"
#include "plot/iPlotComponent.h"
#include "plot/iPlotDataCursor.h"
#include "plot/iPlotDataView.h"
#include "plot/iPlotLayoutManager.h"
#include "plot/iPlotLegend.h"
#include "plot/iPlotLimit.h"
#include "plot/iPlotMasterManager.h"

#include <algorithm>

namespace {

using K = TiPlotObjectKind;

// Removes a clip restriction however the drawing inside it ends.
class TClipRestriction {
public:
    TClipRestriction(TCanvas& canvas, const TRect& rect) : canvas_(canvas) {
        canvas_.SaveState();
        canvas_.IntersectClipRect(rect);
    }
    ~TClipRestriction() { canvas_.RestoreState(); }
    TClipRestriction(const TClipRestriction&) = delete;
    TClipRestriction& operator=(const TClipRestriction&) = delete;

private:
    TCanvas& canvas_;
};

TiPlotLayoutAxis* LayoutAxisOf(TiPlotObject* object) {
    auto* layout = qobject_cast<TiPlotLayoutObject*>(object);
    return layout ? layout->GetLayoutAxis() : nullptr;
}

bool IsCartesian(TiPlotObject* axis) {
    const TiPlotLayoutAxis* layout = LayoutAxisOf(axis);
    return layout && layout->CartesianStyle() != ipcsNone;
}

} // namespace

TRect TiPlotFrame::DataViewRect() const {
    const TiPlotLayoutManager* layout = plot_.LayoutManager();
    return layout ? layout->DataViewRect() : TRect{};
}

void TiPlotFrame::AddCollision(const TRect& Rect) {
    collisions_.push_back(Rect);
}

bool TiPlotFrame::AcceptLabel(const TRect& Rect) {
    for (const TRect& registered : collisions_)
        if (!IntersectRect(registered, Rect).IsEmpty()) return false;
    // Inside when the union with the data view is the data view; an empty rectangle adds
    // nothing to a union.
    const TRect view = DataViewRect();
    const bool inside = Rect.IsEmpty() || (Rect.Left >= view.Left && Rect.Top >= view.Top &&
                                           Rect.Right <= view.Right && Rect.Bottom <= view.Bottom);
    if (!inside) return false;
    collisions_.push_back(Rect);
    return true;
}

void TiPlotFrame::AddLayer(const QString& Key, TiPlotObject* Object) {
    const auto at =
        std::lower_bound(layers_.begin(), layers_.end(), Key,
                         [](const auto& entry, const QString& key) { return entry.first < key; });
    layers_.insert(at, {Key, Object});
}

void TiPlotFrame::UpdateDataCursors() {
    for (int i = 0; i < plot_.DataCursorCount(); ++i)
        plot_.GetDataCursor(i)->DoUpdate();
}

void TiPlotFrame::PreparePaint(TCanvas& Canvas) {
    TiPlotLegend* legend = plot_.LegendCount() > 0 ? plot_.GetLegend(0) : nullptr;
    if (legend) legend->SetCursorValuesMode(false);
    for (int i = 0; i < plot_.DataCursorCount(); ++i) {
        TiPlotDataCursor* cursor = plot_.GetDataCursor(i);
        cursor->DoUpdate();
        if (legend && cursor->Visible() && cursor->BoundToAllChannels() &&
            cursor->ChannelShowAllInLegend())
            legend->SetCursorValuesMode(true);
    }
    LayOut(Canvas);
    UpdateDataCursors();
    for (K kind : {K::Channel, K::XAxis, K::YAxis})
        plot_.ForEachObject(kind, [&](TiPlotObject* object) { object->DrawSetup(Canvas); });
    TiPlotDataView* dataView = plot_.DataViewCount() > 0 ? plot_.GetDataView(0) : nullptr;
    // Without its data view an annotation neither draws nor can be hit.
    plot_.ForEachObject(K::Annotation, [&](TiPlotObject* object) {
        if (auto* annotation = qobject_cast<TiPlotAnnotation*>(object))
            annotation->SetDataView(dataView);
        object->SetXYAxesReversed(plot_.XYAxesReverse());
    });
    for (int i = 0; i < plot_.DataCursorCount(); ++i)
        plot_.GetDataCursor(i)->SetDataView(dataView);
}

void TiPlotFrame::LayOut(TCanvas& Canvas) {
    TiPlotLayoutManager* layout = plot_.LayoutManager();
    if (plot_.PaintingExport()) {
        layout->Layout(Canvas);
        return;
    }
    if (!screenLayout_.CurrentFor(plot_.LayoutFrame(), plot_.Master()->ChangeCount()) ||
        !screenLayout_.MeasuredOn(Canvas))
        screenLayout_ = layout->Layout(Canvas);
}

void TiPlotFrame::EnsureScreenLayout() {
    TiPlotLayoutManager* layout = plot_.LayoutManager();
    if (!layout || screenLayout_.CurrentFor(plot_.LayoutFrame(), plot_.Master()->ChangeCount()))
        return;
    // Measured on a canvas of the frame's kind, so that the next paint keeps it.
    TBitmap measure;
    measure.SetDevicePixelRatio(plot_.ScreenPixelRatio());
    measure.SetSize(1, 1);
    screenLayout_ = layout->Layout(*measure.Canvas());
}

void TiPlotFrame::DrawPlotBackground(TCanvas& Canvas) {
    if (plot_.BackGroundGradientEnabled())
        DrawGradientDirection(
            &Canvas, {0, 0, plot_.width(), plot_.height()}, plot_.BackGroundGradientDirection(),
            plot_.BackGroundGradientStartColor(), plot_.BackGroundGradientStopColor());
    else
        plot_.DrawBackGround(Canvas, plot_.BackGroundColor());
    if (plot_.DataViewCount() > 0) plot_.GetDataView(0)->DrawBackground(Canvas);
}

void TiPlotFrame::BuildLayerList() {
    const auto add = [this](TiPlotObject* object, char letter) {
        AddLayer(object->GetLayerString() + QLatin1Char(letter), object);
    };
    const auto addLimits = [&](bool FillType, char letter) {
        for (int i = 0; i < plot_.LimitCount(); ++i)
            if (plot_.GetLimit(i)->GetIsFillType() == FillType) add(plot_.GetLimit(i), letter);
    };
    addLimits(true, 'A');
    if (plot_.DataViewCount() > 0) add(plot_.GetDataView(0), 'B');
    addLimits(false, 'C');
    plot_.ForEachObject(K::YAxis, [&](TiPlotObject* axis) {
        if (IsCartesian(axis)) add(axis, 'D');
    });
    plot_.ForEachObject(K::XAxis, [&](TiPlotObject* axis) {
        if (IsCartesian(axis)) add(axis, 'E');
    });
    plot_.ForEachObject(K::Channel, [&](TiPlotObject* channel) {
        if (channel->DrawSetupDone()) add(channel, 'F');
    });
    plot_.ForEachObject(K::Annotation, [&](TiPlotObject* annotation) { add(annotation, 'G'); });
}

void TiPlotFrame::DrawLayers(TCanvas& Canvas) {
    const TRect view = DataViewRect();
    const TRect clip{view.Left, view.Top, view.Right + 1, view.Bottom + 1};
    for (const auto& [key, object] : layers_) {
        TClipRestriction restriction(Canvas, clip);
        object->Draw(Canvas, plot_.BackGroundColor());
    }
}

void TiPlotFrame::DrawOutSideObjects(TCanvas& Canvas) {
    Canvas.Brush()->SetColor(plot_.BackGroundColor());
    Canvas.Brush()->SetStyle(bsSolid);
    plot_.DrawBorder(Canvas);
    const TColor background = plot_.BackGroundColor();
    const auto draw = [&](TiPlotObject* object) { object->Draw(Canvas, background); };
    for (K kind : {K::XAxis, K::YAxis})
        plot_.ForEachObject(kind, [&](TiPlotObject* axis) {
            if (!IsCartesian(axis)) draw(axis);
        });
    for (K kind : {K::Label, K::ToolBar})
        plot_.ForEachObject(kind, draw);
}

void TiPlotFrame::Paint(TCanvas& Canvas) {
    // A plot without toolbar, legend or data view draws what it has: a missing object is
    // simply not drawn, instead of the whole plot staying blank.
    collisions_.clear();
    layers_.clear();
    // An export lays the objects out for its own canvas; the screen's layout goes back into
    // them however the paint ends.
    struct TScreenLayoutBack {
        TiPlotFrame& Frame;
        ~TScreenLayoutBack() { Frame.PutScreenLayoutBack(); }
    } screenLayoutBack{*this};
    PreparePaint(Canvas);
    DrawPlotBackground(Canvas);
    BuildLayerList();
    DrawLayers(Canvas);
    DrawOutSideObjects(Canvas);
    for (K kind : {K::DataCursor, K::Legend, K::Table})
        plot_.ForEachObject(
            kind, [&](TiPlotObject* object) { object->Draw(Canvas, plot_.BackGroundColor()); });
    plot_.hint_.Draw(Canvas);
}

void TiPlotFrame::PutScreenLayoutBack() {
    TiPlotLayoutManager* layout = plot_.LayoutManager();
    if (layout && plot_.PaintingExport() && screenLayout_.Serial > 0) layout->Apply(screenLayout_);
}

void TiPlotFrame::Forget(const QObject* Object) {
    std::erase_if(layers_, [Object](const auto& entry) { return entry.second == Object; });
}

void TiPlotFrame::Clear() {
    collisions_.clear();
    layers_.clear();
}
