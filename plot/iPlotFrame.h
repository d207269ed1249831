// The plot's frame: each paint's preparation (the layout kept for the screen, cursors, draw
// set-ups), its layers in paint order with the data view's clip, and the axes' label collisions.
#pragma once

#include "plot/iPlotFrameLayout.h"

#include <QPair>
#include <QString>
#include <vector>

class QObject;
class TCanvas;
class TiPlotComponent;
class TiPlotObject;

class TiPlotFrame {
public:
    explicit TiPlotFrame(TiPlotComponent& Plot) : plot_(Plot) {}

    // The whole paint: background, layers clipped to the data view, the objects outside it,
    // cursors, legends, tables and the hint box on top.
    void Paint(TCanvas& Canvas);
    // Lays the screen out anew when it is stale, so that input finds objects where the next
    // paint shows them.
    void EnsureScreenLayout();
    const TiPlotFrameLayout& ScreenLayout() const { return screenLayout_; }

    // See TiPlotComponent::AddAxesCollisionItem and its neighbours.
    void AddCollision(const TRect& Rect);
    bool AcceptLabel(const TRect& Rect);
    const std::vector<TRect>& Collisions() const { return collisions_; }
    void AddLayer(const QString& Key, TiPlotObject* Object);
    const std::vector<QPair<QString, TiPlotObject*>>& Layers() const { return layers_; }
    // An object removed leaves the layers at once.
    void Forget(const QObject* Object);
    void Clear();

private:
    TRect DataViewRect() const;
    void UpdateDataCursors();
    void PreparePaint(TCanvas& Canvas);
    void LayOut(TCanvas& Canvas);
    // After an export laid the objects out for its canvas.
    void PutScreenLayoutBack();
    void DrawPlotBackground(TCanvas& Canvas);
    void BuildLayerList();
    void DrawLayers(TCanvas& Canvas);
    void DrawOutSideObjects(TCanvas& Canvas);

    TiPlotComponent& plot_;
    std::vector<TRect> collisions_;
    std::vector<QPair<QString, TiPlotObject*>> layers_;
    TiPlotFrameLayout screenLayout_;
};
